// The command-line help of the setup program: what "-help" prints before the program ends.
//
// Everything goes to standard output without error checks; the process then ends with status 1,
// so that a script that asked for help is not taken for a successful run.
#pragma once

#include "plat/Configuration.h"

namespace tqutil {

// The exit callback of the setup program's command line (plat::Configuration::ExitCallback):
// for kHelpXml printParamsXml(configuration); otherwise the product information text, an empty
// line and the usage with the current values of the parameters of `configuration` (null: the
// global one), the advanced ones too for kHelpAll. Then exit(1). Never returns.
[[noreturn]] void printUsageAndExit(int mode, plat::Configuration* configuration);

// Writes the XML description of the parameters of `configuration` (null: the global one) and
// its descendants, hidden ones left out, to standard output (plat::XmlConfig::write).
void printParamsXml(plat::Configuration* configuration);

// Writes the product information text (version line, notices, system line) and an empty line
// to standard output.
void printProductInfo();

}  // namespace tqutil

// The command-line help of the setup program: what "-help" prints before the program ends.
//
// Everything goes to standard output without error checks; the process then ends with status 1,
// so that a script that asked for help is not taken for a successful run.
#pragma once

#include "plat/Configuration.h"

namespace tqutil {

// The exit callback of the setup program's command line (plat::Configuration::ExitCallback):
// the product information text, an empty line and the usage with the current values of the
// parameters of `configuration` (null: the global one) — the advanced ones too for
// kHelpAll — then exit(1). Never returns. The XML form (kHelpXml) is not available yet: it
// prints what the normal mode does.
[[noreturn]] void printUsageAndExit(int mode, plat::Configuration* configuration);

// Writes the product information text (version line, notices, system line) and an empty line
// to standard output.
void printProductInfo();

}  // namespace tqutil

#include "tqutil/Usage.h"

#include "product/Product.h"
#include "product/VersionInfo.h"

#include <gtest/gtest.h>

#include <unistd.h>
#include <vector>

namespace {

// Product start-up and the command line as the setup program runs them, with standard output
// joined to standard error so that one pattern sees it. Start-up is once per process: each run
// is a child of the test.
void runHelp(std::vector<const char*> args) {
    dup2(2, 1);
    product::init({"tsryconnectsetup", "tqKivSetup_setupapp_name_r", ""});
    product::setVersion("3.0.0", "3.0.0.1");
    args.push_back(nullptr);
    plat::Configuration::global()->processArgs(args.data(), tqutil::printUsageAndExit);
}

// The help in the language of the settings before the help word: the product information
// (which follows every change of Locale) up to its system line, an empty line, the usage and
// the parameters with their defaults, the log names only after "all"; then exit status 1.
TEST(UsageDeathTest, ProductInfoThenHelpInTheChosenLanguageThenStatus1) {
    EXPECT_EXIT(runHelp({"-Locale=en", "-help"}), testing::ExitedWithCode(1),
                "^[^\n]*\nCopyright \\(C\\) 2024 Tessary\\. All rights reserved\\.\n.*\n"
                "OS: [^\n]*\n\nParameters can be turned on with -<param> or off with .*\n"
                "  LogKeepDays    - Keep log files for X days\\. \\(default=30\\)\n$");
    EXPECT_EXIT(runHelp({"-Locale=de", "-h", "all"}), testing::ExitedWithCode(1),
                "^[^\n]*\nCopyright \\(C\\) 2024 Tessary\\. Alle Rechte vorbehalten\\.\n.*\n"
                "OS: [^\n]*\n\nParameter werden mit -<param> ein- und mit .*\n"
                "Globale Parameter:\n  CompactLog     - .*\nProtokollnamen:\n");
}

}  // namespace

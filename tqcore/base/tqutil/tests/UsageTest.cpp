#include "tqutil/Usage.h"

#include "plat/tests/FileTestUtil.h"
#include "product/Product.h"
#include "product/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The help in the language of the settings before the help word: the product information
// (which follows every change of Locale), its system line, an empty line, the usage and the
// parameters, the log names only with "all"; then exit status 1.
TEST(UsageDeathTest, ProductInfoThenHelpThenExitStatus1) {
    GTEST_FLAG_SET(death_test_style, "fast");  // the child writes a file this test reads
    TempDir dir;
    const std::string outPath = dir / "out";
    struct Case {
        std::vector<const char*> args;
        bool germanAll;  // German and with "all": the log names are listed too
    } cases[] = {{{"-Locale=en", "-help"}, false},
                 {{"-Locale=en", "-help", "XML"}, false},  // no XML form yet: the normal help
                 {{"-Locale=de", "-h", "all"}, true}};
    for (const Case& c : cases) {
        std::vector<const char*> args = c.args;
        args.push_back(nullptr);
        EXPECT_EXIT(
            {
                if (!std::freopen(outPath.c_str(), "w", stdout)) std::exit(2);
                // English at start-up, whatever the machine's languages.
                for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
                    unsetenv(name);
                product::init({"tsryconnectsetup", "tqKivSetup_setupapp_name_r", ""});
                product::setVersion("3.0.0", "3.0.0.1");
                plat::Configuration::global()->processArgs(args.data(), tqutil::printUsageAndExit);
                std::exit(0);
            },
            testing::ExitedWithCode(1), "");
        std::string out = readFile(outPath);
        SCOPED_TRACE(out);
        const char* copyright = c.germanAll
                                    ? "\nCopyright (C) 2024 Tessary. Alle Rechte vorbehalten.\n"
                                    : "\nCopyright (C) 2024 Tessary. All rights reserved.\n";
        const char* usage = c.germanAll
                                ? "\n\nParameter werden mit -<param> ein- und mit"
                                : "\n\nParameters can be turned on with -<param> or off with";
        const char* line = c.germanAll
                               ? "\nGlobale Parameter:\n  CompactLog     - "
                               : "\n  LogKeepDays    - Keep log files for X days. (default=30)\n";
        EXPECT_EQ(out.find(copyright), out.find('\n'));  // the second line
        size_t systemLine = out.find("\nOS: ");
        ASSERT_NE(systemLine, std::string::npos);
        EXPECT_EQ(out.find(usage), out.find('\n', systemLine + 1));
        EXPECT_NE(out.find(line), std::string::npos);
        EXPECT_EQ(out.find(c.germanAll ? "\nProtokollnamen:\n" : "\nLog names:\n") !=
                      std::string::npos,
                  c.germanAll);
    }
}

}  // namespace

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

std::string infoPath;

// Runs at exit, after the help was printed: the product information as it was then.
void saveProductInfo() {
    if (FILE* f = std::fopen(infoPath.c_str(), "w")) {
        std::fputs(product::versionInfo().productInfo.c_str(), f);
        std::fclose(f);
    }
}

// The settings before the help word apply before it is printed: "-Locale=de" gives German.
TEST(UsageDeathTest, ProductInfoThenHelpThenExitStatus1) {
    GTEST_FLAG_SET(death_test_style, "fast");  // the child writes files this test reads
    TempDir dir;
    const std::string outPath = dir / "out";
    infoPath = dir / "info";
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
                product::init({"tsryconnectsetup", "tqKivSetup_setupapp_name_r", ""});
                product::setVersion("3.0.0", "3.0.0.1");
                std::atexit(saveProductInfo);
                plat::Configuration::global()->processArgs(args.data(), tqutil::printUsageAndExit);
                std::exit(0);
            },
            testing::ExitedWithCode(1), "");
        std::string out = readFile(outPath);
        std::string info = readFile(infoPath);
        ASSERT_FALSE(info.empty()) << c.args[0];
        const char* start = c.germanAll ? "Parameter werden mit -<param> ein- und mit"
                                        : "Parameters can be turned on with -<param> or off with";
        const char* line = c.germanAll
                               ? "\nGlobale Parameter:\n  CompactLog     - "
                               : "\n  LogKeepDays    - Keep log files for X days. (default=30)\n";
        EXPECT_EQ(out.rfind(info + "\n\n" + start, 0), 0u) << out;
        EXPECT_NE(out.find(line), std::string::npos) << out;
        EXPECT_EQ(out.find(c.germanAll ? "\nProtokollnamen:\n" : "\nLog names:\n") !=
                      std::string::npos,
                  c.germanAll)
            << out;
    }
}

}  // namespace

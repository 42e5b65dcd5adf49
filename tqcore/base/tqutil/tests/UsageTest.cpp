#include "tqutil/Usage.h"

#include "product/Product.h"
#include "product/VersionInfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
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

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The settings after the help word apply before it is printed: "-Locale=de" gives German.
TEST(UsageDeathTest, ProductInfoThenHelpThenExitStatus1) {
    GTEST_FLAG_SET(death_test_style, "fast");  // the child writes files this test reads
    const std::string base = testing::TempDir() + "usage_" + std::to_string(getpid());
    const std::string outPath = base + ".out";
    infoPath = base + ".info";
    struct Case {
        std::vector<const char*> args;
        const char* usageStart;
        const char* line;
        const char* logNames;  // title of the log names, shown only for "all"
        bool withLogNames;
    } cases[] = {
        {{"-help", "-Locale=en"},
         "Parameters can be turned on with -<param> or off with",
         "\n  LogKeepDays    - Keep log files for X days. (default=30)\n",
         "\nLog names:\n",
         false},
        {{"-help", "XML", "-Locale=en"},  // no XML form yet: the normal help
         "Parameters can be turned on with -<param> or off with",
         "\n  LogKeepDays    - Keep log files for X days. (default=30)\n",
         "\nLog names:\n",
         false},
        {{"-h", "all", "-Locale=de"},
         "Parameter werden mit -<param> ein- und mit",
         "\nGlobale Parameter:\n  CompactLog     - ",
         "\nProtokollnamen:\n",
         true},
    };
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
        EXPECT_EQ(out.rfind(info + "\n\n" + c.usageStart, 0), 0u) << out;
        EXPECT_NE(out.find(c.line), std::string::npos) << out;
        EXPECT_EQ(out.find(c.logNames) != std::string::npos, c.withLogNames) << out;
    }
    std::remove(outPath.c_str());
    std::remove(infoPath.c_str());
}

}  // namespace

#include "tqKivSetup/SetupApp.h"

#include "plat/tests/FileTestUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Runs the program's main with `args` after the program name, its standard output joined to
// standard error so that one pattern sees both. Start-up is once per process: each run is a
// child of the test.
int runSetup(std::vector<std::string> args) {
    dup2(2, 1);
    std::vector<char*> argv;
    std::string name = "tsryconnectsetup";
    argv.push_back(name.data());
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    return tqKivSetup::setupMain(int(argv.size() - 1), argv.data());
}

TEST(SetupAppDeathTest, BadArgumentEndsWithTheMessageAndStatusOne) {
    EXPECT_EXIT(std::exit(runSetup({"LogKeepDays=5", "bogus"})), testing::ExitedWithCode(1),
                "^Bad argument 'bogus'.  Run with -help for usage.\n$");
}

TEST(SetupAppDeathTest, StartsLoggingToTheFileAndEndsWithZero) {
    TempDir dir;
    std::string logDir = dir / "logs";
    EXPECT_EXIT(
        {
            int status = runSetup({"-LogDir", logDir, "LogKeepDays=7"});
            std::string log = readFile(logDir + "/tsryconnectsetup.log");
            bool ok = status == 0 &&
                      log.rfind("Tessary Connect Setup 3.0.0 (dev) (build 3.0.0.0)\n", 0) == 0 &&
                      log.find("ConfigParameter: set LogKeepDays(int) to 7, priority 10\n") !=
                          std::string::npos;
            std::exit(ok ? 0 : 2);
        },
        testing::ExitedWithCode(0), "^$");
}

}  // namespace

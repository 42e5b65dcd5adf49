#include "tqKivSetup/SetupApp.h"

#include "plat/tests/FileTestUtil.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
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

// Under a file size limit (ulimit -f) with standard error a regular file, SIGXFSZ at its
// default: the log's failed write, and its report where that crosses the limit too, fail with
// EFBIG instead of ending the program. With 512 bytes the log's header does not fit but the
// report does; with none, nothing fits.
TEST(SetupAppDeathTest, FileSizeLimitFailsWritesButNotTheProgram) {
    struct Case {
        rlim_t limit;
        const char* errors;  // what standard error holds, as a regular expression
    } cases[] = {{0, ""}, {512, "Error writing log file: [^\n]*File too large[^\n]*\n"}};
    for (const Case& c : cases) {
        TempDir dir;
        std::string logDir = dir / "logs", errors = dir / "errors";
        EXPECT_EXIT(
            {
                dup2(open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600), 2);
                limitFileSize(c.limit, false);
                std::exit(runSetup({"-LogDir", logDir}));
            },
            testing::ExitedWithCode(0), "")
            << "limit " << c.limit;
        EXPECT_THAT(readFile(errors), testing::MatchesRegex(c.errors)) << "limit " << c.limit;
        EXPECT_EQ(readFile(logDir + "/tsryconnectsetup.log"), "") << "limit " << c.limit;
    }
}

}  // namespace

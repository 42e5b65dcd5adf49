#include "os/AppLoop.h"

#include "plat/LogSrc.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

struct TestLoop : os::AppLoop {
    void runLoop() override {
        loggingWasReady = plat::loggingInitialised();
        exit(3);
    }
    void stopLoop() override { stopped = true; }
    bool loggingWasReady = false, stopped = false;
};

// Catches: the loop run before logging is declared initialised (the stored lines would wait
// until the program ends), the exit code lost, and exit() not waking the loop.
TEST(AppLoopDeathTest, InitialisesLoggingThenRunsUntilExit) {
    TestLoop loop;
    EXPECT_EXIT(std::exit(loop.run() == 3 && loop.loggingWasReady && loop.stopped ? 0 : 1),
                testing::ExitedWithCode(0), "");
}

}  // namespace

#include "os/AppLoop.h"

#include "plat/LogSrc.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

class TestLoop : public os::AppLoop {
public:
    bool loggingWasReady = false, stopped = false;

protected:
    void runLoop() override {
        loggingWasReady = plat::loggingInitialised();
        exit(3);
    }
    void stopLoop() override { stopped = true; }
};

// Catches: the loop run before logging is declared initialised (the stored lines would wait
// until the program ends), the exit code lost, and exit() not waking the loop.
TEST(AppLoopDeathTest, InitialisesLoggingThenRunsUntilExit) {
    EXPECT_EXIT(
        {
            TestLoop loop;
            int code = loop.run();
            std::exit(code == 3 && loop.loggingWasReady && loop.stopped && loop.exiting() ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

}  // namespace

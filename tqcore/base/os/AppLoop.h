// os::AppLoop: the program's application loop, run on the main thread until it is told to exit.
//
// run() first declares logging initialised (plat::initLogging), so that the lines held since
// start-up reach their destinations once the application runs, and then hands over to the loop
// of the platform's back end, a subclass: the event manager of the thread, or the run loop of
// the user interface that drives it. The exit code given to exit() is what run() returns.
#pragma once

namespace os {

class AppLoop {
public:
    virtual ~AppLoop() = default;
    AppLoop(const AppLoop&) = delete;
    AppLoop& operator=(const AppLoop&) = delete;

    // Calls plat::initLogging, then runs the loop until exit() stops it; returns the code given
    // to exit() (0 when the loop ended on its own). Exceptions of the loop pass on.
    int run();
    // Records `code` and asks the loop to stop; the loop returns once the callback that called
    // this has finished. Called before run(), the loop ends at its first look at exiting().
    void exit(int code);
    bool exiting() const { return exiting_; }

protected:
    AppLoop() = default;
    // Runs the loop until stopLoop() or exiting() tells it to end.
    virtual void runLoop() = 0;
    // Wakes the loop so that it ends; called by exit() on the loop's thread.
    virtual void stopLoop() = 0;

private:
    int exitCode_ = 0;      // what run() returns
    bool exiting_ = false;  // exit() was called
};

}  // namespace os

#include "os/AppLoop.h"

#include "plat/LogSrc.h"

namespace os {

int AppLoop::run() {
    plat::initLogging();
    runLoop();
    return exitCode_;
}

void AppLoop::exit(int code) {
    exitCode_ = code;
    exiting_ = true;
    stopLoop();
}

}  // namespace os

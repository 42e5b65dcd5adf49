// The test helper of the log channel: a child that logs as the privileged helper does
// ("*:ipc:200", through the "ipc" destination over its pipe pair; arguments: read fd, write
// fd). At each level the parent announces it writes a line at each of 10, 50 and 150 that its
// source lets through, then at level 0 how many passed. Ends with 0 when the parent closes.
#include "io/MsgIpc.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDestIpc.h"
#include "plat/LogSrc.h"

#include <csignal>
#include <cstdlib>

plat::LogSrc childLog("Child");

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    signal(SIGPIPE, SIG_IGN);  // a parent that has gone ends the loop, not the process
    io::FdManager manager;
    plat::LogDestIpc& dest = plat::LogDestIpc::instance();
    plat::logParam().setParam("*:ipc:200", 0);
    plat::initLogging();
    io::MsgIpc ipc("Parent", std::atoi(argv[1]), std::atoi(argv[2]), true);
    dest.setIpc(&ipc);
    for (int seen = -2; ipc.isConnected(); manager.dispatch(-1)) {
        if (!dest.isReady() || dest.level() == seen) continue;
        int passed = 0;
        for (int level : {10, 50, 150})
            if (childLog.enabled(level) && ++passed)
                childLog.writeAtLevel(level, "level %d: line at %d", dest.level(), level);
        childLog.error("level %d: %d of 3 lines pass", dest.level(), passed);
        seen = dest.level();
    }
    return 0;
}

// The test helper of the log channel: a child process that logs the way the privileged helper
// does ("*:ipc:200", through the "ipc" destination over its pipe pair to the parent).
//
//   log_channel_helper <read fd> <write fd> levels
//       Whenever the parent announces a level, logs one line at each of 10, 50 and 150 that
//       its source lets through, then at level 0 how many of the three passed.
//   log_channel_helper <read fd> <write fd> lines <count>
//       Once the parent has announced a level, logs <count> lines at level 30, letting the
//       event loop send them every 500 lines, then "done".
// Either way it ends with status 0 when the parent closes the channel, 2 on bad arguments.
#include "io/MsgIpc.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDestIpc.h"
#include "plat/LogSrc.h"

#include <csignal>
#include <cstdlib>
#include <cstring>

namespace {

plat::LogSrc childLog("Child");

void logBatch(int announced) {
    int passed = 0;
    for (int level : {10, 50, 150}) {
        if (!childLog.enabled(level)) continue;
        childLog.writeAtLevel(level, "level %d: line at %d", announced, level);
        ++passed;
    }
    childLog.error("level %d: %d of 3 lines pass", announced, passed);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return 2;
    bool lines = std::strcmp(argv[3], "lines") == 0;
    if (!lines && std::strcmp(argv[3], "levels") != 0) return 2;
    if (lines && argc < 5) return 2;
    signal(SIGPIPE, SIG_IGN);

    io::FdManager manager;
    plat::LogDestIpc& dest = plat::LogDestIpc::instance();
    plat::logParam().setParam("*:ipc:200", 0);
    plat::initLogging();
    io::MsgIpc ipc("Parent", std::atoi(argv[1]), std::atoi(argv[2]), true);
    dest.setIpc(&ipc);

    int seen = -2;  // no announced level yet
    long sent = 0, count = lines ? std::atol(argv[4]) : 0;
    while (ipc.isConnected()) {
        manager.dispatch(lines && dest.isReady() && sent < count ? 0 : -1);
        if (!dest.isReady()) continue;
        if (lines) {
            for (int i = 0; i < 500 && sent < count; ++i)
                childLog.info("line %ld of a long run of lines sent to the parent", ++sent);
            if (sent == count) childLog.info("done"), ++sent;
        } else if (dest.level() != seen) {
            seen = dest.level();
            logBatch(seen);
        }
    }
    return 0;
}

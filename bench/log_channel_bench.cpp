// The helper's log channel: lines per second from a child process (logging with "*:ipc:200",
// as the privileged helper does) over a real pipe pair into the parent's log file, written
// there by the parent's "Admin" source, against the parent writing the same lines into its log
// file itself. Both write through the same file destination, flushed per line. The timing of the
// channel starts when the parent announces its level (the child is started and waiting) and
// ends when the child's last line has been written to the file.
#include "io/MsgIpc.h"
#include "plat/ConfigParameter.h"
#include "plat/LogDestFile.h"
#include "plat/LogDestIpc.h"
#include "plat/LogSrcViaIpc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

plat::LogSrcViaIpc admin("Admin");
plat::LogSrc own("Owner");  // as long a name as "Admin"
plat::LogSrc childLog("Child");

void useLogFile() {
    static bool done = [] {
        signal(SIGPIPE, SIG_IGN);
        char pattern[] = "/tmp/log_channel_bench.XXXXXX";
        std::string dir = mkdtemp(pattern);
        plat::LogDestFile::fileDest("bench", false)->setFileName((dir + "/bench.log").c_str());
        plat::LogSrc::setLogSetting("Admin:file:100,Owner:file:100");
        return true;
    }();
    (void)done;
}

// Watches for the child's last line, then lets "Admin" have each line.
struct Counter : io::MsgIpc::Reader {
    bool handleMessage(io::MsgIpc*, rdr::InStream& in) override {
        in.skip(4);
        in.skip(in.readU8());
        char text[4];
        done = in.readU32() == 4 && std::memcmp(in.readBytes(text, 4), "done", 4) == 0;
        return false;
    }
    bool done = false;
};

// The child: once the parent has announced its level, `count` lines at level 30, sent by the
// event loop every 500 lines, then "done"; it ends when the parent closes the channel.
int runChild(int readFd, int writeFd, long count, io::FdManager& manager) {
    plat::LogDestIpc& dest = plat::LogDestIpc::instance();
    plat::LogSrc::setLogSetting("*:ipc:200");
    plat::initLogging();
    io::MsgIpc ipc("Parent", readFd, writeFd, true);
    dest.setIpc(&ipc);
    long sent = 0;
    while (ipc.isConnected()) {
        manager.dispatch(dest.isReady() && sent <= count ? 0 : -1);
        if (!dest.isReady()) continue;
        for (int i = 0; i < 500 && sent < count; ++i)
            childLog.info("line %ld of a long run of lines sent to the parent", ++sent);
        if (sent == count) childLog.info("done"), ++sent;
    }
    return 0;
}

void BM_OwnLines(benchmark::State& state) {
    useLogFile();
    long count = state.range(0);
    for (auto _ : state) {
        for (long i = 1; i <= count; ++i)
            own.info("Child: line %ld of a long run of lines sent to the parent", i);
        own.info("Child: done");
    }
    state.SetItemsProcessed(state.iterations() * (count + 1));
}

void BM_ChildLinesOverThePipePair(benchmark::State& state) {
    useLogFile();
    long count = state.range(0);
    io::FdManager manager;
    for (auto _ : state) {
        int toChild[2], toParent[2];
        if (pipe2(toChild, O_CLOEXEC) != 0 || pipe2(toParent, O_CLOEXEC) != 0) std::abort();
        pid_t pid = fork();
        if (pid == 0) {
            close(toChild[1]);
            close(toParent[0]);
            _exit(runChild(toChild[0], toParent[1], count, manager));
        }
        close(toChild[0]);
        close(toParent[1]);
        {
            io::MsgIpc ipc("Helper", toParent[0], toChild[1], true);
            Counter counter;
            ipc.addReader("logMsg", &counter);
            auto start = std::chrono::steady_clock::now();
            admin.enableIpc(&ipc, true);
            while (!counter.done && ipc.isConnected())
                manager.dispatch(-1);
            auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
            state.SetIterationTime(seconds.count());
            if (!counter.done) state.SkipWithError("the child's last line never came");
            admin.enableIpc(&ipc, false);
            ipc.removeReader(&counter);
        }
        int status;
        waitpid(pid, &status, 0);
    }
    state.SetItemsProcessed(state.iterations() * (count + 1));
}

}  // namespace

BENCHMARK(BM_OwnLines)->Arg(100000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChildLinesOverThePipePair)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

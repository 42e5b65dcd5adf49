// Logging against spdlog, in the same binary on the same work:
// - a suppressed debug line: our one-comparison level gate against spdlog's disabled level;
// - one line written to a log file and flushed, against spdlog's basic_file_sink_mt with a
//   flush after every line, on one thread and on four writing to the same file at once. Both
//   write full lines with the same fields: a level, a UTC time stamp, the host, the program and
//   its process id, the source and the text.
// The process ignores SIGXFSZ, as the program does. Each run of a file benchmark starts both
// files empty, and the scratch directory is removed when the binary ends, so a run leaves
// nothing behind however many lines it wrote.
#include "os/HostName.h"
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"

#include <benchmark/benchmark.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

plat::LogSrc benchLog("Bench");

std::string scratchDir() {
    static std::string dir = [] {
        char pattern[] = "/tmp/log_bench.XXXXXX";
        return std::string(mkdtemp(pattern));
    }();
    return dir;
}

std::string ourPath() {
    return scratchDir() + "/ours.log";
}

std::string peerPath() {
    return scratchDir() + "/peer.log";
}

plat::LogDestFile* ourFile() {
    static plat::LogDestFile* dest = [] {
        auto* d = new plat::LogDestFile("benchfile", "bench", nullptr);
        d->setFileName(ourPath().c_str());
        return d;
    }();
    return dest;
}

std::shared_ptr<spdlog::logger> peerFile() {
    static auto logger = [] {
        auto l = spdlog::basic_logger_mt("bench", peerPath(), true);
        l->set_pattern("<%l> %Y-%m-%dT%H:%M:%S.%eZ " + std::string(os::getLocalHostName().c_str()) +
                           " bench[%P]: %n: %v",
                       spdlog::pattern_time_type::utc);
        l->set_level(spdlog::level::info);
        l->flush_on(spdlog::level::trace);
        return l;
    }();
    return logger;
}

// Both files appended to with O_APPEND: cutting them to nothing is seen by the next write.
void emptyFiles() {
    ourFile();
    peerFile();
    if (truncate(ourPath().c_str(), 0) != 0 || truncate(peerPath().c_str(), 0) != 0)
        std::perror("truncate");
}

void startOurs(benchmark::State& state) {
    if (state.thread_index() != 0) return;  // the others wait at the start of the loop
    emptyFiles();
    plat::LogSrc::setLogSetting("Bench:benchfile:30");
    plat::initLogging();
}

void BM_SuppressedDebug_Ours(benchmark::State& state) {
    startOurs(state);
    int i = 0;
    for (auto _ : state)
        benchLog.debug("value %d", i++);
}

void BM_SuppressedDebug_Spdlog(benchmark::State& state) {
    auto logger = peerFile();
    int i = 0;
    for (auto _ : state)
        logger->debug("value {}", i++);
}

void BM_FileLineFlushed_Ours(benchmark::State& state) {
    startOurs(state);
    int i = 0;
    for (auto _ : state)
        benchLog.info("connection %d accepted from %s", i++, "192.0.2.7");
}

void BM_FileLineFlushed_Spdlog(benchmark::State& state) {
    if (state.thread_index() == 0) emptyFiles();
    auto logger = peerFile();
    int i = 0;
    for (auto _ : state)
        logger->info("connection {} accepted from {}", i++, "192.0.2.7");
}

BENCHMARK(BM_SuppressedDebug_Ours);
BENCHMARK(BM_SuppressedDebug_Spdlog);
BENCHMARK(BM_FileLineFlushed_Ours)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(BM_FileLineFlushed_Spdlog)->Threads(1)->Threads(4)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    // As the program does at start-up: a write past a file size limit then fails with EFBIG, and
    // the log needs no check of its own per line.
    std::signal(SIGXFSZ, SIG_IGN);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Nothing of the run stays in /tmp.
    unlink(ourPath().c_str());
    unlink(peerPath().c_str());
    rmdir(scratchDir().c_str());
    return 0;
}

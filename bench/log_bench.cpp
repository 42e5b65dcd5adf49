// Logging against spdlog, in the same binary on the same work:
// - a suppressed debug line: our one-comparison level gate against spdlog's disabled level;
// - one line written to a log file and flushed, against spdlog's basic_file_sink_mt with a
//   flush after every line. Both write full lines with a time stamp, a level and a source.
#include "plat/LogDestFile.h"
#include "plat/LogSrc.h"

#include <benchmark/benchmark.h>
#include <spdlog/sinks/basic_file_sink.h>
#include <spdlog/spdlog.h>

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

plat::LogDestFile* ourFile() {
    static plat::LogDestFile* dest = [] {
        auto* d = new plat::LogDestFile("benchfile", "bench", nullptr);
        d->setFileName((scratchDir() + "/ours.log").c_str());
        return d;
    }();
    return dest;
}

std::shared_ptr<spdlog::logger> peerFile() {
    static auto logger = [] {
        auto l = spdlog::basic_logger_mt("bench", scratchDir() + "/peer.log", true);
        l->set_pattern("<%l> %Y-%m-%dT%H:%M:%S.%eZ host bench[%P]: %n: %v",
                       spdlog::pattern_time_type::utc);
        l->set_level(spdlog::level::info);
        l->flush_on(spdlog::level::trace);
        return l;
    }();
    return logger;
}

void BM_SuppressedDebug_Ours(benchmark::State& state) {
    ourFile();
    plat::LogSrc::setLogSetting("Bench:benchfile:30");
    plat::initLogging();
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
    ourFile();
    plat::LogSrc::setLogSetting("Bench:benchfile:30");
    plat::initLogging();
    int i = 0;
    for (auto _ : state)
        benchLog.info("connection %d accepted from %s", i++, "192.0.2.7");
}

void BM_FileLineFlushed_Spdlog(benchmark::State& state) {
    auto logger = peerFile();
    int i = 0;
    for (auto _ : state)
        logger->info("connection {} accepted from {}", i++, "192.0.2.7");
}

BENCHMARK(BM_SuppressedDebug_Ours);
BENCHMARK(BM_SuppressedDebug_Spdlog);
BENCHMARK(BM_FileLineFlushed_Ours);
BENCHMARK(BM_FileLineFlushed_Spdlog);

}  // namespace

BENCHMARK_MAIN();

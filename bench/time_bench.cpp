// The ISO 8601 UTC time stamp of every log line: plat::Time::formatIsoUtc against the C
// library's gmtime_r and snprintf of the same format, over the same spread of times.
#include "plat/Time.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <vector>

namespace {

std::vector<int64_t> sampleTimes() {
    std::vector<int64_t> times;
    uint64_t state = 12345;
    for (int i = 0; i < 4096; ++i) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        // 1970 to about 2106, with every fraction.
        times.push_back(plat::Time::kUnixEpoch + int64_t(state >> 32) * plat::Time::kSecond +
                        int64_t(state % plat::Time::kSecond));
    }
    return times;
}

void BM_FormatIsoUtc(benchmark::State& state) {
    std::vector<int64_t> times = sampleTimes();
    size_t i = 0;
    for (auto _ : state) {
        plat::String text = plat::Time::formatIsoUtc(times[i++ & 4095], true);
        benchmark::DoNotOptimize(text.get());
    }
}
BENCHMARK(BM_FormatIsoUtc);

void BM_GmtimeSnprintf(benchmark::State& state) {
    std::vector<int64_t> times = sampleTimes();
    size_t i = 0;
    for (auto _ : state) {
        int64_t time = times[i++ & 4095];
        time_t seconds = time_t((time - plat::Time::kUnixEpoch) / plat::Time::kSecond);
        int milliseconds = int(time % plat::Time::kSecond / plat::Time::kMillisecond);
        struct tm fields;
        gmtime_r(&seconds, &fields);
        char text[64];
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%03dZ",
                      fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                      fields.tm_min, fields.tm_sec, milliseconds);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(BM_GmtimeSnprintf);

}  // namespace

BENCHMARK_MAIN();

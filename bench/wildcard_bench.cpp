// Log source selection: ours against fnmatch with FNM_CASEFOLD, each pattern matched against
// every name of a list like the log sources of the program, and against 1 MiB of log text
// (lines picked at random from fixed ones) that none of the long-text patterns matches.
#include "plat/Wildcard.h"

#include <benchmark/benchmark.h>
#include <fnmatch.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<const char*> kNames = {
    "Assertion",  "Config",      "ConfigStore", "FdInStream",    "FdOutStream",   "FdManager",
    "FileStream", "LogDestFile", "LogDestIpc",  "LogDestMemory", "LogDestStderr", "MarkupParser",
    "Socket:Tcp", "Socket:Unix", "Http:Client", "Http:Proxy",    "TlsSession",    "Timer",
    "ThreadPool", "XmlParser",   "Locale",      "Translation",   "Admin",         "Helper:Ipc",
    "Cloud:Auth", "Cloud:Token", "ImageUtil",   "PasswordStore", "Updater",       "Wizard",
};

const char* const kPatterns[] = {"*", "Fd*", "*dest*", "*:*", "*stream*buffer"};

void BM_Wildcard_Ours(benchmark::State& state) {
    const char* pattern = kPatterns[state.range(0)];
    state.SetLabel(pattern);
    for (auto _ : state) {
        int matches = 0;
        for (const char* name : kNames)
            matches += plat::wildcardMatch(pattern, name, false);
        benchmark::DoNotOptimize(matches);
    }
}

void BM_Wildcard_Fnmatch(benchmark::State& state) {
    const char* pattern = kPatterns[state.range(0)];
    state.SetLabel(pattern);
    for (auto _ : state) {
        int matches = 0;
        for (const char* name : kNames)
            matches += fnmatch(pattern, name, FNM_CASEFOLD) == 0;
        benchmark::DoNotOptimize(matches);
    }
}

const char* const kLines[] = {
    "2026-12-06 20:30:01 Socket:Tcp: connection from 192.168.10.4 accepted on port 5900\n",
    "2026-12-06 20:30:02 FdInStream: read 4096 bytes in 3 ms\n",
    "2026-12-06 20:30:02 TlsSession: handshake done, cipher AES-256-GCM\n",
    "2026-12-06 20:30:03 Config: parameter Log set to *:stderr:30\n",
    "2026-12-06 20:30:04 Updater: next check at 09:30, channel stable\n",
    "2026-12-06 20:30:05 Http:Proxy: retrying the request after a timeout of 30 s\n",
};

const char* const kLongPatterns[] = {"*dest*", "*stream*buffer*", "*proxy*refused*"};

const std::string& logText() {
    static const std::string text = [] {
        std::mt19937 random(3);
        std::string out;
        while (out.size() < (1 << 20))
            out += kLines[random() % (sizeof kLines / sizeof *kLines)];
        return out;
    }();
    return text;
}

void BM_WildcardLong_Ours(benchmark::State& state) {
    const char* pattern = kLongPatterns[state.range(0)];
    state.SetLabel(pattern);
    const std::string& text = logText();
    if (plat::wildcardMatch(pattern, text.c_str(), false)) state.SkipWithError("matched");
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::wildcardMatch(pattern, text.c_str(), false));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_WildcardLong_Fnmatch(benchmark::State& state) {
    const char* pattern = kLongPatterns[state.range(0)];
    state.SetLabel(pattern);
    const std::string& text = logText();
    if (fnmatch(pattern, text.c_str(), FNM_CASEFOLD) == 0) state.SkipWithError("matched");
    for (auto _ : state)
        benchmark::DoNotOptimize(fnmatch(pattern, text.c_str(), FNM_CASEFOLD) == 0);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

BENCHMARK(BM_Wildcard_Ours)->DenseRange(0, 4);
BENCHMARK(BM_Wildcard_Fnmatch)->DenseRange(0, 4);
BENCHMARK(BM_WildcardLong_Ours)->DenseRange(0, 2);
BENCHMARK(BM_WildcardLong_Fnmatch)->DenseRange(0, 2);

}  // namespace

BENCHMARK_MAIN();

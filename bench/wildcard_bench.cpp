// Log source selection: ours against fnmatch with FNM_CASEFOLD, each pattern matched against
// every name of a list like the log sources of the program.
#include "plat/Wildcard.h"

#include <benchmark/benchmark.h>
#include <fnmatch.h>

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

BENCHMARK(BM_Wildcard_Ours)->DenseRange(0, 4);
BENCHMARK(BM_Wildcard_Fnmatch)->DenseRange(0, 4);

}  // namespace

BENCHMARK_MAIN();

// Regular-expression search with captures: ours against RE2 and std::regex (ECMAScript), the
// same pattern over the same text, every group requested from each.
#include "plat/Regex.h"

#include <benchmark/benchmark.h>
#include <re2/re2.h>

#include <random>
// g++ 12 sees std::regex's own state as maybe uninitialised at -O1 (the sanitizer build).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>
#include <string>
#include <vector>

namespace {

// 1 MiB of lower-case words; `tail` is put at the very end so that every search runs through
// the whole text.
std::string makeText(const std::string& tail) {
    std::mt19937 random(5);
    std::string text;
    while (text.size() < (1u << 20) - tail.size()) {
        for (size_t n = 2 + random() % 8; n > 0; --n)
            text += char('a' + random() % 26);
        text += random() % 7 ? ' ' : '\n';
    }
    text.resize((1u << 20) - tail.size());
    return text + tail;
}

struct Case {
    const char* name;
    const char* pattern;
    std::string text;
};

const std::vector<Case>& cases() {
    static const std::vector<Case> all = {
        {"literal", "needle in haystack", makeText(" needle in haystack")},
        {"10 words", "(alpha|bravo|charlie|delta|echo|foxtrot|golf|hotel|india|juliet)x",
         makeText(" julietx")},
        {"email", "([a-z0-9._]+)@([a-z0-9]+)\\.([a-z][a-z]+)", makeText(" someone@example.org")},
    };
    return all;
}

// (a|a)*b over n "a": no match, and a backtracking matcher tries 2^n ways.
std::string pathologicalText(int n) {
    return std::string(size_t(n), 'a');
}

void BM_Regex_Ours(benchmark::State& state) {
    const Case& c = cases()[size_t(state.range(0))];
    state.SetLabel(c.name);
    auto re = plat::Regex::create(c.pattern);
    const char* starts[4];
    const char* ends[4];
    for (auto _ : state) {
        const char* end = c.text.data() + c.text.size();
        benchmark::DoNotOptimize(re->exec(c.text.data(), &end, starts, ends, 4));
        if (!end) state.SkipWithError("no match");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.text.size()));
}

void BM_Regex_Re2(benchmark::State& state) {
    const Case& c = cases()[size_t(state.range(0))];
    state.SetLabel(c.name);
    RE2 re(c.pattern);
    re2::StringPiece groups[4];
    int n = 1 + re.NumberOfCapturingGroups();
    for (auto _ : state) {
        bool found = re.Match(c.text, 0, c.text.size(), RE2::UNANCHORED, groups, n);
        if (!found) state.SkipWithError("no match");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.text.size()));
}

void BM_Regex_Std(benchmark::State& state) {
    const Case& c = cases()[size_t(state.range(0))];
    state.SetLabel(c.name);
    std::regex re(c.pattern, std::regex::ECMAScript);
    std::smatch m;
    for (auto _ : state) {
        if (!std::regex_search(c.text, m, re)) state.SkipWithError("no match");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(c.text.size()));
}

void BM_Pathological_Ours(benchmark::State& state) {
    std::string text = pathologicalText(int(state.range(0)));
    auto re = plat::Regex::create("(a|a)*b");
    const char* starts[1];
    const char* ends[1];
    for (auto _ : state)
        benchmark::DoNotOptimize(re->exec(text.c_str(), nullptr, starts, ends, 1));
}

void BM_Pathological_Re2(benchmark::State& state) {
    std::string text = pathologicalText(int(state.range(0)));
    RE2 re("(a|a)*b");
    re2::StringPiece groups[2];
    for (auto _ : state)
        benchmark::DoNotOptimize(re.Match(text, 0, text.size(), RE2::UNANCHORED, groups, 2));
}

void BM_Pathological_Std(benchmark::State& state) {
    std::string text = pathologicalText(int(state.range(0)));
    std::regex re("(a|a)*b", std::regex::ECMAScript);
    std::smatch m;
    for (auto _ : state)
        benchmark::DoNotOptimize(std::regex_search(text, m, re));
}

BENCHMARK(BM_Regex_Ours)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regex_Re2)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Regex_Std)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pathological_Ours)->Arg(12)->Arg(16)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pathological_Re2)->Arg(12)->Arg(16)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pathological_Std)->Arg(12)->Arg(16)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

#pragma GCC diagnostic pop

// UTF-8 validation: plat::utf8IsValid against GLib's g_utf8_validate on 1 MiB of ASCII, of
// accented Latin text and of CJK text. Ours also rejects non-characters, which GLib accepts.
#include "plat/Utf8.h"

#include <benchmark/benchmark.h>
#include <glib.h>

#include <string>

namespace {

std::string repeatTo(const std::string& piece, size_t size) {
    std::string out;
    while (out.size() + piece.size() <= size)
        out += piece;
    return out;
}

const std::string& sample(int kind) {
    static const std::string texts[] = {
        repeatTo("The quick brown fox jumps over the lazy dog; log line 1234567890. ", 1 << 20),
        repeatTo("Fran\xC3\xA7"
                 "ais: d\xC3\xA9j\xC3\xA0 vu, na\xC3\xAFve, "
                 "Stra\xC3\x9F"
                 "e \xC3\xBC"
                 "ber M\xC3\xBC"
                 "nchen, se\xC3\xB1or. ",
                 1 << 20),
        repeatTo("\xE8\xBF\x9C\xE7\xA8\x8B\xE8\xAE\xBF\xE9\x97\xAE\xE5\xAE\x89\xE8\xA3\x85"
                 "\xE7\xA8\x8B\xE5\xBA\x8F\xE3\x81\xAE\xE8\xA8\xAD\xE5\xAE\x9A\xEA\xB0\x80",
                 1 << 20),
    };
    return texts[kind];
}

void BM_Ours(benchmark::State& state) {
    const std::string& text = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(plat::utf8IsValid(text.data(), text.data() + text.size()));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_GLib(benchmark::State& state) {
    const std::string& text = sample(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(g_utf8_validate(text.data(), gssize(text.size()), nullptr));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// 0: ASCII, 1: accented Latin, 2: CJK.
BENCHMARK(BM_Ours)->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_GLib)->Arg(0)->Arg(1)->Arg(2);

}  // namespace

BENCHMARK_MAIN();

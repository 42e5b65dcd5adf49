// Localisation: (a) a translated look-up, loc::Localize::translate of a present key, against
// GNU gettext's dgettext on a catalogue of the same 2000 keys, on one thread and on four at once
// (each thread walks the keys from its own starting point); (b) registering N rows of one
// language in ascending key order, whose time per row must stay flat as N grows; (c) formatting
// "%1$S copied %2$D files to %3$S" against snprintf with "%1$s copied %2$d files to %3$s".
//
// Set-up of the gettext peer: the catalogue is written as a .po file into a fresh temporary
// directory at run time, compiled with msgfmt (from the gettext package) into
// <dir>/de/LC_MESSAGES/tqbench.mo, bound with bindtextdomain, and the process's LC_MESSAGES is set
// to de_DE.UTF-8 (LANGUAGE unset). Without msgfmt or that locale the peer reports an error. The
// directory is removed when the binary ends.
#include "loc/Format.h"
#include "loc/Localize.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <libintl.h>
#include <locale.h>
#include <string>
#include <vector>

namespace {

constexpr int kLookupKeys = 2000;

// Keys and texts live for the whole process: the registry borrows them.
struct LookupData {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    LookupData() {
        for (int i = 0; i < kLookupKeys; ++i) {
            char key[64];
            std::snprintf(key, sizeof key, "bench_page_item_%05d_label", i);
            keys.push_back(key);
            texts.push_back(std::string("Beschriftung ") + std::to_string(i));
        }
    }
};
const LookupData& lookupData() {
    static const LookupData* const data = new LookupData;
    return *data;
}

bool prepareOurs() {
    static const bool ready = [] {
        const LookupData& data = lookupData();
        loc::Localize& registry = loc::Localize::instance();
        for (int i = 0; i < kLookupKeys; ++i)
            registry.addTranslation("de", data.keys[i].c_str(), data.texts[i].c_str());
        plat::StringList list;
        list.emplace_back("de_DE");
        registry.setLocales(list, loc::TransMap::process());
        return true;
    }();
    return ready;
}

// The gettext catalogue's directory, removed when the binary ends; empty until made.
std::string& catalogueDir() {
    static std::string* const dir = new std::string;
    return *dir;
}

std::string prepareGettext() {
    static const std::string error = []() -> std::string {
        char dirTemplate[] = "/tmp/loc_bench.XXXXXX";
        if (!mkdtemp(dirTemplate)) return "mkdtemp failed";
        std::string dir = dirTemplate;
        catalogueDir() = dir;
        std::string messages = dir + "/de/LC_MESSAGES";
        if (std::system(("mkdir -p '" + messages + "'").c_str()) != 0) return "mkdir failed";
        std::string po = dir + "/tqbench.po";
        FILE* f = std::fopen(po.c_str(), "w");
        if (!f) return "cannot write the .po file";
        std::fprintf(f, "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n\n");
        const LookupData& data = lookupData();
        for (int i = 0; i < kLookupKeys; ++i)
            std::fprintf(f, "msgid \"%s\"\nmsgstr \"%s\"\n\n", data.keys[i].c_str(),
                         data.texts[i].c_str());
        std::fclose(f);
        if (std::system(("msgfmt -o '" + messages + "/tqbench.mo' '" + po + "'").c_str()) != 0)
            return "msgfmt failed (install gettext)";
        unsetenv("LANGUAGE");
        // Messages only: the numbers of the report stay in the C locale.
        if (!setlocale(LC_MESSAGES, "de_DE.UTF-8")) return "no de_DE.UTF-8 locale";
        bindtextdomain("tqbench", dir.c_str());
        bind_textdomain_codeset("tqbench", "UTF-8");
        const char* probe = dgettext("tqbench", data.keys[7].c_str());
        if (data.texts[7] != probe) return "gettext did not translate";
        return "";
    }();
    return error;
}

void BM_Lookup_Ours(benchmark::State& state) {
    prepareOurs();
    const LookupData& data = lookupData();
    loc::Localize& registry = loc::Localize::instance();
    if (std::string(registry.translate(data.keys[7].c_str(), nullptr, 0, false)) != data.texts[7]) {
        state.SkipWithError("registry did not translate");
        return;
    }
    size_t i = size_t(state.thread_index()) * 101;
    for (auto _ : state) {
        benchmark::DoNotOptimize(registry.translate(data.keys[i].c_str(), nullptr, 0, false));
        i = (i + 617) % kLookupKeys;
    }
}

void BM_Lookup_Gettext(benchmark::State& state) {
    std::string error = prepareGettext();
    if (!error.empty()) {
        state.SkipWithError(error.c_str());
        return;
    }
    const LookupData& data = lookupData();
    size_t i = size_t(state.thread_index()) * 101;
    for (auto _ : state) {
        benchmark::DoNotOptimize(dgettext("tqbench", data.keys[i].c_str()));
        i = (i + 617) % kLookupKeys;
    }
}

// Each run registers into a language of its own, as a fresh catalogue would.
void BM_Register(benchmark::State& state) {
    const int rows = int(state.range(0));
    static std::vector<std::string>* const keys = new std::vector<std::string>;
    while (int(keys->size()) < rows) {
        char key[64];
        std::snprintf(key, sizeof key, "bench_register_%06zu_text", keys->size());
        keys->push_back(key);
    }
    static int run = 0;
    loc::Localize& registry = loc::Localize::instance();
    for (auto _ : state) {
        std::string language = "reg" + std::to_string(++run);
        for (int i = 0; i < rows; ++i)
            registry.addTranslation(language.c_str(), (*keys)[i].c_str(), "Text");
    }
    // Seconds per row, printed with an SI prefix ("90n" is 90 ns).
    state.counters["per_row"] = benchmark::Counter(
        double(rows), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

const char* const kFileName = "Quarterly report.pdf";
const char* const kFolder = "/Users/shared/Documents/Reports";

void BM_Format_Ours(benchmark::State& state) {
    loc::FormatArg folder = loc::FormatArg::ofString(kFolder);
    loc::FormatArg count = loc::FormatArg::ofInt(12, &folder);
    loc::FormatArg file = loc::FormatArg::ofString(kFileName, &count);
    plat::String out;
    for (auto _ : state) {
        loc::formatTranslation(out, "%1$S copied %2$D files to %3$S", &file);
        benchmark::DoNotOptimize(out.get());
    }
}

void BM_Format_Snprintf(benchmark::State& state) {
    char out[256];
    for (auto _ : state) {
        std::snprintf(out, sizeof out, "%1$s copied %2$d files to %3$s", kFileName, 12, kFolder);
        benchmark::DoNotOptimize(out);
    }
}

// Four threads look up at once through the process view, as worker threads do.
BENCHMARK(BM_Lookup_Ours)->Threads(1)->Threads(4)->UseRealTime();
BENCHMARK(BM_Lookup_Gettext)->Threads(1)->Threads(4)->UseRealTime();
// Few iterations: every one keeps its rows for the life of the process.
BENCHMARK(BM_Register)
    ->Arg(1 << 10)
    ->Arg(1 << 12)
    ->Arg(1 << 14)
    ->Arg(1 << 16)
    ->Iterations(30)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Format_Ours);
BENCHMARK(BM_Format_Snprintf);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // Nothing of the run stays in /tmp.
    if (!catalogueDir().empty() && std::system(("rm -rf '" + catalogueDir() + "'").c_str()) != 0)
        std::fprintf(stderr, "could not remove %s\n", catalogueDir().c_str());
    return 0;
}

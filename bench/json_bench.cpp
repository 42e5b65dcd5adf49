// JSON: parse a 1 MiB integer-only document (records of objects, arrays and strings with
// escapes) into a tree and write it back indented by two spaces, with plat::JsonValue, with
// nlohmann::ordered_json (which also keeps member order) and with RapidJSON's Document.
// Argument 0 measures parse and write together, 1 the parse alone.
#include "plat/Json.h"
#include "rdr/MemOutStream.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>

#include <cstdint>
#include <string>

namespace {

const std::string& document() {
    static const std::string text = [] {
        std::string out = "[\n";
        uint32_t seed = 12345;
        auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
        for (int record = 0; out.size() < (1u << 20) - 400; record++) {
            if (record) out += ",\n";
            out += "  {\"id\": " + std::to_string(record) + ", \"name\": \"item \\\"" +
                   std::to_string(next() % 1000) + "\\\"\\n\\tcaf\\u00e9 \\\\ ok\", \"values\": [";
            for (int i = 0; i < 8; i++)
                out += (i ? ", " : "") + std::to_string(int32_t(next()) >> (next() % 24));
            out += "], \"flags\": {\"enabled\": " + std::string(next() & 1 ? "true" : "false") +
                   ", \"parent\": null, \"size\": " + std::to_string(next() % 100000) + "}}";
        }
        return out + "\n]";
    }();
    return text;
}

void BM_Ours(benchmark::State& state) {
    const std::string& text = document();
    for (auto _ : state) {
        plat::JsonValuePtr tree = plat::JsonValue::parseHttpBody(nullptr, text.data(), text.size());
        if (state.range(0) == 0) {
            rdr::MemOutStream out(int(text.size()));
            tree->write(out, 0);
            benchmark::DoNotOptimize(out.data());
        }
        benchmark::DoNotOptimize(tree.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_Nlohmann(benchmark::State& state) {
    const std::string& text = document();
    for (auto _ : state) {
        nlohmann::ordered_json tree = nlohmann::ordered_json::parse(text);
        if (state.range(0) == 0) {
            std::string out = tree.dump(2);
            benchmark::DoNotOptimize(out.data());
        }
        benchmark::DoNotOptimize(&tree);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_RapidJSON(benchmark::State& state) {
    const std::string& text = document();
    for (auto _ : state) {
        rapidjson::Document tree;
        tree.Parse(text.data(), text.size());
        if (tree.HasParseError()) state.SkipWithError("RapidJSON refused the document");
        if (state.range(0) == 0) {
            rapidjson::StringBuffer out;
            rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(out);
            writer.SetIndent(' ', 2);
            tree.Accept(writer);
            benchmark::DoNotOptimize(out.GetString());
        }
        benchmark::DoNotOptimize(&tree);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

BENCHMARK(BM_Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Nlohmann)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RapidJSON)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

// JSON against its peers on the same inputs: a 2 MiB API response (records of 3 to 15
// members with integers, escapes and non-ASCII text, nested objects and arrays) and 2,000
// small documents of 200 to 500 bytes cut from the same kind of record. Each case builds the
// tree, writes it back indented by two spaces where the peer can (nlohmann::ordered_json and
// RapidJSON's PrettyWriter) and frees it; "parse" cases stop after the tree. simdjson's DOM
// is measured for the parse alone. Before timing, every side's tree is walked and must give
// the same digest. Every case also reports its minor page faults per iteration, which count
// memory given back to the kernel and taken again.
//
// BM_PeakMemory parses a 50 MiB array of ones in a fresh process (this binary run again with
// --peak-child) and reports that process's maximum resident size.
#include "plat/Json.h"
#include "rdr/MemOutStream.h"

#include <benchmark/benchmark.h>
#include <nlohmann/json.hpp>
#include <rapidjson/document.h>
#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <simdjson.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- inputs

// Room after every input text: simdjson reads up to this far past the end, and all sides read
// the same buffers.
constexpr size_t kPadding = 64;

struct Random {
    uint32_t seed;
    uint32_t next() { return seed = seed * 1103515245u + 12345u, seed >> 8; }
    uint32_t below(uint32_t n) { return next() % n; }
    template <size_t N>
    const char* pick(const char* const (&items)[N]) {
        return items[below(N)];
    }
};

const char* const kNames[] = {
    "Zo\xC3\xAB M\xC3\xBCller",        "Jos\xC3\xA9 \xC3\x81" "lvarez",  "\xC5\x81ukasz \xC5\xBB" "ak",
    "\xE5\xB1\xB1\xE7\x94\xB0 \xE5\xA4\xAA\xE9\x83\x8E", "Ingrid \xC3\x98" "deg\xC3\xA5rd",
    "Dmitri \xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD\xD0\xBE\xD0\xB2",  "Ana Lima",  "Chlo\xC3\xA9 Dubois",
    "Bj\xC3\xB6rn Andersson",          "Priya Natarajan"};
const char* const kTitles[] = {
    "Re: \\\"Quarterly\\\" report\\n(draft)", "caf\\u00e9 \\u2014 opening hours",
    "Path C:\\\\Users\\\\shared\\\\report.txt", "Tab\\tseparated\\tvalues",
    "Na\\u00efve \\\"quotes\\\" and \\/slashes\\/", "Price list 2026 \xE2\x80\x93 EUR \xE2\x82\xAC",
    "\\ud83d\\ude80 Launch checklist", "Plain title without escapes"};
const char* const kWords[] = {"alpha", "beta", "stra\xC3\x9F" "e", "\xE6\x9D\xB1\xE4\xBA\xAC",
                              "release", "urgent", "na\xC3\xAFve", "ops", "billing", "eu-west"};
const char* const kCities[] = {"S\xC3\xA3o Paulo", "M\xC3\xBCnchen", "Z\xC3\xBCrich", "Oslo",
                               "Krak\xC3\xB3w", "\xE5\xA4\xA7\xE9\x98\xAA", "Lyon", "Montr\xC3\xA9" "al"};
const char* const kTypes[] = {"user", "session", "device", "group", "invoice"};

void appendTags(std::string& out, Random& random) {
    out += '[';
    for (uint32_t i = 0, n = random.below(6); i < n; i++)
        out += std::string(i ? "," : "") + "\"" + random.pick(kWords) + "\"";
    out += ']';
}

// One record: "id", "type" and "name", then 0 to 12 further members in a fixed order.
void appendRecord(std::string& out, Random& random) {
    out += "{\"id\":" + std::to_string(100000000 + random.below(900000000)) + ",\"type\":\"" +
           random.pick(kTypes) + "\",\"name\":\"" + random.pick(kNames) + "\"";
    uint32_t extra = random.below(13), offered = 12;
    auto take = [&] { return random.below(offered--) < extra ? (extra--, true) : false; };
    if (take()) out += ",\"email\":\"user" + std::to_string(random.below(100000)) + "@example.com\"";
    if (take()) out += std::string(",\"title\":\"") + random.pick(kTitles) + "\"";
    if (take())
        out += std::string(",\"description\":\"First line: ") + random.pick(kTitles) +
               "\\nSecond line, \\\"quoted\\\" \\\\ " + random.pick(kWords) + "\\tend.\"";
    if (take()) out += ",\"created_at\":" + std::to_string(1700000000 + random.below(90000000));
    if (take()) out += ",\"updated_at\":" + std::to_string(1700000000 + random.below(90000000));
    if (take()) out += std::string(",\"active\":") + (random.below(2) ? "true" : "false");
    if (take()) out += ",\"parent\":null";
    if (take()) out += ",\"score\":" + std::to_string(int(random.below(2000000)) - 1000000);
    if (take()) out += ",\"tags\":", appendTags(out, random);
    if (take())
        out += ",\"counts\":{\"views\":" + std::to_string(random.below(1000000)) +
               ",\"likes\":" + std::to_string(random.below(10000)) +
               ",\"shares\":" + std::to_string(random.below(1000)) + "}";
    if (take())
        out += std::string(",\"location\":{\"city\":\"") + random.pick(kCities) +
               "\",\"country\":\"BR\",\"lat_e6\":" + std::to_string(int(random.below(180000000)) - 90000000) +
               ",\"lon_e6\":" + std::to_string(int(random.below(360000000)) - 180000000) + "}";
    if (take()) {
        out += ",\"permissions\":[";
        for (uint32_t i = 0, n = 1 + random.below(3); i < n; i++)
            out += std::string(i ? "," : "") + "{\"resource\":\"/api/v2/" + random.pick(kWords) +
                   "\",\"level\":" + std::to_string(random.below(5)) +
                   ",\"inherited\":" + (random.below(2) ? "true" : "false") + "}";
        out += ']';
    }
    out += '}';
}

struct Inputs {
    std::string large;               // one document, padded
    std::string small;               // the small documents, each padded
    std::vector<size_t> smallStart;  // offset of each small document in `small`
    std::vector<size_t> smallSize;   // and its length
};

const Inputs& inputs() {
    static const Inputs in = [] {
        Inputs made;
        Random random{20261207};
        std::string& large = made.large;
        large = "{\"data\":[";
        for (int record = 0; large.size() < (2u << 20) - 1024; record++) {
            if (record) large += ',';
            appendRecord(large, random);
        }
        large += "],\"meta\":{\"page\":1,\"per_page\":500,\"total\":98231,\"next\":\"/api/v2/"
                 "items?page=2&cursor=eyJpZCI6MTIzfQ\"}}";
        while (made.smallStart.size() < 2000) {
            std::string doc = "{\"request_id\":" + std::to_string(random.below(1000000)) +
                              ",\"data\":";
            appendRecord(doc, random);
            doc += '}';
            if (doc.size() < 200 || doc.size() > 500) continue;
            made.smallStart.push_back(made.small.size());
            made.smallSize.push_back(doc.size());
            made.small += doc;
            made.small.append(kPadding, '\0');
        }
        large.append(kPadding, '\0');
        return made;
    }();
    return in;
}

size_t largeSize() {
    return inputs().large.size() - kPadding;
}

// ---- digests: what a walk of each tree saw, in document order

struct Digest {
    uint64_t hash = 1469598103934665603u;
    uint64_t values = 0;
    void add(const void* data, size_t size) {
        for (size_t i = 0; i < size; i++)
            hash = (hash ^ static_cast<const unsigned char*>(data)[i]) * 1099511628211u;
    }
    void tag(char kind) { values++, add(&kind, 1); }
    void number(int64_t value) { tag('n'), add(&value, sizeof value); }
    void text(char kind, const char* data, size_t size) { tag(kind), add(data, size); }
};

void digestOurs(Digest& d, const plat::JsonValue& value) {
    using Kind = plat::JsonValue::Kind;
    auto& v = const_cast<plat::JsonValue&>(value);
    switch (v.kind()) {
    case Kind::Null:
        return d.tag('0');
    case Kind::Bool:
        return d.tag(v.asBool().value() ? 't' : 'f');
    case Kind::Number:
        return d.number(v.asNumber().value());
    case Kind::String:
        return d.text('s', v.asString().c_str(), v.asString().length());
    case Kind::Array:
        d.tag('[');
        for (int i = 0; i < v.asArray().size(); i++)
            digestOurs(d, *v.asArray().get(i));
        return d.tag(']');
    case Kind::Object:
        d.tag('{');
        for (const auto& member : v.asObject().members()) {
            d.text('k', member.name.c_str(), std::strlen(member.name.c_str()));
            digestOurs(d, *member.value);
        }
        return d.tag('}');
    }
}

void digestRapid(Digest& d, const rapidjson::Value& v) {
    if (v.IsNull()) return d.tag('0');
    if (v.IsBool()) return d.tag(v.GetBool() ? 't' : 'f');
    if (v.IsInt64()) return d.number(v.GetInt64());
    if (v.IsString()) return d.text('s', v.GetString(), v.GetStringLength());
    if (v.IsArray()) {
        d.tag('[');
        for (const auto& element : v.GetArray())
            digestRapid(d, element);
        return d.tag(']');
    }
    if (v.IsObject()) {
        d.tag('{');
        for (const auto& member : v.GetObject()) {
            d.text('k', member.name.GetString(), member.name.GetStringLength());
            digestRapid(d, member.value);
        }
        return d.tag('}');
    }
    d.tag('?');
}

void digestNlohmann(Digest& d, const nlohmann::ordered_json& v) {
    if (v.is_null()) return d.tag('0');
    if (v.is_boolean()) return d.tag(v.get<bool>() ? 't' : 'f');
    if (v.is_number_integer()) return d.number(v.get<int64_t>());
    if (v.is_string()) {
        const auto& s = v.get_ref<const std::string&>();
        return d.text('s', s.data(), s.size());
    }
    if (v.is_array()) {
        d.tag('[');
        for (const auto& element : v)
            digestNlohmann(d, element);
        return d.tag(']');
    }
    if (v.is_object()) {
        d.tag('{');
        for (const auto& member : v.items()) {
            d.text('k', member.key().data(), member.key().size());
            digestNlohmann(d, member.value());
        }
        return d.tag('}');
    }
    d.tag('?');
}

void digestSimd(Digest& d, simdjson::dom::element v) {
    switch (v.type()) {
    case simdjson::dom::element_type::NULL_VALUE:
        return d.tag('0');
    case simdjson::dom::element_type::BOOL:
        return d.tag(bool(v.get_bool()) ? 't' : 'f');
    case simdjson::dom::element_type::INT64:
        return d.number(int64_t(v.get_int64()));
    case simdjson::dom::element_type::STRING: {
        std::string_view s = v.get_string();
        return d.text('s', s.data(), s.size());
    }
    case simdjson::dom::element_type::ARRAY:
        d.tag('[');
        for (simdjson::dom::element element : v.get_array())
            digestSimd(d, element);
        return d.tag(']');
    case simdjson::dom::element_type::OBJECT:
        d.tag('{');
        for (simdjson::dom::key_value_pair member : v.get_object()) {
            d.text('k', member.key.data(), member.key.size());
            digestSimd(d, member.value);
        }
        return d.tag('}');
    default:
        d.tag('?');
    }
}

// ---- the sides: parse (and write) one text, giving the digest when asked

struct Ours {
    static bool run(const char* text, size_t size, bool write, Digest* digest) {
        plat::JsonValuePtr tree = plat::JsonValue::parseHttpBody(nullptr, text, size);
        if (digest) digestOurs(*digest, *tree);
        if (write) {
            rdr::MemOutStream out(int(2 * size));
            tree->write(out, 0);
            benchmark::DoNotOptimize(out.data());
            if (digest) {
                plat::JsonValuePtr again =
                    plat::JsonValue::parseHttpBody(
                    nullptr, reinterpret_cast<const char*>(out.data()), size_t(out.length()));
                digestOurs(*digest, *again);
            }
        }
        benchmark::DoNotOptimize(tree.get());
        return true;
    }
};

struct Rapid {
    static bool run(const char* text, size_t size, bool write, Digest* digest) {
        rapidjson::Document tree;
        tree.Parse(text, size);
        if (tree.HasParseError()) return false;
        if (digest) digestRapid(*digest, tree);
        if (write) {
            rapidjson::StringBuffer out(nullptr, 2 * size);
            rapidjson::PrettyWriter<rapidjson::StringBuffer> writer(out);
            writer.SetIndent(' ', 2);
            tree.Accept(writer);
            benchmark::DoNotOptimize(out.GetString());
            if (digest) {
                rapidjson::Document again;
                again.Parse(out.GetString(), out.GetSize());
                digestRapid(*digest, again);
            }
        }
        benchmark::DoNotOptimize(&tree);
        return true;
    }
};

struct Nlohmann {
    static bool run(const char* text, size_t size, bool write, Digest* digest) {
        nlohmann::ordered_json tree = nlohmann::ordered_json::parse(text, text + size);
        if (digest) digestNlohmann(*digest, tree);
        if (write) {
            std::string out;
            out.reserve(2 * size);
            out = tree.dump(2);
            benchmark::DoNotOptimize(out.data());
            if (digest) digestNlohmann(*digest, nlohmann::ordered_json::parse(out));
        }
        benchmark::DoNotOptimize(&tree);
        return true;
    }
};

// simdjson's parser keeps its memory from one document to the next, as it is meant to be used.
struct Simd {
    static bool run(const char* text, size_t size, bool write, Digest* digest) {
        static simdjson::dom::parser parser;
        if (write) return false;
        simdjson::dom::element tree;
        if (parser.parse(text, size, false).get(tree)) return false;
        if (digest) digestSimd(*digest, tree);
        benchmark::DoNotOptimize(&tree);
        return true;
    }
};

// Every side must see what ours sees: the large document, then each small one.
template <typename Side>
bool sameContent(bool write) {
    const Inputs& in = inputs();
    for (int i = -1; i < int(in.smallStart.size()); i++) {
        const char* text = i < 0 ? in.large.data() : in.small.data() + in.smallStart[size_t(i)];
        size_t size = i < 0 ? largeSize() : in.smallSize[size_t(i)];
        Digest ours, theirs;
        Ours::run(text, size, false, &ours);
        if (!Side::run(text, size, false, &theirs)) return false;
        if (ours.hash != theirs.hash || ours.values != theirs.values) return false;
        if (write) {
            Digest oursBoth, theirsBoth;
            Ours::run(text, size, true, &oursBoth);
            Side::run(text, size, true, &theirsBoth);
            if (oursBoth.hash != theirsBoth.hash) return false;
        }
    }
    return true;
}

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Argument 0: parse and write; 1: parse alone.
template <typename Side>
void BM_Large(benchmark::State& state) {
    const bool write = state.range(0) == 0;
    if (!sameContent<Side>(write)) return state.SkipWithError("the trees differ");
    const char* text = inputs().large.data();
    const size_t size = largeSize();
    long faults = minorFaults();
    for (auto _ : state)
        Side::run(text, size, write, nullptr);
    state.counters["faults"] = benchmark::Counter(double(minorFaults() - faults),
                                                  benchmark::Counter::kAvgIterations);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

template <typename Side>
void BM_Small(benchmark::State& state) {
    const bool write = state.range(0) == 0;
    if (!sameContent<Side>(write)) return state.SkipWithError("the trees differ");
    const Inputs& in = inputs();
    long faults = minorFaults();
    for (auto _ : state)
        for (size_t i = 0; i < in.smallStart.size(); i++)
            Side::run(in.small.data() + in.smallStart[i], in.smallSize[i], write, nullptr);
    state.counters["faults"] = benchmark::Counter(double(minorFaults() - faults),
                                                  benchmark::Counter::kAvgIterations);
}

BENCHMARK_TEMPLATE(BM_Large, Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Large, Rapid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Large, Nlohmann)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Large, Simd)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Small, Ours)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Small, Rapid)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Small, Nlohmann)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(BM_Small, Simd)->Arg(1)->Unit(benchmark::kMillisecond);

// ---- one wide object

// {"k0":0,"k1":1,...} with 1,000,000 members. Argument 0 times its parse, 1 the first look-up
// by name in the parsed object (the last member's name); the release is not timed in either.
void BM_WideObject(benchmark::State& state) {
    static const std::string text = [] {
        std::string made = "{";
        for (int i = 0; i < 1000000; i++)
            made += (i ? ",\"k" : "\"k") + std::to_string(i) + "\":" + std::to_string(i);
        return made + "}";
    }();
    const bool lookUp = state.range(0) == 1;
    for (auto _ : state) {
        if (lookUp) state.PauseTiming();
        plat::JsonValuePtr tree = plat::JsonValue::parseHttpBody(nullptr, text.data(), text.size());
        if (lookUp) state.ResumeTiming();
        bool found = !lookUp || tree->asObject().has("k999999");
        state.PauseTiming();
        if (!found || tree->asObject().size() != 1000000) state.SkipWithError("the object differs");
        tree.reset();
        state.ResumeTiming();
    }
}
// A fixed count: after the first look-up, the untimed parse would make up almost all the run.
BENCHMARK(BM_WideObject)
    ->ArgName("parse0_firstHas1")
    ->DenseRange(0, 1)
    ->Iterations(10)
    ->Unit(benchmark::kMicrosecond);

// ---- peak memory

constexpr size_t kOnes = (50u << 20) / 2;  // elements of the 50 MiB array

// The child's work: 0 builds the text alone, 1 ours, 2 RapidJSON, 3 nlohmann. Exits 0 when the
// parsed array holds every element.
int peakChild(int side) {
    std::string text;
    text.reserve(2 * kOnes + 2);
    text += '[';
    for (size_t i = 0; i < kOnes; i++)
        text += i ? ",1" : "1";
    text += ']';
    size_t count = 0;
    if (side == 0) {
        count = kOnes;
    } else if (side == 1) {
        plat::JsonValuePtr tree = plat::JsonValue::parseHttpBody(nullptr, text.data(), text.size());
        plat::JsonArray& array = tree->asArray();
        count = size_t(array.size());
        if (array.get(int(count) - 1)->asNumber().value() != 1) count = 0;
    } else if (side == 2) {
        rapidjson::Document tree;
        tree.Parse(text.data(), text.size());
        count = tree.IsArray() ? tree.Size() : 0;
        if (count && tree[rapidjson::SizeType(count - 1)].GetInt64() != 1) count = 0;
    } else if (side == 3) {
        nlohmann::json tree = nlohmann::json::parse(text);
        count = tree.size();
        if (count && tree.back().get<int64_t>() != 1) count = 0;
    }
    return count == kOnes ? 0 : 1;
}

// Argument: the side as above. The counter is the child's maximum resident size in MiB.
void BM_PeakMemory(benchmark::State& state) {
    for (auto _ : state) {
        std::string side = std::to_string(state.range(0));
        pid_t pid = fork();
        if (pid == 0) {
            const char* args[] = {"json_bench", "--peak-child", side.c_str(), nullptr};
            execv("/proc/self/exe", const_cast<char* const*>(args));
            _exit(127);
        }
        int status = 0;
        rusage usage{};
        if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) ||
            WEXITSTATUS(status) != 0)
            return state.SkipWithError("the child failed");
        state.counters["peak_MiB"] = double(usage.ru_maxrss) / 1024;
    }
}
BENCHMARK(BM_PeakMemory)
    ->ArgName("text0_ours1_rapid2_nlohmann3")
    ->DenseRange(0, 3)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--peak-child") == 0) return peakChild(std::atoi(argv[2]));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

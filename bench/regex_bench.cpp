// Regular expressions through every public entry point, ours beside RE2 and PCRE2 with its JIT:
// the same pattern over the same text, each engine asked for what a program would ask (every
// match with its groups, a yes/no per line, a whole-line check, a replacement, all matches as
// strings). Before any timing, every case runs once on each engine and must give the same
// matches, groups and output. Texts are built from fixed log lines, mail headers and URLs.
// Argument: the row; the engine is in the name, so rows run interleaved with
// --benchmark_filter=.
#include "plat/Regex.h"

#include <benchmark/benchmark.h>
#include <re2/re2.h>
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

// One realistic line, varied by a fixed generator.
std::string makeLine(uint32_t& seed) {
    auto next = [&seed](uint32_t n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    static const char* const hosts[] = {"web01", "db-primary", "cache7", "gateway", "mail2"};
    static const char* const users[] = {"alice.smith", "bob", "carol_92", "dave.jones", "erin"};
    static const char* const domains[] = {"example.org", "mail.example.com", "corp.net", "test.io"};
    static const char* const paths[] = {"/index.html", "/api/v2/users/42", "/static/app.js",
                                        "/login?next=%2Fhome", "/search?q=regular+expressions"};
    static const char* const verbs[] = {"starting", "running", "stopping", "waiting", "done",
                                        "failed", "retrying", "connected", "closed"};
    char buffer[512];
    int n;
    switch (next(6)) {
    case 0:
        n = std::snprintf(buffer, sizeof buffer,
                          "2024-03-%02u 12:%02u:%02u %s sshd[%u]: Accepted publickey for %s from "
                          "10.0.%u.%u port %u",
                          1 + next(28), next(60), next(60), hosts[next(5)], 1000 + next(9000),
                          users[next(5)], next(256), next(256), 1024 + next(60000));
        break;
    case 1:
        n = std::snprintf(buffer, sizeof buffer,
                          "From: %s <%s@%s>  Subject: Re: meeting notes %u",
                          users[next(5)], users[next(5)], domains[next(4)], next(100));
        break;
    case 2:
        n = std::snprintf(buffer, sizeof buffer,
                          "10.1.%u.%u - - [05/Mar/2024:10:%02u:%02u +0000] \"GET %s HTTP/1.1\" %u "
                          "%u \"https://www.%s%s\" \"Mozilla/5.0 (X11; Linux x86_64)\"",
                          next(256), next(256), next(60), next(60), paths[next(5)],
                          next(2) ? 200 : 404, next(50000), domains[next(4)], paths[next(5)]);
        break;
    case 3:
        n = std::snprintf(buffer, sizeof buffer,
                          "2024-03-%02u 08:%02u:%02u %s worker[%u]: job %u %s after %u ms, queue "
                          "length %u",
                          1 + next(28), next(60), next(60), hosts[next(5)], next(500), next(99999),
                          verbs[next(9)], next(5000), next(40));
        break;
    case 4:
        n = std::snprintf(buffer, sizeof buffer,
                          "Received: from %s.%s (%s [192.168.%u.%u]) by mx.%s with ESMTPS id %x",
                          hosts[next(5)], domains[next(4)], hosts[next(5)], next(256), next(256),
                          domains[next(4)], next(0xffffff));
        break;
    default:
        n = std::snprintf(buffer, sizeof buffer,
                          "2024-03-%02u 09:%02u:%02u %s kernel: eth%u: link %s, %u Mbps",
                          1 + next(28), next(60), next(60), hosts[next(5)], next(4),
                          next(2) ? "up" : "down", next(2) ? 1000 : 100);
        break;
    }
    return std::string(buffer, size_t(n));
}

// 1 MiB of lines, each ending in "\n".
const std::string& bigText() {
    static const std::string text = [] {
        uint32_t seed = 20;
        std::string out;
        while (out.size() < (1u << 20)) {
            out += makeLine(seed);
            out += '\n';
        }
        out.resize(1u << 20);
        return out;
    }();
    return text;
}

// 10,000 lines of 50 to 200 bytes, without line breaks.
const std::vector<std::string>& shortLines() {
    static const std::vector<std::string> lines = [] {
        uint32_t seed = 7;
        std::vector<std::string> out;
        while (out.size() < 10000) {
            std::string line = makeLine(seed);
            if (line.size() >= 50 && line.size() <= 200) out.push_back(line);
        }
        return out;
    }();
    return lines;
}

enum Op { ExecLoop, MatchAll, ReplaceAll, TestLines, WholeLines, MatchLines, ReplaceFirstLines };

struct Row {
    const char* name;
    Op op;
    const char* pattern;
    uint32_t flags;  // plat::Regex flag bits
    const char* replacement;  // "$1" style, the same in all three engines
};

const char* const kEmail = "([a-z0-9._]+)@([a-z0-9.-]+)\\.([a-z]+)";
const Row kRows[] = {
    {"exec literal", ExecLoop, "Accepted publickey", 0, nullptr},
    {"exec 10 words", ExecLoop,
     "starting|running|stopping|waiting|failed|retrying|connected|closed|Accepted|Received", 0,
     nullptr},
    {"exec email 3 groups", ExecLoop, kEmail, 0, nullptr},
    {"exec class+ing", ExecLoop, "[a-z]+ing", 0, nullptr},
    {"exec class+ing nocase", ExecLoop, "[a-z]+ing", plat::Regex::IgnoreCase, nullptr},
    {"matchAll ^date multiline", MatchAll, "^(\\d+)-(\\d+)-(\\d+) ", plat::Regex::Multiline,
     nullptr},
    {"matchAll email", MatchAll, kEmail, 0, nullptr},
    {"replaceAll email", ReplaceAll, kEmail, 0, "<$1 at $2>"},
    {"replaceAll literal", ReplaceAll, "HTTP/1.1", 0, "HTTP/2"},
    {"test lines", TestLines, "port \\d+|Mbps$", 0, nullptr},
    {"test lines nocase", TestLines, "subject: re:", plat::Regex::IgnoreCase, nullptr},
    {"matchesWhole lines", WholeLines, "[-0-9]+ [0-9:]+ [\\w-]+ \\w+(\\[\\d+\\])?: .*", 0, nullptr},
    {"match lines", MatchLines, "\\[(\\d+)\\]", 0, nullptr},
    {"replaceFirst lines", ReplaceFirstLines, "(\\d+)\\.(\\d+)\\.(\\d+)\\.(\\d+)", 0, "$4.$3.$2.$1"},
};

// What a run saw, in a form all three engines give alike: offsets of matches and groups (-1
// for a group that did not take part), answers, or output texts.
struct Record {
    std::vector<long> numbers;
    std::string text;
    bool on = false;
    void number(long n) {
        if (on) numbers.push_back(n);
    }
};

// ---- ours
struct Ours {
    std::unique_ptr<plat::Regex> re;
    explicit Ours(const Row& row) : re(plat::Regex::create(row.pattern, row.flags)) {}

    size_t run(const Row& row, Record& record) {
        const std::string& text = bigText();
        size_t count = 0;
        int groups = re->captureCount();
        switch (row.op) {
        case ExecLoop: {
            const char* starts[8];
            const char* ends[8];
            const char* p = text.data();
            const char* textEnd = text.data() + text.size();
            for (;;) {
                const char* end = textEnd;
                const char* start = re->exec(p, &end, starts, ends, groups);
                if (!start) break;
                ++count;
                record.number(start - text.data());
                record.number(end - text.data());
                for (int g = 0; g < groups; ++g)
                    record.number(starts[g] ? starts[g] - text.data() : -1);
                p = end > start ? end : end + 1;
                if (p > textEnd) break;
            }
            break;
        }
        case MatchAll: {
            plat::StringList all;
            re->matchAll(text.c_str(), all);
            count = all.size();
            if (record.on)
                for (const auto& s : all)
                    record.text += std::string(s.isNull() ? "<>" : s.get()) + "|";
            break;
        }
        case ReplaceAll: {
            plat::DString out;
            count = size_t(re->replaceAll(text.c_str(), row.replacement, out));
            if (record.on) record.text = out.c_str();
            break;
        }
        case TestLines:
            for (const auto& line : shortLines()) {
                bool found = re->test(line.data(), line.data() + line.size());
                count += found;
                record.number(found);
            }
            break;
        case WholeLines:
            for (const auto& line : shortLines()) {
                bool found = re->matchesWhole(line.data(), line.data() + line.size());
                count += found;
                record.number(found);
            }
            break;
        case MatchLines:
            for (const auto& line : shortLines()) {
                plat::String group = re->match(line.c_str());
                count += !group.isNull();
                if (record.on) record.text += std::string(group.isNull() ? "<>" : group.get()) + "|";
            }
            break;
        case ReplaceFirstLines:
            for (const auto& line : shortLines()) {
                plat::DString out;
                count += size_t(re->replaceFirst(line.c_str(), row.replacement, out));
                if (record.on) record.text += std::string(out.c_str()) + "|";
            }
            break;
        }
        return count;
    }
};

// ---- RE2
std::string re2Pattern(const Row& row) {
    std::string prefix;
    if (row.flags & plat::Regex::IgnoreCase) prefix += "(?i)";
    if (row.flags & plat::Regex::Multiline) prefix += "(?m)";
    return prefix + row.pattern;
}

// "$1" in our templates is "\1" in RE2's rewrites.
std::string re2Rewrite(const char* replacement) {
    std::string out;
    for (const char* p = replacement; *p; ++p)
        out += *p == '$' ? '\\' : *p;
    return out;
}

struct Re2 {
    RE2 re, whole;
    explicit Re2(const Row& row) : re(re2Pattern(row)), whole("(?:" + re2Pattern(row) + ")") {}

    size_t run(const Row& row, Record& record) {
        const std::string& text = bigText();
        size_t count = 0;
        int groups = re.NumberOfCapturingGroups();
        re2::StringPiece sub[8];
        switch (row.op) {
        case ExecLoop:
        case MatchAll: {
            size_t pos = 0;
            std::vector<std::string> all;
            while (pos <= text.size() &&
                   re.Match(text, pos, text.size(), RE2::UNANCHORED, sub, 1 + groups)) {
                ++count;
                if (row.op == MatchAll) {
                    for (int g = 0; g <= groups; ++g)
                        all.emplace_back(sub[g].data() ? std::string(sub[g].data(), sub[g].size())
                                                       : std::string());
                    if (record.on)
                        for (int g = 0; g <= groups; ++g)
                            record.text += (sub[g].data() ? std::string(sub[g].data(), sub[g].size())
                                                          : std::string("<>")) + "|";
                } else {
                    record.number(sub[0].data() - text.data());
                    record.number(sub[0].data() + sub[0].size() - text.data());
                    for (int g = 1; g <= groups; ++g)
                        record.number(sub[g].data() ? sub[g].data() - text.data() : -1);
                }
                pos = size_t(sub[0].data() + sub[0].size() - text.data()) + sub[0].empty();
            }
            if (row.op == MatchAll) count = all.size();
            break;
        }
        case ReplaceAll: {
            std::string out = text;
            count = size_t(RE2::GlobalReplace(&out, re, re2Rewrite(row.replacement)));
            if (record.on) record.text = out;
            break;
        }
        case TestLines:
            for (const auto& line : shortLines()) {
                bool found = re.Match(line, 0, line.size(), RE2::UNANCHORED, nullptr, 0);
                count += found;
                record.number(found);
            }
            break;
        case WholeLines:
            for (const auto& line : shortLines()) {
                bool found = whole.Match(line, 0, line.size(), RE2::ANCHOR_BOTH, nullptr, 0);
                count += found;
                record.number(found);
            }
            break;
        case MatchLines:
            for (const auto& line : shortLines()) {
                bool found = re.Match(line, 0, line.size(), RE2::UNANCHORED, sub, 2) && sub[1].data();
                std::string group = found ? std::string(sub[1].data(), sub[1].size()) : "";
                count += found;
                if (record.on) record.text += (found ? group : "<>") + "|";
            }
            break;
        case ReplaceFirstLines:
            for (const auto& line : shortLines()) {
                std::string out = line;
                count += RE2::Replace(&out, re, re2Rewrite(row.replacement));
                if (record.on) record.text += out + "|";
            }
            break;
        }
        return count;
    }
};

// ---- PCRE2 with its JIT
pcre2_code* pcreCompile(const Row& row, uint32_t extra) {
    uint32_t options = extra;
    if (row.flags & plat::Regex::IgnoreCase) options |= PCRE2_CASELESS;
    if (row.flags & plat::Regex::Multiline) options |= PCRE2_MULTILINE;
    int error;
    PCRE2_SIZE offset;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(row.pattern),
                                     PCRE2_ZERO_TERMINATED, options, &error, &offset, nullptr);
    if (!code || pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) != 0) {
        std::fprintf(stderr, "PCRE2 refuses /%s/\n", row.pattern);
        std::abort();
    }
    return code;
}

struct Pcre {
    pcre2_code* code;
    pcre2_code* whole;
    pcre2_match_data* data;
    explicit Pcre(const Row& row)
        : code(pcreCompile(row, 0)), whole(pcreCompile(row, PCRE2_ANCHORED | PCRE2_ENDANCHORED)),
          data(pcre2_match_data_create_from_pattern(code, nullptr)) {}
    ~Pcre() {
        pcre2_match_data_free(data);
        pcre2_code_free(code);
        pcre2_code_free(whole);
    }

    int match(pcre2_code* c, const std::string& text, size_t from) {
        return pcre2_jit_match(c, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), from, 0,
                               data, nullptr);
    }
    // Written into a buffer kept across runs, then copied out, as a caller would.
    std::string replace(const std::string& text, const char* replacement, bool all) {
        if (buffer.size() < text.size() * 2 + 256) buffer.resize(text.size() * 2 + 256);
        PCRE2_SIZE length = buffer.size();
        int n = pcre2_substitute(code, reinterpret_cast<PCRE2_SPTR>(text.data()), text.size(), 0,
                                 all ? PCRE2_SUBSTITUTE_GLOBAL : 0, data, nullptr,
                                 reinterpret_cast<PCRE2_SPTR>(replacement), PCRE2_ZERO_TERMINATED,
                                 reinterpret_cast<PCRE2_UCHAR*>(&buffer[0]), &length);
        substitutions = n;
        return std::string(buffer.data(), n < 0 ? 0 : length);
    }
    std::string buffer;
    int substitutions = 0;

    size_t run(const Row& row, Record& record) {
        const std::string& text = bigText();
        size_t count = 0;
        uint32_t groups;
        pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &groups);
        PCRE2_SIZE* ov = pcre2_get_ovector_pointer(data);
        auto piece = [&](const std::string& in, uint32_t g) {
            return ov[2 * g] == PCRE2_UNSET ? std::string("<>")
                                            : in.substr(ov[2 * g], ov[2 * g + 1] - ov[2 * g]);
        };
        switch (row.op) {
        case ExecLoop:
        case MatchAll: {
            size_t pos = 0;
            std::vector<std::string> all;
            while (pos <= text.size() && match(code, text, pos) > 0) {
                ++count;
                if (row.op == MatchAll) {
                    for (uint32_t g = 0; g <= groups; ++g)
                        all.emplace_back(ov[2 * g] == PCRE2_UNSET ? std::string()
                                                                  : piece(text, g));
                    if (record.on)
                        for (uint32_t g = 0; g <= groups; ++g)
                            record.text += piece(text, g) + "|";
                } else {
                    record.number(long(ov[0]));
                    record.number(long(ov[1]));
                    for (uint32_t g = 1; g <= groups; ++g)
                        record.number(ov[2 * g] == PCRE2_UNSET ? -1 : long(ov[2 * g]));
                }
                pos = ov[1] + (ov[0] == ov[1]);
            }
            if (row.op == MatchAll) count = all.size();
            break;
        }
        case ReplaceAll: {
            std::string out = replace(text, row.replacement, true);
            count = size_t(substitutions);
            if (record.on) record.text = out;
            break;
        }
        case TestLines:
        case WholeLines:
            for (const auto& line : shortLines()) {
                bool found = match(row.op == TestLines ? code : whole, line, 0) > 0;
                count += found;
                record.number(found);
            }
            break;
        case MatchLines:
            for (const auto& line : shortLines()) {
                bool found = match(code, line, 0) > 0 && ov[2] != PCRE2_UNSET;
                std::string group = found ? piece(line, 1) : "<>";
                count += found;
                if (record.on) record.text += group + "|";
            }
            break;
        case ReplaceFirstLines:
            for (const auto& line : shortLines()) {
                std::string out = replace(line, row.replacement, false);
                count += size_t(substitutions);
                if (record.on) record.text += out + "|";
            }
            break;
        }
        return count;
    }
};

// Every row gives the same record on the three engines, and finds something.
void checkRows() {
    static bool checked = false;
    if (checked) return;
    checked = true;
    for (const Row& row : kRows) {
        Record ours, re2, pcre;
        ours.on = re2.on = pcre.on = true;
        size_t found = Ours(row).run(row, ours);
        Re2(row).run(row, re2);
        Pcre(row).run(row, pcre);
        bool same = ours.numbers == re2.numbers && ours.numbers == pcre.numbers &&
                    ours.text == re2.text && ours.text == pcre.text;
        if (!same || found == 0) {
            std::fprintf(stderr, "row '%s': %s\n", row.name,
                         found ? "the engines disagree" : "nothing found");
            std::abort();
        }
    }
}

template <typename Engine>
void BM_Regex(benchmark::State& state) {
    checkRows();
    const Row& row = kRows[state.range(0)];
    state.SetLabel(row.name);
    Engine engine(row);
    Record none;
    for (auto _ : state)
        benchmark::DoNotOptimize(engine.run(row, none));
}

void rows(benchmark::internal::Benchmark* b) {
    for (size_t i = 0; i < sizeof kRows / sizeof *kRows; ++i)
        b->Arg(int64_t(i));
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK_TEMPLATE(BM_Regex, Ours)->Apply(rows);
BENCHMARK_TEMPLATE(BM_Regex, Re2)->Apply(rows);
BENCHMARK_TEMPLATE(BM_Regex, Pcre)->Apply(rows);

// Compiling every row's pattern, as a program does at start-up: ours beside RE2's constructor.
void BM_Compile_Ours(benchmark::State& state) {
    for (auto _ : state)
        for (const Row& row : kRows)
            benchmark::DoNotOptimize(plat::Regex::create(row.pattern, row.flags));
}

void BM_Compile_Re2(benchmark::State& state) {
    std::vector<std::string> patterns;
    for (const Row& row : kRows)
        patterns.push_back(re2Pattern(row));
    for (auto _ : state)
        for (const std::string& pattern : patterns) {
            RE2 re(pattern);
            benchmark::DoNotOptimize(re.ok());
        }
}

BENCHMARK(BM_Compile_Ours)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Compile_Re2)->Unit(benchmark::kMicrosecond);

// (a|a)*b over n "a": no match, and a backtracking matcher tries 2^n ways.
void BM_Pathological_Ours(benchmark::State& state) {
    std::string text(size_t(state.range(0)), 'a');
    auto re = plat::Regex::create("(a|a)*b");
    const char* starts[1];
    const char* ends[1];
    for (auto _ : state)
        benchmark::DoNotOptimize(re->exec(text.c_str(), nullptr, starts, ends, 1));
}

void BM_Pathological_Re2(benchmark::State& state) {
    std::string text(size_t(state.range(0)), 'a');
    RE2 re("(a|a)*b");
    re2::StringPiece groups[2];
    for (auto _ : state)
        benchmark::DoNotOptimize(re.Match(text, 0, text.size(), RE2::UNANCHORED, groups, 2));
}

BENCHMARK(BM_Pathological_Ours)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Pathological_Re2)->Arg(20)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

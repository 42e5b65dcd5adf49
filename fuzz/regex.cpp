// Compiles a pattern taken from the input in all three forms and runs every matching
// operation over a text taken from it. Only plat::Exception may come out of compiling, and
// nothing out of matching; the runs must agree with each other, every engine that stands in
// for the Pike machine (each alone, all together, and automata that must empty their caches
// mid-text) must give the machine's own results, and a quoted text must match itself. Input:
// a flag byte, the pattern up to the first NUL, then the text (not NUL-terminated, so that a
// read beyond its end is caught).
#include "plat/Regex.h"
#include "plat/Utf8.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Every match with its groups as a program's exec loop sees them, then test and matchesWhole.
std::vector<long> searchAll(const plat::Regex& re, const char* text, const char* end) {
    std::vector<long> out;
    const char* starts[4];
    const char* ends[4];
    for (const char* p = text; p <= end;) {
        const char* matchEnd = end;
        const char* start = re.exec(p, &matchEnd, starts, ends, 4);
        if (!start) break;
        check(p <= start && start <= matchEnd && matchEnd <= end);
        out.push_back(start - text);
        out.push_back(matchEnd - text);
        for (int g = 0; g < 4; ++g) {
            check(g < re.captureCount() || !starts[g]);
            check(!starts[g] || (start <= starts[g] && starts[g] <= ends[g] && ends[g] <= matchEnd));
            out.push_back(starts[g] ? starts[g] - text : -1);
            out.push_back(starts[g] ? ends[g] - text : -1);
        }
        p = matchEnd > start ? matchEnd : matchEnd + 1;
    }
    out.push_back(re.test(text, end));
    out.push_back(re.matchesWhole(text, end));
    return out;
}

void runAll(plat::Regex& re, const char* text, const char* end) {
    re.setEnginesForTesting(0);
    const std::vector<long> pike = searchAll(re, text, end);
    // Each engine alone (the backtracker needs the automaton), all of them, all but each.
    using R = plat::Regex;
    const uint32_t engineSets[] = {R::Automaton,       R::Automaton | R::Backtracker,
                                   R::LiteralSearch,   R::StartFilter,
                                   R::AllEngines,      R::AllEngines & ~R::Automaton,
                                   R::AllEngines & ~R::LiteralSearch,
                                   R::AllEngines & ~R::StartFilter,
                                   R::AllEngines & ~R::Backtracker};
    for (uint32_t engines : engineSets) {
        re.setEnginesForTesting(engines);
        check(searchAll(re, text, end) == pike);
    }
    // Room for a few states: the automata empty their caches and go on, or give up.
    re.setEnginesForTesting(plat::Regex::AllEngines, 300);
    check(searchAll(re, text, end) == pike);
    re.setEnginesForTesting(plat::Regex::AllEngines, 800);
    check(searchAll(re, text, end) == pike);
    re.setEnginesForTesting(plat::Regex::AllEngines);

    const char* matchEnd = end;
    const char* start = re.exec(text, &matchEnd);
    check(re.test(text, end) == (start != nullptr));
    // A text that matches whole has its leftmost match at its start.
    if (re.matchesWhole(text, end)) check(start == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 1 || size > 4096) return 0;
    uint32_t flags = data[0] & 7;
    std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    size_t cut = rest.find('\0');
    if (cut == std::string::npos) cut = rest.size() / 3;
    std::string pattern = rest.substr(0, cut);
    std::string textBytes = rest.substr(std::min(cut + 1, rest.size()));
    std::unique_ptr<char[]> text(new char[textBytes.size() + 1]);
    std::memcpy(text.get(), textBytes.data(), textBytes.size());
    const char* end = text.get() + textBytes.size();

    std::unique_ptr<plat::Regex> forms[3];
    plat::String replacement;
    try {
        forms[0] = plat::Regex::create(pattern.c_str(), flags);
    } catch (const plat::Exception&) {
    }
    try {
        const char* cursor = pattern.c_str();
        forms[1] = plat::Regex::createFromLiteral(&cursor);
        check(cursor > pattern.c_str() && cursor <= pattern.c_str() + pattern.size());
    } catch (const plat::Exception&) {
    }
    try {
        const char* cursor = pattern.c_str();
        forms[2] = plat::Regex::createSubstitution(&cursor, replacement);
    } catch (const plat::Exception&) {
    }
    for (auto& re : forms) {
        if (!re) continue;
        runAll(*re, text.get(), end);
    }
    // The NUL-terminated forms read up to the first NUL of the text.
    text[textBytes.size()] = '\0';
    for (auto& re : forms) {
        if (!re) continue;
        const char* replacementTemplate = replacement.isNull() ? "<$1$&$`$'$$>" : replacement.get();
        std::string pike;
        for (uint32_t engines : {0u, uint32_t(plat::Regex::AllEngines)}) {
            re->setEnginesForTesting(engines);
            plat::DString out;
            re->replaceAll(text.get(), replacementTemplate, out);
            plat::StringList all;
            re->matchAll(text.get(), all);
            check(all.size() % size_t(1 + re->captureCount()) == 0);
            std::string seen = out.c_str();
            for (const auto& s : all)
                seen += s.isNull() ? std::string("\x01") : "\x02" + std::string(s.get());
            if (engines == 0)
                pike = seen;
            else
                check(seen == pike);
        }
    }

    // The text, cut at a NUL, as a pattern of itself.
    const char* plain = text.get();
    if (plat::utf8IsValid(plain)) {
        check(plat::Regex::create(plat::Regex::quote(plain, false).get())->matchesWhole(plain));
        std::string literal = "/" + std::string(plat::Regex::quote(plain, true).get()) + "/";
        const char* cursor = literal.c_str();
        check(plat::Regex::createFromLiteral(&cursor)->matchesWhole(plain));
    }
    return 0;
}

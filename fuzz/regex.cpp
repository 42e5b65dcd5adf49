// Compiles a pattern taken from the input in all three forms and runs every matching
// operation over a text taken from it. Only plat::Exception may come out of compiling, and
// nothing out of matching; the runs must agree with each other, the automaton's searches
// must find what the Pike machine's alone finds, and a quoted text must match itself. Input:
// a flag byte, the pattern up to the first NUL, then the text (not NUL-terminated, so that a
// read beyond its end is caught).
#include "plat/Regex.h"
#include "plat/RegexMatcher.h"
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

// Every match's slots, then whether a test-like run finds one, with the given use of the
// automaton.
std::vector<uint32_t> searchAll(const plat::Regex& re, const char* text, const char* end,
                                plat::RegexMatcher::DfaUse use, size_t budget) {
    std::vector<uint32_t> out;
    int slots = 2 * re.captureCount() + 2;
    plat::RegexMatcher matcher(re.program(), re.searchStart(), re.programLength(), slots,
                               re.flags(), text, end, re.startFilter());
    matcher.setDfaUse(use, budget);
    for (bool more = true; more && matcher.findNext(more);)
        for (int i = 0; i < slots; ++i)
            out.push_back(matcher.resultSlot(i));
    plat::RegexMatcher tester(re.program(), re.searchStart(), re.programLength(), 0, re.flags(),
                              text, end, re.startFilter());
    tester.setDfaUse(use, budget);
    out.push_back(tester.findAny());
    return out;
}

void runAll(const plat::Regex& re, const char* text, const char* end) {
    using Use = plat::RegexMatcher::DfaUse;
    std::vector<uint32_t> pike = searchAll(re, text, end, Use::Never, 0);
    check(searchAll(re, text, end, Use::Always, plat::RegexMatcher::kDfaBudget) == pike);
    // A budget of a few states: the automaton gives up halfway and the machine takes over.
    check(searchAll(re, text, end, Use::Always, 3000) == pike);

    const char* starts[4];
    const char* ends[4];
    const char* matchEnd = end;
    const char* start = re.exec(text, &matchEnd, starts, ends, 4);
    check(re.test(text, end) == (start != nullptr));
    if (start) {
        check(text <= start && start <= matchEnd && matchEnd <= end);
        for (int g = 0; g < 4; ++g)
            check(g < re.captureCount() || !starts[g]);
        for (int g = 0; g < 4 && g < re.captureCount(); ++g)
            check(!starts[g] || (start <= starts[g] && starts[g] <= ends[g] && ends[g] <= matchEnd));
    }
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
    for (const auto& re : forms) {
        if (!re) continue;
        runAll(*re, text.get(), end);
        // The NUL-terminated forms read up to the first NUL of the text.
        text[textBytes.size()] = '\0';
        plat::DString out;
        re->replaceAll(text.get(), replacement.isNull() ? "<$1$&$`$'$$>" : replacement.get(), out);
        plat::StringList all;
        re->matchAll(text.get(), all);
        check(all.size() % size_t(1 + re->captureCount()) == 0);
    }

    // The text, cut at a NUL, as a pattern of itself.
    const char* plain = text.get();
    text[textBytes.size()] = '\0';
    if (plat::utf8IsValid(plain)) {
        check(plat::Regex::create(plat::Regex::quote(plain, false).get())->matchesWhole(plain));
        std::string literal = "/" + std::string(plat::Regex::quote(plain, true).get()) + "/";
        const char* cursor = literal.c_str();
        check(plat::Regex::createFromLiteral(&cursor)->matchesWhole(plain));
    }
    return 0;
}

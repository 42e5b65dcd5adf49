// The automaton's search against the Pike machine's alone: every match of every run, with all
// its slots, must be the same, and so must the automaton's answer when it runs out of memory.
#include "plat/RegexMatcher.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using plat::Regex;
using plat::RegexMatcher;

// Every match of a matchAll-like run, slot by slot, then the answer of a test-like run.
std::vector<uint32_t> allMatches(const Regex& re, const std::string& text,
                                 RegexMatcher::DfaUse use, size_t budget) {
    std::vector<uint32_t> out;
    int slots = 2 * re.captureCount() + 2;
    const char* end = text.data() + text.size();
    RegexMatcher matcher(re.program(), re.searchStart(), re.programLength(), slots, re.flags(),
                         text.data(), end, re.startFilter());
    matcher.setDfaUse(use, budget);
    for (bool more = true; more && matcher.findNext(more);) {
        for (int i = 0; i < slots; ++i)
            out.push_back(matcher.resultSlot(i));
    }
    RegexMatcher tester(re.program(), re.searchStart(), re.programLength(), 0, re.flags(),
                        text.data(), end, re.startFilter());
    tester.setDfaUse(use, budget);
    out.push_back(tester.findAny());
    return out;
}

void expectSameAsPike(const Regex& re, const std::string& pattern, const std::string& text) {
    auto pike = allMatches(re, text, RegexMatcher::DfaUse::Never, RegexMatcher::kDfaBudget);
    // A budget of a few states makes the automaton give up in the middle of a search.
    for (size_t budget : {RegexMatcher::kDfaBudget, size_t(3000)})
        EXPECT_EQ(allMatches(re, text, RegexMatcher::DfaUse::Always, budget), pike)
            << "/" << pattern << "/" << re.flags() << " budget " << budget << " on \"" << text
            << "\"";
}

// Each case names what a wrong automaton would get wrong.
TEST(RegexDfa, MatchesAndSlotsAreThePikeMachines) {
    struct Case {
        const char* pattern;
        uint32_t flags;
        std::string text;
    };
    const std::string words =
        "the quick brown fox, jumps over\nthe lazy dog; someone@example.org. ";
    std::string longText;
    while (longText.size() < 600)
        longText += words;
    const Case cases[] = {
        {"a|ab", 0, "xxabab"},                            // earlier alternative first
        {"a*?", 0, "aaa"},                                // lazy: empty matches everywhere
        {"(a|ab)(c|bcd)(d*)", 0, "abcd abcd"},            // priorities decide the end
        {"(a*)*b", 0, std::string(300, 'a') + "b"},       // the start is far before the end
        {"(a|(b))+", 0, "abba ab"},                       // nested captures reset
        {"x*", 0, "ab\xC3\xA9" "c"},                      // empty matches step whole characters
        {"^the", Regex::Multiline, longText},             // line starts after a break only
        {"dog;$|\\.$", Regex::Multiline, longText},       // line ends before a break or the end
        {"\\bo\\w+|\\Bo", 0, longText},                   // word edges on both sides
        {"^|$", 0, longText},                             // assertions alone at both ends
        {"([a-z0-9._]+)@([a-z0-9]+)\\.([a-z][a-z]+)", 0, longText},
        {"(THE|fox)\\W+(\\w+)", Regex::IgnoreCase, longText},  // folding in the table
        {"(?:over|lazy)(.)", Regex::DotAll, longText},    // "." takes the line break
        {"[^a-z ]+", 0, "ab\xC3\xA9\xFF\xE2\x80\xA8x\xF0\x9F\x98\x80" "cd"},  // bad and long bytes
        {".\\b.", 0, "\xE2\x80\xA8" "a\xFF" "b"},         // non-ASCII neighbours are not words
        {"needle", 0, longText + "needle"},               // the prefix skip
        {"(a|a)*b", 0, std::string(400, 'a')},            // no match: the whole text read
    };
    for (const Case& c : cases)
        expectSameAsPike(*Regex::create(c.pattern, c.flags), c.pattern, c.text);
}

// Random patterns over a small alphabet, with every assertion and quantifier, on random texts
// that hold line breaks, non-ASCII and bad UTF-8.
TEST(RegexDfa, RandomPatternsMatchAsThePikeMachine) {
    static const char* const atoms[] = {"a", "b", "ab", ".", "[a-c]", "[^b]", "\\w", "\\W", "\\s",
                                        "^", "$", "\\b", "\\B", "(", ")", "(?:", "|", "\xC3\xA9"};
    static const char* const quantifiers[] = {"", "", "", "*", "+", "?", "*?", "+?", "??"};
    static const char* const letters[] = {"a", "b", "c", " ", "\n", "\xC3\xA9", "\xFF", "_"};
    std::mt19937 random(14);
    int compiled = 0;
    for (int round = 0; round < 3000; ++round) {
        std::string pattern;
        for (int n = 1 + int(random() % 7); n > 0; --n) {
            pattern += atoms[random() % (sizeof atoms / sizeof *atoms)];
            pattern += quantifiers[random() % (sizeof quantifiers / sizeof *quantifiers)];
        }
        std::unique_ptr<Regex> re;
        try {
            re = Regex::create(pattern.c_str(), uint32_t(random() % 8));
        } catch (const plat::Exception&) {
            continue;
        }
        ++compiled;
        std::string text;
        for (int n = int(random() % 40); n > 0; --n)
            text += letters[random() % (sizeof letters / sizeof *letters)];
        expectSameAsPike(*re, pattern, text);
    }
    EXPECT_GT(compiled, 900);
}

}  // namespace

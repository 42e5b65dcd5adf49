#include "plat/Wildcard.h"

#include "plat/StrUtil.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

// The structure of matching is left to the fuzz target, which holds it to a plain reference
// matcher; these are the characters: only ASCII letters fold (not "[" and "{", which differ by
// 0x20 too), and "*" is the one special character, with no escape.
TEST(Wildcard, OnlyLettersFoldAndOnlyStarIsSpecial) {
    struct Case {
        const char* pattern;
        const char* text;
        bool caseSensitive;
        bool match;
    } cases[] = {
        {"*dest*", "LogDestIpc", false, true},
        {"*dest*", "LogDestIpc", true, false},
        {"[", "{", false, false},
        {"\xc3\x89", "\xc3\xa9", false, false},
        {"?", "x", false, false},
        {"\\*", "\\any", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::wildcardMatch(c.pattern, c.text, c.caseSensitive), c.match)
            << "'" << c.pattern << "' '" << c.text << "' " << c.caseSensitive;
}

// Recursive matchers, and those that try every split of every star, take time exponential in
// the number of stars here; this one does 20000 x 62 steps at most.
TEST(Wildcard, ManyStarsStayFast) {
    std::string pattern;
    for (int i = 0; i < 30; ++i)
        pattern += "*a";
    std::string text(20000, 'a');
    EXPECT_FALSE(plat::wildcardMatch((pattern + "*b").c_str(), text.c_str(), false));
    EXPECT_TRUE(plat::wildcardMatch((pattern + "*b").c_str(), (text + "B").c_str(), false));
}

// Full dynamic programming over prefixes: slow but plainly right.
bool referenceMatch(const std::string& pattern, const std::string& text, bool caseSensitive) {
    auto same = [caseSensitive](char p, char t) {
        return caseSensitive ? p == t : plat::asciiToLower(p) == plat::asciiToLower(t);
    };
    std::vector<std::vector<bool>> m(pattern.size() + 1, std::vector<bool>(text.size() + 1));
    m[0][0] = true;
    for (size_t p = 1; p <= pattern.size(); ++p)
        for (size_t t = 0; t <= text.size(); ++t)
            m[p][t] = pattern[p - 1] == '*'
                          ? m[p - 1][t] || (t > 0 && m[p][t - 1])
                          : t > 0 && m[p - 1][t - 1] && same(pattern[p - 1], text[t - 1]);
    return m[pattern.size()][text.size()];
}

// Short texts try every way of splitting among stars; long ones go through the 16-byte scan,
// with letters that fold and "[", "{" that must not.
TEST(Wildcard, AgreesWithReference) {
    const struct {
        const char* patternBytes;
        const char* textBytes;
        size_t maxPattern, maxText;
        bool caseSensitive;
    } configs[] = {{"ab*", "ab", 8, 10, true}, {"aB[*", "Ab{[", 7, 90, false}};
    std::mt19937 random(7);
    for (const auto& config : configs) {
        for (int round = 0; round < 20000; ++round) {
            std::string pattern, text;
            for (size_t n = random() % (config.maxPattern + 1); n > 0; --n)
                pattern += config.patternBytes[random() % std::strlen(config.patternBytes)];
            for (size_t n = random() % (config.maxText + 1); n > 0; --n)
                text += config.textBytes[random() % std::strlen(config.textBytes)];
            ASSERT_EQ(plat::wildcardMatch(pattern.c_str(), text.c_str(), config.caseSensitive),
                      referenceMatch(pattern, text, config.caseSensitive))
                << "'" << pattern << "' '" << text << "' " << config.caseSensitive;
        }
    }
}

}  // namespace

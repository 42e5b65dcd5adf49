#include "plat/Wildcard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(Wildcard, Table) {
    struct Case {
        const char* pattern;
        const char* text;
        bool caseSensitive;
        bool match;
    } cases[] = {
        {"*dest*", "LogDestIpc", false, true},
        {"*dest*", "LogDestIpc", true, false},
        {"*", "", false, true},
        {"*", "anything", true, true},
        {"", "", false, true},
        {"", "a", false, false},
        {"a", "", false, false},
        {"**", "", false, true},
        {"Fd*", "FdInStream", false, true},
        {"Fd*", "xFdInStream", false, false},
        {"*:*", "Socket:Tcp", false, true},
        {"*:*", "Socket", false, false},
        {"a*b*c", "aXbYc", false, true},
        {"a*b*c", "aXbYcZ", false, false},
        {"*ab", "aab", false, true},  // the star must give back what it took
        {"*aab", "aaab", false, true},
        {"a*a", "a", false, false},
        {"?", "?", false, true},  // no other special character
        {"?", "x", false, false},
        {"[a]", "a", false, false},
        {"\\*", "\\anything", false, true},  // no escape
        {"ABC", "abc", false, true},
        {"ABC", "abc", true, false},
        {"[", "{", false, false},                // only letters fold: '[' and '{' differ by 0x20
        {"\xc3\x89", "\xc3\xa9", false, false},  // UTF-8 bytes match exactly
        {"*\xc3\xa9*", "caf\xc3\xa9s", false, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(plat::wildcardMatch(c.pattern, c.text, c.caseSensitive), c.match)
            << "'" << c.pattern << "' '" << c.text << "' " << c.caseSensitive;
    EXPECT_TRUE(plat::wildcardMatch(nullptr, nullptr));
    EXPECT_FALSE(plat::wildcardMatch(nullptr, "x"));
}

// The obvious recursive matcher, and one that tries every split of every star, both take time
// exponential in the number of stars on this pattern.
TEST(Wildcard, ManyStarsStayFast) {
    std::string pattern;
    for (int i = 0; i < 30; ++i)
        pattern += "*a";
    pattern += "*b";
    std::string text(20000, 'a');
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(plat::wildcardMatch(pattern.c_str(), text.c_str(), true));
    EXPECT_FALSE(plat::wildcardMatch(pattern.c_str(), text.c_str(), false));
    text += 'B';
    EXPECT_TRUE(plat::wildcardMatch(pattern.c_str(), text.c_str(), false));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// Full dynamic programming over prefixes: slow but plainly right.
bool referenceMatch(const std::string& pattern, const std::string& text) {
    std::vector<std::vector<bool>> m(pattern.size() + 1, std::vector<bool>(text.size() + 1));
    m[0][0] = true;
    for (size_t p = 1; p <= pattern.size(); ++p)
        for (size_t t = 0; t <= text.size(); ++t)
            m[p][t] = pattern[p - 1] == '*'
                          ? m[p - 1][t] || (t > 0 && m[p][t - 1])
                          : t > 0 && m[p - 1][t - 1] && pattern[p - 1] == text[t - 1];
    return m[pattern.size()][text.size()];
}

TEST(Wildcard, AgreesWithReference) {
    std::mt19937 random(7);
    const char alphabet[] = "ab*";
    for (int round = 0; round < 20000; ++round) {
        std::string pattern, text;
        for (size_t n = random() % 8; n > 0; --n)
            pattern += alphabet[random() % 3];
        for (size_t n = random() % 10; n > 0; --n)
            text += alphabet[random() % 2];
        ASSERT_EQ(plat::wildcardMatch(pattern.c_str(), text.c_str(), true),
                  referenceMatch(pattern, text))
            << "'" << pattern << "' '" << text << "'";
    }
}

}  // namespace

#include "plat/Wildcard.h"

#include <gtest/gtest.h>

#include <string>

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

}  // namespace

#include "plat/Regex.h"
#include "plat/SmallVector.h"
#include "plat/Utf8.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <random>
#include <string>

namespace {

using plat::Regex;

enum Form { Plain, Literal, Substitution };

std::string compileError(Form form, const char* input) {
    const char* cursor = input;
    plat::String replacement("kept");
    try {
        if (form == Plain) Regex::create(input);
        if (form == Literal) Regex::createFromLiteral(&cursor);
        if (form == Substitution) Regex::createSubstitution(&cursor, replacement);
    } catch (const plat::Exception& e) {
        // A failed compilation leaves the caller's cursor and replacement alone.
        if (cursor != input || replacement != "kept") return "cursor or replacement moved";
        return e.message();
    }
    return "compiled";
}

// Every refusal, each with the message a user of a setting or a filter would see.
TEST(Regex, SyntaxErrorsNameTheirCause) {
    std::string nested17(17, '('), nested16(16, '(');
    nested17 += "a" + std::string(17, ')');
    nested16 += "a" + std::string(16, ')');
    struct Case {
        Form form;
        const char* input;
        const char* message;
    } cases[] = {
        {Plain, "a)", "trailing characters: \")\""},
        {Plain, "a{2}", "unsupported UNSAFE counted quantifier"},
        {Plain, "a**", "unexpected metacharacter '*'"},
        {Plain, "(?a)", "unexpected metacharacter '?'"},
        {Plain, "a]", "unexpected metacharacter ']'"},
        {Plain, "{", "unexpected metacharacter '{'"},
        {Plain, "^*", "unexpected metacharacter '*'"},
        {Plain, "(?=a)", "unsupported lookahead assertion '(?=...'"},
        {Plain, "(?!a)", "unsupported lookahead assertion '(?!...'"},
        {Plain, "(a", "expected closing ')'"},
        {Plain, nested17.c_str(), "unsupported depth of nested expressions"},
        {Plain, nested16.c_str(), "compiled"},
        // The depth counts the groups open at once, not the groups so far.
        {Plain, "(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)(a)", "compiled"},
        {Plain, "\\01", "illegal decimal escape sequence"},
        {Plain, "[\\01]", "illegal decimal escape sequence"},
        {Plain, "\\c1", "expected control letter after '\\c'"},
        {Plain, "\\x4", "expected hex escape after '\\x'"},
        {Plain, "[\\xg0]", "expected hex escape after '\\x'"},
        {Plain, "\\u12", "expected Unicode escape after '\\u'"},
        {Plain, "\\uD800\\u0041", "expected low surrogate after high surrogate"},
        {Plain, "\\uD800", "expected low surrogate after high surrogate"},
        {Plain, "\\uDC00", "unexpected low surrogate"},
        {Plain, "[\\uDFFF]", "unexpected low surrogate"},
        {Plain, "(a)\\1", "unsupported UNSAFE backreference"},
        {Plain, "\\q", "invalid escape sequence '\\q'"},
        {Plain, "a\\", "unterminated escape sequence"},
        {Plain, "[a", "expected closing ']'"},
        {Plain, "[\\1]", "invalid class escape sequence '\\1'"},
        {Plain, "[\\B]", "invalid class escape sequence '\\B'"},
        {Plain, "a\xff", "Bad UTF-8 string"},
        {Literal, "a/", "expected '/'-delimited regex"},
        {Literal, "/ab", "expected terminating '/'"},
        {Literal, "/a\\", "expected terminating '/'"},
        {Literal, "/[a/", "expected terminating ']'"},
        {Literal, "/a\nb/", "illegal line break in literal"},
        {Literal, "/a\xe2\x80\xa8/", "illegal line break in literal"},
        {Literal, "/a/g", "unsupported flag 'g'"},
        {Literal, "/a/y", "unsupported flag 'y'"},
        {Literal, "/a/ii", "invalid flag 'i'"},
        {Literal, "/a/u", "invalid flag 'u'"},
        {Literal, "/a)/", "trailing characters: \")/\""},
        {Substitution, "/a/b/", "expected 's/../../' substitution"},
        {Substitution, "s/a/b", "expected terminating '/'"},
        {Substitution, "s/a/\\q/", "invalid escape sequence '\\q'"},
        {Substitution, "s/a/\xc3/", "Bad UTF-8 string"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(compileError(c.form, c.input), c.message) << c.input;
}

// "@<start>:<match>" and each group ("<>" when it did not take part), or "none".
std::string describe(const Regex& re, const std::string& text) {
    const char* starts[4];
    const char* ends[4];
    const char* end = text.data() + text.size();
    const char* start = re.exec(text.data(), &end, starts, ends, 4);
    if (!start) return end ? "end set without a match" : "none";
    std::string out = "@" + std::to_string(start - text.data()) + ":" + std::string(start, end);
    for (int g = 0; g < re.captureCount() && g < 4; ++g)
        out += "|" + (starts[g] ? std::string(starts[g], ends[g]) : "<>");
    return out;
}

// Priorities and captures as a backtracking matcher gives them, from the Pike machine.
TEST(Regex, LeftmostMatchWithPatternPriorities) {
    struct Case {
        const char* pattern;
        uint32_t flags;
        const char* text;
        const char* expected;
    } cases[] = {
        {"a|ab", 0, "ab", "@0:a"},
        {"a*?", 0, "aaa", "@0:"},
        {"a*", 0, "aaa", "@0:aaa"},
        {"a+?b", 0, "xaab", "@1:aab"},
        {"(a)|b", 0, "b", "@0:b|<>"},
        {"(a|(b))+", 0, "ab", "@0:ab|b|b"},
        // The second iteration resets the inner group that the first one set.
        {"(a|(b))+", 0, "ba", "@0:ba|a|<>"},
        {"(?:(a)|b)+", 0, "ab", "@0:ab|<>"},
        {"(a*)*b", 0, "b", "@0:b|<>"},
        {"", 0, "x", "@0:"},
        {"a|", 0, "b", "@0:"},
        {"^b", 0, "a\nb", "none"},
        {"^b", Regex::Multiline, "a\nb", "@2:b"},
        {"a$", Regex::Multiline, "a\r\n", "@0:a"},
        {"\\bfoo\\b", 0, "a foo.", "@2:foo"},
        {"\\bfoo\\b", 0, "afoo", "none"},
        {"\\bfoo", 0, "\xc3\xa9" "foo", "@2:foo"},
        {"\\Boo", 0, "foo", "@1:oo"},
        {".", 0, "\n", "none"},
        {".", Regex::DotAll, "\n", "@0:\n"},
        {"[a-]+", 0, "x-a-", "@1:-a-"},
        {"[\\d-z]+", 0, "a-9z", "@1:-9z"},
        {"[z-a]", 0, "m", "none"},
        {"[A-C]", Regex::IgnoreCase, "b", "@0:b"},
        {"[^a-c]", Regex::IgnoreCase, "B", "none"},
        {"\xc3\xa9", Regex::IgnoreCase, "\xc3\x89", "none"},
        {"ABC", Regex::IgnoreCase, "xabc", "@1:abc"},
        {"[\\W]+", 0, "ab\xc3\xa9-", "@2:\xc3\xa9-"},
        {"\\s+", 0, "a\xe3\x80\x80\t b", "@1:\xe3\x80\x80\t "},
        {"\\uD83D\\uDE00", 0, "x\xf0\x9f\x98\x80", "@1:\xf0\x9f\x98\x80"},
        // What the HTTP layer takes out of a user agent.
        {";\\s*(\\w+(?:[-_]\\w+)?)\\)", 0, "X (Mac; Intel; en-US)", "@13:; en-US)|en-US"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(describe(*Regex::create(c.pattern, c.flags), c.text), c.expected)
            << "/" << c.pattern << "/ " << c.flags << " on '" << c.text << "'";
    std::string withNul("\nA\0", 3);
    EXPECT_EQ(describe(*Regex::create("\\cJ\\x41\\0"), withNul), "@0:" + withNul);
    EXPECT_TRUE(Regex::create("(a)|b")->match("b").isNull());
    EXPECT_EQ(Regex::create("(a+)")->match("baab"), "aa");
}

// Bytes that are not UTF-8 are one character each as far as the decoder read, never more: a
// matcher that skipped by the lead byte's announced length would jump over the "A" after a
// cut sequence, or read past the end of a text that is not NUL-terminated.
TEST(Regex, InvalidUtf8AdvancesByWhatTheDecoderRead) {
    struct Case {
        const char* pattern;
        std::string text;
        const char* expected;
    } cases[] = {
        {"A", "\xe2\x82" "A", "@2:A"},
        {"[^x]A", "\xf0\x9f" "A", "@1:\x9f" "A"},
        {".$", "ab\xf0", "@2:\xf0"},
        {"\\W\\w", "\xe2\x82" "b", "@0:\xe2\x82" "b"},
        {"[\\s\\S]", "\xff", "none"},
        {"\\Bb", "\xe2\x82" "b", "none"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<char[]> exact(new char[c.text.size()]);  // no NUL after the text
        std::memcpy(exact.get(), c.text.data(), c.text.size());
        const char* end = exact.get() + c.text.size();
        const char* start = Regex::create(c.pattern)->exec(exact.get(), &end);
        std::string got = start ? "@" + std::to_string(start - exact.get()) + ":" +
                                      std::string(start, end) : "none";
        EXPECT_EQ(got, c.expected) << c.pattern;
    }
    plat::DString out;
    Regex::create("x*")->replaceAll("a\xe2\x82" "b", "-", out);
    EXPECT_STREQ(out.c_str(), "-a-\xe2\x82-b-");
}

TEST(Regex, ReplacementTemplates) {
    struct Case {
        const char* pattern;
        const char* text;
        const char* replacement;
        bool all;
        const char* expected;
    } cases[] = {
        {"x*", "abc", "-", true, "-a-b-c-"},
        {"x*", "a\xc3\xa9", "-", true, "-a-\xc3\xa9-"},
        {"a*", "baac", "-", true, "-b--c-"},
        {"(b)", "abc", "[$2]", true, "a[$2]c"},
        {"(b)", "abc", "[$0]", true, "a[$0]c"},
        {"(b)", "abc", "[$$1$&$`$']", true, "a[$1bac]c"},
        {"(b)|x", "axc", "[$1]", true, "a[]c"},
        {"(b)", "abc", "$99999999999999999999", true, "a$99999999999999999999c"},
        {"(b)", "abc", "$", true, "a$c"},
        {"(a)(b)", "abab", "$2$1", false, "baab"},
        {"^a", "aaa", "-", true, "-aa"},
        {"^a", "a\na", "-", true, "-\n-"},
    };
    for (const auto& c : cases) {
        plat::DString out("%s", "kept:");
        auto re = Regex::create(c.pattern, strchr(c.text, '\n') ? Regex::Multiline : 0);
        int count = c.all ? re->replaceAll(c.text, c.replacement, out)
                          : re->replaceFirst(c.text, c.replacement, out);
        EXPECT_STREQ(out.c_str(), ("kept:" + std::string(c.expected)).c_str()) << c.pattern;
        EXPECT_GT(count, 0);
    }
    // The output's own text as the text and the template: the output grows while they are read.
    plat::DString own("%s", "ab<$&>");
    Regex::create("b")->replaceAll(own.c_str(), own.c_str() + 2, own);
    EXPECT_STREQ(own.c_str(), "ab<$&>a<b><$&>");
    // The template alone inside it, with room to spare: written over if not copied first.
    for (bool all : {false, true}) {
        plat::DString tail("%s", "<$&>");
        tail.reserve(256);
        auto re = Regex::create("b");
        all ? re->replaceAll("abcb", tail.c_str(), tail)
            : re->replaceFirst("abcb", tail.c_str(), tail);
        EXPECT_STREQ(tail.c_str(), all ? "<$&>a<b>c<b>" : "<$&>a<b>cb");
    }
    plat::StringList all;
    Regex::create("(a)|b")->matchAll("ab", all);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_TRUE(all[0] == "a" && all[1] == "a" && all[2] == "b" && all[3].isNull());
}

// "/" inside a class or escaped belongs to the pattern; flags follow the closing one.
TEST(Regex, DelimitedForms) {
    const char* text = "/ab\\/c/im rest";
    auto re = Regex::createFromLiteral(&text);
    EXPECT_STREQ(text, " rest");
    EXPECT_EQ(re->flags(), Regex::IgnoreCase | Regex::Multiline);
    EXPECT_TRUE(re->matchesWhole("AB/C"));
    text = "/[/]x[\\]/]/s";
    re = Regex::createFromLiteral(&text);
    EXPECT_TRUE(re->matchesWhole("/x/") && re->matchesWhole("/x]"));
    EXPECT_EQ(*text, '\0');
    text = "s/a([/])/<$1\\/\\x41\\u00e9\\$>/i;";
    plat::String replacement;
    re = Regex::createSubstitution(&text, replacement);
    EXPECT_STREQ(text, ";");
    EXPECT_EQ(replacement, "<$1/A\xc3\xa9$>");
    plat::DString out;
    re->replaceAll("xA/y", replacement.get(), out);
    EXPECT_STREQ(out.c_str(), "x<//A\xc3\xa9$>y");
}

// A backtracking matcher takes exponential time on these; the Pike machine is linear. So is
// compiling: 20,000 alternatives of distinct characters must not cost their square.
TEST(Regex, PathologicalPatternsRunInLinearTime) {
    std::string manyChars;
    for (int c = 0x4E00; c < 0x4E00 + 20000; ++c) {
        char encoded[4];
        char* end = encoded;
        plat::utf8Encode(c, &end);
        manyChars.append(manyChars.empty() ? "" : "|").append(encoded, end);
    }
    auto begin = std::chrono::steady_clock::now();
    auto many = Regex::create(manyChars.c_str());
    EXPECT_EQ(describe(*many, "ab\xE4\xB8\x80\xE9\xBF\xBF"), "@2:\xE4\xB8\x80");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
    std::string ab(100000, 'a'), as(100000, 'a');
    for (size_t i = 1; i < ab.size(); i += 3)
        ab[i] = 'b';
    struct Case {
        const char* pattern;
        const std::string& text;
    } cases[] = {{"(?:a|b)+c", ab}, {"(a*)*b", as}, {"(a|a)*b", as}, {"(?:a?){30}", as}};
    for (const auto& c : cases) {
        std::unique_ptr<Regex> re;
        try {
            re = Regex::create(c.pattern);
        } catch (const plat::Exception&) {
            continue;  // counted quantifiers are refused for this very reason
        }
        auto begin = std::chrono::steady_clock::now();
        EXPECT_EQ(describe(*re, c.text), "none") << c.pattern;
        EXPECT_FALSE(re->matchesWhole(c.text.c_str())) << c.pattern;
        auto took = std::chrono::steady_clock::now() - begin;
        EXPECT_LT(took, std::chrono::seconds(10)) << c.pattern;
    }
}

// A quoted text is a pattern matching exactly that text, also between "/" delimiters.
TEST(Regex, QuoteMatchesItsTextWhole) {
    EXPECT_STREQ(Regex::quote("1+1", false).get(), "\\u0031\\+1");
    EXPECT_STREQ(Regex::quote("a\xff/", true).get(), "a[]\\/");
    const char* pieces[] = {"a",  "1",  "$", "(", ")", "*", "+", ".", "?", "[", "\\", "]",
                            "^",  "{",  "|", "}", "/", "-", "\n", "\r", " ", "\xc3\xa9",
                            "\xe2\x80\xa8", "\xe2\x80\xa9", "\xf0\x9f\x98\x80", ",", "0"};
    std::mt19937 random(14);
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (size_t n = random() % 12; n > 0; --n)
            text += pieces[random() % (sizeof pieces / sizeof *pieces)];
        EXPECT_TRUE(Regex::create(Regex::quote(text.c_str(), false).get())->matchesWhole(text.c_str()))
            << text;
        std::string literal = "/" + std::string(Regex::quote(text.c_str(), true).get()) + "/";
        const char* cursor = literal.c_str();
        EXPECT_TRUE(Regex::createFromLiteral(&cursor)->matchesWhole(text.c_str())) << literal;
        EXPECT_EQ(*cursor, '\0');
    }
}

// Swapping must exchange contents whichever side is inline and whichever is on the heap.
TEST(SmallVector, SwapAcrossStorageKinds) {
    for (auto sizes : {std::make_pair(3, 5), std::make_pair(3, 40), std::make_pair(40, 0),
                       std::make_pair(50, 60)}) {
        plat::SmallVector<int, 8> a, b;
        for (int i = 0; i < sizes.first; ++i)
            a.push_back(i);
        for (int i = 0; i < sizes.second; ++i)
            b.push_back(1000 + i);
        a.swap(b);
        ASSERT_EQ(int(a.size()), sizes.second);
        ASSERT_EQ(int(b.size()), sizes.first);
        for (int i = 0; i < sizes.second; ++i)
            EXPECT_EQ(a[size_t(i)], 1000 + i);
        for (int i = 0; i < sizes.first; ++i)
            EXPECT_EQ(b[size_t(i)], i);
    }
}

}  // namespace

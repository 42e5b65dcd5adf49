#include "plat/DString.h"

#include "plat/CmdLine.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>

namespace {

using plat::DString;

DString of(const char* text) {
    DString d;
    d.append(text);
    return d;
}

// A text and its NUL in 8 bytes at least, otherwise the next power of two; beyond 2^30 is as
// fatal as running out of memory.
TEST(DString, CapacityRule) {
    for (auto [length, capacity] : {std::pair{7, 8}, {8, 16}, {100, 128}})
        EXPECT_EQ(of(std::string(size_t(length), 'x').c_str()).capacity(), capacity) << length;
    EXPECT_DEATH(DString().reserve((1 << 30) + 1), "Assertion '.*' failed");
}

// A length stops at the NUL; a code point is written whole or, out of range, not at all.
TEST(DString, Appending) {
    DString d;
    d.append("abcdef", 3).append(nullptr).append("xyz", -1).append("q\0r", 5);
    d.appendUnichar('a', 3).appendUnichar(0x20AC, 2).appendUnichar('z', 0);
    EXPECT_STREQ(d.get(), "abcxyzqaaa\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_THROW(d.appendUnichar(-1), plat::Exception);
    EXPECT_THROW(d.appendUnichar(0x110000), plat::Exception);
    EXPECT_EQ(d.length(), 16u);
}

// Every operation handed a piece of the buffer's own text. The buffer starts full (7 characters
// in 8 bytes), so each operation that adds anything moves it: AddressSanitizer reports any
// later read of the old one.
TEST(DString, EveryOperationAcceptsItsOwnText) {
    plat::StringSet xy = plat::splitToSet("x,y", ',');
    struct Case {
        const char* operation;
        std::function<void(DString&)> apply;
        const char* want;
    } cases[] = {
        {"append", [](DString& d) { d.append(d.get()); }, "abcdefgabcdefg"},
        {"append length", [](DString& d) { d.append(d.get() + 1, 3); }, "abcdefgbcd"},
        {"appendFormat argument", [](DString& d) { d.appendFormat("<%s>", d.get() + 4); },
         "abcdefg<efg>"},
        {"appendFormat format", [](DString& d) { d.appendFormat(d.get() + 5, 0); }, "abcdefgfg"},
        {"replaceRange", [](DString& d) { d.replaceRange(0, 1, d.get() + 2, 3); }, "cdebcdefg"},
        {"replaceRange growing", [](DString& d) { d.replaceRange(7, 7, d.get()); },
         "abcdefgabcdefg"},
        {"appendReplacing text", [](DString& d) { d.appendReplacing(d.get(), "b", "BB"); },
         "abcdefgaBBcdefg"},
        {"appendReplacing find", [](DString& d) { d.appendReplacing("fgxfg", d.get() + 5, "-"); },
         "abcdefg-x-"},
        {"appendReplacing replacement",
         [](DString& d) { d.appendReplacing("aaaa", "a", d.get() + 5); }, "abcdefgfgfgfgfg"},
        {"replace", [](DString& d) { d.replace(d.get() + 6, d.get()); }, "abcdefabcdefg"},
        {"assign itself", [](DString& d) { d = d; }, "abcdefg"},
        {"expandEnvVars", [](DString& d) { plat::expandEnvVars(d, d.get() + 3); }, "defg"},
        {"joinStrings",
         [&xy](DString& d) { plat::joinStrings(d, xy.begin(), xy.end(), d.get() + 6); },
         "abcdefggxgy"},
        {"quoteArg", [](DString& d) { plat::quoteArg(d, d.get() + 5); }, "abcdefg fg"},
    };
    for (const Case& c : cases) {
        DString d = of("abcdefg");
        c.apply(d);
        EXPECT_STREQ(d.get(), c.want) << c.operation;
    }
    // As filed: the replacement is the whole text, and the search runs long.
    DString filed;
    filed.append("<>");
    filed.appendReplacing("aaaaaaaaaaaaaaaaaaaaaaaa", "a", filed.get());
    EXPECT_EQ(filed.length(), 2u + 24 * 2);
}

// An output beyond the scratch space is formatted again in full; a formatting error (a wide
// character the C locale cannot convert) neither loops nor appends.
TEST(DString, FormatLongOutputAndErrors) {
    DString d = of("keep");
    d.appendFormat("%ls", L"\x20AC\x20AC");
    EXPECT_STREQ(d.get(), "keep");
    d.appendFormat("%s!", std::string(5000, 'z').c_str());
    EXPECT_EQ(std::string(d.get()), "keep" + std::string(5000, 'z') + "!");
}

// Out-of-order, negative and past-the-end ranges leave the text alone.
TEST(DString, ReplaceRange) {
    struct Case {
        int start, end;
        const char* want;
    } cases[] = {
        {1, 3, "a!def"},  {0, 0, "!abcdef"}, {6, 6, "abcdef!"},
        {3, 2, "abcdef"}, {-1, 2, "abcdef"}, {0, 7, "abcdef"},
    };
    for (const Case& c : cases) {
        DString d = of("abcdef");
        d.replaceRange(c.start, c.end, "!");
        EXPECT_STREQ(d.get(), c.want) << c.start << ".." << c.end;
    }
}

TEST(DString, Replacing) {
    DString d;
    d.appendReplacing("a.b.c", ".", "::");
    EXPECT_STREQ(d.get(), "a::b::c");
    d.replace("::", "");
    EXPECT_STREQ(d.get(), "abc");
    DString null;
    null.replace("x", "y");
    EXPECT_EQ(null.get(), nullptr);
    EXPECT_DEATH(DString().appendReplacing("abc", "", "x"), "Assertion 'findLen' failed");
}

TEST(DString, FixUtf8ReportsWhetherItRepaired) {
    EXPECT_FALSE(of("ok \xC3\xA9").fixUtf8());
    DString bad = of("a\xFFz");
    EXPECT_TRUE(bad.fixUtf8());
    EXPECT_STREQ(bad.get(), "a\xEF\xBF\xBDz");
}

TEST(DString, WrapCountsDisplayColumns) {
    struct Case {
        const char* in;
        int width, indent;
        const char* want;
    } cases[] = {
        {"the quick brown fox", 10, 2, "the quick\n  brown\n  fox"},
        {"  lead kept", 20, 0, "  lead kept"},
        {"a verylongword b", 5, 0, "a\nverylongword\nb"},
        {"one\n  two three", 9, 1, "one\n  two\n three"},
        {"wrap   here", 6, 0, "wrap\nhere"},
        // Each of these characters takes two columns, and these one.
        {"\xE4\xB8\xAD\xE6\x96\x87 ab", 6, 0, "\xE4\xB8\xAD\xE6\x96\x87\nab"},
        {"\xC3\xA9\xC3\xA9 ab", 6, 0, "\xC3\xA9\xC3\xA9 ab"},
    };
    for (const Case& c : cases) {
        DString d = of(c.in);
        d.wrap(c.width, c.indent);
        EXPECT_STREQ(d.get(), c.want) << c.in;
    }
}

std::string expanded(const char* text, const plat::StringMap* variables = nullptr) {
    DString out;
    plat::expandEnvVars(out, text, variables);
    return out.c_str();
}

TEST(DString, ExpandEnvVars) {
    setenv("TQ_V", "v", 1);
    const char* cases[][2] = {
        {"a$$b", "a$b"},    {"${}", "$"},       {"x$-y", "x-y"}, {"${TQ_V", "v"},
        {"${TQ_V}s", "vs"}, {"$TQ_V.x", "v.x"}, {"end$", "end"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(expanded(c[0]), c[1]) << c[0];
    // The caller's variables come before the environment.
    plat::StringMap vars;
    vars.emplace(plat::String("TQ_V"), plat::String("mapped"));
    EXPECT_EQ(expanded("$TQ_V", &vars), "mapped");
}

TEST(DString, UnknownVariableThrowsAndLeavesTheResultAlone) {
    DString kept = of("untouched");
    try {
        plat::expandEnvVars(kept, "a $TQ_NO_SUCH_VAR_XYZ b");
        ADD_FAILURE() << "an unknown variable must throw";
    } catch (const plat::Exception& e) {
        EXPECT_STREQ(e.message(), "unknown environment variable: TQ_NO_SUCH_VAR_XYZ");
    }
    EXPECT_STREQ(kept.get(), "untouched");
    plat::expandEnvVars(kept, "a${TQ_NO_SUCH_VAR_XYZ}b", nullptr, false);
    EXPECT_STREQ(kept.get(), "ab");
}

TEST(DString, JoinStringsSeparatesOnlyAfterANonEmptyResult) {
    plat::StringSet set = plat::splitToSet("b,a,,c", ',');
    DString out;
    plat::joinStrings(out, set.begin(), set.end(), "+");
    // The empty piece sorts first and leaves the result empty, so "a" gets no separator.
    EXPECT_STREQ(out.get(), "a+b+c");
    DString prefixed = of("x");
    plat::joinStrings(prefixed, set.begin(), set.end(), "+");
    EXPECT_STREQ(prefixed.get(), "x++a+b+c");
}

}  // namespace

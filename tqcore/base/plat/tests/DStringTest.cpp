#include "plat/DString.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using plat::DString;

TEST(DString, CapacityGrowsToPowersOfTwoFromEight) {
    DString d;
    EXPECT_EQ(d.get(), nullptr);
    EXPECT_EQ(d.capacity(), 0);
    d.append("1234567");
    EXPECT_EQ(d.capacity(), 8);
    d.append("8");
    EXPECT_EQ(d.capacity(), 16);
    DString hundred;
    hundred.append(std::string(100, 'x').c_str());
    EXPECT_EQ(hundred.capacity(), 128);
    hundred.reserve(0).reserve(50);
    EXPECT_EQ(hundred.capacity(), 128);
    DString empty;
    empty.append("");
    EXPECT_STREQ(empty.get(), "");
    EXPECT_EQ(empty.capacity(), 8);
}

TEST(DString, CapacityBeyondTheSignedRangeIsFatal) {
    EXPECT_DEATH(DString().reserve((1 << 30) + 1), "Assertion 'n <= kMaxCapacity' failed");
}

TEST(DString, AppendHonoursLengthAndNull) {
    DString d;
    d.append("abcdef", 3).append(nullptr).append("xyz", -1).append("q\0r", 5);
    EXPECT_STREQ(d.get(), "abcxyzq");
    EXPECT_EQ(d.length(), 7u);
}

TEST(DString, AppendingItsOwnTextSurvivesGrowth) {
    DString d;
    d.append("abcdefg");  // capacity 8, full
    d.append(d.get());    // grows while reading from the old buffer
    EXPECT_STREQ(d.get(), "abcdefgabcdefg");
    d.append(d.get() + 3, 4);
    EXPECT_STREQ(d.get(), "abcdefgabcdefgdefg");
    d = d;  // self-assignment keeps the text
    EXPECT_STREQ(d.get(), "abcdefgabcdefgdefg");
}

TEST(DString, FormatGrowsOnceAndAcceptsItsOwnText) {
    DString d("%d-%s", 42, "x");
    EXPECT_STREQ(d.get(), "42-x");
    EXPECT_EQ(d.capacity(), 8);  // the guess is the format's length

    DString grows;
    grows.appendFormat("%s", std::string(40, 'y').c_str());
    EXPECT_EQ(grows.length(), 40u);
    EXPECT_EQ(grows.capacity(), 64);

    DString self;
    self.append("0123456");
    self.appendFormat("<%s|%s>", self.get(), self.get());
    EXPECT_STREQ(self.get(), "0123456<0123456|0123456>");

    std::string large(5000, 'z');
    DString big;
    big.appendFormat("%s!", large.c_str());
    EXPECT_EQ(big.length(), 5001u);
}

TEST(DString, FormatErrorAppendsNothingAndEnds) {
    // A wide character the C locale cannot convert makes vsnprintf fail; formatting must
    // neither loop nor append.
    DString d;
    d.append("keep");
    d.appendFormat("%ls", L"\x20AC\x20AC");
    EXPECT_STREQ(d.get(), "keep");
}

TEST(DString, ReplaceRange) {
    struct Case {
        int start, end;
        const char* with;
        const char* want;
    } cases[] = {
        {1, 3, "XYZ", "aXYZdef"}, {0, 0, ">", ">abcdef"}, {6, 6, "<", "abcdef<"}, {2, 5, "", "abf"},
        {3, 2, "!", "abcdef"},    {-1, 2, "!", "abcdef"}, {0, 7, "!", "abcdef"},
    };
    for (const Case& c : cases) {
        DString d;
        d.append("abcdef");
        d.replaceRange(c.start, c.end, c.with);
        EXPECT_STREQ(d.get(), c.want) << c.start << ".." << c.end;
    }
    DString own;
    own.append("abcdef");
    own.replaceRange(0, 1, own.get() + 2, 3);
    EXPECT_STREQ(own.get(), "cdebcdef");
}

TEST(DString, AppendUnichar) {
    DString d;
    d.appendUnichar('a', 3).appendUnichar(0x20AC, 2).appendUnichar('z', 0);
    EXPECT_STREQ(d.get(), "aaa\xE2\x82\xAC\xE2\x82\xAC");
    // The decoder's invalid marker must never be written as a byte.
    EXPECT_THROW(d.appendUnichar(-1), plat::Exception);
    EXPECT_THROW(d.appendUnichar(0x110000), plat::Exception);
    EXPECT_STREQ(d.get(), "aaa\xE2\x82\xAC\xE2\x82\xAC");
}

TEST(DString, Replacing) {
    DString d;
    d.appendReplacing("a.b.c", ".", "::");
    EXPECT_STREQ(d.get(), "a::b::c");
    d.replace("::", "");
    EXPECT_STREQ(d.get(), "abc");
    d.appendReplacing(d.get(), "b", "BB");
    EXPECT_STREQ(d.get(), "abcaBBc");
    DString null;
    null.replace("x", "y");
    EXPECT_EQ(null.get(), nullptr);
    EXPECT_DEATH(DString().appendReplacing("abc", "", "x"), "Assertion 'findLen' failed");
}

TEST(DString, FixUtf8) {
    DString good;
    good.append("ok \xC3\xA9");
    EXPECT_FALSE(good.fixUtf8());
    EXPECT_STREQ(good.get(), "ok \xC3\xA9");
    DString bad;
    bad.append("a\xFF"
               "b");
    EXPECT_TRUE(bad.fixUtf8());
    EXPECT_STREQ(bad.get(), "a\xEF\xBF\xBD"
                            "b");
    EXPECT_EQ(bad.capacity(), 6);
}

TEST(DString, Wrap) {
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
        {"trailing   ", 8, 0, "trailing"},
        // Width counts display columns: each of these characters takes two.
        {"\xE4\xB8\xAD\xE6\x96\x87 ab", 6, 0, "\xE4\xB8\xAD\xE6\x96\x87\nab"},
        {"\xC3\xA9\xC3\xA9 ab", 6, 0, "\xC3\xA9\xC3\xA9 ab"},
    };
    for (const Case& c : cases) {
        DString d;
        d.append(c.in);
        d.wrap(c.width, c.indent);
        EXPECT_STREQ(d.get(), c.want) << c.in;
    }
}

TEST(DString, CopyAssignmentKeepsCapacity) {
    DString a;
    a.append(std::string(20, 'q').c_str());
    DString b;
    b.append("x");
    b = a;
    EXPECT_EQ(b.capacity(), 32);
    EXPECT_STREQ(b.get(), a.get());
    DString none;
    b = none;
    EXPECT_EQ(b.get(), nullptr);
}

TEST(DString, ExpandEnvVars) {
    setenv("TQ_TEST_VAR", "value", 1);
    const char* home = std::getenv("HOME");
    ASSERT_NE(home, nullptr);
    struct Case {
        const char* in;
        std::string want;
    } cases[] = {
        {"$HOME/.qdx", std::string(home) + "/.qdx"},
        {"a$$b", "a$b"},
        {"${}", "$"},
        {"x$-y", "x-y"},
        {"${HOME", home},
        {"${TQ_TEST_VAR}s", "values"},
        {"$TQ_TEST_VAR.x", "value.x"},
        {"end$", "end"},
        {"", ""},
    };
    for (const Case& c : cases) {
        DString out;
        plat::expandEnvVars(out, c.in);
        EXPECT_EQ(std::string(out.c_str()), c.want) << c.in;
    }
    plat::StringMap vars;
    vars.emplace(plat::String("TQ_TEST_VAR"), plat::String("mapped"));
    DString out;
    plat::expandEnvVars(out, "$TQ_TEST_VAR", &vars);
    EXPECT_STREQ(out.get(), "mapped");

    DString kept;
    kept.append("untouched");
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

TEST(DString, JoinStrings) {
    plat::StringSet set = plat::splitToSet("b,a,,c", ',');
    DString out;
    plat::joinStrings(out, set.begin(), set.end(), "+");
    // The empty piece sorts first and leaves the result empty, so "a" gets no separator.
    EXPECT_STREQ(out.get(), "a+b+c");
    DString prefixed;
    prefixed.append("x");
    plat::joinStrings(prefixed, set.begin(), set.end(), "+");
    EXPECT_STREQ(prefixed.get(), "x++a+b+c");
}

}  // namespace

#include "plat/StrUtil.h"

#include "plat/String.h"
#include "plat/StringList.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>
#include <vector>

namespace {

using plat::String;

TEST(StrUtil, CopyAndAppendStayInBounds) {
    char guard[8] = {'#', '#', '#', '#', '#', '#', '#', '#'};
    // Size 0 writes nothing at all.
    EXPECT_EQ(plat::strCopy(guard + 4, "abc", 0), 3u);
    EXPECT_EQ(guard[3], '#');
    EXPECT_EQ(guard[4], '#');
    char small[4];
    EXPECT_EQ(plat::strCopy(small, "abcdef", sizeof small), 6u);
    EXPECT_STREQ(small, "abc");

    // Two ASCII characters and a 3-byte character into 5 bytes: the character is dropped whole.
    char buf[5] = "";
    EXPECT_EQ(plat::strAppend(buf, sizeof buf, "ab\xE2\x82\xAC"), 2u);
    EXPECT_STREQ(buf, "ab");

    // A buffer with no NUL within its size is terminated, not overrun.
    char unterminated[4] = {'w', 'x', 'y', 'z'};
    EXPECT_EQ(plat::strAppend(unterminated, sizeof unterminated, "more"), 3u);
    EXPECT_STREQ(unterminated, "wxy");

    char exact[6] = "ab";
    EXPECT_EQ(plat::strAppend(exact, sizeof exact, "cdefgh", 3), 5u);
    EXPECT_STREQ(exact, "abcde");
}

TEST(StrUtil, FormatCutsAtCharacterBoundary) {
    char buf[6] = "";
    plat::strAppendFormat(buf, sizeof buf, "%s%s", "abc", "\xC3\xA9\xC3\xA9");
    EXPECT_STREQ(buf, "abc\xC3\xA9");
    char tiny[4] = "";
    plat::strAppendFormat(tiny, sizeof tiny, "%s", "\xF0\x9F\x98\x80");
    EXPECT_STREQ(tiny, "");
    // An argument taken from the buffer itself.
    char own[16] = "abc";
    plat::strAppendFormat(own, sizeof own, "[%s]", own);
    EXPECT_STREQ(own, "abc[abc]");
}

TEST(StrUtil, AppendUnicharFitsWholeCharacters) {
    char buf[8] = "a";
    EXPECT_EQ(plat::strAppendUnichar(buf, sizeof buf, 0x20AC, 5), 7u);
    EXPECT_STREQ(buf, "a\xE2\x82\xAC\xE2\x82\xAC");
    EXPECT_THROW(plat::strAppendUnichar(buf, sizeof buf, -1), plat::Exception);
    EXPECT_THROW(plat::strAppendUnichar(buf, sizeof buf, 0x110000), plat::Exception);
}

TEST(StrUtil, FixedSizeFormatting) {
    char buf[256] = "x";
    plat::appendFormat256(buf, "%d", 12);
    EXPECT_STREQ(buf, "x12");
    plat::formatToBuffer256(buf, "%s", "new");
    EXPECT_STREQ(buf, "new");
    EXPECT_STREQ(plat::ShortStr::format("%d", -2147483647 - 1).get(), "-2147483648");
}

TEST(StrUtil, Comparisons) {
    EXPECT_EQ(plat::strCmpNull(nullptr, nullptr), 0);
    EXPECT_LT(plat::strCmpNull(nullptr, ""), 0);
    EXPECT_GT(plat::strCmpNull("a", nullptr), 0);
    EXPECT_TRUE(plat::strBeginsWith("abc", nullptr));
    EXPECT_TRUE(plat::strBeginsWith(nullptr, ""));
    EXPECT_FALSE(plat::strBeginsWith(nullptr, "a"));
    EXPECT_TRUE(plat::strBeginsWithNoCase("LogDest", "logd"));
    EXPECT_TRUE(plat::strEndsWith("file.log", ".log"));
    EXPECT_FALSE(plat::strEndsWith("log", "file.log"));
    EXPECT_TRUE(plat::strEndsWithNoCase("FILE.LOG", ".log"));
    EXPECT_STREQ(plat::strCaseStr("LogDestIpc", "DEST"), "DestIpc");
    EXPECT_EQ(plat::strCaseStr("abc", "abcd"), nullptr);
    EXPECT_TRUE(plat::strHasCharBefore("a:b", nullptr, ':'));
    const char* t = "ab:c";
    EXPECT_FALSE(plat::strHasCharBefore(t, t + 2, ':'));
}

TEST(StrUtil, CaseChangesTouchAsciiOnlyInEveryLocale) {
    // In a single-byte locale the C library would fold 0xC3 and 0xA0 as letters and break
    // the UTF-8 of "À" and "à".
    const char* previous = std::setlocale(LC_CTYPE, nullptr);
    std::string saved = previous ? previous : "C";
    bool latin1 = std::setlocale(LC_CTYPE, "de_DE.ISO-8859-1") != nullptr;
    char upper[] = "voil\xC3\xA0 \xC3\x80";
    plat::strToUpper(upper);
    EXPECT_STREQ(upper, "VOIL\xC3\xA0 \xC3\x80");
    plat::strToLower(upper);
    EXPECT_STREQ(upper, "voil\xC3\xA0 \xC3\x80");
    EXPECT_EQ(plat::strCaseCmpAscii("\xC3\xA0", "\xC3\x80"), 0xA0 - 0x80);
    std::setlocale(LC_CTYPE, saved.c_str());
    if (!latin1) GTEST_SKIP() << "locale de_DE.ISO-8859-1 is not installed";
}

TEST(StrUtil, HashIsTheSignExtendedFnv1a) {
    EXPECT_EQ(plat::strHash(""), 0xcbf29ce484222325ULL);
    EXPECT_EQ(plat::strHash(nullptr), 0xcbf29ce484222325ULL);
    EXPECT_EQ(plat::strHash("abc"), 0xe71fa2190541574bULL);
    // A byte from 0x80 up flips the upper bits too, unlike textbook FNV-1a.
    uint64_t h = 0xcbf29ce484222325ULL;
    h ^= 0xFFFFFFFFFFFFFFC3ULL;
    h *= 0x100000001b3ULL;
    EXPECT_EQ(plat::strHash("\xC3"), h);
}

std::vector<std::string> tokens(const char* text, bool skip) {
    String copy(text);
    char* cursor = copy.buf();
    std::vector<std::string> out;
    while (char* t = plat::strTok(&cursor, ',', skip))
        out.push_back(t);
    return out;
}

TEST(StrUtil, Tokenising) {
    using V = std::vector<std::string>;
    EXPECT_EQ(tokens("a,,b,", false), (V{"a", "", "b", ""}));
    EXPECT_EQ(tokens("a,,b,", true), (V{"a", "b"}));
    EXPECT_EQ(tokens(",,,", true), V{});
    EXPECT_EQ(tokens("", false), V{""});
    EXPECT_EQ(tokens(",x", false), (V{"", "x"}));

    String any("key=value;rest");
    char* cursor = any.buf();
    char hit = 'x';
    EXPECT_STREQ(plat::strTokAny(&cursor, "=;", &hit, false), "key");
    EXPECT_EQ(hit, '=');
    EXPECT_STREQ(plat::strTokAny(&cursor, "=;", &hit, false), "value");
    EXPECT_EQ(hit, ';');
    EXPECT_STREQ(plat::strTokAny(&cursor, "=;", &hit, false), "rest");
    EXPECT_EQ(hit, '\0');
    EXPECT_EQ(cursor, nullptr);

    String str("a::b::::c");
    cursor = str.buf();
    EXPECT_STREQ(plat::strTokStr(&cursor, "::", true), "a");
    EXPECT_STREQ(plat::strTokStr(&cursor, "::", true), "b");
    EXPECT_STREQ(plat::strTokStr(&cursor, "::", true), "c");
    EXPECT_EQ(plat::strTokStr(&cursor, "::", true), nullptr);

    String path("/usr/lib/x");
    cursor = path.buf();
    EXPECT_STREQ(plat::strSplitLast(&cursor, '/'), "x");
    EXPECT_STREQ(cursor, "/usr/lib");
    String plain("name");
    cursor = plain.buf();
    EXPECT_STREQ(plat::strSplitLast(&cursor, '/'), "name");
    EXPECT_EQ(cursor, nullptr);
}

TEST(StrUtil, TrimRemoveInsert) {
    char text[] = " \t a b \r\n";
    EXPECT_STREQ(plat::strTrimRight(plat::strTrimLeft(text)), "a b");
    char chars[] = "a-b_c-d";
    EXPECT_STREQ(plat::strRemoveChars(chars, "-_"), "abcd");
    EXPECT_TRUE(plat::strHasNonBlank(" x "));
    EXPECT_FALSE(plat::strHasNonBlank(" \t\r\n"));

    String digits("12345678");
    plat::strInsertEvery(digits, " ", 4);
    EXPECT_STREQ(digits.get(), "1234 5678");
    String three("abc");
    plat::strInsertEvery(three, "-", 1);
    EXPECT_STREQ(three.get(), "a-b-c");
    plat::strInsertEvery(three, "-", 0);
    EXPECT_STREQ(three.get(), "a-b-c");
}

TEST(StrUtil, WipeAndConstantTimeCompare) {
    unsigned char secret[16];
    std::memset(secret, 0xAB, sizeof secret);
    plat::secureZero(secret, sizeof secret);
    for (unsigned char c : secret)
        EXPECT_EQ(c, 0);
    unsigned char copy[4];
    plat::secureCopy(copy, "wxyz", 4);
    EXPECT_EQ(std::memcmp(copy, "wxyz", 4), 0);
    EXPECT_TRUE(plat::constantTimeEquals("abcd", "abcd", 4));
    EXPECT_FALSE(plat::constantTimeEquals("abcd", "abce", 4));
    EXPECT_TRUE(plat::constantTimeEquals("a", "b", 0));
}

TEST(StrUtil, StripMnemonic) {
    struct Case {
        const char* in;
        const char* out;
        int codePoint;
        int position;  // -1: none
    } cases[] = {
        {"&Apply && close", "Apply & close", 'A', 0},
        {"Save &as", "Save as", 'a', 5},
        {"No marker", "No marker", 0, -1},
        {"Trailing&", "Trailing", 0, -1},
        {"&&Only", "&Only", 0, -1},
        {"&\xC3\x89"
         "diter",
         "\xC3\x89"
         "diter",
         0xC9, 0},
        {"a&b&c", "abc", 'b', 1},
    };
    for (const Case& c : cases) {
        String text(c.in);
        char* position = reinterpret_cast<char*>(1);
        EXPECT_EQ(plat::stripMnemonic(text.buf(), &position), c.codePoint) << c.in;
        EXPECT_STREQ(text.get(), c.out);
        if (c.position < 0)
            EXPECT_EQ(position, nullptr) << c.in;
        else
            EXPECT_EQ(position, text.buf() + c.position) << c.in;
    }
}

TEST(StringList, UniqueAndSplit) {
    plat::StringList list;
    plat::addUniqueString(list, "a");
    plat::addUniqueString(list, "a");
    plat::addUniqueString(list, nullptr);
    plat::addUniqueString(list, nullptr);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[1].isNull());
    plat::freeStringVector(list);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(plat::splitToSet(nullptr, ',').empty());
    EXPECT_EQ(plat::splitToSet("x,y,x", ',').size(), 2u);
}

TEST(String, AssignmentAndOwnership) {
    String s("abc");
    const char* before = s.get();
    s = "abc";  // equal text: nothing happens
    EXPECT_EQ(s.get(), before);
    s = s.get() + 1;  // a part of its own text
    EXPECT_STREQ(s.get(), "bc");
    String copy(s);
    EXPECT_NE(copy.get(), s.get());
    EXPECT_STREQ(String::format("%s-%d", "n", 7).get(), "n-7");
    EXPECT_TRUE(String(nullptr).isNull());
    EXPECT_STREQ(String("abcdef", 3).get(), "abc");
}

}  // namespace

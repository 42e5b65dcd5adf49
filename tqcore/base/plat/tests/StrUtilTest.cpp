#include "plat/StrUtil.h"

#include "plat/SecureString.h"
#include "plat/String.h"
#include "plat/StringList.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <functional>
#include <string>

namespace {

using plat::String;

// Output that does not fit is cut, and never inside a character.
TEST(StrUtil, BoundedWritersStayInBounds) {
    char guard[3] = "##";
    EXPECT_EQ(plat::strCopy(guard + 1, "abc", 0), 3u);  // size 0 writes nothing at all
    EXPECT_STREQ(guard, "##");
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

    char formatted[6] = "";
    plat::strAppendFormat(formatted, sizeof formatted, "%s%s", "abc", "\xC3\xA9\xC3\xA9");
    EXPECT_STREQ(formatted, "abc\xC3\xA9");
    char chars[8] = "a";
    EXPECT_EQ(plat::strAppendUnichar(chars, sizeof chars, 0x20AC, 5), 7u);
    EXPECT_STREQ(chars, "a\xE2\x82\xAC\xE2\x82\xAC");
}

// Each helper that writes into a buffer, and each owned string, handed a piece of its own text.
TEST(StrUtil, WritersAcceptTheirBuffersOwnText) {
    using Buffer = char[256];
    struct Case {
        const char* helper;
        std::function<void(Buffer&)> apply;
        const char* want;
    } cases[] = {
        {"strCopy", [](Buffer& b) { plat::strCopy(b, b + 2, sizeof b); }, "cdef"},
        {"strAppend", [](Buffer& b) { plat::strAppend(b, sizeof b, b + 4); }, "abcdefef"},
        {"strAppendFormat", [](Buffer& b) { plat::strAppendFormat(b, sizeof b, "[%s]", b); },
         "abcdef[abcdef]"},
        {"formatToBuffer256", [](Buffer& b) { plat::formatToBuffer256(b, "%s!", b); }, "abcdef!"},
    };
    for (const Case& c : cases) {
        Buffer b = "abcdef";
        c.apply(b);
        EXPECT_STREQ(b, c.want) << c.helper;
    }
    // A separator set that is the end of the text being cut: the whole run is skipped.
    String text("a;;");
    char* cursor = text.buf();
    EXPECT_STREQ(plat::strTokAny(&cursor, text.get() + 1, nullptr, true), "a");
    EXPECT_EQ(cursor, nullptr);
    // The owned strings copy before they free (or wipe) their text.
    String own("abcdef");
    own = own.get() + 3;
    plat::SecureString secret("password");
    secret.assign(secret.get() + 4, 2);
    EXPECT_EQ(std::string(own.get()) + secret.get(), "defwo");
}

// Null counts as the smallest text; a needle or suffix longer than the text is no match, not
// a read before or past it.
TEST(StrUtil, ComparisonsAcceptNullAndLongerPatterns) {
    EXPECT_LT(plat::strCmpNull(nullptr, ""), 0);
    EXPECT_FALSE(plat::strBeginsWith(nullptr, "a"));
    EXPECT_FALSE(plat::strEndsWith("log", "file.log"));
    EXPECT_EQ(plat::strCaseStr("abc", "abcd"), nullptr);
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
    EXPECT_EQ(plat::strHash(nullptr), 0xcbf29ce484222325ULL);
    EXPECT_EQ(plat::strHash("abc"), 0xe71fa2190541574bULL);
    // A byte from 0x80 up flips the upper bits too, unlike textbook FNV-1a.
    EXPECT_EQ(plat::strHash("\xC3"),
              (0xcbf29ce484222325ULL ^ 0xFFFFFFFFFFFFFFC3ULL) * 0x100000001b3ULL);
}

// Every byte and every bit of it takes part in the comparison; the copy and the wipe reach
// every byte.
TEST(StrUtil, SecureCompareCopyAndZero) {
    unsigned char a[4] = {0x00, 0x7F, 0x80, 0xFF}, b[4];
    plat::secureCopy(b, a, sizeof b);
    EXPECT_EQ(std::memcmp(a, b, sizeof a), 0);
    EXPECT_TRUE(plat::constantTimeEquals(a, b, sizeof a));
    for (size_t i = 0; i < sizeof a * 8; ++i) {
        b[i / 8] ^= uint8_t(1 << i % 8);
        EXPECT_FALSE(plat::constantTimeEquals(a, b, sizeof a)) << i;
        EXPECT_TRUE(plat::constantTimeEquals(a, b, i / 8));  // the bytes before it only
        b[i / 8] ^= uint8_t(1 << i % 8);
    }
    plat::secureZero(b + 1, 2);
    EXPECT_EQ(b[0] + b[1] + b[2], 0);
    EXPECT_EQ(b[3], 0xFF);
}

// The pieces that `next` cuts from a copy of `text`, each in brackets.
template <typename Next>
std::string pieces(const char* text, Next next) {
    String copy(text);
    char* cursor = copy.buf();
    std::string out;
    while (char* piece = next(&cursor))
        out += std::string("[") + piece + "]";
    return out;
}

TEST(StrUtil, TokenisingKeepsOrSkipsEmptyPieces) {
    auto keep = [](char** c) { return plat::strTok(c, ',', false); };
    auto skip = [](char** c) { return plat::strTok(c, ',', true); };
    EXPECT_EQ(pieces("a,,b,", keep), "[a][][b][]");
    EXPECT_EQ(pieces("", keep), "[]");
    EXPECT_EQ(pieces(",,a,,", skip), "[a]");
    EXPECT_EQ(pieces("a::::b", [](char** c) { return plat::strTokStr(c, "::", true); }), "[a][b]");
    String any("k=v"), path("/usr/lib/x"), plain("name");
    char* cursor = any.buf();
    char hit = '?';
    EXPECT_STREQ(plat::strTokAny(&cursor, "=;", &hit, false), "k");
    EXPECT_EQ(hit, '=');
    EXPECT_STREQ(plat::strTokAny(&cursor, "=;", &hit, false), "v");
    EXPECT_EQ(hit, '\0');
    cursor = path.buf();
    EXPECT_STREQ(plat::strSplitLast(&cursor, '/'), "x");
    EXPECT_STREQ(cursor, "/usr/lib");
    cursor = plain.buf();
    EXPECT_STREQ(plat::strSplitLast(&cursor, '/'), "name");
    EXPECT_EQ(cursor, nullptr);
}

TEST(StrUtil, TrimAndInsertEvery) {
    char text[] = " \t a b \r\n";
    EXPECT_STREQ(plat::strTrimRight(plat::strTrimLeft(text)), "a b");
    String three("abc");
    plat::strInsertEvery(three, "-", 1);
    plat::strInsertEvery(three, "-", 0);  // must not loop
    EXPECT_STREQ(three.get(), "a-b-c");
}

TEST(StrUtil, StripMnemonicTakesTheFirstSingleAmpersand) {
    struct Case {
        const char* in;
        const char* out;
        int codePoint;
        int position;  // -1: none
    } cases[] = {
        {"&Apply && close", "Apply & close", 'A', 0},
        {"Trailing&", "Trailing", 0, -1},
        {"&&Only", "&Only", 0, -1},
        {"&\xC3\x89xy", "\xC3\x89xy", 0xC9, 0},
        {"a&b&c", "abc", 'b', 1},
    };
    for (const Case& c : cases) {
        String text(c.in);
        char* position = reinterpret_cast<char*>(1);
        EXPECT_EQ(plat::stripMnemonic(text.buf(), &position), c.codePoint) << c.in;
        EXPECT_STREQ(text.get(), c.out);
        EXPECT_EQ(position, c.position < 0 ? nullptr : text.buf() + c.position) << c.in;
    }
}

TEST(StringList, UniqueAndSplitTellNullFromEmpty) {
    plat::StringList list;
    for (const char* s : std::initializer_list<const char*>{"", "", nullptr, nullptr})
        plat::addUniqueString(list, s);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_TRUE(list[1].isNull());
    EXPECT_EQ(plat::splitToSet("x,y,x", ',').size(), 2u);
}

}  // namespace

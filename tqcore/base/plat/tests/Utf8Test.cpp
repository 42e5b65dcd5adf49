#include "plat/Utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using plat::String;

// The decoder applied byte by byte: the reference that the word-at-a-time validator must
// agree with.
bool validByDecoding(const std::string& bytes) {
    const char* p = bytes.data();
    const char* end = p + bytes.size();
    while (p < end && *p) {
        if (plat::utf8Decode(&p, end) < 0) return false;
    }
    return true;
}

std::string hexBytes(const std::string& s) {
    std::string out;
    char buf[4];
    for (unsigned char c : s) {
        snprintf(buf, sizeof buf, "%02X ", c);
        out += buf;
    }
    return out;
}

TEST(Utf8, ClassificationTable) {
    struct Case {
        const char* bytes;
        bool valid;
        const char* why;
    } cases[] = {
        {"\x41", true, "ASCII"},
        {"\xC2\x80", true, "U+0080, the first 2-byte value"},
        {"\xC0\x80", false, "overlong NUL"},
        {"\xC1\xBF", false, "overlong 2-byte"},
        {"\xE0\x9F\xBF", false, "overlong 3-byte"},
        {"\xE0\xA0\x80", true, "U+0800"},
        {"\xF0\x8F\xBF\xBD", false, "overlong 4-byte"},
        {"\xED\x9F\xBF", true, "U+D7FF, just below the surrogates"},
        {"\xED\xA0\x80", false, "U+D800 surrogate"},
        {"\xED\xBF\xBF", false, "U+DFFF surrogate"},
        {"\xEE\x80\x80", true, "U+E000"},
        {"\xEF\xB7\x8F", true, "U+FDCF"},
        {"\xEF\xB7\x90", false, "U+FDD0 non-character"},
        {"\xEF\xB7\xAF", false, "U+FDEF non-character"},
        {"\xEF\xB7\xB0", true, "U+FDF0"},
        {"\xEF\xBF\xBD", true, "U+FFFD"},
        {"\xEF\xBF\xBE", false, "U+FFFE"},
        {"\xEF\xBF\xBF", false, "U+FFFF"},
        {"\xF0\x9F\x98\x80", true, "U+1F600"},
        {"\xF0\x9F\xBF\xBE", false, "U+1FFFE"},
        {"\xF3\xBF\xBF\xBF", false, "U+FFFFF"},
        {"\xF4\x8F\xBF\xBD", true, "U+10FFFD"},
        {"\xF4\x8F\xBF\xBF", false, "U+10FFFF is a non-character"},
        {"\xF4\x90\x80\x80", false, "above U+10FFFF"},
        {"\xF8\x88\x80\x80\x80", false, "5-byte lead"},
        {"\xFF", false, "0xFF"},
        {"\x80", false, "lone continuation"},
        {"\xE2\x82", false, "cut 3-byte sequence"},
        {"\xE2\x82\x41", false, "continuation missing"},
        {"a\xC3\xA9z", true, "accented"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(plat::utf8IsValid(c.bytes), c.valid) << c.why;
        std::string s(c.bytes);
        EXPECT_EQ(plat::utf8IsValid(s.data(), s.data() + s.size()), c.valid) << c.why;
    }
}

TEST(Utf8, NonCharactersInEveryPlane) {
    for (int plane = 0; plane <= 16; ++plane) {
        for (int low : {0xFFFE, 0xFFFF}) {
            char buf[5] = {};
            char* p = buf;
            plat::utf8Encode((plane << 16) | low, &p);
            EXPECT_FALSE(plat::utf8IsValid(buf, p)) << std::hex << ((plane << 16) | low);
            const char* q = buf;
            EXPECT_EQ(plat::utf8Decode(&q, p), -1);
        }
    }
}

TEST(Utf8, ValidatorAgreesWithDecoderOnAllShortSequences) {
    // Every 1- and 2-byte string, and 3- and 4-byte strings built from the interesting bytes,
    // each also placed after 16 ASCII bytes so the word-at-a-time path hands over to it.
    const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xB7,
                                         0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xED,
                                         0xEE, 0xEF, 0xF0, 0xF3, 0xF4, 0xF5, 0xFF};
    auto check = [](const std::string& s) {
        bool expected = validByDecoding(s);
        ASSERT_EQ(plat::utf8IsValid(s.data(), s.data() + s.size()), expected) << hexBytes(s);
        std::string prefixed = std::string(16, 'x') + s + std::string(17, 'y');
        ASSERT_EQ(plat::utf8IsValid(prefixed.data(), prefixed.data() + prefixed.size()),
                  validByDecoding(prefixed))
            << hexBytes(s);
    };
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b)
            check(std::string{char(a), char(b)});
    for (unsigned char a : interesting)
        for (unsigned char b : interesting)
            for (unsigned char c : interesting) {
                check(std::string{char(a), char(b), char(c)});
                for (unsigned char d : interesting)
                    check(std::string{char(a), char(b), char(c), char(d)});
            }
}

TEST(Utf8, ValidationStopsAtNul) {
    std::string s("ab\0\xFF", 4);
    EXPECT_TRUE(plat::utf8IsValid(s.data(), s.data() + s.size()));
    std::string longer = std::string(20, 'a') + std::string("\0\xFF", 2);
    EXPECT_TRUE(plat::utf8IsValid(longer.data(), longer.data() + longer.size()));
}

TEST(Utf8, RepairCounts) {
    struct Case {
        std::string in;
        bool explicitEnd;
        std::string out;
    } cases[] = {
        {"\x80", true, "\xEF\xBF\xBD"},
        {"\xE2\x82"
         "A",
         true,
         "\xEF\xBF\xBD"
         "A"},
        // Cut at an explicit end: the lead cannot fit, so it and the lone continuation are
        // repaired one by one.
        {"\xE2\x82", true, "\xEF\xBF\xBD\xEF\xBF\xBD"},
        // Cut before a NUL: the NUL stops the decoding after the continuation byte.
        {"\xE2\x82", false, "\xEF\xBF\xBD"},
        {"\xED\xA0\x80", true, "\xEF\xBF\xBD"},
        {"\xC0\x80x", true, "\xEF\xBF\xBDx"},
        {"ok\xF0\x9F\x98\x80", true, "ok\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        String out = c.explicitEnd ? plat::toUtf8(c.in.data(), c.in.data() + c.in.size())
                                   : plat::toUtf8(c.in.c_str());
        EXPECT_EQ(std::string(out.get()), c.out) << hexBytes(c.in);
        EXPECT_TRUE(plat::utf8IsValid(out.get()));
    }
}

TEST(Utf8, RepairRespectsMaximumWithoutCuttingCharacters) {
    EXPECT_STREQ(plat::toUtf8("abc\xE2\x82\xAC", nullptr, 5).get(), "abc");
    EXPECT_STREQ(plat::toUtf8("abc\xE2\x82\xAC", nullptr, 6).get(), "abc\xE2\x82\xAC");
    EXPECT_STREQ(plat::toUtf8("\xFF\xFF", nullptr, 4).get(), "\xEF\xBF\xBD");
    EXPECT_STREQ(plat::toUtf8("abc", nullptr, 0).get(), "");
}

TEST(Utf8, EncodeRanges) {
    char buf[8];
    char* p = buf;
    plat::utf8Encode(0x10FFFF, &p);
    EXPECT_EQ(p - buf, 4);
    p = buf;
    EXPECT_THROW(plat::utf8Encode(0x110000, &p), plat::Exception);
    EXPECT_THROW(plat::utf8Encode(-1, &p), plat::Exception);
    p = buf;
    plat::utf8Encode(0x20AC, &p);
    EXPECT_EQ(std::string(buf, p), "\xE2\x82\xAC");
}

TEST(Utf8, PrevNeverStepsBeforeTheText) {
    const char text[] = "a\xE2\x82\xAC"
                        "b";
    const char* end = text + 5;
    EXPECT_EQ(plat::utf8Prev(end, text), text + 4);
    EXPECT_EQ(plat::utf8Prev(text + 4, text), text + 1);
    EXPECT_EQ(plat::utf8Prev(text + 1, text), text);
    EXPECT_EQ(plat::utf8Prev(text, text), text);
    // A run of continuation bytes at the start stops at the limit.
    const char cont[] = "\x82\x82\x82";
    EXPECT_EQ(plat::utf8Prev(cont + 3, cont), cont);
    // Without a limit only the character's own bytes are read (ASan watches this one).
    std::string heap("\xE2\x82\xAC");
    EXPECT_EQ(plat::utf8Prev(heap.data() + 3, nullptr), heap.data());
    std::string ascii("z");
    EXPECT_EQ(plat::utf8Prev(ascii.data() + 1, nullptr), ascii.data());
}

TEST(Utf8, DisplayWidth) {
    EXPECT_EQ(plat::utf8DisplayWidth("abc"), 3);
    EXPECT_EQ(plat::utf8DisplayWidth("\xE4\xB8\xAD\xE6\x96\x87"), 4);  // two wide characters
    EXPECT_EQ(plat::utf8DisplayWidth("a\tb"), 3);                      // a control counts 1
    EXPECT_EQ(plat::utf8DisplayWidth("ab\xFF"
                                     "cd"),
              2);  // stops at bad byte
    const char* t = "abcdef";
    EXPECT_EQ(plat::utf8DisplayWidth(t, t + 2), 2);
}

TEST(Utf8, ClampRange) {
    const char* text = "a\xE2\x82\xAC"
                       "bc";  // a, euro (3 bytes), b, c: 6 bytes
    struct Case {
        int start, length, wantStart, wantLength;
    } cases[] = {
        {2, 3, 4, 1},    // inside the euro: move to b, shorten by the two bytes passed
        {0, 2, 0, 4},    // end inside the euro: extend to its end
        {-5, -1, 0, 6},  // negative start clamps to 0, negative length to the end
        {1, 100, 1, 5},  // length clamped to what remains
        {9, 2, 6, 0},    // start beyond the end
        {2, 1, 4, 0},    // shortened below 1
    };
    for (const Case& c : cases) {
        int start = c.start, length = c.length;
        plat::utf8ClampRange(text, &start, &length);
        EXPECT_EQ(start, c.wantStart) << c.start << "," << c.length;
        EXPECT_EQ(length, c.wantLength) << c.start << "," << c.length;
    }
    int start = 2;
    plat::utf8ClampRange(text, &start, nullptr);
    EXPECT_EQ(start, 4);
}

TEST(Utf8, VisibleForm) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\tb", "a~^Ib"},
        {"~", "~~"},
        {"\xFF", "~M^?"},
        {"\x7F", "~^?"},
        {"\x01", "~^A"},
        {"\xC3\xA9", "\xC3\xA9"},
        {"\xC3", "~M-C"},
        {"\xA0", "~M^`"},
        {"line\nnext", "line~^Jnext"},
        {"\xE2\x82"
         "A",
         "~M-b~M^BA"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(plat::utf8Visible(c.in, '~').get(), c.out) << c.in;
}

TEST(Utf8, SingleByteConversions) {
    EXPECT_STREQ(plat::singleByteToUtf8("\x80", -1).get(), "\xE2\x82\xAC");
    EXPECT_STREQ(plat::singleByteToUtf8("a\xE9\xFF", -1).get(), "a\xC3\xA9\xC3\xBF");
    int length = 0;
    EXPECT_STREQ(plat::utf8ToSingleByte("\xE2\x82\xAC\xC4\x80\xC3\xA9", -1, &length).get(),
                 "\x80?\xE9");
    EXPECT_EQ(length, 3);
    EXPECT_STREQ(plat::utf8ToSingleByte("a\xFF"
                                        "b",
                                        -1)
                     .get(),
                 "a?b");
    // The length bounds the input: a character cut by it is invalid.
    EXPECT_STREQ(plat::utf8ToSingleByte("\xC3\xA9", 1).get(), "?");

    plat::MBuf<unsigned char> bytes;
    plat::singleByteToUtf8(bytes, "\x80x", -1);
    ASSERT_EQ(bytes.size(), 4);
    EXPECT_EQ(bytes[0], 0xE2);
    EXPECT_EQ(bytes[3], 'x');
    EXPECT_FALSE(bytes.wipe());
    plat::utf8ToSingleByte(bytes, "\xE2\x82\xAC", -1);
    ASSERT_EQ(bytes.size(), 1);
    EXPECT_EQ(bytes[0], 0x80);
}

}  // namespace

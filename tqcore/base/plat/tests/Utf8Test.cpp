#include "plat/Utf8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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
    std::ostringstream out;
    for (unsigned char c : s)
        out << std::hex << int(c) << ' ';
    return out.str();
}

// Each group holds the boundary values of one rule of the decoder.
TEST(Utf8, ClassificationTable) {
    const struct {
        bool valid;
        const char* why;
        std::vector<std::string> texts;
    } groups[] = {
        {true, "first of a length", {"a\xC3\xA9z", "\xC2\x80", "\xE0\xA0\x80", "\xF0\x90\x80\x80"}},
        {true, "by surrogates", {"\xED\x9F\xBF", "\xEE\x80\x80"}},
        {true,
         "by non-chars",
         {"\xEF\xB7\x8F", "\xEF\xB7\xB0", "\xEF\xBF\xBD", "\xF4\x8F\xBF\xBD"}},
        {false, "overlong", {"\xC0\x80", "\xC1\xBF", "\xE0\x9F\xBF", "\xF0\x8F\xBF\xBD"}},
        {false, "surrogates", {"\xED\xA0\x80", "\xED\xBF\xBF"}},
        // U+FDD0, U+FDEF, and U+xFFFE / U+xFFFF in planes 0, 1, 15 and 16.
        {false,
         "non-characters",
         {"\xEF\xB7\x90", "\xEF\xB7\xAF", "\xEF\xBF\xBE", "\xEF\xBF\xBF", "\xF0\x9F\xBF\xBE",
          "\xF3\xBF\xBF\xBF", "\xF4\x8F\xBF\xBF"}},
        {false, "above U+10FFFF", {"\xF4\x90\x80\x80", "\xF8\x88\x80\x80\x80", "\xFF"}},
        {false, "stray or missing continuation", {"\x80", "\xE2\x82", "\xE2\x82z"}},
    };
    for (const auto& group : groups)
        for (const std::string& s : group.texts)
            for (const char* end : {static_cast<const char*>(nullptr), s.data() + s.size()})
                EXPECT_EQ(plat::utf8IsValid(s.data(), end), group.valid)
                    << group.why << ": " << hexBytes(s);
}

// Every 1- and 2-byte string, and 3- and 4-byte strings built from the interesting bytes, each
// also placed after 16 ASCII bytes so the word-at-a-time path hands over to it. A NUL ends
// validation in both.
TEST(Utf8, ValidatorAgreesWithDecoderOnAllShortSequences) {
    const unsigned char interesting[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xB7,
                                         0xBE, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xED,
                                         0xEE, 0xEF, 0xF0, 0xF3, 0xF4, 0xF5, 0xFF};
    auto check = [](const std::string& s) {
        for (const std::string& t : {s, std::string(16, 'x') + s + std::string(17, 'y')})
            ASSERT_EQ(plat::utf8IsValid(t.data(), t.data() + t.size()), validByDecoding(t))
                << hexBytes(t);
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

// Both validators against the decoder, on a text and on every prefix ending inside its last
// character (a cut sequence).
void expectAgreement(const std::string& text, size_t lastCharStart) {
    for (size_t length = lastCharStart; length <= text.size(); ++length) {
        const char* end = text.data() + length;
        bool expected = validByDecoding(text.substr(0, length));
        ASSERT_EQ(plat::utf8IsValid(text.data(), end), expected)
            << hexBytes(text.substr(0, length));
        ASSERT_EQ(plat::utf8detail::isValidPortable(text.data(), end), expected)
            << hexBytes(text.substr(0, length));
    }
}

// Every code point in its shortest form and in the overlong form one byte longer, at every
// position relative to the 16-byte blocks, with a 4-byte character or a NUL before it.
TEST(Utf8, ValidatorsAgreeWithDecoderOnEveryCodePoint) {
    for (int cp = 0x80; cp <= plat::kMaxCodePoint; ++cp) {
        char bytes[4];
        char* end = bytes;
        plat::utf8Encode(cp, &end);
        std::string shortest(bytes, end), overlong = shortest;
        if (overlong.size() < 4) {
            overlong[0] = char(0xC0 | (overlong[0] & 0x3F));
            overlong.insert(0, 1, char(overlong.size() == 2 ? 0xE0 : 0xF0));
        }
        std::string before(size_t(cp % 37), 'a');
        if (cp % 5 == 0) before += cp % 2 ? "\xF0\x9F\x98\x80" : std::string(1, '\0');
        for (const std::string& form : {shortest, overlong})
            expectAgreement(before + form, before.size() + 1);
    }
}

// Valid characters of every length with at most one piece that breaks them, cut anywhere.
TEST(Utf8, ValidatorsAgreeWithDecoderOnRandomText) {
    const std::vector<std::string> valid = {"a",
                                            "a run of ASCII, long enough ",
                                            "\xC3\xA9",
                                            "\xE4\xB8\xAD",
                                            "\xEF\xBC\x8C",
                                            "\xF0\x9F\x98\x80"};
    const std::vector<std::string> broken = {
        "\x80",         "\xC1\xBF",     "\xED\xA0\x80",       "\xF4\x90\x80\x80",
        "\xEF\xBF\xBE", "\xF5",         std::string(1, '\0'), "\xE0\x9F\xBF",
        "\xEF\xB7\x90", "\xF0\x9F\x98", "\xE4\xB8",           "\xF3\xBF\xBF\xBF"};
    std::mt19937 random(11);
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::string> pieces(random() % 40);
        for (std::string& piece : pieces)
            piece = valid[random() % valid.size()];
        if (!pieces.empty() && random() % 4)
            pieces[random() % pieces.size()] = broken[random() % broken.size()];
        std::string text;
        for (const std::string& piece : pieces)
            text += piece;
        expectAgreement(text, text.size() - std::min<size_t>(text.size(), 3));
    }
}

// A sequence cut by the end of the text is repaired byte by byte: its lead cannot fit.
TEST(Utf8, RepairReplacesEachInvalidSequenceOnce) {
    const char* cases[][2] = {
        {"\xE2\x82z", "\xEF\xBF\xBDz"},
        {"\xE2\x82", "\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xED\xA0\x80", "\xEF\xBF\xBD"},
        {"\xC0\x80x", "\xEF\xBF\xBDx"},
        {"ok\xF0\x9F\x98\x80", "ok\xF0\x9F\x98\x80"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(plat::toUtf8(c[0], c[0] + std::strlen(c[0])).get(), c[1]) << hexBytes(c[0]);
    // Before a NUL the NUL stops the decoding after the continuation.
    EXPECT_STREQ(plat::toUtf8("\xE2\x82").get(), "\xEF\xBF\xBD");
    // The maximum never cuts a character.
    EXPECT_STREQ(plat::toUtf8("abc\xE2\x82\xAC", nullptr, 5).get(), "abc");
    EXPECT_STREQ(plat::toUtf8("abc\xE2\x82\xAC", nullptr, 6).get(), "abc\xE2\x82\xAC");
    EXPECT_STREQ(plat::toUtf8("\xFF\xFF", nullptr, 4).get(), "\xEF\xBF\xBD");
}

TEST(Utf8, EncodeRefusesOutOfRange) {
    char buf[8];
    char* p = buf;
    plat::utf8Encode(0x10FFFF, &p);
    plat::utf8Encode(0x20AC, &p);
    EXPECT_EQ(std::string(buf, p), "\xF4\x8F\xBF\xBF\xE2\x82\xAC");
    EXPECT_THROW(plat::utf8Encode(0x110000, &p), plat::Exception);
    EXPECT_THROW(plat::utf8Encode(-1, &p), plat::Exception);
}

TEST(Utf8, PrevNeverStepsBeforeTheText) {
    const char text[] = "a\xE2\x82\xAC";
    EXPECT_EQ(plat::utf8Prev(text + 4, text), text + 1);
    EXPECT_EQ(plat::utf8Prev(text + 1, text), text);
    EXPECT_EQ(plat::utf8Prev(text, text), text);
    const char cont[] = "\x82\x82\x82";
    EXPECT_EQ(plat::utf8Prev(cont + 3, cont), cont);
    // Without a limit only the character's own bytes are read (ASan watches this one).
    std::string heap("\xE2\x82\xAC");
    EXPECT_EQ(plat::utf8Prev(heap.data() + 3, nullptr), heap.data());
}

// Starts inside a character move forward and shorten the length by the bytes passed; ends
// inside one extend to its end; negative starts clamp to 0, negative lengths mean the end.
TEST(Utf8, ClampRangeLandsOnCharacterBoundaries) {
    const char* text = "a\xE2\x82\xACxy";
    const int cases[][4] = {
        {2, 3, 4, 1}, {0, 2, 0, 4}, {-5, -1, 0, 6}, {1, 100, 1, 5}, {9, 2, 6, 0}, {2, 1, 4, 0},
    };
    for (const auto& c : cases) {
        int start = c[0], length = c[1];
        plat::utf8ClampRange(text, &start, &length);
        EXPECT_EQ(start, c[2]) << c[0] << "," << c[1];
        EXPECT_EQ(length, c[3]) << c[0] << "," << c[1];
    }
}

TEST(Utf8, VisibleFormEscapesControlsInvalidBytesAndTheEscape) {
    const char* cases[][2] = {
        {"a\tb", "a~^Ib"},        {"~", "~~"},      {"\xFF", "~M^?"},           {"\x7F", "~^?"},
        {"\xC3\xA9", "\xC3\xA9"}, {"\xA0", "~M^`"}, {"\xE2\x82z", "~M-b~M^Bz"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(plat::utf8Visible(c[0], '~').get(), c[1]) << c[0];
}

TEST(Utf8, SingleByteConversions) {
    EXPECT_STREQ(plat::singleByteToUtf8("\x80\xE9\xFF", -1).get(), "\xE2\x82\xAC\xC3\xA9\xC3\xBF");
    int length = 0;
    EXPECT_STREQ(plat::utf8ToSingleByte("\xE2\x82\xAC\xC4\x80\xC3\xA9\xFF", -1, &length).get(),
                 "\x80?\xE9?");
    EXPECT_EQ(length, 4);
    // The length bounds the input: a character cut by it is invalid.
    EXPECT_STREQ(plat::utf8ToSingleByte("\xC3\xA9", 1).get(), "?");

    plat::MBuf<unsigned char> bytes;
    plat::utf8ToSingleByte(bytes, "\xE2\x82\xAC", -1);
    ASSERT_EQ(bytes.size(), 1);
    EXPECT_EQ(bytes[0], 0x80);
}

}  // namespace

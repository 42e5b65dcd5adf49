#include "plat/Base64.h"
#include "plat/Hex.h"
#include "plat/Percent.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string bytesOf(const plat::ByteBuf& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.data()), size_t(buffer.size()));
}

plat::ByteBuf bufferOf(const std::string& bytes, bool wipe) {
    plat::ByteBuf buffer;
    buffer.assign(reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()));
    buffer.setWipe(wipe);
    return buffer;
}

bool hex(const char* text, plat::ByteBuf& buffer) {
    return plat::hexToBin(text, buffer);
}
bool base64(const char* text, plat::ByteBuf& buffer) {
    return plat::base64Decode(text, buffer);
}

// What `decode` makes of `text`, or "refused" after checking that it left the buffer alone.
std::string decoded(bool (*decode)(const char*, plat::ByteBuf&), const char* text) {
    plat::ByteBuf buffer = bufferOf("old", false);
    if (decode(text, buffer)) return bytesOf(buffer);
    EXPECT_EQ(bytesOf(buffer), "old") << text;
    return "refused";
}

TEST(Hex, DigitsAndValues) {
    EXPECT_THROW(plat::hexDigit(16), plat::AssertionFail);
    EXPECT_THROW(plat::hexDigit(-1), plat::AssertionFail);
    uint32_t acc = 0;
    for (char c : std::string("fF09aA"))
        EXPECT_TRUE(plat::hexDigitValue(c, acc)) << c;
    for (char c : std::string("gG/:@`\x80"))  // the neighbours of each range
        EXPECT_FALSE(plat::hexDigitValue(c, acc)) << c;
    EXPECT_EQ(acc, 0xFF09AAu);
    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xFF};
    EXPECT_STREQ(plat::binToHex(4, bytes).get(), "007f80ff");
}

// The throwing form must refuse what the other one refuses.
TEST(Hex, DecodeRefusesOddLengthsAndNonDigits) {
    EXPECT_EQ(decoded(hex, ""), "");
    EXPECT_EQ(decoded(hex, "00ff7F80"), std::string("\x00\xff\x7f\x80", 4));
    EXPECT_EQ(bytesOf(plat::hexToBin("00ff7F80")), std::string("\x00\xff\x7f\x80", 4));
    for (const char* text : {"abc", "0g", "g0"}) {
        EXPECT_EQ(decoded(hex, text), "refused");
        EXPECT_THROW(plat::hexToBin(text), plat::Exception) << text;
    }
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_TRUE(plat::hexToBin("a1b2c3d4ee", 4, out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "\xa1\xb2\xc3\xd4");
    EXPECT_FALSE(plat::hexToBin("0102z", 4, out));  // stops at the bad digit, not past the NUL
}

// Decoding into a buffer flagged for secrets must keep the flag, or the decoded key lingers in
// freed memory later.
TEST(Hex, DecodeKeepsWipeFlag) {
    for (bool wipe : {false, true}) {
        plat::ByteBuf buffer = bufferOf("secret", wipe);
        ASSERT_TRUE(plat::hexToBin("0102", buffer));
        EXPECT_EQ(buffer.wipe(), wipe);
        buffer = bufferOf("secret", wipe);
        ASSERT_TRUE(plat::base64Decode("AQI=", buffer));
        EXPECT_EQ(bytesOf(buffer), "\x01\x02");
        EXPECT_EQ(buffer.wipe(), wipe);
    }
}

TEST(Hex, DumpLayout) {
    std::string bytes = "ABCDEFGHIJKLMNOP\x01~\x7f\xff";
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    testing::internal::CaptureStderr();
    plat::hexDump(data, bytes.size(), nullptr, nullptr);
    plat::hexDump(data, bytes.size(), " <-- ", ">>  ");
    std::string out = testing::internal::GetCapturedStderr();
    std::string full = "41 42 43 44  45 46 47 48  49 4a 4b 4c  4d 4e 4f 50  ABCDEFGHIJKLMNOP\n";
    // Four bytes, then twelve missing ones and three group gaps, then the characters.
    std::string part = "01 7e 7f ff  " + std::string(12 * 3 + 3, ' ') + ".~..\n";
    EXPECT_EQ(out, "0000 " + full + "0010 " + part + " <-- " + full + ">>  " + part);
}

// Every length modulo 3 in both alphabets; round trips of any bytes are the base64 fuzz
// target's.
TEST(Base64, Rfc4648Vectors) {
    const char* cases[][3] = {
        {"", "", ""},
        {"f", "Zg==", "Zg"},
        {"fo", "Zm8=", "Zm8"},
        {"foo", "Zm9v", "Zm9v"},
        {"foob", "Zm9vYg==", "Zm9vYg"},
        {"fooba", "Zm9vYmE=", "Zm9vYmE"},
        {"foobar", "Zm9vYmFy", "Zm9vYmFy"},
        {"\xfb\xff\xbf", "+/+/", "-_-_"},
    };
    for (const auto& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c[0]);
        EXPECT_STREQ(plat::base64Encode(std::strlen(c[0]), bytes, false).get(), c[1]);
        EXPECT_STREQ(plat::base64Encode(std::strlen(c[0]), bytes, true).get(), c[2]);
        EXPECT_EQ(decoded(base64, c[1]), c[0]);
        EXPECT_EQ(decoded(base64, c[2]), c[0]);
    }
}

TEST(Base64, DecodeRefusesMisplacedPaddingAndForeignBytes) {
    for (const char* text : {"Zg=", "Zm9v=", "Zm9v\n", "Zm==Zm8=", "Z===", "Zm=8", "Zm9\xc3\xa9"})
        EXPECT_EQ(decoded(base64, text), "refused") << text;
    EXPECT_EQ(decoded(base64, "+_-/"), "\xfb\xff\xbf");  // alphabets mixed
    EXPECT_EQ(decoded(base64, "Zh=="), "f");             // left-over low bits ignored
    // A foreign byte anywhere in a text long enough for the two-group steps.
    const std::string good = "QUJDREVGR0hJSktMTU5PUFFSU1RVVldYWVo0NTY3ODk=";
    for (size_t at = 0; at + 2 < good.size(); ++at)
        for (char bad : {'\n', '=', '\x80', '.'}) {
            std::string text = good;
            text[at] = bad;
            EXPECT_EQ(decoded(base64, text.c_str()), "refused") << text;
        }
}

// Round trips of any text are the hex fuzz target's.
TEST(Percent, EncodeAndDecode) {
    EXPECT_STREQ(plat::percentEncode("AZaz09*-._ +/%\x01\x7f").get(),
                 "AZaz09*-._%20%2B%2F%25%01%7F");
    EXPECT_STREQ(plat::percentEncode("\xc3\xa9", false).get(), "\xc3\xa9");
    EXPECT_STREQ(plat::percentDecode("%7e%C3%A9+", false).get(), "~\xc3\xa9+");
    EXPECT_STREQ(plat::percentDecode("%2B+", true).get(), "+ ");
    EXPECT_STREQ(plat::percentDecode("a%00b").get(), "a");
    // Refused wherever the fault lies, even after a decoded zero byte.
    for (const char* bad : {"100%", "%4", "a+b%2x", "%g0", "%00%zz"})
        EXPECT_THROW(plat::percentDecode(bad, true), plat::Exception) << bad;
}

}  // namespace

#include "plat/Base64.h"
#include "plat/Hex.h"
#include "plat/Percent.h"

#include <gtest/gtest.h>

#include <random>
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

TEST(Hex, DigitsAndValues) {
    EXPECT_EQ(plat::hexDigit(0), '0');
    EXPECT_EQ(plat::hexDigit(10), 'a');
    EXPECT_EQ(plat::hexDigit(15), 'f');
    for (int bad : {-1, 16}) {
        try {
            plat::hexDigit(bad);
            ADD_FAILURE() << bad;
        } catch (const plat::AssertionFail& e) {
            EXPECT_STREQ(e.expression(), "i >= 0 && i <= 15");
        }
    }
    uint32_t acc = 0;
    for (char c : std::string("fF09aA"))
        EXPECT_TRUE(plat::hexDigitValue(c, acc)) << c;
    EXPECT_EQ(acc, 0xFF09AAu);
    for (char c : std::string("gG/:@`\x80"))
        EXPECT_FALSE(plat::hexDigitValue(c, acc)) << c;
    EXPECT_EQ(acc, 0xFF09AAu);

    const unsigned char bytes[] = {0x00, 0x7F, 0x80, 0xAB, 0xFF};
    EXPECT_STREQ(plat::binToHex(5, bytes).get(), "007f80abff");
    EXPECT_STREQ(plat::binToHex(0, bytes).get(), "");
}

// hexToBin must decode either case, refuse odd lengths and bad digits anywhere, and leave the
// buffer untouched when it refuses.
TEST(Hex, DecodeTable) {
    struct Case {
        const char* text;
        bool ok;
        std::string bytes;
    } cases[] = {
        {"", true, ""},
        {"00ff7F80", true, std::string("\x00\xff\x7f\x80", 4)},
        {"AbCd", true, "\xab\xcd"},
        {"abc", false, ""},
        {"0g", false, ""},
        {"g0", false, ""},
        {"00 1", false, ""},
        {"0x12", false, ""},
    };
    for (const Case& c : cases) {
        plat::ByteBuf buffer = bufferOf("old", false);
        EXPECT_EQ(plat::hexToBin(c.text, buffer), c.ok) << c.text;
        EXPECT_EQ(bytesOf(buffer), c.ok ? c.bytes : "old") << c.text;
        if (c.ok) {
            EXPECT_EQ(bytesOf(plat::hexToBin(c.text)), c.bytes);
        } else {
            try {
                plat::hexToBin(c.text);
                ADD_FAILURE() << c.text;
            } catch (const plat::Exception& e) {
                EXPECT_STREQ(e.message(), "Bad hex string");
            }
        }
    }
}

// A buffer flagged for secrets must stay flagged after decoding into it, or the decoded key is
// left in freed memory later.
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

TEST(Hex, DecodeFixedCountStopsAtShortText) {
    unsigned char out[4] = {9, 9, 9, 9};
    EXPECT_TRUE(plat::hexToBin("a1b2c3d4ee", 4, out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "\xa1\xb2\xc3\xd4");
    unsigned char shortOut[4] = {9, 9, 9, 9};
    EXPECT_FALSE(plat::hexToBin("a1b", 4, shortOut));
    EXPECT_EQ(shortOut[0], 0xa1);
    EXPECT_EQ(shortOut[2], 9);
    EXPECT_FALSE(plat::hexToBin("zz", 1, shortOut));
}

TEST(Hex, DumpLayout) {
    std::string bytes = "ABCDEFGHIJKLMNOP\x01~\x7f\xff";
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
    testing::internal::CaptureStderr();
    plat::hexDump(data, bytes.size(), nullptr, nullptr);
    plat::hexDump(data, bytes.size(), " <-- ", ">>  ");
    plat::hexDump(data, 0, "never", nullptr);
    std::string out = testing::internal::GetCapturedStderr();
    const char* full = "41 42 43 44  45 46 47 48  49 4a 4b 4c  4d 4e 4f 50  ABCDEFGHIJKLMNOP\n";
    // Four bytes, then twelve missing ones and three group gaps, then the characters.
    std::string part = "01 7e 7f ff  " + std::string(12 * 3 + 3, ' ') + ".~..\n";
    EXPECT_EQ(out, std::string("0000 ") + full + "0010 " + part + " <-- " + full + ">>  " + part);
}

TEST(Base64, Rfc4648Vectors) {
    struct Case {
        const char* bytes;
        const char* standard;
        const char* urlSafe;
    } cases[] = {
        {"", "", ""},
        {"f", "Zg==", "Zg"},
        {"fo", "Zm8=", "Zm8"},
        {"foo", "Zm9v", "Zm9v"},
        {"foob", "Zm9vYg==", "Zm9vYg"},
        {"fooba", "Zm9vYmE=", "Zm9vYmE"},
        {"foobar", "Zm9vYmFy", "Zm9vYmFy"},
        {"\xfb\xff\xbf", "+/+/", "-_-_"},
    };
    for (const Case& c : cases) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(c.bytes);
        size_t n = std::strlen(c.bytes);
        EXPECT_STREQ(plat::base64Encode(n, bytes, false).get(), c.standard);
        EXPECT_STREQ(plat::base64Encode(n, bytes, true).get(), c.urlSafe);
        for (const char* text : {c.standard, c.urlSafe}) {
            plat::ByteBuf decoded;
            EXPECT_TRUE(plat::base64Decode(text, decoded)) << text;
            EXPECT_EQ(bytesOf(decoded), c.bytes) << text;
        }
    }
}

TEST(Base64, DecodeEdgeCases) {
    struct Case {
        const char* text;
        bool ok;
        std::string bytes;
    } cases[] = {
        {"Zg", true, "f"},
        {"Zg==", true, "f"},
        {"Zg=", false, ""},     // a lone "=" after two characters
        {"Zm9v=", false, ""},   // length 4k + 1
        {"Zm9v\n", false, ""},  // white space
        {"Zm 9v", false, ""},
        {"-_-_", true, "\xfb\xff\xbf"},
        {"+_-/", true, "\xfb\xff\xbf"},  // alphabets mixed
        {"Zh==", true, "f"},             // left-over low bits ignored
        {"Zm8", true, "fo"},
        {"Zm8=", true, "fo"},
        {"Zm==Zm8=", false, ""},  // padding only at the end
        {"Z===", false, ""},
        {"====", false, ""},
        {"Zm=8", false, ""},
        {"Zm9\xc3\xa9", false, ""},
        {"Zm9.", false, ""},
    };
    for (const Case& c : cases) {
        plat::ByteBuf buffer = bufferOf("old", false);
        EXPECT_EQ(plat::base64Decode(c.text, buffer), c.ok) << c.text;
        EXPECT_EQ(bytesOf(buffer), c.ok ? c.bytes : "old") << c.text;
    }
}

// Every length and every byte value, in both alphabets, must survive a round trip.
TEST(Base64, RoundTripRandomBytes) {
    std::mt19937 random(42);
    for (size_t n = 0; n < 200; ++n) {
        std::string bytes(n, '\0');
        for (char& b : bytes)
            b = char(random());
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
        for (bool urlSafe : {false, true}) {
            plat::String text = plat::base64Encode(n, data, urlSafe);
            EXPECT_EQ(text.length(), urlSafe ? (4 * n + 2) / 3 : 4 * ((n + 2) / 3));
            plat::ByteBuf decoded;
            ASSERT_TRUE(plat::base64Decode(text.get(), decoded));
            EXPECT_EQ(bytesOf(decoded), bytes);
        }
    }
}

TEST(Percent, Encode) {
    EXPECT_STREQ(plat::percentEncode("a b~\xc3\xa9", true).get(), "a%20b%7E%C3%A9");
    EXPECT_STREQ(plat::percentEncode("a b~\xc3\xa9", false).get(), "a%20b%7E\xc3\xa9");
    EXPECT_STREQ(plat::percentEncode("AZaz09*-._+/%&=?\x01\x7f", true).get(),
                 "AZaz09*-._%2B%2F%25%26%3D%3F%01%7F");
    EXPECT_TRUE(plat::percentEncode(nullptr).isNull());
    EXPECT_STREQ(plat::percentEncode("").get(), "");
}

TEST(Percent, Decode) {
    struct Case {
        const char* text;
        bool plusIsSpace;
        const char* result;  // null: throws
    } cases[] = {
        {"a%20b%7e%C3%A9", false, "a b~\xc3\xa9"},
        {"a+b", true, "a b"},
        {"a+b", false, "a+b"},
        {"%2B+", true, "+ "},
        {"a%00b", false, "a"},
        {"100%", false, nullptr},
        {"%4", false, nullptr},
        {"a+b%2x", true, nullptr},
        {"%g0", false, nullptr},
        {"%00%zz", false, nullptr},  // refused even after a decoded zero byte
    };
    for (const Case& c : cases) {
        if (c.result) {
            EXPECT_STREQ(plat::percentDecode(c.text, c.plusIsSpace).get(), c.result) << c.text;
            continue;
        }
        try {
            plat::percentDecode(c.text, c.plusIsSpace);
            ADD_FAILURE() << c.text;
        } catch (const plat::Exception& e) {
            EXPECT_STREQ(e.message(), "Bad percent encoding");
        }
    }
    EXPECT_TRUE(plat::percentDecode(nullptr).isNull());
}

TEST(Percent, RoundTripEveryByte) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += char(c);
    plat::String encoded = plat::percentEncode(all.c_str(), true);
    for (const char* p = encoded.get(); *p; ++p)
        EXPECT_LT(static_cast<unsigned char>(*p), 0x80);
    EXPECT_EQ(plat::percentDecode(encoded.get()), all.c_str());
}

}  // namespace

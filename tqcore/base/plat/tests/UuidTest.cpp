#include "plat/Uuid.h"

#include <gtest/gtest.h>

namespace {

TEST(Uuid, ParseTable) {
    struct Case {
        const char* text;
        bool ok;
    } cases[] = {
        {"0123456789abcdef0123456789ABCDEF", true},
        {"01234567-89ab-cdef-0123-456789abcdef", true},
        {"01-23-45-67-89-ab-cd-ef-01-23-45-67-89-ab-cd-ef", true},
        {"-0123456789abcdef0123456789abcdef", true},
        {"0123456789abcdef0123456789abcdef-", false},
        {"01234567--89ab-cdef-0123-456789abcdef", false},
        {"{01234567-89ab-cdef-0123-456789abcdef}", false},
        {"0123456789abcdef0123456789abcde", false},
        {"0123456789abcdef0123456789abcdef0", false},
        {"0123456789abcdef0123456789abcdeg", false},
        {"0-123456789abcdef0123456789abcdef", false},  // a dash inside a pair
        {"0123456789abcdef0123456789abcdef ", false},
        {"", false},
    };
    const char* dashed = "01234567-89ab-cdef-0123-456789abcdef";
    for (const auto& c : cases) {
        plat::Uuid uuid("ffffffff-ffff-ffff-ffff-ffffffffffff");
        EXPECT_EQ(uuid.parse(c.text), c.ok) << c.text;
        EXPECT_STREQ(uuid.format().get(), c.ok ? dashed : "ffffffff-ffff-ffff-ffff-ffffffffffff")
            << c.text;
    }
    plat::Uuid uuid;
    EXPECT_FALSE(uuid.parse(nullptr));
}

TEST(Uuid, FormatAndConstruct) {
    const unsigned char bytes[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xff, 0x77,
                                     0xff, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    plat::Uuid uuid(bytes);
    // Byte 6 gets version 4, byte 8 the variant bits 10.
    EXPECT_STREQ(uuid.format(true).get(), "00112233-4455-4f77-bf99-aabbccddeeff");
    EXPECT_STREQ(uuid.format(false).get(), "0011223344554f77bf99aabbccddeeff");
    EXPECT_EQ(plat::Uuid("00112233-4455-4F77-BF99-AABBCCDDEEFF"), uuid);

    try {
        plat::Uuid bad("{00112233-4455-4f77-bf99-aabbccddeeff}");
        ADD_FAILURE();
    } catch (const plat::Exception& e) {
        EXPECT_STREQ(e.message(), "Invalid Uuid '{00112233-4455-4f77-bf99-aabbccddeeff}'");
    }
}

// Sets order byte-wise: a signed byte compare would put 80... before 7f...
TEST(Uuid, SetsOrderWriteAndRead) {
    const char* high = "80000000-0000-0000-0000-000000000000";
    const char* low = "7fffffff-ffff-ffff-ffff-ffffffffffff";
    const char* lowest = "00000000-0000-0000-0000-000000000001";
    plat::UuidSet set = plat::uuidSetFromString(
        (std::string(",") + high + ",," + "7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF," + lowest + "," + low)
            .c_str());
    ASSERT_EQ(set.size(), 3u);
    EXPECT_EQ(plat::uuidSetToString(set), (std::string(lowest) + "," + low + "," + high).c_str());
    EXPECT_EQ(plat::uuidSetFromString(plat::uuidSetToString(set).get()), set);
    EXPECT_STREQ(plat::uuidSetToString(plat::UuidSet()).get(), "");
    EXPECT_TRUE(plat::uuidSetFromString(nullptr).empty());

    plat::StringSet texts;
    texts.insert(plat::String(high));
    texts.insert(plat::String(lowest));
    EXPECT_EQ(plat::uuidSetFromStrings(texts).size(), 2u);

    texts.insert(plat::String("nope"));
    EXPECT_THROW(plat::uuidSetFromStrings(texts), plat::Exception);
    try {
        plat::uuidSetFromString((std::string(high) + ",xyz").c_str());
        ADD_FAILURE();
    } catch (const plat::Exception& e) {
        EXPECT_STREQ(e.message(), "Invalid Uuid 'xyz'");
    }
}

}  // namespace

#include "plat/Uuid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A refused text leaves the bytes alone.
TEST(Uuid, ParseAcceptsOneDashBeforeAnyByteAndNothingElse) {
    const char* good[] = {
        "0123456789abcdef0123456789ABCDEF", "01234567-89ab-cdef-0123-456789abcdef",
        "01-23-45-67-89-ab-cd-ef-01-23-45-67-89-ab-cd-ef", "-0123456789abcdef0123456789abcdef"};
    const char* bad[] = {"0123456789abcdef0123456789abcdef-",
                         "01234567--89ab-cdef-0123-456789abcdef",
                         "{01234567-89ab-cdef-0123-456789abcdef}",
                         "0123456789abcdef0123456789abcde",
                         "0123456789abcdef0123456789abcdef0",
                         "0-123456789abcdef0123456789abcdef",
                         ""};
    const char* ones = "ffffffff-ffff-ffff-ffff-ffffffffffff";
    for (const char* text : good) {
        plat::Uuid uuid(ones);
        EXPECT_TRUE(uuid.parse(text)) << text;
        EXPECT_STREQ(uuid.format().get(), "01234567-89ab-cdef-0123-456789abcdef") << text;
    }
    for (const char* text : bad) {
        plat::Uuid uuid(ones);
        EXPECT_FALSE(uuid.parse(text)) << text;
        EXPECT_STREQ(uuid.format().get(), ones) << text;
    }
}

TEST(Uuid, RandomBytesGetVersionAndVariantBits) {
    const unsigned char bytes[16] = {0x00, 0x11, 0x22, 0x33, 0x44, 0x55, 0xff, 0x77,
                                     0xff, 0x99, 0xaa, 0xbb, 0xcc, 0xdd, 0xee, 0xff};
    EXPECT_STREQ(plat::Uuid(bytes).format(false).get(), "0011223344554f77bf99aabbccddeeff");
    EXPECT_THROW(plat::Uuid("{x}"), plat::Exception);
}

// Sets order byte-wise: a signed byte compare would put 80... before 7f...
TEST(Uuid, SetsOrderByteWiseAndSkipEmptyItems) {
    std::string high = "80000000-0000-0000-0000-000000000000";
    std::string low = "7fffffff-ffff-ffff-ffff-ffffffffffff";
    plat::UuidSet set = plat::uuidSetFromString(
        (",," + high + ",7FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF," + low + ",").c_str());
    EXPECT_EQ(plat::uuidSetToString(set), (low + "," + high).c_str());
    try {
        plat::uuidSetFromString((high + ",xyz").c_str());
        ADD_FAILURE() << "a bad item must throw";
    } catch (const plat::Exception& e) {
        EXPECT_STREQ(e.message(), "Invalid Uuid 'xyz'");
    }
}

}  // namespace

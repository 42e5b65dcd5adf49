#include "crypto/RandomStream.h"
#include "plat/Uuid.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Reads across refills give fresh bytes, and generated UUIDs carry the version 4 marks.
TEST(RandomStreamTest, BytesAndUuids) {
    std::set<std::string> blocks;
    {
        crypto::RandomStream random;
        uint8_t buf[24];
        for (int i = 0; i < 8; i++) {
            const uint8_t* p = random.readBytes(buf, 24);
            blocks.insert(std::string(reinterpret_cast<const char*>(p), 24));
        }
        EXPECT_EQ(random.pos(), 8 * 24);
    }
    EXPECT_EQ(blocks.size(), 8u);
    std::set<plat::Uuid> uuids;
    for (int i = 0; i < 16; i++) {
        plat::Uuid uuid = plat::Uuid::generate();
        EXPECT_EQ(uuid.bytes()[6] >> 4, 4);
        EXPECT_EQ(uuid.bytes()[8] >> 6, 2);
        uuids.insert(uuid);
    }
    EXPECT_EQ(uuids.size(), 16u);
}

}  // namespace

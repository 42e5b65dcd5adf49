#include "plat/ByteWords.h"

#include "plat/StrUtil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Pass phrases already made depend on every entry: the hash of all the words pins the table.
TEST(ByteWords, TableKeepsItsEntries) {
    const char* const* table = plat::byteWordTable;
    ASSERT_EQ(plat::kByteWordTableSize, 1627 + 7);
    EXPECT_EQ(table[0], nullptr);
    EXPECT_STREQ(table[1], "academy");
    EXPECT_STREQ(table[1626], "amen");
    std::string all;
    for (int i = 1; i < plat::kByteWordTableSize; ++i)
        all += std::string(table[i]) + " ";
    EXPECT_EQ(all.substr(all.size() - 28), "ego fax jet job Rio ski yes ");  // the short group
    EXPECT_EQ(plat::strHash(all.c_str()), 0xe43de1b25bb4c143u);
}

// Every word is checked against the one found on its own.
std::string words(std::initializer_list<unsigned char> bytes) {
    plat::StringList list = plat::bytesToWords(bytes.size(), bytes.begin());
    std::string joined;
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_STREQ(list[i].get(), plat::bytesWordAt(bytes.begin(), bytes.size(), i));
        joined += (i ? " " : "") + std::string(list[i].get());
    }
    EXPECT_EQ(plat::bytesWordAt(bytes.begin(), bytes.size(), list.size()), nullptr);
    return joined;
}

TEST(ByteWords, GroupsAreLittleEndianAndCarry) {
    EXPECT_EQ(words({1, 0, 0, 0}), "acrobat academy academy");
    // 1626 = 0x065a and 1626 * 1626 = 0x2857a4 carry into the next word.
    EXPECT_EQ(words({0x5a, 0x06, 0, 0}), "academy acrobat academy");
    EXPECT_EQ(words({0xa4, 0x57, 0x28, 0}), "academy academy acrobat");
    // A 3-byte group takes its last word from the seven extra words.
    EXPECT_EQ(words({0, 0, 0, 0, 0xa4, 0x57, 0x28}), "academy academy academy academy academy fax");
    std::string top = words({0xff, 0xff, 0xff});
    EXPECT_EQ(top.substr(top.rfind(' ')), " yes");
    const unsigned char zeros[8] = {};
    const size_t counts[] = {0, 1, 2, 3, 3, 4, 5, 6, 6};
    for (size_t n = 0; n <= 8; ++n)
        EXPECT_EQ(plat::bytesToWords(n, zeros).size(), counts[n]) << n;
}

}  // namespace

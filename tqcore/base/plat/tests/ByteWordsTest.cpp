#include "plat/ByteWords.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

namespace {

// The entries that fixed pass phrases depend on.
TEST(ByteWords, Table) {
    const char* const* table = plat::byteWordTable;
    EXPECT_EQ(plat::kByteWordTableSize, 1634);
    EXPECT_EQ(table[0], nullptr);
    EXPECT_STREQ(table[1], "academy");
    EXPECT_STREQ(table[2], "acrobat");
    EXPECT_STREQ(table[1626], "amen");
    const char* shortGroup[] = {"ego", "fax", "jet", "job", "Rio", "ski", "yes"};
    for (int i = 0; i < 7; ++i)
        EXPECT_STREQ(table[1627 + i], shortGroup[i]);

    const int repeats[][2] = {{112, 113}, {417, 431}, {720, 1585}};
    std::set<int> repeatedSecond;
    for (const auto& pair : repeats) {
        EXPECT_STREQ(table[pair[0]], table[pair[1]]);
        repeatedSecond.insert(pair[1]);
    }
    std::set<std::string> seen;
    for (int i = 1; i < plat::kByteWordTableSize; ++i) {
        ASSERT_NE(table[i], nullptr) << i;
        std::string word = table[i];
        EXPECT_GE(word.size(), 3u) << i;
        EXPECT_LE(word.size(), 9u) << i;
        for (size_t k = 0; k < word.size(); ++k) {
            EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(word[k]))) << i;
            if (k > 0) {
                EXPECT_TRUE(std::islower(static_cast<unsigned char>(word[k]))) << i;
            }
        }
        if (!repeatedSecond.count(i)) {
            EXPECT_TRUE(seen.insert(word).second) << i << " " << word;
        }
    }
}

std::string words(std::initializer_list<unsigned char> bytes) {
    const unsigned char* data = bytes.begin();
    plat::StringList list = plat::bytesToWords(bytes.size(), data);
    std::string joined;
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_STREQ(list[i].get(), plat::bytesWordAt(data, bytes.size(), i));
        joined += (i ? " " : "") + std::string(list[i].get());
    }
    EXPECT_EQ(plat::bytesWordAt(data, bytes.size(), list.size()), nullptr);
    return joined;
}

TEST(ByteWords, Encoding) {
    EXPECT_EQ(words({0, 0, 0, 0}), "academy academy academy");
    // Little-endian: the first byte is the lowest.
    EXPECT_EQ(words({1, 0, 0, 0}), "acrobat academy academy");
    // 1626 = 0x065a and 1626 * 1626 = 0x2857a4 carry into the next word.
    EXPECT_EQ(words({0x5a, 0x06, 0, 0}), "academy acrobat academy");
    EXPECT_EQ(words({0xa4, 0x57, 0x28, 0}), "academy academy acrobat");
    // A 3-byte group takes its last word from the seven extra words.
    EXPECT_EQ(words({0, 0, 0}), "academy academy ego");
    EXPECT_EQ(words({0xa4, 0x57, 0x28}), "academy academy fax");
    std::string top = words({0xff, 0xff, 0xff});
    EXPECT_EQ(top.substr(top.rfind(' ') + 1), "yes");
    EXPECT_EQ(words({0, 0, 0, 0, 1}), "academy academy academy acrobat");
    EXPECT_EQ(words({0, 0, 0, 0, 0xa4, 0x57, 0x28}), "academy academy academy academy academy fax");
    EXPECT_EQ(words({}), "");
}

TEST(ByteWords, Counts) {
    const unsigned char bytes[8] = {};
    const size_t expected[] = {0, 1, 2, 3, 3, 4, 5, 6, 6};
    for (size_t n = 0; n <= 8; ++n)
        EXPECT_EQ(plat::bytesToWords(n, bytes).size(), expected[n]) << n;
}

}  // namespace

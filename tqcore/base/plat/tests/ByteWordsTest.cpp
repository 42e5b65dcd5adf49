#include "plat/ByteWords.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// Pass phrases already made depend on these entries.
TEST(ByteWords, TableKeepsItsEntries) {
    const char* const* table = plat::byteWordTable;
    ASSERT_EQ(plat::kByteWordTableSize, 1627 + 7);
    EXPECT_EQ(table[0], nullptr);
    EXPECT_STREQ(table[1], "academy");
    EXPECT_STREQ(table[1626], "amen");
    std::string shortGroup;
    for (int i = 1627; i < 1634; ++i)
        shortGroup += std::string(table[i]) + " ";
    EXPECT_EQ(shortGroup, "ego fax jet job Rio ski yes ");
    // Three words stand twice in the table; any other repeat is a slip.
    std::set<int> repeats = {113, 431, 1585};
    EXPECT_STREQ(table[112], table[113]);
    EXPECT_STREQ(table[417], table[431]);
    EXPECT_STREQ(table[720], table[1585]);
    std::set<std::string> seen;
    for (int i = 1; i < plat::kByteWordTableSize; ++i) {
        std::string word = table[i];
        EXPECT_TRUE(word.size() >= 3 && word.size() <= 9 && isalpha(word[0]) &&
                    word.find_first_not_of("abcdefghijklmnopqrstuvwxyz", 1) == std::string::npos)
            << word;
        EXPECT_TRUE(seen.insert(word).second || repeats.count(i)) << i << " " << word;
    }
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

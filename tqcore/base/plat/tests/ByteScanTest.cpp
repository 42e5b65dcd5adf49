#include "plat/ByteScan.h"

#include <gtest/gtest.h>

#include <random>
#include <type_traits>
#include <vector>

namespace {

using Block = std::vector<unsigned char>;

// Every byte value beside every kind of neighbour (a carry or borrow from one byte into the
// next would mark a byte wrongly), and each value at every offset of a block.
std::vector<Block> testBlocks() {
    std::vector<Block> blocks;
    for (int start = 0; start < 256; start += 16) {
        Block run(16);
        for (int i = 0; i < 16; ++i)
            run[size_t(i)] = static_cast<unsigned char>(start + i);
        blocks.push_back(run);
        for (int neighbour : {0x00, 0x7F, 0x80, 0xFF}) {
            for (int i = 0; i < 16; i += 2)
                run[size_t(i)] = static_cast<unsigned char>(neighbour);
            blocks.push_back(run);
        }
    }
    std::mt19937 random(26);
    for (int i = 0; i < 200; ++i) {
        Block block(16);
        for (auto& byte : block)
            byte = static_cast<unsigned char>(random());
        blocks.push_back(block);
    }
    return blocks;
}

// One kind of test, `test(bytes, bound)`, against its scalar meaning `holds(byte, bound)` for
// every bound, on the word and on both block paths: every mask bit, the first match, any().
template <typename Holds, typename Test>
void expectExact(const char* name, Holds holds, Test test) {
    static const std::vector<Block> blocks = testBlocks();
    for (int bound = 0; bound < 256; ++bound)
        for (const Block& block : blocks) {
            unsigned char n = static_cast<unsigned char>(bound);
            const char* bytes = reinterpret_cast<const char*>(block.data());
            unsigned expected = 0;
            for (int i = 0; i < 16; ++i)
                expected |= unsigned(holds(block[size_t(i)], n)) << i;
            SCOPED_TRACE(::testing::Message()
                         << name << " " << bound << " on block " << &block - blocks.data());

            uint64_t low = test(plat::ByteWord::load(bytes), n);
            for (int i = 0; i < 8; ++i)
                ASSERT_EQ(low >> (8 * i) & 0xFF, (expected >> i & 1) ? 0x80u : 0u) << i;
            if (low) {
                ASSERT_EQ(plat::firstMatch(low), __builtin_ctz(expected));
            }

            auto expectBlock = [&](auto matches) {
                ASSERT_EQ(matches.mask(), expected);
                ASSERT_EQ(matches.any(), expected != 0);
                ASSERT_EQ(matches.all(), expected == 0xFFFF);
                if (expected) {
                    ASSERT_EQ(matches.first(), __builtin_ctz(expected));
                }
            };
            ASSERT_NO_FATAL_FAILURE(expectBlock(test(plat::PortableByteBlock::load(bytes), n)));
#ifdef __SSE2__
            ASSERT_NO_FATAL_FAILURE(expectBlock(test(plat::Sse2ByteBlock::load(bytes), n)));
#endif
        }
}

TEST(ByteScan, EveryTestIsExactForEveryByteOnEveryPath) {
    using Byte = unsigned char;
    expectExact(
        "equal", [](Byte c, Byte n) { return c == n; },
        [](const auto& b, Byte n) { return b.equal(n); });
    expectExact(
        "atLeast", [](Byte c, Byte n) { return c >= n; },
        [](const auto& b, Byte n) { return b.atLeast(n); });
    expectExact(
        "below", [](Byte c, Byte n) { return c < n; },
        [](const auto& b, Byte n) { return b.below(n); });
    expectExact(
        "above", [](Byte c, Byte n) { return c > n; },
        [](const auto& b, Byte n) { return b.above(n); });
    expectExact(
        "asciiNotNul", [](Byte c, Byte) { return c >= 1 && c <= 0x7F; },
        [](const auto& b, Byte) { return b.asciiNotNul(); });
    // Folding as the case-blind scans use it: bits of n set on the byte, then compared to n.
    expectExact(
        "withBits", [](Byte c, Byte n) { return (c | n) == n; },
        [](const auto& b, Byte n) { return b.withBits(n).equal(n); });
    // The same with the bytes filled in beforehand.
    expectExact(
        "withBits(filled)", [](Byte c, Byte n) { return (c | n) == n; },
        [](const auto& b, Byte n) {
            using Block = std::decay_t<decltype(b)>;
            return b.withBits(Block::filled(n)).equal(Block::filled(n));
        });
    // Matches combine bit by bit.
    expectExact(
        "below|equal&atLeast", [](Byte c, Byte n) { return c < 0x20 || (c == n && c >= 0x40); },
        [](const auto& b, Byte n) { return b.below(0x20) | (b.equal(n) & b.atLeast(0x40)); });
}

}  // namespace

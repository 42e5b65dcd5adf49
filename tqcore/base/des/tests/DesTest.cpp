#include "des/Des.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

uint64_t run(const uint32_t (&schedule)[des::kScheduleWords], uint64_t value) {
    unsigned char block[8];
    for (int i = 0; i < 8; i++)
        block[i] = static_cast<unsigned char>(value >> (56 - 8 * i));
    des::desBlock(schedule, block, block);
    for (unsigned char byte : block)
        value = value << 8 | byte;
    return value;
}

// Published vectors of the standard cipher (the FIPS 81 example, a textbook key, the
// variable-plaintext and variable-key tables). Key bits are read least significant first here,
// so each standard key goes in with the bits of every byte reversed.
TEST(Des, KnownAnswersWithKeyBitsReversed) {
    const uint64_t vectors[][3] = {
        {0x0123456789ABCDEF, 0x4E6F772069732074, 0x3FA40E8A984D4815},
        {0x133457799BBCDFF1, 0x0123456789ABCDEF, 0x85E813540F0AB405},
        {0x0E329232EA6D0D73, 0x8787878787878787, 0x0000000000000000},
        {0x0101010101010101, 0x95F8A5E5DD31D900, 0x8000000000000000},
        {0x8001010101010101, 0x0000000000000000, 0x95A8D72813DAA94D},
    };
    for (const auto& [standardKey, plain, cipher] : vectors) {
        unsigned char key[8] = {};
        for (int bit = 0; bit < 64; bit++)  // bit 0 is the most significant of the standard key
            key[bit / 8] |= static_cast<unsigned char>((standardKey >> (63 - bit) & 1) << bit % 8);
        uint32_t encrypt[des::kScheduleWords], decrypt[des::kScheduleWords], copy[32];
        des::setEncryptKey(encrypt, key);
        des::setDecryptKey(decrypt, key);
        des::useKey(decrypt, copy);
        EXPECT_EQ(run(encrypt, plain), cipher) << std::hex << standardKey;
        EXPECT_EQ(run(copy, cipher), plain) << std::hex << standardKey;
        // The schedule is the key in another form: nothing of it may outlive the clearing.
        des::clearKey(copy);
        EXPECT_EQ(std::count(std::begin(copy), std::end(copy), 0u), des::kScheduleWords);
    }
}

}  // namespace

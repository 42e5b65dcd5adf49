#include "des/Des.h"

#include "plat/StrUtil.h"

#include <array>
#include <cstring>

namespace des {

namespace {

// The tables of the standard. Bit positions count from 1 at the most significant bit.
constexpr unsigned char kInitialPermutation[64] = {
    58, 50, 42, 34, 26, 18, 10, 2,  60, 52, 44, 36, 28, 20, 12, 4,  62, 54, 46, 38, 30, 22,
    14, 6,  64, 56, 48, 40, 32, 24, 16, 8,  57, 49, 41, 33, 25, 17, 9,  1,  59, 51, 43, 35,
    27, 19, 11, 3,  61, 53, 45, 37, 29, 21, 13, 5,  63, 55, 47, 39, 31, 23, 15, 7};

constexpr unsigned char kPermutedChoice1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
    35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
    46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr unsigned char kPermutedChoice2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

// Cumulative left rotations of the key halves before each round.
constexpr unsigned char kRotations[16] = {1,  2,  4,  6,  8,  10, 12, 14,
                                          15, 17, 19, 21, 23, 25, 27, 28};

constexpr unsigned char kPermutation[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23,
                                            26, 5, 18, 31, 10, 2,  8,  24, 14, 32, 27,
                                            3,  9, 19, 13, 30, 6,  22, 11, 4,  25};

constexpr unsigned char kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8,  14, 6,  11, 3,  4, 9,  7,  2, 13, 12, 0,  5,  10, 3,  13, 4,  7, 15, 2,
     8,  14, 12, 0,  1,  10, 6,  9, 11, 5,  0, 14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,
     9,  3,  2,  15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6,  7,  12, 0,  5,  14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0,  8,  13, 3, 12, 9,  7, 5,  10, 6,  1,  13, 0,  11, 7,  4, 9,
     1, 10, 14, 3,  5,  12, 2,  15, 8, 6,  1,  4, 11, 13, 12, 3,  7,  14, 10, 15, 6, 8,
     0, 5,  9,  2,  6,  11, 13, 8,  1, 4,  10, 7, 9,  5,  0,  15, 14, 2,  3,  12},
    {13, 2, 8,  4, 6, 15, 11, 1,  10, 9,  3, 14, 5,  0,  12, 7,  1,  15, 13, 8, 10, 3,
     7,  4, 12, 5, 6, 11, 0,  14, 9,  2,  7, 11, 4,  1,  9,  12, 14, 2,  0,  6, 10, 13,
     15, 3, 5,  8, 2, 1,  14, 7,  4,  10, 8, 13, 15, 12, 9,  0,  3,  5,  6,  11},
};

// Each S-box with the P permutation applied to its output, indexed by the 6 input bits as they
// come from the expansion (outer bits choose the row, inner bits the column).
constexpr std::array<std::array<uint32_t, 64>, 8> makeSpTables() {
    std::array<std::array<uint32_t, 64>, 8> tables{};
    for (int box = 0; box < 8; box++) {
        for (int input = 0; input < 64; input++) {
            int row = (input >> 4 & 2) | (input & 1);
            int column = input >> 1 & 15;
            uint32_t placed = uint32_t(kSBoxes[box][row * 16 + column]) << (28 - 4 * box);
            uint32_t permuted = 0;
            for (int bit = 0; bit < 32; bit++)
                if (placed >> (32 - kPermutation[bit]) & 1) permuted |= 1u << (31 - bit);
            tables[size_t(box)][size_t(input)] = permuted;
        }
    }
    return tables;
}
constexpr std::array<std::array<uint32_t, 64>, 8> kSp = makeSpTables();

constexpr std::array<unsigned char, 64> makeFinalPermutation() {
    std::array<unsigned char, 64> inverse{};
    for (int i = 0; i < 64; i++)
        inverse[size_t(kInitialPermutation[i] - 1)] = static_cast<unsigned char>(i + 1);
    return inverse;
}
constexpr std::array<unsigned char, 64> kFinalPermutation = makeFinalPermutation();

uint64_t permute64(uint64_t block, const unsigned char* table) {
    uint64_t out = 0;
    for (int i = 0; i < 64; i++)
        out = out << 1 | (block >> (64 - table[i]) & 1);
    return out;
}

uint32_t rotateRight(uint32_t word, int n) {
    return word >> n | word << (32 - n);
}

enum Direction { kEncrypt, kDecrypt };

// The 16 subkeys of the standard from a key read least significant bit first, each stored as
// two words of four 6-bit groups at bits 24, 16, 8 and 0: the groups of S-boxes 1, 3, 5, 7 in
// the first word and 2, 4, 6, 8 in the second, as the round function takes them.
void makeSchedule(uint32_t (&schedule)[kScheduleWords], const unsigned char key[8],
                  Direction direction) {
    auto keyBit = [key](int position) {  // position 1..64 in the standard's numbering
        return key[(position - 1) >> 3] >> ((position - 1) & 7) & 1;
    };
    uint32_t c = 0, d = 0;  // the two 28-bit halves
    for (int i = 0; i < 28; i++) {
        c = c << 1 | unsigned(keyBit(kPermutedChoice1[i]));
        d = d << 1 | unsigned(keyBit(kPermutedChoice1[i + 28]));
    }
    for (int round = 0; round < 16; round++) {
        int n = kRotations[round];
        uint32_t cr = ((c << n) | (c >> (28 - n))) & 0xFFFFFFF;
        uint32_t dr = ((d << n) | (d >> (28 - n))) & 0xFFFFFFF;
        uint64_t cd = uint64_t(cr) << 28 | dr;  // bit 1 of the standard at bit 55
        uint32_t groups[8] = {};
        for (int i = 0; i < 48; i++)
            groups[i / 6] = groups[i / 6] << 1 | uint32_t(cd >> (56 - kPermutedChoice2[i]) & 1);
        int slot = direction == kEncrypt ? round : 15 - round;
        schedule[2 * slot] = groups[0] << 24 | groups[2] << 16 | groups[4] << 8 | groups[6];
        schedule[2 * slot + 1] = groups[1] << 24 | groups[3] << 16 | groups[5] << 8 | groups[7];
    }
}

}  // namespace

void setEncryptKey(uint32_t (&schedule)[kScheduleWords], const unsigned char key[8]) {
    clearKey(schedule);
    makeSchedule(schedule, key, kEncrypt);
}

void setDecryptKey(uint32_t (&schedule)[kScheduleWords], const unsigned char key[8]) {
    clearKey(schedule);
    makeSchedule(schedule, key, kDecrypt);
}

void clearKey(uint32_t (&schedule)[kScheduleWords]) {
    plat::secureZero(schedule, sizeof schedule);
}

void useKey(const uint32_t (&from)[kScheduleWords], uint32_t (&to)[kScheduleWords]) {
    std::memmove(to, from, sizeof to);
}

void desBlock(const uint32_t (&schedule)[kScheduleWords], const unsigned char in[8],
              unsigned char out[8]) {
    uint64_t block = 0;
    for (int i = 0; i < 8; i++)
        block = block << 8 | in[i];
    block = permute64(block, kInitialPermutation);
    uint32_t left = uint32_t(block >> 32), right = uint32_t(block);
    for (int round = 0; round < 16; round++) {
        // The expansion's 6-bit groups of S-boxes 1, 3, 5, 7 lie at bits 24, 16, 8, 0 of the
        // right half rotated right by 3; those of 2, 4, 6, 8 after a rotation left by 1.
        uint32_t odd = rotateRight(right, 3) ^ schedule[2 * round];
        uint32_t even = rotateRight(right, 31) ^ schedule[2 * round + 1];
        uint32_t f = kSp[0][odd >> 24 & 63] | kSp[2][odd >> 16 & 63] | kSp[4][odd >> 8 & 63] |
                     kSp[6][odd & 63] | kSp[1][even >> 24 & 63] | kSp[3][even >> 16 & 63] |
                     kSp[5][even >> 8 & 63] | kSp[7][even & 63];
        uint32_t next = left ^ f;
        left = right;
        right = next;
    }
    block = permute64(uint64_t(right) << 32 | left, kFinalPermutation.data());
    for (int i = 7; i >= 0; i--, block >>= 8)
        out[i] = static_cast<unsigned char>(block);
}

}  // namespace des

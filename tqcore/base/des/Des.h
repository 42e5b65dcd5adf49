// DES, the block cipher of FIPS 46-3, kept only to scramble the passwords that settings store
// (plat::obfPasswd); it is not a means of keeping secrets from anyone.
//
// One difference from the standard, which stored passwords depend on: the key's bits are read
// from each byte least significant bit first, so a key here equals the standard key with the
// bit order of every byte reversed. A schedule of 32 words serves one direction; the caller
// owns it and wipes it with clearKey. A block costs 16 rounds of eight table look-ups each.
#pragma once

#include <cstdint>

namespace des {

constexpr int kScheduleWords = 32;  // 16 rounds, two words each

// Zero `schedule`, then build it from the 8-byte `key` for encryption or for decryption.
void setEncryptKey(uint32_t (&schedule)[kScheduleWords], const unsigned char key[8]);
void setDecryptKey(uint32_t (&schedule)[kScheduleWords], const unsigned char key[8]);
// Zeroes a schedule in a way the optimiser cannot drop.
void clearKey(uint32_t (&schedule)[kScheduleWords]);
// Copies the schedule `from` into `to`.
void useKey(const uint32_t (&from)[kScheduleWords], uint32_t (&to)[kScheduleWords]);

// Transforms the 8 bytes at `in` into `out` (which may be the same) in the schedule's direction.
void desBlock(const uint32_t (&schedule)[kScheduleWords], const unsigned char in[8],
              unsigned char out[8]);

}  // namespace des

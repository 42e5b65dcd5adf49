// Integer parsing with fixed failure texts, for configuration values and every protocol that
// reads numbers from text.
//
// The conversions are the C library's: leading white space and a sign are accepted, and `base`
// is passed through (0 chooses from a "0x" or "0" prefix). The 32-bit forms check their ranges
// themselves, since the library converts to 64 bits here; the unsigned forms refuse a "-"
// rather than wrapping it around. errno is left as it was. Each form that returns false has a
// throwing twin beside it.
#pragma once

#include "plat/Exception.h"

#include <climits>
#include <cstdint>

namespace plat {

// Cursor forms: parse the number at `*cursor` and, on success, move `*cursor` just past it.
// On failure `out` is 0, `*cursor` is left where it was and false is returned. A null `*cursor`
// fails.

// Fails without digits or outside -2147483648..2147483647.
bool parseInt(int& out, const char** cursor, int base = 10);
// Fails without digits, with a "-" in the converted text, or above 4294967295.
bool parseUInt(unsigned int& out, const char** cursor, int base = 10);
// Fails without digits or outside the 64-bit range.
bool parseS64(int64_t& out, const char** cursor, int base = 10);
// Fails without digits, with a "-" in the converted text, or above 2^64 - 1.
bool parseU64(uint64_t& out, const char** cursor, int base = 10);

// The same; failures throw plat::BadNum "Failed to parse integer".
int parseInt(const char** cursor, int base = 10);
unsigned int parseUInt(const char** cursor, int base = 10);
// The same; failures throw plat::BadNum "Failed to parse S64 integer". The Full form also fails
// when anything (white space included) follows the number.
int64_t parseS64(const char** cursor, int base = 10);
int64_t parseS64Full(const char* text, int base = 10);
// The same; failures throw plat::BadNum "Failed to parse U64 integer".
uint64_t parseU64(const char** cursor, int base = 10);
uint64_t parseU64Full(const char* text, int base = 10);

// The whole text must be one number within `min`..`max`; anything else throws plat::BadNum with
// `message`, or "Failed to parse integer" when it is null.
int parseIntFull(const char* text, int base = 10, const char* message = nullptr, int min = INT_MIN,
                 int max = INT_MAX);
unsigned int parseUIntFull(const char* text, int base = 10, const char* message = nullptr,
                           unsigned int min = 0, unsigned int max = UINT_MAX);

}  // namespace plat

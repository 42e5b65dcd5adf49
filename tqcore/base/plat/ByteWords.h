// Bytes written as words, for random pass phrases that people read aloud and type.
//
// Every 4 bytes give 3 words, each word picking one of 1626 table entries from the bytes'
// little-endian value; a last group of 1, 2 or 3 bytes gives 1, 2 or 3 words, and the third word
// of a 3-byte group comes from a short table of its own. The words are never decoded back, so
// the table only has to stay the same. Any word is found in constant time without building the
// others.
#pragma once

#include "plat/StringList.h"

#include <cstddef>

namespace plat {

// floor((3 * length + 3) / 4) words.
StringList bytesToWords(size_t length, const unsigned char* bytes);
// Word `index` of bytesToWords(length, bytes), or null when the index lies outside the list.
const char* bytesWordAt(const unsigned char* bytes, size_t length, size_t index);

// The table: entry 0 is null, 1 to 1626 serve full groups, 1627 to 1633 the third word of a
// 3-byte group.
constexpr int kByteWordTableSize = 1634;
extern const char* const byteWordTable[kByteWordTableSize];

}  // namespace plat

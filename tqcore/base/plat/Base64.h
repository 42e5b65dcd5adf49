// Base64 for bytes carried in text: tokens and the sign-in state of the cloud client, HTTP.
//
// The encoder writes the standard alphabet with "=" padding, or the URL-safe alphabet without
// padding. The decoder accepts both alphabets, even mixed, with or without padding, and refuses
// everything else (white space included) without touching the caller's buffer. Both are single
// table-driven passes: the encoder looks up two characters at a time, the decoder a whole
// group's bits and validity with four look-ups, two groups to each 8-byte load or store.
#pragma once

#include "plat/MBuf.h"
#include "plat/String.h"

#include <cstddef>

namespace plat {

// 4 * ceil(length / 3) characters of "A-Za-z0-9+/" padded with "=" to a multiple of four; with
// `urlSafe`, "A-Za-z0-9-_" and the text ends where the first "=" would stand.
String base64Encode(size_t length, const unsigned char* bytes, bool urlSafe = false);

// Decodes `text` (null counts as empty) into `buffer`, replacing its contents, and returns true.
// The old contents are wiped when the buffer's wipe flag is set, and the flag stays as it was.
// "+" and "-" both stand for 62, "/" and "_" for 63. Padding is optional, but an "=" is
// accepted only as the last character after the third of a group or as the first of exactly
// two final ones after the second. Left-over low bits of the last character are ignored.
// Returns false, leaving the buffer untouched, for a length of 4k + 1, any other character, or
// a misplaced "=".
bool base64Decode(const char* text, ByteBuf& buffer);

}  // namespace plat

// Hexadecimal text for bytes: configuration values of binary parameters, digests on the command
// line, and dumps of stream traffic on standard error.
//
// Output uses lower-case digits; input accepts either case. Decoding checks the whole text
// before it touches the caller's buffer, so a refused text leaves it as it was. Every
// conversion is one pass over the data.
#pragma once

#include "plat/MBuf.h"
#include "plat/String.h"

#include <cstddef>
#include <cstdint>

namespace plat {

// The lower-case digit for 0..15. Any other value throws plat::AssertionFail
// "i >= 0 && i <= 15".
char hexDigit(int i);

// 2 * `length` lower-case digits.
String binToHex(size_t length, const unsigned char* bytes);

// For a hexadecimal digit of either case, multiplies `accumulator` by 16 (modulo 2^32), adds
// the digit and returns true; any other character returns false and leaves it alone.
bool hexDigitValue(char c, uint32_t& accumulator);

// Decodes a text of an even number of digits (null counts as empty) into `buffer`, replacing
// its contents, and returns true. The old contents are wiped when the buffer's wipe flag is
// set, and the flag stays as it was, so a buffer meant for secrets keeps its protection.
// An odd length or a non-hexadecimal character returns false and leaves the buffer untouched.
bool hexToBin(const char* text, ByteBuf& buffer);
// Decodes exactly `count` bytes from the first 2 * `count` characters into `bytes`. Returns
// false at the first character that is not a digit (the text's NUL included); the bytes before
// it are written.
bool hexToBin(const char* text, size_t count, unsigned char* bytes);
// The decoded bytes (wipe flag clear); a text hexToBin(text, buffer) refuses throws
// plat::Exception "Bad hex string".
ByteBuf hexToBin(const char* text);

// Writes the bytes to standard error, 16 to a line, and flushes it. The first line starts with
// `title` and the others with `prefix` when they are given, and otherwise with the offset as
// "%04x ". Each byte is "%02x " with an extra blank after every fourth; the line ends with its
// bytes as characters, '.' standing for anything outside 0x20..0x7E. A last short line is
// padded so that its characters line up with those above.
void hexDump(const unsigned char* bytes, size_t length, const char* title = nullptr,
             const char* prefix = nullptr);
inline void hexDump(const ByteBuf& buffer, const char* title = nullptr,
                    const char* prefix = nullptr) {
    hexDump(buffer.data(), size_t(buffer.size()), title, prefix);
}

}  // namespace plat

// UTF-8: the one strict decoder of the system, the encoder, validation, repair, display widths,
// character boundaries, the escaped form of log lines, and the single-byte character set of
// the system's edges (ISO 8859-1 with the euro sign at 0x80).
//
// The decoder rejects overlong forms, surrogates, code points above U+10FFFF and the
// non-characters (U+FDD0..U+FDEF and every code point ending in FFFE or FFFF). Decoding never
// throws: invalid input gives -1, false or U+FFFD. Validation applies the same rules to 16 bytes
// at once with SSE2: about 4.5 instructions a byte on CJK text or emoji, 3 on accented Latin,
// a third of one over ASCII, which goes 64 bytes at a time. Processors without SSE2 validate a
// character at a time.
// A text is a NUL-terminated string or a range [start, end); a null end means up to the NUL.
#pragma once

#include "plat/MBuf.h"
#include "plat/String.h"

namespace plat {

constexpr int kInvalidCodePoint = -1;
constexpr int kMaxCodePoint = 0x10FFFF;
constexpr int kReplacementChar = 0xFFFD;

// Decodes the character whose lead byte (0x80 or above) the caller has taken; `*cursor` is just
// after it and moves over the continuation bytes examined. `available` counts the lead byte.
// Returns the code point or -1.
int utf8DecodeTail(unsigned char lead, const char** cursor, int available);

// Decodes the character at `*cursor` (ASCII included) and moves past it; an invalid sequence
// moves past the bytes the failed decoding consumed. `end` null: at most 4 bytes are assumed.
int utf8Decode(const char** cursor, const char* end);

// Writes code point `codePoint` (0x80 or above) as 2 to 4 bytes at `*out` and advances it.
// Above U+10FFFF throws plat::Exception "Unicode out of range". Surrogates are not refused.
void utf8Encode(int codePoint, char** out);
// The number of bytes of the UTF-8 form of a code point in 0..U+10FFFF.
inline int utf8EncodedLength(int codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// Moves back to the first byte of the character before `cursor`, never below `lowerLimit`.
// With a null limit only the bytes of that character are read, which the caller guarantees to
// be a complete sequence inside its text.
const char* utf8Prev(const char* cursor, const char* lowerLimit);

// Whether every character up to `end` (or a NUL before it) decodes.
bool utf8IsValid(const char* start, const char* end = nullptr);

namespace utf8detail {
// utf8IsValid for processors without SSE2; built everywhere so that tests hold it too.
bool isValidPortable(const char* start, const char* end);
}  // namespace utf8detail

// A valid UTF-8 copy in which every invalid sequence is U+FFFD. With `maxOutput` (bytes,
// without the NUL; negative: no limit) it stops before the first character that would not fit.
String toUtf8(const char* start, const char* end = nullptr, int maxOutput = -1);

// The display columns of the text (wcwidth, with 1 for a character that has none); stops at the
// first invalid character or NUL.
int utf8DisplayWidth(const char* start, const char* end = nullptr);
// The display columns of one code point: 0 to 2, or -1 for one that has none (controls).
int charDisplayWidth(int codePoint);

// Moves the byte range [*start, *start + *length) of `text` onto character boundaries: the
// start forward off continuation bytes, the end forward to the next boundary. A negative or
// absent length means to the end.
void utf8ClampRange(const char* text, int* start, int* length = nullptr);

// A copy in which control characters and invalid bytes are shown escaped with `escape`
// ("~^I" for a tab, "~~" for "~", "~M^?" for the invalid byte 0xFF); NUL ends the text.
String utf8Visible(const char* text, char escape);

// UTF-8 to the single-byte set: U+20AC becomes 0x80, code points below 0x100 their own byte,
// anything else and every invalid sequence "?". `length` negative: up to the NUL.
String utf8ToSingleByte(const char* text, int length, int* outLength = nullptr);
void utf8ToSingleByte(MBuf<unsigned char>& out, const char* text, int length);
// The single-byte set to UTF-8 (a NUL in the input ends it).
String singleByteToUtf8(const char* text, int length, int* outLength = nullptr);
void singleByteToUtf8(MBuf<unsigned char>& out, const char* text, int length);

}  // namespace plat

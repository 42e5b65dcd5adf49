// Helpers for raw NUL-terminated UTF-8 strings.
//
// Every helper accepts null where a text is expected, unless it says otherwise. Bounded helpers
// never write beyond the size they are given: output that does not fit is cut, and the cut
// never leaves a partial UTF-8 character at the end. A helper that writes into a buffer accepts
// a piece of that buffer's own text as its text or format argument. Case changes and
// case-insensitive comparisons touch ASCII letters only, whatever the process locale, so they
// never corrupt UTF-8. The wipe and constant-time helpers cannot be shortened by the optimiser.
#pragma once

#include "plat/Exception.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>

namespace plat {

class String;

// An array-new copy of at most `length` bytes (negative: up to the NUL); null gives null.
char* strDup(const char* text, int length = -1);
// The same with malloc; the caller frees with free().
char* strDupMalloc(const char* text);

inline size_t strLen(const char* text);
// The length, looking at no more than `max` bytes (negative: unbounded).
size_t strLenN(const char* text, int max);

// Copies at most size - 1 bytes and terminates (nothing when size is 0). Returns the full
// length of `text`, so a result of at least `size` means the copy was cut.
size_t strCopy(char* buffer, const char* text, size_t size);

// Appends at most `length` bytes of `text` (negative: up to the NUL), as much as fits in `size`
// bytes with the NUL. A buffer with no NUL within `size` is first terminated at its last byte.
// Returns the new length.
size_t strAppend(char* buffer, size_t size, const char* text, int length = -1);
size_t strAppendFormat(char* buffer, size_t size, const char* format, ...) TQ_PRINTF_FORMAT(3, 4);
size_t strAppendVFormat(char* buffer, size_t size, const char* format, va_list args)
    TQ_PRINTF_FORMAT(3, 0);
// The same, replacing the buffer's text rather than appending to it.
size_t strVFormat(char* buffer, size_t size, const char* format, va_list args)
    TQ_PRINTF_FORMAT(3, 0);
// Appends the code point (at most U+10FFFF) `count` times, as many whole times as fit.
// A code point outside 0..U+10FFFF throws plat::Exception "Unicode out of range".
size_t strAppendUnichar(char* buffer, size_t size, int codePoint, int count = 1);

// Cuts a text of `length` bytes that filled a buffer so that it does not end inside a UTF-8
// character; returns the new length (the text is terminated there).
size_t cutAtCharBoundary(char* text, size_t length);

// Fixed-size formatting into a caller's array.
void appendFormat256(char (&buffer)[256], const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
void formatToBuffer256(char (&buffer)[256], const char* format, ...) TQ_PRINTF_FORMAT(2, 3);

// A 16-byte text for short numbers in headers and messages: ShortStr::format("%d", n).get().
class ShortStr {
public:
    static ShortStr format(const char* format, ...) TQ_PRINTF_FORMAT(1, 2);
    const char* get() const { return text_; }

private:
    char text_[16] = {};
};

// strcmp with null equal to null and before every text.
int strCmpNull(const char* a, const char* b);

// A null prefix or suffix always matches; a null text matches only an empty one.
bool strBeginsWith(const char* text, const char* prefix);
bool strBeginsWithNoCase(const char* text, const char* prefix);
bool strEndsWith(const char* text, const char* suffix);
bool strEndsWithNoCase(const char* text, const char* suffix);

// Compares ASCII letters without regard to case, other bytes exactly.
int strCaseCmpAscii(const char* a, const char* b);
int strNCaseCmpAscii(const char* a, const char* b, size_t n);

// Case-insensitive search; a null or empty needle finds the haystack itself.
const char* strCaseStr(const char* haystack, const char* needle);
// Whether `ch` occurs before `end` (null: before the NUL).
bool strHasCharBefore(const char* text, const char* end, char ch);

// 64-bit FNV-1a over the bytes taken as signed chars: stored hashes depend on this exact form.
uint64_t strHash(const char* text);

// Tokenisers: return the next token, cutting it out of the text in place with a NUL, and move
// `*cursor` past the separator (null when the text is used up). Without skipRepeats, adjacent
// separators give empty tokens and a trailing separator a final empty token.
char* strTok(char** cursor, char separator, bool skipRepeats);
// At any character of `separators`; `*hit` receives the separator that ended the token
// (NUL when none).
char* strTokAny(char** cursor, const char* separators, char* hit, bool skipRepeats);
char* strTokStr(char** cursor, const char* separator, bool skipRepeats);
// Cuts at the last `ch`: returns the text after it and leaves `*cursor` on the part before;
// with no `ch`, returns the whole text and sets `*cursor` to null.
char* strSplitLast(char** cursor, char ch);

// Removes in place every byte of `text` that occurs in `set`.
char* strRemoveChars(char* text, const char* set);
// Whether the text holds anything but blanks, tabs, CR and LF.
bool strHasNonBlank(const char* text);
// Remove leading / trailing blanks, tabs, CR and LF in place; return `text`.
char* strTrimLeft(char* text);
char* strTrimRight(char* text);
// Replaces `text` by a copy with `separator` inserted before every `every`-th byte
// (never before the first); `every` of 0 leaves it alone.
void strInsertEvery(String& text, const char* separator, int every);

// Change ASCII letters in place; return `text`. The plain forms are the same: byte-wise,
// locale-dependent case tables would corrupt UTF-8.
char* strToUpperAscii(char* text);
char* strToLowerAscii(char* text);
inline char* strToUpper(char* text) {
    return strToUpperAscii(text);
}
inline char* strToLower(char* text) {
    return strToLowerAscii(text);
}
inline char asciiToLower(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}
inline char asciiToUpper(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
inline bool asciiIsSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Zeroes memory through stores the optimiser cannot remove.
void secureZero(void* memory, size_t n);
// Copies byte by byte through stores the optimiser cannot remove.
void secureCopy(void* to, const void* from, size_t n);
// Compares without an early exit, so the time does not tell where a difference lies.
bool constantTimeEquals(const void* a, const void* b, size_t n);

// Removes the "&" mnemonic markers of a label in place ("&&" becomes "&", a final lone "&" is
// dropped). Returns the code point of the first marked character, or 0, and points
// `*position` (when given) at it in the result, or sets it to null.
int stripMnemonic(char* text, char** position);

inline size_t strLen(const char* text) {
    return text ? __builtin_strlen(text) : 0;
}

}  // namespace plat

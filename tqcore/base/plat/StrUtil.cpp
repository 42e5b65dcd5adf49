#include "plat/StrUtil.h"

#include "plat/String.h"
#include "plat/Utf8.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plat {

char* strDup(const char* text, int length) {
    if (!text) return nullptr;
    size_t n = length < 0 ? std::strlen(text) : strLenN(text, length);
    char* copy = new char[n + 1];
    std::memcpy(copy, text, n);
    copy[n] = '\0';
    return copy;
}

char* strDupMalloc(const char* text) {
    if (!text) return nullptr;
    size_t n = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(n));
    if (copy) std::memcpy(copy, text, n);
    return copy;
}

size_t strLenN(const char* text, int max) {
    if (!text) return 0;
    return max < 0 ? std::strlen(text) : strnlen(text, size_t(max));
}

size_t strCopy(char* buffer, const char* text, size_t size) {
    size_t length = strLen(text);
    if (size == 0) return length;
    size_t n = length < size ? length : size - 1;
    std::memmove(buffer, text, n);
    buffer[n] = '\0';
    return length;
}

size_t cutAtCharBoundary(char* text, size_t length) {
    // Look back over at most four bytes for the lead byte of the last character.
    size_t stop = length > 4 ? length - 4 : 0;
    for (size_t i = length; i > stop; --i) {
        unsigned char c = static_cast<unsigned char>(text[i - 1]);
        if ((c & 0xC0) == 0x80) continue;  // continuation byte
        if (c >= 0xC0) {
            size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
            if (need > length - (i - 1)) {
                text[i - 1] = '\0';
                return i - 1;
            }
        }
        break;
    }
    return length;
}

namespace {

// The current length of a text in a bounded buffer; a buffer with no NUL within its size is
// terminated at its last byte first, at a character boundary.
size_t boundedLength(char* buffer, size_t size) {
    size_t length = strnlen(buffer, size);
    if (length < size) return length;
    buffer[size - 1] = '\0';
    return cutAtCharBoundary(buffer, size - 1);
}

}  // namespace

size_t strAppend(char* buffer, size_t size, const char* text, int length) {
    if (!buffer || size == 0) return 0;
    size_t used = boundedLength(buffer, size);
    if (!text) return used;
    size_t n = length < 0 ? std::strlen(text) : strnlen(text, size_t(length));
    size_t room = size - 1 - used;
    if (n <= room) {
        std::memmove(buffer + used, text, n);
        buffer[used + n] = '\0';
        return used + n;
    }
    std::memmove(buffer + used, text, room);
    buffer[size - 1] = '\0';
    return used + cutAtCharBoundary(buffer + used, room);
}

namespace {

// Formats after the first `used` bytes of `buffer`. The output is made in scratch space before
// the buffer changes: an argument may point into the buffer itself.
size_t formatAt(char* buffer, size_t size, size_t used, const char* format, va_list args) {
    if (!format) return used;
    size_t room = size - used;
    char small[512];
    char* scratch = room <= sizeof small ? small : new char[room];
    int n = std::vsnprintf(scratch, room, format, args);
    size_t length = used;
    if (n >= 0) {
        size_t copied = size_t(n) < room ? size_t(n) : room - 1;
        std::memcpy(buffer + used, scratch, copied);
        buffer[used + copied] = '\0';
        length = size_t(n) < room ? used + copied : used + cutAtCharBoundary(buffer + used, copied);
    }
    if (scratch != small) delete[] scratch;
    return length;
}

}  // namespace

size_t strAppendVFormat(char* buffer, size_t size, const char* format, va_list args) {
    if (!buffer || size == 0) return 0;
    return formatAt(buffer, size, boundedLength(buffer, size), format, args);
}

size_t strVFormat(char* buffer, size_t size, const char* format, va_list args) {
    if (!buffer || size == 0) return 0;
    size_t length = formatAt(buffer, size, 0, format, args);
    buffer[length] = '\0';  // a null format or a formatting error leaves an empty text
    return length;
}

size_t strAppendFormat(char* buffer, size_t size, const char* format, ...) {
    va_list args;
    va_start(args, format);
    size_t length = strAppendVFormat(buffer, size, format, args);
    va_end(args);
    return length;
}

size_t strAppendUnichar(char* buffer, size_t size, int codePoint, int count) {
    if (codePoint < 0 || codePoint > kMaxCodePoint) throw Exception("Unicode out of range");
    if (!buffer || size == 0) return 0;
    size_t used = boundedLength(buffer, size);
    char encoded[4];
    char* end = encoded;
    if (codePoint < 0x80)
        *end++ = char(codePoint);
    else
        utf8Encode(codePoint, &end);
    size_t width = size_t(end - encoded);
    size_t fits = (size - 1 - used) / width;
    size_t times = count < 1 ? 0 : size_t(count) < fits ? size_t(count) : fits;
    for (size_t i = 0; i < times; ++i, used += width)
        std::memcpy(buffer + used, encoded, width);
    buffer[used] = '\0';
    return used;
}

void appendFormat256(char (&buffer)[256], const char* format, ...) {
    va_list args;
    va_start(args, format);
    strAppendVFormat(buffer, sizeof buffer, format, args);
    va_end(args);
}

void formatToBuffer256(char (&buffer)[256], const char* format, ...) {
    va_list args;
    va_start(args, format);
    strVFormat(buffer, sizeof buffer, format, args);
    va_end(args);
}

ShortStr ShortStr::format(const char* format, ...) {
    ShortStr s;
    va_list args;
    va_start(args, format);
    strAppendVFormat(s.text_, sizeof s.text_, format, args);
    va_end(args);
    return s;
}

int strCmpNull(const char* a, const char* b) {
    if (!a || !b) return a ? 1 : b ? -1 : 0;
    return std::strcmp(a, b);
}

int strCaseCmpAscii(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        int cx = asciiToLower(char(*x)) & 0xFF, cy = asciiToLower(char(*y)) & 0xFF;
        if (cx != cy || cx == 0) return cx - cy;
    }
}

int strNCaseCmpAscii(const char* a, const char* b, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        int cx = asciiToLower(a[i]) & 0xFF, cy = asciiToLower(b[i]) & 0xFF;
        if (cx != cy || cx == 0) return cx - cy;
    }
    return 0;
}

bool strBeginsWith(const char* text, const char* prefix) {
    if (!prefix) return true;
    if (!text) return !*prefix;
    return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
}

bool strBeginsWithNoCase(const char* text, const char* prefix) {
    if (!prefix) return true;
    if (!text) return !*prefix;
    return strNCaseCmpAscii(text, prefix, std::strlen(prefix)) == 0;
}

bool strEndsWith(const char* text, const char* suffix) {
    if (!suffix) return true;
    if (!text) return !*suffix;
    size_t t = std::strlen(text), s = std::strlen(suffix);
    return s <= t && std::memcmp(text + t - s, suffix, s) == 0;
}

bool strEndsWithNoCase(const char* text, const char* suffix) {
    if (!suffix) return true;
    if (!text) return !*suffix;
    size_t t = std::strlen(text), s = std::strlen(suffix);
    return s <= t && strNCaseCmpAscii(text + t - s, suffix, s) == 0;
}

const char* strCaseStr(const char* haystack, const char* needle) {
    if (!needle || !*needle) return haystack;
    if (!haystack) return nullptr;
    size_t n = std::strlen(needle);
    char first = asciiToLower(*needle);
    for (const char* p = haystack; *p; ++p)
        if (asciiToLower(*p) == first && strNCaseCmpAscii(p, needle, n) == 0) return p;
    return nullptr;
}

bool strHasCharBefore(const char* text, const char* end, char ch) {
    if (!text) return false;
    for (const char* p = text; (end ? p < end : true) && *p; ++p)
        if (*p == ch) return true;
    return false;
}

uint64_t strHash(const char* text) {
    uint64_t hash = 0xcbf29ce484222325ULL;
    if (!text) return hash;
    for (const char* p = text; *p; ++p) {
        hash ^= uint64_t(int64_t(static_cast<signed char>(*p)));
        hash *= 0x100000001b3ULL;
    }
    return hash;
}

namespace {

// A set of bytes, read whole before the text it applies to is cut: the set may be a piece of
// that very text.
class ByteSet {
public:
    explicit ByteSet(const char* set) {
        for (const char* p = set ? set : ""; *p; ++p)
            bits_[uint8_t(*p) >> 6] |= uint64_t(1) << (uint8_t(*p) & 63);
    }
    bool has(char c) const { return bits_[uint8_t(c) >> 6] >> (uint8_t(c) & 63) & 1; }

private:
    uint64_t bits_[4] = {};
};

// The shared tokeniser: `match(p)` gives the length of a separator at p, or 0.
template <typename Match>
char* tokenise(char** cursor, bool skipRepeats, Match match, char* hit = nullptr) {
    if (hit) *hit = '\0';
    if (!cursor || !*cursor) return nullptr;
    char* p = *cursor;
    if (skipRepeats) {
        for (size_t n; *p && (n = match(p)) != 0;)
            p += n;
        if (!*p) {
            *cursor = nullptr;
            return nullptr;
        }
    }
    char* token = p;
    size_t n = 0;
    while (*p && (n = match(p)) == 0)
        ++p;
    if (!*p) {
        *cursor = nullptr;
        return token;
    }
    if (hit) *hit = *p;
    *p = '\0';
    p += n;
    if (skipRepeats) {
        while (*p && (n = match(p)) != 0)
            p += n;
        if (!*p) p = nullptr;
    }
    *cursor = p;
    return token;
}

}  // namespace

char* strTok(char** cursor, char separator, bool skipRepeats) {
    return tokenise(cursor, skipRepeats,
                    [separator](const char* p) -> size_t { return *p == separator ? 1 : 0; });
}

char* strTokAny(char** cursor, const char* separators, char* hit, bool skipRepeats) {
    ByteSet set(separators);
    return tokenise(
        cursor, skipRepeats, [&set](const char* p) -> size_t { return set.has(*p) ? 1 : 0; }, hit);
}

char* strTokStr(char** cursor, const char* separator, bool skipRepeats) {
    size_t length = strLen(separator);
    if (length == 0) {
        // No separator can occur: the whole text is one token.
        char* token = cursor ? *cursor : nullptr;
        if (cursor) *cursor = nullptr;
        return token && (!skipRepeats || *token) ? token : nullptr;
    }
    return tokenise(cursor, skipRepeats, [separator, length](const char* p) -> size_t {
        return std::strncmp(p, separator, length) == 0 ? length : 0;
    });
}

char* strSplitLast(char** cursor, char ch) {
    if (!cursor || !*cursor) return nullptr;
    char* text = *cursor;
    char* last = std::strrchr(text, ch);
    if (!last || ch == '\0') {
        *cursor = nullptr;
        return text;
    }
    *last = '\0';
    return last + 1;
}

char* strRemoveChars(char* text, const char* set) {
    if (!text || !set || !*set) return text;
    char* out = text;
    for (const char* p = text; *p; ++p)
        if (!std::strchr(set, *p)) *out++ = *p;
    *out = '\0';
    return text;
}

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

bool strHasNonBlank(const char* text) {
    if (!text) return false;
    for (; *text; ++text)
        if (!isBlank(*text)) return true;
    return false;
}

char* strTrimLeft(char* text) {
    if (!text) return text;
    char* p = text;
    while (isBlank(*p))
        ++p;
    if (p != text) std::memmove(text, p, std::strlen(p) + 1);
    return text;
}

char* strTrimRight(char* text) {
    if (!text) return text;
    size_t n = std::strlen(text);
    while (n > 0 && isBlank(text[n - 1]))
        --n;
    text[n] = '\0';
    return text;
}

void strInsertEvery(String& text, const char* separator, int every) {
    if (every <= 0 || text.isNull()) return;
    size_t length = text.length(), sepLength = strLen(separator);
    size_t inserts = length > 0 ? (length - 1) / size_t(every) : 0;
    char* out = new char[length + inserts * sepLength + 1];
    char* p = out;
    const char* in = text.get();
    for (size_t i = 0; i < length; ++i) {
        if (i > 0 && i % size_t(every) == 0) {
            std::memcpy(p, separator, sepLength);
            p += sepLength;
        }
        *p++ = in[i];
    }
    *p = '\0';
    text = String::adopt(out);
}

char* strToUpperAscii(char* text) {
    if (text)
        for (char* p = text; *p; ++p)
            *p = asciiToUpper(*p);
    return text;
}

char* strToLowerAscii(char* text) {
    if (text)
        for (char* p = text; *p; ++p)
            *p = asciiToLower(*p);
    return text;
}

void secureZero(void* memory, size_t n) {
    if (!memory || n == 0) return;
    std::memset(memory, 0, n);
    // The memory is "used" after the stores, so they cannot be dropped as dead.
    __asm__ __volatile__("" : : "r"(memory) : "memory");
}

void secureCopy(void* to, const void* from, size_t n) {
    volatile unsigned char* out = static_cast<volatile unsigned char*>(to);
    const volatile unsigned char* in = static_cast<const volatile unsigned char*>(from);
    for (size_t i = 0; i < n; ++i)
        out[i] = in[i];
}

bool constantTimeEquals(const void* a, const void* b, size_t n) {
    const volatile unsigned char* x = static_cast<const volatile unsigned char*>(a);
    const volatile unsigned char* y = static_cast<const volatile unsigned char*>(b);
    unsigned char difference = 0;
    for (size_t i = 0; i < n; ++i)
        difference |= x[i] ^ y[i];
    return difference == 0;
}

int stripMnemonic(char* text, char** position) {
    if (position) *position = nullptr;
    if (!text) return 0;
    char* marked = nullptr;
    char* out = text;
    for (const char* p = text; *p;) {
        if (*p != '&') {
            *out++ = *p++;
        } else if (p[1] == '&') {
            *out++ = '&';
            p += 2;
        } else {
            ++p;  // a lone marker; at the end it is simply dropped
            if (!marked && *p) marked = out;
        }
    }
    *out = '\0';
    if (!marked) return 0;
    if (position) *position = marked;
    const char* cursor = marked;
    int codePoint = utf8Decode(&cursor, nullptr);
    return codePoint < 0 ? 0 : codePoint;
}

}  // namespace plat

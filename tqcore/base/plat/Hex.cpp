#include "plat/Hex.h"

#include <climits>
#include <cstdio>
#include <cstring>

namespace plat {

namespace {

const char kDigits[] = "0123456789abcdef";

// The value of a hexadecimal digit of either case, or -1.
inline int digitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes `count` bytes from 2 * `count` characters that must all be digits.
bool decodePairs(const char* text, size_t count, unsigned char* bytes) {
    for (size_t i = 0; i < count; ++i) {
        int high = digitValue(text[2 * i]);
        if (high < 0) return false;
        int low = digitValue(text[2 * i + 1]);
        if (low < 0) return false;
        bytes[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

}  // namespace

char hexDigit(int i) {
    TQ_CHECK(i >= 0 && i <= 15);
    return kDigits[i];
}

String binToHex(size_t length, const unsigned char* bytes) {
    char* text = new char[2 * length + 1];
    for (size_t i = 0; i < length; ++i) {
        text[2 * i] = kDigits[bytes[i] >> 4];
        text[2 * i + 1] = kDigits[bytes[i] & 0x0F];
    }
    text[2 * length] = '\0';
    return String::adopt(text);
}

bool hexDigitValue(char c, uint32_t& accumulator) {
    int value = digitValue(c);
    if (value < 0) return false;
    accumulator = accumulator * 16 + uint32_t(value);
    return true;
}

bool hexToBin(const char* text, ByteBuf& buffer) {
    size_t length = strLen(text);
    if (length % 2 != 0 || length / 2 > size_t(INT_MAX)) return false;
    int count = int(length / 2);
    ByteBuf fresh;
    fresh.assign(nullptr, 0, count);
    // The decoded bytes may be a secret: wipe them if the text turns out bad half-way.
    fresh.setWipe(true);
    if (!decodePairs(text, size_t(count), fresh.data())) return false;
    // Moving in wipes the old contents when flagged and keeps the flag.
    fresh.setWipe(false);
    buffer = std::move(fresh);
    return true;
}

bool hexToBin(const char* text, size_t count, unsigned char* bytes) {
    if (!text) return count == 0;
    // Reads stop at the first bad digit, so a short text's NUL is never passed.
    return decodePairs(text, count, bytes);
}

ByteBuf hexToBin(const char* text) {
    ByteBuf result;
    if (!hexToBin(text, result)) throw Exception("Bad hex string");
    return result;
}

void hexDump(const unsigned char* bytes, size_t length, const char* title, const char* prefix) {
    // One line: 16 * 3 digits and blanks, 4 extra blanks, 16 characters, newline and NUL.
    char line[16 * 3 + 4 + 16 + 2];
    for (size_t offset = 0; offset < length; offset += 16) {
        const char* head = offset == 0 ? title : prefix;
        if (head)
            std::fputs(head, stderr);
        else
            std::fprintf(stderr, "%04zx ", offset);
        size_t inLine = length - offset < 16 ? length - offset : 16;
        char* out = line;
        for (size_t i = 0; i < 16; ++i) {
            if (i < inLine) {
                unsigned char b = bytes[offset + i];
                *out++ = kDigits[b >> 4];
                *out++ = kDigits[b & 0x0F];
                *out++ = ' ';
            } else {
                std::memcpy(out, "   ", 3);
                out += 3;
            }
            if (i % 4 == 3) *out++ = ' ';
        }
        for (size_t i = 0; i < inLine; ++i) {
            unsigned char b = bytes[offset + i];
            *out++ = b >= 0x20 && b <= 0x7E ? char(b) : '.';
        }
        *out++ = '\n';
        *out = '\0';
        std::fputs(line, stderr);
    }
    std::fflush(stderr);
}

}  // namespace plat

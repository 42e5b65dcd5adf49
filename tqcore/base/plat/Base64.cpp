#include "plat/Base64.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace plat {

namespace {

const char kStandard[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
const char kUrlSafe[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

constexpr uint8_t kBad = 0xFF;

// Character to value, kBad for everything outside both alphabets ("=" included).
struct DecodeTable {
    uint8_t value[256];
    constexpr DecodeTable() : value() {
        for (int i = 0; i < 256; ++i)
            value[i] = kBad;
        for (int i = 0; i < 64; ++i) {
            value[static_cast<unsigned char>(kStandard[i])] = uint8_t(i);
            value[static_cast<unsigned char>(kUrlSafe[i])] = uint8_t(i);
        }
    }
};

constexpr DecodeTable kDecode;

}  // namespace

String base64Encode(size_t length, const unsigned char* bytes, bool urlSafe) {
    const char* alphabet = urlSafe ? kUrlSafe : kStandard;
    size_t full = length / 3;
    size_t rest = length % 3;
    size_t outLength = 4 * full + (rest == 0 ? 0 : urlSafe ? rest + 1 : 4);
    char* text = new char[outLength + 1];
    char* out = text;
    const unsigned char* in = bytes;
    for (size_t i = 0; i < full; ++i, in += 3, out += 4) {
        uint32_t v = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
        out[0] = alphabet[v >> 18];
        out[1] = alphabet[(v >> 12) & 63];
        out[2] = alphabet[(v >> 6) & 63];
        out[3] = alphabet[v & 63];
    }
    if (rest != 0) {
        uint32_t v = uint32_t(in[0]) << 16 | (rest == 2 ? uint32_t(in[1]) << 8 : 0);
        *out++ = alphabet[v >> 18];
        *out++ = alphabet[(v >> 12) & 63];
        if (rest == 2) *out++ = alphabet[(v >> 6) & 63];
        if (!urlSafe) {
            if (rest == 1) *out++ = '=';
            *out++ = '=';
        }
    }
    *out = '\0';
    return String::adopt(text);
}

bool base64Decode(const char* text, ByteBuf& buffer) {
    size_t length = strLen(text);
    if (length % 4 == 1) return false;
    // Strip the padding a well-formed text may end with; any other "=" fails the table look-up.
    size_t dataLength = length;
    if (length % 4 == 0 && length > 0 && text[length - 1] == '=')
        dataLength -= text[length - 2] == '=' ? 2 : 1;
    size_t full = dataLength / 4;
    size_t rest = dataLength % 4;  // 0, 2 or 3 characters in the last group
    size_t outLength = 3 * full + (rest == 0 ? 0 : rest - 1);
    if (outLength > size_t(INT_MAX)) return false;

    ByteBuf fresh;
    fresh.assign(nullptr, 0, int(outLength));
    // The decoded bytes may be a secret: wipe them if the text turns out bad half-way.
    fresh.setWipe(true);
    const uint8_t* table = kDecode.value;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    unsigned char* out = fresh.data();
    for (size_t i = 0; i < full; ++i, in += 4, out += 3) {
        uint32_t a = table[in[0]], b = table[in[1]], c = table[in[2]], d = table[in[3]];
        if ((a | b | c | d) & 0x80) return false;
        uint32_t v = a << 18 | b << 12 | c << 6 | d;
        out[0] = uint8_t(v >> 16);
        out[1] = uint8_t(v >> 8);
        out[2] = uint8_t(v);
    }
    if (rest != 0) {
        uint32_t a = table[in[0]], b = table[in[1]], c = rest == 3 ? table[in[2]] : 0;
        if ((a | b | c) & 0x80) return false;
        uint32_t v = a << 18 | b << 12 | c << 6;
        out[0] = uint8_t(v >> 16);
        if (rest == 3) out[1] = uint8_t(v >> 8);
    }
    fresh.setWipe(false);
    buffer = std::move(fresh);
    return true;
}

}  // namespace plat

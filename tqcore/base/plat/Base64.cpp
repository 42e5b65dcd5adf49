#include "plat/Base64.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace plat {

namespace {

constexpr char kStandard[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kUrlSafe[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Per character position in a group, the value already shifted into place in the 24 bits of
// the group, or a bit above them for everything outside both alphabets ("=" included). One OR
// of four look-ups then gives both the group and its validity.
constexpr uint32_t kBad = 1u << 24;

struct DecodeTable {
    uint32_t value[4][256];
    constexpr DecodeTable() : value() {
        for (int position = 0; position < 4; ++position)
            for (int c = 0; c < 256; ++c)
                value[position][c] = kBad;
        for (int i = 0; i < 64; ++i) {
            for (int position = 0; position < 4; ++position) {
                uint32_t shifted = uint32_t(i) << (18 - 6 * position);
                value[position][static_cast<unsigned char>(kStandard[i])] = shifted;
                value[position][static_cast<unsigned char>(kUrlSafe[i])] = shifted;
            }
        }
    }
};

constexpr DecodeTable kDecode;

constexpr bool kLittleEndian = __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__;

// The two characters for each 12-bit value, as a 16-bit word that holds them in memory order:
// one look-up writes half a group.
struct PairTable {
    uint16_t pair[4096];
    constexpr explicit PairTable(const char* alphabet) : pair() {
        for (int i = 0; i < 4096; ++i) {
            uint16_t first = static_cast<unsigned char>(alphabet[i >> 6]);
            uint16_t second = static_cast<unsigned char>(alphabet[i & 63]);
            pair[i] = kLittleEndian ? uint16_t(first | second << 8) : uint16_t(first << 8 | second);
        }
    }
};

constexpr PairTable kStandardPairs(kStandard);
constexpr PairTable kUrlSafePairs(kUrlSafe);

// 8 bytes as a big-endian number: the order in which base64 takes the bits.
inline uint64_t loadBigEndian(const unsigned char* p) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    return kLittleEndian ? __builtin_bswap64(v) : v;
}

inline void storeBigEndian(unsigned char* p, uint64_t v) {
    if (kLittleEndian) v = __builtin_bswap64(v);
    std::memcpy(p, &v, 8);
}

}  // namespace

String base64Encode(size_t length, const unsigned char* bytes, bool urlSafe) {
    const char* alphabet = urlSafe ? kUrlSafe : kStandard;
    size_t full = length / 3;
    size_t rest = length % 3;
    size_t outLength = 4 * full + (rest == 0 ? 0 : urlSafe ? rest + 1 : 4);
    char* text = new char[outLength + 1];
    char* out = text;
    const unsigned char* in = bytes;
    const uint16_t* pairs = urlSafe ? kUrlSafePairs.pair : kStandardPairs.pair;
    // Two groups per step from one 8-byte load and into one 8-byte store, while 8 bytes are
    // there to read.
    size_t wideSteps = length >= 8 ? (length - 8) / 6 + 1 : 0;
    for (size_t step = 0; step < wideSteps; ++step, in += 6, out += 8) {
        uint64_t v = loadBigEndian(in);
        uint64_t a = pairs[v >> 52], b = pairs[(v >> 40) & 0xFFF];
        uint64_t c = pairs[(v >> 28) & 0xFFF], d = pairs[(v >> 16) & 0xFFF];
        uint64_t chars =
            kLittleEndian ? a | b << 16 | c << 32 | d << 48 : a << 48 | b << 32 | c << 16 | d;
        std::memcpy(out, &chars, 8);
    }
    for (const unsigned char* fullEnd = bytes + 3 * full; in < fullEnd; in += 3, out += 4) {
        uint32_t v = uint32_t(in[0]) << 16 | uint32_t(in[1]) << 8 | in[2];
        std::memcpy(out, &pairs[v >> 12], 2);
        std::memcpy(out + 2, &pairs[v & 0xFFF], 2);
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
    const auto& table = kDecode.value;
    const unsigned char* in = reinterpret_cast<const unsigned char*>(text);
    unsigned char* out = fresh.data();
    // Two groups per step into one 8-byte store, while a third group follows to take the two
    // bytes it writes too many.
    size_t i = 0;
    for (; i + 3 <= full; i += 2, in += 8, out += 6) {
        uint32_t v = table[0][in[0]] | table[1][in[1]] | table[2][in[2]] | table[3][in[3]];
        uint32_t w = table[0][in[4]] | table[1][in[5]] | table[2][in[6]] | table[3][in[7]];
        if ((v | w) & kBad) return false;
        storeBigEndian(out, uint64_t(v) << 40 | uint64_t(w) << 16);
    }
    for (; i < full; ++i, in += 4, out += 3) {
        uint32_t v = table[0][in[0]] | table[1][in[1]] | table[2][in[2]] | table[3][in[3]];
        if (v & kBad) return false;
        out[0] = uint8_t(v >> 16);
        out[1] = uint8_t(v >> 8);
        out[2] = uint8_t(v);
    }
    if (rest != 0) {
        uint32_t v = table[0][in[0]] | table[1][in[1]] | (rest == 3 ? table[2][in[2]] : 0);
        if (v & kBad) return false;
        out[0] = uint8_t(v >> 16);
        if (rest == 3) out[1] = uint8_t(v >> 8);
    }
    fresh.setWipe(false);
    buffer = std::move(fresh);
    return true;
}

}  // namespace plat

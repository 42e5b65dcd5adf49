#include "xml/Base64Codec.h"

#include "xml/NodeData.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace xml {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Decoder classes: 0-63 data, then the pad, blanks, the end and everything else.
enum : unsigned char { kPad = 64, kBlank = 65, kEnd = 66, kIllegal = 67 };

struct DecodeTable {
    unsigned char cls[256];
};

constexpr DecodeTable makeDecodeTable() {
    DecodeTable t{};
    for (int i = 0; i < 256; ++i) t.cls[i] = kIllegal;
    for (int i = 0; i < 64; ++i) t.cls[static_cast<unsigned char>(kAlphabet[i])] = static_cast<unsigned char>(i);
    t.cls[static_cast<unsigned char>('=')] = kPad;
    t.cls[9] = t.cls[10] = t.cls[13] = t.cls[32] = kBlank;
    t.cls[0] = kEnd;
    return t;
}

constexpr DecodeTable kDecode = makeDecodeTable();

inline unsigned char classOf(char c) { return kDecode.cls[static_cast<unsigned char>(c)]; }

void setError(int* error, int code) {
    if (error) *error = code;
}

}  // namespace

Base64Codec::~Base64Codec() { std::free(buffer_); }

void Base64Codec::reserve(int bytes) {
    if (bytes <= capacity_) return;
    buffer_ = static_cast<unsigned char*>(xmlRealloc(buffer_, size_t(bytes)));
    capacity_ = bytes;
}

int Base64Codec::encodedLength(int count, bool lineBreaks) {
    int64_t n = count;
    int64_t length = ((n - 1) / 3) * 4 + 5 + (lineBreaks ? n / 54 : 0);
    return length > INT_MAX ? -1 : int(length);
}

const char* Base64Codec::encode(const unsigned char* bytes, int count, bool lineBreaks) {
    if (!bytes || count < 0) count = 0;
    int length = encodedLength(count, lineBreaks);
    if (length < 0) return nullptr;
    reserve(length);
    char* out = reinterpret_cast<char*>(buffer_);
    int groups = 0;
    int i = 0;
    for (; i + 3 <= count; i += 3) {
        unsigned v = unsigned(bytes[i]) << 16 | unsigned(bytes[i + 1]) << 8 | bytes[i + 2];
        *out++ = kAlphabet[v >> 18];
        *out++ = kAlphabet[(v >> 12) & 63];
        *out++ = kAlphabet[(v >> 6) & 63];
        *out++ = kAlphabet[v & 63];
        if (lineBreaks && ++groups == 18) {
            *out++ = '\n';
            groups = 0;
        }
    }
    if (count - i == 1) {
        *out++ = kAlphabet[bytes[i] >> 2];
        *out++ = kAlphabet[(bytes[i] & 3) << 4];
        *out++ = '=';
        *out++ = '=';
    } else if (count - i == 2) {
        unsigned v = unsigned(bytes[i]) << 8 | bytes[i + 1];
        *out++ = kAlphabet[v >> 10];
        *out++ = kAlphabet[(v >> 4) & 63];
        *out++ = kAlphabet[(v & 15) << 2];
        *out++ = '=';
    }
    *out = 0;
    return reinterpret_cast<const char*>(buffer_);
}

int Base64Codec::decodedSize(const char* text, int* error) {
    setError(error, kNoError);
    if (!text) return 0;
    long long count = 0, pads = 0;
    for (const char* p = text; *p; ++p) {
        unsigned char c = classOf(*p);
        if (c == kIllegal) {
            setError(error, kBase64IllegalChar);
            return 0;
        }
        if (c == kBlank) continue;
        ++count;
        pads = c == kPad ? pads + 1 : 0;
    }
    if (count % 4) setError(error, kBase64LengthWarning);
    long long size = (count * 3 - pads * 3) / 4;
    return size > 0x7FFFFFFF ? 0x7FFFFFFF : int(size);
}

int Base64Codec::decode(const char* text, unsigned char* out, int outSize, int* error) {
    setError(error, kNoError);
    if (!text) return 0;
    int written = 0;
    unsigned bits = 0;
    int inGroup = 0;
    const char* p = text;
    for (;; ++p) {
        unsigned char c = classOf(*p);
        if (c == kBlank) continue;
        if (c == kIllegal) {
            setError(error, kBase64IllegalChar);
            return -1;
        }
        if (c == kEnd || c == kPad) break;
        bits = bits << 6 | c;
        if (++inGroup == 4) {
            if (written + 3 > outSize) {
                setError(error, kBase64OutputTooSmall);
                return -1;
            }
            out[written++] = static_cast<unsigned char>(bits >> 16);
            out[written++] = static_cast<unsigned char>(bits >> 8);
            out[written++] = static_cast<unsigned char>(bits);
            bits = 0;
            inGroup = 0;
        }
    }
    if (inGroup == 0 && classOf(*p) == kEnd) return written;
    // A short final group: the whole bytes its characters hold.
    int bytes = inGroup >= 2 ? inGroup - 1 : 0;
    if (written + bytes > outSize) {
        setError(error, kBase64OutputTooSmall);
        return -1;
    }
    bits <<= 6 * (4 - inGroup);
    for (int k = 0; k < bytes; ++k) out[written++] = static_cast<unsigned char>(bits >> (16 - 8 * k));
    setError(error, kBase64TruncatedWarning);
    return written;
}

const unsigned char* Base64Codec::decode(const char* text, int* size, int* error) {
    int sizeError = kNoError;
    int needed = decodedSize(text, &sizeError);
    if (size) *size = 0;
    if (sizeError == kBase64IllegalChar) {
        setError(error, sizeError);
        return nullptr;
    }
    // The size saturates: bytes that fill an int leave no room for the NUL.
    if (needed == INT_MAX) {
        setError(error, kBase64OutputTooSmall);
        return nullptr;
    }
    reserve(needed + 1);
    int decodeError = kNoError;
    int written = decode(text, buffer_, needed + 1, &decodeError);
    if (written < 0) {
        setError(error, decodeError);
        return nullptr;
    }
    if (size) *size = written;
    setError(error, decodeError != kNoError ? decodeError : sizeError);
    return buffer_;
}

}  // namespace xml

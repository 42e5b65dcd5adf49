#include "plat/Utf8.h"

#include <cstring>
#include <memory>

namespace plat {

namespace {

bool isContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

bool isNonCharacter(int cp) {
    return (cp >= 0xFDD0 && cp <= 0xFDEF) || (cp & 0xFFFE) == 0xFFFE;
}

// A growable output buffer for the converters, which may produce large texts (DString would
// measure its text on every append).
class Sink {
public:
    explicit Sink(size_t initial) : capacity_(initial + 1), data_(new char[capacity_]) {}
    void put(char c) {
        if (length_ + 1 >= capacity_) grow(1);
        data_[length_++] = c;
    }
    void put(const char* bytes, size_t n) {
        if (length_ + n >= capacity_) grow(n);
        std::memcpy(data_.get() + length_, bytes, n);
        length_ += n;
    }
    size_t length() const { return length_; }
    String finish() {
        data_[length_] = '\0';
        return String::adopt(data_.release());
    }
    void finish(MBuf<unsigned char>& out) {
        MBuf<unsigned char> result;
        result.assign(reinterpret_cast<const unsigned char*>(data_.get()), int(length_));
        out = std::move(result);
    }

private:
    void grow(size_t n) {
        size_t capacity = capacity_ * 2;
        while (length_ + n >= capacity)
            capacity *= 2;
        std::unique_ptr<char[]> fresh(new char[capacity]);
        std::memcpy(fresh.get(), data_.get(), length_);
        data_ = std::move(fresh);
        capacity_ = capacity;
    }

    size_t capacity_;
    std::unique_ptr<char[]> data_;
    size_t length_ = 0;
};

void putCodePoint(Sink& out, int cp) {
    char bytes[4];
    char* end = bytes;
    if (cp < 0x80)
        *end++ = char(cp);
    else
        utf8Encode(cp, &end);
    out.put(bytes, size_t(end - bytes));
}

const char* endOf(const char* start, const char* end) {
    return end ? end : start + std::strlen(start);
}

}  // namespace

int utf8DecodeTail(unsigned char lead, const char** cursor, int available) {
    int extra, cp;
    if (lead < 0xC0) return kInvalidCodePoint;  // a continuation byte cannot lead
    if (lead < 0xE0)
        extra = 1, cp = lead & 0x1F;
    else if (lead < 0xF0)
        extra = 2, cp = lead & 0x0F;
    else if (lead < 0xF8)
        extra = 3, cp = lead & 0x07;
    else
        return kInvalidCodePoint;
    if (1 + extra > available) return kInvalidCodePoint;
    for (int i = 0; i < extra; ++i) {
        unsigned char c = static_cast<unsigned char>(**cursor);
        if (!isContinuation(c)) return kInvalidCodePoint;
        cp = (cp << 6) | (c & 0x3F);
        ++*cursor;
    }
    static constexpr int kShortest[4] = {0, 0x80, 0x800, 0x10000};
    if (cp > kMaxCodePoint || (cp >= 0xD800 && cp <= 0xDFFF) || isNonCharacter(cp) ||
        cp < kShortest[extra])
        return kInvalidCodePoint;
    return cp;
}

int utf8Decode(const char** cursor, const char* end) {
    unsigned char lead = static_cast<unsigned char>(**cursor);
    ++*cursor;
    if (lead < 0x80) return lead;
    int available = end ? int(end - *cursor) + 1 : 4;
    return utf8DecodeTail(lead, cursor, available);
}

void utf8Encode(int codePoint, char** out) {
    if (codePoint < 0 || codePoint > kMaxCodePoint) throw Exception("Unicode out of range");
    unsigned cp = unsigned(codePoint);
    char*& p = *out;
    if (cp < 0x800) {
        *p++ = char(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
        *p++ = char(0xE0 | (cp >> 12));
        *p++ = char(0x80 | ((cp >> 6) & 0x3F));
    } else {
        *p++ = char(0xF0 | (cp >> 18));
        *p++ = char(0x80 | ((cp >> 12) & 0x3F));
        *p++ = char(0x80 | ((cp >> 6) & 0x3F));
    }
    *p++ = char(0x80 | (cp & 0x3F));
}

const char* utf8Prev(const char* cursor, const char* lowerLimit) {
    if (!cursor || cursor == lowerLimit) return cursor;
    // One byte at a time, stopping at the first byte that is not a continuation: on a complete
    // sequence nothing before its lead byte is ever read.
    const char* p = cursor - 1;
    for (int back = 1;
         back < 4 && p != lowerLimit && isContinuation(static_cast<unsigned char>(*p)); ++back)
        --p;
    return p;
}

namespace {

// For each lead byte: the sequence length (0: cannot start a character) and the range the
// second byte must lie in, which rules out overlong forms, surrogates and values above
// U+10FFFF in one comparison.
struct LeadInfo {
    unsigned char length = 0, low = 0, high = 0;
};

struct LeadTable {
    LeadInfo info[256];
    constexpr LeadTable() : info() {
        for (int c = 0; c < 0x80; ++c)
            info[c] = {1, 0, 0};
        for (int c = 0xC2; c < 0xE0; ++c)
            info[c] = {2, 0x80, 0xBF};
        for (int c = 0xE0; c < 0xF0; ++c)
            info[c] = {3, 0x80, 0xBF};
        info[0xE0].low = 0xA0;
        info[0xED].high = 0x9F;
        for (int c = 0xF0; c < 0xF5; ++c)
            info[c] = {4, 0x80, 0xBF};
        info[0xF0].low = 0x90;
        info[0xF4].high = 0x8F;
    }
};

constexpr LeadTable kLeads;

// Validates one multi-byte character at s (fewer than `left` bytes would not fit); returns its
// length, or 0 when it is invalid.
inline int validCharLength(const unsigned char* s, ptrdiff_t left) {
    const LeadInfo& lead = kLeads.info[s[0]];
    if (lead.length < 2 || left < lead.length) return 0;
    unsigned char c1 = s[1];
    if (c1 < lead.low || c1 > lead.high) return 0;
    if (lead.length == 2) return 2;
    unsigned char c2 = s[2];
    if (!isContinuation(c2)) return 0;
    if (lead.length == 3) {
        // U+FDD0..U+FDEF, U+FFFE and U+FFFF
        if (__builtin_expect(s[0] == 0xEF, 0) &&
            ((c1 == 0xB7 && c2 >= 0x90 && c2 <= 0xAF) || (c1 == 0xBF && c2 >= 0xBE)))
            return 0;
        return 3;
    }
    unsigned char c3 = s[3];
    if (!isContinuation(c3)) return 0;
    // U+1FFFE, U+1FFFF ... U+10FFFF
    if (__builtin_expect((c1 & 0x0F) == 0x0F && c2 == 0xBF && c3 >= 0xBE, 0)) return 0;
    return 4;
}

}  // namespace

bool utf8IsValid(const char* start, const char* end) {
    if (!start) return true;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(start);
    const unsigned char* e = reinterpret_cast<const unsigned char*>(endOf(start, end));
    constexpr uint64_t kHigh = 0x8080808080808080ULL, kLow = 0x0101010101010101ULL;
    while (s < e) {
        const unsigned char* blockEnd = e;
        if (e - s >= 16) {
            // ASCII without NUL, 16 bytes at a time.
            uint64_t a, b;
            std::memcpy(&a, s, 8);
            std::memcpy(&b, s + 8, 8);
            if (((a | b | ((a - kLow) & ~a) | ((b - kLow) & ~b)) & kHigh) == 0) {
                s += 16;
                continue;
            }
            // Mixed text: take the whole block a character at a time before trying words again.
            blockEnd = s + 16;
        }
        while (s < blockEnd) {
            unsigned char c = *s;
            if (c < 0x80) {
                if (c == 0) return true;
                ++s;
                continue;
            }
            // Fast paths for the common leads, whose continuation bytes may take any value:
            // 2-byte (Latin, Greek, Cyrillic ...) and most 3-byte ones (most of CJK).
            if (unsigned(c - 0xC2) <= 0xDF - 0xC2) {
                if (e - s < 2 || !isContinuation(s[1])) return false;
                s += 2;
                continue;
            }
            if (unsigned(c - 0xE1) <= 0xEC - 0xE1) {
                // A run of them is taken in one tight loop.
                const unsigned char* run = s;
                while (e - run >= 3 && unsigned(run[0] - 0xE1) <= 0xEC - 0xE1 &&
                       ((run[1] & 0xC0) | ((run[2] & 0xC0) << 8)) == 0x8080)
                    run += 3;
                if (run != s) {
                    s = run;
                    continue;
                }
            }
            int length = validCharLength(s, e - s);
            if (length == 0) return false;
            s += length;
        }
    }
    return true;
}

String toUtf8(const char* start, const char* end, int maxOutput) {
    if (!start) start = "";
    const char* stop = endOf(start, end);
    Sink out(size_t(stop - start) + 10);
    for (const char* p = start; p < stop && *p;) {
        int cp = utf8Decode(&p, end ? stop : nullptr);
        if (cp < 0) cp = kReplacementChar;
        if (maxOutput >= 0 && out.length() + size_t(utf8EncodedLength(cp)) > size_t(maxOutput))
            break;
        putCodePoint(out, cp);
    }
    return out.finish();
}

int utf8DisplayWidth(const char* start, const char* end) {
    if (!start) return 0;
    int width = 0;
    for (const char* p = start; (!end || p < end) && *p;) {
        int cp = utf8Decode(&p, end);
        if (cp < 0) break;
        int w = charDisplayWidth(cp);
        width += w < 0 ? 1 : w;
    }
    return width;
}

void utf8ClampRange(const char* text, int* start, int* length) {
    int textLength = int(strLen(text));
    int s = *start < 0 ? 0 : *start > textLength ? textLength : *start;
    int moved = 0;
    while (s < textLength && isContinuation(static_cast<unsigned char>(text[s])))
        ++s, ++moved;
    *start = s;
    if (!length) return;
    int left = textLength - s;
    int n = *length < 0 ? left : *length - moved;
    if (n > left) n = left;
    if (n < 0) n = 0;
    while (s + n < textLength && isContinuation(static_cast<unsigned char>(text[s + n])))
        ++n;
    *length = n < 1 ? 0 : n;
}

namespace {

// The visible form of a 7-bit value: "^" and the value XOR 0x40 for controls, space and DEL;
// "-" and the value otherwise.
void putVisible7(Sink& out, unsigned char v) {
    if (v < 0x21 || v == 0x7F) {
        out.put('^');
        out.put(char(v ^ 0x40));
    } else {
        out.put('-');
        out.put(char(v));
    }
}

}  // namespace

String utf8Visible(const char* text, char escape) {
    if (!text) text = "";
    Sink out(std::strlen(text) * 4);
    for (const char* p = text; *p;) {
        const char* at = p;
        int cp = utf8Decode(&p, nullptr);
        if (cp < 0) {
            for (; at < p; ++at) {
                unsigned char b = static_cast<unsigned char>(*at);
                out.put(escape);
                if (b >= 0x80) {
                    out.put('M');
                    putVisible7(out, b & 0x7F);
                } else {
                    putVisible7(out, b);
                }
            }
        } else if (cp < 0x20 || cp == 0x7F) {
            out.put(escape);
            out.put('^');
            out.put(char(cp ^ 0x40));
        } else if (cp == static_cast<unsigned char>(escape)) {
            out.put(escape);
            out.put(escape);
        } else {
            out.put(at, size_t(p - at));
        }
    }
    return out.finish();
}

namespace {

template <typename Finish>
auto toSingleByte(const char* text, int length, Finish finish) {
    if (!text) text = "";
    const char* stop = length < 0 ? text + std::strlen(text) : text + strnlen(text, size_t(length));
    size_t characters = 0;
    for (const char* p = text; p < stop; ++characters)
        utf8Decode(&p, stop);
    Sink out(characters);
    for (const char* p = text; p < stop;) {
        int cp = utf8Decode(&p, stop);
        out.put(cp == 0x20AC ? char(0x80) : cp >= 0 && cp < 0x100 ? char(cp) : '?');
    }
    return finish(out);
}

template <typename Finish>
auto fromSingleByte(const char* text, int length, Finish finish) {
    size_t n = text ? strLenN(text, length) : 0;
    Sink out(n + n / 2 + 1);
    for (size_t i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(text[i]);
        putCodePoint(out, b == 0x80 ? 0x20AC : b);
    }
    return finish(out);
}

}  // namespace

String utf8ToSingleByte(const char* text, int length, int* outLength) {
    return toSingleByte(text, length, [outLength](Sink& out) {
        if (outLength) *outLength = int(out.length());
        return out.finish();
    });
}

void utf8ToSingleByte(MBuf<unsigned char>& out, const char* text, int length) {
    toSingleByte(text, length, [&out](Sink& sink) {
        sink.finish(out);
        return 0;
    });
}

String singleByteToUtf8(const char* text, int length, int* outLength) {
    return fromSingleByte(text, length, [outLength](Sink& out) {
        if (outLength) *outLength = int(out.length());
        return out.finish();
    });
}

void singleByteToUtf8(MBuf<unsigned char>& out, const char* text, int length) {
    fromSingleByte(text, length, [&out](Sink& sink) {
        sink.finish(out);
        return 0;
    });
}

}  // namespace plat

#include "plat/Utf8.h"

#include "plat/ByteScan.h"

#include <cstring>
#include <memory>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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

#ifdef __SSE2__

inline __m128i load16(const unsigned char* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

inline __m128i bytes16(unsigned char c) {
    return _mm_set1_epi8(static_cast<char>(c));
}

// Whether the 16 or 64 bytes at p are ASCII without a NUL.
inline bool asciiBlock16(const unsigned char* p) {
    return Sse2ByteBlock::load(p).asciiNotNul().all();
}
inline bool asciiBlock64(const unsigned char* p) {
    return (Sse2ByteBlock::load(p).asciiNotNul() & Sse2ByteBlock::load(p + 16).asciiNotNul() &
            Sse2ByteBlock::load(p + 32).asciiNotNul() & Sse2ByteBlock::load(p + 48).asciiNotNul())
        .all();
}

// The lookup validator of Keiser and Lemire ("Validating UTF-8 in less than one instruction per
// byte", 2021) classifies byte pairs with table shuffles, which SSE2 lacks; here each rule is a
// few comparisons instead, all on the byte where the offending sequence ends, so that a NUL can
// cut the block at a byte position. A lane whose high bit is set is an error at that byte.
// `prev1` to `prev3` are the block moved by 1 to 3 bytes, each lane holding the byte that
// many places before; zero stands for "no byte".
//
// A byte must continue a sequence exactly when a lead 1, 2 or 3 bytes before it is long enough
// to reach it: at or above C0, E0 or F0, which unsigned saturation turns into a high bit.
// Continuation bytes, 80..BF, are the signed bytes below C0.
//
// Without a byte from E0 up among the block and the 3 bytes before it (Latin, Greek or
// Cyrillic text) only 2-byte sequences can occur, and only the rules of these remain: the
// continuation bytes, and C0 and C1, which lead only overlong forms.
inline __m128i twoByteErrors(__m128i x, __m128i prev1) {
    __m128i isContinuation = _mm_cmplt_epi8(x, bytes16(0xC0));
    return _mm_or_si128(_mm_xor_si128(_mm_subs_epu8(prev1, bytes16(0x40)), isContinuation),
                        _mm_cmpeq_epi8(_mm_and_si128(x, bytes16(0xFE)), bytes16(0xC0)));
}

// Whether any byte of `bytes` is E0 or above.
inline bool hasHighBytes(__m128i bytes) {
    __m128i top = _mm_and_si128(bytes, bytes16(0xE0));
    return _mm_movemask_epi8(_mm_cmpeq_epi8(top, bytes16(0xE0))) != 0;
}

// Non-characters. U+xFFFE and U+xFFFF end in BF BE or BF BF after EF (plane 0) or after 8F,
// 9F, AF or BF, which is then the second byte of a 4-byte form: three continuation bytes in a
// row are valid nowhere else. OR 70 turns all of these into FF, and besides them only CF and
// DF, whose BF would end a 2-byte character before a stray continuation byte.
// U+FDD0..U+FDEF are EF B7 90..AF.
inline __m128i nonCharacterErrors(__m128i x, __m128i prev1, __m128i prev2) {
    __m128i planeEnd =
        _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(prev2, bytes16(0x70)), bytes16(0xFF)),
                      _mm_and_si128(_mm_cmpeq_epi8(prev1, bytes16(0xBF)),
                                    _mm_cmpeq_epi8(_mm_or_si128(x, bytes16(0x01)), bytes16(0xBF))));
    __m128i arabicForms = _mm_and_si128(
        _mm_and_si128(_mm_cmpeq_epi8(prev2, bytes16(0xEF)), _mm_cmpeq_epi8(prev1, bytes16(0xB7))),
        _mm_and_si128(_mm_cmpgt_epi8(x, bytes16(0x8F)), _mm_cmplt_epi8(x, bytes16(0xB0))));
    return _mm_or_si128(planeEnd, arabicForms);
}

// Whether any place might end a non-character: B7 or BF before it, and EF or a byte ending in
// F two before (the test of the rules above, both cases at once). Text rarely has that.
inline bool maybeNonCharacter(__m128i prev1, __m128i prev2) {
    __m128i suspect =
        _mm_and_si128(_mm_cmpeq_epi8(_mm_and_si128(prev1, bytes16(0xF7)), bytes16(0xB7)),
                      _mm_cmpeq_epi8(_mm_or_si128(prev2, bytes16(0x70)), bytes16(0xFF)));
    return _mm_movemask_epi8(suspect) != 0;
}

inline __m128i allErrors(__m128i x, __m128i prev1, __m128i prev2, __m128i prev3) {
    __m128i needed = _mm_or_si128(
        _mm_subs_epu8(prev1, bytes16(0x40)),
        _mm_or_si128(_mm_subs_epu8(prev2, bytes16(0x60)), _mm_subs_epu8(prev3, bytes16(0x70))));
    __m128i isContinuation = _mm_cmplt_epi8(x, bytes16(0xC0));
    __m128i errors = _mm_or_si128(_mm_xor_si128(needed, isContinuation),
                                  _mm_cmpeq_epi8(_mm_and_si128(x, bytes16(0xFE)), bytes16(0xC0)));
    // F5 and above lead nothing valid.
    errors = _mm_or_si128(errors, _mm_subs_epu8(x, bytes16(0x75)));

    // Second bytes out of range: overlong 3- and 4-byte forms (E0 below A0, F0 below 90; F0
    // differs from E0 by 0x10, which moves its bound to A0 too), surrogates (ED above 9F) and
    // values above U+10FFFF (F4 above 8F). The signed comparisons are right on continuation
    // bytes; any other byte there is already an error.
    __m128i low = _mm_and_si128(
        _mm_cmpeq_epi8(_mm_and_si128(prev1, bytes16(0xEF)), bytes16(0xE0)),
        _mm_cmplt_epi8(_mm_add_epi8(x, _mm_and_si128(prev1, bytes16(0x10))), bytes16(0xA0)));
    __m128i high = _mm_or_si128(
        _mm_and_si128(_mm_cmpeq_epi8(prev1, bytes16(0xED)), _mm_cmpgt_epi8(x, bytes16(0x9F))),
        _mm_and_si128(_mm_cmpeq_epi8(prev1, bytes16(0xF4)), _mm_cmpgt_epi8(x, bytes16(0x8F))));
    errors = _mm_or_si128(errors, _mm_or_si128(low, high));

    if (__builtin_expect(maybeNonCharacter(prev1, prev2), 0))
        errors = _mm_or_si128(errors, nonCharacterErrors(x, prev1, prev2));
    return errors;
}

inline __m128i blockErrors(__m128i x, __m128i prev1, __m128i prev2, __m128i prev3) {
    return hasHighBytes(_mm_max_epu8(x, prev3)) ? allErrors(x, prev1, prev2, prev3)
                                                : twoByteErrors(x, prev1);
}

// The errors of the 16 bytes at p, the 3 bytes before them giving the context.
inline __m128i errorsAt(const unsigned char* p, __m128i x) {
    return blockErrors(x, load16(p - 1), load16(p - 2), load16(p - 3));
}

// The errors of the first 16 bytes of a text, before which there is nothing.
inline __m128i errorsAtStart(__m128i x) {
    return blockErrors(x, _mm_slli_si128(x, 1), _mm_slli_si128(x, 2), _mm_slli_si128(x, 3));
}

// Whether a block has an error or a NUL.
inline bool stops(__m128i x, __m128i errors) {
    return _mm_movemask_epi8(_mm_or_si128(errors, _mm_cmpeq_epi8(x, _mm_setzero_si128()))) != 0;
}

// The verdict on a block that stops: a NUL ends the text, so errors after it do not count,
// and a sequence it cuts is an error at the NUL.
inline bool validUpToNul(__m128i x, __m128i errors) {
    unsigned errorBits = unsigned(_mm_movemask_epi8(errors));
    unsigned nulBits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(x, _mm_setzero_si128())));
    unsigned upToNul = ((nulBits & (0u - nulBits)) << 1) - 1;  // all bits when there is no NUL
    return nulBits != 0 && (errorBits & upToNul) == 0;
}

// Whether the bytes before p hold a lead whose sequence reaches p.
inline bool cutBefore(const unsigned char* p) {
    return p[-1] >= 0xC0 || p[-2] >= 0xE0 || p[-3] >= 0xF0;
}

bool validateBlocks(const unsigned char* s, const unsigned char* e) {
    if (e - s < 19) {
        // Too short for the blocks after the first to see their 3 bytes of context: the text
        // is checked in a copy, the NULs after it making a sequence cut by its end an error.
        alignas(16) unsigned char copy[32] = {};
        std::memcpy(copy, s, size_t(e - s));
        for (int at = 0; at < 32 && at <= e - s; at += 16) {
            __m128i x = load16(copy + at);
            __m128i errors = at == 0 ? errorsAtStart(x) : errorsAt(copy + at, x);
            if (stops(x, errors)) return validUpToNul(x, errors);
        }
        return true;
    }
    // Leading ASCII, all of most short texts, needs neither context nor rules.
    const unsigned char* start = s;
    while (e - s >= 64 && asciiBlock64(s))
        s += 64;
    while (e - s >= 16 && asciiBlock16(s))
        s += 16;
    __m128i x, errors;
    if (s == start) {
        x = load16(s);
        errors = errorsAtStart(x);
        if (stops(x, errors)) return validUpToNul(x, errors);
        s += 16;
    }
    while (e - s >= 64) {
        if (asciiBlock64(s)) {
            if (cutBefore(s)) return false;
            do
                s += 64;
            while (e - s >= 64 && asciiBlock64(s));
            continue;
        }
        // One choice of rules for 64 bytes: in mixed text a choice per block would often be
        // mispredicted.
        __m128i x0 = load16(s), x1 = load16(s + 16), x2 = load16(s + 32), x3 = load16(s + 48);
        __m128i most = _mm_max_epu8(_mm_max_epu8(x0, x1), _mm_max_epu8(x2, x3));
        if (hasHighBytes(_mm_max_epu8(most, load16(s - 3)))) {
            for (const unsigned char* block = s; block < s + 64; block += 16) {
                x = load16(block);
                errors = allErrors(x, load16(block - 1), load16(block - 2), load16(block - 3));
                if (stops(x, errors)) return validUpToNul(x, errors);
            }
        } else {
            for (const unsigned char* block = s; block < s + 64; block += 16) {
                x = load16(block);
                errors = twoByteErrors(x, load16(block - 1));
                if (stops(x, errors)) return validUpToNul(x, errors);
            }
        }
        s += 64;
    }
    // The rest in blocks, the last one overlapping the one before; bytes checked twice give
    // the same verdict, and a NUL among them would have ended the text already.
    while (s < e) {
        if (e - s < 16) s = e - 16;
        x = load16(s);
        errors = errorsAt(s, x);
        if (stops(x, errors)) return validUpToNul(x, errors);
        s += 16;
    }
    return !cutBefore(e);
}

#endif  // __SSE2__

}  // namespace

namespace utf8detail {

bool isValidPortable(const char* start, const char* end) {
    if (!start) return true;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(start);
    const unsigned char* e = reinterpret_cast<const unsigned char*>(endOf(start, end));
    while (s < e) {
        const unsigned char* blockEnd = e;
        if (e - s >= 16) {
            // ASCII without NUL, 16 bytes at a time.
            if (PortableByteBlock::load(s).asciiNotNul().all()) {
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

}  // namespace utf8detail

bool utf8IsValid(const char* start, const char* end) {
#ifdef __SSE2__
    if (!start) return true;
    return validateBlocks(reinterpret_cast<const unsigned char*>(start),
                          reinterpret_cast<const unsigned char*>(endOf(start, end)));
#else
    return utf8detail::isValidPortable(start, end);
#endif
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

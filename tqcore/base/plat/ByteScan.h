// plat::ByteWord, plat::ByteBlock: byte-class tests on several bytes at once, for the scanners that
// look for the end of a run (a quote, a control byte, a NUL, a byte outside ASCII) in text that is
// mostly plain. `ByteWord` tests 8 bytes in a 64-bit word with arithmetic that never carries from
// one byte into the next; `ByteBlock` tests 16, with SSE2 where the target has it and with two
// words elsewhere. Every test is exact for every byte, so the mask of matches and the first match
// are the same on both paths. Loads are unaligned and read exactly the bytes they name: the
// caller keeps them inside its buffer. All of it is inline, a few instructions a test.
#pragma once

#include <cstdint>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "ByteScan.h numbers the bytes of a word from its low end: little-endian targets only"
#endif

namespace plat {

// The byte `c` in every byte of a word.
constexpr uint64_t everyByte(unsigned char c) {
    return 0x0101010101010101u * c;
}

// Eight bytes in a word, the first in memory in its low byte. A test returns a word with the
// high bit of each byte that passes set, and no other bit.
struct ByteWord {
    static ByteWord load(const void* p) {
        ByteWord w;
        std::memcpy(&w.bits, p, sizeof w.bits);
        return w;
    }

    // The byte `c` in every place: a scan that tests against a byte it learns at run time
    // makes the block once, outside its loop.
    static ByteWord filled(unsigned char c) { return {everyByte(c)}; }

    uint64_t equal(ByteWord o) const { return ByteWord{bits ^ o.bits}.nul(); }
    uint64_t equal(unsigned char c) const { return equal(filled(c)); }
    // With the high bit of each byte set aside, adding to the low seven cannot carry out of
    // the byte: the high bit of the sum says whether they reached a bound.
    uint64_t atLeast(unsigned char n) const {
        if (n == 0) return kHigh;
        if (n <= 0x80) return (bits | (lowSeven() + everyByte(0x80 - n))) & kHigh;
        return bits & (lowSeven() + everyByte(static_cast<unsigned char>(0x100 - n))) & kHigh;
    }
    uint64_t below(unsigned char n) const { return atLeast(n) ^ kHigh; }
    uint64_t above(unsigned char n) const { return n == 0xFF ? 0 : atLeast(n + 1); }
    // 1 to 0x7F: ASCII that neither ends a C string nor belongs to a multi-byte character.
    uint64_t asciiNotNul() const { return (lowSeven() + ~kHigh) & ~bits & kHigh; }
    // The word with the bits of `c` set in every byte (0x20 folds ASCII letters to lower case).
    ByteWord withBits(ByteWord o) const { return {bits | o.bits}; }
    ByteWord withBits(unsigned char c) const { return withBits(filled(c)); }

    uint64_t bits;  // the bytes as loaded

private:
    static constexpr uint64_t kHigh = everyByte(0x80);
    uint64_t lowSeven() const { return bits & ~kHigh; }
    uint64_t nul() const { return ~(bits | (lowSeven() + ~kHigh)) & kHigh; }
};

// The index of the first byte that passed, given the non-zero result of a ByteWord test.
inline int firstMatch(uint64_t matches) {
    return __builtin_ctzll(matches) >> 3;
}

// The bytes of a 16-byte block that passed a test, as two ByteWord results.
struct PortableByteMatches {
    PortableByteMatches operator|(PortableByteMatches o) const {
        return {low | o.low, high | o.high};
    }
    PortableByteMatches operator&(PortableByteMatches o) const {
        return {low & o.low, high & o.high};
    }
    bool any() const { return (low | high) != 0; }
    bool all() const { return (low & high) == everyByte(0x80); }
    // Bit i for byte i.
    unsigned mask() const { return gather(low) | gather(high) << 8; }
    // The index of the first byte that passed; only when any() holds.
    int first() const { return low ? firstMatch(low) : 8 + firstMatch(high); }

    uint64_t low, high;  // bytes 0 to 7 and 8 to 15

private:
    // Byte i's bit lands on bit 56 + i of the product, and no two partial products overlap.
    static unsigned gather(uint64_t m) { return unsigned(((m >> 7) * 0x0102040810204080u) >> 56); }
};

struct PortableByteBlock {
    using Matches = PortableByteMatches;
    static PortableByteBlock load(const void* p) {
        return {ByteWord::load(p), ByteWord::load(static_cast<const char*>(p) + 8)};
    }
    static PortableByteBlock filled(unsigned char c) {
        return {ByteWord::filled(c), ByteWord::filled(c)};
    }

    Matches equal(PortableByteBlock o) const { return {low.equal(o.low), high.equal(o.high)}; }
    Matches equal(unsigned char c) const { return {low.equal(c), high.equal(c)}; }
    Matches atLeast(unsigned char n) const { return {low.atLeast(n), high.atLeast(n)}; }
    Matches below(unsigned char n) const { return {low.below(n), high.below(n)}; }
    Matches above(unsigned char n) const { return {low.above(n), high.above(n)}; }
    Matches asciiNotNul() const { return {low.asciiNotNul(), high.asciiNotNul()}; }
    PortableByteBlock withBits(PortableByteBlock o) const {
        return {low.withBits(o.low), high.withBits(o.high)};
    }
    PortableByteBlock withBits(unsigned char c) const {
        return {low.withBits(c), high.withBits(c)};
    }

    ByteWord low, high;
};

#ifdef __SSE2__

// A byte passes when the high bit of its lane is set, which is all that movemask reads: a
// test whose answer is already in the high bits costs nothing more.
struct Sse2ByteMatches {
    Sse2ByteMatches operator|(Sse2ByteMatches o) const { return {_mm_or_si128(lanes, o.lanes)}; }
    Sse2ByteMatches operator&(Sse2ByteMatches o) const { return {_mm_and_si128(lanes, o.lanes)}; }
    bool any() const { return mask() != 0; }
    bool all() const { return mask() == 0xFFFF; }
    unsigned mask() const { return unsigned(_mm_movemask_epi8(lanes)); }
    int first() const { return __builtin_ctz(mask()); }

    __m128i lanes;
};

struct Sse2ByteBlock {
    using Matches = Sse2ByteMatches;
    static Sse2ByteBlock load(const void* p) {
        return {_mm_loadu_si128(static_cast<const __m128i*>(p))};
    }
    static Sse2ByteBlock filled(unsigned char c) { return {splat(c)}; }

    Matches equal(Sse2ByteBlock o) const { return {_mm_cmpeq_epi8(bytes, o.bytes)}; }
    Matches equal(unsigned char c) const { return equal(filled(c)); }
    // SSE2 compares signed bytes only; unsigned bounds go through unsigned min and max.
    Matches atLeast(unsigned char n) const {
        if (n == 0) return {_mm_cmpeq_epi8(bytes, bytes)};
        if (n == 0x80) return {bytes};
        return {_mm_cmpeq_epi8(_mm_max_epu8(bytes, splat(n)), bytes)};
    }
    Matches below(unsigned char n) const {
        if (n == 0) return {_mm_setzero_si128()};
        return {
            _mm_cmpeq_epi8(_mm_min_epu8(bytes, splat(static_cast<unsigned char>(n - 1))), bytes)};
    }
    Matches above(unsigned char n) const {
        return n == 0xFF ? Matches{_mm_setzero_si128()} : atLeast(n + 1);
    }
    // As signed bytes, exactly these are above 0.
    Matches asciiNotNul() const { return {_mm_cmpgt_epi8(bytes, _mm_setzero_si128())}; }
    Sse2ByteBlock withBits(Sse2ByteBlock o) const { return {_mm_or_si128(bytes, o.bytes)}; }
    Sse2ByteBlock withBits(unsigned char c) const { return withBits(filled(c)); }

    __m128i bytes;

private:
    static __m128i splat(unsigned char c) { return _mm_set1_epi8(static_cast<char>(c)); }
};

using ByteBlock = Sse2ByteBlock;

#else

using ByteBlock = PortableByteBlock;

#endif

}  // namespace plat

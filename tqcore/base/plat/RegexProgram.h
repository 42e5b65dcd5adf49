// plat::RegexProgram: the compiled form of a plat::Regex, and the one statement of the rules
// that every engine running it follows: the instruction set and operand lengths, how a
// character is decoded, which characters an instruction consumes, when an assertion holds.
//
// The program is a list of 32-bit words; reaching its end is a match. It always begins with
// the search loop: pc 0 Any, pc 1 SplitLazy 0, pc 3 Save 0, pc 5 a jump to the pattern's code,
// which ends with Save 1. A search enters at pc 1, a whole-text match at the pattern's code.
// Compiling also works out where a match can begin (a literal prefix, the possible first
// bytes), so that engines skip text in which none can.
#pragma once

#include "plat/Regex.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace plat {

struct RegexProgram {
    // Instruction words. A word of 0 or below is a jump to pc = -word.
    enum Op : uint32_t {
        AnyButNewline = 1,    // consume a character other than LF, CR, U+2028, U+2029
        Any = 2,              // consume any character
        Char = 3,             // code point: consume it
        CharNoCase = 4,       // code point: consume it, ASCII letters in either case
        Class = 5,            // n, then n pairs lo, hi: consume a character inside a range
        NotClass = 6,         // n, then n pairs lo, hi: consume a character inside none
        LineStart = 11,       // "^"
        LineEnd = 12,         // "$"
        WordBoundary = 13,    // "\b"
        NotWordBoundary = 14, // "\B"
        Split = 21,           // x: try x first, then pc + 2
        SplitLazy = 22,       // x: try pc + 2 first, then x
        Save = 23,            // slot: record the position
        SaveAndClear = 24,    // slot, k: record the position, unset the k slots after it
        Clear = 25,           // slot, k: unset k slots from slot on
    };
    // The character of a byte sequence that is not valid UTF-8, and of the text's end.
    static constexpr int kNoChar = 0x7FFFFFFF;
    // The slot of a group that did not take part.
    static constexpr uint32_t kUnset = 0xFFFFFFFF;

    // What an assertion can tell apart about the characters on each side of a position.
    enum CharKind : uint8_t { kOtherChar, kWordChar, kLineBreak, kTextEdge };

    std::vector<uint32_t> words;
    uint32_t anchoredStart = 0;  // where the pattern's own code begins
    uint32_t searchStart = 1;    // entry of the search loop before the pattern
    int captureCount = 0;        // number of capturing groups
    uint32_t flags = 0;          // plat::Regex's flag bits
    bool hasAssertions = false;  // some instruction looks at the characters around a position
    // Where a match can begin; without a filter a match may begin with any byte or be empty.
    bool hasFilter = false;
    bool firstBytes[256] = {};   // bytes a match may begin with
    std::string prefix;          // bytes every match begins with; may be empty
    size_t rareIndex = 0;        // the prefix byte least common in text, searched for first
    bool literal = false;        // every match is the prefix itself, with no groups
    bool lineStartOnly = false;  // every match begins where "^" holds

    // Characters that every consuming instruction and every assertion treat alike share a
    // column, so that an automaton keeps one transition per column instead of per character.
    // Worked out once per program and shared by its automata.
    struct ByteMap {
        static constexpr uint8_t kDecode = 0xFF;  // byte column: a multibyte character begins
        uint8_t byteColumn[256];                  // per byte below 0x80; kDecode above
        std::vector<uint32_t> intervalStarts;     // non-ASCII code points where a column begins
        std::vector<uint8_t> intervalColumns;     // the column of each interval
        std::vector<int> representative;          // a character of each column
        std::vector<CharKind> kinds;              // its kind, as assertions see it
        int invalidColumn = 0;                    // bad UTF-8
        int endColumn = 0;                        // the text's end
        int columnCount = 0;                      // past kMaxColumns: too many to tell apart

        // The column of the character at `at` (before `end`) and its length in bytes.
        int columnAt(const char* at, const char* end, int& length) const;
    };
    static constexpr int kMaxColumns = 250;
    ByteMap byteMap;

    // Works out the filter, the prefix, the byte map and the rest above from the finished
    // program.
    void analyse();

    uint32_t length() const { return uint32_t(words.size()); }
    bool isJump(uint32_t pc) const { return int32_t(words[pc]) <= 0; }
    uint32_t jumpTarget(uint32_t pc) const { return 0u - words[pc]; }
    // Words of the instruction at `pc`, operands included.
    uint32_t instructionLength(uint32_t pc) const {
        switch (words[pc]) {
        case Char:
        case CharNoCase:
        case Split:
        case SplitLazy:
        case Save: return 2;
        case SaveAndClear:
        case Clear: return 3;
        case Class:
        case NotClass: return 2 + 2 * words[pc + 1];
        default: return 1;
        }
    }
    static bool isConsuming(uint32_t word) { return word >= AnyButNewline && word <= NotClass; }
    static bool isAssertion(uint32_t word) { return word >= LineStart && word <= NotWordBoundary; }

    // Whether the consuming instruction at `pc` takes character `c` under the flags. ASCII
    // letters only are folded under IgnoreCase.
    bool consumes(uint32_t pc, int c) const {
        const uint32_t* at = &words[pc];
        switch (at[0]) {
        case Any: return true;
        case AnyButNewline: return !isLineBreak(c);
        case Char: return at[1] == uint32_t(c);
        case CharNoCase: return uint32_t(asciiLower(int(at[1]))) == uint32_t(asciiLower(c));
        case Class: return inRanges(at + 2, at[1], c);
        default: return !inRanges(at + 2, at[1], c);
        }
    }
    // Whether the assertion `op` holds between characters of the two kinds (kTextEdge before
    // the text's start and after its end).
    bool assertionHolds(uint32_t op, CharKind before, CharKind after) const {
        switch (op) {
        case LineStart:
            return before == kTextEdge || ((flags & Regex::Multiline) && before == kLineBreak);
        case LineEnd: return after == kTextEdge || ((flags & Regex::Multiline) && after == kLineBreak);
        case WordBoundary: return (before == kWordChar) != (after == kWordChar);
        default: return (before == kWordChar) == (after == kWordChar);
        }
    }

    static bool isLineBreak(int c) { return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029; }
    static bool isWordChar(int c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
               c == '_';
    }
    static int asciiLower(int c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }
    // The kind of a decoded character; -1 (before the text) is the text's edge.
    static CharKind kindOf(int c) {
        return c < 0 ? kTextEdge : isWordChar(c) ? kWordChar : isLineBreak(c) ? kLineBreak : kOtherChar;
    }

    // The character at `at` (before `end`) and its length in bytes: kNoChar and 0 at the
    // end. A bad sequence is one kNoChar as long as what the strict decoder consumed, one byte
    // at least, so that every engine steps through a text at the same positions.
    static int decode(const char* at, const char* end, int& length) {
        if (at >= end) {
            length = 0;
            return kNoChar;
        }
        unsigned char lead = static_cast<unsigned char>(*at);
        if (lead < 0x80) {
            length = 1;
            return lead;
        }
        return decodeMultibyte(at, end, length);
    }
    // The character that ends exactly at `at`: -1 at the text start, kNoChar when `at` lies
    // inside a character.
    static int charEndingAt(const char* textStart, const char* at);

    // Whether a match may begin at `at` in [textStart, end), as far as the filter tells.
    bool mayStartAt(const char* textStart, const char* at, const char* end) const;
    // The first position at or after `at` where a match may begin, or `end`. A candidate is
    // never a continuation byte, so it is where a character-by-character walk would come.
    const char* nextCandidate(const char* textStart, const char* at, const char* end) const;
    // Whether the filter skips enough to be worth leaving the automaton for: a literal found
    // by memchr, or line starts.
    bool filterSkipsFar() const { return hasFilter && (!prefix.empty() || lineStartOnly); }

private:
    void computeByteMap();
    bool atLineStart(const char* textStart, const char* at) const;
    static int decodeMultibyte(const char* at, const char* end, int& length);
    bool inRanges(const uint32_t* ranges, uint32_t count, int c) const {
        uint32_t u = uint32_t(c);
        if (!(flags & Regex::IgnoreCase)) {
            for (uint32_t i = 0; i < count; ++i)
                if (ranges[2 * i] <= u && u <= ranges[2 * i + 1]) return true;
            return false;
        }
        // A letter also matches through its other case.
        u = uint32_t(asciiLower(c));
        uint32_t capital = u >= 'a' && u <= 'z' ? u - ('a' - 'A') : u;
        for (uint32_t i = 0; i < count; ++i) {
            uint32_t lo = ranges[2 * i], hi = ranges[2 * i + 1];
            if ((lo <= u && u <= hi) || (lo <= capital && capital <= hi)) return true;
        }
        return false;
    }
};

}  // namespace plat

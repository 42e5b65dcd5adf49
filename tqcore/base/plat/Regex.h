// plat::Regex: regular expressions over UTF-8 text, in a syntax modelled on ECMAScript's.
//
// A recursive-descent compiler turns the pattern into a small program of 32-bit words, which
// plat::RegexMatcher runs as a Pike machine: every thread of the program advances in lock
// step, one character at a time, in priority order. Matching therefore cannot take
// exponential time: it costs O(text length x program length x groups asked for), and the
// program grows linearly with the pattern. Everything that would break that bound is refused
// when compiling: back-references and counted quantifiers ("UNSAFE"), and lookahead. A
// search skips text in which no match can begin (a literal or first-byte filter), and over
// longer texts a lazily built automaton finds the match first, so that the Pike machine
// runs only where the match is (plat::RegexDfa, bounded memory, same linear bound).
//
// Matches are leftmost, with the priorities a backtracking matcher would give (earlier
// alternatives first, greedy quantifiers longest first, lazy ones shortest first). Case
// folding covers only ASCII letters; "\w", "\d" and "\b" are ASCII too. A compiled
// expression is never changed by matching, so one may be used by several threads at once.
#pragma once

#include "plat/DString.h"
#include "plat/StringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace plat {

class Regex {
public:
    // Flag bits.
    static constexpr uint32_t DotAll = 1, Multiline = 2, IgnoreCase = 4;

    // Instruction words. A word of 0 or below is a jump to pc = -word; reaching the end of
    // the program is a match.
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

    // Compiles a NUL-terminated UTF-8 pattern with the given flag bits. Throws
    // plat::Exception with the syntax error ("unexpected metacharacter '*'", "trailing
    // characters: \")\"", "unsupported UNSAFE backreference" ...), plat::BadUtf8 "Bad UTF-8
    // string" when the pattern is not valid UTF-8.
    static std::unique_ptr<Regex> create(const char* pattern, uint32_t flags = 0);
    // Compiles "/pattern/flags" at `*cursor` and leaves the cursor after the flags. The
    // pattern ends at the first "/" that is neither escaped nor inside a character class;
    // flags are "i" (IgnoreCase), "m" (Multiline) and "s" (DotAll), and a literal line break
    // in the pattern is refused. Throws plat::Exception "expected '/'-delimited regex" when
    // the text does not start with "/", "expected terminating '/'" when it does not end,
    // "unsupported flag 'g'" (or 'y'), "invalid flag '%c'" for any other or repeated flag,
    // and the errors of create(); the cursor is then left where it was.
    static std::unique_ptr<Regex> createFromLiteral(const char** cursor);
    // Compiles "s/pattern/replacement/flags" at `*cursor` like createFromLiteral and stores
    // the replacement, its escapes resolved, in `replacement` (only on success). The
    // replacement keeps its "$" references for replaceFirst and replaceAll. Throws
    // plat::Exception "expected 's/../../' substitution" when the text does not start with
    // "s/", and the errors of createFromLiteral.
    static std::unique_ptr<Regex> createSubstitution(const char** cursor, String& replacement);

    // A pattern that matches `text` literally: metacharacters escaped, a leading digit written
    // "\u003<digit>" so that the pattern can follow an escape safely, and each sequence that
    // is not valid UTF-8 as "[]", which matches nothing. With forLiteral the result can also sit
    // between "/" delimiters: "/" and line breaks are escaped too. A result beyond 2 GiB
    // throws rdr::OutStreamFull.
    static String quote(const char* text, bool forLiteral);

    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    int captureCount() const { return captureCount_; }
    uint32_t flags() const { return flags_; }

    // The matching operations take a NUL-terminated UTF-8 text, or the range [text, end)
    // when `end` is given; bytes that are not valid UTF-8 match only ".", "[^...]" and the
    // like. Texts of 4 GiB or more throw plat::AssertionFail.

    // Whether the whole text matches.
    bool matchesWhole(const char* text, const char* end = nullptr) const;
    // Whether some part of the text matches.
    bool test(const char* text, const char* end = nullptr) const;
    // The start of the leftmost match, or null. `*end` (when `end` is given) is the text's end
    // (null: up to the NUL) and receives the match end, or null without a match. `starts` and
    // `ends`, arrays of n pointers, receive groups 1..n (null for a group that did not take
    // part, and for numbers beyond captureCount()). Every output is zeroed first.
    const char* exec(const char* text, const char** end = nullptr, const char** starts = nullptr,
                     const char** ends = nullptr, int n = 0) const;
    // Group 1 of the leftmost match; null when nothing matches or group 1 did not take part.
    String match(const char* text) const;
    // Replace the first match, or every match, by the expanded template (see
    // RegexMatcher::expandReplacement), appending the whole result to `output` when `write`
    // is set. Return the number of replacements. After an empty match the search goes on one
    // character later.
    int replaceFirst(const char* text, const char* replacementTemplate, DString& output,
                     bool write = true) const {
        return replace(text, replacementTemplate, output, write, 1);
    }
    int replaceAll(const char* text, const char* replacementTemplate, DString& output,
                   bool write = true) const {
        return replace(text, replacementTemplate, output, write, 0x7fffffff);
    }
    int replace(const char* text, const char* replacementTemplate, DString& output, bool write,
                int maxCount) const;
    // Appends, for each match in turn, the whole match and then each group (a null string
    // for a group that did not take part): 1 + captureCount() strings a match.
    void matchAll(const char* text, StringList& output) const;

    // The program, for plat::RegexMatcher.
    const uint32_t* program() const { return program_.data(); }
    uint32_t programLength() const { return uint32_t(program_.size()); }
    uint32_t anchoredStart() const { return anchoredStart_; }
    uint32_t searchStart() const { return searchStart_; }

    // Where a match can begin, worked out when compiling, so that a search skips the text in
    // which no match can start instead of stepping through it.
    struct StartFilter {
        std::string prefix;      // bytes every match begins with; may be empty
        bool firstBytes[256];    // bytes a match may begin with
    };
    // Null when a match may begin with any byte or be empty.
    const StartFilter* startFilter() const { return hasFilter_ ? &filter_ : nullptr; }

private:
    class Compiler;
    Regex() = default;
    static std::unique_ptr<Regex> compile(const char* pattern, const char* end, uint32_t flags,
                                          bool delimited);
    void findStartFilter();

    std::vector<uint32_t> program_;  // instruction words
    uint32_t anchoredStart_ = 0;     // where the pattern's own code begins
    uint32_t searchStart_ = 0;       // entry of the search loop before the pattern
    int captureCount_ = 0;           // number of capturing groups
    uint32_t flags_ = 0;             // DotAll, Multiline, IgnoreCase
    int nestingDepth_ = 0;           // groups open while compiling
    bool delimited_ = false;         // compiling a "/"-delimited form: line breaks refused
    StartFilter filter_;
    bool hasFilter_ = false;         // filter_ holds
};

}  // namespace plat

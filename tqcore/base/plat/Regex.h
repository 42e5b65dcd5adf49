// plat::Regex: regular expressions over UTF-8 text, in a syntax modelled on ECMAScript's.
//
// A recursive-descent compiler turns the pattern into a small program (plat::RegexProgram),
// which plat::RegexMatcher runs as a Pike machine: every thread of the program advances in
// lock step, one character at a time, in priority order. Matching therefore cannot take
// exponential time: it costs O(text length x program length), and the program grows linearly
// with the pattern. Everything that would break that bound is refused when compiling:
// back-references and counted quantifiers ("UNSAFE"), and lookahead.
//
// Faster engines stand in where they give the same result: a whole-pattern literal is found
// with memchr and memcmp; otherwise a lazily built automaton (plat::RegexDfa) answers test()
// and matchesWhole() alone and finds where a search's match lies, and the groups are worked
// out over the match alone (plat::RegexBacktracker, or the Pike machine for long matches).
// The automata live in the expression, are shared by the threads that use it and hold at
// most about 1 MiB; once warm, matching allocates nothing (replacement output and returned
// strings aside). The engines' working storage is kept per thread, up to 64 KiB each beyond
// a run, and matching works at any time, from the destructors of statics and thread-locals
// too.
//
// Matches are leftmost, with the priorities a backtracking matcher would give (earlier
// alternatives first, greedy quantifiers longest first, lazy ones shortest first). Case
// folding covers only ASCII letters; "\w", "\d" and "\b" are ASCII too. Matching never
// changes a compiled expression's results or public state, so one may be used by several
// threads at once. An expression compiled before fork() also works in the child, whatever the
// parent's other threads were doing with it then, but without its automata: the child keeps
// their memory as it was and matches with the Pike machine, to the same results.
#pragma once

#include "plat/DString.h"
#include "plat/StringList.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace plat {

struct RegexProgram;
class RegexDfa;
class RegexMatcher;

class Regex {
public:
    // Flag bits.
    static constexpr uint32_t DotAll = 1, Multiline = 2, IgnoreCase = 4;

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

    ~Regex();
    Regex(const Regex&) = delete;
    Regex& operator=(const Regex&) = delete;

    int captureCount() const;
    uint32_t flags() const;

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
    // Replace the first match, or every match, by the expanded template, appending the whole
    // result to `output` when `write` is set. In the template "$$" is "$", "$&" the match,
    // "$`" the text before it, "$'" the text after it, "$n" (all the digits) group n when
    // 1 <= n <= captureCount(), empty when it did not take part; any other "$" is copied,
    // and so are the characters after it. Return the number of replacements. After an empty
    // match the search goes on one character later.
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

    // The engines that may stand in for the Pike machine, all on by default. Tests and the
    // fuzz target turn them off one at a time to hold each against it: results never depend
    // on them. `automatonBudget` (bytes per automaton, 0 for the default) lets a test make
    // the automata empty their caches early. Not safe while another thread uses the
    // expression. In a child of fork() the budget does not reach the automata of an
    // expression compiled before the fork, which the child never uses.
    enum Engine : uint32_t {
        Automaton = 1,      // the automata; without them the Pike machine runs every search
        LiteralSearch = 2,  // memchr and memcmp for a pattern that is one literal
        StartFilter = 4,    // skipping text where no match can begin
        Backtracker = 8,    // the groups of a match the automaton found, by backtracking
        AllEngines = 15
    };
    void setEnginesForTesting(uint32_t engines, size_t automatonBudget = 0);
    // The compiled program, for tests that look at what the compiler made.
    const RegexProgram& programForTesting() const;

private:
    class Compiler;
    Regex();
    static std::unique_ptr<Regex> compile(const char* pattern, const char* end, uint32_t flags,
                                          bool delimited);
    // What a matching operation asks of the engines.
    enum class Question { WholeText, AnyMatch, LeftmostMatch };
    // Answers `question` for [text, end), searching from `from`, by the fastest engine that
    // gives the Pike machine's answer. LeftmostMatch puts the match in the slots of `found`
    // (whose text this is); the other questions take no matcher.
    bool answer(Question question, const char* text, const char* from, const char* end,
                RegexMatcher* found) const;
    // The next match from `from`, into the matcher's slots; moves `from` past it (one
    // character past an empty match). Clears `more` without a match and after an empty match
    // at the text's end.
    bool findNext(RegexMatcher& matcher, const char*& from, bool& more) const;

    std::unique_ptr<RegexProgram> program_;
    std::unique_ptr<RegexDfa> searchAutomaton_;  // leftmost-first search from the entry
    std::unique_ptr<RegexDfa> wholeAutomaton_;   // whole-text matching
    uint32_t engines_ = AllEngines;              // which may stand in for the Pike machine
};

}  // namespace plat

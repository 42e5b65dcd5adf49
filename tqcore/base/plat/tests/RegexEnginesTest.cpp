// The engines that stand in for the Pike machine, each alone and all together, against the
// machine alone: every match with its groups, and the answers of test and matchesWhole, must
// be the same; so must they when an automaton has to empty its cache in the middle of a text.
// Also: warm expressions allocate nothing, and one expression serves several threads.
#include "plat/Regex.h"
#include "plat/RegexProgram.h"

#include "plat/tests/HeapInUse.h"

#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <thread>
#include <vector>

// Counts the allocations of the calling thread, for the test that warm matching allocates
// nothing. Forwarded to malloc and free, which the sanitizers watch; g++ takes the pairing of
// the replaced operators with free for a mismatch once it inlines them.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
namespace {
thread_local long allocationsOfThisThread = 0;
}  // namespace

void* operator new(size_t size) {
    ++allocationsOfThisThread;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    ++allocationsOfThisThread;
    return std::malloc(size ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

namespace {

using plat::Regex;

// Where each match lies, with its groups, and the answers of test and matchesWhole.
std::string matchesOf(const Regex& re, const std::string& text) {
    std::string out;
    const char* starts[4];
    const char* ends[4];
    const char* textEnd = text.data() + text.size();
    for (const char* p = text.data(); p <= textEnd;) {
        const char* end = textEnd;
        const char* start = re.exec(p, &end, starts, ends, 4);
        if (!start) break;
        out += "@" + std::to_string(start - text.data()) + "-" + std::to_string(end - text.data());
        for (int g = 0; g < 4 && g < re.captureCount(); ++g)
            out += starts[g] ? "," + std::to_string(starts[g] - text.data()) + "-" +
                                   std::to_string(ends[g] - text.data())
                             : ",-";
        p = end > start ? end : end + 1;
    }
    out += re.test(text.data(), textEnd) ? " test" : " -";
    out += re.matchesWhole(text.data(), textEnd) ? " whole" : " -";
    return out;
}

// Everything the public operations tell about the matches of `re` in `text`.
std::string runs(const Regex& re, const std::string& text) {
    std::string out = matchesOf(re, text);
    // The NUL-terminated operations see the text up to its first NUL.
    plat::DString replaced;
    re.replaceAll(text.c_str(), "<$1|$&>", replaced);
    out += " " + std::string(replaced.c_str());
    plat::StringList all;
    re.matchAll(text.c_str(), all);
    for (const auto& s : all)
        out += "|" + std::string(s.isNull() ? "<>" : s.get());
    return out;
}

// With `expected`, the machine's matches must be those too (matchesOf), so that every engine
// is held to them: a fault in what all engines share shows there.
void expectSameAsPike(Regex& re, const std::string& pattern, const std::string& text,
                      const char* expected = nullptr) {
    re.setEnginesForTesting(0);
    const std::string pike = runs(re, text);
    if (expected) {
        EXPECT_EQ(matchesOf(re, text), expected)
            << "/" << pattern << "/" << re.flags() << " on \"" << text << "\"";
    }
    // Each engine alone (the backtracker needs the automaton), all of them, all but each.
    const uint32_t engineSets[] = {Regex::Automaton,
                                   Regex::Automaton | Regex::Backtracker,
                                   Regex::LiteralSearch,
                                   Regex::StartFilter,
                                   Regex::AllEngines,
                                   Regex::AllEngines & ~Regex::Automaton,
                                   Regex::AllEngines & ~Regex::LiteralSearch,
                                   Regex::AllEngines & ~Regex::StartFilter,
                                   Regex::AllEngines & ~Regex::Backtracker};
    for (uint32_t engines : engineSets) {
        re.setEnginesForTesting(engines);
        EXPECT_EQ(runs(re, text), pike) << "/" << pattern << "/" << re.flags() << " engines "
                                        << engines << " on \"" << text << "\"";
    }
    // Room for a few states only: the automata empty their caches mid-text, and give up on
    // texts that would make them do it too often.
    for (size_t budget : {300, 800}) {
        re.setEnginesForTesting(Regex::AllEngines, budget);
        EXPECT_EQ(runs(re, text), pike) << "/" << pattern << "/" << re.flags() << " budget "
                                        << budget << " on \"" << text << "\"";
    }
}

// Each case names what a wrong engine would get wrong.
TEST(RegexEngines, MatchesAndGroupsAreThePikeMachines) {
    struct Case {
        const char* pattern;
        uint32_t flags;
        std::string text;
    };
    const std::string words =
        "the quick brown fox, jumps over\nthe lazy dog; someone@example.org. ";
    std::string longText;
    while (longText.size() < 600)
        longText += words;
    const Case cases[] = {
        {"a|ab", 0, "xxabab"},                            // earlier alternative first
        {"a*?", 0, "aaa"},                                // lazy: empty matches everywhere
        {"(a|ab)(c|bcd)(d*)", 0, "abcd abcd"},            // priorities decide the end
        {"(a*)*b", 0, std::string(300, 'a') + "b"},       // the start is far before the end
        {"(a|(b))+", 0, "abba ab"},                       // nested captures reset
        {"x*", 0, "ab\xC3\xA9" "c"},                      // empty matches step whole characters
        {"^the", Regex::Multiline, longText},             // line starts after a break only
        {"dog;$|\\.$", Regex::Multiline, longText},       // line ends before a break or the end
        {"\\bo\\w+|\\Bo", 0, longText},                   // word edges on both sides
        {"^|$", 0, longText},                             // assertions alone at both ends
        {"([a-z0-9._]+)@([a-z0-9]+)\\.([a-z][a-z]+)", 0, longText},
        {"(THE|fox)\\W+(\\w+)", Regex::IgnoreCase, longText},  // folding in the columns
        {"(?:over|lazy)(.)", Regex::DotAll, longText},    // "." takes the line break
        {"[^a-z ]+", 0, "ab\xC3\xA9\xFF\xE2\x80\xA8x\xF0\x9F\x98\x80" "cd"},  // bad and long bytes
        {"[\\s\\S]\\s", 0, "a\xE3\x80\x80" "b\xE2\x80\x8B" "c\xC2\xA0"},  // non-ASCII columns
        {".\\b.", 0, "\xE2\x80\xA8" "a\xFF" "b"},         // non-ASCII neighbours are not words
        {"needle", 0, longText + "needle"},               // the literal search
        {"n\xC3\xA9" "e", 0, "\xE2\x82n\xC3\xA9" "e n\xC3\xA9" "e"},  // a literal after bad bytes
        {"dog", 0, "dogdo"},                              // a literal cut by the text's end
        {"(a|a)*b", 0, std::string(400, 'a')},            // no match: the whole text read
        {"[a-z]+ing", 0, longText + " something singing"},
        // Line starts only: after LF, CR and U+2029, not after the euro sign's E2.
        {"^(\\w+) (\\w+)", Regex::Multiline,
         longText + "\r\nab cd\xE2\x82\xAC" "ij kl\rmn op\xE2\x80\xA9" "ef gh"},
        // A U+2028 just before a line feed: the line-by-line scan must see it there too.
        {"$(^\\n)", Regex::Multiline, "\xE2\x80\xA8\na1\xE2\x80\xA8\n"},
        {"^(\\w+)", 0, longText},                         // the text's start only
    };
    for (const Case& c : cases)
        expectSameAsPike(*Regex::create(c.pattern, c.flags), c.pattern, c.text);
}

// Both sides of each place where the code tells characters apart by their value: the byte
// map's ASCII bytes against those that begin (0xC2 and up) or continue (0x80 to 0xBF) a
// sequence, the lengths of UTF-8 (U+007F/U+0080, U+07FF/U+0800, U+FFFF/U+10000) in classes,
// literals and the start filter, and line breaks before "^" and after "$". Each case runs
// through every engine, which must give the matches written here.
TEST(RegexEngines, BothSidesOfEachBoundary) {
    struct Case {
        const char* pattern;
        uint32_t flags;
        std::string text;
        const char* matches;  // as matchesOf gives them
    };
    // A text breaks where a hex escape would swallow the letter after it.
    // clang-format off
    const Case cases[] = {
        // Stray continuation bytes and DEL are one character each; a whole sequence is one.
        {"a.b", 0, "a\x80" "b", "@0-3 test whole"},
        {"a.b", 0, "a\x7F" "b", "@0-3 test whole"},
        {"a.b", 0, "a\xBF" "b", "@0-3 test whole"},
        {"a.b", 0, "a\xC2\xBF" "b", "@0-4 test whole"},
        {"a..b", 0, "a\xC2\xC0" "b", "@0-4 test whole"},      // C0 ends C2, and is bad itself
        {"a[^\\u0080]b", 0, "a\x80" "b", "@0-3 test whole"},  // a stray 0x80 is no U+0080
        {"\\x7F|\\x80", 0, "\x80\x7F\xC2\x80", "@1-2@2-4 test -"},
        {"\\u0080", 0, "\x80\xC2\x80", "@1-3 test -"},
        {"[\\x00-\\x7F]+", 0, "ab\x7F\xC2\x80", "@0-3 test -"},
        // Classes that end or begin where a UTF-8 length does.
        {"[\\u0080]x", 0, "\xC2\x81x", " - -"},  // U+0081 must not share U+0080's column
        {"[\\u0080]x", 0, "\xC2\x80x", "@0-3 test whole"},
        {"[\\x7F-\\x80]+", 0, "~\x7F\xC2\x80\xC2\x81", "@1-4 test -"},
        {"[\\u0080-\\u07FF]+", 0, "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80", "@1-5 test -"},
        {"[^\\u0080-\\u07FF]", 0, "\xC2\x80\xDF\xBF\xE0\xA0\x80", "@4-7 test -"},
        {"[\\u0800-\\uFFFD]+", 0, "\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBD\xF0\x90\x80\x80",
         "@2-8 test -"},
        // U+FFFF is no character: its bytes are one bad sequence.
        {"[\\uFFFD-\\uFFFF]", 0, "\xEF\xBF\xBF\xEF\xBF\xBD", "@3-6 test -"},
        {"[\\uD800\\uDC00-\\uDBFF\\uDFFF]+", 0, "\xEF\xBF\xBD\xF0\x90\x80\x80\xF4\x8F\xBF\xBD",
         "@3-11 test -"},
        {"(\\u07FF)|\\u0800", 0, "\xE0\xA0\x80\xDF\xBF", "@0-3,-@3-5,3-5 test -"},
        {"\\u0800", 0, "\xDF\xBF\xE0\xA0\x80", "@2-5 test -"},
        {"\\uFFFD", 0, "\xF0\x90\x80\x80\xEF\xBF\xBD", "@4-7 test -"},
        {"\\uD800\\uDC00", 0, "\xEF\xBF\xBD\xF0\x90\x80\x80", "@3-7 test -"},
        // Line breaks: LF, CR, U+2028 and U+2029, not their neighbours U+2027 and U+202A, nor
        // a stray last byte of one or a cut one.
        {"$\\n", Regex::Multiline, "ab\ncd", "@2-3 test -"},  // no line start needed
        {"$\\n", 0, "ab\ncd", " - -"},
        {"b$|^c", 0, "b\nc", " - -"},
        {"^b", Regex::Multiline,
         "b a\nb a\rb a\xE2\x80\xA8" "b a\xE2\x80\xA9" "b a\xE2\x80\xA7" "b a\xE2\x80\xAA"
         "b a\xA9" "b",
         "@0-1@4-5@8-9@14-15@20-21 test -"},
        {"b$", Regex::Multiline,
         "b\n b\r b\xE2\x80\xA8 b\xE2\x80\xA9 b\xE2\x80\xA7 b\xE2\x80\xAA b\xE2\x80 b",
         "@0-1@3-4@6-7@11-12@30-31 test -"},
        {"^x", Regex::Multiline, "\xE2\x80\xA8x", "@3-4 test -"},
    };
    // clang-format on
    for (const Case& c : cases)
        expectSameAsPike(*Regex::create(c.pattern, c.flags), c.pattern, c.text, c.matches);
}

// The automata's columns: two characters share one exactly when every consuming instruction
// takes both or neither (and, with assertions, they are of one kind). Programs written out by
// hand, so that each kind of instruction and range is there.
TEST(RegexEngines, ByteMapColumnsAreWhatTheInstructionsTellApart) {
    using Prog = plat::RegexProgram;
    struct Case {
        uint32_t flags;
        std::vector<uint32_t> code;  // the pattern's instructions
    };
    const Case cases[] = {
        // Folded ranges, non-ASCII ranges and a negated class over spaces.
        {Regex::IgnoreCase,
         {Prog::Class, 3, 'a', 'f', 0xE9, 0xE9, 0x3000, 0x3000, Prog::NotClass, 2, ' ', ' ',
          0x2000, 0x200A}},
        // Single characters, either case, everything but line breaks, word edges.
        {0,
         {Prog::CharNoCase, 'k', Prog::Char, 0xE9, Prog::WordBoundary, Prog::AnyButNewline,
          Prog::Char, 'K', Prog::CharNoCase, '['}},
        // An empty range, all of non-ASCII, and digits folded (a no-op) beside a letter range.
        {Regex::IgnoreCase | Regex::Multiline,
         {Prog::Class, 2, 'z', 'a', 0x80, 0x10FFFF, Prog::LineStart, Prog::Class, 2, '0', '9',
          'X', 'Z', Prog::Any}},
    };
    std::vector<std::string> samples;
    for (int c = 0; c < 0x80; ++c)
        samples.emplace_back(1, char(c));
    for (uint32_t c : {0x80u, 0xA0u, 0xE8u, 0xE9u, 0xEAu, 0x1FFFu, 0x2000u, 0x2005u, 0x200Au,
                       0x200Bu, 0x2028u, 0x2029u, 0x202Au, 0x2FFFu, 0x3000u, 0x3001u, 0xFFFFu,
                       0x10000u, 0x10FFFFu}) {
        std::string encoded;
        if (c < 0x800)
            encoded = {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
        else if (c < 0x10000)
            encoded = {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        else
            encoded = {char(0xF0 | (c >> 18)), char(0x80 | ((c >> 12) & 0x3F)),
                       char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
        samples.push_back(encoded);
    }
    // Bad UTF-8: stray continuation bytes at both ends of their range, a byte that is never
    // UTF-8.
    for (const char* bad : {"\x80", "\xBF", "\xFF"})
        samples.push_back(bad);
    for (const Case& c : cases) {
        Prog program;
        program.flags = c.flags;
        // The search loop, a jump to the pattern at pc 6, the pattern, the final save.
        program.words = {Prog::Any, Prog::SplitLazy, 0, Prog::Save, 0, 0u - 6u};
        program.words.insert(program.words.end(), c.code.begin(), c.code.end());
        program.words.insert(program.words.end(), {Prog::Save, 1});
        program.anchoredStart = 6;
        program.analyse();
        const Prog::ByteMap& map = program.byteMap;
        ASSERT_LE(map.columnCount, Prog::kMaxColumns);
        // What the instructions and assertions see of a character.
        auto signature = [&](int ch) {
            std::string out(1, program.hasAssertions ? char(Prog::kindOf(ch)) : '-');
            for (uint32_t pc = 0; pc < program.length();
                 pc += program.isJump(pc) ? 1 : program.instructionLength(pc))
                if (!program.isJump(pc) && Prog::isConsuming(program.words[pc]))
                    out += program.consumes(pc, ch) ? '1' : '0';
            return out;
        };
        std::vector<int> columns;
        std::vector<std::string> signatures;
        for (const std::string& sample : samples) {
            int length;
            const char* end = sample.data() + sample.size();
            columns.push_back(map.columnAt(sample.data(), end, length));
            // A character's column, not the end's nor past the rows.
            ASSERT_LT(columns.back(), map.endColumn) << "sample " << columns.size() - 1;
            EXPECT_EQ(size_t(length), sample.size());
            signatures.push_back(signature(Prog::decode(sample.data(), end, length)));
            EXPECT_EQ(signature(map.representative[size_t(columns.back())]), signatures.back())
                << "column of a sample " << columns.back();
        }
        for (size_t i = 0; i < samples.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                EXPECT_EQ(columns[i] == columns[j], signatures[i] == signatures[j])
                    << "flags " << c.flags << ": samples " << i << " and " << j;
        EXPECT_EQ(map.kinds[size_t(map.endColumn)], Prog::kTextEdge);
        // The automata's loops read the table alone: a byte at or above 0x80 must send them to
        // columnAt, whatever the pattern.
        for (int byte = 0x80; byte < 0x100; ++byte)
            EXPECT_EQ(map.byteColumn[byte], Prog::ByteMap::kDecode)
                << "flags " << c.flags << " byte " << byte;
    }
}

// Random patterns over a small alphabet, with every assertion and quantifier, on random texts
// that hold line breaks, non-ASCII and bad UTF-8.
TEST(RegexEngines, RandomPatternsMatchAsThePikeMachine) {
    static const char* const atoms[] = {"a", "b", "ab", ".", "[a-c]", "[^b]", "\\w", "\\W", "\\s",
                                        "^", "$", "\\b", "\\B", "(", ")", "(?:", "|", "\xC3\xA9"};
    static const char* const quantifiers[] = {"", "", "", "*", "+", "?", "*?", "+?", "??"};
    static const char* const letters[] = {"a", "b", "c", " ", "\n", "\xC3\xA9", "\xFF", "_"};
    std::mt19937 random(14);
    int compiled = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string pattern;
        for (int n = 1 + int(random() % 7); n > 0; --n) {
            pattern += atoms[random() % (sizeof atoms / sizeof *atoms)];
            pattern += quantifiers[random() % (sizeof quantifiers / sizeof *quantifiers)];
        }
        std::unique_ptr<Regex> re;
        try {
            re = Regex::create(pattern.c_str(), uint32_t(random() % 8));
        } catch (const plat::Exception&) {
            continue;
        }
        ++compiled;
        std::string text;
        for (int n = int(random() % 40); n > 0; --n)
            text += letters[random() % (sizeof letters / sizeof *letters)];
        expectSameAsPike(*re, pattern, text);
    }
    EXPECT_GT(compiled, 450);
}

// Once an expression has seen a few texts, its ordinary calls take nothing from the heap: the
// automata are kept in the expression, the machine's lists in the thread.
TEST(RegexEngines, WarmCallsAllocateNothing) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "2024-03-05 10:00:0" + std::to_string(i % 10) + " web01 job " + std::to_string(i) +
                " done for bob@example.org after 12 ms\n";
    const char* end = text.data() + text.size();
    const std::string line = text.substr(0, text.find('\n'));
    const char* const patterns[] = {"([a-z]+)@([a-z]+)\\.(org|com)", "after \\d+ ms$", "done",
                                    "(?:job|task) (\\d+)", "^\\d+-\\d+-\\d+ [\\d:]+ \\w+ .*"};
    for (const char* pattern : patterns) {
        auto re = Regex::create(pattern, Regex::Multiline);
        const char* starts[3];
        const char* ends[3];
        plat::DString out;
        long before = 0;
        for (int round = 0; round < 3; ++round) {
            before = allocationsOfThisThread;
            for (const char* p = text.data(); p < end;) {
                const char* matchEnd = end;
                if (!re->exec(p, &matchEnd, starts, ends, 3)) break;
                p = matchEnd + 1;
            }
            re->test(text.data(), end);
            re->test(line.data(), line.data() + line.size());
            re->matchesWhole(line.data(), line.data() + line.size());
            re->replaceAll(line.c_str(), "x", out, false);
        }
        EXPECT_EQ(allocationsOfThisThread - before, 0) << pattern;
    }
}

// One expression used by several threads at once, with a cache small enough that the threads
// empty it under each other: every thread sees the matches of the Pike machine.
TEST(RegexEngines, ThreadsShareOneExpression) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "user" + std::to_string(i * 7919 % 1000) + "@host" + std::to_string(i % 13) +
                ".example.org said: w" + std::to_string(i) + "x\n";
    auto re = Regex::create("(\\w+)@(\\w+)\\.example\\.(org|net)|w(\\d+)x$", Regex::Multiline);
    re->setEnginesForTesting(0);
    const std::string expected = runs(*re, text);
    for (size_t budget : {size_t(0), size_t(800)}) {
        re->setEnginesForTesting(Regex::AllEngines, budget);
        std::atomic<int> wrong{0};
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&] {
                for (int round = 0; round < 5; ++round)
                    if (runs(*re, text) != expected) ++wrong;
            });
        for (auto& thread : threads)
            thread.join();
        EXPECT_EQ(wrong.load(), 0) << "budget " << budget;
    }
}

// Calls `visit` with the offsets of each match and of its 4 groups (-1: did not take part).
// Nothing here allocates: a thread's calls after its first allocate nothing.
template <class Visit>
void forEachMatch(const Regex& re, const std::string& text, Visit&& visit) {
    const char* starts[4];
    const char* ends[4];
    const char* textEnd = text.data() + text.size();
    for (const char* p = text.data(); p < textEnd;) {
        const char* end = textEnd;
        const char* start = re.exec(p, &end, starts, ends, 4);
        if (!start) break;
        ptrdiff_t offsets[10] = {start - text.data(), end - text.data()};
        for (int g = 0; g < 4; ++g) {
            offsets[2 + 2 * g] = starts[g] ? starts[g] - text.data() : -1;
            offsets[3 + 2 * g] = starts[g] ? ends[g] - text.data() : -1;
        }
        visit(offsets);
        p = end > start ? end : end + 1;
    }
}

// Whether the matches of `re` in `text` are `expected`, as forEachMatch gives them, and how
// the whole text matches: without allocating.
bool matchesAre(const Regex& re, const std::string& text, const std::vector<ptrdiff_t>& expected,
                bool anyMatch, bool wholeMatch) {
    size_t next = 0;
    bool same = true;
    forEachMatch(re, text, [&](const ptrdiff_t* offsets) {
        for (int i = 0; i < 10; ++i)
            same = same && next < expected.size() && expected[next++] == offsets[i];
    });
    return same && next == expected.size() && re.test(text.c_str()) == anyMatch &&
           re.matchesWhole(text.c_str()) == wholeMatch;
}

// fork() lands while other threads match with one expression whose cache, kept small, they
// empty under each other, so that one of them often holds its locks: those threads and their
// locks are gone in the child, which must still match with that expression. The child only
// does what is safe there: it allocates nothing (the sanitizers' allocators may be locked
// too), matching from the storage its thread warmed before, and tells its result through its
// exit status. A child that does not end in time has hung, and is killed.
TEST(RegexEngines, ForkedChildMatchesWhileThreadsHoldTheAutomaton) {
    std::string text;
    for (int i = 0; i < 200; ++i)
        text += "user" + std::to_string(i * 7919 % 1000) + "@host" + std::to_string(i % 13) +
                ".example.org said: w" + std::to_string(i) + "x\n";
    std::string line = text.substr(0, text.find('\n'));
    auto re = Regex::create("(\\w+)@(\\w+)\\.example\\.(org|net)|w(\\d+)x$", Regex::Multiline);
    // The Pike machine alone, on this thread: the child's engine, warmed for the child.
    re->setEnginesForTesting(0);
    auto offsetsIn = [&](const std::string& in) {
        std::vector<ptrdiff_t> all;
        forEachMatch(*re, in, [&](const ptrdiff_t* at) { all.insert(all.end(), at, at + 10); });
        return all;
    };
    const std::vector<ptrdiff_t> expected = offsetsIn(text), expectedInLine = offsetsIn(line);
    ASSERT_EQ(expected.size(), 400 * 10u);
    ASSERT_TRUE(matchesAre(*re, text, expected, true, false));
    re->setEnginesForTesting(Regex::AllEngines, 2048);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t)
        threads.emplace_back([&] {
            while (!stop.load(std::memory_order_relaxed))
                if (!matchesAre(*re, text, expected, true, false)) ++wrong;
        });
    // What became of one child: "ended 0" when it matched as expected.
    auto forkOnce = [&]() -> std::string {
        int done[2];
        if (pipe(done) != 0) return "no pipe";
        pid_t child = fork();
        if (child == 0) {
            close(done[0]);
            int status = 0;
            long allocations = allocationsOfThisThread;
            if (!matchesAre(*re, text, expected, true, false)) status |= 1;
            if (!matchesAre(*re, line, expectedInLine, true, false)) status |= 2;
            if (allocationsOfThisThread != allocations) status |= 4;
            _exit(status);
        }
        close(done[1]);
        if (child < 0) return close(done[0]), "no child";
        // The pipe's other end closes when the child ends, however it ends.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        bool ended = false;
        for (auto now = std::chrono::steady_clock::now(); !ended && now < deadline;
             now = std::chrono::steady_clock::now()) {
            pollfd end{done[0], POLLIN, 0};
            char byte;
            auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
            if (poll(&end, 1, int(left.count())) > 0) ended = read(done[0], &byte, 1) == 0;
        }
        close(done[0]);
        if (!ended) kill(child, SIGKILL);
        int status = -1;
        if (waitpid(child, &status, 0) != child) return "lost";
        if (!ended) return "hung";
        return WIFEXITED(status) ? "ended " + std::to_string(WEXITSTATUS(status))
                                 : "status " + std::to_string(status);
    };
    std::string outcome = "ended 0";
    int round = 0;
    for (; round < 40 && outcome == "ended 0"; ++round)
        outcome = forkOnce();
    stop = true;
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(outcome, "ended 0") << "child of round " << round;
    EXPECT_EQ(wrong.load(), 0);
    // A child that frees the expression and exits: the automata it must not free stay
    // reachable, or a leak checker at its exit would fail it.
    std::fflush(nullptr);
    pid_t child = fork();
    if (child == 0) {
        re.reset();
        std::exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

// The span of the leftmost match of "(a)" repeated `groups` times in "x" and 300 a's, and where
// its last group starts (the Pike machine finds them, with 2 + 2 x groups slots a thread), then
// the groups of a short match (the backtracker finds those).
std::string manyGroupsReport(int groups) {
    std::string pattern;
    for (int i = 0; i < groups; ++i)
        pattern += "(a)";
    const std::string text = "x" + std::string(300, 'a') + " mail bob@example now";
    std::vector<const char*> starts(size_t(groups) + 1), ends(size_t(groups) + 1);
    const char* end = nullptr;
    const char* start = Regex::create(pattern.c_str())
                            ->exec(text.c_str(), &end, starts.data(), ends.data(), groups);
    std::string out = start ? std::to_string(start - text.data()) + "-" +
                                  std::to_string(end - text.data()) + " " +
                                  std::to_string(starts[size_t(groups) - 1] - text.data())
                            : "no match";
    end = nullptr;
    const char* mail =
        Regex::create("(\\w+)@(\\w+)")->exec(text.c_str(), &end, starts.data(), ends.data(), 2);
    out += mail ? " " + std::string(starts[0], ends[0]) + " " + std::string(starts[1], ends[1])
                : " no mail";
    return out;
}

// Matching works whenever it is called: from the destructor of a static, which runs after
// exit() has ended the main thread's thread-locals, and from the destructor of a thread-local
// made before the thread's first match, which runs after the matchers' storage has ended. Both
// come after a run with 300 groups, whose storage lies on the heap. Each case runs in a child,
// so that a sanitizer's report fails it.
TEST(RegexEngines, MatchingWorksDuringTeardown) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    struct Reporter {
        ~Reporter() { std::fprintf(stderr, "teardown: %s.\n", manyGroupsReport(300).c_str()); }
    };
    const std::string expected = "teardown: 1-301 300 bob example\\.";
    ASSERT_EQ("teardown: " + manyGroupsReport(300) + "\\.", expected);
    EXPECT_EXIT(
        {
            static Reporter reporter;
            manyGroupsReport(300);
            std::exit(0);
        },
        testing::ExitedWithCode(0), expected);
    EXPECT_EXIT(
        {
            std::thread([] {
                thread_local Reporter reporter;
                (void)reporter;
                manyGroupsReport(300);
            }).join();
            std::exit(0);
        },
        testing::ExitedWithCode(0), expected);
}

// A thread keeps the storage of its ordinary runs, but gives back what a run with many groups
// grew (about 2.7 MiB here), once that run is over.
TEST(RegexEngines, LargeRunsGiveTheirStorageBack) {
    std::thread([] {
        manyGroupsReport(2);  // the thread's storage is made and warm
        const size_t before = heapInUse();
        EXPECT_EQ(manyGroupsReport(300), "1-301 300 bob example");
        const size_t after = heapInUse();
        EXPECT_LT(after, before + (96u << 10)) << "kept " << after - before;
    }).join();
}

}  // namespace

// The dump names every instruction with its operands at its pc, so a compiler change that
// reorders or mismeasures instructions shows up as a different text.
TEST(RegexEngines, ProgramDumpListsEachInstruction) {
    const struct {
        const char* pattern;
        uint32_t flags;
        const char* dump;
    } cases[] = {
        // The search loop, a group repeated lazily over an alternation, assertions.
        {"^(a|[b-d\xC3\xA9])+?\\B\xC3\xA9.", 0,
         "0 any\n1 split-lazy 0\n3 save 0\n5 jump 6\n"
         "6 line-start\n7 jump 8\n8 save-and-clear 2 1\n11 jump 15\n12 char 'a'\n14 jump 24\n"
         "15 split 12\n17 jump 18\n18 class 'b'-'d' U+00E9-U+00E9\n24 save 3\n26 split-lazy 8\n"
         "28 jump 29\n29 not-word-boundary\n30 jump 31\n31 char U+00E9\n33 jump 34\n"
         "34 any-but-newline\n35 save 1\n"},
        {"x[^ ]", Regex::IgnoreCase,
         "0 any\n1 split-lazy 0\n3 save 0\n5 jump 6\n"
         "6 char-no-case 'x'\n8 jump 9\n9 not-class U+0020-U+0020\n13 save 1\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Regex::create(c.pattern, c.flags)->programForTesting().dump(), c.dump) << c.pattern;
}

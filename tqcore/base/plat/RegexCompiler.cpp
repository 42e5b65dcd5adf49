// The compiler of plat::Regex: a recursive-descent parser that writes a plat::RegexProgram
// straight from the pattern, and the making of an expression around it. Matching is in
// RegexRun.cpp.
#include "plat/Regex.h"

#include "plat/RegexDfa.h"
#include "plat/RegexProgram.h"

#include "plat/Utf8.h"
#include "rdr/MemOutStream.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace plat {

namespace {

constexpr int kMaxNesting = 16;
// Each of an expression's two automata; together they stay within about 1 MiB.
constexpr size_t kAutomatonBudget = size_t(512) << 10;

struct Range {
    uint32_t lo, hi;
};

// The ranges of the class escapes. The complements are spelled out rather than computed, so
// that a class and its negation can sit together in one "[...]".
constexpr Range kDigit[] = {{'0', '9'}};
constexpr Range kWord[] = {{'0', '9'}, {'a', 'z'}, {'A', 'Z'}, {'_', '_'}};
constexpr Range kSpace[] = {{0x09, 0x0D},     {0x20, 0x20},     {0xA0, 0xA0},
                            {0x1680, 0x1680}, {0x180E, 0x180E}, {0x2000, 0x200A},
                            {0x2028, 0x2029}, {0x202F, 0x202F}, {0x205F, 0x205F},
                            {0x3000, 0x3000}, {0xFEFF, 0xFEFF}};
constexpr Range kNotDigit[] = {{0, 0x2F}, {0x3A, 0x10FFFF}};
constexpr Range kNotWord[] = {
    {0, 0x2F}, {0x3A, 0x40}, {0x5B, 0x5E}, {0x60, 0x60}, {0x7B, 0x10FFFF}};
constexpr Range kNotSpace[] = {{0, 0x08},          {0x0E, 0x1F},     {0x21, 0x9F},
                               {0xA1, 0x167F},     {0x1681, 0x180D}, {0x180F, 0x1FFF},
                               {0x200B, 0x2027},   {0x202A, 0x202E}, {0x2030, 0x205E},
                               {0x2060, 0x2FFF},   {0x3001, 0xFEFE}, {0xFF00, 0x10FFFF}};

struct RangeSet {
    const Range* ranges;
    size_t count;
};

template <size_t N>
constexpr RangeSet rangeSet(const Range (&ranges)[N]) {
    return {ranges, N};
}

// The set of a class escape letter, or none.
bool classEscape(int letter, bool inClass, RangeSet& set) {
    switch (letter) {
    case 'd': set = rangeSet(kDigit); return true;
    case 's': set = rangeSet(kSpace); return true;
    case 'w': set = rangeSet(kWord); return true;
    // Outside a class the complements compile to NotClass over the plain ranges.
    case 'D': set = inClass ? rangeSet(kNotDigit) : rangeSet(kDigit); return true;
    case 'S': set = inClass ? rangeSet(kNotSpace) : rangeSet(kSpace); return true;
    case 'W': set = inClass ? rangeSet(kNotWord) : rangeSet(kWord); return true;
    default: return false;
    }
}

bool isAsciiLetter(int c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiDigit(int c) {
    return c >= '0' && c <= '9';
}
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Reads `digits` hexadecimal digits at `p` (before `end`); -1 when they are not there.
int readHex(const char*& p, const char* end, int digits) {
    if (end - p < digits) return -1;
    int value = 0;
    for (int i = 0; i < digits; ++i) {
        int digit = hexValue(p[i]);
        if (digit < 0) return -1;
        value = value * 16 + digit;
    }
    p += digits;
    return value;
}

// "\u" escapes name UTF-16 units: a high surrogate must pair with a following "\u" low one.
int unicodeEscape(const char*& p, const char* end) {
    int unit = readHex(p, end, 4);
    if (unit < 0) throw Exception("expected Unicode escape after '\\u'");
    if (unit >= 0xDC00 && unit <= 0xDFFF) throw Exception("unexpected low surrogate");
    if (unit < 0xD800 || unit > 0xDBFF) return unit;
    const char* q = p;
    int low = end - q >= 2 && q[0] == '\\' && q[1] == 'u' ? (q += 2, readHex(q, end, 4)) : -1;
    if (low < 0xDC00 || low > 0xDFFF) throw Exception("expected low surrogate after high surrogate");
    p = q;
    return ((unit * 1024) & 0xFFC00) + (low & 0x3FF) + 0x10000;
}

// The escapes of single characters that patterns, classes and replacements share; `p` is
// after the letter `c`. False when `c` is not one of them.
bool characterEscape(int c, const char*& p, const char* end, int& codePoint) {
    switch (c) {
    case 'f': codePoint = 12; return true;
    case 'n': codePoint = 10; return true;
    case 'r': codePoint = 13; return true;
    case 't': codePoint = 9; return true;
    case 'v': codePoint = 11; return true;
    case 'c':
        if (p == end || !isAsciiLetter(*p)) throw Exception("expected control letter after '\\c'");
        codePoint = *p++ % 32;
        return true;
    case 'x':
        codePoint = readHex(p, end, 2);
        if (codePoint < 0) throw Exception("expected hex escape after '\\x'");
        return true;
    case 'u': codePoint = unicodeEscape(p, end); return true;
    default: return false;
    }
}

// Decodes the (already validated) character at `p` and moves past it.
int nextChar(const char*& p, const char* end) {
    unsigned char lead = static_cast<unsigned char>(*p++);
    if (lead < 0x80) return lead;
    return utf8DecodeTail(lead, &p, int(std::min<ptrdiff_t>(end - p + 1, 4)));
}

void appendUtf8(std::string& out, int codePoint) {
    char encoded[4];
    char* end = encoded;
    if (codePoint < 0x80)
        *end++ = char(codePoint);
    else
        utf8Encode(codePoint, &end);
    out.append(encoded, size_t(end - encoded));
}

String ownedCopy(const std::string& text) {
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return String::adopt(copy);
}

// Moves past one character of a NUL-terminated text, at least one byte, never past the NUL:
// the scans of delimited forms run before validation.
const char* skipChar(const char* p) {
    const char* q = p;
    utf8Decode(&q, nullptr);
    return q > p ? q : p + 1;
}

// The closing "/" of a delimited pattern starting at `p`: escaped characters and whole
// classes are skipped, so "[/]" does not end it.
const char* findClosingSlash(const char* p) {
    for (;;) {
        if (!*p) throw Exception("expected terminating '/'");
        if (*p == '/') return p;
        if (*p == '\\') {
            ++p;
            if (!*p) throw Exception("expected terminating '/'");
            p = skipChar(p);
        } else if (*p == '[') {
            ++p;
            while (*p != ']') {
                if (!*p) throw Exception("expected terminating ']'");
                if (*p == '\\' && p[1]) ++p;
                p = skipChar(p);
            }
            ++p;
        } else {
            p = skipChar(p);
        }
    }
}

uint32_t parseFlags(const char*& p) {
    uint32_t flags = 0;
    for (char c; c = *p, isAsciiLetter(c) || isAsciiDigit(c) || c == '_'; ++p) {
        if (c == 'g' || c == 'y') throw ExceptionFmt("unsupported flag '%c'", c);
        uint32_t bit = c == 'i' ? Regex::IgnoreCase
                       : c == 'm' ? Regex::Multiline
                       : c == 's' ? Regex::DotAll
                                  : 0;
        if (!bit || (flags & bit)) throw ExceptionFmt("invalid flag '%c'", c);
        flags |= bit;
    }
    return flags;
}

using Prog = RegexProgram;

}  // namespace

// Recursive descent over the pattern; each construct appends its code and returns the pc at
// which it starts. Only groups recurse, and they nest at most 16 deep.
class Regex::Compiler {
public:
    Compiler(RegexProgram& program, const char* pattern, const char* end, bool delimited)
        : program_(program), code_(program.words), p_(pattern), end_(end), delimited_(delimited) {}

    uint32_t parseAlternation() {
        uint32_t start = parseSequence();
        std::vector<uint32_t> exits;  // jumps from each finished alternative to the end
        while (p_ != end_ && *p_ == '|') {
            ++p_;
            exits.push_back(emit(0));
            uint32_t split = emit(Prog::Split, start);
            uint32_t toNext = emit(0);
            patchJump(toNext, parseSequence());
            start = split;
        }
        for (uint32_t at : exits)
            patchJump(at, here());
        return start;
    }

    const char* position() const { return p_; }
    uint32_t here() const { return uint32_t(code_.size()); }
    uint32_t emit(uint32_t word) {
        code_.push_back(word);
        return here() - 1;
    }
    uint32_t emit(uint32_t word, uint32_t operand) {
        uint32_t at = emit(word);
        code_.push_back(operand);
        return at;
    }
    void patchJump(uint32_t at, uint32_t target) { code_[at] = 0u - target; }

private:
    bool atSequenceEnd() const { return p_ == end_ || *p_ == '|' || *p_ == ')'; }

    uint32_t parseSequence() {
        uint32_t start = here();
        for (bool first = true; !atSequenceEnd(); first = false) {
            uint32_t link = first ? 0 : emit(0);
            uint32_t term = parseTerm();
            if (first)
                start = term;
            else
                patchJump(link, term);
        }
        return start;
    }

    uint32_t parseTerm() {
        if (*p_ == '^') return ++p_, emit(Prog::LineStart);
        if (*p_ == '$') return ++p_, emit(Prog::LineEnd);
        uint32_t atom = parseAtom();
        if (p_ == end_) return atom;
        char c = *p_;
        if (c == '{') throw Exception("unsupported UNSAFE counted quantifier");
        if (c != '*' && c != '+' && c != '?') return atom;
        ++p_;
        uint32_t split = Prog::Split;
        if (p_ != end_ && *p_ == '?') ++p_, split = Prog::SplitLazy;
        if (c == '*') return emit(split, atom);
        if (c == '+') return emit(split, atom), atom;
        uint32_t skip = emit(0);
        uint32_t start = emit(split, atom);
        patchJump(skip, here());
        return start;
    }

    uint32_t parseAtom() {
        char c = *p_;
        switch (c) {
        case '.': return ++p_, emit(program_.flags & Regex::DotAll ? Prog::Any : Prog::AnyButNewline);
        case '[': return parseClass();
        case '(': return parseGroup();
        case '\\': return parseEscape();
        default:
            if (std::strchr("^$\\.*+?()[]{}|", c)) throw ExceptionFmt("unexpected metacharacter '%c'", c);
        }
        int codePoint = nextChar(p_, end_);
        if (delimited_ && Prog::isLineBreak(codePoint))
            throw Exception("illegal line break in literal");
        return emitChar(codePoint);
    }

    uint32_t emitChar(int codePoint) {
        return emit(program_.flags & Regex::IgnoreCase ? Prog::CharNoCase : Prog::Char, uint32_t(codePoint));
    }

    uint32_t parseGroup() {
        ++p_;
        if (++nestingDepth_ > kMaxNesting) throw Exception("unsupported depth of nested expressions");
        bool capturing = true;
        if (end_ - p_ >= 2 && p_[0] == '?') {
            if (p_[1] == '=' || p_[1] == '!')
                throw ExceptionFmt("unsupported lookahead assertion '(?%c...'", p_[1]);
            // Any other "(?" stays a capturing group whose body starts with "?", refused there.
            if (p_[1] == ':') capturing = false, p_ += 2;
        }
        int first = program_.captureCount + 1;  // number of the first group inside or of this one
        if (capturing) ++program_.captureCount;
        uint32_t start = emit(capturing ? Prog::SaveAndClear : Prog::Clear, uint32_t(2 * first));
        uint32_t count = emit(0);
        uint32_t toBody = emit(0);
        patchJump(toBody, parseAlternation());
        if (p_ == end_ || *p_ != ')') throw Exception("expected closing ')'");
        ++p_;
        // Entering a group unsets what its inner groups captured in an earlier iteration.
        uint32_t inner = uint32_t(program_.captureCount - first + (capturing ? 0 : 1));
        code_[count] = capturing ? 1 + 2 * inner : 2 * inner;
        if (capturing) emit(Prog::Save, uint32_t(2 * first + 1));
        --nestingDepth_;
        return start;
    }

    uint32_t parseEscape() {
        ++p_;
        if (p_ == end_) throw Exception("unterminated escape sequence");
        int c = nextChar(p_, end_);
        if (c == 'b') return emit(Prog::WordBoundary);
        if (c == 'B') return emit(Prog::NotWordBoundary);
        RangeSet set;
        if (classEscape(c, false, set)) {
            uint32_t start = emit(isAsciiLetter(c) && c < 'a' ? Prog::NotClass : Prog::Class);
            emitRanges(set);
            return start;
        }
        int codePoint = c;
        if (c == '0') {
            if (p_ != end_ && isAsciiDigit(*p_)) throw Exception("illegal decimal escape sequence");
            codePoint = 0;
        } else if (!characterEscape(c, p_, end_, codePoint)) {
            if (c >= '1' && c <= '9') throw Exception("unsupported UNSAFE backreference");
            if (isAsciiLetter(c)) throw ExceptionFmt("invalid escape sequence '\\%c'", c);
        }
        return emitChar(codePoint);
    }

    void emitRanges(RangeSet set) {
        code_.push_back(uint32_t(set.count));
        for (size_t i = 0; i < set.count; ++i) {
            code_.push_back(set.ranges[i].lo);
            code_.push_back(set.ranges[i].hi);
        }
    }

    // One item of a class: a single character (ranges false) or the set of a class escape.
    struct ClassItem {
        int codePoint;
        RangeSet ranges;
        bool isSet;
    };

    ClassItem parseClassItem() {
        ClassItem item{0, {nullptr, 0}, false};
        if (*p_ != '\\') {
            item.codePoint = nextChar(p_, end_);
            return item;
        }
        ++p_;
        if (p_ == end_) throw Exception("unterminated escape sequence");
        int c = nextChar(p_, end_);
        if (classEscape(c, true, item.ranges)) {
            item.isSet = true;
        } else if (c == 'b') {
            item.codePoint = 8;
        } else if (c == '0') {
            if (p_ != end_ && isAsciiDigit(*p_)) throw Exception("illegal decimal escape sequence");
        } else if (!characterEscape(c, p_, end_, item.codePoint)) {
            if ((c >= '1' && c <= '9') || isAsciiLetter(c))
                throw ExceptionFmt("invalid class escape sequence '\\%c'", c);
            item.codePoint = c;
        }
        return item;
    }

    void addItem(const ClassItem& item, uint32_t& rangeCount) {
        if (item.isSet) {
            for (size_t i = 0; i < item.ranges.count; ++i)
                code_.push_back(item.ranges.ranges[i].lo), code_.push_back(item.ranges.ranges[i].hi);
            rangeCount += uint32_t(item.ranges.count);
        } else {
            addRange(uint32_t(item.codePoint), uint32_t(item.codePoint), rangeCount);
        }
    }
    void addRange(uint32_t lo, uint32_t hi, uint32_t& rangeCount) {
        code_.push_back(lo);
        code_.push_back(hi);
        ++rangeCount;
    }

    uint32_t parseClass() {
        ++p_;
        bool negated = p_ != end_ && *p_ == '^';
        if (negated) ++p_;
        uint32_t start = emit(negated ? Prog::NotClass : Prog::Class);
        uint32_t countAt = emit(0);
        uint32_t rangeCount = 0;
        for (;;) {
            if (p_ == end_) throw Exception("expected closing ']'");
            if (*p_ == ']') break;
            ClassItem item = parseClassItem();
            if (item.isSet || end_ - p_ < 2 || *p_ != '-' || p_[1] == ']') {
                addItem(item, rangeCount);
                continue;
            }
            ++p_;  // "-" between two items
            ClassItem upper = parseClassItem();
            if (upper.isSet) {
                // Next to a class escape "-" is itself.
                addItem(item, rangeCount);
                addRange('-', '-', rangeCount);
                addItem(upper, rangeCount);
            } else {
                // Reversed bounds give a range that holds nothing.
                addRange(uint32_t(item.codePoint), uint32_t(upper.codePoint), rangeCount);
            }
        }
        ++p_;
        code_[countAt] = rangeCount;
        return start;
    }

    RegexProgram& program_;
    std::vector<uint32_t>& code_;
    const char* p_;    // next pattern byte
    const char* end_;  // end of the pattern (before the closing "/" in delimited forms)
    bool delimited_;   // a "/"-delimited form: literal line breaks are refused
    int nestingDepth_ = 0;  // groups open around the current position
};

std::unique_ptr<Regex> Regex::compile(const char* pattern, const char* end, uint32_t flags,
                                      bool delimited) {
    if (!utf8IsValid(pattern, end)) throw BadUtf8("Bad UTF-8 string");
    std::unique_ptr<Regex> re(new Regex);
    RegexProgram& program = *re->program_;
    program.flags = flags;
    program.words.reserve(4 * size_t(end - pattern) + 56);
    Compiler compiler(program, pattern, end, delimited);
    // The search loop: try the pattern here, else consume any character and try again.
    compiler.emit(Prog::Any);
    compiler.emit(Prog::SplitLazy, 0);
    compiler.emit(Prog::Save, 0);
    uint32_t toPattern = compiler.emit(0);
    uint32_t start = compiler.parseAlternation();
    if (compiler.position() != end) {
        // A delimited pattern shows its closing "/" too, to tell where it stopped.
        const char* rest = compiler.position();
        int restLength = int(std::min<size_t>(size_t(end - rest) + delimited, 1024));
        throw ExceptionFmt("trailing characters: \"%.*s\"", restLength, rest);
    }
    compiler.emit(Prog::Save, 1);
    // Jump words hold their target negated in 32 bits.
    TQ_CHECK(program.words.size() < 0x7fffffffu);
    compiler.patchJump(toPattern, start);
    program.anchoredStart = start;
    program.searchStart = 1;
    program.analyse();
    re->searchAutomaton_.reset(new RegexDfa(program, false, kAutomatonBudget));
    re->wholeAutomaton_.reset(new RegexDfa(program, true, kAutomatonBudget));
    return re;
}

Regex::Regex() : program_(new RegexProgram) {}

Regex::~Regex() {
    for (std::unique_ptr<RegexDfa>* automaton : {&searchAutomaton_, &wholeAutomaton_})
        if (*automaton && !(*automaton)->madeInThisProcess())
            RegexDfa::abandon(automaton->release());
}

int Regex::captureCount() const {
    return program_->captureCount;
}

uint32_t Regex::flags() const {
    return program_->flags;
}

void Regex::setEnginesForTesting(uint32_t engines, size_t automatonBudget) {
    engines_ = engines;
    size_t budget = automatonBudget ? automatonBudget : kAutomatonBudget;
    // The automata of a parent process are never used here: their locks may be held.
    for (RegexDfa* automaton : {searchAutomaton_.get(), wholeAutomaton_.get()})
        if (automaton->madeInThisProcess()) automaton->setBudget(budget);
}

const RegexProgram& Regex::programForTesting() const {
    return *program_;
}

std::unique_ptr<Regex> Regex::create(const char* pattern, uint32_t flags) {
    return compile(pattern, pattern + std::strlen(pattern), flags, false);
}

std::unique_ptr<Regex> Regex::createFromLiteral(const char** cursor) {
    const char* p = *cursor;
    if (*p != '/') throw Exception("expected '/'-delimited regex");
    const char* closing = findClosingSlash(p + 1);
    const char* after = closing + 1;
    uint32_t flags = parseFlags(after);
    std::unique_ptr<Regex> re = compile(p + 1, closing, flags, true);
    *cursor = after;
    return re;
}

std::unique_ptr<Regex> Regex::createSubstitution(const char** cursor, String& replacement) {
    const char* p = *cursor;
    if (p[0] != 's' || p[1] != '/') throw Exception("expected 's/../../' substitution");
    const char* patternStart = p + 2;
    const char* closing = findClosingSlash(patternStart);
    std::string text;
    const char* q = closing + 1;
    const char* textEnd = q + std::strlen(q);
    while (*q != '/') {
        if (!*q) throw Exception("expected terminating '/'");
        const char* charStart = q;
        int c = utf8Decode(&q, nullptr);
        if (c < 0) throw BadUtf8("Bad UTF-8 string");
        if (c == '\\') {
            if (!*q) throw Exception("expected terminating '/'");
            c = utf8Decode(&q, nullptr);
            if (c < 0) throw BadUtf8("Bad UTF-8 string");
            int codePoint;
            if (characterEscape(c, q, textEnd, codePoint)) {
                appendUtf8(text, codePoint);
                continue;
            }
            if (isAsciiLetter(c)) throw ExceptionFmt("invalid escape sequence '\\%c'", c);
            charStart = q - utf8EncodedLength(c);
        }
        text.append(charStart, size_t(q - charStart));
    }
    const char* after = q + 1;
    uint32_t flags = parseFlags(after);
    std::unique_ptr<Regex> re = compile(patternStart, closing, flags, true);
    replacement = ownedCopy(text);
    *cursor = after;
    return re;
}

String Regex::quote(const char* text, bool forLiteral) {
    size_t length = std::strlen(text);
    rdr::MemOutStream out(int(std::min<size_t>(length + 8, 0x7fffffff)));
    const char* p = text;
    if (isAsciiDigit(*p)) {
        out.write("\\u003", 5);
        out.writeU8(uint8_t(*p++));
    }
    while (*p) {
        const char* start = p;
        int c = nextChar(p, text + length);
        if (c < 0) {
            out.write("[]", 2);
        } else if (c < 0x80 && std::strchr("$()*+.?[\\]^{|}", c)) {
            out.writeU8('\\');
            out.writeU8(uint8_t(c));
        } else if (forLiteral && (c == '\n' || c == '\r' || c == '/')) {
            out.write(c == '\n' ? "\\n" : c == '\r' ? "\\r" : "\\/", 2);
        } else if (forLiteral && (c == 0x2028 || c == 0x2029)) {
            out.write(c == 0x2028 ? "\\u2028" : "\\u2029", 6);
        } else {
            out.write(start, int(p - start));
        }
    }
    DString result;
    out.takeString(result);
    return String::adopt(result.release());
}

}  // namespace plat

#include "plat/RegexProgram.h"

#include "plat/Utf8.h"

#include <algorithm>
#include <cstring>

namespace plat {

namespace {

// How often a byte turns up in the texts that get searched (log lines, headers, prose): the
// prefix byte scoring lowest is the one memchr stops at least often.
int commonness(unsigned char byte) {
    static const char letters[] = "etaoinsrhldcumfpgwybvkxjqz";  // most common first
    if (byte == ' ') return 120;
    if (byte >= 'a' && byte <= 'z') return 100 - 3 * int(std::strchr(letters, byte) - letters);
    if (byte >= '0' && byte <= '9') return 60;
    if (std::strchr(".,:;/-=_\"'()[]<>", byte) && byte) return 40;
    if (byte >= 'A' && byte <= 'Z') return 30;
    return byte < 0x80 ? 10 : 5;
}

void appendUtf8(std::string& out, uint32_t codePoint) {
    char encoded[4];
    char* end = encoded;
    if (codePoint < 0x80)
        *end++ = char(codePoint);
    else
        utf8Encode(int(codePoint), &end);
    out.append(encoded, size_t(end - encoded));
}

}  // namespace

int RegexProgram::decodeMultibyte(const char* at, const char* end, int& length) {
    const char* cursor = at + 1;
    int c = utf8DecodeTail(static_cast<unsigned char>(*at), &cursor,
                           int(std::min<ptrdiff_t>(end - at, 4)));
    length = int(cursor - at);
    return c < 0 ? kNoChar : c;
}

int RegexProgram::charEndingAt(const char* textStart, const char* at) {
    if (at == textStart) return -1;
    if (static_cast<unsigned char>(at[-1]) < 0x80) return static_cast<unsigned char>(at[-1]);
    const char* lead = utf8Prev(at, textStart);
    int length;
    int c = decode(lead, at, length);
    return lead + length == at ? c : kNoChar;
}

void RegexProgram::analyse() {
    for (uint32_t pc = 0; pc < length(); pc += isJump(pc) ? 1 : instructionLength(pc))
        if (!isJump(pc) && isAssertion(words[pc])) hasAssertions = true;
    computeByteMap();

    // The literal every match starts with: Char instructions on the one path from the
    // pattern's start that neither branches nor asserts. When that path reaches the final
    // Save, a match is that literal and nothing else.
    prefix.clear();
    uint32_t pc = anchoredStart;
    while (pc < length()) {
        if (isJump(pc)) {
            if (jumpTarget(pc) <= pc) break;  // a loop back
            pc = jumpTarget(pc);
        } else if (words[pc] == Save || words[pc] == SaveAndClear || words[pc] == Clear) {
            if (words[pc] == Save && words[pc + 1] == 1) break;
            pc += instructionLength(pc);
        } else if (words[pc] == Char) {
            appendUtf8(prefix, words[pc + 1]);
            pc += 2;
        } else {
            break;
        }
    }
    literal = !prefix.empty() && captureCount == 0 && pc + 2 == length() && words[pc] == Save &&
              words[pc + 1] == 1;
    rareIndex = 0;
    for (size_t i = 1; i < prefix.size(); ++i)
        if (commonness(uint8_t(prefix[i])) < commonness(uint8_t(prefix[rareIndex]))) rareIndex = i;

    // Whether every path from the pattern's start passes "^" before it consumes or matches.
    lineStartOnly = true;
    {
        std::vector<bool> entered(length() + 1);
        std::vector<uint32_t> paths{anchoredStart};
        while (!paths.empty() && lineStartOnly) {
            pc = paths.back();
            paths.pop_back();
            if (entered[pc]) continue;
            entered[pc] = true;
            if (pc >= length() || (!isJump(pc) && isConsuming(words[pc])))
                lineStartOnly = false;
            else if (isJump(pc))
                paths.push_back(jumpTarget(pc));
            else if (words[pc] == Split || words[pc] == SplitLazy)
                paths.push_back(words[pc + 1]), paths.push_back(pc + 2);
            else if (words[pc] != LineStart)
                paths.push_back(pc + instructionLength(pc));
        }
    }

    // The first bytes of every consuming instruction that the pattern's start reaches without
    // consuming; assertions are taken as holding.
    bool bytes[256] = {};
    std::vector<bool> seen(length() + 1);
    std::vector<uint32_t> todo{anchoredStart};
    auto mark = [&](uint32_t lo, uint32_t hi) {
        for (uint32_t c = lo; c <= std::min<uint32_t>(hi, 0x7F); ++c) {
            bytes[c] = true;
            if ((flags & Regex::IgnoreCase) && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) bytes[c ^ 0x20] = true;
        }
        if (hi >= 0x80)
            for (int lead = 0xC2; lead <= 0xF4; ++lead)
                bytes[lead] = true;
    };
    hasFilter = false;
    while (!todo.empty()) {
        pc = todo.back();
        todo.pop_back();
        if (seen[pc]) continue;
        seen[pc] = true;
        if (pc >= length()) return;  // an empty match is possible
        if (isJump(pc)) {
            todo.push_back(jumpTarget(pc));
            continue;
        }
        uint32_t word = words[pc];
        switch (word) {
        case Split:
        case SplitLazy: todo.push_back(words[pc + 1]), todo.push_back(pc + 2); break;
        case Char:
        case CharNoCase: {
            uint32_t c = words[pc + 1];
            if (c < 0x80) {
                mark(c, c);
            } else {
                std::string encoded;
                appendUtf8(encoded, c);
                bytes[uint8_t(encoded[0])] = true;
            }
            break;
        }
        case Class:
            for (uint32_t i = 0; i < words[pc + 1]; ++i)
                if (words[pc + 2 + 2 * i] <= words[pc + 3 + 2 * i])
                    mark(words[pc + 2 + 2 * i], words[pc + 3 + 2 * i]);
            break;
        case AnyButNewline:
        case Any:
        case NotClass: return;  // any byte may start a match
        default: todo.push_back(pc + instructionLength(pc)); break;  // assertions, saves
        }
    }
    std::memcpy(firstBytes, bytes, sizeof bytes);
    hasFilter = true;
}

namespace {

constexpr size_t kMaxColumnWork = size_t(1) << 24;

// Splits a partition of elements by one set after another: after each split, two elements
// share a colour only when every set so far holds both or neither. A split costs the size of
// its set, not of the partition.
class Refinement {
public:
    Refinement(size_t elements, const std::vector<uint32_t>& initial)
        : colour_(initial), markedIn_(elements, 0) {
        for (uint32_t c : initial) {
            if (c >= size_.size()) size_.resize(c + 1, 0);
            ++size_[c];
        }
        hits_.assign(size_.size(), 0);
        into_.assign(size_.size(), 0);
    }
    void mark(uint32_t element) {
        if (markedIn_[element] == round_) return;
        markedIn_[element] = round_;
        marked_.push_back(element);
    }
    // Splits each colour by the marked elements, and begins the next set.
    void split() {
        touched_.clear();
        for (uint32_t e : marked_)
            if (hits_[colour_[e]]++ == 0) touched_.push_back(colour_[e]);
        for (uint32_t c : touched_) {
            into_[c] = c;
            if (hits_[c] == size_[c]) continue;
            into_[c] = uint32_t(size_.size());
            size_.push_back(hits_[c]);
            hits_.push_back(0);
            into_.push_back(0);
            size_[c] -= hits_[c];
        }
        for (uint32_t e : marked_)
            colour_[e] = into_[colour_[e]];
        for (uint32_t c : touched_)
            hits_[c] = 0;
        marked_.clear();
        if (++round_ == 0) {
            std::fill(markedIn_.begin(), markedIn_.end(), 0u);
            round_ = 1;
        }
    }
    uint32_t colourOf(size_t element) const { return colour_[element]; }
    size_t colours() const { return size_.size(); }

private:
    std::vector<uint32_t> colour_, size_, hits_, into_, marked_, touched_, markedIn_;
    uint32_t round_ = 1;
};

}  // namespace

void RegexProgram::computeByteMap() {
    ByteMap& map = byteMap;
    std::vector<uint32_t> consuming;
    for (uint32_t pc = 0; pc < length(); pc += isJump(pc) ? 1 : instructionLength(pc))
        if (!isJump(pc) && isConsuming(words[pc])) consuming.push_back(pc);
    // Above ASCII only the instructions' own ranges (and the line breaks) make borders.
    std::vector<uint32_t> borders{0x80, 0x2028, 0x202A, 0x110000};
    auto addRange = [&](uint32_t lo, uint32_t hi) {
        if (lo > hi || hi < 0x80) return;
        borders.push_back(std::max<uint32_t>(lo, 0x80));
        borders.push_back(std::min<uint32_t>(hi, 0x10FFFF) + 1);
    };
    size_t testCost = 0;  // of telling which instructions take one character
    for (uint32_t pc : consuming) {
        const uint32_t* at = &words[pc];
        if (at[0] == Char || at[0] == CharNoCase) addRange(at[1], at[1]);
        bool isClass = at[0] == Class || at[0] == NotClass;
        for (uint32_t i = 0; isClass && i < at[1]; ++i)
            addRange(at[2 + 2 * i], at[3 + 2 * i]);
        testCost += 1 + (isClass ? at[1] : 0);
    }
    std::sort(borders.begin(), borders.end());
    borders.erase(std::unique(borders.begin(), borders.end()), borders.end());
    map.intervalStarts.assign(borders.begin(), borders.end() - 1);
    // A huge class-heavy pattern is left to the Pike machine rather than paying for telling
    // each byte and interval apart under each instruction.
    if ((0x80 + borders.size()) * testCost > kMaxColumnWork) {
        map.columnCount = kMaxColumns + 1;
        return;
    }

    // The elements: the ASCII bytes, the intervals, then bad UTF-8, each standing for the
    // characters it begins with. Assertions tell kinds apart, the instructions their sets; a
    // set and its complement split alike, so NotClass marks its ranges as Class does.
    const uint32_t intervals = uint32_t(map.intervalStarts.size());
    const uint32_t invalid = 0x80 + intervals;
    auto elementChar = [&](uint32_t e) {
        return e < 0x80 ? int(e) : e < invalid ? int(map.intervalStarts[e - 0x80]) : kNoChar;
    };
    std::vector<uint32_t> initial(invalid + 1, 0);
    if (hasAssertions)
        for (uint32_t e = 0; e <= invalid; ++e)
            initial[e] = kindOf(elementChar(e));
    Refinement refinement(invalid + 1, initial);
    auto intervalOf = [&](uint32_t c) {
        return 0x80 + uint32_t(std::upper_bound(map.intervalStarts.begin(), map.intervalStarts.end(), c) -
                               map.intervalStarts.begin()) - 1;
    };
    auto markChar = [&](uint32_t c, bool eitherCase) {
        if (c >= 0x80) {
            if (c <= 0x10FFFF) refinement.mark(intervalOf(c));
            return;
        }
        refinement.mark(c);
        if (eitherCase && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) refinement.mark(c ^ 0x20);
    };
    const bool foldRanges = flags & Regex::IgnoreCase;
    for (uint32_t pc : consuming) {
        const uint32_t* at = &words[pc];
        switch (at[0]) {
        case Any: continue;  // takes everything: splits nothing
        case AnyButNewline:
            refinement.mark('\n');
            refinement.mark('\r');
            refinement.mark(intervalOf(0x2028));
            break;
        case Char: markChar(at[1], false); break;
        case CharNoCase: markChar(at[1], true); break;
        default:  // Class, NotClass
            for (uint32_t i = 0; i < at[1]; ++i) {
                uint32_t lo = at[2 + 2 * i], hi = at[3 + 2 * i];
                if (lo > hi) continue;
                for (uint32_t c = lo; c <= std::min<uint32_t>(hi, 0x7F); ++c)
                    markChar(c, foldRanges);
                if (hi >= 0x80 && std::max<uint32_t>(lo, 0x80) <= 0x10FFFF)
                    for (uint32_t e = intervalOf(std::max<uint32_t>(lo, 0x80));
                         e < invalid && map.intervalStarts[e - 0x80] <= hi; ++e)
                        refinement.mark(e);
                if (lo <= uint32_t(kNoChar) && uint32_t(kNoChar) <= hi) refinement.mark(invalid);
            }
            break;
        }
        refinement.split();
    }

    // Columns are numbered in the order their first element comes.
    std::vector<int> columnOfColour(refinement.colours(), -1);
    map.representative.clear();
    map.kinds.clear();
    auto columnOf = [&](uint32_t e) {
        int& column = columnOfColour[refinement.colourOf(e)];
        if (column < 0) {
            column = int(map.representative.size());
            map.representative.push_back(elementChar(e));
            map.kinds.push_back(hasAssertions ? kindOf(elementChar(e)) : kOtherChar);
        }
        return column;
    };
    for (uint32_t byte = 0; byte < 0x80; ++byte)
        map.byteColumn[byte] = uint8_t(std::min(columnOf(byte), int(ByteMap::kDecode)));
    std::fill(map.byteColumn + 0x80, map.byteColumn + 256, ByteMap::kDecode);
    map.intervalColumns.resize(intervals);
    for (uint32_t i = 0; i < intervals; ++i)
        map.intervalColumns[i] = uint8_t(std::min(columnOf(0x80 + i), int(ByteMap::kDecode)));
    map.invalidColumn = columnOf(invalid);
    map.endColumn = int(map.representative.size());
    map.representative.push_back(kNoChar);
    map.kinds.push_back(kTextEdge);
    map.columnCount = map.endColumn + 1;
}

int RegexProgram::ByteMap::columnAt(const char* at, const char* end, int& length) const {
    unsigned char byte = static_cast<unsigned char>(*at);
    if (byte < 0x80) {
        length = 1;
        return byteColumn[byte];
    }
    int c = decode(at, end, length);
    if (c == kNoChar) return invalidColumn;
    size_t interval = size_t(std::upper_bound(intervalStarts.begin(), intervalStarts.end(),
                                              uint32_t(c)) - intervalStarts.begin()) - 1;
    return intervalColumns[interval];
}

bool RegexProgram::atLineStart(const char* textStart, const char* at) const {
    if (at == textStart) return true;
    if (!(flags & Regex::Multiline)) return false;
    unsigned char before = static_cast<unsigned char>(at[-1]);
    if (before == '\n' || before == '\r') return true;
    return (before == 0xA8 || before == 0xA9) && isLineBreak(charEndingAt(textStart, at));
}

bool RegexProgram::mayStartAt(const char* textStart, const char* at, const char* end) const {
    if (lineStartOnly && !atLineStart(textStart, at)) return false;
    if (!prefix.empty())
        return size_t(end - at) >= prefix.size() &&
               std::memcmp(at, prefix.data(), prefix.size()) == 0;
    return at < end && firstBytes[static_cast<unsigned char>(*at)];
}

const char* RegexProgram::nextCandidate(const char* textStart, const char* at,
                                        const char* end) const {
    if (lineStartOnly) {
        if (!(flags & Regex::Multiline)) return at == textStart && mayStartAt(textStart, at, end) ? at : end;
        if (at < end && mayStartAt(textStart, at, end)) return at;
        // Line by line: memchr finds the next LF, then CR and U+2028/U+2029 (which begin with
        // E2) are looked for only before it, so that each byte is read a few times at most.
        // A three-byte break may have begun up to two bytes before `at`.
        auto find = [](const char* from, const char* to, char byte) {
            return static_cast<const char*>(std::memchr(from, byte, size_t(to - from)));
        };
        while (at < end) {
            const char* lineFeed = find(at, end, '\n');
            const char* next = lineFeed ? lineFeed + 1 : end;
            const char* limit = lineFeed ? lineFeed : end;
            if (const char* carriageReturn = find(at, limit, '\r')) {
                next = carriageReturn + 1;
                limit = carriageReturn;
            }
            const char* leadFrom = at - std::min<ptrdiff_t>(at - textStart, 2);
            for (const char* lead = find(leadFrom, limit, '\xE2'); lead;
                 lead = find(lead + 1, limit, '\xE2')) {
                if (limit - lead >= 3 && isLineBreak(charEndingAt(textStart, lead + 3))) {
                    next = lead + 3;
                    break;
                }
            }
            if (next >= end) return end;
            at = next;
            if (mayStartAt(textStart, at, end)) return at;
        }
        return end;
    }
    if (prefix.empty()) {
        while (at < end && !firstBytes[static_cast<unsigned char>(*at)])
            ++at;
        return at;
    }
    const size_t length = prefix.size();
    const char rare = prefix[rareIndex];
    for (const char* probe = at + rareIndex; size_t(end - at) >= length;) {
        probe = static_cast<const char*>(std::memchr(probe, rare, size_t(end - probe)));
        if (!probe) break;
        at = probe - rareIndex;
        if (size_t(end - at) < length) break;
        if (std::memcmp(at, prefix.data(), length) == 0) return at;
        ++probe;
        ++at;
    }
    return end;
}

}  // namespace plat

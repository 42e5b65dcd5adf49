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
            if ((flags & IgnoreCase) && ((c | 0x20) >= 'a' && (c | 0x20) <= 'z')) bytes[c ^ 0x20] = true;
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

bool RegexProgram::atLineStart(const char* textStart, const char* at) const {
    if (at == textStart) return true;
    if (!(flags & Multiline)) return false;
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
        if (!(flags & Multiline)) return at == textStart && mayStartAt(textStart, at, end) ? at : end;
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

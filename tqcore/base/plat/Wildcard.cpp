#include "plat/Wildcard.h"

#include "plat/ByteScan.h"
#include "plat/StrUtil.h"

#include <cstring>

namespace plat {

namespace {

// Two characters match when their keys are equal.
struct SameByte {
    static char key(char c) { return c; }
};

struct SameAsciiLetter {
    static char key(char c) { return asciiToLower(c); }
};

template <typename Compare>
bool sameRun(const char* pattern, const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (Compare::key(pattern[i]) != Compare::key(text[i])) return false;
    return true;
}

// One character of a run as the scan compares it: a letter that folds is compared with bit
// 0x20 set on both sides, which maps exactly its two cases together.
struct ScanByte {
    ByteBlock fold, target;
    ScanByte(char c, bool caseSensitive) {
        bool folds = !caseSensitive && asciiToLower(c) != asciiToUpper(c);
        fold = ByteBlock::filled(folds ? 0x20 : 0);
        target = ByteBlock::filled(static_cast<unsigned char>(folds ? asciiToLower(c) : c));
    }
    ByteBlock::Matches matches(const char* at) const {
        return ByteBlock::load(at).withBits(fold).equal(target);
    }
};

// The first place in [from, to) where the run of `length` pattern characters starts and fits
// before `to`, or null. Long texts are scanned 16 places at a time for the run's first and
// last characters together (W. Mula's SIMD-friendly substring search), which leaves few
// candidates to compare in full.
template <typename Compare>
const char* findRun(const char* run, size_t length, const char* from, const char* to,
                    bool caseSensitive) {
    if (size_t(to - from) < length) return nullptr;
    const char* last = to - length;  // the last place the run can start
    const char* at = from;
    if (last - at >= 16) {
        ScanByte first(run[0], caseSensitive), final(run[length - 1], caseSensitive);
        for (; last - at >= 16; at += 16) {
            unsigned candidates = (first.matches(at) & final.matches(at + length - 1)).mask();
            for (; candidates != 0; candidates &= candidates - 1) {
                const char* place = at + __builtin_ctz(candidates);
                if (sameRun<Compare>(run, place, length)) return place;
            }
        }
    }
    char first = Compare::key(run[0]);
    for (; at <= last; ++at)
        if (Compare::key(*at) == first && sameRun<Compare>(run + 1, at + 1, length - 1)) return at;
    return nullptr;
}

// With "*" the only special character, the runs between stars can be matched in order, each
// at its first place after the one before: a later place never leaves more text for the rest.
// Only the run before the first star is tied to the start of the text, and the one after the
// last star to its end.
template <typename Compare>
bool match(const char* pattern, const char* text, bool caseSensitive) {
    for (; *pattern != '*'; ++pattern, ++text) {
        if (*pattern == '\0') return *text == '\0';
        if (*text == '\0' || Compare::key(*pattern) != Compare::key(*text)) return false;
    }
    while (*pattern == '*')
        ++pattern;
    // Short names end here for the common patterns ("*", "Fd*").
    if (*pattern == '\0') return true;
    const char* lastStar = pattern - 1;
    const char* patternEnd = pattern;
    for (; *patternEnd; ++patternEnd)
        if (*patternEnd == '*') lastStar = patternEnd;
    size_t tailLength = size_t(patternEnd - lastStar - 1);
    size_t textLength = std::strlen(text);
    if (tailLength > textLength) return false;
    const char* tailStart = text + textLength - tailLength;
    if (!sameRun<Compare>(lastStar + 1, tailStart, tailLength)) return false;
    // The runs between the first and the last star, in the text before the tail.
    for (const char* run = pattern; run < lastStar;) {
        const char* runEnd = run;
        while (*runEnd != '*')
            ++runEnd;
        if (runEnd != run) {
            size_t length = size_t(runEnd - run);
            const char* found = findRun<Compare>(run, length, text, tailStart, caseSensitive);
            if (!found) return false;
            text = found + length;
        }
        run = runEnd + 1;
    }
    return true;
}

}  // namespace

bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive) {
    if (!pattern) pattern = "";
    if (!text) text = "";
    return caseSensitive ? match<SameByte>(pattern, text, true)
                         : match<SameAsciiLetter>(pattern, text, false);
}

}  // namespace plat

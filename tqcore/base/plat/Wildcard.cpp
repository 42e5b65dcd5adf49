#include "plat/Wildcard.h"

#include "plat/StrUtil.h"

namespace plat {

namespace {

struct SameByte {
    static bool equal(char a, char b) { return a == b; }
};

struct SameAsciiLetter {
    static bool equal(char a, char b) { return a == b || asciiToLower(a) == asciiToLower(b); }
};

// Greedy matching: each "*" first takes nothing; when a later character fails, the most recent
// "*" takes one more text character and matching resumes after it. Backing up further than
// the most recent "*" is never needed, since that "*" can absorb whatever an earlier one would.
template <typename Compare>
bool match(const char* pattern, const char* text) {
    const char* afterStar = nullptr;  // pattern just after the most recent "*"
    const char* starText = nullptr;   // text position that "*" matched up to
    while (*text) {
        if (*pattern == '*') {
            afterStar = ++pattern;
            // A final "*" takes whatever is left.
            if (*afterStar == '\0') return true;
            starText = text;
        } else if (*pattern && Compare::equal(*pattern, *text)) {
            ++pattern;
            ++text;
        } else if (afterStar) {
            pattern = afterStar;
            text = ++starText;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

}  // namespace

bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive) {
    if (!pattern) pattern = "";
    if (!text) text = "";
    return caseSensitive ? match<SameByte>(pattern, text) : match<SameAsciiLetter>(pattern, text);
}

}  // namespace plat

#include "plat/Wildcard.h"

#include "plat/StrUtil.h"

namespace plat {

bool wildcardMatch(const char* pattern, const char* text, bool caseSensitive) {
    if (!pattern || !text) return false;
    auto same = [caseSensitive](char a, char b) {
        return caseSensitive ? a == b : asciiToLower(a) == asciiToLower(b);
    };
    const char* star = nullptr;    // position after the last star seen
    const char* resume = nullptr;  // text position the last star currently covers up to
    const char* p = pattern;
    const char* t = text;
    while (*t) {
        if (*p == '*') {
            star = ++p;
            resume = t;
        } else if (*p && same(*p, *t)) {
            ++p;
            ++t;
        } else if (star) {
            p = star;
            t = ++resume;
        } else {
            return false;
        }
    }
    while (*p == '*')
        ++p;
    return !*p;
}

}  // namespace plat

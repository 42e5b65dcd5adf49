// The "*" match agrees with a plain dynamic-programming matcher on pattern and text cut from the
// input (at the first NUL, at most 4 KiB in all), and stays fast on any pattern.
#include "plat/Wildcard.h"
#include "plat/StrUtil.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Rolling rows over the text: row[t] tells whether the pattern so far matches text[0, t).
bool referenceMatch(const std::string& pattern, const std::string& text, bool caseSensitive) {
    std::vector<char> row(text.size() + 1, 0), next(text.size() + 1);
    row[0] = 1;
    for (char p : pattern) {
        next[0] = p == '*' && row[0];
        for (size_t t = 1; t <= text.size(); ++t) {
            char c = text[t - 1];
            bool same = caseSensitive ? p == c : plat::asciiToLower(p) == plat::asciiToLower(c);
            next[t] = p == '*' ? (row[t] || next[t - 1]) : (same && row[t - 1]);
        }
        row.swap(next);
    }
    return row[text.size()];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size > 4096) return 0;
    std::string input(reinterpret_cast<const char*>(data), size);
    size_t cut = input.find('\0');
    if (cut == std::string::npos) cut = size / 4;  // patterns are mostly shorter than names
    std::string pattern = input.substr(0, cut);
    std::string text = input.substr(cut < size ? cut + 1 : size);
    text = text.c_str();
    for (bool caseSensitive : {false, true}) {
        bool got = plat::wildcardMatch(pattern.c_str(), text.c_str(), caseSensitive);
        if (got != referenceMatch(pattern, text, caseSensitive)) std::abort();
    }
    return 0;
}

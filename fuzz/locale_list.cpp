// The locale-list parsers on arbitrary text: no crash, and every result well formed.
//
// Input: one option byte (the default language's presence, the sanitiser's maximum and its
// drop-codeset flag), then the list text.
#include "loc/LocaleChoice.h"
#include "loc/Localize.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

bool noDuplicates(const plat::StringList& list) {
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j)
            if (std::strcmp(list[i].get(), list[j].get()) == 0) return false;
    return true;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Matches letters{1,16} ["_" letters{1,16}] ["." [A-Za-z0-9_-]{1,16}] exactly.
bool isSanitisedEntry(const char* p, const char* end, bool dropCodeset) {
    const char* start = p;
    while (p < end && isLetter(*p))
        ++p;
    if (p == start || p - start > 16) return false;
    if (p < end && *p == '_') {
        const char* t = ++p;
        while (p < end && isLetter(*p))
            ++p;
        if (p == t || p - t > 16) return false;
        return p == end;
    }
    if (p < end && *p == '.') {
        if (dropCodeset) return false;
        const char* c = ++p;
        while (p < end && (isLetter(*p) || (*p >= '0' && *p <= '9') || *p == '-' || *p == '_'))
            ++p;
        if (p == c || p - c > 16) return false;
    }
    return p == end;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    uint8_t options = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    text = text.c_str();  // up to the first NUL

    plat::StringList parsed;
    loc::parseLocaleList(text.c_str(), parsed, options & 1 ? "de" : nullptr,
                         options & 1 ? "CH" : nullptr);
    require(noDuplicates(parsed));
    for (const plat::String& entry : parsed) {
        const char* e = entry.get();
        require(e && *e);
        require(!std::strpbrk(e, ":.@"));
        require(*e != '_' && *e != '-');
        require(std::strcmp(loc::pluralForm(e, options), "sing") == 0 ||
                std::strcmp(loc::pluralForm(e, options), "many") == 0);
    }

    plat::StringList expanded;
    loc::expandLocaleList(parsed, expanded);
    require(noDuplicates(expanded));
    require(expanded.size() >= 2 && expanded.size() <= 2 * parsed.size() + 2);
    if (!parsed.empty()) require(std::strcmp(expanded[0].get(), parsed[0].get()) == 0);
    bool hasEnUs = false, hasEn = false;
    for (const plat::String& entry : expanded) {
        hasEnUs = hasEnUs || std::strcmp(entry.get(), "en_US") == 0;
        hasEn = hasEn || std::strcmp(entry.get(), "en") == 0;
    }
    require(hasEnUs && hasEn);

    int maximum = (options >> 1) & 7;
    bool dropCodeset = options & 16;
    plat::String sanitised;
    loc::sanitiseLocaleList(sanitised, text.c_str(), maximum, dropCodeset);
    const char* s = sanitised.c_str();
    int entries = 0;
    while (*s) {
        const char* colon = std::strchr(s, ':');
        const char* end = colon ? colon : s + std::strlen(s);
        require(isSanitisedEntry(s, end, dropCodeset));
        ++entries;
        s = colon ? colon + 1 : end;
        if (colon) require(*s);
    }
    require(entries <= maximum);
    return 0;
}

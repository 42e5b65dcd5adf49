// The user's preferred languages, from the environment: GNU's LANGUAGE list first (the
// desktop's own list of languages in order of preference), then the locale variables in POSIX
// order: LC_ALL alone when it names a locale, otherwise LC_MESSAGES, then LANG.
#include "loc/LocaleChoice.h"

#include "loc/LocInternal.h"

#include <cstdlib>
#include <cstring>

namespace loc {

namespace {

// The preferred-language list of the desktop holds a handful of entries; more is noise.
constexpr size_t kMaxPreferredLanguages = 5;

// The value of a locale variable, or null when it is unset, empty or the C or POSIX locale
// (which say nothing about the user's language).
const char* usableLocaleVariable(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value) return nullptr;
    LocaleParts parts = splitLocaleName(value);
    if ((parts.languageLength == 1 && std::strncmp(parts.language, "C", 1) == 0) ||
        (parts.languageLength == 5 && std::strncmp(parts.language, "POSIX", 5) == 0))
        return nullptr;
    return value;
}

}  // namespace

void systemPreferredLocales(plat::StringList& out) {
    // LC_ALL overrides the other two: when it is set, they are not consulted.
    const char* lcAll = usableLocaleVariable("LC_ALL");
    const char* lcMessages = lcAll ? nullptr : usableLocaleVariable("LC_MESSAGES");
    const char* lang = lcAll ? nullptr : usableLocaleVariable("LANG");
    const char* currentLocale = lcAll ? lcAll : lcMessages ? lcMessages : lang;

    plat::StringList preferred;
    languageEnvLocales(currentLocale, preferred);
    if (preferred.size() > kMaxPreferredLanguages) preferred.resize(kMaxPreferredLanguages);
    for (const plat::String& entry : preferred)
        plat::addUniqueString(out, entry.get());

    for (const char* value : {lcAll, lcMessages, lang})
        if (value) parseLocaleList(value, out, nullptr, nullptr);
}

}  // namespace loc

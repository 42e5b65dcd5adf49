// The user's preferred languages, from the environment. The desktop's list of languages in
// order of preference is GNU's LANGUAGE, followed by the locale variables in POSIX order (LC_ALL
// alone when it names a locale, otherwise LC_MESSAGES, then LANG); the user's region is that of
// the first locale variable set.
#include "loc/LocaleChoice.h"

#include "loc/LocInternal.h"
#include "loc/LocaleSetter.h"
#include "plat/StrUtil.h"

#include <cstdlib>

namespace loc {

namespace {

// Only the first few preferred languages count: further ones are rarely what the user reads.
constexpr size_t kMaxPreferredLanguages = 5;

// The value of a locale variable, or null when it is unset, empty or the C or POSIX locale
// (which say nothing about the user's language).
const char* usableLocaleVariable(const char* variable) {
    const char* value = std::getenv(variable);
    if (!value || !*value || isCOrPosixLocale(value)) return nullptr;
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
    if (const char* language = std::getenv("LANGUAGE")) {
        plat::String copy(language);
        char* cursor = copy.buf();
        while (cursor)
            if (const char* piece = plat::strTok(&cursor, ':', false);
                *piece && !isCOrPosixLocale(piece))
                preferred.emplace_back(piece);
    }
    for (const char* value : {lcAll, lcMessages, lang})
        if (value) preferred.emplace_back(value);
    if (preferred.empty()) return;

    // The user's first language in the user's region (de with a Swiss locale gives de_CH),
    // but only where the system can run in it.
    if (currentLocale) {
        LocaleParts first = splitLocaleName(preferred.front().get());
        LocaleParts region = splitLocaleName(currentLocale);
        plat::String language(first.language, int(first.languageLength));
        plat::String territory;
        if (region.territory)
            territory = plat::String(region.territory, int(region.territoryLength));
        plat::String name = makeLocaleName(language.get(), territory.get(), nullptr, nullptr, "_");
        OsLocale record;
        if (!name.isNull() && setOsLocale(name.get(), record))
            plat::addUniqueString(out, name.get());
    }
    // Each preferred language with its own territory, else its usual one.
    if (preferred.size() > kMaxPreferredLanguages) preferred.resize(kMaxPreferredLanguages);
    for (const plat::String& entry : preferred)
        parseLocaleList(entry.get(), out, nullptr, nullptr);
}

}  // namespace loc

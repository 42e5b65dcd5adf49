// The languages handed to the user-interface framework. There is no framework preference store
// here, so the two values live in a store of this process, replaced as a whole on each call.
#include "loc/LocaleChoice.h"

#include "loc/LocInternal.h"

#include <cstring>

namespace loc {

namespace {

struct LanguageDefaults {
    Mutex mutex;
    bool written = false;
    plat::String appleLocale;
    plat::StringList appleLanguages;
};

LanguageDefaults& languageDefaults() {
    static LanguageDefaults* const defaults = new LanguageDefaults;
    return *defaults;
}

}  // namespace

void setAppleLanguageDefaults(const plat::StringList& list) {
    if (list.empty()) return;
    plat::StringList languages;
    for (const plat::String& entry : list)
        if (std::strchr(entry.c_str(), '_')) languages.push_back(entry);
    LanguageDefaults& defaults = languageDefaults();
    MutexLock lock(defaults.mutex);
    defaults.appleLocale = list.front();
    defaults.appleLanguages = std::move(languages);
    defaults.written = true;
}

bool userDefaultsForTesting(plat::String& appleLocale, plat::StringList& appleLanguages) {
    LanguageDefaults& defaults = languageDefaults();
    MutexLock lock(defaults.mutex);
    appleLocale = defaults.appleLocale;
    appleLanguages = defaults.appleLanguages;
    return defaults.written;
}

}  // namespace loc

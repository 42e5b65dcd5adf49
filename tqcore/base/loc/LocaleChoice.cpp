#include "loc/LocaleChoice.h"

#include "loc/LocInternal.h"
#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "plat/DString.h"

#include <cstdlib>
#include <cstring>

namespace loc {

const TerritoryRow defaultTerritories[54] = {
    {"af", "ZA"}, {"be", "BY"}, {"bg", "BG"}, {"ca", "ES"}, {"cs", "CZ"}, {"da", "DK"},
    {"de", "DE"}, {"dz", "BT"}, {"el", "GR"}, {"en", "US"}, {"es", "ES"}, {"et", "EE"},
    {"fa", "IR"}, {"fi", "FI"}, {"fo", "FO"}, {"fr", "FR"}, {"ga", "IE"}, {"gu", "IN"},
    {"he", "IL"}, {"hi", "IN"}, {"hr", "HR"}, {"hu", "HU"}, {"hy", "AM"}, {"is", "IS"},
    {"it", "IT"}, {"iu", "CA"}, {"ja", "JP"}, {"ka", "GE"}, {"ko", "KR"}, {"lt", "LT"},
    {"lv", "LV"}, {"mk", "MK"}, {"mr", "IN"}, {"mt", "MT"}, {"nb", "NO"}, {"ne", "NP"},
    {"nl", "NL"}, {"nn", "NO"}, {"pl", "PL"}, {"pt", "BR"}, {"ro", "RO"}, {"ru", "RU"},
    {"sk", "SK"}, {"sl", "SI"}, {"sr", "RS"}, {"sv", "SE"}, {"th", "TH"}, {"to", "TO"},
    {"tr", "TR"}, {"uk", "UA"}, {"ur", "PK"}, {"uz", "UZ"}, {"vi", "VN"}, {"zh", "CN"},
};

namespace {

// Compares a text with a NUL-padded field of three bytes.
int compareField(const char* text, const char (&field)[3]) {
    int c = std::strncmp(text, field, 3);
    if (c == 0 && std::strlen(text) > 3) c = 1;
    return c;
}

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool allLetters(const char* text, size_t length) {
    for (size_t i = 0; i < length; ++i)
        if (!isAsciiLetter(text[i])) return false;
    return true;
}

bool isCodesetChar(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

}  // namespace

LocaleParts splitLocaleName(const char* name) {
    LocaleParts parts{name ? name : "", 0, nullptr, 0, '\0'};
    parts.languageLength = std::strcspn(parts.language, "_-.@");
    parts.separator = parts.language[parts.languageLength];
    if (parts.separator == '_' || parts.separator == '-') {
        parts.territory = parts.language + parts.languageLength + 1;
        parts.territoryLength = std::strcspn(parts.territory, ".@");
    }
    return parts;
}

bool isCOrPosixLocale(const char* name) {
    LocaleParts parts = splitLocaleName(name);
    return (parts.languageLength == 1 && std::strncmp(parts.language, "C", 1) == 0) ||
           (parts.languageLength == 5 && std::strncmp(parts.language, "POSIX", 5) == 0);
}

const char* defaultTerritory(const char* language) {
    if (!language) return nullptr;
    size_t low = 0, high = sizeof defaultTerritories / sizeof defaultTerritories[0];
    while (low < high) {
        size_t middle = (low + high) / 2;
        int c = compareField(language, defaultTerritories[middle].language);
        if (c == 0) return defaultTerritories[middle].territory;
        if (c < 0)
            high = middle;
        else
            low = middle + 1;
    }
    return nullptr;
}

plat::String makeLocaleName(const char* language, const char* territory,
                            const char* defaultLanguage, const char* defaultTerritoryText,
                            const char* separator) {
    if (!language || !*language) return plat::String();
    if (!territory) {
        if (defaultLanguage && defaultTerritoryText && std::strcmp(defaultLanguage, language) == 0)
            territory = defaultTerritoryText;
        else
            territory = defaultTerritory(language);
    }
    if (!territory || !*territory) return plat::String(language);
    return plat::String::format("%s%s%s", language, separator ? separator : "", territory);
}

void parseLocaleList(const char* text, plat::StringList& out, const char* defaultLanguage,
                     const char* defaultTerritoryText) {
    if (!text) return;
    plat::String copy(text);
    char* cursor = copy.buf();
    while (cursor) {
        const char* piece = plat::strTok(&cursor, ':', false);
        if (!*piece) continue;
        LocaleParts parts = splitLocaleName(piece);
        plat::String language(parts.language, int(parts.languageLength));
        plat::String territory;
        if (parts.territory) territory = plat::String(parts.territory, int(parts.territoryLength));
        plat::String name = makeLocaleName(language.get(), territory.get(), defaultLanguage,
                                           defaultTerritoryText, "_");
        if (!name.isNull()) plat::addUniqueString(out, name.get());
    }
}

void expandLocaleList(const plat::StringList& list, plat::StringList& out) {
    for (const plat::String& entry : list) {
        plat::addUniqueString(out, entry.get());
        LocaleParts parts = splitLocaleName(entry.get());
        if (parts.territory && parts.territoryLength > 0 && parts.languageLength > 0)
            plat::addUniqueString(out,
                                  plat::String(parts.language, int(parts.languageLength)).get());
    }
    plat::addUniqueString(out, "en_US");
    plat::addUniqueString(out, "en");
}

bool languageEnvLocales(const char* currentLocale, plat::StringList& out) {
    const char* language = std::getenv("LANGUAGE");
    if (!language || !*language) return false;
    plat::String currentLanguage, currentTerritory;
    if (currentLocale) {
        LocaleParts parts = splitLocaleName(currentLocale);
        currentLanguage = plat::String(parts.language, int(parts.languageLength));
        if (parts.territory)
            currentTerritory = plat::String(parts.territory, int(parts.territoryLength));
    }
    parseLocaleList(language, out, currentLanguage.get(), currentTerritory.get());
    return !out.empty();
}

void sanitiseLocaleList(plat::String& out, const char* text, int maximum, bool dropCodeset) {
    plat::DString result;
    plat::String copy(text);
    char* cursor = copy.buf();
    int taken = 0;
    while (cursor && taken < maximum) {
        const char* piece = plat::strTok(&cursor, ':', false);
        LocaleParts parts = splitLocaleName(piece);
        if (parts.languageLength == 0 || parts.languageLength > 16 ||
            !allLetters(parts.language, parts.languageLength))
            continue;
        const char* codeset = nullptr;
        size_t codesetLength = 0;
        if (parts.separator == '.') {
            codeset = parts.language + parts.languageLength + 1;
            codesetLength = std::strcspn(codeset, "@");
        }
        char entry[256];
        plat::formatToBuffer256(entry, "%.*s", int(parts.languageLength), parts.language);
        if (parts.territory && parts.territoryLength >= 1 && parts.territoryLength <= 16 &&
            allLetters(parts.territory, parts.territoryLength))
            plat::appendFormat256(entry, "_%.*s", int(parts.territoryLength), parts.territory);
        bool codesetOk = codeset && codesetLength >= 1 && codesetLength <= 16;
        for (size_t i = 0; codesetOk && i < codesetLength; ++i)
            codesetOk = isCodesetChar(codeset[i]);
        if (codesetOk && !dropCodeset)
            plat::appendFormat256(entry, ".%.*s", int(codesetLength), codeset);
        if (!result.empty()) result.append(":");
        result.append(entry);
        ++taken;
    }
    out = plat::String(result.c_str());
}

void Localize::updateLocales() {
    plat::String value = localeParameter().getValueStr();
    bool fromSetting = value.length() > 0;
    plat::StringList chosen;
    if (fromSetting)
        parseLocaleList(value.get(), chosen, nullptr, nullptr);
    else
        LocaleSetter::useSystemLocale(chosen);
    plat::addUniqueString(chosen, "en_US");
    {
        // Other threads read the list (LocaleSetter::currentLocaleName) while it is replaced.
        MutexLock lock(registryMutex());
        locales_ = chosen;
    }
    setAppleLanguageDefaults(chosen);
    if (fromSetting) LocaleSetter::setProcessLocale(chosen);
    setLocales(chosen, TransMap::process());

    plat::String joined = getLocales();
    MutexLock lock(registryMutex());
    if (lastLoggedLocales_ != joined.get()) {
        localizeLog().info("Locales %s", joined.get());
        lastLoggedLocales_ = joined;
    }
}

}  // namespace loc

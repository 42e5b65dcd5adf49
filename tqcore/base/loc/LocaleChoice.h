// Choosing the locale list: normalising locale names, expanding a list for look-up, the user's
// preferred languages, and telling the user-interface framework the chosen languages.
//
// A locale name is a language code, optionally followed by "_" and a territory (de, de_AT,
// pt_BR). Input may also use "-" between them and carry a codeset after "." and a modifier after
// "@" (en-GB, de_DE.UTF-8, ca_ES@valencia); normalisation keeps only language and territory, and
// a language alone takes its usual territory from a table of 54 languages (de gives de_DE).
// Lists are ':'-separated in text and hold no duplicates.
#pragma once

#include "plat/String.h"
#include "plat/StringList.h"

namespace loc {

// Splits `text` at every ':' and appends each normalised entry (loc::makeLocaleName with "_")
// that is not empty and not present yet. An entry naming `defaultLanguage` without a territory
// takes `defaultTerritory` (both may be null). A null text appends nothing.
void parseLocaleList(const char* text, plat::StringList& out, const char* defaultLanguage,
                     const char* defaultTerritory);

// Language, `separator` and territory; null for a null or empty language. A null territory is
// replaced by `defaultTerritory` when `defaultLanguage` equals the language, else by the table's
// territory for the language; an empty territory, or a language the table lacks, gives the
// language alone.
plat::String makeLocaleName(const char* language, const char* territory,
                            const char* defaultLanguage, const char* defaultTerritory,
                            const char* separator);

// The usual territory of `language` (exact match, "de" gives "DE"), or null.
const char* defaultTerritory(const char* language);

struct TerritoryRow {
    char language[3];   // NUL-padded
    char territory[3];  // NUL-padded
};
// Sorted by language.
extern const TerritoryRow defaultTerritories[54];

// Appends each entry of `list`, followed by its language alone when it has a territory, then
// "en_US" and "en"; nothing twice. de_AT, fr_FR gives de_AT, de, fr_FR, fr, en_US, en.
void expandLocaleList(const plat::StringList& list, plat::StringList& out);

// The user's preferred locales, most preferred first: the first preferred language with the
// territory of the current locale, when the system has that POSIX locale (loc::setOsLocale);
// then each of the first five preferred languages with its own territory, else the table's.
// Here the preferred languages are the entries of the environment variable LANGUAGE, then the
// value of LC_ALL alone, or when it is not set those of LC_MESSAGES and LANG; the current
// locale is the first of those three variables that is set. Unset or empty variables and the C
// and POSIX locales (with or without a codeset or modifier) count as not set; so does such an
// entry of LANGUAGE, which is passed over. LANGUAGE=de with LANG=de_CH.UTF-8 gives de_CH, de_DE;
// LANGUAGE=C:de with LANG=de_DE.UTF-8 gives de_DE.
void systemPreferredLocales(plat::StringList& out);

// For a system without a list of preferred languages of its own: appends the list in the
// environment variable LANGUAGE to `out` (loc::parseLocaleList, with the language and territory
// of `currentLocale` as defaults). False when LANGUAGE is unset or empty, else whether `out` is
// not empty.
bool languageEnvLocales(const char* currentLocale, plat::StringList& out);

// Rebuilds a ':'-separated list from checked entries only: a language of 1 to 16 letters, then
// "_" and the territory when it is 1 to 16 letters, then (for an entry without a territory, and
// unless `dropCodeset`) "." and the codeset when it is 1 to 16 letters, digits, "-" or "_".
// Entries with a bad language are skipped; at most `maximum` entries are taken. `out` is empty
// when none is.
void sanitiseLocaleList(plat::String& out, const char* text, int maximum, bool dropCodeset);

// Tells the user-interface framework the chosen languages: "AppleLocale" the first entry,
// "AppleLanguages" every entry with a territory, in order. An empty list does nothing. Here the
// two values go to a store of this process that replaces what the previous call stored.
void setAppleLanguageDefaults(const plat::StringList& list);

// What setAppleLanguageDefaults last stored; false when it never stored anything.
bool userDefaultsForTesting(plat::String& appleLocale, plat::StringList& appleLanguages);

}  // namespace loc

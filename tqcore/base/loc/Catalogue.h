// Translation catalogues: each library's user-visible texts as one constant table, registered
// with the translation registry once, by whichever static initialiser asks first.
//
// A table has one row per key with the key's text in each of the five languages, and its rows
// ascend in byte order of key, so that the registry inserts every text in constant time.
// Tables are constant-initialised aggregates of literals: they are complete before any static
// initialiser runs, so a catalogue can be registered from another file's initialiser. Nothing is
// copied; the registry borrows the literals for the life of the process. The constexpr checks
// below let each table prove its order, uniqueness and prefix where it is written.
#pragma once

#include <cstddef>
#include <cstdint>

namespace loc {

struct CatalogueRow {
    const char* key;
    const char* en;  // English first, so that each row reads as the source and its translations
    const char* de;
    const char* es;
    const char* fr;
    const char* pt;  // Portuguese as used in Brazil
};

// A language of the catalogues and the row field that holds its texts.
struct CatalogueLanguage {
    const char* code;
    const char* CatalogueRow::*text;
};

// The languages in the order in which they are registered.
inline constexpr CatalogueLanguage kCatalogueLanguages[] = {{"de", &CatalogueRow::de},
                                                            {"es", &CatalogueRow::es},
                                                            {"fr", &CatalogueRow::fr},
                                                            {"en", &CatalogueRow::en},
                                                            {"pt", &CatalogueRow::pt}};
inline constexpr std::size_t kCatalogueLanguageCount =
    sizeof kCatalogueLanguages / sizeof kCatalogueLanguages[0];

// One library's catalogue.
struct Catalogue {
    const char* prefix;        // every key starts with it, underscore included ("plat_")
    const CatalogueRow* rows;  // ascending by key
    std::size_t rowCount;
    std::uint32_t* callCount;  // calls of the catalogue's table body so far
};

// Registers every text of `catalogue` with loc::Localize: all rows of "de", then of "es", "fr",
// "en" and "pt", each language in table order. Only the first call registers: the call counter
// is incremented and a call that finds it non-zero returns at once. Takes no lock, so it runs
// only while the program is single-threaded (static initialisation). A text that is not valid
// UTF-8 is the registry's plat::AssertionFail.
void registerCatalogue(const Catalogue& catalogue);

// Runs a catalogue's table body from a static initialiser of the catalogue's own file, so that
// its texts are registered even when no other file asks for them first.
struct RegisterAtStartUp {
    explicit RegisterAtStartUp(void (*tableBody)()) { tableBody(); }
};

// Byte-wise comparison of two keys, as the registry orders them: negative, zero or positive.
constexpr int compareCatalogueKeys(const char* a, const char* b) {
    for (; *a != '\0' && *a == *b; ++a, ++b) {
    }
    return static_cast<int>(static_cast<unsigned char>(*a)) -
           static_cast<int>(static_cast<unsigned char>(*b));
}

// Whether every key is greater than the one before it: ascending, and each key only once.
constexpr bool catalogueKeysAscending(const CatalogueRow* rows, std::size_t count) {
    for (std::size_t i = 1; i < count; ++i) {
        if (compareCatalogueKeys(rows[i - 1].key, rows[i].key) >= 0) return false;
    }
    return true;
}

// Whether every key starts with `prefix` and names something after it.
constexpr bool catalogueKeysHavePrefix(const CatalogueRow* rows, std::size_t count,
                                       const char* prefix) {
    for (std::size_t i = 0; i < count; ++i) {
        const char* key = rows[i].key;
        const char* p = prefix;
        for (; *p != '\0' && *key == *p; ++key, ++p) {
        }
        if (*p != '\0' || *key == '\0') return false;
    }
    return true;
}

// Whether every row has a key and a non-empty text in every language.
constexpr bool catalogueTextsPresent(const CatalogueRow* rows, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (rows[i].key == nullptr) return false;
        for (const CatalogueLanguage& language : kCatalogueLanguages) {
            const char* text = rows[i].*language.text;
            if (text == nullptr || *text == '\0') return false;
        }
    }
    return true;
}

}  // namespace loc

// Declares a library's catalogue entries in its namespace, named as the library's callers know
// them:
// - ensureEntry(void* ignored): makes sure the texts are registered; safe to call from any static
//   initialiser, any number of times, before or after the catalogue's own initialiser;
// - tableBody(): registers the texts on its first call (loc::registerCatalogue) and does nothing
//   on later calls;
// - table(): the catalogue's rows and call counter, for its tests.
#define LOC_DECLARE_CATALOGUE(ensureEntry, tableBody, table)                                       \
    void ensureEntry(void* ignored);                                                               \
    void tableBody();                                                                              \
    const ::loc::Catalogue& table()

// Defines the entries that LOC_DECLARE_CATALOGUE declared, in the same namespace, over `rows` (a
// constexpr array of loc::CatalogueRow). Compilation fails unless every row has all its texts,
// the keys ascend with each key once, every key starts with `prefix` and there are exactly
// `keyCount` of them. The catalogue's own static initialiser runs the table body. One catalogue
// per source file: the state it adds lives in that file's unnamed namespace.
#define LOC_DEFINE_CATALOGUE(prefix, rows, keyCount, ensureEntry, tableBody, table)                \
    namespace {                                                                                    \
    constexpr std::size_t kCatalogueRowCount = sizeof rows / sizeof rows[0];                       \
    static_assert(::loc::catalogueTextsPresent(rows, kCatalogueRowCount),                          \
                  "a row lacks its key or a text");                                                \
    static_assert(::loc::catalogueKeysAscending(rows, kCatalogueRowCount),                         \
                  "keys must ascend, each key once");                                              \
    static_assert(::loc::catalogueKeysHavePrefix(rows, kCatalogueRowCount, prefix),                \
                  "a key lacks the prefix " prefix);                                               \
    static_assert(kCatalogueRowCount == (keyCount),                                                \
                  "the " prefix " catalogue has " #keyCount " keys");                              \
    std::uint32_t catalogueCallCount = 0;                                                          \
    constexpr ::loc::Catalogue kCatalogue{prefix, rows, kCatalogueRowCount, &catalogueCallCount};  \
    ::loc::RegisterAtStartUp catalogueAtStartUp(tableBody);                                        \
    }                                                                                              \
    void ensureEntry(void*) {                                                                      \
        tableBody();                                                                               \
    }                                                                                              \
    void tableBody() {                                                                             \
        ::loc::registerCatalogue(kCatalogue);                                                      \
    }                                                                                              \
    const ::loc::Catalogue& table() {                                                              \
        return kCatalogue;                                                                         \
    }

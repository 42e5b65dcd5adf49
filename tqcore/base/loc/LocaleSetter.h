// POSIX locales for threads, kept in step with the translation registry.
//
// A locale name ("de_DE") is resolved to a POSIX locale that the system really has, preferring
// a UTF-8 variant ("de_DE.UTF-8"), and the result is cached for the life of the process, so each
// name is probed once. Probing never changes the process-wide locale: it builds a locale object
// of its own, so probes on several threads cannot disturb each other or any other thread.
//
// One POSIX locale is recorded for the process at every locale choice; it is never applied to
// the process as a whole. A thread picks it up through a loc::LocaleSetter, a scoped object that
// switches the calling thread to a POSIX locale and, when a locale is named, also to a view of
// the registry in that language, and restores both when it goes out of scope.
#pragma once

#include "plat/String.h"
#include "plat/StringList.h"

#include <cstdint>
#include <locale.h>
#include <memory>

namespace loc {

class TransMap;

enum class Charset : uint32_t { Other = 0, Utf8 = 1, Latin1 = 2, Ascii = 3 };

struct OsLocale {
    plat::String name;  // the POSIX locale name
    Charset charset = Charset::Other;
};

// Switches the calling thread to another POSIX locale for its lifetime: uselocale with a locale
// object of its own. A name the system refuses leaves the thread as it was.
class ThreadLocale {
public:
    explicit ThreadLocale(const char* name);
    ~ThreadLocale();
    ThreadLocale(const ThreadLocale&) = delete;
    ThreadLocale& operator=(const ThreadLocale&) = delete;

private:
    locale_t previous_;  // the thread's locale before the switch
    locale_t created_;   // made for the switch; null when the system refused the name
};

class LocaleSetter {
public:
    // With a locale (a ':'-separated list is accepted): the thread uses the first entry that
    // the system supports as a POSIX locale ("C" when none; refused entries before it are logged
    // "No OS support for locale \"<entry>\"" at the information level), and translates through a
    // view of the registry built from the list. Null or empty: the thread uses the POSIX locale
    // of the enclosing setter of this thread, else the process POSIX locale, and its translation
    // view is unchanged; nothing is logged.
    explicit LocaleSetter(const char* locale);
    // Restores the thread's POSIX locale and view. Setters of a thread must be destroyed in
    // reverse order of creation: anything else is the fatal assertion "thrInst == this".
    ~LocaleSetter();
    LocaleSetter(const LocaleSetter&) = delete;
    LocaleSetter& operator=(const LocaleSetter&) = delete;

    // The POSIX locale of the thread's innermost setter, else {"C", Other}.
    static OsLocale currentOsLocale();
    // The locale requested by the innermost setter of this thread that named one, else the
    // process locale list joined with ":".
    static plat::String currentLocaleName();

    // Fills `record` with the first entry of `list` that the system supports, logging each
    // refused entry before it; when none is, with "C". Returns whether `record` was filled.
    static bool chooseOsLocale(const plat::StringList& list, OsLocale& record);
    // Records the POSIX locale chosen from `list` as the process POSIX locale.
    static void setProcessLocale(const plat::StringList& list);
    // Fills `list` with the user's preferred locales and records the POSIX locale chosen from
    // them (loc::systemOsLocale) as the process POSIX locale.
    static void useSystemLocale(plat::StringList& list);
    // A copy of the process POSIX locale ({"C", Other} until the first locale choice).
    static OsLocale processLocale();

private:
    OsLocale osLocale_;                           // in force on the thread while this lives
    plat::String requested_;                      // the locale asked for, null when none
    LocaleSetter* previous_;                      // the thread's enclosing setter
    std::unique_ptr<TransMap> transMap_;          // the thread view, only with a request
    std::unique_ptr<ThreadLocale> threadLocale_;  // the switch of the thread's POSIX locale
};

// Resolves `name` to a POSIX locale the system has: the name itself when its codeset is UTF-8,
// else its first UTF-8 variant, else (for a name the system refuses) its first ISO 8859-1 or
// US-ASCII variant, else the name itself when the system accepts it. On success fills `record`
// and caches the result for the life of the process; on failure returns false, caches nothing
// and leaves `record` alone.
bool setOsLocale(const char* name, OsLocale& record);

// Whether the system accepts `name` for character classes, and the class of its codeset
// (Other when refused). `base` receives the name up to the first "." or "@", `modifier` the text
// after "@" (null when none). Touches no process-wide or thread state.
Charset probeLocale(const char* name, plat::String& base, plat::String& modifier);

struct CodesetRow {
    const char* name;
    Charset charset;
};
struct CodesetTable {
    int count;
    const CodesetRow* rows;
};
// "UTF-8", "utf-8", "UTF8", "utf8".
extern const CodesetTable utf8Codesets;
// The ISO 8859-1 and 8859-15 spellings, then "US-ASCII".
extern const CodesetTable latin1Codesets;

// Tries "<base>.<codeset>[@<modifier>]" for each row in order; the first that the system
// accepts for messages fills `record` with that name and the row's charset. Touches no
// process-wide or thread state.
bool tryCodesetVariants(const CodesetTable& table, const char* base, const char* modifier,
                        OsLocale& record);
bool tryUtf8Codesets(const char* base, const char* modifier, OsLocale& record);
bool tryLatin1Codesets(const char* base, const char* modifier, OsLocale& record);

// Fills `list` from loc::systemPreferredLocales and `record` with the first entry, or that
// entry's language with its default territory, that the system supports; "C" when none does.
// Logs nothing.
void systemOsLocale(OsLocale& record, plat::StringList& list);

}  // namespace loc

// What the files of the localisation library share and nobody else uses: the library's log
// source and the locks of its process-wide state.
//
// Every lock here is recursive: the locale update runs the registry's steps from within each
// other. Locks and the state they guard are created on first use and never destroyed, so other
// threads and static destructors can still translate while the process exits.
#pragma once

#include "plat/LogSrc.h"
#include "plat/Mutex.h"

#include <cstddef>

namespace loc {

using plat::Mutex;
using plat::MutexLock;

// The log source "Localize".
plat::LogSrc& localizeLog();
// Guards the registry's store, its locale lists, every view and every translation state.
Mutex& registryMutex();

// A locale name cut into its parts without copying: the language is the text before the first
// of "_", "-", "." or "@"; when that separator is "_" or "-", the territory is the text after it
// up to the next "." or "@" (possibly empty).
struct LocaleParts {
    const char* language;
    size_t languageLength;
    const char* territory;  // null when the name has no territory part
    size_t territoryLength;
    char separator;  // the separator after the language, NUL when none
};
LocaleParts splitLocaleName(const char* name);

// Whether a locale name is the C or POSIX locale ("C", "POSIX", "C.UTF-8", "POSIX@x"...), which
// says nothing about the user's language.
bool isCOrPosixLocale(const char* name);

}  // namespace loc

// os::DirEnum: lists the entries of one directory, without "." and "..", in the order the file
// system gives them.
//
// The directory stays open (close-on-exec, so started programs do not inherit it) for the life
// of the object. Each entry costs one readdir and one copy of its name into a path buffer that
// is reused, so the walk allocates only when a longer name comes along. An object belongs to
// one thread at a time.
#pragma once

#include "plat/DString.h"

#include <dirent.h>

namespace os {

class DirEnum {
public:
    // Opens `directory` for listing. Throws plat::SystemException "opendir(<directory>)" with the
    // system's error number when it cannot be opened (missing: ENOENT, not a directory:
    // ENOTDIR); null counts as "".
    explicit DirEnum(const char* directory);
    ~DirEnum();
    DirEnum(const DirEnum&) = delete;
    DirEnum& operator=(const DirEnum&) = delete;

    // Moves to the next entry and returns its name; "" once the listing is used up (and on every
    // call after that). The text lives in this object until the next call. A read error throws
    // plat::SystemException "readdir"; the listing may then be tried again.
    const char* next();

    // The current entry's name, and its full path: the directory as given, '/', the name (no
    // second '/' when the directory already ends in one). Both are "" before the first entry and
    // at the end.
    const char* name() const { return hasEntry_ ? path_.c_str() + prefixLength_ : ""; }
    const char* path() const { return hasEntry_ ? path_.c_str() : ""; }

private:
    DIR* dir_ = nullptr;
    plat::DString path_;       // the directory and '/', followed by the current name
    size_t prefixLength_ = 0;  // length of the directory and '/' within path_
    bool hasEntry_ = false;    // path_ holds a current entry
};

}  // namespace os

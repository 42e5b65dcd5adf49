// Pure text operations on "/"-separated paths, and the cleaning of names that become file names.
//
// Nothing here touches the file system: ".." is resolved against the text, not against symbolic
// links (plat::realPath in "plat/File.h" does that). Every operation is linear in the length of
// its input; the ones that make new texts allocate their result once.
#pragma once

#include "plat/DString.h"
#include "plat/String.h"

namespace plat {

// True when the path begins with "/".
inline bool pathIsAbsolute(const char* path) {
    return path && path[0] == '/';
}
// False only for exactly "/".
inline bool pathIsNotRoot(const char* path) {
    return !(path && path[0] == '/' && path[1] == '\0');
}
// The first character that is not "/".
inline const char* pathSkipSlashes(const char* path) {
    while (*path == '/')
        ++path;
    return path;
}

// Collapses runs of "/", drops "." components and a trailing "/", and lets ".." remove the
// component before it. A ".." at the root is dropped ("/.." is "/"); leading ".." components of a
// relative path stay ("a/../.." is ".."). An empty result is "."; null counts as "".
String normalisePath(const char* path);

// The directory part of the normalised path: "/a/b" gives "/a", "/a" and "/" give "/", "a" gives
// ".", "." gives ".." and a relative path ending in ".." gets another "/.." ("../.." for "..").
String pathDirName(const char* path);

// The last component of the normalised path: "/" for the root, "." for a relative path ending in
// "..". When `suffix` is given and the component is longer than it and ends with it (ASCII case
// ignored), the suffix is cut off: "/usr/bin/x.EXE" with ".exe" gives "x".
String pathBaseName(const char* path, const char* suffix = nullptr);

// The length of the reserved device name ("CON", "PRN", "AUX", "NUL", "COM1".."COM9",
// "LPT1".."LPT9", ASCII case ignored) that `name` begins with when it is followed by the end of
// the name or by "."; otherwise 0. "com3.txt" gives 4, "CONSOLE" gives 0.
int reservedDeviceNameLength(const char* name);

// A copy of `name` in which every byte below 0x20, DEL and "/" is replaced by `replacement`
// (the program passes "-"). A name that would still name a directory ("", "." or "..") becomes
// `replacement` itself, so the result never leaves the directory it is joined to, provided the
// replacement is a safe, non-empty name. Null counts as "".
DString sanitiseFileName(const char* name, const char* replacement);

}  // namespace plat

// Identity and directories of the running program: its name, its path component, the directory
// of its executable, the resource directory of its bundle and its configuration directories.
//
// Product start-up sets the name and the path component once, before it starts other threads;
// from then on the getters are single atomic loads that allocate nothing and may be called from
// any thread. Setting a value again frees the text that the getters returned before, so only
// start-up (and tests) may do it. getModuleRelativePath costs one readlink and an allocation.
#pragma once

#include "plat/String.h"

namespace os {

// Store private copies of the program name and of the application's path component (the
// relative path that, after the executable's directory and '/', names the installation's files);
// null unsets. Not safe while another thread reads the value: a text returned earlier is freed.
void setAppName(const char* name);
void setAppPathComponent(const char* pathComponent);

// The program name, owned by this layer and valid until the next setAppName. When it was never
// set: "" with emptyIfUnset, otherwise the fatal assertion failure "emptyIfUnset || app".
// Never null.
const char* getAppName(bool emptyIfUnset);

// The application's path component, as getAppName; the assertion text is
// "emptyIfUnset || pathComp".
const char* getAppPathComponent(bool emptyIfUnset);

// The absolute directory of the program's executable, without a trailing '/' ("/" when the
// executable sits in the root). An empty text when the system does not tell where the executable
// is. Never throws.
plat::String getModuleRelativePath();

// The resource directory of the application's bundle, or null when the process has none. This
// build has no bundles, so the result is null unless setResourceDir named a directory. The text
// belongs to this layer: the caller does not free it, and it stays valid until the next
// setResourceDir.
const char* getResourceDir();

// Makes getResourceDir return a private copy of `path` (null: no resource directory). Like the
// other setters, meant for start-up and tests, not for a moment when other threads read it.
void setResourceDir(const char* path);

// Store private copies of the configuration directories that product start-up works out: the
// system configuration directory ("/etc/qdx"), the user's configuration directory and the
// user's own parameter file, where the user's changes go. Null unsets. Start-up and tests only,
// as setAppName.
void setConfigDirs(const char* systemDir, const char* userDir, const char* userFile);
// The texts stored by setConfigDirs, owned by this layer; "" when unset. Never null.
const char* getSystemConfigDir();
const char* getUserConfigDir();
const char* getUserConfigFile();

}  // namespace os

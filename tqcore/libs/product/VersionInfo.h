// product::versionInfo: what the program says about itself — its version, its system and the
// product information text that opens the help and the log file.
//
// The record is filled by product start-up and kept up to date: it is composed again when the
// version is fixed, at start-up, and whenever the locale changes (its legal notices are
// translated), and each new text also becomes the log files' header. It lives for the whole
// process and is read and written on the main thread only.
#pragma once

#include "plat/String.h"

namespace product {

struct VersionInfo {
    plat::String version;       // "3.0.0 (dev)"
    plat::String buildVersion;  // "3.0.0.0"
    plat::String versionLine;   // the product's name, version and build
    plat::String copyright;     // the translated copyright line
    plat::String systemLine;    // "OS: <system> <release> <machine>"
    plat::String productInfo;   // version line, notices, further information, system line
};

// The record; empty texts until product start-up fills it.
const VersionInfo& versionInfo();

// Fixes the program's version and build version (the entry does this first) and composes the
// record again.
void setVersion(const char* version, const char* buildVersion);

// Composes the record again from the version, the display name and the current translations,
// and hands the product information text to the log files' header. Product start-up calls it,
// and so does every change of the locale.
void updateVersionInfo();

}  // namespace product

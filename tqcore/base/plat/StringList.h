// Lists, sets and maps of owned strings.
//
// Sets and maps order their keys by strcmp, with a null key before every text.
#pragma once

#include "plat/String.h"

#include <map>
#include <set>
#include <vector>

namespace plat {

struct StrLess {
    bool operator()(const String& a, const String& b) const {
        return strCmpNull(a.get(), b.get()) < 0;
    }
};

using StringList = std::vector<String>;
using StringSet = std::set<String, StrLess>;
using StringMap = std::map<String, String, StrLess>;

// Frees every string of the list, then its storage.
void freeStringVector(StringList& list);
// Appends a copy of `text` unless an equal entry (or null for null) is already there.
void addUniqueString(StringList& list, const char* text);
// The pieces of `text` between occurrences of `separator`, empty ones included; null gives none.
StringSet splitToSet(const char* text, char separator);

}  // namespace plat

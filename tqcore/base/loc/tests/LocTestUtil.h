// Helpers of the localisation tests: environment variables set for one scope, POSIX locales
// the machine may lack, and string lists as plain vectors.
#pragma once

#include "plat/StringList.h"

#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

namespace loctest {

using Strings = std::vector<std::string>;

// Sets (null: unsets) an environment variable for the scope.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        had_ = old != nullptr;
        old_ = old ? old : "";
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { had_ ? setenv(name_.c_str(), old_.c_str(), 1) : unsetenv(name_.c_str()); }

private:
    std::string name_, old_;
    bool had_;
};

inline bool systemHasLocale(const char* name) {
    locale_t l = newlocale(LC_ALL_MASK, name, locale_t(0));
    if (l) freelocale(l);
    return l != locale_t(0);
}

inline Strings toVector(const plat::StringList& list) {
    Strings out;
    for (const plat::String& s : list)
        out.push_back(s.c_str());
    return out;
}

inline plat::StringList toList(const Strings& items) {
    plat::StringList out;
    for (const std::string& s : items)
        out.emplace_back(s.c_str());
    return out;
}

}  // namespace loctest

#define LOCTEST_REQUIRE_LOCALE(name)                                                               \
    if (!loctest::systemHasLocale(name))                                                           \
    GTEST_SKIP() << "POSIX locale " << (name) << " is missing (./test.sh makes it)"

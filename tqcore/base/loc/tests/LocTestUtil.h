// Helpers of the localisation tests: environment variables set for one scope, a check for
// POSIX locales the machine may lack, and lists of strings compared as plain vectors.
#pragma once

#include "plat/StringList.h"

#include <cstdlib>
#include <locale.h>
#include <string>
#include <vector>

namespace loctest {

// Sets (or, with null, unsets) an environment variable and restores it when destroyed.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            hadValue_ = true;
            oldValue_ = old;
        }
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (hadValue_)
            setenv(name_.c_str(), oldValue_.c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    bool hadValue_ = false;
    std::string oldValue_;
};

inline bool systemHasLocale(const char* name) {
    locale_t l = newlocale(LC_ALL_MASK, name, locale_t(0));
    if (l) freelocale(l);
    return l != locale_t(0);
}

inline std::vector<std::string> toVector(const plat::StringList& list) {
    std::vector<std::string> out;
    for (const plat::String& s : list)
        out.push_back(s.c_str());
    return out;
}

inline plat::StringList toList(const std::vector<std::string>& items) {
    plat::StringList out;
    for (const std::string& s : items)
        out.emplace_back(s.c_str());
    return out;
}

}  // namespace loctest

#define LOCTEST_REQUIRE_LOCALE(name)                                                               \
    do {                                                                                           \
        if (!loctest::systemHasLocale(name))                                                       \
            GTEST_SKIP() << "POSIX locale " << (name) << " is missing (./test.sh makes it)";       \
    } while (0)

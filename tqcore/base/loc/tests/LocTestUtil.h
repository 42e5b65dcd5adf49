// Helpers of the localisation tests: the locale variables of the environment set for one scope,
// POSIX locales the machine may lack, and string lists written as one ':'-separated text.
#pragma once

#include "plat/StringList.h"

#include <cstdlib>
#include <initializer_list>
#include <locale.h>
#include <optional>
#include <string>

namespace loctest {

// Sets LANGUAGE, LC_ALL, LC_MESSAGES and LANG (null: unsets) for the scope.
class ScopedLocaleEnv {
public:
    ScopedLocaleEnv(const char* language, const char* lcAll, const char* lcMessages,
                    const char* lang) {
        const char* values[] = {language, lcAll, lcMessages, lang};
        for (int i = 0; i < 4; ++i) {
            if (const char* old = std::getenv(kNames[i])) saved_[i] = old;
            values[i] ? setenv(kNames[i], values[i], 1) : unsetenv(kNames[i]);
        }
    }
    ~ScopedLocaleEnv() {
        for (int i = 0; i < 4; ++i)
            saved_[i] ? setenv(kNames[i], saved_[i]->c_str(), 1) : unsetenv(kNames[i]);
    }

private:
    static constexpr const char* kNames[] = {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"};
    std::optional<std::string> saved_[4];
};

inline bool systemHasLocale(const char* name) {
    locale_t l = newlocale(LC_ALL_MASK, name, locale_t(0));
    if (l) freelocale(l);
    return l != locale_t(0);
}

// "a:b:c" for the list a, b, c (entries never hold ':'); an empty entry shows as "<empty>".
inline std::string joined(const plat::StringList& list) {
    std::string out;
    for (const plat::String& s : list)
        out += (out.empty() ? "" : ":") + std::string(*s.c_str() ? s.c_str() : "<empty>");
    return out;
}

inline plat::StringList listOf(std::initializer_list<const char*> items) {
    plat::StringList out;
    for (const char* item : items)
        out.emplace_back(item);
    return out;
}

}  // namespace loctest

#define LOCTEST_REQUIRE_LOCALE(name)                                                               \
    if (!loctest::systemHasLocale(name))                                                           \
    GTEST_SKIP() << "POSIX locale " << (name) << " is missing (./test.sh makes it)"

#include "loc/LocaleChoice.h"

#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/Configuration.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>

namespace {

using loctest::joined;
using loctest::ScopedLocaleEnv;

TEST(LocaleList, ParsingNormalisesEachEntryAndExpansionAddsLanguages) {
    const struct {
        const char *text, *parsed, *expanded;
    } cases[] = {
        {"pt-BR", "pt_BR", "pt_BR:pt:en_US:en"},
        {"de_AT.UTF-8@euro:ca_ES@valencia", "de_AT:ca_ES", "de_AT:de:ca_ES:ca:en_US:en"},
        {"de:de_DE::de", "de_DE", "de_DE:de:en_US:en"},
        {"en_GB:en_US", "en_GB:en_US", "en_GB:en:en_US"},
        {":::", "", "en_US:en"},
        {"eo:de_:deu", "eo:de:deu", "eo:de:deu:en_US:en"},  // no territory
        {"_DE:-x:.utf8:@m", "", "en_US:en"},
    };
    for (const auto& c : cases) {
        plat::StringList parsed, expanded;
        loc::parseLocaleList(c.text, parsed, nullptr, nullptr);
        EXPECT_EQ(joined(parsed), c.parsed) << c.text;
        loc::expandLocaleList(parsed, expanded);
        EXPECT_EQ(joined(expanded), c.expanded) << c.text;
    }
    plat::StringList withDefault;
    loc::parseLocaleList("de:fr:de_AT", withDefault, "de", "CH");
    EXPECT_EQ(joined(withDefault), "de_CH:fr_FR:de_AT");
}

// The table is searched by bisection: one row out of order hides others.
TEST(LocaleList, TerritoryTableIsSorted) {
    const loc::TerritoryRow* rows = loc::defaultTerritories;
    for (size_t i = 0; i < 54; ++i) {
        if (i > 0) {
            EXPECT_LT(std::strncmp(rows[i - 1].language, rows[i].language, 3), 0);
        }
        EXPECT_STREQ(loc::defaultTerritory(rows[i].language), rows[i].territory);
    }
    for (const char* absent : {"xx", "d", "dea", "zz"})
        EXPECT_EQ(loc::defaultTerritory(absent), nullptr) << absent;
}

TEST(LocaleList, SanitisingKeepsCheckedEntriesOnly) {
    const struct {
        const char* text;
        int maximum;
        bool dropCodeset;
        const char* expected;
    } cases[] = {
        {"en.UTF-8", 5, false, "en.UTF-8"},       {"en.UTF-8", 5, true, "en"},
        {"de_DE.UTF-8@euro", 5, false, "de_DE"},  {"x1:de:fr", 1, false, "de"},
        {"abcdefghijklmnopq:de", 5, false, "de"},  // 17 letters
        {"es_419:en.a/b", 5, false, "es:en"},     {"de:fr", 0, false, ""},
    };
    for (const auto& c : cases) {
        plat::String out("previous");
        loc::sanitiseLocaleList(out, c.text, c.maximum, c.dropCodeset);
        EXPECT_STREQ(out.c_str(), c.expected) << c.text;
    }
}

TEST(SystemLocales, PreferredLocalesFromTheEnvironment) {
    const struct {
        const char *language, *lcAll, *lcMessages, *lang, *expected;
        const char* needs;  // a POSIX locale the row relies on, null when none
    } cases[] = {
        // The first language with the current locale's territory leads when the system has
        // that locale; each preferred language follows with its own or its usual territory.
        {"de", nullptr, nullptr, "de_CH.UTF-8", "de_CH:de_DE", "de_CH.UTF-8"},
        {"pt:de", nullptr, nullptr, "de_CH.UTF-8", "pt_BR:de_DE:de_CH", "de_CH.UTF-8"},  // no pt_CH
        {"de:fr_CH", nullptr, nullptr, "de_AQ.UTF-8", "de_DE:fr_CH:de_AQ", nullptr},
        {nullptr, nullptr, nullptr, "C.UTF-8", "", nullptr},
        {"", "POSIX", "", "fr_FR.UTF-8", "fr_FR", nullptr},
        // LC_ALL overrides the other two, unless it is the C locale.
        {nullptr, "pt_BR.UTF-8", "es_ES", "en_US.UTF-8", "pt_BR", nullptr},
        {nullptr, "C", "es_ES", "en_US.UTF-8", "es_ES:en_US", nullptr},
        {"es:it:nl:pl:sv:fi", nullptr, nullptr, nullptr, "es_ES:it_IT:nl_NL:pl_PL:sv_SE", nullptr},
        // The C and POSIX locales in LANGUAGE say nothing either: not even the first language,
        // nor one of the five places.
        {"C:de", nullptr, nullptr, "de_DE.UTF-8", "de_DE", nullptr},
        {"POSIX.UTF-8:C@euro:C.utf8:es:it:nl:pl:sv", nullptr, nullptr, nullptr,
         "es_ES:it_IT:nl_NL:pl_PL:sv_SE", nullptr},
    };
    std::string missing;
    for (const auto& c : cases) {
        if (c.needs && !loctest::systemHasLocale(c.needs)) {
            missing += std::string(" ") + c.needs;
            continue;
        }
        ScopedLocaleEnv env(c.language, c.lcAll, c.lcMessages, c.lang);
        plat::StringList out;
        loc::systemPreferredLocales(out);
        EXPECT_EQ(joined(out), c.expected) << (c.language ? c.language : "(no LANGUAGE)");
    }
    // A system without a preferred-language list of its own has LANGUAGE alone, where an entry
    // without a territory takes the current locale's.
    {
        ScopedLocaleEnv env("de:fr", nullptr, nullptr, nullptr);
        plat::StringList out;
        EXPECT_TRUE(loc::languageEnvLocales("de_CH.UTF-8", out));
        EXPECT_EQ(joined(out), "de_CH:fr_FR");
    }
    {
        ScopedLocaleEnv env("", nullptr, nullptr, nullptr);
        plat::StringList out;
        EXPECT_FALSE(loc::languageEnvLocales("de_CH.UTF-8", out));
    }
    // The POSIX locale of the process: the first entry the system has, else its language with
    // the usual territory.
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    ScopedLocaleEnv env("xx_YY:de_LI", nullptr, nullptr, nullptr);
    loc::OsLocale record;
    plat::StringList list;
    loc::systemOsLocale(record, list);
    EXPECT_EQ(joined(list), "xx_YY:de_LI");
    EXPECT_STREQ(record.name.c_str(), "de_DE.UTF-8");
    if (!missing.empty())
        GTEST_SKIP() << "POSIX locales missing:" << missing << " (./test.sh makes them)";
}

// The locale update through the `Locale` setting, as the program runs it.
class LocaleUpdate : public testing::Test {
protected:
    void SetUp() override { loc::Localize::instance().registerResourceDirs(plat::StringList()); }
    void TearDown() override { loc::Localize::localeParameter().unsetParam(10, true); }
    static void setLocale(const char* value) {
        ASSERT_TRUE(loc::Localize::localeParameter().setParam(value, 10));
    }
};

TEST_F(LocaleUpdate, TheSettingChoosesTheListsAndTheLanguageDefaults) {
    // Created by the library's static initialiser, found without naming the object.
    ASSERT_EQ(plat::Configuration::global()->findParam("Locale"),
              &loc::Localize::localeParameter());
    ScopedLocaleEnv env("fr:de", nullptr, nullptr, "fr_FR.UTF-8");
    const struct {
        const char *setting, *locales, *view, *apple;  // apple: AppleLocale / AppleLanguages
    } cases[] = {
        {"de", "de_DE:en_US", "de_DE:de:en_US:en", "de_DE / de_DE:en_US"},
        {":::", "en_US", "en_US:en", "en_US / en_US"},
        {"eo:pt-BR", "eo:pt_BR:en_US", "eo:pt_BR:pt:en_US:en", "eo / pt_BR:en_US"},
        // No setting: the user's preferred locales.
        {nullptr, "fr_FR:de_DE:en_US", "fr_FR:fr:de_DE:de:en_US:en", "fr_FR / fr_FR:de_DE:en_US"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting ? c.setting : "(unset)");
        if (c.setting) {
            setLocale(c.setting);
        } else {
            loc::Localize::localeParameter().unsetParam(10, true);
        }
        EXPECT_STREQ(loc::Localize::instance().getLocales().c_str(), c.locales);
        EXPECT_EQ(joined(loc::TransMap::process()->locales()), c.view);
        plat::String appleLocale;
        plat::StringList appleLanguages;
        ASSERT_TRUE(loc::userDefaultsForTesting(appleLocale, appleLanguages));
        EXPECT_EQ(appleLocale.c_str() + std::string(" / ") + joined(appleLanguages), c.apple);
    }
    if (loctest::systemHasLocale("de_DE.UTF-8")) {
        setLocale("de");
        EXPECT_STREQ(loc::LocaleSetter::processLocale().name.c_str(), "de_DE.UTF-8");
    }
}

// Choosing the same list again, however it is written, neither rebuilds the view nor logs the
// list again. Each choice also sets the process's POSIX locale, which logs every locale that the
// machine lacks: those lines tell what is installed, not what was rebuilt, and are left out.
TEST_F(LocaleUpdate, TheSameListIsRebuiltAndLoggedOnce) {
    setLocale("fr");
    plat::test::CapturedLog log("Localize", plat::LogSrc::kVerbose);
    for (const char* setting : {"de", "de_DE", "de-DE.UTF-8"})
        setLocale(setting);
    std::vector<std::string> texts;
    for (const std::string& text : log.texts("Localize"))
        if (text.rfind("No OS support for locale ", 0) != 0) texts.push_back(text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Updating process TransMap with locales:", " de_DE",
                                               " de", " en_US", " en", "Locales de_DE:en_US"}));
}

// The process list is read on other threads while it is chosen again.
TEST_F(LocaleUpdate, ReadersOnOtherThreadsDuringUpdates) {
    setLocale("fr");
    std::atomic<bool> done{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!done.load()) {
            std::string name = loc::LocaleSetter::currentLocaleName().c_str();
            bad += name != "de_DE:en_US" && name != "fr_FR:en_US";
        }
    });
    for (int i = 0; i < 100; ++i)
        setLocale(i % 2 ? "de" : "fr");
    done = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace

#include "loc/LocaleChoice.h"

#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using loctest::ScopedEnv;
using loctest::toList;
using loctest::toVector;
using Strings = std::vector<std::string>;

TEST(LocaleList, ParsingNormalisesEachEntry) {
    struct Case {
        const char* text;
        const char* defaultLanguage;
        const char* defaultTerritory;
        Strings expected;
    };
    const Case cases[] = {
        {"pt-BR", nullptr, nullptr, {"pt_BR"}},
        {"de_AT.UTF-8@euro", nullptr, nullptr, {"de_AT"}},
        {"ca_ES@valencia", nullptr, nullptr, {"ca_ES"}},
        {"zh", nullptr, nullptr, {"zh_CN"}},
        {"en.UTF-8", nullptr, nullptr, {"en_US"}},
        {"de:fr", nullptr, nullptr, {"de_DE", "fr_FR"}},
        {"de:de_DE::de", nullptr, nullptr, {"de_DE"}},
        {":::", nullptr, nullptr, {}},
        {"", nullptr, nullptr, {}},
        {"eo", nullptr, nullptr, {"eo"}},   // not in the table: the language alone
        {"de_", nullptr, nullptr, {"de"}},  // an empty territory too
        {"_DE:-x:.utf8:@m", nullptr, nullptr, {}},
        {"de:fr", "de", "CH", {"de_CH", "fr_FR"}},
        {"de_AT:de", "de", "CH", {"de_AT", "de_CH"}},
        {"deu", nullptr, nullptr, {"deu"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        plat::StringList out;
        loc::parseLocaleList(c.text, out, c.defaultLanguage, c.defaultTerritory);
        EXPECT_EQ(toVector(out), c.expected);
    }
    plat::StringList out;
    loc::parseLocaleList(nullptr, out, nullptr, nullptr);
    EXPECT_TRUE(out.empty());
    EXPECT_TRUE(loc::makeLocaleName("", "DE", nullptr, nullptr, "_").isNull());
    EXPECT_STREQ(loc::makeLocaleName("pt", "BR", nullptr, nullptr, "-").c_str(), "pt-BR");
}

// The table is searched by bisection: one row out of order hides others.
TEST(LocaleList, TerritoryTableIsSortedAndComplete) {
    const size_t rows = sizeof loc::defaultTerritories / sizeof loc::defaultTerritories[0];
    ASSERT_EQ(rows, 54u);
    for (size_t i = 0; i < rows; ++i) {
        const loc::TerritoryRow& row = loc::defaultTerritories[i];
        if (i > 0) {

            EXPECT_LT(std::strncmp(loc::defaultTerritories[i - 1].language, row.language, 3), 0);
        }
        EXPECT_STREQ(loc::defaultTerritory(row.language), row.territory) << row.language;
    }
    EXPECT_EQ(loc::defaultTerritory("xx"), nullptr);
    EXPECT_EQ(loc::defaultTerritory("d"), nullptr);
    EXPECT_EQ(loc::defaultTerritory("dea"), nullptr);
    EXPECT_EQ(loc::defaultTerritory(nullptr), nullptr);
}

TEST(LocaleList, ExpansionAddsLanguagesAndEnglish) {
    struct Case {
        Strings list;
        Strings expected;
    };
    const Case cases[] = {
        {{"de_AT", "fr_FR"}, {"de_AT", "de", "fr_FR", "fr", "en_US", "en"}},
        {{"en_GB", "en_US"}, {"en_GB", "en", "en_US"}},
        {{"de_AT", "de"}, {"de_AT", "de", "en_US", "en"}},
        {{"pt-BR", "eo"}, {"pt-BR", "pt", "eo", "en_US", "en"}},
        {{"de_"}, {"de_", "en_US", "en"}},
        {{}, {"en_US", "en"}},
    };
    for (const Case& c : cases) {
        plat::StringList out;
        loc::expandLocaleList(toList(c.list), out);
        EXPECT_EQ(toVector(out), c.expected);
    }
}

TEST(LocaleList, SanitisingKeepsCheckedEntriesOnly) {
    struct Case {
        const char* text;
        int maximum;
        bool dropCodeset;
        const char* expected;
    };
    const Case cases[] = {
        {"de_DE:fr", 5, false, "de_DE:fr"},
        {"en.UTF-8", 5, false, "en.UTF-8"},
        {"en.UTF-8", 5, true, "en"},
        {"de_DE.UTF-8@euro", 5, false, "de_DE"},
        {"x1:de:fr", 1, false, "de"},
        {"abcdefghijklmnopq:de", 5, false, "de"},  // 17 letters
        {"abcdefghijklmnop_ABCDEFGHIJKLMNOP", 5, false, "abcdefghijklmnop_ABCDEFGHIJKLMNOP"},
        {"es_419", 5, false, "es"},
        {"en.UTF 8:en.a/b:en.12345678901234567", 5, false, "en:en:en"},
        {"::", 5, false, ""},
        {"de:fr", 0, false, ""},
        {"", 5, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        plat::String out("previous");
        loc::sanitiseLocaleList(out, c.text, c.maximum, c.dropCodeset);
        EXPECT_STREQ(out.c_str(), c.expected);
    }
}

TEST(SystemLocales, PreferredLocalesFromTheEnvironment) {
    struct Case {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        Strings expected;
    };
    const Case cases[] = {
        {"de:fr_CH", nullptr, nullptr, "de_AT.UTF-8", {"de_AT", "fr_CH"}},
        {nullptr, nullptr, nullptr, "C", {}},
        {nullptr, nullptr, nullptr, "C.UTF-8", {}},
        {nullptr, nullptr, nullptr, nullptr, {}},
        {"", "POSIX", "", "fr_FR.UTF-8", {"fr_FR"}},
        {nullptr, "pt_BR.UTF-8", "es_ES", "en_US.UTF-8", {"pt_BR", "es_ES", "en_US"}},
        {"es:it:nl:pl:sv:fi",
         nullptr,
         nullptr,
         nullptr,
         {"es_ES", "it_IT", "nl_NL", "pl_PL", "sv_SE"}},
        {"pt", nullptr, "pt_PT.UTF-8", "de_DE.UTF-8", {"pt_PT", "de_DE"}},
        {":::", nullptr, nullptr, "ja_JP.UTF-8", {"ja_JP"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.language ? c.language : "(no LANGUAGE)");
        ScopedEnv language("LANGUAGE", c.language);
        ScopedEnv lcAll("LC_ALL", c.lcAll);
        ScopedEnv lcMessages("LC_MESSAGES", c.lcMessages);
        ScopedEnv lang("LANG", c.lang);
        plat::StringList out;
        loc::systemPreferredLocales(out);
        EXPECT_EQ(toVector(out), c.expected);
    }
    ScopedEnv language("LANGUAGE", "de");
    plat::StringList out;
    EXPECT_TRUE(loc::languageEnvLocales("de_CH.UTF-8", out));
    EXPECT_EQ(toVector(out), Strings{"de_CH"});
    ScopedEnv noLanguage("LANGUAGE", "");
    EXPECT_FALSE(loc::languageEnvLocales("de_CH", out));
}

TEST(SystemLocales, TheSystemPosixLocaleFallsBackToTheUsualTerritory) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    ScopedEnv language("LANGUAGE", "xx_YY:de_LI");
    ScopedEnv lcAll("LC_ALL", nullptr);
    ScopedEnv lcMessages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", nullptr);
    loc::OsLocale record;
    plat::StringList list;
    loc::systemOsLocale(record, list);
    EXPECT_EQ(toVector(list), (Strings{"xx_YY", "de_LI"}));
    EXPECT_STREQ(record.name.c_str(), "de_DE.UTF-8");
}

TEST(LanguageDefaults, FirstEntryAndEntriesWithATerritory) {
    loc::setAppleLanguageDefaults(toList({"de_AT", "de", "en_US"}));
    plat::String appleLocale;
    plat::StringList appleLanguages;
    ASSERT_TRUE(loc::userDefaultsForTesting(appleLocale, appleLanguages));
    EXPECT_STREQ(appleLocale.c_str(), "de_AT");
    EXPECT_EQ(toVector(appleLanguages), (Strings{"de_AT", "en_US"}));
    loc::setAppleLanguageDefaults(plat::StringList());  // an empty list changes nothing
    ASSERT_TRUE(loc::userDefaultsForTesting(appleLocale, appleLanguages));
    EXPECT_STREQ(appleLocale.c_str(), "de_AT");
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

TEST_F(LocaleUpdate, TheSettingChoosesTheListAndTheViews) {
    struct Case {
        const char* setting;
        const char* locales;
        Strings view;
        Strings appleLanguages;
    };
    const Case cases[] = {
        {"de", "de_DE:en_US", {"de_DE", "de", "en_US", "en"}, {"de_DE", "en_US"}},
        {"en_GB", "en_GB:en_US", {"en_GB", "en", "en_US"}, {"en_GB", "en_US"}},
        {":::", "en_US", {"en_US", "en"}, {"en_US"}},
        {"eo:pt-BR", "eo:pt_BR:en_US", {"eo", "pt_BR", "pt", "en_US", "en"}, {"pt_BR", "en_US"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.setting);
        setLocale(c.setting);
        EXPECT_STREQ(loc::Localize::instance().getLocales().c_str(), c.locales);
        EXPECT_EQ(toVector(loc::TransMap::process()->locales()), c.view);
        plat::String appleLocale;
        plat::StringList appleLanguages;
        ASSERT_TRUE(loc::userDefaultsForTesting(appleLocale, appleLanguages));
        EXPECT_EQ(std::string(appleLocale.c_str()),
                  std::string(c.locales).substr(0, std::string(c.locales).find(':')));
        EXPECT_EQ(toVector(appleLanguages), c.appleLanguages);
    }
}

TEST_F(LocaleUpdate, TheSettingChoosesTheProcessPosixLocale) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    setLocale("de");
    EXPECT_STREQ(loc::LocaleSetter::processLocale().name.c_str(), "de_DE.UTF-8");
}

TEST_F(LocaleUpdate, AnEmptySettingUsesThePreferredLocales) {
    ScopedEnv language("LANGUAGE", "fr:de");
    ScopedEnv lcAll("LC_ALL", nullptr);
    ScopedEnv lcMessages("LC_MESSAGES", nullptr);
    ScopedEnv lang("LANG", "fr_BE.UTF-8");
    setLocale("es");
    loc::Localize::localeParameter().unsetParam(10, true);
    EXPECT_STREQ(loc::Localize::instance().getLocales().c_str(), "fr_BE:de_DE:en_US");
}

TEST_F(LocaleUpdate, TheListIsLoggedOnlyWhenItChanges) {
    setLocale("fr");
    plat::test::CapturedLog log("Localize", 30);
    loc::Localize::instance().updateLocales();
    loc::Localize::instance().updateLocales();
    EXPECT_TRUE(log.texts("Localize").empty());
    setLocale("de");
    setLocale("de_DE");  // a different setting, the same list
    EXPECT_EQ(log.texts("Localize"), Strings{"Locales de_DE:en_US"});
}

// Readers of the process list on other threads while the list is chosen again and again.
TEST_F(LocaleUpdate, ReadersOnOtherThreadsDuringUpdates) {
    setLocale("fr");
    std::atomic<bool> done{false};
    std::atomic<int> bad{0};
    std::thread reader([&] {
        while (!done.load()) {
            plat::String name = loc::LocaleSetter::currentLocaleName();
            if (std::strcmp(name.c_str(), "de_DE:en_US") != 0 &&
                std::strcmp(name.c_str(), "fr_FR:en_US") != 0)
                ++bad;
        }
    });
    for (int i = 0; i < 100; ++i)
        setLocale(i % 2 ? "de" : "fr");
    done = true;
    reader.join();
    EXPECT_EQ(bad.load(), 0);
}

}  // namespace

#include "loc/LocaleChoice.h"

#include "loc/LocaleSetter.h"
#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/Configuration.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

namespace {

using loctest::ScopedEnv;
using loctest::Strings;
using loctest::toList;
using loctest::toVector;

TEST(LocaleList, ParsingNormalisesEachEntryAndExpansionAddsLanguages) {
    const struct {
        const char* text;
        Strings parsed;
        Strings expanded;
    } cases[] = {
        {"pt-BR", {"pt_BR"}, {"pt_BR", "pt", "en_US", "en"}},
        {"de_AT.UTF-8@euro:ca_ES@valencia",
         {"de_AT", "ca_ES"},
         {"de_AT", "de", "ca_ES", "ca", "en_US", "en"}},
        {"zh:en.UTF-8", {"zh_CN", "en_US"}, {"zh_CN", "zh", "en_US", "en"}},
        {"de:de_DE::de", {"de_DE"}, {"de_DE", "de", "en_US", "en"}},
        {"en_GB:en_US", {"en_GB", "en_US"}, {"en_GB", "en", "en_US"}},
        {":::", {}, {"en_US", "en"}},
        {"eo:de_:deu", {"eo", "de", "deu"}, {"eo", "de", "deu", "en_US", "en"}},  // no territory
        {"_DE:-x:.utf8:@m", {}, {"en_US", "en"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        plat::StringList parsed, expanded;
        loc::parseLocaleList(c.text, parsed, nullptr, nullptr);
        EXPECT_EQ(toVector(parsed), c.parsed);
        loc::expandLocaleList(parsed, expanded);
        EXPECT_EQ(toVector(expanded), c.expanded);
    }
    plat::StringList withDefault;
    loc::parseLocaleList("de:fr:de_AT", withDefault, "de", "CH");
    EXPECT_EQ(toVector(withDefault), (Strings{"de_CH", "fr_FR", "de_AT"}));
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
        {"de_DE:fr", 5, false, "de_DE:fr"},
        {"en.UTF-8", 5, false, "en.UTF-8"},
        {"en.UTF-8", 5, true, "en"},
        {"de_DE.UTF-8@euro", 5, false, "de_DE"},
        {"x1:de:fr", 1, false, "de"},
        {"abcdefghijklmnopq:de", 5, false, "de"},
        {"es_419:en.a/b", 5, false, "es:en"},
        {"::", 5, false, ""},
        {"de:fr", 0, false, ""},
    };
    for (const auto& c : cases) {
        plat::String out("previous");
        loc::sanitiseLocaleList(out, c.text, c.maximum, c.dropCodeset);
        EXPECT_STREQ(out.c_str(), c.expected) << c.text;
    }
}

TEST(SystemLocales, PreferredLocalesFromTheEnvironment) {
    const struct {
        const char *language, *lcAll, *lcMessages, *lang;
        Strings expected;
    } cases[] = {
        {"de:fr_CH", nullptr, nullptr, "de_AT.UTF-8", {"de_AT", "fr_CH"}},
        {nullptr, nullptr, nullptr, "C.UTF-8", {}},
        {"", "POSIX", "", "fr_FR.UTF-8", {"fr_FR"}},
        {nullptr, "pt_BR.UTF-8", "es_ES", "en_US.UTF-8", {"pt_BR", "es_ES", "en_US"}},
        {"es:it:nl:pl:sv:fi",
         nullptr,
         nullptr,
         nullptr,
         {"es_ES", "it_IT", "nl_NL", "pl_PL", "sv_SE"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.language ? c.language : "(no LANGUAGE)");
        ScopedEnv language("LANGUAGE", c.language), lcAll("LC_ALL", c.lcAll),
            lcMessages("LC_MESSAGES", c.lcMessages), lang("LANG", c.lang);
        plat::StringList out;
        loc::systemPreferredLocales(out);
        EXPECT_EQ(toVector(out), c.expected);
    }
    // The POSIX locale of the process: the first entry the system has, else its language with
    // the usual territory.
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    ScopedEnv language("LANGUAGE", "xx_YY:de_LI"), lcAll("LC_ALL", nullptr),
        lcMessages("LC_MESSAGES", nullptr), lang("LANG", nullptr);
    loc::OsLocale record;
    plat::StringList list;
    loc::systemOsLocale(record, list);
    EXPECT_EQ(toVector(list), (Strings{"xx_YY", "de_LI"}));
    EXPECT_STREQ(record.name.c_str(), "de_DE.UTF-8");
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
    const struct {
        const char *setting, *locales;
        Strings view, appleLanguages;
    } cases[] = {
        {"de", "de_DE:en_US", {"de_DE", "de", "en_US", "en"}, {"de_DE", "en_US"}},
        {"en_GB", "en_GB:en_US", {"en_GB", "en", "en_US"}, {"en_GB", "en_US"}},
        {":::", "en_US", {"en_US", "en"}, {"en_US"}},
        {"eo:pt-BR", "eo:pt_BR:en_US", {"eo", "pt_BR", "pt", "en_US", "en"}, {"pt_BR", "en_US"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        setLocale(c.setting);
        EXPECT_STREQ(loc::Localize::instance().getLocales().c_str(), c.locales);
        EXPECT_EQ(toVector(loc::TransMap::process()->locales()), c.view);
        plat::String appleLocale;
        plat::StringList appleLanguages;
        ASSERT_TRUE(loc::userDefaultsForTesting(appleLocale, appleLanguages));
        EXPECT_EQ(appleLocale.c_str(),
                  std::string(c.locales).substr(0, std::strcspn(c.locales, ":")));
        EXPECT_EQ(toVector(appleLanguages), c.appleLanguages);
    }
    if (loctest::systemHasLocale("de_DE.UTF-8")) {
        setLocale("de");
        EXPECT_STREQ(loc::LocaleSetter::processLocale().name.c_str(), "de_DE.UTF-8");
    }
}

TEST_F(LocaleUpdate, AnEmptySettingUsesThePreferredLocales) {
    ScopedEnv language("LANGUAGE", "fr:de"), lcAll("LC_ALL", nullptr),
        lcMessages("LC_MESSAGES", nullptr), lang("LANG", "fr_BE.UTF-8");
    setLocale("es");
    loc::Localize::localeParameter().unsetParam(10, true);
    EXPECT_STREQ(loc::Localize::instance().getLocales().c_str(), "fr_BE:de_DE:en_US");
}

TEST_F(LocaleUpdate, TheListIsLoggedOnlyWhenItChanges) {
    setLocale("fr");
    plat::test::CapturedLog log("Localize", 30);
    loc::Localize::instance().updateLocales();
    setLocale("de");
    setLocale("de_DE");  // another setting, the same list
    EXPECT_EQ(log.texts("Localize"), Strings{"Locales de_DE:en_US"});
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

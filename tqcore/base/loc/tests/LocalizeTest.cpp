#include "loc/Localize.h"

#include "loc/Format.h"
#include "loc/LocaleSetter.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using loc::Localize;
using loc::TransMap;
using loctest::toVector;

// Texts of these tests, registered once per process as a catalogue would, in ascending order.
void registerTestTexts() {
    static bool done = false;
    if (done) return;
    done = true;
    Localize& registry = Localize::instance();
    registry.addTranslation("de", "loctest_greeting", "Hallo");
    registry.addTranslation("de", "loctest_greeting", "Servus");  // a second registration
    registry.addTranslation("de", "loctest_percent", "100%% sicher");
    registry.addTranslation("en", "loctest_files_many", "%D files");
    registry.addTranslation("en", "loctest_files_sing", "%D file");
    registry.addTranslation("en", "loctest_greeting", "Hello");
    registry.addTranslation("en", "loctest_only_en", "English only");
    registry.addTranslation("en", "loctest_percent", "100%% sure");
    registry.addTranslation("en", "loctest_replaced", "old %S");
    registry.addTranslation("en", "loctest_replaced_plain", "old 100%%");
    registry.addTranslation("fr", "loctest_files_many", "%D fichiers");
    registry.addTranslation("fr", "loctest_files_sing", "%D fichier");
    registry.addTranslation("fr", "loctest_greeting", "Bonjour");
    registry.addTranslation("ja", "loctest_files_many", "%D ja-files");
    registry.addTranslation("ja", "loctest_files_sing", "%D ja-file");
    registry.addTranslation("pt", "loctest_files_many", "%D arquivos");
    registry.addTranslation("pt", "loctest_files_sing", "%D arquivo");
}

class LocalizeTest : public testing::Test {
protected:
    void SetUp() override { registerTestTexts(); }
    Localize& registry = Localize::instance();
};

const char* tr(const char* key, bool raw = false) {
    return Localize::instance().translate(key, "Test.cpp", 7, raw);
}

TEST_F(LocalizeTest, FallsBackThroughTheLocaleList) {
    loc::LocaleSetter german("de_AT");
    EXPECT_EQ(toVector(TransMap::current()->locales()),
              (std::vector<std::string>{"de_AT", "de", "en_US", "en"}));
    EXPECT_STREQ(tr("loctest_greeting"), "Hallo");  // the first registration wins
    EXPECT_STREQ(tr("loctest_only_en"), "English only");
    {
        loc::LocaleSetter french("fr_CA:de");
        EXPECT_STREQ(tr("loctest_greeting"), "Bonjour");
    }
    // The outer view is back.
    EXPECT_STREQ(tr("loctest_greeting"), "Hallo");
    loc::LocaleSetter spanish("es");
    EXPECT_STREQ(tr("loctest_greeting"), "Hello");
}

TEST_F(LocalizeTest, MissingKeysAreLoggedAndShownAsThemselves) {
    loc::LocaleSetter english("en");
    plat::test::CapturedLog log("Localize", 0);
    EXPECT_STREQ(registry.translate("loctest_absent", "Page.cpp", 42, false), "loctest_absent");
    EXPECT_STREQ(registry.translate("loctest_absent", nullptr, 0, true), "loctest_absent");
    EXPECT_EQ(registry.findTranslation("loctest_absent", false), nullptr);
    EXPECT_STREQ(registry.translatePlural("loctest_absent", 2, nullptr, 0), "loctest_absent");
    EXPECT_EQ(log.texts("Localize"),
              (std::vector<std::string>{"Missing translation for \"loctest_absent\" (Page.cpp:42)",
                                        "Missing translation for \"loctest_absent\"",
                                        "Missing plural translation for \"loctest_absent\""}));
}

TEST_F(LocalizeTest, ATextIsFetchedEitherRawOrFormatted) {
    loc::LocaleSetter german("de");
    EXPECT_STREQ(tr("loctest_percent"), "100% sicher");
    EXPECT_STREQ(tr("loctest_percent"), "100% sicher");  // formatted once, kept
    try {
        tr("loctest_percent", true);
        FAIL() << "a raw fetch of a formatted text must throw";
    } catch (const plat::AssertionFail& e) {
        EXPECT_STREQ(e.expression(), "(raw == (state == TR_RAW))");
        EXPECT_NE(std::string(e.message())
                      .find("Can't use same string as both raw and formatted - loctest_percent"),
                  std::string::npos)
            << e.message();
    }
    // The English record is a different one: raw keeps the placeholders.
    loc::LocaleSetter english("en");
    EXPECT_STREQ(tr("loctest_percent", true), "100%% sure");
    EXPECT_THROW(tr("loctest_percent", false), plat::AssertionFail);
}

TEST_F(LocalizeTest, BadUtf8IsRefusedAtRegistration) {
    try {
        registry.addTranslation("de", "loctest_bad_utf8", "ab\xC3");
        FAIL() << "invalid UTF-8 must throw";
    } catch (const plat::AssertionFail& e) {
        EXPECT_STREQ(e.expression(), "isValidUtf8(str)");
        EXPECT_NE(std::string(e.message()).find("Bad UTF-8 in loctest_bad_utf8"),
                  std::string::npos);
    }
    loc::LocaleSetter german("de");
    EXPECT_EQ(registry.findTranslation("loctest_bad_utf8", true), nullptr);
}

TEST_F(LocalizeTest, PluralFormsFollowEachLanguage) {
    struct Case {
        const char* locale;
        uint32_t count;
        const char* expected;
    };
    const Case cases[] = {
        {"fr_FR", 0, "%D fichier"}, {"fr_FR", 2, "%D fichiers"}, {"pt_BR", 0, "%D arquivo"},
        {"pt_BR", 1, "%D arquivo"}, {"pt_PT", 0, "%D arquivos"}, {"pt_PT", 1, "%D arquivo"},
        {"en", 0, "%D files"},      {"en", 1, "%D file"},        {"ja", 1, "%D ja-files"},
        {"de", 1, "%D file"},  // no German texts: English, by the English rule
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + std::to_string(c.count));
        loc::LocaleSetter setter(c.locale);
        EXPECT_STREQ(registry.translatePlural("loctest_files", c.count, nullptr, 0), c.expected);
    }
}

TEST(PluralForm, Rules) {
    struct Case {
        const char* locale;
        uint32_t count;
        const char* form;
    };
    const Case cases[] = {
        {"fr", 0, "sing"},    {"fr_BE", 1, "sing"}, {"fr", 2, "many"},
        {"pt", 0, "sing"},    {"pt-BR", 0, "sing"}, {"pt_BR.UTF-8", 0, "sing"},
        {"pt_PT", 0, "many"}, {"pt_PT", 1, "sing"}, {"en", 0, "many"},
        {"en_US", 1, "sing"}, {"en", 2, "many"},    {"ja", 1, "many"},
        {"zh_CN", 1, "many"}, {"ko", 0, "many"},    {"vi", 1, "many"},
        {"de", 1, "sing"},    {"", 1, "sing"},      {"frx", 0, "many"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(loc::pluralForm(c.locale, c.count), c.form) << c.locale << " " << c.count;
}

TEST_F(LocalizeTest, TheSameListDoesNotRebuildTheView) {
    loc::LocaleSetter german("de");
    plat::test::CapturedLog log("Localize", 110);
    plat::StringList list = loctest::toList({"de_DE"});
    registry.setLocales(list, nullptr);
    EXPECT_TRUE(log.texts("Localize").empty());
    registry.setLocales(loctest::toList({"fr"}), nullptr);
    EXPECT_EQ(log.texts("Localize"),
              (std::vector<std::string>{"Updating thread TransMap with locales:", " fr", " en_US",
                                        " en"}));
    EXPECT_STREQ(tr("loctest_greeting"), "Bonjour");
}

TEST_F(LocalizeTest, ReplacedTextsStayValidForTheirHolders) {
    // The same starting texts on every run of the test in one process.
    registry.addPoTranslation("en", "loctest_replaced", "old %S");
    registry.addPoTranslation("en", "loctest_replaced_plain", "old 100%%");
    loc::LocaleSetter english("en");
    const char* raw = tr("loctest_replaced", true);
    const char* plain = tr("loctest_replaced_plain");
    EXPECT_STREQ(plain, "old 100%");
    registry.addPoTranslation("en", "loctest_replaced", "new %S");
    registry.addPoTranslation("en", "loctest_replaced_plain", "new 50%%");
    // The view sees the new texts at once, fetched anew.
    EXPECT_STREQ(tr("loctest_replaced", true), "new %S");
    const char* newPlain = tr("loctest_replaced_plain");
    EXPECT_STREQ(newPlain, "new 50%");
    // A second replacement retires a text the registry owned.
    registry.addPoTranslation("en", "loctest_replaced_plain", "third");
    EXPECT_STREQ(tr("loctest_replaced_plain"), "third");
    // Texts handed out earlier are still readable (the sanitizer build checks the memory).
    EXPECT_STREQ(raw, "old %S");
    EXPECT_STREQ(plain, "old 100%");
    EXPECT_STREQ(newPlain, "new 50%");
    // A key added by a file appears after the next rebuild.
    static int run = 0;
    std::string added = "loctest_added_" + std::to_string(++run);
    registry.addPoTranslation("en", added.c_str(), "added");
    EXPECT_EQ(registry.findTranslation(added.c_str(), false), nullptr);
    registry.rebuildTransMap(TransMap::current());
    EXPECT_STREQ(tr(added.c_str()), "added");
}

TEST_F(LocalizeTest, ThreadViewsOfTwoThreadsAtOnce) {
    std::atomic<int> ready{0};
    std::atomic<int> wrong{0};
    auto worker = [&](const char* locale, const char* expected) {
        loc::LocaleSetter setter(locale);
        ++ready;
        while (ready.load() < 2)
            std::this_thread::yield();
        for (int i = 0; i < 300; ++i)
            if (std::string(tr("loctest_greeting")) != expected) ++wrong;
    };
    std::thread german(worker, "de_DE", "Hallo");
    std::thread french(worker, "fr_FR", "Bonjour");
    german.join();
    french.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(TransMapDeathTest, DestroyingAnOuterViewFirstIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* outer = new TransMap;
            auto* inner = new TransMap;
            (void)inner;
            delete outer;
        },
        "thrInst == this");
}

}  // namespace

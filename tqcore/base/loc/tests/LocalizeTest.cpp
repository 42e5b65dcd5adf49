#include "loc/Localize.h"

#include "loc/LocaleSetter.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

using loc::LocaleSetter;
using loc::Localize;
using Strings = std::vector<std::string>;

// Registered once per process, as a catalogue would: languages in turn, keys ascending.
class LocalizeTest : public testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            const char* rows[][3] = {
                {"de", "loctest_greeting", "Hallo"},
                {"de", "loctest_greeting", "Servus"},
                {"de", "loctest_percent", "100%% sicher"},
                {"de", "loctest_race_word", "Wort 100%%"},
                {"en", "loctest_files_many", "%D files"},
                {"en", "loctest_files_sing", "%D file"},
                {"en", "loctest_greeting", "Hello"},
                {"en", "loctest_only_en", "English only"},
                {"en", "loctest_percent", "100%% sure"},
                {"fr", "loctest_files_many", "%D fichiers"},
                {"fr", "loctest_files_sing", "%D fichier"},
                {"fr", "loctest_greeting", "Bonjour"},
                {"fr", "loctest_race_word", "mot 100%%"},
                {"ja", "loctest_files_many", "%D ja"},
                {"ja", "loctest_files_sing", "%D ja-1"},
                {"pt", "loctest_files_many", "%D arquivos"},
                {"pt", "loctest_files_sing", "%D arquivo"},
            };
            for (auto& row : rows)
                Localize::instance().addTranslation(row[0], row[1], row[2]);
            return true;
        }();
        (void)registered;
    }
    static const char* tr(const char* key, bool raw = false) {
        return Localize::instance().translate(key, "Test.cpp", 7, raw);
    }
    Localize& registry = Localize::instance();
};

TEST_F(LocalizeTest, FallsBackThroughTheLocaleList) {
    LocaleSetter german("de_AT");
    EXPECT_EQ(loctest::joined(loc::TransMap::current()->locales()), "de_AT:de:en_US:en");
    EXPECT_STREQ(tr("loctest_greeting"), "Hallo");  // the first registration wins
    EXPECT_STREQ(tr("loctest_only_en"), "English only");
    {
        LocaleSetter french("fr_CA:de");
        EXPECT_STREQ(tr("loctest_greeting"), "Bonjour");
    }
    EXPECT_STREQ(tr("loctest_greeting"), "Hallo");  // the outer view is back
    LocaleSetter spanish("es");
    EXPECT_STREQ(tr("loctest_greeting"), "Hello");
}

TEST_F(LocalizeTest, MissingKeysAreLoggedAndShownAsThemselves) {
    LocaleSetter english("en");
    plat::test::CapturedLog log("Localize", 0);
    EXPECT_STREQ(registry.translate("loctest_absent", "Page.cpp", 42, false), "loctest_absent");
    EXPECT_STREQ(registry.translate("loctest_absent", nullptr, 0, true), "loctest_absent");
    EXPECT_EQ(registry.findTranslation("loctest_absent", false), nullptr);
    EXPECT_STREQ(registry.translatePlural("loctest_absent", 2, nullptr, 0), "loctest_absent");
    EXPECT_EQ(log.texts("Localize"),
              (Strings{"Missing translation for \"loctest_absent\" (Page.cpp:42)",
                       "Missing translation for \"loctest_absent\"",
                       "Missing plural translation for \"loctest_absent\""}));
}

// A text formatted for display has lost its placeholders: handing it out raw later (or the
// other way round) would format it twice or show "%%" to the user.
TEST_F(LocalizeTest, ATextIsFetchedEitherRawOrFormattedAndMustBeUtf8) {
    LocaleSetter german("de");
    EXPECT_STREQ(tr("loctest_percent"), "100% sicher");
    EXPECT_STREQ(tr("loctest_percent"), "100% sicher");  // formatted once, kept
    EXPECT_THROW(tr("loctest_percent", true), plat::AssertionFail);
    LocaleSetter english("en");  // another record: raw keeps the placeholders
    EXPECT_STREQ(tr("loctest_percent", true), "100%% sure");
    EXPECT_THROW(tr("loctest_percent"), plat::AssertionFail);
    EXPECT_THROW(registry.addTranslation("de", "loctest_bad_utf8", "ab\xC3"), plat::AssertionFail);
}

TEST_F(LocalizeTest, PluralFormsFollowEachLanguage) {
    // Brazilian Portuguese finds the texts of "pt" with the rule of pt_BR; German has none and
    // falls back to English, by the English rule.
    const struct {
        const char* locale;
        uint32_t count;
        const char* expected;
    } cases[] = {
        {"fr_FR", 0, "%D fichier"},  {"fr_FR", 2, "%D fichiers"}, {"pt_BR", 0, "%D arquivo"},
        {"pt_PT", 0, "%D arquivos"}, {"pt_PT", 1, "%D arquivo"},  {"en", 0, "%D files"},
        {"en", 1, "%D file"},        {"ja", 1, "%D ja"},          {"de", 1, "%D file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.locale) + " " + std::to_string(c.count));
        LocaleSetter setter(c.locale);
        EXPECT_STREQ(registry.translatePlural("loctest_files", c.count, nullptr, 0), c.expected);
    }
    EXPECT_STREQ(loc::pluralForm("pt-BR.UTF-8", 0), "sing");
    EXPECT_STREQ(loc::pluralForm("frx", 0), "many");  // not French
}

TEST_F(LocalizeTest, ReplacedTextsStayValidForTheirHolders) {
    // The same starting texts on every run of the test in one process.
    registry.addPoTranslation("en", "loctest_replaced", "old %S");
    registry.addPoTranslation("en", "loctest_replaced_plain", "old 100%%");
    LocaleSetter english("en");
    const char* raw = tr("loctest_replaced", true);
    const char* plain = tr("loctest_replaced_plain");
    registry.addPoTranslation("en", "loctest_replaced", "new %S");
    registry.addPoTranslation("en", "loctest_replaced_plain", "new 50%%");
    EXPECT_STREQ(tr("loctest_replaced", true), "new %S");  // seen at once, fetched anew
    EXPECT_STREQ(tr("loctest_replaced_plain"), "new 50%");
    // Texts handed out earlier are still readable (the sanitizer build checks the memory).
    EXPECT_STREQ(raw, "old %S");
    EXPECT_STREQ(plain, "old 100%");
    // A key that a file adds appears after the next rebuild.
    static int run = 0;
    std::string added = "loctest_added_" + std::to_string(++run);
    registry.addPoTranslation("en", added.c_str(), "added");
    EXPECT_EQ(registry.findTranslation(added.c_str(), false), nullptr);
    registry.rebuildTransMap(loc::TransMap::current());
    EXPECT_STREQ(tr(added.c_str()), "added");
}

// The view's hash index must tell apart keys that differ in a few bytes after a long common
// prefix, and a key from its own prefixes and extensions.
TEST_F(LocalizeTest, KeysThatShareLongPrefixesAreToldApart) {
    static const auto* const keys = [] {
        auto* made = new std::vector<std::string>;
        for (int i = 0; i < 3000; ++i)
            made->push_back("loctest_prefix_page_item_" + std::to_string(10000 + i) + "_label");
        for (const std::string& key : *made)  // the text: the key without "loctest_prefix_"
            Localize::instance().addTranslation("es", key.c_str(), key.c_str() + 15);
        return made;
    }();
    LocaleSetter spanish("es");
    for (const std::string& key : *keys)
        ASSERT_STREQ(registry.findTranslation(key.c_str(), false), key.c_str() + 15);
    for (const char* key :
         {"loctest_prefix_page_item_10007_labe", "loctest_prefix_page_item_10007_labelx",
          "loctest_prefix_page_item_13000_label", "loctest_prefix_", ""})
        EXPECT_EQ(registry.findTranslation(key, false), nullptr) << key;
}

// Look-ups on other threads go on without the lock while the process view is rebuilt and a
// text is replaced: each gets a text as it was formatted, never one caught halfway through a
// replacement, and no index is freed under it (the sanitizer builds check memory and order).
TEST_F(LocalizeTest, LookUpsWithoutTheLockWhileTheViewIsRebuiltAndTextsReplaced) {
    const char* const words[][2] = {{"fr", "mot 100%%"}, {"de", "Wort 100%%"}};
    loc::TransMap* process = loc::TransMap::process();
    const plat::StringList saved = process->locales();
    registry.setLocales(loctest::listOf({"de"}), process);
    std::atomic<bool> stop{false};
    std::atomic<int> wrong{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t)
        readers.emplace_back([&] {
            for (int n = 0; n < 2000 || !stop.load(); ++n) {
                std::string text = registry.translate("loctest_race_word", nullptr, 0, false);
                wrong += text != "Wort 100%" && text != "mot 100%";
            }
        });
    for (int i = 0; i < 20000; ++i) {
        const auto& word = words[i / 100 % 2];
        if (i % 100 == 0) registry.setLocales(loctest::listOf({word[0]}), process);
        registry.addPoTranslation(word[0], "loctest_race_word", word[1]);
    }
    stop.store(true);
    for (auto& reader : readers)
        reader.join();
    registry.setLocales(saved, process);
    EXPECT_EQ(wrong.load(), 0);
}

TEST(TransMapDeathTest, DestroyingAnOuterViewFirstIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* outer = new loc::TransMap;
            new loc::TransMap;
            delete outer;
        },
        "thrInst == this");
}

}  // namespace

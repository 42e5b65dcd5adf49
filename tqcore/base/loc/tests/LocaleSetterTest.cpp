#include "loc/LocaleSetter.h"

#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <langinfo.h>
#include <string>
#include <thread>

namespace {

using loc::Charset;
using loc::LocaleSetter;
using loc::OsLocale;

std::string threadCodeset() {
    return nl_langinfo(CODESET);
}
std::string osLocaleName() {
    return LocaleSetter::currentOsLocale().name.c_str();
}

TEST(OsLocale, ResolutionPrefersUtf8Variants) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LOCTEST_REQUIRE_LOCALE("de_DE.ISO-8859-1");
    // Plain de_DE is missing here: its UTF-8 variant is found, then taken from the cache.
    for (const char* name : {"de_DE", "de_DE", "de_DE.ISO-8859-1", "de_DE.UTF-8"}) {
        OsLocale record;
        EXPECT_TRUE(loc::setOsLocale(name, record)) << name;
        EXPECT_STREQ(record.name.c_str(), "de_DE.UTF-8") << name;
        EXPECT_EQ(record.charset, Charset::Utf8) << name;
    }
    OsLocale record{plat::String("untouched"), Charset::Ascii};
    EXPECT_FALSE(loc::setOsLocale("xx_YY@mod", record));
    EXPECT_STREQ(record.name.c_str(), "untouched");
    ASSERT_TRUE(loc::tryLatin1Codesets("de_DE", nullptr, record));
    EXPECT_STREQ(record.name.c_str(), "de_DE.ISO-8859-1");
    EXPECT_EQ(record.charset, Charset::Latin1);
}

// Probes run on any thread at any time; switching the process locale to answer them would
// change it under every other thread for a moment.
TEST(OsLocale, ProbesLeaveTheProcessLocaleAlone) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    const std::string before = setlocale(LC_ALL, nullptr);
    const std::string codeset = nl_langinfo(CODESET);
    std::atomic<bool> done{false};
    std::atomic<int> changes{0};
    std::thread watcher([&] {
        while (!done.load())
            if (codeset != nl_langinfo(CODESET)) ++changes;
    });
    for (int i = 0; i < 300; ++i) {
        plat::String base, modifier;
        loc::probeLocale("de_DE.UTF-8", base, modifier);
        OsLocale record;
        loc::tryUtf8Codesets("de_DE", nullptr, record);
    }
    done = true;
    watcher.join();
    EXPECT_EQ(changes.load(), 0);
    EXPECT_EQ(before, setlocale(LC_ALL, nullptr));
}

// A setter without a locale takes the enclosing setter's POSIX locale and name, else (on a thread
// with no setter of its own, the way the usage text is wrapped) the process POSIX locale.
TEST(LocaleSetter, WithoutALocaleTheEnclosingOrTheProcessLocale) {
    LOCTEST_REQUIRE_LOCALE("fr_FR.UTF-8");
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    const std::string outside = threadCodeset();
    {
        plat::test::CapturedLog log("Localize", 110);
        LocaleSetter french("xx_YY:fr_FR");
        {
            LocaleSetter inner(nullptr);
            EXPECT_EQ(osLocaleName(), "fr_FR.UTF-8");
            EXPECT_EQ(threadCodeset(), "UTF-8");
            EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(), "xx_YY:fr_FR");
        }
        EXPECT_EQ(threadCodeset(), "UTF-8");
        std::vector<std::string> lines = log.texts("Localize");
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "No OS support for locale \"xx_YY\""), 1);
    }
    EXPECT_EQ(threadCodeset(), outside);
    EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(),
                 loc::Localize::instance().getLocales().c_str());

    LocaleSetter::setProcessLocale(loctest::listOf({"xx_YY", "de_DE"}));
    std::string codeset, name;
    size_t lines = 1;
    std::thread worker([&] {
        plat::test::CapturedLog log("Localize", 1000);
        LocaleSetter setter(nullptr);
        codeset = threadCodeset();
        name = osLocaleName();
        lines = log.texts("Localize").size();
    });
    worker.join();
    EXPECT_EQ(codeset, "UTF-8");
    EXPECT_EQ(name, "de_DE.UTF-8");
    EXPECT_EQ(lines, 0u);
    LocaleSetter::setProcessLocale(loctest::listOf({"xx_YY"}));
    EXPECT_NE(std::string(LocaleSetter::processLocale().name.c_str()), "de_DE.UTF-8");
}

TEST(LocaleSetter, SettersOnTwoThreadsAtOnce) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LOCTEST_REQUIRE_LOCALE("pt_BR.UTF-8");
    static const bool registered = [] {
        loc::Localize::instance().addTranslation("de", "loctest_thread_word", "Wort");
        loc::Localize::instance().addTranslation("pt", "loctest_thread_word", "palavra");
        return true;
    }();
    (void)registered;
    std::atomic<int> ready{0}, wrong{0};
    auto worker = [&](const char* locale, const char* resolved, const char* word) {
        LocaleSetter setter(locale);
        ++ready;
        while (ready.load() < 2)
            std::this_thread::yield();
        for (int i = 0; i < 200; ++i) {
            wrong += osLocaleName() != resolved || threadCodeset() != "UTF-8";
            wrong += std::string(LocaleSetter::currentLocaleName().c_str()) != locale;
            wrong += std::string(loc::Localize::instance().translate("loctest_thread_word", nullptr,
                                                                     0, false)) != word;
        }
    };
    std::thread a(worker, "de_DE", "de_DE.UTF-8", "Wort");
    std::thread b(worker, "pt_BR", "pt_BR.UTF-8", "palavra");
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(LocaleSetterDeathTest, DestroyingAnOuterSetterFirstIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* outer = new LocaleSetter(nullptr);
            new LocaleSetter(nullptr);
            delete outer;
        },
        "thrInst == this");
}

}  // namespace

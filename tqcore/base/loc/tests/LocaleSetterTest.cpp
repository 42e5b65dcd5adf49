#include "loc/LocaleSetter.h"

#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

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
    for (const char* name : {"xx_YY", "xx_YY@mod"}) {
        OsLocale record{plat::String("untouched"), Charset::Ascii};
        EXPECT_FALSE(loc::setOsLocale(name, record)) << name;
        EXPECT_STREQ(record.name.c_str(), "untouched");
    }
    // C is what the system makes of it: its UTF-8 form where there is one, else ASCII.
    OsLocale c;
    ASSERT_TRUE(loc::setOsLocale("C", c));
    bool utf8 = loctest::systemHasLocale("C.UTF-8");
    EXPECT_STREQ(c.name.c_str(), utf8 ? "C.UTF-8" : "C");
    EXPECT_EQ(c.charset, utf8 ? Charset::Utf8 : Charset::Ascii);

    plat::String base, modifier;
    EXPECT_EQ(loc::probeLocale("de_DE.ISO-8859-1", base, modifier), Charset::Latin1);
    EXPECT_STREQ(base.get(), "de_DE");
    EXPECT_TRUE(modifier.isNull());
    EXPECT_EQ(loc::probeLocale("POSIX", base, modifier), Charset::Ascii);
    EXPECT_EQ(loc::probeLocale("xx_YY.UTF-8@mod", base, modifier), Charset::Other);
    EXPECT_STREQ(base.get(), "xx_YY");
    EXPECT_STREQ(modifier.get(), "mod");
    OsLocale latin1;
    ASSERT_TRUE(loc::tryLatin1Codesets("de_DE", nullptr, latin1));
    EXPECT_STREQ(latin1.name.c_str(), "de_DE.ISO-8859-1");
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

TEST(LocaleSetter, NestedSettersOnOneThread) {
    LOCTEST_REQUIRE_LOCALE("fr_FR.UTF-8");
    const std::string outside = threadCodeset();
    EXPECT_EQ(osLocaleName(), "C");
    {
        plat::test::CapturedLog log("Localize", 110);
        LocaleSetter french("xx_YY:fr_FR");
        EXPECT_EQ(osLocaleName(), "fr_FR.UTF-8");
        EXPECT_EQ(threadCodeset(), "UTF-8");
        {
            // No locale: the enclosing setter's POSIX locale and name.
            LocaleSetter inner(nullptr);
            EXPECT_EQ(osLocaleName(), "fr_FR.UTF-8");
            EXPECT_EQ(threadCodeset(), "UTF-8");
            EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(), "xx_YY:fr_FR");
        }
        EXPECT_EQ(threadCodeset(), "UTF-8");
        std::vector<std::string> lines = log.texts("Localize");
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], "setting locale xx_YY:fr_FR");
        EXPECT_EQ(lines[1], "No OS support for locale \"xx_YY\"");
    }
    EXPECT_EQ(threadCodeset(), outside);
    EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(),
                 loc::Localize::instance().getLocales().c_str());
}

TEST(LocaleSetter, WithoutALocaleTheThreadTakesTheProcessLocale) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LocaleSetter::setProcessLocale(loctest::toList({"xx_YY", "de_DE"}));
    // Another thread with no setter of its own, the way the usage text is wrapped.
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
    LocaleSetter::setProcessLocale(loctest::toList({"xx_YY"}));
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

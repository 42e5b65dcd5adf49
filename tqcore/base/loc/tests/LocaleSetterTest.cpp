#include "loc/LocaleSetter.h"

#include "loc/Localize.h"
#include "loc/tests/LocTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <langinfo.h>
#include <string>
#include <thread>

namespace {

using loc::Charset;
using loc::LocaleSetter;
using loc::OsLocale;

// The codeset of the calling thread's POSIX locale.
std::string threadCodeset() {
    return nl_langinfo(CODESET);
}

TEST(OsLocale, ResolutionPrefersUtf8Variants) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LOCTEST_REQUIRE_LOCALE("de_DE.ISO-8859-1");
    LOCTEST_REQUIRE_LOCALE("fr_FR.UTF-8");
    struct Case {
        const char* name;
        bool accepted;
        const char* resolved;
        Charset charset;
    };
    const Case cases[] = {
        {"de_DE", true, "de_DE.UTF-8", Charset::Utf8},
        {"de_DE", true, "de_DE.UTF-8", Charset::Utf8},  // again, from the cache
        {"de_DE.ISO-8859-1", true, "de_DE.UTF-8", Charset::Utf8},
        {"de_DE.UTF-8", true, "de_DE.UTF-8", Charset::Utf8},
        {"fr_FR", true, "fr_FR.UTF-8", Charset::Utf8},
        {"xx_YY", false, "", Charset::Other},
        {"xx_YY@mod", false, "", Charset::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OsLocale record{plat::String("untouched"), Charset::Ascii};
        EXPECT_EQ(loc::setOsLocale(c.name, record), c.accepted);
        if (c.accepted) {
            EXPECT_STREQ(record.name.c_str(), c.resolved);
            EXPECT_EQ(record.charset, c.charset);
        } else {
            EXPECT_STREQ(record.name.c_str(), "untouched");
        }
    }
    // C is what the system makes of it: its UTF-8 form where there is one, else ASCII.
    OsLocale c;
    ASSERT_TRUE(loc::setOsLocale("C", c));
    if (loctest::systemHasLocale("C.UTF-8")) {
        EXPECT_STREQ(c.name.c_str(), "C.UTF-8");
        EXPECT_EQ(c.charset, Charset::Utf8);
    } else {
        EXPECT_STREQ(c.name.c_str(), "C");
        EXPECT_EQ(c.charset, Charset::Ascii);
    }
}

TEST(OsLocale, ProbeClassifiesCodesetsAndSplitsNames) {
    struct Case {
        const char* name;
        const char* needs;  // a locale the machine must have, or null
        Charset charset;
        const char* base;
        const char* modifier;
    };
    const Case cases[] = {
        {"C", nullptr, Charset::Ascii, "C", nullptr},
        {"POSIX", nullptr, Charset::Ascii, "POSIX", nullptr},
        {"de_DE.ISO-8859-1", "de_DE.ISO-8859-1", Charset::Latin1, "de_DE", nullptr},
        {"de_DE.UTF-8", "de_DE.UTF-8", Charset::Utf8, "de_DE", nullptr},
        {"xx_YY.UTF-8@mod", nullptr, Charset::Other, "xx_YY", "mod"},
        {"de_XX@euro", nullptr, Charset::Other, "de_XX", "euro"},
        {"", nullptr, Charset::Other, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.needs && !loctest::systemHasLocale(c.needs)) continue;
        plat::String base, modifier;
        loc::Charset charset = loc::probeLocale(c.name, base, modifier);
        if (*c.name) {
            EXPECT_EQ(charset, c.charset);
        }
        EXPECT_STREQ(base.get(), c.base);
        EXPECT_STREQ(modifier.get(), c.modifier);
    }
    OsLocale record;
    EXPECT_FALSE(loc::tryLatin1Codesets("xx_YY", nullptr, record));
    if (loctest::systemHasLocale("de_DE.ISO-8859-1")) {
        ASSERT_TRUE(loc::tryLatin1Codesets("de_DE", nullptr, record));
        EXPECT_STREQ(record.name.c_str(), "de_DE.ISO-8859-1");
        EXPECT_EQ(record.charset, Charset::Latin1);
    }
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
    std::thread prober([] {
        for (int i = 0; i < 300; ++i) {
            plat::String base, modifier;
            loc::probeLocale("de_DE.UTF-8", base, modifier);
            OsLocale record;
            loc::tryUtf8Codesets("de_DE", nullptr, record);
        }
    });
    prober.join();
    done = true;
    watcher.join();
    EXPECT_EQ(changes.load(), 0);
    EXPECT_EQ(before, setlocale(LC_ALL, nullptr));
}

TEST(LocaleSetter, NestedSettersOnOneThread) {
    LOCTEST_REQUIRE_LOCALE("fr_FR.UTF-8");
    const std::string outside = threadCodeset();
    EXPECT_STREQ(LocaleSetter::currentOsLocale().name.c_str(), "C");
    {
        plat::test::CapturedLog log("Localize", 110);
        LocaleSetter french("fr_FR");
        EXPECT_STREQ(LocaleSetter::currentOsLocale().name.c_str(), "fr_FR.UTF-8");
        EXPECT_EQ(threadCodeset(), "UTF-8");
        {
            // No locale: the enclosing setter's POSIX locale, its view, its name.
            LocaleSetter inner(nullptr);
            EXPECT_STREQ(LocaleSetter::currentOsLocale().name.c_str(), "fr_FR.UTF-8");
            EXPECT_EQ(LocaleSetter::currentOsLocale().charset, Charset::Utf8);
            EXPECT_EQ(threadCodeset(), "UTF-8");
            EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(), "fr_FR");
        }
        EXPECT_EQ(threadCodeset(), "UTF-8");
        std::vector<std::string> lines = log.texts("Localize");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.front(), "setting locale fr_FR");
    }
    EXPECT_EQ(threadCodeset(), outside);
    EXPECT_STREQ(LocaleSetter::currentLocaleName().c_str(),
                 loc::Localize::instance().getLocales().c_str());
}

TEST(LocaleSetter, UnsupportedEntriesAreLoggedUntilOneWorks) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    plat::test::CapturedLog log("Localize", 30);
    LocaleSetter setter("xx_YY:de_DE:fr_FR");
    EXPECT_STREQ(LocaleSetter::currentOsLocale().name.c_str(), "de_DE.UTF-8");
    EXPECT_EQ(log.texts("Localize"),
              std::vector<std::string>{"No OS support for locale \"xx_YY\""});
}

TEST(LocaleSetter, WithoutALocaleTheThreadTakesTheProcessLocale) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LocaleSetter::setProcessLocale(loctest::toList({"xx_YY", "de_DE"}));
    EXPECT_STREQ(LocaleSetter::processLocale().name.c_str(), "de_DE.UTF-8");
    // Another thread, with no setter of its own, the way the usage text is wrapped.
    std::string codeset, name;
    int lines = -1;
    std::thread worker([&] {
        plat::test::CapturedLog log("Localize", 1000);
        LocaleSetter setter(nullptr);
        codeset = threadCodeset();
        name = LocaleSetter::currentOsLocale().name.c_str();
        lines = int(log.texts("Localize").size());
    });
    worker.join();
    EXPECT_EQ(codeset, "UTF-8");
    EXPECT_EQ(name, "de_DE.UTF-8");
    EXPECT_EQ(lines, 0);
    LocaleSetter::setProcessLocale(loctest::toList({"xx_YY"}));
    EXPECT_STRNE(LocaleSetter::processLocale().name.c_str(), "de_DE.UTF-8");
}

TEST(LocaleSetter, SettersOnTwoThreadsAtOnce) {
    LOCTEST_REQUIRE_LOCALE("de_DE.UTF-8");
    LOCTEST_REQUIRE_LOCALE("pt_BR.UTF-8");
    std::atomic<int> ready{0};
    std::atomic<int> wrong{0};
    auto worker = [&](const char* locale, const char* resolved) {
        LocaleSetter setter(locale);
        ++ready;
        while (ready.load() < 2)
            std::this_thread::yield();
        for (int i = 0; i < 200; ++i) {
            if (std::strcmp(LocaleSetter::currentOsLocale().name.c_str(), resolved) != 0) ++wrong;
            if (threadCodeset() != "UTF-8") ++wrong;
            if (std::strcmp(LocaleSetter::currentLocaleName().c_str(), locale) != 0) ++wrong;
        }
    };
    std::thread a(worker, "de_DE", "de_DE.UTF-8");
    std::thread b(worker, "pt_BR", "pt_BR.UTF-8");
    a.join();
    b.join();
    EXPECT_EQ(wrong.load(), 0);
}

TEST(LocaleSetter, ThreadLocaleIgnoresRefusedNames) {
    locale_t before = uselocale(locale_t(0));
    {
        loc::ThreadLocale unknown("xx_YY.UTF-8");
        EXPECT_EQ(uselocale(locale_t(0)), before);
    }
    EXPECT_EQ(uselocale(locale_t(0)), before);
}

TEST(LocaleSetterDeathTest, DestroyingAnOuterSetterFirstIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* outer = new LocaleSetter(nullptr);
            auto* inner = new LocaleSetter(nullptr);
            (void)inner;
            delete outer;
        },
        "thrInst == this");
}

}  // namespace

#include "plat/SysColors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

using namespace plat;

namespace {

struct FakeColors : SysColors {
    bool getColor(const char* name, Color& out) override {
        ++calls;
        if (!name || std::strcmp(name, "accent") != 0) return false;
        out.red = 1;
        out.green = 2;
        out.blue = 3;
        return true;
    }
    bool isDarkMode() override { return dark; }
    bool dark = false;
    int calls = 0;
};

class SysColorsTest : public ::testing::Test {
protected:
    void SetUp() override { resetSysColorsImplForTesting(); }
    void TearDown() override { resetSysColorsImplForTesting(); }
    // 0xRRGGBB of a name, or -1 when unknown.
    static long rgb(const char* name) {
        Color c;
        return getColor(name, c) ? long(c.red << 16 | c.green << 8 | c.blue) : -1;
    }
};

TEST_F(SysColorsTest, BuiltInNamesForEachAppearance) {
    struct Case {
        const char* name;
        long light, dark;
    } known[] = {{"contentBg", 0xFFFFFF, 0x000000},  {"buttonText", 0x404040, 0xECECEC},
                 {"selectedBd", 0x66A7E8, 0x0E5CCD}, {"helpBg", 0xFFFFD3, 0x443322},
                 {"statusRed", 0xC90000, 0xC90000},  {"orange", 0xFFA500, 0xFFA500},
                 {"#1976d2", 0x1976D2, 0x1976D2},    {"#1976D2", 0x1976D2, 0x1976D2}};
    const char* const unknown[] = {"Red", "#1976d", "#1976d2x", "#19z6d2", "", nullptr};
    EXPECT_FALSE(isDarkMode());
    for (const Case& c : known)
        EXPECT_EQ(rgb(c.name), c.light) << c.name;
    for (const char* name : unknown)
        EXPECT_EQ(rgb(name), -1) << (name ? name : "(null)");

    // The table follows the appearance on the next look-up, both ways.
    static FakeColors fake;
    fake.dark = true;
    setSysColorsImpl(&fake);
    EXPECT_TRUE(isDarkMode());
    for (const Case& c : known)
        EXPECT_EQ(rgb(c.name), c.dark) << c.name;
    EXPECT_EQ(rgb("Red"), -1);
    fake.dark = false;
    EXPECT_EQ(rgb("contentBg"), 0xFFFFFF);
}

TEST_F(SysColorsTest, ProviderFirstAndNullNameNeverReachesIt) {
    static FakeColors fake;
    setSysColorsImpl(&fake);
    fake.calls = 0;
    EXPECT_EQ(rgb("accent"), 0x010203);
    EXPECT_EQ(rgb("red"), 0xFF0000);
    EXPECT_EQ(fake.calls, 2);
    EXPECT_EQ(rgb(nullptr), -1);
    EXPECT_EQ(fake.calls, 2);

    Color fallback;
    fallback.red = 7;
    EXPECT_EQ(getColorOr("nothing", fallback).red, 7u);
    EXPECT_EQ(getColorOr("accent", fallback).red, 1u);
    EXPECT_EQ(getColorWithFallback("nothing", "blue").blue, 255u);
    EXPECT_EQ(getColorWithFallback("white", "blue").red, 255u);
    Color black = getColorWithFallback("nothing", nullptr);
    EXPECT_EQ(black.red + black.green + black.blue, 0u);
}

TEST_F(SysColorsTest, SecondProviderIsFatal) {
    static FakeColors one, two;
    setSysColorsImpl(&one);
    EXPECT_DEATH(setSysColorsImpl(&two), "Assertion '!sysColorsImpl' failed");
}

TEST(TtyColour, SupportFollowsTermOnTerminalsOnly) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        GTEST_SKIP() << "no pseudo-terminal available";
    int tty = open(ptsname(master), O_RDWR | O_NOCTTY);
    ASSERT_GE(tty, 0);
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);

    const char* saved = std::getenv("TERM");
    std::string savedTerm = saved ? saved : "";
    struct Case {
        const char* term;  // null: unset
        bool colour;
    } cases[] = {{"xterm-256color", true}, {"ansi", true},   {"rxvt-color", true}, {"dumb", false},
                 {"vt100", false},         {"XTERM", false}, {nullptr, false}};
    EXPECT_TRUE(isTty(tty));
    EXPECT_FALSE(isTty(pipeFds[0]));
    for (const Case& c : cases) {
        if (c.term)
            setenv("TERM", c.term, 1);
        else
            unsetenv("TERM");
        EXPECT_EQ(ttySupportsColour(tty), c.colour) << (c.term ? c.term : "(unset)");
        EXPECT_FALSE(ttySupportsColour(pipeFds[1]));
    }
    if (saved)
        setenv("TERM", savedTerm.c_str(), 1);
    else
        unsetenv("TERM");
    close(pipeFds[0]);
    close(pipeFds[1]);
    close(tty);
    close(master);
}

}  // namespace

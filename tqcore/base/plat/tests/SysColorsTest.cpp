#include "plat/SysColors.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <pty.h>
#include <string>
#include <unistd.h>

using namespace plat;

namespace {

struct FakeColors : SysColors {
    bool getColor(const char* name, Color& out) override {
        ++calls;
        if (!name || std::strcmp(name, "accent") != 0) return false;
        out = Color{1, 2, 3};
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

// The provider is asked first (never with a null name); the built-in table follows the
// appearance on the next look-up, both ways.
TEST_F(SysColorsTest, ProviderFirstThenTheTableOfTheAppearance) {
    EXPECT_EQ(rgb("contentBg"), 0xFFFFFF);
    EXPECT_EQ(rgb("#1976D2"), 0x1976D2);
    for (const char* name : {"Red", "#1976d", "#1976d2x", "#19z6d2", ""})
        EXPECT_EQ(rgb(name), -1) << name;

    static FakeColors fake;
    fake.dark = true;
    setSysColorsImpl(&fake);
    EXPECT_EQ(rgb("contentBg"), 0x000000);
    EXPECT_EQ(rgb("#1976D2"), 0x1976D2);
    fake.dark = false;
    EXPECT_EQ(rgb("contentBg"), 0xFFFFFF);
    EXPECT_EQ(rgb("accent"), 0x010203);
    fake.calls = 0;
    EXPECT_EQ(rgb(nullptr), -1);
    EXPECT_EQ(fake.calls, 0);
    EXPECT_EQ(getColorWithFallback("nothing", "blue").blue, 255u);
    Color black = getColorWithFallback("nothing", nullptr);
    EXPECT_EQ(black.red + black.green + black.blue, 0u);
}

TEST_F(SysColorsTest, SecondProviderIsFatal) {
    static FakeColors one, two;
    setSysColorsImpl(&one);
    EXPECT_DEATH(setSysColorsImpl(&two), "Assertion '!sysColorsImpl' failed");
}

TEST(TtyColour, SupportFollowsTermOnTerminalsOnly) {
    int master = -1, tty = -1, pipeFds[2];
    ASSERT_EQ(openpty(&master, &tty, nullptr, nullptr, nullptr), 0);
    ASSERT_EQ(pipe(pipeFds), 0);
    const char* saved = std::getenv("TERM");
    std::string savedTerm = saved ? saved : "";
    struct Case {
        const char* term;  // null: unset
        bool colour;
    } cases[] = {{"xterm-256color", true}, {"ansi", true},   {"rxvt-color", true},
                 {"dumb", false},          {"XTERM", false}, {nullptr, false}};
    EXPECT_TRUE(isTty(tty));
    EXPECT_FALSE(isTty(pipeFds[0]));
    for (const Case& c : cases) {
        c.term ? setenv("TERM", c.term, 1) : unsetenv("TERM");
        EXPECT_EQ(ttySupportsColour(tty), c.colour) << (c.term ? c.term : "(unset)");
        EXPECT_FALSE(ttySupportsColour(pipeFds[1]));
    }
    saved ? setenv("TERM", savedTerm.c_str(), 1) : unsetenv("TERM");
    for (int fd : {pipeFds[0], pipeFds[1], tty, master})
        close(fd);
}

}  // namespace

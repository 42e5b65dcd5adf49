#include "loc/Format.h"

#include "plat/Utf8.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using loc::FormatArg;

FormatArg S(const char* text) {
    return FormatArg::ofString(text);
}
FormatArg I(int value) {
    return FormatArg::ofInt(value);
}
FormatArg U(unsigned value) {
    return FormatArg::ofUnsigned(value);
}
FormatArg kind(uint32_t k) {
    FormatArg a = I(1);
    a.kind = k;
    return a;
}

struct FormatCase {
    const char* format;
    std::vector<FormatArg> args;  // linked up before the call
    const char* expected;
    bool bad;  // one "Bad loc string" line expected
};

TEST(FormatTranslation, PlaceholdersAgainstArguments) {
    FormatCase cases[] = {
        // Numbered arguments pick by position, whatever the order in the text.
        {"%1$S, %2$S", {S("a"), S("b")}, "a, b", false},
        {"%2$S, %1$S", {S("a"), S("b")}, "b, a", false},
        {"%1$S copied %2$D files to %3$S",
         {S("a"), I(12), S("/t")},
         "a copied 12 files to /t",
         false},
        {"%2$D/%2$D", {S("x"), I(3)}, "3/3", false},
        // Integers: signed, the largest unsigned, forced sign, hexadecimal.
        {"%D %D", {I(-5)}, "-5 -5", false},
        {"%D", {I(INT_MIN)}, "-2147483648", false},
        {"%D", {U(4294967295u)}, "4294967295", false},
        {"%+D|%+1$D|%1$+D", {I(7)}, "+7|+7|+7", false},
        {"%+D", {I(-7)}, "-7", false},
        {"%X", {U(255)}, "ff", false},
        {"%+D", {U(7)}, "%%+D", true},
        {"%X", {I(255)}, "%%X", true},
        {"%D", {S("5")}, "%%D", true},
        // Precision: whole characters only; invalid bytes become U+FFFD while it fits.
        {"%.4S", {S("a\xC3\xA9xyz")}, "a\xC3\xA9x", false},
        {"%.2S", {S("a\xC3\xA9")}, "a", false},
        {"%.4S", {S("\xFFxyz")}, "\xEF\xBF\xBDx", false},
        {"%1$.10S|%.99999999999S", {S("hello")}, "hello|hello", false},
        {"%.101$S", {S("x")}, "%%.101$S", true},
        {"%.0S", {S("x")}, "%%.0S", true},
        {"%.3D", {I(1)}, "%%.3D", true},
        {"%+.3S", {S("x")}, "%%+.3S", true},
        // One unnumbered argument serves every unnumbered placeholder; two is a mismatch.
        {"%S", {S("x"), S("y")}, "%%S", true},
        {"%S", {}, "%%S", true},
        {"%2$S", {S("x")}, "%%2$S", true},
        {"%0$S", {S("x")}, "%%0$S", true},
        {"%99999999999$S", {S("x")}, "%%99999999999$S", true},
        // Percent signs and letters that are no conversion.
        {"100%% sure", {}, "100% sure", false},
        {"%%%S", {S("x")}, "%x", false},
        {"50% off", {}, "50%% off", true},
        {"end %", {}, "end %%", true},
        {"%s and %S", {S("x")}, "%%s and x", true},
        {"plain \xC3\xA9", {}, "plain \xC3\xA9", false},
        {"", {}, "", false},
        // Arguments the caller got wrong are never dereferenced.
        {"%S|%.2S", {S(nullptr)}, "%%S|%%.2S", true},
        {"%D", {kind(3)}, "%%D", true},
        {"%X", {kind(7)}, "%%X", true},
    };
    plat::test::CapturedLog log("Localize", 0);
    for (FormatCase& c : cases) {
        SCOPED_TRACE(c.format);
        log.clear();
        for (size_t i = 0; i + 1 < c.args.size(); ++i)
            c.args[i].next = &c.args[i + 1];
        plat::String out("previous content");
        EXPECT_EQ(&loc::formatTranslation(out, c.format, c.args.empty() ? nullptr : &c.args[0]),
                  &out);
        EXPECT_STREQ(out.c_str(), c.expected);
        std::vector<std::string> lines = log.texts("Localize");
        if (c.bad)
            EXPECT_EQ(lines, std::vector<std::string>{std::string("Bad loc string for args - ") +
                                                      c.format});
        else
            EXPECT_TRUE(lines.empty());
    }
}

TEST(FormatTranslation, LongResultsGrowAndStayValid) {
    // Far more output than twice the format: the buffer must grow without losing text.
    std::string big(10000, 'x');
    big += "\xE2\x82\xAC";
    FormatArg arg = S(big.c_str());
    plat::String out = loc::formatString("[%S|%S|%.3S]", &arg);
    EXPECT_EQ(std::string(out.c_str()), "[" + big + "|" + big + "|xxx]");
    EXPECT_TRUE(plat::utf8IsValid(out.get()));
    EXPECT_STREQ(loc::formatString(nullptr, nullptr).c_str(), "");
}

}  // namespace

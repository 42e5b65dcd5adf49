#include "loc/Format.h"

#include "plat/Utf8.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

using loc::FormatArg;

const auto S = [](const char* text) { return FormatArg::ofString(text); };
const auto I = [](int value) { return FormatArg::ofInt(value); };
const auto U = [](unsigned value) { return FormatArg::ofUnsigned(value); };
const auto badKind = [](uint32_t kind) {
    FormatArg a = I(1);
    a.kind = kind;
    return a;
};

struct FormatCase {
    const char* format;
    std::vector<FormatArg> args;  // linked up before the call
    const char* expected;         // "%%" in it marks a rejected placeholder, which is logged
};

TEST(FormatTranslation, PlaceholdersAgainstArguments) {
    FormatCase cases[] = {
        // Numbered arguments pick by position, whatever the order in the text.
        {"%2$S, %1$S", {S("a"), S("b")}, "b, a"},
        {"%2$D/%2$D", {S("x"), I(3)}, "3/3"},
        // Integers: signed, the largest unsigned, forced sign, hexadecimal.
        {"%D %D", {I(-5)}, "-5 -5"},
        {"%D", {I(INT_MIN)}, "-2147483648"},
        {"%D", {U(4294967295u)}, "4294967295"},
        {"%+D|%+1$D|%1$+D", {I(7)}, "+7|+7|+7"},
        {"%+D", {I(-7)}, "-7"},
        {"%X", {U(255)}, "ff"},
        {"%+D", {U(7)}, "%%+D"},
        {"%X", {I(255)}, "%%X"},
        {"%D", {S("5")}, "%%D"},
        // Precision: whole characters only; invalid bytes become U+FFFD while it fits.
        {"%.2S", {S("a\xC3\xA9")}, "a"},
        {"%.4S", {S("\xFFxyz")}, "\xEF\xBF\xBDx"},
        {"%1$.10S|%.99999999999S", {S("hello")}, "hello|hello"},
        {"%.0S", {S("x")}, "%%.0S"},
        {"%.3D", {I(1)}, "%%.3D"},
        // One unnumbered argument serves every unnumbered placeholder; two is a mismatch.
        {"%S", {S("x"), S("y")}, "%%S"},
        {"%S", {}, "%%S"},
        {"%2$S", {S("x")}, "%%2$S"},
        {"%0$S", {S("x")}, "%%0$S"},
        {"%99999999999$S", {S("x")}, "%%99999999999$S"},
        // Percent signs and letters that are no conversion.
        {"100%% sure", {}, "100% sure"},
        {"%%%S", {S("x")}, "%x"},
        {"end %", {}, "end %%"},
        {"%s and %S", {S("x")}, "%%s and x"},
        {"", {}, ""},
        // Arguments the caller got wrong are never dereferenced.
        {"%S|%.2S", {S(nullptr)}, "%%S|%%.2S"},
        {"%D", {badKind(3)}, "%%D"},
    };
    plat::test::CapturedLog log("Localize", 0);
    for (FormatCase& c : cases) {
        const std::string format = c.format;
        for (size_t i = 0; i + 1 < c.args.size(); ++i)
            c.args[i].next = &c.args[i + 1];
        // The result replaces what `out` held, which may be the format itself.
        for (bool formatInOut : {false, true}) {
            SCOPED_TRACE(format + (formatInOut ? " (held by the result string)" : ""));
            log.clear();
            plat::String out(formatInOut ? c.format : "previous content");
            EXPECT_EQ(&loc::formatTranslation(out, formatInOut ? out.get() : c.format,
                                              c.args.empty() ? nullptr : &c.args[0]),
                      &out);
            EXPECT_STREQ(out.c_str(), c.expected);
            std::vector<std::string> expectedLog;
            if (std::strstr(c.expected, "%%"))
                expectedLog = {"Bad loc string for args - " + format};
            EXPECT_EQ(log.texts("Localize"), expectedLog);
        }
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

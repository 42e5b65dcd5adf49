#include "loc/Format.h"

#include "plat/Utf8.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

using loc::FormatArg;

// An argument of a table row: kind, the value for its kind, and whether a string is null.
struct Arg {
    uint32_t kind;
    long long number;
    const char* text;
};
Arg S(const char* text) {
    return {FormatArg::kString, 0, text};
}
Arg I(int value) {
    return {FormatArg::kSigned, value, nullptr};
}
Arg U(unsigned value) {
    return {FormatArg::kUnsigned, value, nullptr};
}

// Builds the linked list the formatter reads; the vector must not change afterwards.
const FormatArg* buildList(const std::vector<Arg>& args, std::vector<FormatArg>& storage) {
    storage.resize(args.size());
    for (size_t i = 0; i < args.size(); ++i) {
        storage[i].kind = args[i].kind;
        storage[i].intValue = int32_t(args[i].number);
        storage[i].uintValue = uint32_t(args[i].number);
        storage[i].strValue = args[i].text;
        storage[i].next = i + 1 < args.size() ? &storage[i + 1] : nullptr;
    }
    return storage.empty() ? nullptr : &storage[0];
}

struct FormatCase {
    const char* format;
    std::vector<Arg> args;
    const char* expected;
    bool bad;  // one "Bad loc string" line expected
};

TEST(FormatTranslation, PlaceholdersAgainstArguments) {
    const FormatCase cases[] = {
        // Numbered arguments pick by position, whatever the order in the text.
        {"%1$S, %2$S", {S("a"), S("b")}, "a, b", false},
        {"%2$S, %1$S", {S("a"), S("b")}, "b, a", false},
        {"%1$S copied %2$D files to %3$S",
         {S("a.txt"), I(12), S("/tmp")},
         "a.txt copied 12 files to /tmp",
         false},
        {"%2$D/%2$D", {S("x"), I(3)}, "3/3", false},
        // Integers: signed, the largest unsigned, forced sign, hexadecimal.
        {"%D", {I(-5)}, "-5", false},
        {"%D", {I(INT_MIN)}, "-2147483648", false},
        {"%D", {U(4294967295u)}, "4294967295", false},
        {"%+D", {I(7)}, "+7", false},
        {"%+D", {I(-7)}, "-7", false},
        {"%+1$D %1$+D", {I(3)}, "+3 +3", false},
        {"%X", {U(255)}, "ff", false},
        {"%+D", {U(7)}, "%%+D", true},
        {"%X", {I(255)}, "%%X", true},
        {"%D", {S("5")}, "%%D", true},
        // Precision: whole characters only, invalid bytes as U+FFFD while it fits.
        {"%.4S",
         {S("a\xC3\xA9"
            "bc")},
         "a\xC3\xA9"
         "b",
         false},
        {"%.2S", {S("a\xC3\xA9")}, "a", false},
        {"%.4S",
         {S("\xFF"
            "abc")},
         "\xEF\xBF\xBD"
         "a",
         false},
        {"%1$.10S", {S("hello")}, "hello", false},
        {"%.99999999999S", {S("abc")}, "abc", false},
        {"%.101$S", {S("x")}, "%%.101$S", true},
        {"%.0S", {S("x")}, "%%.0S", true},
        {"%.3D", {I(1)}, "%%.3D", true},
        {"%+.3S", {S("x")}, "%%+.3S", true},
        // One unnumbered argument serves every unnumbered placeholder; two is a mismatch.
        {"%S %S", {S("x")}, "x x", false},
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
        {"%d", {I(1)}, "%%d", true},
        {"%s and %S", {S("x")}, "%%s and x", true},
        {"no placeholder \xC3\xA9", {}, "no placeholder \xC3\xA9", false},
        {"", {}, "", false},
        // Arguments the caller got wrong are never dereferenced.
        {"%S", {S(nullptr)}, "%%S", true},
        {"%.2S", {S(nullptr)}, "%%.2S", true},
        {"%D", {{3, 1, nullptr}}, "%%D", true},
        {"%X", {{7, 1, nullptr}}, "%%X", true},
    };
    plat::test::CapturedLog log("Localize", 0);
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.format);
        log.clear();
        std::vector<FormatArg> storage;
        const FormatArg* args = buildList(c.args, storage);
        plat::String out("previous content");
        plat::String& returned = loc::formatTranslation(out, c.format, args);
        EXPECT_EQ(&returned, &out);
        EXPECT_STREQ(out.c_str(), c.expected);
        std::vector<std::string> lines = log.texts("Localize");
        if (c.bad) {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0], std::string("Bad loc string for args - ") + c.format);
        } else {
            EXPECT_TRUE(lines.empty()) << lines[0];
        }
    }
}

TEST(FormatTranslation, LongResultsGrowAndStayValid) {
    // Far more output than twice the format: the buffer must grow without losing text.
    std::string big(10000, 'x');
    big += "\xE2\x82\xAC";
    FormatArg arg = FormatArg::ofString(big.c_str());
    plat::String out = loc::formatString("[%S|%S|%.3S]", &arg);
    EXPECT_EQ(std::string(out.c_str()), "[" + big + "|" + big + "|xxx]");
    EXPECT_TRUE(plat::utf8IsValid(out.get()));
    EXPECT_STREQ(loc::formatString(nullptr, nullptr).c_str(), "");
}

TEST(WrapText, WrapsAndLeavesTheThreadLocale) {
    locale_t before = uselocale(locale_t(0));
    plat::DString text("aaa bbb ccc");
    loc::wrapText(text, 7, 2);
    EXPECT_STREQ(text.c_str(), "aaa bbb\n  ccc");
    EXPECT_EQ(uselocale(locale_t(0)), before);
}

}  // namespace

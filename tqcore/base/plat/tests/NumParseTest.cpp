#include "plat/NumParse.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Case {
    const char* text;
    int base;
    bool ok;
    long long value;  // unsigned 64-bit values as their bit pattern
    int consumed;     // characters the cursor moves over on success
};

// Checks the value, the cursor, `out` of 0 on failure, and errno left alone.
template <typename T, size_t N>
void runTable(bool (*parse)(T&, const char**, int), const Case (&cases)[N]) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "' base " + std::to_string(c.base));
        T out = T(12345);
        const char* cursor = c.text;
        errno = EDOM;
        EXPECT_EQ(parse(out, &cursor, c.base), c.ok);
        EXPECT_EQ(errno, EDOM);
        EXPECT_EQ(out, c.ok ? T(c.value) : T(0));
        EXPECT_EQ(cursor, c.text + (c.ok ? c.consumed : 0));
    }
}

// The library converts to 64 bits here: the 32-bit ranges are checked by hand.
TEST(NumParse, Edges) {
    const Case ints[] = {
        {"2147483647", 10, true, 2147483647, 10},
        {"-2147483648", 10, true, -2147483648LL, 11},
        {"2147483648", 10, false, 0, 0},
        {"-2147483649", 10, false, 0, 0},
        {"4294967296", 10, false, 0, 0},
        {"  +42abc", 10, true, 42, 5},
        {"017", 0, true, 15, 3},
        {"-", 10, false, 0, 0},
        {"12", 1, false, 0, 0},
    };
    runTable<int>(plat::parseInt, ints);
    const Case uints[] = {
        {"4294967295", 10, true, 4294967295LL, 10},
        {"4294967296", 10, false, 0, 0},
        {"-1", 10, false, 0, 0},
        {" -0", 10, false, 0, 0},
        {"12-3", 10, true, 12, 2},
    };
    runTable<unsigned int>(plat::parseUInt, uints);
    const Case s64s[] = {
        {"9223372036854775807", 10, true, 9223372036854775807LL, 19},
        {"-9223372036854775808", 10, true, -9223372036854775807LL - 1, 20},
        {"9223372036854775808", 10, false, 0, 0},
        {"", 10, false, 0, 0},
    };
    runTable<int64_t>(plat::parseS64, s64s);
    const Case u64s[] = {
        {"18446744073709551615", 10, true, -1, 20},
        {"18446744073709551616", 10, false, 0, 0},
        {"-1", 10, false, 0, 0},
    };
    runTable<uint64_t>(plat::parseU64, u64s);
}

template <typename F>
std::string thrownMessage(F f) {
    try {
        f();
    } catch (const plat::BadNum& e) {
        return e.message();
    }
    return "(nothing thrown)";
}

TEST(NumParse, ThrowingFormsMoveTheCursorOrThrowTheirText) {
    const char* text = "77 rest";
    EXPECT_EQ(plat::parseInt(&text), 77);
    EXPECT_STREQ(text, " rest");
    EXPECT_EQ(plat::parseU64Full("0x10", 0), 16u);
    EXPECT_EQ(plat::parseIntFull(" 12", 10, nullptr, 0, 12), 12);

    const char* bad = "-1";
    EXPECT_EQ(thrownMessage([&] { plat::parseU64(&bad); }), "Failed to parse U64 integer");
    EXPECT_EQ(thrownMessage([] { plat::parseS64Full("12 "); }), "Failed to parse S64 integer");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull("12abc"); }), "Failed to parse integer");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull(nullptr); }), "Failed to parse integer");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull("13", 10, "Bad port", 0, 12); }), "Bad port");
    EXPECT_EQ(thrownMessage([] { plat::parseUIntFull("5", 10, "low", 6); }), "low");
}

}  // namespace

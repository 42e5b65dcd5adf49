#include "plat/NumParse.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Case {
    const char* text;
    int base;
    bool ok;
    long long value;  // the 64-bit unsigned cases fit below
    int consumed;     // characters the cursor moves over on success
};

template <typename T>
void runTable(const char* name, bool (*parse)(T&, const char**, int), const Case* cases, size_t n) {
    for (size_t i = 0; i < n; ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(std::string(name) + " '" + c.text + "' base " + std::to_string(c.base));
        T out = T(12345);
        const char* cursor = c.text;
        errno = EDOM;
        EXPECT_EQ(parse(out, &cursor, c.base), c.ok);
        EXPECT_EQ(errno, EDOM);
        if (c.ok) {
            EXPECT_EQ(out, T(c.value));
            EXPECT_EQ(cursor, c.text + c.consumed);
        } else {
            EXPECT_EQ(out, T(0));
            EXPECT_EQ(cursor, c.text);
        }
    }
}

// The 32-bit forms run on a 64-bit library conversion: the range checks are their own.
TEST(NumParse, Int32Edges) {
    const Case cases[] = {
        {"2147483647", 10, true, 2147483647, 10},
        {"-2147483648", 10, true, -2147483648LL, 11},
        {"2147483648", 10, false, 0, 0},
        {"-2147483649", 10, false, 0, 0},
        {"4294967296", 10, false, 0, 0},
        {"99999999999999999999", 10, false, 0, 0},
        {"  +42abc", 10, true, 42, 5},
        {"0x7fffffff", 0, true, 0x7fffffff, 10},
        {"0x80000000", 16, false, 0, 0},
        {"017", 0, true, 15, 3},
        {"ff", 16, true, 255, 2},
        {"", 10, false, 0, 0},
        {"abc", 10, false, 0, 0},
        {"-", 10, false, 0, 0},
        {"12", 1, false, 0, 0},  // a base the library refuses
    };
    runTable<int>("parseInt", plat::parseInt, cases, std::size(cases));
}

TEST(NumParse, UInt32Edges) {
    const Case cases[] = {
        {"4294967295", 10, true, 4294967295LL, 10},
        {"4294967296", 10, false, 0, 0},
        {"18446744073709551615", 10, false, 0, 0},
        {"18446744073709551616", 10, false, 0, 0},
        {"-1", 10, false, 0, 0},
        {" -0", 10, false, 0, 0},
        {"+7", 10, true, 7, 2},
        {"0xFFFFFFFF", 0, true, 0xFFFFFFFFLL, 10},
        {"12-3", 10, true, 12, 2},  // a "-" after the number is not converted
        {"x", 10, false, 0, 0},
    };
    runTable<unsigned int>("parseUInt", plat::parseUInt, cases, std::size(cases));
}

TEST(NumParse, S64Edges) {
    const Case cases[] = {
        {"9223372036854775807", 10, true, 9223372036854775807LL, 19},
        {"-9223372036854775808", 10, true, -9223372036854775807LL - 1, 20},
        {"9223372036854775808", 10, false, 0, 0},
        {"-9223372036854775809", 10, false, 0, 0},
        {"\t-5 ", 10, true, -5, 3},
        {"", 10, false, 0, 0},
    };
    runTable<int64_t>("parseS64", plat::parseS64, cases, std::size(cases));
}

TEST(NumParse, U64Edges) {
    const Case cases[] = {
        {"18446744073709551615", 10, true, -1, 20},  // all ones
        {"18446744073709551616", 10, false, 0, 0},  {"-1", 10, false, 0, 0},
        {"0xffffffffffffffff", 0, true, -1, 18},    {"42", 10, true, 42, 2},
    };
    runTable<uint64_t>("parseU64", plat::parseU64, cases, std::size(cases));
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

TEST(NumParse, ThrowingForms) {
    const char* text = "77 rest";
    EXPECT_EQ(plat::parseInt(&text), 77);
    EXPECT_STREQ(text, " rest");
    EXPECT_EQ(plat::parseS64Full("-12"), -12);
    EXPECT_EQ(plat::parseU64Full("0x10", 0), 16u);
    EXPECT_EQ(plat::parseIntFull(" 12", 10, nullptr, 0, 12), 12);
    EXPECT_EQ(plat::parseUIntFull("4294967295"), 4294967295u);

    const char* bad = "-1";
    EXPECT_EQ(thrownMessage([&] { plat::parseUInt(&bad); }), "Failed to parse integer");
    EXPECT_EQ(thrownMessage([&] { plat::parseInt(&bad, 1); }), "Failed to parse integer");
    EXPECT_EQ(thrownMessage([&] { plat::parseU64(&bad); }), "Failed to parse U64 integer");
    EXPECT_EQ(thrownMessage([] { plat::parseS64Full("12 "); }), "Failed to parse S64 integer");
    EXPECT_EQ(thrownMessage([] { plat::parseU64Full("12x"); }), "Failed to parse U64 integer");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull("12abc"); }), "Failed to parse integer");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull("13", 10, "Bad port", 0, 12); }), "Bad port");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull("-1", 10, nullptr, 0, 12); }),
              "Failed to parse integer");
    EXPECT_EQ(thrownMessage([] { plat::parseUIntFull("-0", 10, "neg"); }), "neg");
    EXPECT_EQ(thrownMessage([] { plat::parseUIntFull("5", 10, "low", 6); }), "low");
    EXPECT_EQ(thrownMessage([] { plat::parseIntFull(nullptr); }), "Failed to parse integer");
}

}  // namespace

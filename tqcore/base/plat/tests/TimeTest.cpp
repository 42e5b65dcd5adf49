#include "plat/Time.h"

#include "FileTestUtil.h"

#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

using plat::Time;

// `time` rounded down to a multiple of `unit`.
int64_t floorTo(int64_t time, int64_t unit) {
    return time - ((time % unit) + unit) % unit;
}

std::string utc(int64_t time) {
    return Time::formatIsoUtc(time, true).c_str();
}

std::string fieldsText(const struct tm& f) {
    char text[96];
    std::snprintf(text, sizeof text, "%d-%d-%d %d:%d:%d wday %d yday %d", f.tm_year + 1900,
                  f.tm_mon + 1, f.tm_mday, f.tm_hour, f.tm_min, f.tm_sec, f.tm_wday, f.tm_yday);
    return text;
}

// The C library's proleptic calendar is the oracle. Catches errors of the era and leap
// arithmetic (century years, year starts, the March-based year) on the days where they show,
// in every year the text form carries, and wrong floor division or era handling over the whole
// range (negative years, the 64-bit ends). Times in the text range also convert back.
TEST(TimeCalendar, AgreesWithGmtime) {
    std::mt19937_64 random(7);
    std::vector<int64_t> times = {INT64_MIN, INT64_MIN + 1, -1, 0, 1, INT64_MAX - 1, INT64_MAX};
    for (int i = 0; i < 20000; ++i)
        times.push_back(int64_t(random()));
    for (int year = 1; year <= 9999; ++year) {
        for (auto [month, day] : {std::pair{1, 1}, {2, 28}, {2, 29}, {3, 1}, {12, 31}}) {
            struct tm date = {};
            date.tm_year = year - 1900;
            date.tm_mon = month - 1;
            date.tm_mday = day;
            int64_t seconds = timegm(&date) + int64_t(random() % 86400);  // 29 Feb may become 1 Mar
            ASSERT_EQ(Time::isValidDate(year, month, day, 0, 0, 0), date.tm_mday == day) << year;
            times.push_back(Time::fromUnixSeconds(seconds) + int64_t(random() % Time::kSecond));
        }
    }
    for (int64_t time : times) {
        time_t seconds = Time::toTimeval(time).tv_sec;
        struct tm want;
        ASSERT_NE(gmtime_r(&seconds, &want), nullptr);
        struct tm got = Time::toCalendar(time);
        ASSERT_EQ(fieldsText(got), fieldsText(want)) << time;
        ASSERT_STREQ(got.tm_zone, "UTC");
        ASSERT_EQ(got.tm_gmtoff + got.tm_isdst, 0);
        if (got.tm_year < 1 - 1900 || got.tm_year > 9999 - 1900) continue;
        int64_t converted = 0, viaTm = 0, parsed = 0;
        ASSERT_TRUE(Time::fromDate(converted, got.tm_year + 1900, got.tm_mon + 1, got.tm_mday,
                                   got.tm_hour, got.tm_min, got.tm_sec));
        ASSERT_TRUE(Time::fromTm(viaTm, got));
        ASSERT_TRUE(Time::parseIso(parsed, utc(time).c_str())) << utc(time);
        ASSERT_EQ(converted, floorTo(time, Time::kSecond));
        ASSERT_EQ(viaTm, converted);
        ASSERT_EQ(parsed, floorTo(time, Time::kMillisecond)) << utc(time);
    }
    EXPECT_EQ(utc(INT64_MAX), "30828-09-14T02:48:05.477Z");
    EXPECT_EQ(utc(-1), "1600-12-31T23:59:59.999Z");
    EXPECT_EQ(Time::formatIsoUtc(Time::kUnixEpoch, false), "1970-01-01T00:00:00Z");
}

// Catches truncating division where times before 1970 need the floor, and wrap-around (or the
// signed overflow UBSan reports) at the ends of the range.
TEST(TimeConversion, FloorsAndSaturates) {
    struct {
        int64_t time, seconds, microseconds;
    } timevals[] = {{Time::kUnixEpoch - 1, -1, 999999},
                    {Time::kUnixEpoch - Time::kSecond, -1, 0},
                    {INT64_MIN, -922337203686 - 11644473600, 522419},
                    {INT64_MAX, 922337203685 - 11644473600, 477580}};
    for (auto c : timevals) {
        struct timeval tv = Time::toTimeval(c.time);
        EXPECT_EQ(int64_t(tv.tv_sec), c.seconds) << c.time;
        EXPECT_EQ(int64_t(tv.tv_usec), c.microseconds) << c.time;
    }
    struct {
        int64_t got, want;
    } saturated[] = {{Time::fromUnixSeconds(-933981677285), -9223372036850000000},
                     {Time::fromUnixSeconds(-933981677286), INT64_MIN},
                     {Time::fromUnixSeconds(910692730085), 9223372036850000000},
                     {Time::fromUnixSeconds(910692730086), INT64_MAX},
                     {Time::fromTimeval(-1, 999999), Time::kUnixEpoch - 10},
                     {Time::fromTimeval(910692730085, INT64_MAX), INT64_MAX},
                     {Time::fromTimeval(INT64_MIN, INT64_MIN), INT64_MIN},
                     {Time::fromTimespec(0, 999999999), Time::kUnixEpoch + 9999999},
                     {Time::fromTimespec(INT64_MAX, 0), INT64_MAX}};
    for (auto c : saturated)
        EXPECT_EQ(c.got, c.want) << &c - saturated;
}

// Catches a field range off by one, a refused date that still writes its output, and year
// arithmetic that overflows before the range check.
TEST(TimeDate, FromDateChecksRangesAndTheLimits) {
    struct {
        int year, month, day, hour, minute, second;
        bool valid;
    } cases[] = {{2023, 2, 29, 12, 0, 0, false},    {2024, 4, 31, 0, 0, 0, false},
                 {2024, 0, 1, 0, 0, 0, false},      {2024, 13, 1, 0, 0, 0, false},
                 {2024, 1, 0, 0, 0, 0, false},      {2024, 1, 1, 24, 0, 0, false},
                 {2024, 1, 1, 0, 60, 0, false},     {2024, 1, 1, 0, 0, 61, false},
                 {2024, 1, 1, 0, 0, -1, false},     {INT_MAX, 1, 1, 0, 0, 0, false},
                 {30828, 9, 14, 2, 48, 5, true},    {30828, 9, 14, 2, 48, 6, false},
                 {-27627, 4, 19, 21, 11, 55, true}, {-27627, 4, 19, 21, 11, 54, false}};
    for (auto c : cases) {
        int64_t time = 42;
        EXPECT_EQ(Time::fromDate(time, c.year, c.month, c.day, c.hour, c.minute, c.second), c.valid)
            << c.year << "-" << c.month << "-" << c.day << " " << c.hour << ":" << c.second;
        EXPECT_EQ(Time::isValidDate(c.year, c.month, c.day, c.hour, c.minute, c.second), c.valid);
        EXPECT_TRUE(c.valid || time == 42) << "a refused date changed the output";
    }
    EXPECT_EQ(Time::fromDateOrThrow(2016, 12, 31, 23, 59, 60),
              Time::fromDateOrThrow(2017, 1, 1, 0, 0, 0));
    EXPECT_EQ(failureOf([] { Time::fromDateOrThrow(2023, 2, 29, 12, 0, 0); }).message,
              "invalid date (2023-02-29T12:00:00)");
    struct tm fields = Time::toCalendar(0);
    fields.tm_year = INT_MAX;
    int64_t viaTm = 42;
    EXPECT_FALSE(Time::fromTm(viaTm, fields));
}

// Catches overflow for years far beyond the time type, where 400-year cycles must still add up.
TEST(TimeDate, SecondsFromTmForAnyYear) {
    struct tm fields = Time::toCalendar(Time::fromDateOrThrow(2024, 3, 1, 10, 20, 30));
    int64_t base = Time::secondsFromTm(fields);
    EXPECT_EQ(base * Time::kSecond, Time::fromDateOrThrow(2024, 3, 1, 10, 20, 30));
    for (int cycles : {-5000000, -1, 1, 5000000}) {
        struct tm shifted = fields;
        shifted.tm_year += cycles * 400;
        EXPECT_EQ(Time::secondsFromTm(shifted) - base, cycles * int64_t(12622780800)) << cycles;
    }
    fields.tm_year = fields.tm_mon = fields.tm_mday = INT_MAX;
    EXPECT_GT(Time::secondsFromTm(fields), 0);
}

TEST(TimeParse, AcceptsRfc3339Forms) {
    struct {
        const char* text;
        const char* utc;
    } cases[] = {{"1985-04-12T23:20:50.52Z", "1985-04-12T23:20:50.520Z"},
                 {"1996-12-19T16:39:57-08:00", "1996-12-20T00:39:57.000Z"},
                 {"1990-12-31T23:59:60Z", "1991-01-01T00:00:00.000Z"},
                 {"1990-12-31T15:59:60-08:00", "1991-01-01T00:00:00.000Z"},
                 {"1937-01-01T12:00:27.87+00:20", "1937-01-01T11:40:27.870Z"},
                 {"2024-01-01T00:00:00.0009999Z", "2024-01-01T00:00:00.000Z"},
                 {"2024-01-01T00:00:00+0530", "2023-12-31T18:30:00.000Z"},
                 {"2024-01-01T00:00:00-05", "2024-01-01T05:00:00.000Z"},
                 {"2024-01-01T00:00:00", "2024-01-01T00:00:00.000Z"}};
    for (auto c : cases)
        EXPECT_EQ(utc(Time::parseIsoOrThrow(c.text)), c.utc) << c.text;
    // Twelve fraction digits: only seven reach the time, and scaling must not overflow.
    int64_t base = Time::fromDateOrThrow(2024, 1, 1, 0, 0, 0);
    EXPECT_EQ(Time::parseIsoOrThrow("2024-01-01T00:00:00.999999999999Z"), base + 9999999);
    EXPECT_EQ(Time::parseIsoOrThrow("2024-01-01T00:00:00.123456789012Z"), base + 1234567);
}

// Catches a partial parse taken as a time, a refused text that still writes its output, and
// a null text dereferenced.
TEST(TimeParse, RejectsMalformedText) {
    // clang-format off
    const char* suffixes[] = {  // after "2024-01-01T00:00:00"
        "-00:00", "-0000", "-00", "Zx", "ZZ", ".Z", ".1234567890123Z", ".12a4Z", ".5.5Z",
        "+1:00", "+01:0", "+01-00", "+010", "+01:00x", "+", "+a1:00"};
    const char* texts[] = {
        "", "2024-01-01", "2024-01-01T00:00Z", "2024-01-01 00:00:00Z", " 2024-01-01T00:00:00Z",
        "2023-02-29T12:00:00Z", "2024-01-01T0:00:00Z", "2024-01-01T00:00:0Z",
        "2024-01-01T000:00:00Z", "0000-01-01T00:00:00Z", "10000-01-01T00:00:00Z",
        "99999999999999999999-01-01T00:00:00Z", "-2024-01-01T00:00:00Z", "2024-+1-01T00:00:00Z"};
    // clang-format on
    std::vector<std::string> all(std::begin(texts), std::end(texts));
    for (const char* suffix : suffixes)
        all.push_back(std::string("2024-01-01T00:00:00") + suffix);
    for (const std::string& text : all) {
        int64_t time = 42;
        EXPECT_FALSE(Time::parseIso(time, text.c_str())) << text;
        EXPECT_EQ(time, 42) << text;
    }
    int64_t untouched = 42;
    EXPECT_FALSE(Time::parseIso(untouched, nullptr));
    EXPECT_EQ(failureOf([] { Time::parseIsoOrThrow("2024-01-01T0:00:00Z"); }).message,
              "invalid date (2024-01-01T0:00:00Z)");
}

// Catches an overflow when the year or month field is printed at the ends of int.
TEST(TimeFormat, FormatIsoEdgeYearsAndFields) {
    plat::String out;
    struct tm fields = Time::toCalendar(0);
    fields.tm_year = Time::kMaxTmYear + 1;
    EXPECT_FALSE(Time::formatIso(out, fields, 0, true));
    EXPECT_EQ(out, "<date error>");
    fields.tm_year = Time::kMaxTmYear;
    EXPECT_TRUE(Time::formatIso(out, fields, 0, false));
    EXPECT_EQ(out, "2147483647-01-01T00:00:00");
    fields.tm_year = -1901;
    fields.tm_mon = INT_MAX;
    EXPECT_TRUE(Time::formatIso(out, fields, -1, true));
    EXPECT_EQ(out, "-001-2147483648-01T00:00:00.999");
}

// Catches an offset taken from a time with a fraction (+00:59 instead of +01:00).
TEST(TimeFormat, FormatIsoLocalOffsetInWholeSeconds) {
    const int64_t kHour = 3600 * Time::kSecond;
    int64_t newYear = Time::fromDateOrThrow(2024, 1, 1, 0, 0, 0);
    struct {
        int64_t time, shift;  // shift: local minus UTC
        const char* want;
    } cases[] = {{newYear + 5000000, kHour, "2024-01-01T01:00:00.500+01:00"},
                 {newYear + 9999999, -kHour * 11 / 2, "2023-12-31T18:30:00.999-05:30"},
                 {Time::fromDateOrThrow(1500, 6, 1, 12, 0, 0) + 7777777, 14 * kHour,
                  "1500-06-02T02:00:00.777+14:00"}};
    for (auto c : cases) {
        struct tm local = Time::toCalendar(c.time + c.shift);
        EXPECT_EQ(std::string(Time::formatIsoLocal(local, c.time, true).c_str()), c.want);
        EXPECT_EQ(Time::parseIsoOrThrow(c.want), floorTo(c.time, Time::kMillisecond)) << c.want;
    }
}

TEST(TimeFormatDeathTest, FormatIsoLocalRefusesFieldsAYearAway) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    int64_t time = Time::fromDateOrThrow(2024, 1, 1, 0, 0, 0);
    struct tm farAway = Time::toCalendar(time + 365 * Time::kDay);
    EXPECT_DEATH(Time::formatIsoLocal(farAway, time, false), "offSecs < 365\\*86400");
}

// Catches "%%Y" turned into "%<year>", an empty result taken as an error, and a buffer that
// does not grow to 2048 bytes or refuses a result that fills it with its NUL.
TEST(TimeFormat, StrftimeRewritesOnlyRealYearConversions) {
    struct tm fields = Time::toCalendar(Time::fromDateOrThrow(2024, 5, 6, 7, 8, 9));
    std::string x2047(2043, 'x'), x2048(2044, 'x');  // with the year: 2047 and 2048 bytes
    struct {
        std::string pattern;
        int64_t year;
        std::string want;
    } cases[] = {{"%%Y", 2024, "%Y"},
                 {"%%%Y", 2024, "%2024"},
                 {"", 2024, ""},
                 {"abc%", 2024, "abc%"},
                 {"%Y", 12345, "12345"},
                 {"%Y", 0, "0000"},
                 {x2047 + "%Y", 2024, x2047 + "2024"},
                 {x2048 + "%Y", 2024, "<date error>"},
                 {"%d", Time::kMaxTmYear + int64_t(1901), "<date error>"}};
    for (auto c : cases) {
        fields.tm_year = int(c.year - 1900);
        plat::String out;
        EXPECT_EQ(Time::strftime(out, c.pattern.c_str(), fields), c.want != "<date error>");
        EXPECT_EQ(std::string(out.c_str()), c.want) << c.pattern;
    }
}

// Catches a month matched by prefix or case, a day or year outside the calendar, trailing text
// accepted, a number that overflows while it is read, and a refused text that writes its output.
TEST(TimeParse, ParseBuildDate) {
    // clang-format off
    const char* texts[] = {
        "Jan 1 1", "Dec 31 9999", "Sep   09    2001",  // the accepted ones
        "may 6 2024", "Mayo 6 2024", "May 0 2024", "May 32 2024", "May 6 0", "May 6 10000",
        "May 6", "May 6 2024 x", "May 6x 2024", "May 99999999999999999999 2024", " May 6 2024",
        "May\t6 2024"};
    // clang-format on
    const int accepted[] = {10101, 99991231, 20010909};
    for (size_t i = 0; i < std::size(texts); ++i) {
        int year = 0, month = 0, day = 0;
        EXPECT_EQ(Time::parseBuildDate(year, month, day, texts[i]), i < 3) << texts[i];
        EXPECT_EQ(year * 10000 + month * 100 + day, i < 3 ? accepted[i] : 0) << texts[i];
    }
}

}  // namespace

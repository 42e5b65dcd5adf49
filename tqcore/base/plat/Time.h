// plat::Time: the one time type of the program and its conversions, and the monotonic clock.
//
// A time is a signed 64-bit count of 100 ns units. Wall-clock times count from
// 1601-01-01 00:00:00 UTC, in the proleptic Gregorian calendar; the monotonic clock counts from
// its first use in the process. Conversions from other representations saturate at the 64-bit
// limits instead of wrapping, and the UTC calendar conversion is exact over the whole range
// (years -27627 to 30828). Formatting never throws for an out-of-range year: it writes
// "<date error>". Everything here is reentrant; the conversions allocate nothing but their
// result texts.
#pragma once

#include "plat/String.h"

#include <cstdint>
#include <ctime>
#include <sys/time.h>

namespace plat {

class Time {
public:
    static constexpr int64_t kSecond = 10000000;
    static constexpr int64_t kMillisecond = 10000;
    static constexpr int64_t kDay = 864000000000;
    static constexpr int64_t kUnixEpoch = 116444736000000000;  // 1970-01-01T00:00:00Z

    // The wall-clock time (gettimeofday), saturating.
    static int64_t now();

    // Seconds since 1970. Below -933981677285 gives INT64_MIN, 910692730086 or more INT64_MAX.
    static int64_t fromUnixSeconds(int64_t seconds);
    // Seconds since 1970 with microseconds / nanoseconds (the latter truncated to 100 ns);
    // saturating, whatever the values.
    static int64_t fromTimeval(int64_t seconds, int64_t microseconds);
    static int64_t fromTimespec(int64_t seconds, int64_t nanoseconds);
    // Seconds since 1970 rounded towards minus infinity, and microseconds 0 to 999999.
    static struct timeval toTimeval(int64_t time);

    // Whether the fields make a valid date and time that fits the time type: month 1 to 12,
    // day 1 to the month's length, year -1000000 to 1000000, hour 0 to 23, minute 0 to 59,
    // second 0 to 60 (60 rolls into the next minute).
    static bool isValidDate(int year, int month, int day, int hour, int minute, int second);
    // Converts a UTC date; false (leaving `time` alone) when isValidDate would be false.
    static bool fromDate(int64_t& time, int year, int month, int day, int hour, int minute,
                         int second);
    // The same, throwing plat::Exception "invalid date (%04d-%02d-%02dT%02d:%02d:%02d)".
    static int64_t fromDateOrThrow(int year, int month, int day, int hour, int minute, int second);
    // fromDate on UTC calendar fields (tm_mon 0 to 11, tm_year since 1900); the zone fields
    // are ignored.
    static bool fromTm(int64_t& time, const struct tm& fields);

    // UTC calendar fields with weekday and day of year, zone "UTC", offset 0, no daylight
    // saving. Exact for every time.
    static struct tm toCalendar(int64_t time);
    // Local calendar fields (localtime_r); the UTC fields when the system cannot convert.
    static struct tm toLocalCalendar(int64_t time);
    // Seconds since 1601 of the calendar fields read as UTC, for any year; a month outside
    // 0 to 11 moves the year, other fields simply add up (day 0 is the last of the month
    // before).
    static int64_t secondsFromTm(const struct tm& fields);

    // "YYYY-MM-DDThh:mm:ss" of the fields, then ".mmm" with the milliseconds of `time` when
    // asked (truncated, never rounded). A year field above kMaxTmYear gives "<date error>"
    // and false.
    static bool formatIso(String& out, const struct tm& fields, int64_t time,
                          bool withMilliseconds);
    // formatIso of the UTC fields followed by 'Z': 2024-05-06T07:08:09.010Z.
    static String formatIsoUtc(int64_t time, bool withMilliseconds);
    // The same into a caller's buffer, allocating nothing (the time stamp of every log line);
    // returns the length.
    static constexpr size_t kIsoBufferSize = 128;
    static int formatIsoUtc(char (&buffer)[kIsoBufferSize], int64_t time, bool withMilliseconds);
    // formatIso of `localFields` followed by the offset from UTC ("+01:00"), which is how far
    // the fields read as UTC lie from `time`, in whole seconds. An offset of a year or more is
    // a fatal assertion failure: the fields do not belong to the time.
    static String formatIsoLocal(const struct tm& localFields, int64_t time, bool withMilliseconds);

    // Parses the RFC 3339 form: "YYYY-MM-DDThh:mm:ss", an optional fraction of 1 to 12 digits
    // (digits beyond the seventh are dropped), and a zone: none (UTC), "Z", or '+'/'-' followed
    // by "hh:mm", "hhmm" or "hh" ("-00:00" and its short forms mean an unknown zone and are
    // refused). The year must be 1 to 9999. Returns false, leaving `time` alone, for anything
    // else.
    static bool parseIso(int64_t& time, const char* text);
    // The same, throwing plat::Exception "invalid date (<text>)".
    static int64_t parseIsoOrThrow(const char* text);

    // The system strftime of `pattern`, with every "%Y" conversion written by us so that any
    // year prints. Results longer than 2047 bytes, and a year field above kMaxTmYear, give
    // "<date error>" and false. An empty result is a success.
    static bool strftime(String& out, const char* pattern, const struct tm& fields);

    // Reads a build date in the compiler's form "May  6 2024": an English month abbreviation
    // (exact case), the day 1 to 31 and the year 1 to 9999, separated by one or more blanks.
    // False, leaving the outputs alone, for anything else.
    static bool parseBuildDate(int& year, int& month, int& day, const char* text);

    // The largest tm_year for which tm_year + 1900 is still an int.
    static constexpr int kMaxTmYear = 2147481747;
};

// The monotonic time in 100 ns units since the clock's first use in the process.
//
// When a replacement clock is installed it answers instead: it receives `limit` and may report
// through `jumped` that time moved abruptly (below `limit`: forwards, else backwards). The
// built-in clock ignores `limit` and never reports a jump.
int64_t getMonotonicTime(int64_t limit = INT64_MAX, bool* jumped = nullptr);

// A replacement monotonic clock, for tests that must control time. `jumped` is never null and
// is false on entry.
using MonotonicClockFn = int64_t (*)(int64_t limit, bool* jumped);
// Installs `clock` (null: the built-in clock again) and returns the one it replaces. Not meant
// to be changed while other threads read the clock.
MonotonicClockFn setMonotonicClock(MonotonicClockFn clock);

// The built-in monotonic clock, even while a replacement is installed: for waits on the
// system, which take real time whatever a test's clock says.
int64_t getBuiltinMonotonicTime();

// Turning the system's tick counter into monotonic time. The timebase says how many
// nanoseconds `numerator` / `denominator` one tick lasts; the ratio turns ticks into 100 ns
// units without losing precision: the numerator is divided by 100 when it can be, else the
// denominator is multiplied by 100.
struct MonotonicRatio {
    uint64_t numerator;
    uint64_t denominator;
};
MonotonicRatio monotonicRatio(uint32_t timebaseNumerator, uint32_t timebaseDenominator);
// ticks × numerator / denominator, exact (a 128-bit intermediate), or -1 (UINT64_MAX) when
// the quotient does not fit 64 bits.
int64_t ticksToMonotonicTime(uint64_t ticks, const MonotonicRatio& ratio);

// The system's monotonic tick counter and its timebase (nanoseconds per tick as a fraction);
// the timebase call returns false when the system cannot give one.
uint64_t systemMonotonicTicks();
bool systemMonotonicTimebase(uint32_t& numerator, uint32_t& denominator);

// Waits at least `ms` milliseconds, going on after interruptions by signals. Zero or less
// returns at once.
void sleepMs(int ms);

}  // namespace plat

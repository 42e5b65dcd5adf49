#include "plat/Time.h"

#include "io/Select.h"

#include <atomic>
#include <climits>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace plat {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kUnixEpochSeconds = 11644473600;  // 1601-01-01 to 1970-01-01
// Days from 0000-03-01 (the origin of the civil conversions) to 1601-01-01.
constexpr int64_t kDaysTo1601 = 584694;
// The range of day numbers since 1601 that fromDate accepts.
constexpr int64_t kMinDay = -10675200;
constexpr int64_t kMaxDay = 10675199;
const char kDateError[] = "<date error>";

int64_t floorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// The remainder that goes with floorDiv: 0 <= result < b for b > 0.
int64_t floorMod(int64_t a, int64_t b) {
    int64_t r = a % b;
    return r < 0 ? r + b : r;
}

int64_t saturate(__int128 value) {
    if (value > INT64_MAX) return INT64_MAX;
    if (value < INT64_MIN) return INT64_MIN;
    return int64_t(value);
}

bool isLeapYear(int64_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int64_t year, int64_t month) {
    static const int table[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : table[month - 1];
}

// Day number since 0000-03-01 of a proleptic Gregorian date. Years are counted from March so
// that the leap day ends the year, and whole 400-year eras (146097 days) are split off first,
// which keeps every intermediate small for any 32-bit-plus year.
int64_t daysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2;
    int64_t era = floorDiv(year, 400);
    int64_t yearOfEra = year - era * 400;                                          // 0..399
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;  // from March
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

struct CivilDate {
    int64_t year;
    int month;      // 1..12
    int day;        // 1..31
    int dayOfYear;  // 0..365, from January
};

CivilDate civilFromDays(int64_t days) {
    int64_t era = floorDiv(days, 146097);
    int64_t dayOfEra = days - era * 146097;  // 0..146096
    int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // 0..399
    int64_t marchDay = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t marchMonth = (5 * marchDay + 2) / 153;  // 0 = March
    CivilDate date;
    date.day = int(marchDay - (153 * marchMonth + 2) / 5 + 1);
    date.month = int(marchMonth < 10 ? marchMonth + 3 : marchMonth - 9);
    date.year = yearOfEra + era * 400 + (date.month <= 2);
    date.dayOfYear = int(marchMonth < 10 ? marchDay + 59 + isLeapYear(date.year) : marchDay - 306);
    return date;
}

// The checks of isValidDate, then the time; false when invalid or out of range. Takes 64-bit
// fields so that callers holding calendar fields cannot overflow while adjusting them.
bool dateToTime(int64_t& time, int64_t year, int64_t month, int64_t day, int64_t hour,
                int64_t minute, int64_t second) {
    if (month < 1 || month > 12 || year < -1000000 || year > 1000000) return false;
    if (day < 1 || day > daysInMonth(year, month)) return false;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 60)
        return false;
    int64_t days = daysFromCivil(year, month, day) - kDaysTo1601;
    if (days < kMinDay || days > kMaxDay) return false;
    // The earliest day only fits from some time of day on, so the sum is checked, not its
    // parts.
    __int128 total =
        __int128(days) * Time::kDay + ((hour * 60 + minute) * 60 + second) * Time::kSecond;
    if (total < INT64_MIN || total > INT64_MAX) return false;
    time = int64_t(total);
    return true;
}

// Parses exactly `length` decimal digits; false for anything else. Values beyond `max` are
// refused before they can overflow.
bool parseDigits(const char* text, size_t length, int64_t max, int64_t& value) {
    if (length == 0) return false;
    int64_t result = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        result = result * 10 + (text[i] - '0');
        if (result > max) return false;
    }
    value = result;
    return true;
}

// Writes `value` as exactly `width` digits (value must fit).
char* putDigits(char* out, unsigned value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
    return out + width;
}

// Time::kIsoBufferSize: room for every field at its widest, and a zone.
constexpr size_t kIsoBufferSize = Time::kIsoBufferSize;

// The ISO text of the fields into `buffer` (kIsoBufferSize bytes); returns its length, or -1
// for a year that cannot be printed.
int formatIsoInto(char* buffer, const struct tm& fields, int64_t time, bool withMilliseconds) {
    if (fields.tm_year > Time::kMaxTmYear) return -1;
    int year = fields.tm_year + 1900;
    int64_t month = int64_t(fields.tm_mon) + 1;
    unsigned milliseconds = unsigned(floorMod(time, Time::kSecond) / Time::kMillisecond);
    auto twoDigits = [](int64_t v) { return v >= 0 && v <= 99; };
    if (year >= 0 && year <= 9999 && twoDigits(month) && twoDigits(fields.tm_mday) &&
        twoDigits(fields.tm_hour) && twoDigits(fields.tm_min) && twoDigits(fields.tm_sec)) {
        // The common case, written by hand: this is on the path of every log line.
        char* p = putDigits(buffer, unsigned(year), 4);
        *p++ = '-';
        p = putDigits(p, unsigned(month), 2);
        *p++ = '-';
        p = putDigits(p, unsigned(fields.tm_mday), 2);
        *p++ = 'T';
        p = putDigits(p, unsigned(fields.tm_hour), 2);
        *p++ = ':';
        p = putDigits(p, unsigned(fields.tm_min), 2);
        *p++ = ':';
        p = putDigits(p, unsigned(fields.tm_sec), 2);
        if (withMilliseconds) {
            *p++ = '.';
            p = putDigits(p, milliseconds, 3);
        }
        *p = '\0';
        return int(p - buffer);
    }
    // Out-of-range fields print as they are; month is widened so that tm_mon + 1 cannot
    // overflow.
    int length = std::snprintf(buffer, kIsoBufferSize, "%04d-%02lld-%02dT%02d:%02d:%02d", year,
                               (long long)fields.tm_mon + 1, fields.tm_mday, fields.tm_hour,
                               fields.tm_min, fields.tm_sec);
    if (withMilliseconds)
        length +=
            std::snprintf(buffer + length, kIsoBufferSize - size_t(length), ".%03u", milliseconds);
    return length;
}

}  // namespace

int64_t Time::now() {
    struct timeval tv;
    gettimeofday(&tv, nullptr);
    return fromTimeval(tv.tv_sec, tv.tv_usec);
}

int64_t Time::fromUnixSeconds(int64_t seconds) {
    return saturate(__int128(seconds) * kSecond + kUnixEpoch);
}

int64_t Time::fromTimeval(int64_t seconds, int64_t microseconds) {
    return saturate(__int128(seconds) * kSecond + __int128(microseconds) * 10 + kUnixEpoch);
}

int64_t Time::fromTimespec(int64_t seconds, int64_t nanoseconds) {
    return saturate(__int128(seconds) * kSecond + nanoseconds / 100 + kUnixEpoch);
}

struct timeval Time::toTimeval(int64_t time) {
    int64_t seconds = floorDiv(time, kSecond);
    struct timeval tv;
    tv.tv_sec = time_t(seconds - kUnixEpochSeconds);
    tv.tv_usec = suseconds_t(floorMod(time, kSecond) / 10);
    return tv;
}

bool Time::isValidDate(int year, int month, int day, int hour, int minute, int second) {
    int64_t ignored;
    return dateToTime(ignored, year, month, day, hour, minute, second);
}

bool Time::fromDate(int64_t& time, int year, int month, int day, int hour, int minute, int second) {
    return dateToTime(time, year, month, day, hour, minute, second);
}

int64_t Time::fromDateOrThrow(int year, int month, int day, int hour, int minute, int second) {
    int64_t time;
    if (!fromDate(time, year, month, day, hour, minute, second))
        throw Exception(Format, "invalid date (%04d-%02d-%02dT%02d:%02d:%02d)", year, month, day,
                        hour, minute, second);
    return time;
}

bool Time::fromTm(int64_t& time, const struct tm& fields) {
    int64_t yearsSince1900 = fields.tm_year < kMaxTmYear ? fields.tm_year : kMaxTmYear;
    return dateToTime(time, yearsSince1900 + 1900, int64_t(fields.tm_mon) + 1, fields.tm_mday,
                      fields.tm_hour, fields.tm_min, fields.tm_sec);
}

struct tm Time::toCalendar(int64_t time) {
    int64_t seconds = floorDiv(time, kSecond);
    int64_t days = floorDiv(seconds, kSecondsPerDay);
    int secondOfDay = int(seconds - days * kSecondsPerDay);
    CivilDate date = civilFromDays(days + kDaysTo1601);

    struct tm fields;
    std::memset(&fields, 0, sizeof fields);
    fields.tm_sec = secondOfDay % 60;
    fields.tm_min = secondOfDay / 60 % 60;
    fields.tm_hour = secondOfDay / 3600;
    fields.tm_mday = date.day;
    fields.tm_mon = date.month - 1;
    fields.tm_year = int(date.year - 1900);
    fields.tm_wday = int((days % 7 + 8) % 7);  // 1601-01-01 was a Monday
    fields.tm_yday = date.dayOfYear;
    fields.tm_isdst = 0;
    fields.tm_gmtoff = 0;
    fields.tm_zone = const_cast<char*>("UTC");
    return fields;
}

struct tm Time::toLocalCalendar(int64_t time) {
    static std::once_flag zoneRead;
    std::call_once(zoneRead, [] { tzset(); });
    struct timeval tv = toTimeval(time);
    time_t seconds = tv.tv_sec;
    struct tm fields;
    if (!localtime_r(&seconds, &fields)) return toCalendar(time);
    return fields;
}

int64_t Time::secondsFromTm(const struct tm& fields) {
    int64_t year = int64_t(fields.tm_year) + 1900 + floorDiv(fields.tm_mon, 12);
    int64_t month = fields.tm_mon - floorDiv(fields.tm_mon, 12) * 12 + 1;
    int64_t days = daysFromCivil(year, month, 1) - kDaysTo1601 + fields.tm_mday - 1;
    return days * kSecondsPerDay + int64_t(fields.tm_hour) * 3600 + int64_t(fields.tm_min) * 60 +
           fields.tm_sec;
}

bool Time::formatIso(String& out, const struct tm& fields, int64_t time, bool withMilliseconds) {
    char buffer[kIsoBufferSize];
    int length = formatIsoInto(buffer, fields, time, withMilliseconds);
    if (length < 0) {
        out = kDateError;
        return false;
    }
    out = String(buffer, length);
    return true;
}

int Time::formatIsoUtc(char (&buffer)[kIsoBufferSize], int64_t time, bool withMilliseconds) {
    // The UTC year always prints, so there is no error case here.
    int length = formatIsoInto(buffer, toCalendar(time), time, withMilliseconds);
    buffer[length++] = 'Z';
    buffer[length] = '\0';
    return length;
}

String Time::formatIsoUtc(int64_t time, bool withMilliseconds) {
    char buffer[kIsoBufferSize];
    int length = formatIsoUtc(buffer, time, withMilliseconds);
    return String(buffer, length);
}

String Time::formatIsoLocal(const struct tm& localFields, int64_t time, bool withMilliseconds) {
    char buffer[kIsoBufferSize];
    int length = formatIsoInto(buffer, localFields, time, withMilliseconds);
    if (length < 0) return String(kDateError);
    // Whole seconds on both sides: a fraction left on the time would turn +01:00 into +00:59.
    int64_t offSecs = secondsFromTm(localFields) - floorDiv(time, kSecond);
    // clang-format off
    TQ_ASSERT(offSecs < 365*86400 && offSecs > -365*86400);
    // clang-format on
    int64_t magnitude = offSecs < 0 ? -offSecs : offSecs;
    std::snprintf(buffer + length, sizeof buffer - size_t(length), "%c%02d:%02d",
                  offSecs < 0 ? '-' : '+', int(magnitude / 3600), int(magnitude % 3600 / 60));
    return String(buffer);
}

bool Time::parseIso(int64_t& time, const char* text) {
    if (!text) return false;
    const char* p = text;
    // Scans to the next of `stops` (or the end); the field is what lay before it.
    auto field = [&p](const char* stops, const char*& start, size_t& length) {
        start = p;
        p += std::strcspn(p, stops);
        length = size_t(p - start);
    };

    const char* start;
    size_t length;
    int64_t year, month, day, hour, minute, second;
    field("-", start, length);
    if (*p != '-' || !parseDigits(start, length, 9999, year) || year < 1) return false;
    ++p;
    field("-", start, length);
    if (*p != '-' || !parseDigits(start, length, 99, month)) return false;
    ++p;
    field("T", start, length);
    if (*p != 'T' || !parseDigits(start, length, 99, day)) return false;
    ++p;
    field(":", start, length);
    if (*p != ':' || length != 2 || !parseDigits(start, length, 99, hour)) return false;
    ++p;
    field(":", start, length);
    if (*p != ':' || length != 2 || !parseDigits(start, length, 99, minute)) return false;
    ++p;
    field(".Z+-", start, length);
    if (length != 2 || !parseDigits(start, length, 99, second)) return false;

    int64_t result;
    if (!dateToTime(result, year, month, day, hour, minute, second)) return false;

    if (*p == '.') {
        ++p;
        field("Z+-", start, length);
        if (length > 12) return false;
        // Only the first seven digits reach 100 ns; scaling all twelve would overflow.
        int64_t fraction;
        size_t kept = length < 7 ? length : 7;
        if (!parseDigits(start, length, INT64_MAX, fraction)) return false;
        if (!parseDigits(start, kept, INT64_MAX, fraction)) return false;
        for (size_t i = kept; i < 7; ++i)
            fraction *= 10;
        result += fraction;
    }

    if (*p == 'Z') {
        if (p[1] != '\0') return false;
    } else if (*p == '+' || *p == '-') {
        bool negative = *p == '-';
        const char* zone = p + 1;
        size_t zoneLength = std::strlen(zone);
        int64_t hours, minutes = 0;
        if (zoneLength == 5) {
            if (zone[2] != ':' || !parseDigits(zone, 2, 99, hours) ||
                !parseDigits(zone + 3, 2, 99, minutes))
                return false;
        } else if (zoneLength == 4) {
            if (!parseDigits(zone, 2, 99, hours) || !parseDigits(zone + 2, 2, 99, minutes))
                return false;
        } else if (zoneLength == 2) {
            if (!parseDigits(zone, 2, 99, hours)) return false;
        } else {
            return false;
        }
        if (negative && hours == 0 && minutes == 0) return false;
        int64_t offset = (hours * 60 + minutes) * 60 * kSecond;
        result += negative ? offset : -offset;
    } else if (*p != '\0') {
        return false;
    }
    time = result;
    return true;
}

int64_t Time::parseIsoOrThrow(const char* text) {
    int64_t time;
    if (!parseIso(time, text)) throw Exception(Format, "invalid date (%s)", text ? text : "");
    return time;
}

bool Time::strftime(String& out, const char* pattern, const struct tm& fields) {
    if (fields.tm_year > kMaxTmYear) {
        out = kDateError;
        return false;
    }
    // Our own "%Y" prints every year; the system's may not. "%%" is a literal percent sign and
    // must keep its partner, or "%%Y" would turn into a year.
    char year[16];
    std::snprintf(year, sizeof year, "%04d", fields.tm_year + 1900);
    std::vector<char> rewritten;
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        if (*p != '%') {
            rewritten.push_back(*p);
        } else if (p[1] == 'Y') {
            rewritten.insert(rewritten.end(), year, year + std::strlen(year));
            ++p;
        } else if (p[1] == '%' || p[1] == '\0') {
            // A lone '%' at the end is kept literally, as "%%".
            rewritten.push_back('%');
            rewritten.push_back('%');
            if (p[1]) ++p;
        } else {
            rewritten.push_back('%');
        }
    }
    // strftime returns 0 both for an empty result and for one that does not fit; a trailing
    // marker makes every result that fits non-empty. It gets a byte of its own, so that a
    // result fits exactly when it fits `size` bytes with its NUL.
    rewritten.push_back(' ');
    rewritten.push_back('\0');

    std::vector<char> buffer;
    for (size_t size = 16;; size *= 2) {
        buffer.resize(size + 1);
        size_t length = ::strftime(buffer.data(), size + 1, rewritten.data(), &fields);
        if (length > 0) {
            out = String(buffer.data(), int(length - 1));
            return true;
        }
        if (size >= 1025) break;
    }
    out = kDateError;
    return false;
}

bool Time::parseBuildDate(int& year, int& month, int& day, const char* text) {
    static const char* const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!text) return false;
    const char* words[3];
    size_t lengths[3];
    const char* p = text;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (*p != ' ') return false;
            while (*p == ' ')
                ++p;
        }
        words[i] = p;
        while (*p && *p != ' ')
            ++p;
        lengths[i] = size_t(p - words[i]);
        if (lengths[i] == 0) return false;
    }
    if (*p) return false;

    int monthNumber = 0;
    for (int i = 0; i < 12; ++i)
        if (lengths[0] == 3 && std::strncmp(words[0], months[i], 3) == 0) monthNumber = i + 1;
    int64_t dayNumber, yearNumber;
    if (!monthNumber || !parseDigits(words[1], lengths[1], 31, dayNumber) || dayNumber < 1 ||
        !parseDigits(words[2], lengths[2], 9999, yearNumber) || yearNumber < 1)
        return false;
    year = int(yearNumber);
    month = monthNumber;
    day = int(dayNumber);
    return true;
}

// The monotonic clock.

namespace {

std::atomic<MonotonicClockFn> replacementClock{nullptr};

struct MonotonicBase {
    uint64_t firstTicks;
    MonotonicRatio ratio;
};

const MonotonicBase& monotonicBase() {
    static const MonotonicBase base = [] {
        uint32_t numerator = 0, denominator = 0;
        bool timebaseKnown = systemMonotonicTimebase(numerator, denominator);
        TQ_ASSERT(timebaseKnown && denominator != 0);
        return MonotonicBase{systemMonotonicTicks(), monotonicRatio(numerator, denominator)};
    }();
    return base;
}

}  // namespace

MonotonicRatio monotonicRatio(uint32_t timebaseNumerator, uint32_t timebaseDenominator) {
    if (timebaseNumerator % 100 == 0) return {timebaseNumerator / 100u, timebaseDenominator};
    return {timebaseNumerator, uint64_t(timebaseDenominator) * 100};
}

int64_t ticksToMonotonicTime(uint64_t ticks, const MonotonicRatio& ratio) {
    unsigned __int128 quotient = (unsigned __int128)ticks * ratio.numerator / ratio.denominator;
    uint64_t result = quotient > UINT64_MAX ? UINT64_MAX : uint64_t(quotient);
    return int64_t(result);
}

int64_t getBuiltinMonotonicTime() {
    const MonotonicBase& base = monotonicBase();
    return ticksToMonotonicTime(systemMonotonicTicks() - base.firstTicks, base.ratio);
}

int64_t getMonotonicTime(int64_t limit, bool* jumped) {
    if (MonotonicClockFn clock = replacementClock.load(std::memory_order_acquire)) {
        bool clockJumped = false;
        int64_t time = clock(limit, &clockJumped);
        if (jumped) *jumped = clockJumped;
        return time;
    }
    if (jumped) *jumped = false;
    return getBuiltinMonotonicTime();
}

MonotonicClockFn setMonotonicClock(MonotonicClockFn clock) {
    return replacementClock.exchange(clock, std::memory_order_acq_rel);
}

void sleepMs(int ms) {
    int remaining = ms;
    while (remaining > 0)
        io::selectWithTimeout(0, nullptr, nullptr, nullptr, &remaining, true);
}

}  // namespace plat

#include "plat/NumParse.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace plat {

namespace {

const char kIntFailure[] = "Failed to parse integer";

// Runs one C library conversion on `*cursor` with errno saved around it. Returns false without
// digits, on a range error, or (for the unsigned forms) with a "-" in the converted text.
template <typename Result>
bool convert(Result& out, const char** cursor, int base, bool isUnsigned,
             Result (*convertFn)(const char*, char**, int)) {
    out = 0;
    const char* start = *cursor;
    // A base the library refuses leaves the end pointer unset, or (under some runtimes) null.
    if (!start || base == 1 || base < 0 || base > 36) return false;
    int savedErrno = errno;
    errno = 0;
    char* end = const_cast<char*>(start);
    Result value = convertFn(start, &end, base);
    bool failed = errno != 0;  // ERANGE
    errno = savedErrno;
    if (failed || end == start) return false;
    if (isUnsigned && std::memchr(start, '-', size_t(end - start))) return false;
    out = value;
    *cursor = end;
    return true;
}

bool atEnd(const char* cursor) {
    return *cursor == '\0';
}

}  // namespace

bool parseInt(int& out, const char** cursor, int base) {
    long value;
    const char* at = *cursor;
    out = 0;
    if (!convert(value, &at, base, false, std::strtol)) return false;
    if (value < INT_MIN || value > INT_MAX) return false;
    out = int(value);
    *cursor = at;
    return true;
}

bool parseUInt(unsigned int& out, const char** cursor, int base) {
    unsigned long value;
    const char* at = *cursor;
    out = 0;
    if (!convert(value, &at, base, true, std::strtoul)) return false;
    if (value > UINT_MAX) return false;
    out = static_cast<unsigned int>(value);
    *cursor = at;
    return true;
}

bool parseS64(int64_t& out, const char** cursor, int base) {
    static_assert(sizeof(long long) == sizeof(int64_t), "64-bit long long");
    long long value;
    bool ok = convert(value, cursor, base, false, std::strtoll);
    out = value;
    return ok;
}

bool parseU64(uint64_t& out, const char** cursor, int base) {
    unsigned long long value;
    bool ok = convert(value, cursor, base, true, std::strtoull);
    out = value;
    return ok;
}

int parseInt(const char** cursor, int base) {
    int value;
    if (!parseInt(value, cursor, base)) throw BadNum(kIntFailure);
    return value;
}

unsigned int parseUInt(const char** cursor, int base) {
    unsigned int value;
    if (!parseUInt(value, cursor, base)) throw BadNum(kIntFailure);
    return value;
}

int64_t parseS64(const char** cursor, int base) {
    int64_t value;
    if (!parseS64(value, cursor, base)) throw BadNum("Failed to parse S64 integer");
    return value;
}

int64_t parseS64Full(const char* text, int base) {
    int64_t value = parseS64(&text, base);
    if (!atEnd(text)) throw BadNum("Failed to parse S64 integer");
    return value;
}

uint64_t parseU64(const char** cursor, int base) {
    uint64_t value;
    if (!parseU64(value, cursor, base)) throw BadNum("Failed to parse U64 integer");
    return value;
}

uint64_t parseU64Full(const char* text, int base) {
    uint64_t value = parseU64(&text, base);
    if (!atEnd(text)) throw BadNum("Failed to parse U64 integer");
    return value;
}

int parseIntFull(const char* text, int base, const char* message, int min, int max) {
    int value;
    if (!parseInt(value, &text, base) || !atEnd(text) || value < min || value > max)
        throw BadNum(message ? message : kIntFailure);
    return value;
}

unsigned int parseUIntFull(const char* text, int base, const char* message, unsigned int min,
                           unsigned int max) {
    unsigned int value;
    if (!parseUInt(value, &text, base) || !atEnd(text) || value < min || value > max)
        throw BadNum(message ? message : kIntFailure);
    return value;
}

}  // namespace plat

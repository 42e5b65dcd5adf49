#include "rdr/OutStream.h"

#include "plat/Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>

namespace rdr {

void OutStream::writeBytes(const void* data, int len) {
    const uint8_t* from = static_cast<const uint8_t*>(data);
    while (len > 0) {
        if (ptr >= end) overrun(1, len);
        int take = std::min(len, int(end - ptr));
        std::memcpy(ptr, from, size_t(take));
        ptr += take;
        from += take;
        len -= take;
    }
}

void OutStream::writeString(const char* s, int maxLen) {
    int len = 0;
    if (s)
        len = int(maxLen >= 0 ? strnlen(s, size_t(maxLen)) : std::min(strlen(s), size_t(INT_MAX)));
    writeU32(uint32_t(len));
    write(s, len);
}

void OutStream::writeShortString(const char* s) {
    int len = s ? int(strnlen(s, 255)) : 0;
    writeU8(uint8_t(len));
    write(s, len);
}

void OutStream::writeCString(const char* s, int maxLen) {
    if (s) {
        size_t len = maxLen >= 0 ? strnlen(s, size_t(maxLen)) : strlen(s);
        write(s, int(std::min(len, size_t(INT_MAX))));
    }
    storeNul();
}

void OutStream::printf(const char* format, ...) {
    int guess = int(std::min(strlen(format), size_t(INT_MAX / 2)));
    for (;;) {
        uint8_t* at = room(guess + 1);
        int space = int(end - at);
        // A stream that cannot hold the text contiguously would have this loop forever.
        if (space <= guess) throw plat::Exception("OutStream::printf: no room for the text");
        va_list args;
        va_start(args, format);
        int result = vsnprintf(reinterpret_cast<char*>(at), size_t(space), format, args);
        va_end(args);
        if (result < 0) {
            if (guess >= INT_MAX / 4) throw plat::Exception("OutStream::printf: formatting failed");
            guess = guess * 2 + 1;
        } else if (result >= space) {
            // No window of int size holds 2^31 - 1 bytes and the NUL.
            if (result == INT_MAX) throw plat::Exception("OutStream::printf: no room for the text");
            guess = result;
        } else {
            ptr += result;
            return;
        }
    }
}

void OutStream::writeRepeated(unsigned c, int n) {
    if (n <= 0) return;
    if (c < 128) {
        // In pieces: a long run need not fit one window.
        while (n > 0) {
            if (ptr >= end) overrun(1, n);
            int take = std::min(n, int(end - ptr));
            std::memset(ptr, int(c), size_t(take));
            ptr += take;
            n -= take;
        }
    } else {
        if (c > 0x10FFFF) throw plat::Exception("Unicode out of range");
        char encoded[4];
        char* out = encoded;
        plat::utf8Encode(int(c), &out);
        int size = int(out - encoded);
        for (int i = 0; i < n; i++) {
            if (end - ptr < size) overrun(size, n - i);
            std::memcpy(ptr, encoded, size_t(size));
            ptr += size;
        }
    }
    storeNul();
}

void OutStream::advance(int n) {
    while (n > 0) {
        if (ptr >= end) overrun(1, n);
        int take = std::min(n, int(end - ptr));
        ptr += take;
        n -= take;
    }
}

}  // namespace rdr

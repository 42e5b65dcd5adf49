// plat::copyShort: memcpy for the few bytes that most names and values in parsed documents
// hold, too short for a call of memcpy to pay. Up to 16 bytes are copied with two overlapping
// moves of fixed size, which the compiler turns into loads and stores; longer runs go to memcpy.
#pragma once

#include <cstddef>
#include <cstring>

namespace plat {

// Copies `n` bytes from `from` to `to`; the two must not overlap.
inline void copyShort(char* to, const char* from, size_t n) {
    if (n >= 8 && n <= 16) {
        std::memcpy(to, from, 8);
        std::memcpy(to + n - 8, from + n - 8, 8);
    } else if (n >= 4 && n < 8) {
        std::memcpy(to, from, 4);
        std::memcpy(to + n - 4, from + n - 4, 4);
    } else if (n < 4) {
        if (n > 0) to[0] = from[0];
        if (n > 1) to[1] = from[1];
        if (n > 2) to[2] = from[2];
    } else {
        std::memcpy(to, from, n);
    }
}

}  // namespace plat

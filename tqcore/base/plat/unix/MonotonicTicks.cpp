#include "plat/Time.h"

#include <time.h>

namespace plat {

// CLOCK_MONOTONIC counts nanoseconds, so a tick is one nanosecond.
uint64_t systemMonotonicTicks() {
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return uint64_t(ts.tv_sec) * 1000000000u + uint64_t(ts.tv_nsec);
}

bool systemMonotonicTimebase(uint32_t& numerator, uint32_t& denominator) {
    struct timespec ts;
    if (clock_gettime(CLOCK_MONOTONIC, &ts) != 0) return false;
    numerator = 1;
    denominator = 1;
    return true;
}

}  // namespace plat

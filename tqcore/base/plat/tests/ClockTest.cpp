#include "plat/Time.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// Catches a wrong reduction of the timebase (dividing when not divisible, losing the factor
// of 100) and 64-bit overflow of ticks × numerator.
TEST(MonotonicClock, RatioArithmetic) {
    struct RatioCase {
        uint32_t numerator, denominator;
        uint64_t wantNumerator, wantDenominator;
    } ratios[] = {
        {1, 1, 1, 100},                        // nanosecond ticks
        {125, 3, 125, 300},                    // 41.67 ns ticks
        {300, 7, 3, 7},                        //
        {4294967200u, 1, 42949672, 1},         // the largest numerator divisible by 100
        {1, 4294967295u, 1, 429496729500ull},  // the denominator outgrows 32 bits
    };
    for (const RatioCase& c : ratios) {
        plat::MonotonicRatio r = plat::monotonicRatio(c.numerator, c.denominator);
        EXPECT_EQ(r.numerator, c.wantNumerator) << c.numerator << "/" << c.denominator;
        EXPECT_EQ(r.denominator, c.wantDenominator) << c.numerator << "/" << c.denominator;
    }

    struct TickCase {
        uint64_t ticks;
        plat::MonotonicRatio ratio;
        int64_t want;
    } ticks[] = {{99, {1, 100}, 0},
                 {UINT64_MAX, {1, 100}, 184467440737095516},
                 // The product needs 71 bits; the quotient fits.
                 {uint64_t(1) << 63, {125, 300}, 3843071682022823253},
                 // The quotient itself needs more than 64 bits.
                 {UINT64_MAX, {42949672, 1}, -1},
                 {uint64_t(1) << 40, {uint64_t(1) << 24, 1}, -1}};
    for (const TickCase& c : ticks)
        EXPECT_EQ(plat::ticksToMonotonicTime(c.ticks, c.ratio), c.want) << c.ticks;
}

int64_t fakeLimit = 0;
int64_t fakeClock(int64_t limit, bool* jumped) {
    fakeLimit = limit;
    *jumped = true;
    return INT64_MIN + 5;
}

// Catches a replacement that is ignored, loses the limit or the jump report, reaches the
// waits on the system, or cannot be removed again.
TEST(MonotonicClock, ReplacementAnswersUntilRemoved) {
    EXPECT_EQ(plat::setMonotonicClock(&fakeClock), nullptr);
    bool jumped = false;
    EXPECT_EQ(plat::getMonotonicTime(777, &jumped), INT64_MIN + 5);
    EXPECT_TRUE(jumped);
    EXPECT_EQ(fakeLimit, 777);
    EXPECT_EQ(plat::getMonotonicTime(), INT64_MIN + 5);  // no jump pointer given
    EXPECT_EQ(fakeLimit, INT64_MAX);
    EXPECT_GE(plat::getBuiltinMonotonicTime(), 0);

    EXPECT_EQ(plat::setMonotonicClock(nullptr), &fakeClock);
    int64_t last = plat::getMonotonicTime(0, &jumped);
    EXPECT_FALSE(jumped);  // the built-in clock never jumps
    EXPECT_GE(last, 0);
    for (int i = 0; i < 1000; ++i) {
        int64_t now = plat::getMonotonicTime();
        ASSERT_GE(now, last);
        last = now;
    }
}

}  // namespace

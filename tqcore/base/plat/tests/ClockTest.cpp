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
        {100, 1, 1, 1},                        // 100 ns ticks
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
    } ticks[] = {{0, {1, 100}, 0},
                 {99, {1, 100}, 0},
                 {12345678901, {1, 100}, 123456789},
                 {UINT64_MAX, {1, 100}, 184467440737095516},
                 {3, {125, 300}, 1},
                 // The product needs 71 bits; the quotient fits.
                 {uint64_t(1) << 63, {125, 300}, 3843071682022823253},
                 // The quotient itself needs more than 64 bits.
                 {UINT64_MAX, {42949672, 1}, -1},
                 {uint64_t(1) << 40, {uint64_t(1) << 24, 1}, -1}};
    for (const TickCase& c : ticks)
        EXPECT_EQ(plat::ticksToMonotonicTime(c.ticks, c.ratio), c.want) << c.ticks;
}

struct FakeClock {
    static int64_t time;
    static int64_t seenLimit;
    static bool jump;
    static int64_t read(int64_t limit, bool* jumped) {
        seenLimit = limit;
        *jumped = jump;
        return time;
    }
};
int64_t FakeClock::time = 0;
int64_t FakeClock::seenLimit = 0;
bool FakeClock::jump = false;

// Catches a replacement that is ignored, loses the limit or the jump report, or cannot be
// removed again.
TEST(MonotonicClock, ReplacementAnswersUntilRemoved) {
    FakeClock::time = 123456789;
    const int64_t kImpossible = INT64_MIN + 5;
    FakeClock::jump = true;
    plat::MonotonicClockFn previous = plat::setMonotonicClock(&FakeClock::read);
    EXPECT_EQ(previous, nullptr);

    bool jumped = false;
    EXPECT_EQ(plat::getMonotonicTime(777, &jumped), 123456789);
    EXPECT_TRUE(jumped);
    EXPECT_EQ(FakeClock::seenLimit, 777);
    FakeClock::jump = false;
    EXPECT_EQ(plat::getMonotonicTime(), 123456789);  // no jump pointer given
    EXPECT_EQ(FakeClock::seenLimit, INT64_MAX);
    // Waits on the system keep real time.
    FakeClock::time = kImpossible;
    EXPECT_EQ(plat::getMonotonicTime(), kImpossible);
    EXPECT_GE(plat::getBuiltinMonotonicTime(), 0);

    EXPECT_EQ(plat::setMonotonicClock(nullptr), &FakeClock::read);
    jumped = true;
    int64_t first = plat::getMonotonicTime(0, &jumped);
    EXPECT_FALSE(jumped);  // the built-in clock never jumps
    EXPECT_GE(first, 0);
    int64_t last = first;
    for (int i = 0; i < 1000; ++i) {
        int64_t now = plat::getMonotonicTime();
        ASSERT_GE(now, last);
        last = now;
    }
}

}  // namespace

#include "plat/Timer.h"
#include "plat/Time.h"
#include "plat/tests/LogCapture.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

namespace {

using namespace plat;
constexpr int64_t kMs = Time::kMillisecond;

int64_t fakeNow = 0;
int readsBeforeJump = -1;  // the clock reports a jump at this read from now (0: the next)
int64_t fakeClock(int64_t, bool* jumped) {
    *jumped = readsBeforeJump >= 0 && readsBeforeJump-- == 0;
    return fakeNow;
}

std::string fired;  // names of the probes whose timers fired, in order

struct Probe : Timer::Callback {
    explicit Probe(char name, std::function<bool()> action = {})
        : name(name), action(action), timer(this) {}
    bool timerExpired(Timer*) override { return fired += name, action && action(); }
    char name;
    std::function<bool()> action;  // run after the name is added
    Timer timer;
};

struct TimerTest : ::testing::Test, TimerManager::Callback {
    TimerTest() : previousClock(setMonotonicClock(&fakeClock)) { fired.clear(); }
    ~TimerTest() override { setMonotonicClock(previousClock); }
    void nextTimeoutChanged(int ms) override { notified.push_back(ms); }
    MonotonicClockFn previousClock;
    TimerManager manager;
    std::vector<int> notified;
};

// Each case starts timers 0 to 4 in order (time-outs in 5 ms steps), names the probe acting in
// its callback, what it does ('c'ancel, 'd'elete, 'r'epeat, 's'tart with 0 ms and ask to repeat,
// 't'hrow, '-' nothing) and to which probe, and what fires in each of two passes 10 ms later.
TEST_F(TimerTest, PassOrderAndChangesDuringAPass) {
    struct Case {
        const char *fault, *timeouts, *act, *wantFirst, *wantSecond;
    } cases[] = {
        {"equal time-outs fire out of start order", "22122", "0-0", "20134", ""},
        {"a timer cancelled by an earlier callback fires", "22222", "0c2", "0134", ""},
        {"a due timer deleted by an earlier callback runs freed", "22222", "0d3", "0124", ""},
        {"a deleted waiting timer stays in the manager", "22229", "0d4", "0123", ""},
        {"interval 0 runs again in the same pass", "20222", "1r1", "10234", "1"},
        {"a timer restarted by its callback that asks to repeat is queued twice", "22222", "1s1",
         "01234", "1"},
        {"timers after a throwing callback are stranded", "22222", "1t1", "01!", "234"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        std::vector<std::unique_ptr<Probe>> probes;
        for (char name = '0'; name < '5'; ++name)
            probes.push_back(std::make_unique<Probe>(name));
        probes[c.act[0] - '0']->action = [&probes, &c] {
            std::unique_ptr<Probe>& target = probes[c.act[2] - '0'];
            if (c.act[1] == 'c') target->timer.cancel();
            if (c.act[1] == 'd') target.reset();
            if (c.act[1] == 's') target->timer.start(0);
            if (c.act[1] == 't') throw std::runtime_error("thrown");
            return c.act[1] == 'r' || c.act[1] == 's';
        };
        for (int i = 0; i < 5; ++i)
            probes[i]->timer.start((c.timeouts[i] - '0') * 5);
        fakeNow += 10 * kMs;
        for (const char* want : {c.wantFirst, c.wantSecond}) {
            fired.clear();
            try {
                manager.processTimers();
            } catch (const std::runtime_error&) {
                fired += '!';
                EXPECT_EQ(manager.getTimeout(), 0);  // the loop must not sleep on them
            }
            EXPECT_EQ(fired, want);
        }
    }
}

// A 100 ms repeating timer, processed late, or with a clock jump at the given read.
TEST_F(TimerTest, RepeatingTimerCatchesUpOnceAndRestartsAfterJumps) {
    const char* forwards = "Time has jumped forwards - restarting timers";
    struct Case {
        const char* fault;
        int lateMs, jumpAtRead, wantRemainingMs;  // jumpAtRead -1: no jump
        const char *wantFired, *wantLog;
    } cases[] = {
        {"the next due time drifts by the lateness", 50, -1, 50, "r", ""},
        {"a late timer fires again to catch up", 350, -1, 100, "r", ""},
        {"a jump seen before the pass fires the timer", 50, 0, 100, "", forwards},
        {"a jump seen on re-arming keeps the old due time", 50, 1, 100, "r", forwards},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        test::CapturedLog log("TimerManager", 30);
        fired.clear();
        Probe probe('r', [] { return true; });
        probe.timer.start(100);
        fakeNow += (100 + c.lateMs) * kMs;
        readsBeforeJump = c.jumpAtRead;
        manager.processTimers();
        EXPECT_EQ(fired, c.wantFired);
        EXPECT_EQ(probe.timer.getRemaining(), c.wantRemainingMs * kMs);
        EXPECT_EQ(log.texts("TimerManager"),
                  std::vector<std::string>(*c.wantLog ? 1 : 0, c.wantLog));
    }
}

// Catches a loop that is not told when the first timer changes, or told the wrong time.
TEST_F(TimerTest, EventLoopIsToldWhenTheFirstTimerMoves) {
    manager.setCallback(this);
    Probe a('a'), b('b');
    a.timer.start(10);
    b.timer.start(5);
    fakeNow += 4 * kMs + 5000;
    EXPECT_EQ(manager.getTimeout(), 1);  // half a millisecond left counts as one
    b.timer.cancel();
    fakeNow += 10 * kMs;
    EXPECT_EQ(manager.processTimers(), 0);
    EXPECT_EQ(notified, (std::vector<int>{10, 5, 6, -1}));
}

// Catches a lost thread instance, unchecked nesting, and timers left on a dead manager.
TEST(TimerManagerInstance, NestingAndLifetime) {
    Probe probe('p');
    EXPECT_DEATH(probe.timer.start(1), "Assertion 'thrInst' failed");
    TimerManager outer;  // its destructor checks that `inner` gave the thread back
    EXPECT_DEATH(TimerManager second, "Assertion 'nested \\|\\| !thrInst' failed");
    auto inner = std::make_unique<TimerManager>(true);
    probe.timer.start(5);
    inner.reset();
    EXPECT_FALSE(probe.timer.isStarted());
}

}  // namespace

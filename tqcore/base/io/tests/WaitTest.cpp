#include "io/Select.h"
#include "plat/Time.h"
#include "plat/tests/FileTestUtil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

using plat::Time;

std::atomic<int> alarms{0};
void countAlarm(int) {
    alarms.fetch_add(1);
}

// Sends SIGALRM once after `ms`, with a handler that does not restart system calls, so that a
// wait in progress fails with EINTR. Restores the previous handler and cancels the timer.
class Interrupter {
public:
    explicit Interrupter(int ms) {
        struct sigaction action = {};
        action.sa_handler = countAlarm;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        alarms = 0;
        sigaction(SIGALRM, &action, &previous_);
        struct itimerval timer = {};
        timer.it_value.tv_usec = ms * 1000;
        setitimer(ITIMER_REAL, &timer, nullptr);
    }
    ~Interrupter() {
        struct itimerval off = {};
        setitimer(ITIMER_REAL, &off, nullptr);
        sigaction(SIGALRM, &previous_, nullptr);
    }

private:
    struct sigaction previous_;
};

class Pipe {
public:
    Pipe() { EXPECT_EQ(pipe(fds_), 0); }
    ~Pipe() {
        close(fds_[0]);
        close(fds_[1]);
    }
    int readEnd() const { return fds_[0]; }
    int writeEnd() const { return fds_[1]; }
    void put() { ASSERT_EQ(write(fds_[1], "x", 1), 1); }

private:
    int fds_[2];
};

int64_t elapsedMs(int64_t since) {
    return (plat::getBuiltinMonotonicTime() - since) / Time::kMillisecond;
}

// Catches a time left that is not zero after a time-out, or that a ready descriptor changes.
TEST(SelectWithTimeout, TimeLeftAfterTimeOutAndReadiness) {
    Pipe p;
    fd_set readSet;
    for (int wanted : {0, 1}) {
        if (wanted) p.put();
        FD_ZERO(&readSet);
        FD_SET(p.readEnd(), &readSet);
        int timeout = wanted ? 5000 : 40;
        EXPECT_EQ(
            io::selectWithTimeout(p.readEnd() + 1, &readSet, nullptr, nullptr, &timeout, true),
            wanted);
        EXPECT_EQ(timeout, wanted ? 5000 : 0);
    }
}

// Catches an interruption reported as an error or as ready descriptors, and a time left that
// is not taken from the deadline.
TEST(SelectWithTimeout, InterruptionEmptiesSetsAndUpdatesTimeLeft) {
    for (bool update : {true, false}) {
        Pipe p;
        fd_set readSet;
        FD_ZERO(&readSet);
        FD_SET(p.readEnd(), &readSet);
        int timeout = 2000;
        Interrupter interrupter(30);
        int64_t start = plat::getBuiltinMonotonicTime();
        int ready =
            io::selectWithTimeout(p.readEnd() + 1, &readSet, nullptr, nullptr, &timeout, update);
        int64_t waited = elapsedMs(start);
        ASSERT_EQ(alarms.load(), 1) << "the wait was not interrupted";
        EXPECT_EQ(ready, 0);
        EXPECT_FALSE(FD_ISSET(p.readEnd(), &readSet));
        if (update) {
            EXPECT_LE(timeout, 2000 - 25);
            EXPECT_GE(timeout, 2000 - waited - 1);
        } else {
            EXPECT_EQ(timeout, 2000);
        }
    }
}

// Catches a wait that ends early when interrupted, or that does not go on with the time left.
TEST(WaitFd, ReadableWritableTimeOutAndInterruption) {
    Pipe p;
    EXPECT_TRUE(io::waitFd(p.writeEnd(), 1000, false, true));
    Interrupter interrupter(20);
    int64_t start = plat::getBuiltinMonotonicTime();
    EXPECT_FALSE(io::waitFd(p.readEnd(), 120, true, false));
    EXPECT_EQ(alarms.load(), 1) << "the wait was not interrupted";
    EXPECT_GE(elapsedMs(start), 120);
    p.put();
    EXPECT_TRUE(io::waitFd(p.readEnd(), -1, true, false));
}

// Catches FD_SET beyond the end of an fd_set (AddressSanitizer reports it) instead of EMFILE.
TEST(WaitFd, DescriptorAboveSelectLimitIsRefused) {
    const int kHighFd = 1500;
    struct rlimit limit;
    ASSERT_EQ(getrlimit(RLIMIT_NOFILE, &limit), 0);
    if (limit.rlim_cur <= rlim_t(kHighFd)) {
        struct rlimit raised = limit;
        raised.rlim_cur = kHighFd + 1;
        if (limit.rlim_max < raised.rlim_cur || setrlimit(RLIMIT_NOFILE, &raised) != 0)
            GTEST_SKIP() << "cannot open descriptor " << kHighFd << ": limit " << limit.rlim_max;
    }
    Pipe p;
    ASSERT_EQ(dup2(p.readEnd(), kHighFd), kHighFd);
    EXPECT_EQ(failureOf([&] { io::waitFd(kHighFd, 10, true, false); }).error, EMFILE);
    close(kHighFd);
    setrlimit(RLIMIT_NOFILE, &limit);
}

// Catches a sleep cut short by a signal, or one that returns before its time.
TEST(SleepMs, WaitsAtLeastTheTimeEvenWhenInterrupted) {
    Interrupter interrupter(10);
    int64_t start = plat::getBuiltinMonotonicTime();
    plat::sleepMs(60);
    EXPECT_EQ(alarms.load(), 1) << "the sleep was not interrupted";
    EXPECT_GE(elapsedMs(start), 60);
    start = plat::getBuiltinMonotonicTime();
    plat::sleepMs(-1);
    EXPECT_LT(elapsedMs(start), 1000) << "a negative time taken as a huge one";
}

}  // namespace

#include "io/FdKicker.h"
#include "io/FdManager.h"
#include "plat/tests/LogCapture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <functional>
#include <thread>
#include <unistd.h>

namespace {

using io::FdManager;

struct Pipe {
    Pipe() {
        int fds[2];
        EXPECT_EQ(pipe2(fds, O_CLOEXEC | O_NONBLOCK), 0);
        r = fds[0];
        w = fds[1];
    }
    ~Pipe() {
        if (r >= 0) close(r);
        if (w >= 0) close(w);
    }
    int r, w;
};

// Appends its tag to `log` for every callback and runs `action` after the first one.
struct Recorder : io::FdHandler, io::FdKickerCallback, plat::Timer::Callback {
    Recorder(std::string& log, char tag) : log(log), tag(tag) {}
    void note() {
        log += tag;
        if (action) std::exchange(action, nullptr)();
    }
    void fdReadable(int) override { note(); }
    void fdWritable(int) override { note(); }
    void kicked() override { note(); }
    bool timerExpired(plat::Timer*) override { return note(), false; }
    std::string& log;
    char tag;
    std::function<void()> action;
};

// Watches are made in the reverse of the order the pass must keep, so that an order that
// merely follows registration fails.
TEST(FdManager, PassRunsTimersThenKickersThenReadableThenWritable) {
    FdManager manager;
    std::string log;
    Pipe readable, writable;
    Recorder w(log, 'W'), r(log, 'R'), k(log, 'K'), t(log, 'T');
    manager.watch(writable.w, &w, false, true);
    ASSERT_EQ(write(readable.w, "x", 1), 1);
    manager.watch(readable.r, &r, true, false);
    io::FdKicker kicker(&k);
    kicker.kick();
    plat::Timer timer(&t);
    timer.start(0);
    EXPECT_EQ(manager.dispatch(-1), 4);
    EXPECT_EQ(log, "TKRW");
}

// An earlier callback of a pass changes the watches of a descriptor found ready later in it.
TEST(FdManager, ChangesDuringAPassAreSeenAtOnce) {
    struct Case {
        const char* fault;
        std::function<void(FdManager&, int fd, io::FdHandler* other)> change;
        const char* want;
    } cases[] = {
        {"an unwatched descriptor is still delivered",
         [](FdManager& m, int fd, io::FdHandler*) { m.unwatch(fd); }, "A"},
        {"a new handler on the descriptor gets the old one's readiness",
         [](FdManager& m, int fd, io::FdHandler* other) { m.watch(fd, other, true, false); },
         "AO"},
        {"a change of write interest drops the read readiness",
         [](FdManager& m, int fd, io::FdHandler*) { m.setWriteInterest(fd, true); }, "ABB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        FdManager manager;
        std::string log;
        Pipe first, second;
        Recorder a(log, 'A'), b(log, 'B'), other(log, 'O');
        a.action = [&] { c.change(manager, second.r, &other); };
        ASSERT_EQ(write(first.w, "x", 1), 1);
        ASSERT_EQ(write(second.w, "x", 1), 1);
        manager.watch(first.r, &a, true, false);
        manager.watch(second.r, &b, true, false);
        manager.dispatch(0);
        // A second pass shows where the descriptor's readiness goes from now on.
        manager.unwatch(first.r);
        manager.dispatch(0);
        EXPECT_EQ(log, c.want);
    }
}

TEST(FdManager, ClosedDescriptorIsDroppedWithOneErrorLine) {
    plat::test::CapturedLog log("FdManager");
    FdManager manager;
    std::string calls;
    Recorder handler(calls, 'X');
    int fd;
    {
        Pipe p;
        fd = p.r;
        manager.watch(fd, &handler, true, false);
    }
    manager.dispatch(0);
    manager.dispatch(0);
    EXPECT_FALSE(manager.isWatched(fd));
    EXPECT_EQ(calls, "");
    EXPECT_THAT(log.texts("FdManager"),
                testing::ElementsAre("Descriptor " + std::to_string(fd) +
                                     " is not open: no longer watched"));
}

TEST(FdKicker, KickFromAnotherThreadEndsAnUnlimitedWait) {
    FdManager manager;
    std::string log;
    struct Drainer : Recorder {
        using Recorder::Recorder;
        void kicked() override { kicker->drain(), note(); }
        io::FdKicker* kicker = nullptr;
    } drainer(log, 'K');
    io::FdKicker kicker(&drainer);
    drainer.kicker = &kicker;
    // More kicks than a pipe holds: the excess must neither block nor fail.
    std::thread kicking([&] {
        for (int i = 0; i < 100000; ++i)
            kicker.kick();
    });
    kicking.join();
    EXPECT_EQ(manager.dispatch(-1), 1);
    EXPECT_EQ(manager.dispatch(0), 0) << "drain() left bytes in the pipe";
    std::thread once([&] { kicker.kick(); });
    EXPECT_EQ(manager.dispatch(-1), 1);
    once.join();
    EXPECT_EQ(log, "KK");
}

TEST(FdManagerDeathTest, OneManagerPerThread) {
    EXPECT_DEATH(
        {
            FdManager first;
            FdManager second;
        },
        "Assertion 'nested \\|\\| !thrInst' failed");
}

}  // namespace

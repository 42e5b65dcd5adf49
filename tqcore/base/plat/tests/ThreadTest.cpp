#include "plat/Thread.h"
#include "plat/LogDest.h"
#include "plat/LogSrc.h"
#include "plat/Time.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using plat::Thread;

// Collects the lines of the "Threading" source.
class CaptureDest : public plat::LogDest {
public:
    CaptureDest() : LogDest("threadTestCapture") {}
    void write(int, const char* source, const char* text) override {
        std::lock_guard<std::mutex> lock(mutex);
        if (std::string(source) == "Threading") lines.push_back(text);
    }
    // Index of the first line equal to `line`, or -1.
    int find(const std::string& line) {
        std::lock_guard<std::mutex> lock(mutex);
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : int(it - lines.begin());
    }
    int count(const std::string& line) {
        std::lock_guard<std::mutex> lock(mutex);
        return int(std::count(lines.begin(), lines.end(), line));
    }
    std::mutex mutex;
    std::vector<std::string> lines;
};

CaptureDest& capture() {
    static auto* dest = new CaptureDest;  // destinations live for the whole process
    return *dest;
}

// The event line a thread writes, built independently of the product's formatting.
std::string eventLine(const char* event, const char* name, pthread_t id,
                      const char* message = nullptr) {
    char line[256];
    std::snprintf(line, sizeof line, "%-9s %s %lx%s%s", event, name, (unsigned long)(uintptr_t)id,
                  message ? ": " : "", message ? message : "");
    return line;
}

// Spins (yielding) until `done` holds or ten seconds pass.
bool waitUntil(const std::function<bool()>& done) {
    int64_t deadline = plat::getBuiltinMonotonicTime() + 10 * plat::Time::kSecond;
    while (!done()) {
        if (plat::getBuiltinMonotonicTime() > deadline) return false;
        std::this_thread::yield();
    }
    return true;
}

class FunctionRunner : public plat::ThreadRunner {
public:
    explicit FunctionRunner(std::function<void(Thread*)> work) : work_(std::move(work)) {}
    void run(Thread* thread) override { work_(thread); }

private:
    std::function<void(Thread*)> work_;
};

class ThreadTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Applied once: a source keeps every table it ever had, so changing the setting per
        // test would show up as leaks.
        static const bool applied = [] {
            capture();
            plat::LogSrc::setLogSetting("Threading:threadTestCapture:100");
            return true;
        }();
        (void)applied;
        std::lock_guard<std::mutex> lock(capture().mutex);
        capture().lines.clear();
    }
};

// Catches a second system thread (and a lost id) from a repeated start.
TEST_F(ThreadTest, StartTwiceCreatesOneThread) {
    std::atomic<int> runs{0};
    FunctionRunner runner([&](Thread* self) {
        EXPECT_EQ(Thread::current(), self);
        runs.fetch_add(1);
    });
    Thread thread("twice", &runner);
    EXPECT_EQ(thread.state(), Thread::kNew);
    thread.start();
    thread.start();
    EXPECT_EQ(thread.join(), &thread);
    EXPECT_EQ(thread.join(), &thread);
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(thread.state(), Thread::kJoined);
    EXPECT_EQ(capture().count(eventLine("started", "twice", thread.id())), 1);
    EXPECT_EQ(capture().count(eventLine("joined", "twice", thread.id())), 1);
}

// Catches a destructor that frees the object under a running thread.
TEST_F(ThreadTest, DestructorJoinsRunningThread) {
    std::atomic<bool> workDone{false};
    FunctionRunner runner([&](Thread*) {
        plat::sleepMs(100);
        workDone = true;
    });
    auto* thread = new Thread("sleeper", &runner);
    thread->start();
    pthread_t id = thread->id();
    delete thread;
    EXPECT_TRUE(workDone.load());
    int stopped = capture().find(eventLine("stopped", "sleeper", id));
    int joined = capture().find(eventLine("joined", "sleeper", id));
    EXPECT_EQ(capture().find(eventLine("created", "sleeper", pthread_t())), 0);
    EXPECT_GE(capture().find(eventLine("destroy", "sleeper", id)), 0);
    EXPECT_GE(stopped, 0);
    EXPECT_LT(stopped, joined);
    EXPECT_LT(joined, capture().find(eventLine("destroyed", "sleeper", id)));
}

// Catches an exception that escapes the thread, is not logged, or leaves the state running.
TEST_F(ThreadTest, FailingWorkLogsAndFinishes) {
    FunctionRunner runner([](Thread*) { throw plat::Exception("boom at work"); });
    Thread thread("failer", &runner);
    thread.start();
    EXPECT_TRUE(waitUntil([&] { return thread.state() != Thread::kRunning; }));
    EXPECT_EQ(thread.state(), Thread::kFinished);
    EXPECT_GE(capture().find(eventLine("failed", "failer", thread.id(), "boom at work")), 0);
    EXPECT_EQ(capture().find(eventLine("stopped", "failer", thread.id())), -1);
    thread.join();
}

// Catches a native object made anew on each call, or one that claims to be joinable.
TEST_F(ThreadTest, CurrentOnMainThreadIsOneNativeObject) {
    Thread* first = Thread::current();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Thread::current(), first);
    EXPECT_STREQ(first->name(), "Native");
    EXPECT_EQ(first->state(), Thread::kNative);
    EXPECT_EQ(int(first->state()), 4);
    EXPECT_TRUE(pthread_equal(first->id(), pthread_self()));
    EXPECT_EQ(first->join(), nullptr);
}

// Catches a failed pthread_create reported as a running thread with id 0.
TEST_F(ThreadTest, FailedCreateThrowsAndStaysNew) {
    pthread_attr_t defaults, huge;
    ASSERT_EQ(pthread_getattr_default_np(&defaults), 0);
    ASSERT_EQ(pthread_attr_init(&huge), 0);
    // No address space holds a stack this large, so the system must refuse the thread.
    ASSERT_EQ(pthread_attr_setstacksize(&huge, size_t(1) << 50), 0);
    ASSERT_EQ(pthread_setattr_default_np(&huge), 0);

    std::atomic<int> runs{0};
    FunctionRunner runner([&](Thread*) { runs.fetch_add(1); });
    Thread thread("nostack", &runner);
    bool threw = false;
    try {
        thread.start();
    } catch (const plat::SystemException& e) {
        threw = true;
        EXPECT_EQ(std::string(e.message()).rfind("pthread_create: ", 0), 0u) << e.message();
        EXPECT_NE(e.errorNumber(), 0);
    }
    pthread_setattr_default_np(&defaults);
    pthread_attr_destroy(&huge);
    pthread_attr_destroy(&defaults);
    if (!threw) {
        ASSERT_NE(thread.id(), pthread_t()) << "a failed creation was reported as success";
        thread.join();
        GTEST_SKIP() << "the system created a thread with a 1 PiB stack";
    }
    EXPECT_EQ(thread.state(), Thread::kNew);
    thread.start();  // possible again once the system allows it
    thread.join();
    EXPECT_EQ(runs.load(), 1);
}

// Catches a thread object that is leaked (LeakSanitizer) or joined after deleting itself.
TEST_F(ThreadTest, DeleteWhenDoneFreesTheObject) {
    // The object may be gone as soon as it is started: its id is taken on the thread.
    std::atomic<pthread_t> earlyId{pthread_t()};
    FunctionRunner recordId([&](Thread*) { earlyId = pthread_self(); });
    auto* early = new Thread("selfish", &recordId);
    early->setDeleteWhenDone();
    early->start();
    EXPECT_TRUE(waitUntil(
        [&] { return capture().find(eventLine("destroyed", "selfish", earlyId.load())) >= 0; }));

    FunctionRunner runner([](Thread*) {});

    auto* late = new Thread("latecomer", &runner);
    late->start();
    EXPECT_TRUE(waitUntil([&] { return late->state() == Thread::kFinished; }));
    pthread_t lateId = late->id();
    late->setDeleteWhenDone();  // the work is over: deleted at once
    EXPECT_GE(capture().find(eventLine("destroyed", "latecomer", lateId)), 0);
}

// Catches a mutex that is not recursive (a second lock on one thread would deadlock) or that
// does not exclude other threads.
TEST(Mutex, RecursiveOnOneThreadExclusiveAcrossThreads) {
    plat::Mutex owned;
    pthread_mutex_t raw;
    plat::initRecursiveMutex(&raw);
    for (pthread_mutex_t* mutex : {owned.native(), &raw}) {
        ASSERT_EQ(pthread_mutex_lock(mutex), 0);
        EXPECT_EQ(pthread_mutex_trylock(mutex), 0) << "not re-entrant";
        int fromOther = -1;
        std::thread([&] { fromOther = pthread_mutex_trylock(mutex); }).join();
        EXPECT_EQ(fromOther, EBUSY);
        pthread_mutex_unlock(mutex);
        std::thread([&] { fromOther = pthread_mutex_trylock(mutex); }).join();
        EXPECT_EQ(fromOther, EBUSY) << "one unlock released both locks";
        pthread_mutex_unlock(mutex);
        std::thread([&] {
            fromOther = pthread_mutex_trylock(mutex);
            if (fromOther == 0) pthread_mutex_unlock(mutex);
        }).join();
        EXPECT_EQ(fromOther, 0);
    }
    pthread_mutex_destroy(&raw);
}

TEST(Condition, WaitWithoutLimitWakesOnSignal) {
    plat::Mutex mutex;
    plat::Condition condition(mutex);
    bool ready = false;
    FunctionRunner runner([&](Thread*) {
        plat::MutexLock lock(mutex);
        ready = true;
        condition.signal();
    });
    Thread signaller("signaller", &runner);
    {
        plat::MutexLock lock(mutex);
        signaller.start();
        while (!ready)
            EXPECT_TRUE(condition.wait(-1));
    }
    signaller.join();
}

TEST(ConditionDeathTest, TimedWaitIsFatal) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    plat::Mutex mutex;
    plat::Condition condition(mutex);
    EXPECT_DEATH(
        {
            plat::MutexLock lock(mutex);
            condition.wait(5);
        },
        "Assertion 'timeoutMs == -1' failed at .*: Condition timed wait not implemented yet");
}

}  // namespace

#include "plat/Thread.h"
#include "plat/Time.h"

#include "FileTestUtil.h"
#include "plat/tests/LogCapture.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <thread>

namespace {

using plat::Thread;

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
    // The index of the first line logging `event` of a thread (built independently of the
    // product's formatting), or -1.
    int findEvent(const char* event, const char* name, pthread_t id,
                  const char* message = nullptr) {
        char line[256];
        std::snprintf(line, sizeof line, "%-9s %s %lx%s%s", event, name,
                      (unsigned long)(uintptr_t)id, message ? ": " : "", message ? message : "");
        std::vector<std::string> lines = log_.texts("Threading");
        auto it = std::find(lines.begin(), lines.end(), line);
        return it == lines.end() ? -1 : int(it - lines.begin());
    }
    plat::test::CapturedLog log_{"Threading", 100};
};

// Catches a second system thread (and a lost id) from a repeated start.
TEST_F(ThreadTest, StartTwiceCreatesOneThread) {
    std::atomic<int> runs{0};
    FunctionRunner runner([&](Thread* self) {
        EXPECT_EQ(Thread::current(), self);
        runs.fetch_add(1);
    });
    Thread thread("twice", &runner);
    thread.start();
    thread.start();
    EXPECT_EQ(thread.join(), &thread);
    EXPECT_EQ(thread.join(), &thread);
    EXPECT_EQ(runs.load(), 1);
    EXPECT_EQ(thread.state(), Thread::kJoined);
    EXPECT_GE(findEvent("joined", "twice", thread.id()), 0) << "the id was lost";
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
    int stopped = findEvent("stopped", "sleeper", id), joined = findEvent("joined", "sleeper", id);
    EXPECT_GE(stopped, 0);
    EXPECT_LT(stopped, joined);
    EXPECT_LT(joined, findEvent("destroyed", "sleeper", id));
}

// Catches an exception that escapes the thread, is not logged, or leaves the state running.
TEST_F(ThreadTest, FailingWorkLogsAndFinishes) {
    FunctionRunner runner([](Thread*) { throw plat::Exception("boom at work"); });
    Thread thread("failer", &runner);
    thread.start();
    EXPECT_TRUE(waitUntil([&] { return thread.state() != Thread::kRunning; }));
    EXPECT_EQ(thread.state(), Thread::kFinished);
    EXPECT_GE(findEvent("failed", "failer", thread.id(), "boom at work"), 0);
    EXPECT_EQ(findEvent("stopped", "failer", thread.id()), -1);
    thread.join();
}

// Catches a native object made anew on each call, or one that claims to be joinable.
TEST_F(ThreadTest, CurrentOnMainThreadIsOneNativeObject) {
    Thread* first = Thread::current();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(Thread::current(), first);
    EXPECT_EQ(first->state(), Thread::kNative);
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
    Failure f = failureOf([&] { thread.start(); });
    pthread_setattr_default_np(&defaults);
    pthread_attr_destroy(&huge);
    pthread_attr_destroy(&defaults);
    if (f.error == -1) {
        ASSERT_NE(thread.id(), pthread_t()) << "a failed creation was reported as success";
        thread.join();
        GTEST_SKIP() << "the system created a thread with a 1 PiB stack";
    }
    EXPECT_GT(f.error, 0);
    EXPECT_EQ(f.message.rfind("pthread_create: ", 0), 0u) << f.message;
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
    EXPECT_TRUE(waitUntil([&] { return findEvent("destroyed", "selfish", earlyId.load()) >= 0; }));

    FunctionRunner runner([](Thread*) {});
    auto* late = new Thread("latecomer", &runner);
    late->start();
    EXPECT_TRUE(waitUntil([&] { return late->state() == Thread::kFinished; }));
    pthread_t lateId = late->id();
    late->setDeleteWhenDone();  // the work is over: deleted at once
    EXPECT_GE(findEvent("destroyed", "latecomer", lateId), 0);
}

// Catches a mutex that is not recursive (a second lock on one thread would deadlock), that
// does not exclude other threads, or that one unlock frees entirely.
TEST(Mutex, RecursiveOnOneThreadExclusiveAcrossThreads) {
    plat::Mutex owned;
    pthread_mutex_t raw;
    plat::initRecursiveMutex(&raw);
    for (pthread_mutex_t* mutex : {owned.native(), &raw}) {
        auto otherGetsIt = [&] {
            int got = -1;
            std::thread([&] {
                got = pthread_mutex_trylock(mutex);
                if (got == 0) pthread_mutex_unlock(mutex);
            }).join();
            return got == 0;
        };
        ASSERT_EQ(pthread_mutex_lock(mutex), 0);
        EXPECT_EQ(pthread_mutex_trylock(mutex), 0) << "not re-entrant";
        EXPECT_FALSE(otherGetsIt());
        pthread_mutex_unlock(mutex);
        EXPECT_FALSE(otherGetsIt()) << "one unlock released both locks";
        pthread_mutex_unlock(mutex);
        EXPECT_TRUE(otherGetsIt());
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

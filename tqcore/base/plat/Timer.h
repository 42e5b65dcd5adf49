// plat::Timer and plat::TimerManager: one-shot and repeating time-outs run by the event loop
// of the thread that starts them.
//
// Each thread with an event loop owns one manager; its loop asks getTimeout how long it may
// sleep and calls processTimers to run the due timers, so every callback runs on the thread
// that started the timer. Due times follow the monotonic clock: changes of the wall clock do
// not move timers. Timers due at the same time fire in the order they were started. Waiting
// timers are kept in a binary heap: starting or cancelling costs O(log n) in the number of
// waiting timers, running one O(log n), and nothing is allocated once the heap and the queue
// of due timers have grown to their working size. Nothing is locked: a manager and its
// timers belong to one thread.
#pragma once

#include "plat/NonCopyable.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace plat {

class TimerManager;

class Timer : NonCopyable {
public:
    class Callback {
    public:
        virtual ~Callback() = default;
        // Called when `timer` expires, with the timer idle. Returning true runs it again one
        // interval after its last due time (or one interval from now, when that has passed
        // too). Starting the timer from here re-arms it with the new time-out instead;
        // deleting it is allowed when false is returned. An exception propagates out of
        // TimerManager::processTimers.
        virtual bool timerExpired(Timer* timer) = 0;
    };

    // An idle timer that calls `callback` (not owned, must outlive the timer's scheduling).
    explicit Timer(Callback* callback) : callback_(callback) {}
    // Cancels the timer, so that a timer may be destroyed while scheduled.
    ~Timer() { cancel(); }

    // Schedules the timer `ms` milliseconds from now on the calling thread's manager,
    // cancelling it first when it is scheduled. A thread without a manager is a fatal
    // assertion failure ("thrInst").
    void start(int ms);
    // Takes the timer out of its manager's waiting timers or due queue; an idle timer (or one
    // whose callback is running) is left alone.
    void cancel();
    // Whether the timer is waiting or due (not idle, not running its callback).
    bool isStarted() const { return manager_ != nullptr; }
    // The due time minus the monotonic time now, in 100 ns units; negative when overdue.
    // Meaningless for a timer never started.
    int64_t getRemaining() const;

private:
    friend class TimerManager;

    int64_t due_ = 0;                  // monotonic time of expiry
    uint64_t order_ = 0;               // start sequence: breaks ties of due_
    size_t slot_ = 0;                  // index in the manager's heap or due queue
    int interval_ = 0;                 // milliseconds
    bool queued_ = false;              // in the due queue rather than the heap
    Callback* callback_;               // not owned
    TimerManager* manager_ = nullptr;  // null while idle or while the callback runs
};

class TimerManager : NonCopyable {
public:
    class Callback {
    public:
        virtual ~Callback() = default;
        // The time until the first waiting timer has changed: milliseconds, or -1 when no
        // timer waits.
        virtual void nextTimeoutChanged(int ms) = 0;
    };

    // Makes the new manager the calling thread's instance. When the thread already has one,
    // `nested` must be true (else a fatal assertion failure, "nested || !thrInst"); the earlier
    // instance comes back when this one is destroyed.
    explicit TimerManager(bool nested = false);
    // Leaves every waiting and due timer idle, without calling the callback, and restores
    // the previous instance. Must be destroyed on its own thread, newest first ("thrInst ==
    // this").
    ~TimerManager();

    // The calling thread's manager; a fatal assertion failure ("thrInst") when it has none.
    static TimerManager* instance();
    // The calling thread's manager, or null.
    static TimerManager* instanceIfAny();

    // Installs the event loop's callback (not owned; null removes it).
    void setCallback(Callback* callback) { callback_ = callback; }

    // Milliseconds until the first waiting timer is due (a part of a millisecond counts as
    // one, at most INT_MAX), 0 when one is due or timers are left over from a pass that a
    // callback's exception ended, and -1 when no timer waits. `now`, when given, receives
    // the monotonic time used.
    int getTimeout(int64_t* now = nullptr);
    // Runs the callback of every due timer, in order of due time, then of starting; a timer
    // cancelled or restarted by an earlier callback of the same pass does not fire. Returns
    // 0 after running timers, otherwise what getTimeout would. When a callback throws, the
    // exception propagates after the event loop is told (nextTimeoutChanged(0)) that the
    // timers still due will run on the next pass.
    int processTimers();

private:
    friend class Timer;

    void schedule(Timer* timer, int ms);
    void remove(Timer* timer);
    // Moves the waiting timers due at `now` behind the leftovers of an interrupted pass.
    void queueDueTimers(int64_t now);
    // Schedules a timer whose callback asked to run again one interval on.
    void rearm(Timer* timer);
    // The monotonic time, restarting every timer when the clock reports a jump.
    int64_t readNow(bool* jumped = nullptr);
    void restartAfterJump(int64_t now, bool forwards);
    // Due timers of a pass that a callback's exception ended, still to run.
    bool hasLeftovers() const { return !inPass_ && nextDue_ < due_.size(); }
    int timeoutAt(int64_t now) const;
    void notifyTimeout();
    void skipCancelled();

    void heapPush(Timer* timer);
    Timer* heapPopFirst();
    void heapErase(size_t slot);
    void siftUp(size_t slot);
    void siftDown(size_t slot);
    void place(Timer* timer, size_t slot);
    static bool dueBefore(const Timer* a, const Timer* b);

    TimerManager* previous_;        // the thread's instance before this one
    std::vector<Timer*> waiting_;   // min-heap on (due_, order_)
    std::vector<Timer*> due_;       // this pass's due timers; null where one was taken out
    size_t nextDue_ = 0;            // index in due_ of the next timer to run
    uint64_t nextOrder_ = 0;        // order_ of the next timer to start
    bool inPass_ = false;           // processTimers is running callbacks
    Callback* callback_ = nullptr;  // not owned
};

}  // namespace plat

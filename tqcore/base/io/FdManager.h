// io::FdManager: the per-thread event manager, a poll() loop over file descriptors that also
// owns and drives the thread's plat::TimerManager.
//
// Each call to dispatch() waits once (no longer than the first timer allows) and then runs one
// pass in a fixed order: due timers, then kicked handlers (the self-pipes of io::FdKicker, so a
// wake-up from another thread is seen before the data it announces is read), then readable and
// then writable descriptors. Everything runs on the owning thread; nothing is locked. A wait
// costs one poll() over every watched descriptor; a pass allocates nothing once its arrays
// have grown to the number of descriptors.
#pragma once

#include "plat/NonCopyable.h"
#include "plat/Timer.h"

#include <cstdint>
#include <poll.h>
#include <vector>

namespace io {

// Told when a watched descriptor is ready. The handler (not owned) must stay alive while it is
// watched; it may watch or unwatch any descriptor, itself included, from these calls.
class FdHandler {
public:
    virtual ~FdHandler() = default;
    // Readable, at its end or in error: the next read tells which.
    virtual void fdReadable(int fd) = 0;
    // Writable, or in error when only writing is watched (the next write tells).
    virtual void fdWritable(int fd) = 0;
};

class FdManager : plat::TimerManager::Callback, plat::NonCopyable {
public:
    // Makes the manager the calling thread's instance and creates the thread's timer manager,
    // which tells it whenever its first timer moves.
    // A thread that already has an event manager (and so a timer manager), or a timer manager
    // of its own, is a fatal assertion failure ("nested || !thrInst").
    FdManager();
    // Destroys the timer manager (idling its timers); must run on the owning thread.
    ~FdManager() override;

    // The calling thread's manager; a fatal assertion failure ("thrInst") when it has none.
    static FdManager* instance();
    // The calling thread's manager, or null.
    static FdManager* instanceIfAny();

    plat::TimerManager& timers() { return timers_; }

    // Watches `fd` for `handler`: readable when `read`, writable when `write`; a call for a
    // watched descriptor replaces its handler and interest. Neither flag is the same as
    // unwatch(). A negative descriptor is a fatal assertion failure ("fd >= 0").
    void watch(int fd, FdHandler* handler, bool read, bool write);
    // Changes only the write interest of a watched descriptor; nothing for an unwatched one.
    void setWriteInterest(int fd, bool write);
    // Watches the read end of a self-pipe: its readiness is dispatched before other descriptors.
    void watchKicker(int fd, FdHandler* handler);
    // Stops watching `fd`; a readiness already seen in the current pass is not delivered.
    // Nothing for a descriptor not watched.
    void unwatch(int fd);

    // Waits at most `maxWaitMs` milliseconds (negative: no limit), less when a timer is due
    // sooner, then runs one pass. Returns the number of callbacks run (timers count as one
    // pass of the timer manager). An exception from a callback propagates, leaving the rest
    // of the pass undone: timers still due run on the next call, descriptors still ready are
    // seen again by its wait. A descriptor that poll() reports as not open (closed while
    // watched) is unwatched with an error line rather than reported on every pass. An error of
    // poll() other than EINTR throws plat::SystemException "poll".
    int dispatch(int maxWaitMs);

private:
    struct Watch {
        int fd;
        FdHandler* handler;
        uint64_t serial;  // distinguishes a descriptor re-watched during a pass
        bool read, write, kicker;
    };
    struct Ready {
        int fd;
        uint64_t serial;
        short events;  // revents of poll()
        bool kicker;
    };

    // The first timer moved: -1 when none waits any more.
    void nextTimeoutChanged(int ms) override;
    Watch* find(int fd);
    // Delivers one phase of the pass; returns the number of callbacks.
    int deliver(const std::vector<Ready>& ready, bool kickers, bool writable);

    plat::TimerManager timers_;
    std::vector<Watch> watches_;      // in order of watching
    std::vector<struct pollfd> fds_;  // poll() set built from watches_
    std::vector<Ready> spareReady_;   // storage for a pass's ready list, kept between passes
    uint64_t nextSerial_ = 1;
    bool timerWaiting_ = false;  // as the timer manager last said: a wait asks it how long
};

}  // namespace io

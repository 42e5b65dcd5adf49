// Recursive mutexes and the condition variable of the platform layer.
//
// Every mutex of the platform layer is recursive, so that a thread may re-enter code that
// already holds a lock (a log destination written to from a callback of its own writer). All
// of them are made with one process-wide attribute. plat::Mutex owns such a mutex,
// plat::MutexLock holds it for a scope, and plat::Condition waits on one; each costs one
// pthread object and no allocation.
#pragma once

#include <pthread.h>

namespace plat {

// The process-wide recursive mutex attribute, made on first use. When the system refuses the
// recursive type, a warning goes to standard error and the attribute stays the default one.
const pthread_mutexattr_t* recursiveMutexAttr();
// pthread_mutex_init with the recursive attribute; a failure throws plat::SystemException
// "pthread_mutex_init".
void initRecursiveMutex(pthread_mutex_t* mutex);

class Mutex {
public:
    Mutex() { initRecursiveMutex(&mutex_); }
    ~Mutex() { pthread_mutex_destroy(&mutex_); }
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    // May be nested on one thread; each lock needs its unlock. A failure is a fatal assertion
    // failure: nothing sensible can go on without the lock.
    void lock();
    void unlock();
    pthread_mutex_t* native() { return &mutex_; }

private:
    pthread_mutex_t mutex_;
};

class MutexLock {
public:
    explicit MutexLock(Mutex& mutex) : mutex_(mutex) { mutex_.lock(); }
    ~MutexLock() { mutex_.unlock(); }
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;

private:
    Mutex& mutex_;
};

// A condition variable bound to one mutex for its whole life.
class Condition {
public:
    explicit Condition(Mutex& mutex);
    ~Condition();
    Condition(const Condition&) = delete;
    Condition& operator=(const Condition&) = delete;

    // Waits for a signal with the bound mutex held exactly once by the caller (a recursive
    // hold is released only one level, which would deadlock). Only -1, no limit, is supported:
    // it returns true after waking, which may be spurious, so callers wait in a loop on their
    // own condition. Any other time-out is a fatal assertion failure.
    bool wait(int timeoutMs = -1);
    // Wakes one waiter / every waiter.
    void signal();
    void broadcast();

private:
    Mutex& mutex_;
    pthread_cond_t cond_;
};

}  // namespace plat

// plat::Thread: a named system thread that is started, joined and logged as one object.
//
// Each step of a thread's life is written at level 100 on the log source "Threading". Every
// thread can find its own object with plat::Thread::current(); a thread that was not started
// here gets a "Native" object on first asking, which is never freed. A thread object costs a
// recursive mutex and a copy of its name; state changes are made under that mutex, and the
// join wait happens outside it.
#pragma once

#include "plat/Mutex.h"
#include "plat/String.h"

#include <pthread.h>

namespace plat {

class Thread;

// The work of a thread, when it is not given by overriding plat::Thread::run.
class ThreadRunner {
public:
    virtual ~ThreadRunner() = default;
    virtual void run(Thread* thread) = 0;
};

class Thread {
public:
    enum State { kNew = 0, kRunning = 1, kFinished = 2, kJoined = 3, kNative = 4 };

    // A thread that is not started yet; `runner` (not owned, may be null) must outlive the
    // work.
    explicit Thread(const char* name, ThreadRunner* runner = nullptr);
    // An object describing a thread that was not started here: named "Native", state kNative.
    explicit Thread(pthread_t nativeId);
    // Joins the thread (waiting for its work to end), then frees the object. A subclass whose
    // run() uses its own members must join in its own destructor, before they are gone.
    virtual ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Creates the system thread, which runs run(); does nothing unless the state is kNew.
    // A failure to create it throws plat::SystemException "pthread_create" and leaves the
    // state kNew, so that start may be tried again.
    void start();
    // Waits for the system thread and returns this object in state kJoined; at once when it was
    // already joined or never started. Returns null, without waiting, for a native object or
    // one that deletes itself. Only one thread may join a given thread.
    Thread* join();
    // Lets the thread detach and delete its object once its work ends; it can no longer be
    // joined. When the work has already ended, the object is deleted now. Not for native
    // objects or joined threads.
    void setDeleteWhenDone();

    // The calling thread's object; a thread not started here gets a native one, kept for the
    // rest of the process.
    static Thread* current();

    const char* name() const { return name_.c_str(); }
    pthread_t id() const { return id_; }
    State state();

protected:
    // The thread's work: calls the runner's run when there is one. A plat::Exception thrown
    // here is logged as "failed"; any other exception ends the process.
    virtual void run();

private:
    static void* entry(void* arg);
    void logEvent(const char* event, const char* message = nullptr);

    String name_;
    pthread_t id_;          // 0 until started
    ThreadRunner* runner_;  // not owned; null for a native object
    Mutex mutex_;           // guards state_ and deleteWhenDone_
    State state_;
    bool deleteWhenDone_ = false;
};

}  // namespace plat

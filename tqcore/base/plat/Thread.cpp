#include "plat/Thread.h"

#include "plat/LogSrc.h"

#include <cstdint>

namespace plat {

namespace {

LogSrc threadLog("Threading");

pthread_key_t currentThreadKey() {
    static const pthread_key_t key = [] {
        pthread_key_t made;
        int error = pthread_key_create(&made, nullptr);
        TQ_ASSERT(error == 0);
        return made;
    }();
    return key;
}

// Made before main, so that no thread races to create it.
[[maybe_unused]] const pthread_key_t initialKey = currentThreadKey();

}  // namespace

Thread::Thread(const char* name, ThreadRunner* runner)
    : name_(name ? name : ""), id_(pthread_t()), runner_(runner), state_(kNew) {
    logEvent("created");
}

Thread::Thread(pthread_t nativeId)
    : name_("Native"), id_(nativeId), runner_(nullptr), state_(kNative) {
    logEvent("native");
}

Thread::~Thread() {
    logEvent("destroy");
    join();
    logEvent("destroyed");
}

void Thread::logEvent(const char* event, const char* message) {
    threadLog.writeAtLevel(LogSrc::kDebug, "%-9s %s %lx%s%s", event, name_.c_str(),
                           (unsigned long)(uintptr_t)id_, message ? ": " : "",
                           message ? message : "");
}

Thread::State Thread::state() {
    MutexLock lock(mutex_);
    return state_;
}

void Thread::start() {
    MutexLock lock(mutex_);
    if (state_ != kNew) return;
    state_ = kRunning;
    int error = pthread_create(&id_, nullptr, entry, this);
    if (error != 0) {
        state_ = kNew;
        id_ = pthread_t();
        throw SystemException("pthread_create", error);
    }
}

void* Thread::entry(void* arg) {
    Thread* self = static_cast<Thread*>(arg);
    pthread_setspecific(currentThreadKey(), self);
    {
        // start() holds the mutex until the id is stored, so this is the first moment it may
        // be read here.
        MutexLock lock(self->mutex_);
    }
    self->logEvent("started");
    try {
        self->run();
        self->logEvent("stopped");
    } catch (const Exception& e) {
        self->logEvent("failed", e.message());
    }
    bool deleteNow;
    {
        MutexLock lock(self->mutex_);
        self->state_ = kFinished;
        deleteNow = self->deleteWhenDone_;
    }
    if (deleteNow) {
        pthread_detach(pthread_self());
        delete self;
    }
    return nullptr;
}

void Thread::run() {
    if (runner_) runner_->run(this);
}

Thread* Thread::join() {
    bool wait;
    {
        MutexLock lock(mutex_);
        if (deleteWhenDone_ || state_ == kNative) return nullptr;
        if (state_ == kJoined) return this;
        wait = state_ != kNew;
    }
    logEvent("join");
    if (wait) pthread_join(id_, nullptr);
    {
        MutexLock lock(mutex_);
        state_ = kJoined;
    }
    logEvent("joined");
    return this;
}

void Thread::setDeleteWhenDone() {
    bool deleteNow;
    {
        MutexLock lock(mutex_);
        TQ_ASSERT(state_ != kNative && state_ != kJoined);
        deleteWhenDone_ = true;
        deleteNow = state_ == kFinished;
    }
    if (deleteNow) {
        pthread_detach(id_);
        delete this;
    }
}

Thread* Thread::current() {
    if (void* self = pthread_getspecific(currentThreadKey())) return static_cast<Thread*>(self);
    Thread* native = new Thread(pthread_self());
    pthread_setspecific(currentThreadKey(), native);
    return native;
}

}  // namespace plat

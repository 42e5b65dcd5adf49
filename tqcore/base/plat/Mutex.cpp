#include "plat/Mutex.h"

#include "plat/Exception.h"

#include <unistd.h>

namespace plat {

const pthread_mutexattr_t* recursiveMutexAttr() {
    static const pthread_mutexattr_t* const attr = [] {
        static pthread_mutexattr_t made;
        pthread_mutexattr_init(&made);
        if (pthread_mutexattr_settype(&made, PTHREAD_MUTEX_RECURSIVE) != 0) {
            static const char warning[] =
                "WARNING: system libpthread has no recursive mutexes; deadlock may result.";
            ssize_t ignored = ::write(STDERR_FILENO, warning, sizeof warning - 1);
            (void)ignored;
        }
        return &made;
    }();
    return attr;
}

void initRecursiveMutex(pthread_mutex_t* mutex) {
    int error = pthread_mutex_init(mutex, recursiveMutexAttr());
    if (error != 0) throw SystemException("pthread_mutex_init", error);
}

void Mutex::lock() {
    int error = pthread_mutex_lock(&mutex_);
    TQ_ASSERT(error == 0);
}

void Mutex::unlock() {
    int error = pthread_mutex_unlock(&mutex_);
    TQ_ASSERT(error == 0);
}

Condition::Condition(Mutex& mutex) : mutex_(mutex) {
    int error = pthread_cond_init(&cond_, nullptr);
    if (error != 0) throw SystemException("pthread_cond_init", error);
}

Condition::~Condition() {
    pthread_cond_destroy(&cond_);
}

bool Condition::wait(int timeoutMs) {
    if (timeoutMs != -1) {
        AssertionFail failure("timeoutMs == -1", __FILE__, __LINE__);
        failure.appendDetail("Condition timed wait not implemented yet");
        AssertionFail::fatal(failure);
    }
    int error = pthread_cond_wait(&cond_, mutex_.native());
    TQ_ASSERT(error == 0);
    return true;
}

void Condition::signal() {
    pthread_cond_signal(&cond_);
}

void Condition::broadcast() {
    pthread_cond_broadcast(&cond_);
}

}  // namespace plat

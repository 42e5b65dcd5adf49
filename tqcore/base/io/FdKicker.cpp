#include "io/FdKicker.h"

#include "plat/Exception.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace io {

FdKicker::FdKicker(FdKickerCallback* callback)
    : callback_(callback), manager_(FdManager::instance()) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw plat::SystemException("pipe", errno);
    readFd_ = fds[0];
    writeFd_ = fds[1];
    manager_->watchKicker(readFd_, this);
}

FdKicker::~FdKicker() {
    manager_->unwatch(readFd_);
    close(readFd_);
    close(writeFd_);
}

void FdKicker::kick() {
    const char byte = 0;
    int savedErrno = errno;  // a signal handler must leave errno as it found it
    // EAGAIN: the pipe is full of earlier kicks, which is all a kick has to achieve.
    while (write(writeFd_, &byte, 1) < 0 && errno == EINTR) {
    }
    errno = savedErrno;
}

void FdKicker::drain() {
    char buf[4096];
    for (;;) {
        ssize_t got = read(readFd_, buf, sizeof buf);
        if (got < 0 && errno == EINTR) continue;
        if (got < ssize_t(sizeof buf)) return;
    }
}

void FdKicker::fdReadable(int) {
    callback_->kicked();
}

void FdKicker::fdWritable(int) {}

}  // namespace io

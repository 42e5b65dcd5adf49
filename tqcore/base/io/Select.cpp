#include "io/Select.h"

#include "plat/Exception.h"
#include "plat/Time.h"

#include <cerrno>
#include <cstdint>

namespace io {

int selectWithTimeout(int count, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet,
                      int* timeoutMs, bool update) {
    bool limited = timeoutMs && *timeoutMs >= 0;
    int64_t deadline = 0;
    struct timeval tv;
    if (limited) {
        deadline = plat::getBuiltinMonotonicTime() + int64_t(*timeoutMs) * plat::Time::kMillisecond;
        tv.tv_sec = *timeoutMs / 1000;
        tv.tv_usec = *timeoutMs % 1000 * 1000;
    }
    int ready = select(count, readSet, writeSet, exceptSet, limited ? &tv : nullptr);
    if (ready < 0) {
        if (errno != EINTR) throw plat::SystemException("select", errno);
        // The sets' contents are unspecified after an interruption: report nothing ready.
        for (fd_set* set : {readSet, writeSet, exceptSet})
            if (set) FD_ZERO(set);
        ready = 0;
    }
    if (update && limited && ready == 0) {
        int64_t left = deadline - plat::getBuiltinMonotonicTime();
        int64_t leftMs = (left + plat::Time::kMillisecond - 1) / plat::Time::kMillisecond;
        *timeoutMs = leftMs > 0 ? int(leftMs) : 0;
    }
    return ready;
}

bool waitFd(int fd, int timeoutMs, bool readable, bool writable) {
    if (fd >= FD_SETSIZE) throw plat::SystemException("select", EMFILE);
    if (fd < 0) throw plat::SystemException("select", EBADF);
    int remaining = timeoutMs < 0 ? -1 : timeoutMs;
    for (;;) {
        fd_set readSet, writeSet;
        FD_ZERO(&readSet);
        FD_ZERO(&writeSet);
        if (readable) FD_SET(fd, &readSet);
        if (writable) FD_SET(fd, &writeSet);
        if (selectWithTimeout(fd + 1, &readSet, &writeSet, nullptr, &remaining, true) > 0)
            return true;
        // Nothing ready: either the time ran out or a signal interrupted the wait.
        if (remaining == 0) return false;
    }
}

}  // namespace io

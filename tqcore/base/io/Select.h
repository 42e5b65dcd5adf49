// Waiting on descriptors with select(), with time-outs kept on the monotonic clock.
//
// select() can watch only descriptors below FD_SETSIZE (1024); larger ones are refused with
// EMFILE rather than written past the end of an fd_set. Interruptions by signals are not
// errors: the callers either see them as an early return or have the wait resumed with the
// time still left. Deadlines follow the built-in monotonic clock even while a test replaces
// the clock, since the system waits in real time.
#pragma once

#include <sys/select.h>

namespace io {

// select() on `count` descriptors of the given sets (any may be null), waiting at most
// `*timeoutMs` milliseconds (negative, or a null pointer: no limit). Returns the number of
// ready descriptors; an interrupted wait returns 0 with every given set emptied. With
// `update`, when no descriptor is ready, `*timeoutMs` is rewritten to the milliseconds still
// left until the deadline (rounded up, at least 0), so that a caller can loop until it is 0.
// Any error but EINTR throws plat::SystemException "select".
int selectWithTimeout(int count, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet,
                      int* timeoutMs, bool update);

// Waits until `fd` is readable (`readable`) and/or writable (`writable`), at most `timeoutMs`
// milliseconds (-1: no limit), resuming interrupted waits with the time left. Returns true
// when the descriptor became ready, false when the time ran out first. A descriptor of 1024 or
// above throws plat::SystemException "select" with EMFILE, a negative one with EBADF; any
// other select() error but EINTR throws plat::SystemException "select" with its errno.
bool waitFd(int fd, int timeoutMs, bool readable, bool writable);

}  // namespace io

// io::FdKicker: a self-pipe that wakes the event manager of the thread that created it.
//
// kick() may be called from any thread, and from a signal handler: it writes one byte and
// never blocks or fails. The creating thread's io::FdManager then calls the callback's kicked()
// early in its next pass, before ordinary descriptors. Kicks coalesce: however many came, the
// callback runs once per pass while bytes are pending, so it should drain() first and then do
// all the work that is waiting. Costs two descriptors.
#pragma once

#include "io/FdManager.h"

namespace io {

class FdKickerCallback {
public:
    // On the creating thread's event loop while the pipe holds bytes.
    virtual void kicked() = 0;
    virtual ~FdKickerCallback() = default;
};

class FdKicker : FdHandler, plat::NonCopyable {
public:
    // Creates the non-blocking, close-on-exec pipe and watches its read end with the calling
    // thread's event manager (a fatal assertion failure, "thrInst", without one). Throws
    // plat::SystemException "pipe" when no pipe can be made.
    explicit FdKicker(FdKickerCallback* callback);
    // Unwatches and closes the pipe. On the creating thread.
    ~FdKicker() override;

    // Writes one byte (0) into the pipe. A full pipe already holds a pending kick, so nothing
    // is reported.
    void kick();
    // Reads and discards every pending byte, at most 4096 at a time.
    void drain();

private:
    void fdReadable(int fd) override;
    void fdWritable(int fd) override;

    FdKickerCallback* callback_;  // not owned
    FdManager* manager_;          // of the creating thread
    int readFd_ = -1;
    int writeFd_ = -1;
};

}  // namespace io

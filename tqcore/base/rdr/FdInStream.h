// rdr::FdInStream: a buffered input stream that reads a file descriptor (pipe, socket, file).
//
// Blocking reads wait in select() for at most timeoutMs; non-blocking ones return what is there
// and leave the rest to a later call. The end of the data is rdr::EndOfStream "End of IO
// stream". Descriptors of 1024 and above cannot be waited on.
#pragma once

#include "rdr/BufferedInStream.h"

namespace rdr {

class FdInStream : public BufferedNonBlockableInStream {
public:
    // Reads `fd` through a buffer of `bufSize` bytes (16800 when negative); the descriptor stays
    // the caller's.
    explicit FdInStream(int fd, int bufSize = -1) : BufferedNonBlockableInStream(bufSize), fd(fd) {}
    // Takes over the buffer, time-out, flags and descriptor; `other` is left with -1.
    FdInStream(FdInStream&& other) noexcept;
    // Closes an owned descriptor.
    ~FdInStream() override;

    // Reads what the descriptor has. Throws rdr::EndOfStream "End of IO stream" at its end,
    // plat::TimedOut "Timed out" once `timedOut` is set or a blocking wait outlasts timeoutMs,
    // plat::SystemException "read" on an error (and "select" from the wait).
    int fill(uint8_t* dst, int maxLen) override;

    int fd;
    bool ownsFd = false;    // the destructor closes fd
    bool timedOut = false;  // set by the owner when its own time-out expired; one-way
};

// The same stream owning its descriptor, as process launching hands it out.
class FdInStreamOwn : public FdInStream {
public:
    explicit FdInStreamOwn(int fd, int bufSize = -1) : FdInStream(fd, bufSize) { ownsFd = true; }
};

}  // namespace rdr

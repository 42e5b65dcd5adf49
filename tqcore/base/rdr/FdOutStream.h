// rdr::FdOutStream: a buffered output stream that writes a file descriptor (pipe, socket).
//
// Blocking writes wait in select() for at most timeoutMs. In lazy mode the stream never waits
// until MaxOutBufferSize bytes are pending: the owner watches the descriptor (told through the
// callback after every write) and drains the buffer with flushBuffer(false) when it is writable.
#pragma once

#include "rdr/BufferedOutStream.h"

namespace rdr {

class FdOutStream : public BufferedLazyOutStream {
public:
    class Callback {
    public:
        virtual ~Callback() = default;
        // After every write attempt: whether the descriptor would block.
        virtual void writeBlocked(FdOutStream* s, bool wouldBlock) = 0;
        // After shutdownWrite().
        virtual void writeShutdown(FdOutStream* s) = 0;
    };

    // Writes `fd` (not owned) through a buffer that may grow to `maxBufSize` (MaxOutBufferSize
    // when negative).
    explicit FdOutStream(int fd, int maxBufSize = -1)
        : BufferedLazyOutStream(-1, maxBufSize), fd(fd) {}
    // Tries one last flush without waiting (failures swallowed) and closes an owned descriptor.
    ~FdOutStream() override;

    // Writes what the descriptor takes. Without `wait` a descriptor that would block gives 0.
    // A wait beyond timeoutMs throws plat::TimedOut "Timed out". Other failures build
    // plat::SystemException "write": thrown when `throwErrors`, `blocking` or `wait` is set,
    // otherwise logged on "FdOutStream" with 0 as the result.
    int writeData(const uint8_t* data, int len, bool wait) override;
    // Shuts the descriptor for writing once nothing is unflushed (plat::SystemException
    // "shutdown(SHUT_WR)" on failure), tells the callback either way and returns true: the
    // owner calls again after draining.
    bool shutdownWrite() override;

    int fd;
    bool ownsFd = false;
    Callback* callback = nullptr;  // not owned
};

}  // namespace rdr

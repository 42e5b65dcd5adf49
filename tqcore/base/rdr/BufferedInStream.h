// rdr::BufferedInStream: an input stream over a heap buffer that a primitive (fill) refills.
//
// The buffer keeps every byte from the checkpoint on, so a non-blocking reader can rewind to
// the start of its item; consumed bytes before the checkpoint are dropped by moving the rest to
// the front, and only on a refill. An item longer than the buffer is read in pieces by the
// gathering readers. rdr::BufferedNonBlockableInStream adds the switch to non-blocking reads.
#pragma once

#include "plat/MBuf.h"
#include "plat/NonCopyable.h"
#include "rdr/InStream.h"
#include "rdr/OutStream.h"

namespace rdr {

class BufferedInStream : public InStream, private plat::NonCopyable {
public:
    // A buffer of `bufSize` bytes, 16800 when negative.
    explicit BufferedInStream(int bufSize = -1);

    int pos() final { return int(offset + uint32_t(ptr - buf.data())); }
    // Final, and so inline where the stream's type is known: readers mark every item.
    void markPos() final {
        checkpointPos = pos();
        checkpointPtr = ptr;
    }
    // Moves the data from the checkpoint on to the buffer's front and fills until `size` bytes
    // (or as many as the buffer can take) are unread. False when fill() gives nothing.
    bool overrun(int size) override;
    // Reads at most `maxLen` bytes into `dst`; 0 when none is available at the moment.
    virtual int fill(uint8_t* dst, int maxLen) = 0;

    // Writes the unread bytes of the window as a U32 count and the bytes.
    void saveUnread(OutStream& out);
    // Reads what saveUnread() wrote and appends the bytes after the window. A count that does
    // not fit before the buffer's end throws plat::Exception "Too much data for InStream
    // buffer" before reading the bytes; a count of 0 does nothing.
    void restoreUnread(InStream& in);

    int bufferSize() const { return buf.size(); }

    bool trace = false;  // dump every fill on standard error as " <-- "

protected:
    BufferedInStream(BufferedInStream&& other) noexcept;

    uint32_t offset = 0;  // bytes dropped from the buffer's front since the start
    plat::ByteBuf buf;
};

class BufferedNonBlockableInStream : public BufferedInStream {
public:
    using BufferedInStream::BufferedInStream;

    // Stores the flag and sets the checkpoint; a non-blocking stream becomes rewindable.
    virtual void setNonBlocking(bool nb);

    int timeoutMs = -1;        // how long a blocking fill waits; -1 without limit
    bool nonBlocking = false;  // fill() returns 0 instead of waiting

protected:
    BufferedNonBlockableInStream(BufferedNonBlockableInStream&& other) noexcept
        : BufferedInStream(std::move(other)), timeoutMs(other.timeoutMs),
          nonBlocking(other.nonBlocking) {}
};

}  // namespace rdr

// rdr::BufferedOutStream: an output stream over a heap buffer that a primitive (writeData)
// drains.
//
// A full window first tries to pass the data on without blocking; while the peer is slow the
// buffer doubles up to maxBufSize, and only then does the stream wait. The writable window
// reaches at most 16384 bytes past the data (or one item, when that is larger), so a flush is
// attempted at least that often. rdr::BufferedNBOutStream has a fixed buffer and no limit;
// rdr::BufferedLazyOutStream can stop flushing from blocking.
#pragma once

#include "plat/ConfigParameter.h"
#include "rdr/OutStream.h"

#include <memory>

namespace rdr {

// "MaxOutBufferSize": the most bytes a stream buffers for a slow peer (16384 and above).
plat::IntParameter& maxOutBufferSizeParam();

class BufferedOutStream : public OutStream {
public:
    // A buffer of `bufSize` bytes (16384 when negative) that may grow to the larger of
    // `bufSize` and `maxBufSize`, or of `bufSize` and MaxOutBufferSize when `maxBufSize` is
    // negative.
    BufferedOutStream(int bufSize, int maxBufSize);
    ~BufferedOutStream() override;

    int length() override { return int(offset + uint32_t(ptr - start.get())); }
    int unflushedBytes() override { return int(ptr - flushPtr); }
    int spaceLeft() override { return maxBufSize - unflushedBytes(); }
    // Passes the buffer on, waiting unless the stream is lazy.
    void flush() override { flushBuffer(blocking); }
    void setThrowErrors(bool b) override { throwErrors = b; }
    // Makes room for an item of `itemSize` bytes. Throws rdr::OutStreamFull "OutStream full"
    // for a stream without storage, plat::Exception "BufferedOutStream overrun: buffer size
    // exceeded" for an item beyond maxBufSize and "BufferedOutStream overrun: unable to write"
    // when a full buffer cannot be drained.
    int overrun(int itemSize, int nItems) override;
    // Passes bytes on; returns how many were taken (0: none at the moment).
    virtual int writeData(const uint8_t* data, int len, bool wait) = 0;

    // Writes the unflushed bytes until all are out (true) or a write takes nothing (false).
    bool flushBuffer(bool wait);
    // One write attempt; true when all was out afterwards.
    bool writeSome(bool wait);

    int bufferSize() const { return bufSize; }
    int maxBufferSize() const { return maxBufSize; }

    int timeoutMs = 30000;  // how long a blocking write waits for the peer
    bool trace = false;     // dump every write on standard error as " --> "

protected:
    // Passes bytes from flushPtr on until all are out or a write takes nothing.
    bool drain(bool wait, bool once);

    int bufSize;                       // size of the storage
    int maxBufSize;                    // the largest the storage may grow to
    uint32_t offset = 0;               // bytes dropped from the front since the start
    std::unique_ptr<uint8_t[]> start;  // the storage
    uint8_t* flushPtr;                 // first byte not yet passed on
    bool blocking = true;              // flush() waits until everything is written
    bool throwErrors = true;
};

// A fixed buffer that the stream waits to drain when full.
class BufferedNBOutStream : public BufferedOutStream {
public:
    explicit BufferedNBOutStream(int bufSize = -1)
        : BufferedOutStream(bufSize < 0 ? 16384 : bufSize, bufSize < 0 ? 16384 : bufSize) {}
    int spaceLeft() override { return 0x7fffffff; }
};

class BufferedLazyOutStream : public BufferedOutStream {
public:
    using BufferedOutStream::BufferedOutStream;
    // A lazy stream never waits in flush(); the owner drains it when the peer is writable.
    // Passes on what the primitive takes now.
    virtual void setLazy(bool lazy);
};

// Counts and discards what is written.
class NullOutStream : public BufferedNBOutStream {
public:
    NullOutStream() : BufferedNBOutStream(1024) {}
    void writeBytes(const void*, int len) override { offset += uint32_t(len > 0 ? len : 0); }
    int writeData(const uint8_t*, int len, bool) override { return len; }
};

}  // namespace rdr

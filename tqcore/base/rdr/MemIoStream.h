// rdr::MemIoStream: an in-memory pipe. One side writes through rdr::OutStream, the other reads
// through rdr::InStream, with checkpoints, a size limit and notifications.
//
// Data lives in a ring of equal buffers: the buffers being read at the head, the one being
// written after them, spare ones behind. Nothing is copied inside the pipe: a buffer the reader
// is done with moves to the spare end and is written again; once the reader has caught up with
// a full buffer, the writer goes over the buffers it just wrote again, in the same order, so
// that a pipe emptied as it goes stays in a few buffers the cache holds. An item never spans
// buffers, so the rest of a buffer too small for the next item is skipped. Buffers are carved
// out of slabs of 16 to 64 KiB, so that most follow each other in memory: a long write fills
// such a run with one copy, and the read window takes in every full buffer that the next one
// follows, so a large piece is read in place. Used from one thread; callbacks run inside the
// calls that cause them.
#pragma once

#include "rdr/InStream.h"
#include "rdr/OutStream.h"
#include "rdr/Serializable.h"

#include <memory>
#include <vector>

namespace rdr {

class MemIoStream : public InStream, public OutStream, public Serializable {
public:
    class Callback {
    public:
        virtual ~Callback() = default;
        virtual void readable(MemIoStream* s) = 0;  // data, the end or an error can be read
        virtual void writable(MemIoStream* s) = 0;  // there is room again
        virtual int unflushedBytes(MemIoStream* s) = 0;
        virtual void closed(MemIoStream* s) = 0;  // the writer ended the data
    };

    // Buffers of `bufSize` bytes (2048 when negative); at most `maxSize` bytes pending, rounded
    // up to whole buffers (no limit when negative).
    MemIoStream(Callback* callback = nullptr, int maxSize = -1, int bufSize = -1);
    ~MemIoStream() override;

    void setMaxSize(int maxSize);
    void setCallback(Callback* cb) { callback = cb; }
    // Once no data is left, reads throw a copy of `e` (a plat::SystemException stays one).
    void setError(const plat::Exception& e);

    // Reading side.
    int pos() override { return int(readBase + uint32_t(InStream::ptr - at(readIdx).begin)); }
    // Sets the checkpoint and recycles the buffers before the read buffer.
    void markPos() override {
        if (readIdx > 0) return markPosReleasing();
        checkpointPos = int(uint32_t(checkpointPos) + uint32_t(InStream::ptr - checkpointPtr));
        checkpointPtr = InStream::ptr;
    }
    void rewindToMark() override;
    // Moves to the next buffer. With no data: the stored error, rdr::EndOfStream "End of
    // in-memory IO stream" once closed, otherwise false.
    bool overrun(int size) override;

    // Writing side.
    // Fills the following buffers as overrun(1, ...) would give them, without a virtual call
    // for each, and buffers that follow each other in memory with one copy.
    void writeBytes(const void* data, int len) override;
    int length() override { return positionOf(writeIdx, OutStream::ptr); }
    int spaceLeft() override;
    // Publishes the written data to the reader and tells the callback.
    void flush() override;
    int unflushedBytes() override { return callback ? callback->unflushedBytes(this) : 0; }
    // Ends the data: later writes throw rdr::PipeException "Stream closed for writing".
    bool shutdownWrite() override;
    // Moves to a fresh buffer. Throws rdr::PipeException "Stream closed for writing",
    // rdr::OutStreamFull "MemIoStream: maxBufs exceeded" (after asking the reader to drain), or
    // plat::Exception "MemIoStream: item exceeds buffer size".
    int overrun(int itemSize, int nItems) override;

    // The state with the data from the checkpoint on in whole buffers. restore() validates every
    // count and offset it reads and throws plat::Exception "MemIoStream::restore: bad state" (or
    // the input's own exceptions), leaving the stream unchanged.
    void save(OutStream& out) override;
    void restore(InStream& in) override;

    bool isClosed() const { return closed; }

private:
    struct Buf {
        uint8_t* begin;  // the storage, in one of `slabs`
        uint8_t* end;    // data end for a buffer the writer left, storage end for the others
    };

    Buf& at(int index) { return ring[size_t(head + index) & ringMask]; }
    std::unique_ptr<uint8_t[]> newSlab(int buffers);
    int slabBuffers(int have, int limit) const;
    void addSpares(int buffers);
    void nextWriteBuf(int itemSize);
    // Leaves the write buffer with its data ending at `dataEnd` and writes on `buffers` buffers
    // further; those in between are full.
    void moveWriter(int buffers, uint8_t* dataEnd);
    void appendBuf(uint8_t* storage);
    void releaseHead(int count);
    void markPosReleasing();
    void startOver();
    const uint8_t* readLimit(int index) {
        return index == writeIdx ? OutStream::ptr : at(index).end;
    }
    void freeAll();
    int64_t distanceTo(int index, const uint8_t* p);
    int positionOf(int index, const uint8_t* p);

    std::vector<std::unique_ptr<uint8_t[]>> slabs;  // the buffers' storage, several in each
    std::vector<Buf> ring;  // power-of-two capacity; `count` used from `head`
    size_t ringMask = 0;    // ring.size() - 1, kept apart for the look-ups on every buffer
    int head = 0;
    int count = 0;
    Callback* callback;
    std::unique_ptr<plat::Exception> error;
    int bufSize;
    int maxBufs = 1;   // the most buffers in use at once
    int readIdx = 0;   // last buffer of the read window, from the head
    uint32_t readBase = 0;  // stream position (as pos() counts) of that buffer's first byte
    int writeIdx = 0;  // buffer being written
    bool closed = false;
};

}  // namespace rdr

// rdr::InStream: the input side of every byte stream (files, descriptors, memory, frames).
//
// A stream exposes a window of contiguous bytes (ptr to end) that the inline readers consume in
// place; only an exhausted window costs a virtual call to overrun(). Integers are big-endian.
// Non-blocking reading is transactional: a reader marks a checkpoint at the start of an item,
// and when the data runs out the stream goes back to it and throws rdr::BlockException (or
// check() returns false), so the whole item is read again once more data has come. A stream
// belongs to one thread at a time.
#pragma once

#include "plat/DString.h"
#include "plat/Exception.h"
#include "plat/String.h"
#include "rdr/Exception.h"

#include <cstdint>
#include <cstring>

namespace rdr {

class InStream {
public:
    InStream() = default;
    virtual ~InStream() = default;
    InStream(const InStream&) = delete;
    InStream& operator=(const InStream&) = delete;

    // Bytes consumed since the stream's start, modulo 2^32.
    virtual int pos() = 0;
    // Sets the checkpoint at the read position.
    virtual void markPos();
    // Goes back to the checkpoint; throws plat::Exception "Attempt to rewind a non-rewindable
    // stream" when the stream is not rewindable.
    virtual void rewindToMark();
    // Goes back to the checkpoint and skips to position `p`; before the checkpoint throws
    // plat::Exception "Can't reposition before checkpoint" and leaves the stream alone.
    // Positions wrap at 2^32, so `p` may lie at most 2^31 - 1 bytes past the checkpoint.
    virtual void setPos(int p);
    // Whether the stream knows that no byte follows; a plain stream does not.
    virtual bool atEnd() { return false; }
    // Makes more data available, trying for `size` bytes. True when data was added or enough
    // was there, false when nothing can be had now; may throw rdr::BlockException instead of
    // returning false, and the stream's end or error exceptions.
    virtual bool overrun(int size) = 0;

    int nUnread() const { return int(end - ptr); }

    // Ensures at least one unread byte, refilling with overrun(size) when fewer than `size` are
    // in the window. Returns true when the window is not empty. When nothing can be had, a
    // rewindable stream returns to its checkpoint; then `wait` throws rdr::BlockException
    // "Reading from InStream would block" and otherwise the result is false. A refill that
    // finds the buffer full of data still needed throws plat::Exception
    // "InStream overrun: buffer size exceeded".
    bool check(bool wait, int size) {
        if (end - ptr >= size && ptr < end) return true;
        return checkSlow(wait, size);
    }

    // Blocking readers: they refill with check(true, ...), so they throw rdr::BlockException
    // on a non-blocking stream without data, and the end exceptions of the stream.
    uint8_t readU8() {
        if (ptr >= end) check(true, 1);
        return *ptr++;
    }
    uint16_t readU16() {
        uint8_t b[2];
        const uint8_t* p = fixed(b, 2);
        return uint16_t(p[0] << 8 | p[1]);
    }
    uint32_t readU32() {
        uint8_t b[4];
        const uint8_t* p = fixed(b, 4);
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
    }
    uint64_t readU64() {
        uint8_t b[8];
        const uint8_t* p = fixed(b, 8);
        uint64_t v = 0;
        for (int i = 0; i < 8; i++)
            v = v << 8 | p[i];
        return v;
    }
    // Discards `n` bytes (nothing for n <= 0).
    void skip(int n);
    // `n` bytes: a pointer into the window when they are (or after one refill become)
    // contiguous there, otherwise `buf` after copying them into it across refills.
    const uint8_t* readBytes(void* buf, int n) {
        if (n > 0 && end - ptr < n) return readBytesSlow(buf, n);
        const uint8_t* p = ptr;
        ptr += n > 0 ? n : 0;
        return p;
    }
    // `n` bytes that the caller knows are in the window; otherwise a fatal assertion.
    const uint8_t* getBytes(int n) {
        TQ_ASSERT(nUnread() >= n);
        const uint8_t* p = ptr;
        ptr += n;
        return p;
    }
    // Whole items of `itemSize` bytes: a pointer into the window with *nItems cut to the
    // number there, or one item copied into `buf` (*nItems 1) when none is whole in the
    // window. *nItems must be positive (fatal assertion).
    const uint8_t* getItems(void* buf, int itemSize, int* nItems);
    // The same without gathering: null when fewer than `itemSize` bytes are available after
    // check(wait, itemSize).
    const uint8_t* getItemsNoWait(int itemSize, int* nItems, bool wait);

    // A U32 length and that many bytes. A length above `maxLen` throws
    // rdr::StringTooLongException "String exceeds maximum length" before the body is read.
    // With `fixUtf8` invalid UTF-8 is replaced by U+FFFD.
    plat::String readString(int maxLen, bool fixUtf8 = false);
    // A one-byte length and that many bytes.
    plat::String readShortString(bool fixUtf8 = false);
    plat::String readShortStringToString(bool fixUtf8 = false) { return readShortString(fixUtf8); }
    // `n` bytes as a text.
    plat::String readBytesAsString(int n, bool fixUtf8 = false);
    // Exactly `n` bytes into `out` (the text ends at a NUL among them). A count beyond what
    // `out` can hold (2^30 - 1 bytes, a third of that with `fixUtf8`) throws
    // rdr::StringTooLongException "String exceeds maximum length" before anything is read.
    void readIntoString(int n, plat::DString& out, bool fixUtf8 = false);
    // One line into `out` without its CR and LF bytes; the text ends at a NUL among them.
    // `maxLen` 0 means 262144, and no more than readIntoString() takes is allowed; a longer line
    // empties `out` and throws rdr::StringTooLongException. A NUL byte sets *sawNul. The end of
    // the data ends a non-empty line and otherwise passes on. With `fixUtf8` the result is false
    // when the line needed repairs.
    bool readLine(plat::DString& out, int maxLen = 0, bool* sawNul = nullptr, bool fixUtf8 = false);
    // Reads `n` bytes into `buf`; the index of the first zero among them or -1.
    int readBytesFindNul(uint8_t* buf, int n);
    // A uniform value below `n` from the stream's U32s (a raw U32 for n 0).
    unsigned readRandomBelow(unsigned n);

    // Whether a read that runs out returns to the checkpoint (see check()).
    bool rewindable = true;

protected:
    const uint8_t* ptr = nullptr;            // next unread byte
    const uint8_t* end = nullptr;            // one past the last readable byte
    const uint8_t* checkpointPtr = nullptr;  // window position of the checkpoint
    int checkpointPos = 0;                   // stream position of the checkpoint

private:
    friend class FramedInStream;  // its window is a slice of its underlying stream's

    bool checkSlow(bool wait, int size);
    const uint8_t* readBytesSlow(void* buf, int n);
    void gather(uint8_t* buf, int n);
    const uint8_t* fixed(uint8_t* buf, int n) {
        if (end - ptr >= n) {
            const uint8_t* p = ptr;
            ptr += n;
            return p;
        }
        gather(buf, n);
        return buf;
    }
};

class OutStream;

// Copies what `in` gives without blocking into `out`. True when `in` ended (rdr::EndOfStream
// or rdr::EndOfMsg), false when it would block or `out` is full; a full `out` throws
// rdr::OutStreamFull "OutStream full" instead with `throwWhenFull`.
bool copyAll(InStream& in, OutStream& out, bool throwWhenFull);

}  // namespace rdr

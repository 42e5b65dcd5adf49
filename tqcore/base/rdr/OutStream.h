// rdr::OutStream: the output side of every byte stream.
//
// Writers fill a window of contiguous bytes (ptr to end) in place; only a full window costs a
// virtual call to overrun(), which must make room for at least one item of the size asked for
// (or throw). Integers are big-endian. Texts written by writeCString(), printf() and
// writeRepeated() are followed in the buffer by a NUL that length() does not count. A stream
// belongs to one thread at a time.
#pragma once

#include "plat/Exception.h"

#include <cstdint>
#include <cstring>

namespace rdr {

class OutStream {
public:
    OutStream() = default;
    virtual ~OutStream() = default;
    OutStream(const OutStream&) = delete;
    OutStream& operator=(const OutStream&) = delete;

    // Copies `len` bytes, making room with overrun(1, remaining) each time the window is full.
    virtual void writeBytes(const void* data, int len);
    // Bytes written since the stream's start.
    virtual int length() = 0;
    virtual void flush() {}
    // The stream that finally receives the bytes.
    virtual OutStream* underlying() { return this; }
    // Bytes accepted but not yet passed on (those of the underlying stream for a layer).
    virtual int unflushedBytes() {
        return underlying() == this ? 0 : underlying()->unflushedBytes();
    }
    // How many more bytes the stream takes before it is full.
    virtual int spaceLeft() = 0;
    // Half-closes the destination; false when the stream cannot.
    virtual bool shutdownWrite() { return false; }
    virtual void setThrowErrors(bool) {}
    // Makes room for at least one item of `itemSize` bytes and returns how many of `nItems`
    // fit in the window now (1 to nItems), or throws.
    virtual int overrun(int itemSize, int nItems) = 0;

    uint8_t* getPtr() { return ptr; }
    // Moves the write position forward within the window (fatal assertion otherwise).
    void setPtr(uint8_t* p) {
        TQ_ASSERT(p >= ptr && p <= end);
        ptr = p;
    }

    // The writers work on a copy of ptr: a byte stored through the member could be the member
    // itself as far as the compiler knows, which would reload it after every byte.
    void writeU8(uint8_t v) {
        if (ptr >= end) overrun(1, 1);
        *ptr++ = v;
    }
    void writeU16(uint16_t v) {
        if (end - ptr < 2) overrun(2, 1);
        uint8_t* p = ptr;
        p[0] = uint8_t(v >> 8);
        p[1] = uint8_t(v);
        ptr = p + 2;
    }
    void writeU32(uint32_t v) {
        if (end - ptr < 4) overrun(4, 1);
        uint8_t* p = ptr;
        for (int i = 0; i < 4; i++)
            p[i] = uint8_t(v >> (24 - 8 * i));
        ptr = p + 4;
    }
    void writeU64(uint64_t v) {
        if (end - ptr < 8) overrun(8, 1);
        uint8_t* p = ptr;
        for (int i = 0; i < 8; i++)
            p[i] = uint8_t(v >> (56 - 8 * i));
        ptr = p + 8;
    }
    // A U32 length and the bytes of `s` up to its NUL, at most `maxLen` when it is not negative;
    // null writes length 0.
    void writeString(const char* s, int maxLen = -1);
    // A one-byte length and at most the first 255 bytes of `s`; null writes length 0.
    void writeShortString(const char* s);
    // The bytes of `s` (at most `maxLen` when not negative) followed by an uncounted NUL.
    void writeCString(const char* s, int maxLen = -1);
    // Formats straight into the window, followed by an uncounted NUL. A text the stream cannot
    // hold contiguously throws the stream's overrun error, or plat::Exception
    // "OutStream::printf: no room for the text" where the stream gives less room than asked.
    void printf(const char* format, ...) TQ_PRINTF_FORMAT(2, 3);
    // Code point `c` `n` times (nothing for n <= 0): bytes below 128, UTF-8 above (a code point
    // beyond U+10FFFF throws plat::Exception "Unicode out of range"); then an uncounted NUL.
    void writeRepeated(unsigned c, int n);
    // Moves `n` bytes forward without writing them.
    void advance(int n);

protected:
    uint8_t* ptr = nullptr;  // next byte to write
    uint8_t* end = nullptr;  // one past the last writable byte

private:
    friend class FramedOutStream;  // frames are cut out of the underlying stream's window

    void storeNul() {
        if (ptr >= end) overrun(1, 1);
        *ptr = 0;
    }
};

}  // namespace rdr

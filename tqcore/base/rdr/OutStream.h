// rdr::OutStream: the output side of every byte stream.
//
// Writers fill a window of contiguous bytes (ptr to end) in place; only a window too small for
// what comes costs a virtual call: to overrun(), which must make room for at least one item of
// the size asked for (or throw), or for byte runs to the stream's writeBytes(). Integers are
// big-endian. Texts written by writeCString(), printf() and writeRepeated() are followed in the
// buffer by a NUL that length() does not count. A stream belongs to one thread at a time.
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

    // Copies `len` bytes (nothing for len <= 0), making room with overrun(1, remaining) each
    // time the window is full. Every call is a virtual call: write() is the entry for callers,
    // and this is the slot that streams with a better way for long runs override.
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

    // The window: bytes may be stored from getPtr() up to windowEnd() and kept with setPtr().
    uint8_t* getPtr() { return ptr; }
    uint8_t* windowEnd() { return end; }
    // Moves the write position forward within the window (fatal assertion otherwise).
    void setPtr(uint8_t* p) {
        TQ_ASSERT(p >= ptr && p <= end);
        ptr = p;
    }
    // At least `n` contiguous writable bytes from the returned position (getPtr()) on, made
    // with overrun(n, 1) when the window is smaller; throws what overrun() throws for an item of
    // `n` bytes (a stream with a limit or small buffers may refuse a large `n`).
    uint8_t* room(int n) {
        if (end - ptr < n) overrun(n, 1);
        return ptr;
    }

    // Copies `len` bytes (nothing for len <= 0): in place when the window holds them (ptr moves
    // first, so the copy ends the call and the call needs no frame), otherwise through
    // writeBytes().
    void write(const void* data, int len) {
        if (len > end - ptr) return writeBytes(data, len);
        if (len <= 0) return;
        uint8_t* to = ptr;
        ptr = to + len;
        std::memcpy(to, data, size_t(len));
    }

    // The writers work on a copy of ptr: a byte stored through the member could be the member
    // itself as far as the compiler knows, which would reload it after every byte.
    void writeU8(uint8_t v) {
        uint8_t* p = room(1);
        *p = v;
        ptr = p + 1;
    }
    void writeU16(uint16_t v) {
        uint8_t* p = room(2);
        p[0] = uint8_t(v >> 8);
        p[1] = uint8_t(v);
        ptr = p + 2;
    }
    void writeU32(uint32_t v) {
        uint8_t* p = room(4);
        for (int i = 0; i < 4; i++)
            p[i] = uint8_t(v >> (24 - 8 * i));
        ptr = p + 4;
    }
    void writeU64(uint64_t v) {
        uint8_t* p = room(8);
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

    void storeNul() { *room(1) = 0; }
};

}  // namespace rdr

// rdr::ByteReader: reads one fixed-size item or length-prefixed string from a non-blocking
// stream in as many calls as the data needs.
//
// Bytes already taken stay gathered in the reader's buffer while the stream's checkpoint moves
// past them, so the stream never holds more than one piece. A whole item found contiguous in
// the stream's window is handed out in place unless copying was asked for.
#pragma once

#include "plat/String.h"
#include "rdr/InStream.h"

namespace rdr {

class ByteReader {
public:
    ByteReader() = default;
    ~ByteReader() { reset(); }
    ByteReader(const ByteReader&) = delete;
    ByteReader& operator=(const ByteReader&) = delete;

    // Starts an item of `len` bytes from `in` (checkpoint set there), gathered into `buf` or a
    // buffer of its own when `buf` is null; with `copy` the item is always gathered. A pending
    // item of the same length is resumed; one of another length throws plat::Exception
    // "ByteReader::init: bad len".
    void init(InStream* in, int len, uint8_t* buf = nullptr, bool copy = false);
    // Back to idle, freeing a buffer of its own.
    void reset();
    // The item once complete (its length in *length; an item of 0 bytes is complete at once),
    // otherwise null with the gathered bytes kept. Without `wait` a stream with no data gives
    // null; with it, rdr::BlockException.
    const uint8_t* read(bool wait, int* length = nullptr);
    // Discards the item's bytes as they come; true when all are gone.
    bool skip(bool wait);
    // As many whole items of the pending size as are buffered (copy off, nothing gathered), or
    // one through read(); null when incomplete.
    const uint8_t* readItems(bool wait, int* nItems);
    // A U32 length and the text: null while incomplete (the reader stays pending). A length
    // above `maxLen` throws rdr::StringTooLongException "String exceeds maximum length"; the
    // length itself is read blocking (rdr::BlockException with fewer than 4 bytes). Invalid
    // UTF-8 is replaced by U+FFFD.
    plat::String readString(InStream* in, int maxLen, bool wait);

    bool pending() const { return len != 0 || buf != nullptr; }
    bool copy = false;  // always gather, never point into the stream

private:
    InStream* in = nullptr;  // not owned
    uint8_t* buf = nullptr;
    int have = 0;  // bytes gathered
    int len = 0;   // item length; 0 when idle
    bool ownsBuf = false;
};

}  // namespace rdr

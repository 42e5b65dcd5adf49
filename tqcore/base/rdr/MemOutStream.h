// rdr::MemOutStream: builds a block of bytes in memory, growing by doubling.
//
// With a limit the stream refuses to grow past it (rdr::OutStreamFull "OutStream full") and
// keeps what was written. The written bytes stay contiguous, so they can be handed to a byte
// buffer or a text without further framing.
#pragma once

#include "plat/DString.h"
#include "plat/MBuf.h"
#include "rdr/OutStream.h"

#include <algorithm>

namespace rdr {

class MemOutStream : public OutStream {
public:
    // `initialSize` bytes of storage (256 when negative, none for 0); `limit` 0 means none.
    explicit MemOutStream(int initialSize = -1, int limit = 0);
    ~MemOutStream() override { delete[] start; }

    int length() override { return int(ptr - start); }
    int spaceLeft() override { return limit ? std::max(0, limit - length()) : 0x7fffffff; }
    // Room for the whole run is made at once, so that a run that would pass the limit stores
    // nothing of itself.
    void writeBytes(const void* data, int len) override {
        if (len > 0 && end - ptr < len) overrun(len, 1);
        OutStream::writeBytes(data, len);
    }
    // Grows to the larger of the needed size and twice the capacity, cut to the limit. Past the
    // limit throws rdr::OutStreamFull "OutStream full"; a size beyond 2 GiB the same.
    int overrun(int itemSize, int nItems) override;

    const uint8_t* data() const { return start; }
    // A new limit (0: none); the window follows it.
    void setLimit(int newLimit);
    // The storage for the caller to delete[]; the stream is empty afterwards.
    uint8_t* release();
    // Hands the storage with the bytes to `out` (its old contents released, wiped when
    // flagged); the stream is empty afterwards.
    void takeData(plat::ByteBuf& out);
    // Appends a NUL (counted in length()) unless the data ends with one, even at the limit.
    void nulTerminate();
    // nulTerminate() and hands the storage to `out`, whose capacity becomes the window's size;
    // the stream is empty afterwards. A text beyond what a plat::DString holds throws
    // rdr::StringTooLongException "String exceeds maximum length" and stays in the stream.
    void takeString(plat::DString& out);

private:
    void setWindow();

    uint8_t* start = nullptr;  // the storage, owned
    int size = 0;              // capacity of the storage
    int limit;                 // maximum length; 0 for none
};

}  // namespace rdr

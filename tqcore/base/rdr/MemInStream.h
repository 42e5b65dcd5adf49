// rdr::MemInStream: reads a block of memory that the caller keeps alive. No copy, no refill:
// the window is the whole block, and its end is rdr::EndOfStream "End of in-memory input
// stream".
#pragma once

#include "rdr/InStream.h"

namespace rdr {

class MemInStream : public InStream {
public:
    MemInStream(const void* data, int length) {
        start = ptr = checkpointPtr = static_cast<const uint8_t*>(data);
        end = start + (length > 0 ? length : 0);
    }

    int pos() override { return int(ptr - start); }
    bool atEnd() override { return ptr == end; }
    bool overrun(int) override { throw EndOfStream("End of in-memory input stream"); }

private:
    const uint8_t* start;  // first byte of the block
};

}  // namespace rdr

// Helpers of the stream tests: a stream that is given its bytes a few at a time, and the
// texts of a stream's output.
#pragma once

#include "rdr/BufferedInStream.h"
#include "rdr/MemOutStream.h"

#include <algorithm>
#include <string>

// Reads from `data`, but only the first `available` bytes; after those a fill gives 0 (would
// block), so a test decides exactly when more bytes arrive.
class TrickleInStream : public rdr::BufferedInStream {
public:
    TrickleInStream(std::string data, int bufSize)
        : BufferedInStream(bufSize), data(std::move(data)) {}
    int fill(uint8_t* dst, int maxLen) override {
        if (given == data.size()) throw rdr::EndOfStream("End of test data");
        size_t n = std::min(size_t(maxLen), available - given);
        std::memcpy(dst, data.data() + given, n);
        given += n;
        return int(n);
    }
    std::string data;
    size_t available = 0;  // how much of data may be handed out
    size_t given = 0;      // how much was
};

// "<type name>: <message>" of what `call` threw as a plat::Exception, or "" when nothing.
template <typename Call>
std::string thrown(Call call) {
    try {
        call();
    } catch (const plat::Exception& e) {
        return std::string(e.typeName()) + ": " + e.message();
    }
    return "";
}

inline std::string bytesOf(rdr::MemOutStream& out) {
    return std::string(reinterpret_cast<const char*>(out.data()), size_t(out.length()));
}

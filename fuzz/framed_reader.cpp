// The framed reader over arbitrary bytes: the messages read from a non-blocking pipe fed in
// random chunk sizes (rewinding to the message's start after every would-block) equal those
// read with blocking reads over the whole input, and nothing outside plat::Exception escapes.
#include "rdr/FramedInStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string readBody(rdr::FramedInStream& in) {
    std::string body;
    while (!in.atEnd()) {
        in.check(true, 1);
        int n = in.nUnread();
        body.append(reinterpret_cast<const char*>(in.getBytes(n)), size_t(n));
    }
    in.endMsg();
    return body;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    if (size < 2) return 0;
    unsigned chunkSeed = data[0] | data[1] << 8;
    data += 2;
    size -= 2;

    std::vector<std::string> expected;
    rdr::MemInStream whole(data, int(size));
    rdr::InStreamV4 blocking(&whole);
    try {
        while (blocking.startMsg(true))
            expected.push_back(readBody(blocking));
    } catch (const rdr::EndOfStream&) {
    }

    std::vector<std::string> got;
    rdr::MemIoStream pipe(nullptr, -1, 64);
    rdr::InStreamV4 framed(&pipe);
    size_t fed = 0;
    while (fed < size) {
        chunkSeed = chunkSeed * 1103515245u + 12345u;
        size_t chunk = std::min(size - fed, size_t(chunkSeed >> 16) % 97 + 1);
        pipe.writeBytes(data + fed, int(chunk));
        pipe.flush();
        fed += chunk;
        try {
            while (framed.startMsg(false))
                got.push_back(readBody(framed));
        } catch (const rdr::BlockException&) {
        }
    }
    if (got != expected) std::abort();
    return 0;
}

#include "plat/MBuf.h"

#include "rdr/InStream.h"

#include <algorithm>
#include <climits>

namespace plat {

void readStreamBytes(rdr::InStream& in, void* to, size_t size) {
    auto* out = static_cast<unsigned char*>(to);
    while (size > 0) {
        int piece = int(std::min(size, size_t(INT_MAX)));
        const uint8_t* bytes = in.readBytes(out, piece);
        if (bytes != out) std::memcpy(out, bytes, size_t(piece));
        out += piece;
        size -= size_t(piece);
    }
}

}  // namespace plat

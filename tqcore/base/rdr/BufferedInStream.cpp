#include "rdr/BufferedInStream.h"

#include "plat/Hex.h"

#include <algorithm>

namespace rdr {

BufferedInStream::BufferedInStream(int bufSize) : buf(bufSize < 0 ? 16800 : bufSize) {
    ptr = end = checkpointPtr = buf.data();
}

BufferedInStream::BufferedInStream(BufferedInStream&& other) noexcept
    : offset(other.offset), buf(std::move(other.buf)) {
    rewindable = other.rewindable;
    trace = other.trace;
    ptr = other.ptr;
    end = other.end;
    checkpointPtr = other.checkpointPtr;
    checkpointPos = other.checkpointPos;
    other.ptr = other.end = other.checkpointPtr = nullptr;
}

bool BufferedInStream::overrun(int size) {
    uint8_t* start = buf.data();
    const uint8_t* bufEnd = start + buf.size();
    if (checkpointPtr != start) {
        size_t keep = size_t(end - checkpointPtr);
        size_t shift = size_t(checkpointPtr - start);
        std::memmove(start, checkpointPtr, keep);
        offset += uint32_t(shift);
        ptr -= shift;
        end -= shift;
        checkpointPtr = start;
    }
    int need = int(std::min<ptrdiff_t>(size, bufEnd - ptr));
    while (end - ptr < need) {
        uint8_t* fillAt = start + (end - start);
        int n = fill(fillAt, int(bufEnd - end));
        if (n <= 0) return false;
        if (trace) plat::hexDump(fillAt, size_t(n), " <-- ");
        end += n;
    }
    return true;
}

void BufferedInStream::saveUnread(OutStream& out) {
    out.writeU32(uint32_t(end - ptr));
    out.write(ptr, int(end - ptr));
}

void BufferedInStream::restoreUnread(InStream& in) {
    // Unsigned throughout: a count of 2^31 or more is refused, not skipped as negative.
    uint32_t count = in.readU32();
    if (count == 0) return;
    if (!buf.data() || count > uint32_t(buf.data() + buf.size() - end))
        throw plat::Exception("Too much data for InStream buffer");
    uint8_t* to = buf.data() + (end - buf.data());
    const uint8_t* from = in.readBytes(to, int(count));
    if (from != to) std::memcpy(to, from, count);
    end += count;
}

void BufferedNonBlockableInStream::setNonBlocking(bool nb) {
    nonBlocking = nb;
    markPos();
    if (nb) rewindable = true;
}

}  // namespace rdr

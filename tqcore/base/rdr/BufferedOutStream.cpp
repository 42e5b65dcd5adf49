#include "rdr/BufferedOutStream.h"

#include "plat/Hex.h"
#include "rdr/Exception.h"

#include <algorithm>
#include <climits>

namespace rdr {

namespace {

[[maybe_unused]] plat::IntParameter& registeredMaxOutBufferSize = maxOutBufferSizeParam();

constexpr int64_t kWindowAhead = 16384;

}  // namespace

plat::IntParameter& maxOutBufferSizeParam() {
    static plat::IntParameter* const param = new plat::IntParameter(
        "MaxOutBufferSize",
        "The maximum number of bytes to buffer internally when writing to slow connections.  "
        "Larger values improve concurrency, smaller values reduce memory usage.  Changes to "
        "this setting affect new connections only.",
        134217728, true, nullptr, 16384, INT_MAX);
    return *param;
}

BufferedOutStream::BufferedOutStream(int size, int maxSize) {
    bufSize = size < 0 ? 16384 : size;
    int limit = maxSize < 0 ? maxOutBufferSizeParam().getValueInt() : maxSize;
    maxBufSize = std::max(bufSize, limit);
    if (bufSize > 0) start.reset(new uint8_t[size_t(bufSize)]);
    ptr = flushPtr = start.get();
    end = ptr + std::min(bufSize, int(kWindowAhead));
}

BufferedOutStream::~BufferedOutStream() = default;

bool BufferedOutStream::drain(bool wait, bool once) {
    while (flushPtr < ptr) {
        int n = writeData(flushPtr, int(ptr - flushPtr), wait);
        if (n <= 0) return false;
        if (trace) plat::hexDump(flushPtr, size_t(n), " --> ");
        flushPtr += n;
        if (once) break;
    }
    if (flushPtr < ptr) return false;
    offset += uint32_t(ptr - start.get());
    flushPtr = ptr = start.get();
    // The window follows the data; it must not be left behind ptr.
    end = ptr + std::min(bufSize, int(kWindowAhead));
    return true;
}

bool BufferedOutStream::flushBuffer(bool wait) {
    return drain(wait, false);
}

bool BufferedOutStream::writeSome(bool wait) {
    return drain(wait, true);
}

int BufferedOutStream::overrun(int itemSize, int nItems) {
    if (bufSize == 0) throw OutStreamFull("OutStream full");
    if (itemSize > maxBufSize)
        throw plat::Exception("BufferedOutStream overrun: buffer size exceeded");
    drain(false, false);
    while (bufSize - (ptr - flushPtr) < itemSize) {
        if (bufSize < maxBufSize) {
            // Doubled in 64 bits: near 2 GiB the int would overflow.
            int grown = int(std::min<int64_t>(int64_t(bufSize) * 2, maxBufSize));
            size_t unflushed = size_t(ptr - flushPtr);
            std::unique_ptr<uint8_t[]> fresh(new uint8_t[size_t(grown)]);
            std::memcpy(fresh.get(), flushPtr, unflushed);
            offset += uint32_t(flushPtr - start.get());
            start = std::move(fresh);
            bufSize = grown;
            flushPtr = start.get();
            ptr = flushPtr + unflushed;
        } else {
            int n = writeData(flushPtr, int(ptr - flushPtr), true);
            if (n <= 0) throw plat::Exception("BufferedOutStream overrun: unable to write");
            if (trace) plat::hexDump(flushPtr, size_t(n), " --> ");
            flushPtr += n;
        }
    }
    if (flushPtr != start.get()) {
        size_t unflushed = size_t(ptr - flushPtr);
        std::memmove(start.get(), flushPtr, unflushed);
        offset += uint32_t(flushPtr - start.get());
        flushPtr = start.get();
        ptr = flushPtr + unflushed;
    }
    // The window reaches past the data by 16 KiB, or by the item when that is larger: a
    // smaller window could not hold the item the caller was promised room for.
    int64_t used = ptr - start.get();
    int64_t ahead = std::max<int64_t>(kWindowAhead, itemSize);
    end = start.get() + std::min<int64_t>(bufSize, used + ahead);
    int64_t room = end - ptr;
    if (room >= int64_t(itemSize) * nItems) return nItems;
    return int(room / itemSize);
}

void BufferedLazyOutStream::setLazy(bool lazy) {
    blocking = !lazy;
    drain(blocking, false);
}

}  // namespace rdr

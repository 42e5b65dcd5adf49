#include "rdr/MemOutStream.h"

#include "rdr/Exception.h"

#include <algorithm>
#include <climits>

namespace rdr {

MemOutStream::MemOutStream(int initialSize, int limit) : limit(limit > 0 ? limit : 0) {
    size = initialSize < 0 ? 256 : initialSize;
    if (size > 0) start = new uint8_t[size_t(size)];
    ptr = start;
    setWindow();
}

void MemOutStream::setWindow() {
    int windowSize = limit && limit < size ? limit : size;
    end = start + windowSize;
    // Never behind the data, whatever the limit did.
    if (end < ptr) end = ptr;
}

int MemOutStream::overrun(int itemSize, int nItems) {
    int64_t used = length();
    if ((limit && used + itemSize > limit) || used + itemSize > INT_MAX)
        throw OutStreamFull("OutStream full");
    int64_t wanted = std::max<int64_t>(used + int64_t(itemSize) * nItems, int64_t(size) * 2);
    wanted = std::min<int64_t>(wanted, limit ? limit : INT_MAX);
    if (wanted > size) {
        uint8_t* fresh = new uint8_t[size_t(wanted)];
        if (used) std::memcpy(fresh, start, size_t(used));
        delete[] start;
        start = fresh;
        ptr = start + used;
        size = int(wanted);
    }
    setWindow();
    int64_t room = end - ptr;
    return room >= int64_t(itemSize) * nItems ? nItems : int(room / itemSize);
}

void MemOutStream::setLimit(int newLimit) {
    limit = newLimit > 0 ? newLimit : 0;
    setWindow();
}

uint8_t* MemOutStream::release() {
    uint8_t* storage = start;
    start = ptr = end = nullptr;
    size = 0;
    return storage;
}

void MemOutStream::takeData(plat::ByteBuf& out) {
    int used = length();
    out.adopt(release(), used);
}

void MemOutStream::nulTerminate() {
    if (length() > 0 && ptr[-1] == 0) return;
    int saved = limit;
    if (limit && limit < INT_MAX) limit++;
    try {
        writeU8(0);
    } catch (...) {
        limit = saved;
        setWindow();
        throw;
    }
    limit = saved;
    setWindow();
}

void MemOutStream::takeString(plat::DString& out) {
    nulTerminate();
    int capacity = std::min<int>(int(end - start), plat::DString::kMaxCapacity);
    if (length() > capacity) throw StringTooLongException("String exceeds maximum length");
    out.adopt(reinterpret_cast<char*>(release()), capacity);
}

}  // namespace rdr

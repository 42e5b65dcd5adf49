#include "rdr/InStream.h"

#include "plat/Utf8.h"
#include "rdr/OutStream.h"

#include <algorithm>
#include <memory>

namespace rdr {

void InStream::markPos() {
    checkpointPos = pos();
    checkpointPtr = ptr;
}

void InStream::rewindToMark() {
    if (!rewindable) throw plat::Exception("Attempt to rewind a non-rewindable stream");
    ptr = checkpointPtr;
}

void InStream::setPos(int p) {
    // Positions count modulo 2^32 on a long-lived stream: only the distance is meaningful.
    int distance = int(uint32_t(p) - uint32_t(checkpointPos));
    if (distance < 0) throw plat::Exception("Can't reposition before checkpoint");
    rewindToMark();
    skip(distance);
}

bool InStream::checkSlow(bool wait, int size) {
    // Without rewinding, nothing before the read position is needed again.
    if (!rewindable) markPos();
    bool more;
    try {
        more = overrun(size);
    } catch (const BlockException&) {
        more = false;
    }
    if (more) {
        if (ptr < end) return true;
        throw plat::Exception("InStream overrun: buffer size exceeded");
    }
    if (rewindable) rewindToMark();
    if (wait) throw BlockException("Reading from InStream would block");
    return false;
}

void InStream::gather(uint8_t* buf, int n) {
    while (n > 0) {
        if (ptr >= end) check(true, 1);
        int take = std::min(n, int(end - ptr));
        std::memcpy(buf, ptr, size_t(take));
        ptr += take;
        buf += take;
        n -= take;
    }
}

void InStream::skip(int n) {
    while (n > 0) {
        if (ptr >= end) check(true, 1);
        int take = std::min(n, int(end - ptr));
        ptr += take;
        n -= take;
    }
}

const uint8_t* InStream::readBytesSlow(void* buf, int n) {
    check(true, n);
    if (end - ptr >= n) return getBytes(n);
    gather(static_cast<uint8_t*>(buf), n);
    return static_cast<uint8_t*>(buf);
}

const uint8_t* InStream::getItems(void* buf, int itemSize, int* nItems) {
    TQ_ASSERT(*nItems > 0);
    if (end - ptr < itemSize) check(true, itemSize);
    if (end - ptr < itemSize) {
        gather(static_cast<uint8_t*>(buf), itemSize);
        *nItems = 1;
        return static_cast<uint8_t*>(buf);
    }
    int whole = int((end - ptr) / itemSize);
    if (*nItems > whole) *nItems = whole;
    const uint8_t* p = ptr;
    ptr += *nItems * itemSize;
    return p;
}

const uint8_t* InStream::getItemsNoWait(int itemSize, int* nItems, bool wait) {
    TQ_ASSERT(*nItems > 0);
    if (end - ptr < itemSize && !check(wait, itemSize)) return nullptr;
    if (end - ptr < itemSize) return nullptr;
    int whole = int((end - ptr) / itemSize);
    if (*nItems > whole) *nItems = whole;
    const uint8_t* p = ptr;
    ptr += *nItems * itemSize;
    return p;
}

namespace {

plat::String textOf(std::unique_ptr<char[]> bytes, int n, bool fixUtf8) {
    bytes[n] = 0;
    if (fixUtf8 && !plat::utf8IsValid(bytes.get(), bytes.get() + n))
        return plat::toUtf8(bytes.get(), bytes.get() + n);
    return plat::String::adopt(bytes.release());
}

}  // namespace

plat::String InStream::readBytesAsString(int n, bool fixUtf8) {
    if (n < 0) n = 0;
    std::unique_ptr<char[]> bytes(new char[size_t(n) + 1]);
    gather(reinterpret_cast<uint8_t*>(bytes.get()), n);
    return textOf(std::move(bytes), n, fixUtf8);
}

plat::String InStream::readString(int maxLen, bool fixUtf8) {
    uint32_t length = readU32();
    // Compared wide: a length of 2^31 or more must not pass as negative.
    if (int64_t(length) > int64_t(maxLen))
        throw StringTooLongException("String exceeds maximum length");
    return readBytesAsString(int(length), fixUtf8);
}

plat::String InStream::readShortString(bool fixUtf8) {
    return readBytesAsString(readU8(), fixUtf8);
}

namespace {

// The longest text read into a plat::DString: with its NUL, and after a repair that may turn
// every byte into a 3-byte U+FFFD, it must fit the largest capacity (growing past it would end
// the process).
int longestText(bool fixUtf8) {
    return (plat::DString::kMaxCapacity - 1) / (fixUtf8 ? 3 : 1);
}

}  // namespace

void InStream::readIntoString(int n, plat::DString& out, bool fixUtf8) {
    if (n < 0) n = 0;
    if (n > longestText(fixUtf8)) throw StringTooLongException("String exceeds maximum length");
    out.clear();
    out.reserve(n + 1);
    // Straight into the buffer, so the text ends at the first NUL among the bytes.
    try {
        gather(reinterpret_cast<uint8_t*>(out.buf()), n);
    } catch (...) {
        out.clear();  // the bytes gathered so far have no NUL after them
        throw;
    }
    out.buf()[n] = '\0';
    if (fixUtf8) out.fixUtf8();
}

bool InStream::readLine(plat::DString& out, int maxLen, bool* sawNul, bool fixUtf8) {
    if (maxLen == 0) maxLen = 262144;
    maxLen = std::min(maxLen, longestText(fixUtf8));
    if (sawNul) *sawNul = false;
    out.clear();
    out.reserve(64);
    // Bytes are stored in place, each followed by a NUL so that the text stays whole whatever
    // interrupts the reading; the text ends at the first NUL byte of the line.
    int stored = 0;
    try {
        for (;;) {
            if (ptr >= end) check(true, 1);
            uint8_t c = *ptr++;
            if (c == '\r') continue;
            if (c == '\n') break;
            if (c == 0 && sawNul) *sawNul = true;
            if (stored >= maxLen) {
                out.clear();
                throw StringTooLongException("String exceeds maximum length");
            }
            if (stored + 2 > out.capacity()) out.reserve(stored + 2);
            out.buf()[stored++] = char(c);
            out.buf()[stored] = '\0';
        }
    } catch (const EndOfStream&) {
        if (stored == 0) throw;
    } catch (const EndOfMsg&) {
        if (stored == 0) throw;
    }
    return fixUtf8 ? !out.fixUtf8() : true;
}

int InStream::readBytesFindNul(uint8_t* buf, int n) {
    int firstNul = -1;
    for (int i = 0; i < n; i++) {
        buf[i] = readU8();
        if (buf[i] == 0 && firstNul < 0) firstNul = i;
    }
    return firstNul;
}

unsigned InStream::readRandomBelow(unsigned n) {
    if (n == 0) return readU32();
    // Values below the threshold would make the low results more likely.
    uint32_t threshold = uint32_t(0u - n) % n;
    uint32_t v = 0;
    for (int i = 0; i < 9; i++) {
        v = readU32();
        if (v >= threshold) break;
    }
    return v % n;
}

bool copyAll(InStream& in, OutStream& out, bool throwWhenFull) {
    try {
        out.flush();
        int space = out.spaceLeft();
        for (;;) {
            if (space <= 0) {
                if (throwWhenFull) throw OutStreamFull("OutStream full");
                return false;
            }
            if (in.nUnread() == 0 && !in.check(false, 1)) return false;
            int n = std::min(in.nUnread(), space);
            if (n == 0) return false;
            out.write(in.getBytes(n), n);
            in.markPos();
            out.flush();
            space = out.spaceLeft();
        }
    } catch (const EndOfStream&) {
        return true;
    } catch (const EndOfMsg&) {
        return true;
    }
}

}  // namespace rdr

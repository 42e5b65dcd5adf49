#include "rdr/MemIoStream.h"

#include "rdr/Exception.h"

#include <algorithm>
#include <climits>

namespace rdr {

MemIoStream::MemIoStream(Callback* callback, int maxSize, int bufSize)
    : callback(callback), bufSize(bufSize < 0 ? 2048 : bufSize) {
    setMaxSize(maxSize);
    ring.resize(4);
    appendBuf(newStorage());
    InStream::ptr = InStream::end = checkpointPtr = at(0).begin;
    OutStream::ptr = at(0).begin;
    OutStream::end = at(0).end;
}

MemIoStream::~MemIoStream() {
    freeAll();
}

void MemIoStream::freeAll() {
    for (int i = 0; i < count; i++)
        delete[] at(i).begin;
    count = 0;
}

void MemIoStream::setMaxSize(int maxSize) {
    if (bufSize == 0)
        maxBufs = 1;
    else if (maxSize >= 0)
        maxBufs = int(std::min<int64_t>(INT_MAX, (int64_t(maxSize) + bufSize - 1) / bufSize + 1));
    else
        maxBufs = INT_MAX / bufSize;
}

void MemIoStream::setError(const plat::Exception& e) {
    if (auto* system = dynamic_cast<const plat::SystemException*>(&e))
        error = std::make_unique<plat::SystemException>(*system);
    else
        error = std::make_unique<plat::Exception>(e);
}

// Zeroed, so that a saved state never carries stale heap contents.
uint8_t* MemIoStream::newStorage() {
    return new uint8_t[size_t(bufSize)]();
}

void MemIoStream::appendBuf(uint8_t* storage) {
    if (size_t(count) == ring.size()) {
        size_t newCapacity = ring.size() * 2;
        TQ_ASSERT(0 < newCapacity && newCapacity <= 0x3fffffffu);
        std::vector<Buf> grown(newCapacity);
        for (int i = 0; i < count; i++)
            grown[size_t(i)] = at(i);
        ring.swap(grown);
        head = 0;
    }
    count++;
    at(count - 1) = Buf{storage, storage + bufSize};
}

void MemIoStream::releaseHead(int released) {
    size_t mask = ring.size() - 1;
    for (int i = 0; i < released; i++) {
        const Buf& done = ring[size_t(head) & mask];
        ring[size_t(head + count) & mask] = Buf{done.begin, done.begin + bufSize};
        head = int(size_t(head + 1) & mask);
    }
    readIdx -= released;
    writeIdx -= released;
}

// Bytes from the checkpoint to `p` in buffer `index`.
int64_t MemIoStream::distanceTo(int index, const uint8_t* p) {
    if (index == 0) return p - checkpointPtr;
    int64_t distance = at(0).end - checkpointPtr;
    for (int i = 1; i < index; i++)
        distance += at(i).end - at(i).begin;
    return distance + (p - at(index).begin);
}

// Both sides count positions from the checkpoint's.
int MemIoStream::positionOf(int index, const uint8_t* p) {
    return int(uint32_t(checkpointPos) + uint32_t(distanceTo(index, p)));
}

void MemIoStream::markPosReleasing() {
    bool writerStopped = writeIdx >= maxBufs - 1;
    checkpointPos = pos();
    checkpointPtr = InStream::ptr;
    int released = readIdx;
    releaseHead(released);
    TQ_ASSERT(InStream::ptr == checkpointPtr);
    if (writerStopped && callback) callback->writable(this);
}

void MemIoStream::rewindToMark() {
    if (!rewindable) throw plat::Exception("Attempt to rewind a non-rewindable stream");
    readIdx = 0;
    InStream::ptr = checkpointPtr;
    InStream::end = readLimit(0);
}

bool MemIoStream::overrun(int) {
    for (;;) {
        InStream::end = readLimit(readIdx);
        if (InStream::ptr < InStream::end) return true;
        if (readIdx == writeIdx) break;
        // A finished head buffer whose checkpoint is at its end holds nothing needed again.
        bool release = readIdx == 0 && checkpointPtr == at(0).end;
        bool writerStopped = writeIdx >= maxBufs - 1;
        readIdx++;
        if (release) {
            releaseHead(1);
            TQ_ASSERT(readIdx == 0);
            checkpointPtr = at(0).begin;
        }
        InStream::ptr = at(readIdx).begin;
        if (release && writerStopped && callback) callback->writable(this);
    }
    if (error) {
        if (auto* system = dynamic_cast<const plat::SystemException*>(error.get())) throw *system;
        throw plat::Exception(*error);
    }
    if (closed) throw EndOfStream("End of in-memory IO stream");
    return false;
}

int MemIoStream::spaceLeft() {
    int64_t space = int64_t(maxBufs - 1 - writeIdx) * bufSize + (OutStream::end - OutStream::ptr);
    return int(std::max<int64_t>(0, std::min<int64_t>(space, INT_MAX)));
}

void MemIoStream::flush() {
    if (readIdx == writeIdx) InStream::end = OutStream::ptr;
    if (!callback) return;
    if (closed || error || length() != pos()) callback->readable(this);
    if (!closed && spaceLeft() > 0) callback->writable(this);
}

bool MemIoStream::shutdownWrite() {
    closed = true;
    OutStream::end = OutStream::ptr;
    try {
        flush();
    } catch (const EndOfStream&) {
    }
    if (callback) callback->closed(this);
    return true;
}

int MemIoStream::overrun(int itemSize, int nItems) {
    nextWriteBuf(itemSize);
    return std::min(nItems, bufSize / itemSize);
}

void MemIoStream::nextWriteBuf(int itemSize) {
    if (closed) throw PipeException("Stream closed for writing");
    Buf& current = at(writeIdx);
    current.end = OutStream::ptr;
    if (writeIdx >= maxBufs - 1) {
        if (callback) callback->readable(this);  // the reader may drain and free buffers
        if (writeIdx >= maxBufs - 1) {
            at(writeIdx).end = at(writeIdx).begin + bufSize;
            throw OutStreamFull("MemIoStream: maxBufs exceeded");
        }
    }
    if (itemSize > bufSize) {
        at(writeIdx).end = at(writeIdx).begin + bufSize;
        throw plat::Exception("MemIoStream: item exceeds buffer size");
    }
    if (readIdx == writeIdx) InStream::end = OutStream::ptr;
    writeIdx++;
    if (writeIdx >= count) appendBuf(newStorage());
    Buf& next = at(writeIdx);
    next.end = next.begin + bufSize;
    OutStream::ptr = next.begin;
    OutStream::end = next.end;
}

void MemIoStream::writeBytes(const void* data, int len) {
    const uint8_t* from = static_cast<const uint8_t*>(data);
    while (len > 0) {
        if (OutStream::ptr >= OutStream::end) nextWriteBuf(1);
        int take = std::min(len, int(OutStream::end - OutStream::ptr));
        std::memcpy(OutStream::ptr, from, size_t(take));
        OutStream::ptr += take;
        from += take;
        len -= take;
    }
}

void MemIoStream::save(OutStream& out) {
    // The format has no place for the data end of a buffer the writer left early (an item that
    // did not fit its rest), so the data from the checkpoint on is saved packed into full
    // buffers, the checkpoint at the head's start: a restored stream then reads exactly the
    // bytes that were written, and spare buffers are not saved.
    int64_t total = distanceTo(writeIdx, OutStream::ptr);
    int64_t readPos = distanceTo(readIdx, InStream::ptr);
    int64_t readEndPos = distanceTo(readIdx, InStream::end);
    int64_t size = bufSize > 0 ? bufSize : 1;
    int64_t newWriteIdx = total / size;
    int64_t newReadIdx = readPos / size;
    int64_t readEnd =
        newReadIdx < newWriteIdx ? size : std::min(readEndPos, total) - newReadIdx * size;
    int64_t writePtr = total - newWriteIdx * size;
    out.writeU32(uint32_t(maxBufs));
    out.writeU32(uint32_t(newReadIdx));
    out.writeU32(uint32_t(newWriteIdx));
    out.writeU8(closed);
    out.writeU32(uint32_t(newWriteIdx + 1));
    for (int i = 0; i <= writeIdx; i++) {
        const uint8_t* from = i == 0 ? checkpointPtr : at(i).begin;
        const uint8_t* to = i == writeIdx ? OutStream::ptr : at(i).end;
        out.writeBytes(from, int(to - from));
    }
    static const uint8_t zeros[256] = {};
    for (int64_t pad = (newWriteIdx + 1) * bufSize - total; pad > 0; pad -= int64_t(sizeof zeros))
        out.writeBytes(zeros, int(std::min<int64_t>(pad, sizeof zeros)));
    out.writeU32(uint32_t(readPos - newReadIdx * size));
    out.writeU32(uint32_t(readEnd));
    out.writeU32(0);
    out.writeU32(uint32_t(checkpointPos));
    out.writeU8(rewindable);
    out.writeU32(uint32_t(writePtr));
    out.writeU32(uint32_t(closed ? writePtr : bufSize));
}

void MemIoStream::restore(InStream& in) {
    auto bad = [] { return plat::Exception("MemIoStream::restore: bad state"); };
    uint32_t savedMaxBufs = in.readU32();
    uint32_t savedReadIdx = in.readU32();
    uint32_t savedWriteIdx = in.readU32();
    bool savedClosed = in.readU8() != 0;
    uint32_t savedCount = in.readU32();
    // A buffer of no bytes never lets the writer move on, so such a ring has one buffer.
    uint32_t maxCount = bufSize == 0 ? 1 : 0x3fffffffu;
    if (savedMaxBufs < 1 || savedMaxBufs > INT_MAX || savedReadIdx > savedWriteIdx ||
        savedWriteIdx >= savedCount || savedCount > maxCount)
        throw bad();
    // Each buffer is read before the next is allocated: a short input ends the loop.
    std::vector<std::unique_ptr<uint8_t[]>> storages;
    for (uint32_t i = 0; i < savedCount; i++) {
        storages.emplace_back(newStorage());
        const uint8_t* bytes = in.readBytes(storages.back().get(), bufSize);
        if (bytes != storages.back().get())
            std::memcpy(storages.back().get(), bytes, size_t(bufSize));
    }
    uint32_t readPtr = in.readU32(), readEnd = in.readU32(), checkpoint = in.readU32();
    int savedCheckpointPos = int(in.readU32());
    bool savedRewindable = in.readU8() != 0;
    uint32_t writePtr = in.readU32(), writeEnd = in.readU32();
    uint32_t size = uint32_t(bufSize);
    if (readPtr > readEnd || readEnd > size || checkpoint > size || writePtr > writeEnd ||
        writeEnd > size)
        throw bad();
    if (savedReadIdx == savedWriteIdx && readEnd > writePtr) throw bad();
    if (savedReadIdx == 0 && checkpoint > readPtr) throw bad();

    freeAll();
    size_t capacity = 4;
    while (capacity < savedCount)
        capacity *= 2;
    ring.assign(capacity, Buf{});
    head = 0;
    for (auto& storage : storages)
        appendBuf(storage.release());
    maxBufs = int(savedMaxBufs);
    readIdx = int(savedReadIdx);
    writeIdx = int(savedWriteIdx);
    closed = savedClosed;
    Buf& readBuf = at(readIdx);
    if (readIdx < writeIdx) readBuf.end = readBuf.begin + readEnd;
    InStream::ptr = readBuf.begin + readPtr;
    InStream::end = readBuf.begin + readEnd;
    checkpointPtr = at(0).begin + checkpoint;
    checkpointPos = savedCheckpointPos;
    rewindable = savedRewindable;
    OutStream::ptr = at(writeIdx).begin + writePtr;
    OutStream::end = at(writeIdx).begin + writeEnd;
}

}  // namespace rdr

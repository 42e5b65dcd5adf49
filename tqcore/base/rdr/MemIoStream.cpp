#include "rdr/MemIoStream.h"

#include "rdr/Exception.h"

#include <algorithm>
#include <climits>

namespace rdr {

MemIoStream::MemIoStream(Callback* callback, int maxSize, int bufSize)
    : callback(callback), bufSize(bufSize < 0 ? 2048 : bufSize) {
    setMaxSize(maxSize);
    ring.resize(4);
    ringMask = 3;
    addSpares(1);
    InStream::ptr = InStream::end = checkpointPtr = at(0).begin;
    OutStream::ptr = at(0).begin;
    OutStream::end = at(0).end;
}

MemIoStream::~MemIoStream() = default;

void MemIoStream::freeAll() {
    slabs.clear();
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

// Zeroed, so that a saved state never carries stale heap contents. One byte more than the
// buffers: two slabs never touch, so buffers that follow each other in memory share a slab.
std::unique_ptr<uint8_t[]> MemIoStream::newSlab(int buffers) {
    return std::unique_ptr<uint8_t[]>(new uint8_t[size_t(buffers) * size_t(bufSize) + 1]());
}

// Slabs as large as the buffers the pipe has, from 16 to 64 KiB (or one buffer where a buffer is
// larger): a small pipe keeps few spares, and so cycles through little memory. Never more
// buffers than the stream may use.
int MemIoStream::slabBuffers(int have, int limit) const {
    if (bufSize == 0) return 1;
    int64_t bytes = std::clamp<int64_t>(int64_t(have) * bufSize, 16384, 65536);
    int64_t buffers = std::max<int64_t>(1, bytes / bufSize);
    return int(std::max<int64_t>(1, std::min<int64_t>(buffers, int64_t(limit) - have)));
}

void MemIoStream::addSpares(int buffers) {
    slabs.push_back(newSlab(buffers));
    uint8_t* storage = slabs.back().get();
    for (int i = 0; i < buffers; i++)
        appendBuf(storage + size_t(i) * size_t(bufSize));
}

void MemIoStream::appendBuf(uint8_t* storage) {
    if (size_t(count) == ring.size()) {
        size_t newCapacity = ring.size() * 2;
        TQ_ASSERT(0 < newCapacity && newCapacity <= 0x3fffffffu);
        std::vector<Buf> grown(newCapacity);
        for (int i = 0; i < count; i++)
            grown[size_t(i)] = at(i);
        ring.swap(grown);
        ringMask = newCapacity - 1;
        head = 0;
    }
    count++;
    at(count - 1) = Buf{storage, storage + bufSize};
}

void MemIoStream::releaseHead(int released) {
    for (int i = 0; i < released; i++) {
        const Buf& done = at(0);
        at(count) = Buf{done.begin, done.begin + bufSize};
        head = int(size_t(head + 1) & ringMask);
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
    // In a window over several buffers the read position may lie in a buffer before readIdx;
    // those buffers lie side by side in one slab. A position at a boundary is in the later one.
    int released = readIdx;
    const uint8_t* last = at(readIdx).begin;
    if (InStream::ptr < last) released -= int((last - InStream::ptr + bufSize - 1) / bufSize);
    if (released == 0) return;
    if (InStream::ptr == OutStream::end && OutStream::ptr == OutStream::end && maxBufs > 1 &&
        !closed)
        startOver();
    else
        releaseHead(released);
    TQ_ASSERT(InStream::ptr == checkpointPtr);
    if (writerStopped && callback) callback->writable(this);
}

// Read to the end of a full write buffer: no byte written is needed again, and the writer's
// next byte needs a fresh buffer anyway. Rather than moving on to the buffer that has waited
// longest, both sides start over at the head, so that the writer takes the buffers it just
// wrote in the same order as then: a pipe emptied as it goes stays in buffers the cache holds,
// and what took one copy then takes one again. A head that does not run on into the next
// buffer in memory (the constructor's, a slab of its own) goes behind them and the next spare,
// which usually continues the run, so that a piece that spanned two slabs then fits one.
// Neither side is in the middle of anything: the reader asked for this, and a writer that
// holds part of its window (a frame being written) holds at least a byte of it.
void MemIoStream::startOver() {
    int used = writeIdx + 1;
    for (int i = 0; i < used; i++)
        at(i).end = at(i).begin + bufSize;
    if (used < count && at(0).begin + bufSize != at(1).begin) {
        Buf apart = at(0);
        for (int i = 0; i < used; i++)
            at(i) = at(i + 1);
        at(used) = apart;
    }
    readIdx = writeIdx = 0;
    uint8_t* start = at(0).begin;
    InStream::ptr = InStream::end = checkpointPtr = start;
    readBase = uint32_t(checkpointPos);
    OutStream::ptr = start;
    OutStream::end = start + bufSize;
}

void MemIoStream::rewindToMark() {
    if (!rewindable) throw plat::Exception("Attempt to rewind a non-rewindable stream");
    readIdx = 0;
    readBase = uint32_t(checkpointPos) - uint32_t(checkpointPtr - at(0).begin);
    InStream::ptr = checkpointPtr;
    InStream::end = readLimit(0);
}

bool MemIoStream::overrun(int) {
    for (;;) {
        // The window takes in a buffer whose storage starts where the data before it ends (the
        // writer filled that buffer and the next one follows it in memory), so that what was
        // written in one piece is read in one piece; the read position may then lie in a buffer
        // before readIdx (see markPosReleasing()).
        const uint8_t* windowEnd = readLimit(readIdx);
        while (readIdx < writeIdx && at(readIdx + 1).begin == windowEnd) {
            readBase += uint32_t(windowEnd - at(readIdx).begin);
            windowEnd = readLimit(++readIdx);
        }
        InStream::end = windowEnd;
        if (InStream::ptr < InStream::end) return true;
        if (readIdx == writeIdx) break;
        // A finished head buffer whose checkpoint is at its end holds nothing needed again.
        bool release = readIdx == 0 && checkpointPtr == at(0).end;
        bool writerStopped = writeIdx >= maxBufs - 1;
        readBase += uint32_t(at(readIdx).end - at(readIdx).begin);
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
    moveWriter(1, OutStream::ptr);
}

// Only the buffer left needs its data end: the full ones in between already end where their
// storage does, as every buffer not yet written does.
void MemIoStream::moveWriter(int buffers, uint8_t* dataEnd) {
    at(writeIdx).end = dataEnd;
    if (readIdx == writeIdx) InStream::end = dataEnd;
    writeIdx += buffers;
    if (writeIdx >= count) addSpares(slabBuffers(count, maxBufs));
    Buf& next = at(writeIdx);
    next.end = next.begin + bufSize;
    OutStream::ptr = next.begin;
    OutStream::end = next.end;
}

void MemIoStream::writeBytes(const void* data, int len) {
    const uint8_t* from = static_cast<const uint8_t*>(data);
    while (len > 0) {
        if (OutStream::ptr >= OutStream::end) nextWriteBuf(1);
        // Spare buffers that follow the write buffer in memory are filled by the same copy, as
        // far as the writer may go without being stopped by maxBufs.
        size_t space = size_t(OutStream::end - OutStream::ptr);
        int passed = 0;
        int last = closed || OutStream::end != at(writeIdx).begin + bufSize
                       ? writeIdx
                       : std::min(count, maxBufs) - 1;
        for (const uint8_t* runEnd = OutStream::end;
             size_t(len) > space && writeIdx + passed < last &&
             at(writeIdx + passed + 1).begin == runEnd;
             runEnd += bufSize) {
            passed++;
            space += size_t(bufSize);
        }
        size_t take = std::min(size_t(len), space);
        std::memcpy(OutStream::ptr, from, take);
        uint8_t* to = OutStream::ptr + take;
        if (passed > 0) moveWriter(passed, at(writeIdx).begin + bufSize);
        OutStream::ptr = to;
        from += take;
        len -= int(take);
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
        out.write(from, int(to - from));
    }
    static const uint8_t zeros[256] = {};
    for (int64_t pad = (newWriteIdx + 1) * bufSize - total; pad > 0; pad -= int64_t(sizeof zeros))
        out.write(zeros, int(std::min<int64_t>(pad, sizeof zeros)));
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
    // Each slab is allocated once the buffers before it have been read: a short input ends
    // the loop before a large count costs memory.
    std::vector<std::unique_ptr<uint8_t[]>> newSlabs;
    std::vector<uint8_t*> storages;
    while (storages.size() < savedCount) {
        int have = int(storages.size());
        int buffers = slabBuffers(have, int(std::min<uint32_t>(savedCount, INT_MAX)));
        newSlabs.push_back(newSlab(buffers));
        for (int i = 0; i < buffers; i++) {
            uint8_t* storage = newSlabs.back().get() + size_t(i) * size_t(bufSize);
            const uint8_t* bytes = in.readBytes(storage, bufSize);
            if (bytes != storage) std::memcpy(storage, bytes, size_t(bufSize));
            storages.push_back(storage);
        }
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
    ringMask = capacity - 1;
    head = 0;
    slabs.swap(newSlabs);
    for (uint8_t* storage : storages)
        appendBuf(storage);
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
    readBase = uint32_t(checkpointPos) + uint32_t(distanceTo(readIdx, readBuf.begin));
    rewindable = savedRewindable;
    OutStream::ptr = at(writeIdx).begin + writePtr;
    OutStream::end = at(writeIdx).begin + writeEnd;
}

}  // namespace rdr

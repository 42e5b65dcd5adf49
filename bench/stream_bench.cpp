// Byte streams: framed output and input against plain memory streams on 64 KiB messages (the
// framing should cost a few percent at most), and rdr::FdOutStream against stdio's fwrite on a
// pipe that a second thread drains, both writing 1 MiB in 100-byte records. rdr::FdOutStream and
// rdr::FdInStream against a hand-buffered write(2)/read(2) loop: 100-byte records written and
// read whole or field by field, and 64 KiB pieces (see the section's comment). Run pinned to one
// core; the "faults" counter gives the page faults per iteration.
//
// Where the bytes lie weighs more than the framing, so both sides copy between the same
// placements. glibc's memcpy moves blocks of this size with rep movsb, which on some processors
// (AMD EPYC here) runs up to forty times slower when the destination lies 1 to 63 bytes past
// the source modulo 4096, and some ten percent slower when source and destination are not
// aligned alike modulo 64. A frame's payload sits 2 bytes further on than the plain stream's
// data, so with buffers wherever malloc put them, whichever side drew the worse placement lost,
// by a few percent or by a factor. Each iteration here places source and destination a distance
// apart that runs through all 64 alignments from the argument on (1024: clear of the slow band;
// 0: inside it), the same sequence on both sides.
#include "RecordBatch.h"
#include "ResourceUse.h"
#include "rdr/FdInStream.h"
#include "rdr/FdOutStream.h"
#include "rdr/FramedInStream.h"
#include "rdr/FramedOutStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <vector>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kMessage = 64 * 1024;
constexpr uintptr_t kPage = 4096;

// Page-aligned storage for a message and one page of slack, so that a copy of the message can
// start at any offset within a page.
struct PageBlock {
    explicit PageBlock(char fill) : bytes(static_cast<uint8_t*>(std::aligned_alloc(kPage, kSize))) {
        if (!bytes) std::abort();
        std::memset(bytes, fill, kSize);
    }
    ~PageBlock() { std::free(bytes); }
    // The address in the block that lies `distance` bytes before `to` modulo a page.
    uint8_t* before(const void* to, uintptr_t distance) const {
        return bytes + (reinterpret_cast<uintptr_t>(to) - distance) % kPage;
    }
    // The address in the block that lies `distance` bytes after `from` modulo a page.
    uint8_t* after(const void* from, uintptr_t distance) const {
        return bytes + (reinterpret_cast<uintptr_t>(from) + distance) % kPage;
    }
    static constexpr size_t kSize = kMessage + 2 * kPage;
    uint8_t* bytes;
};

// The message's body, placed anew for each copy.
const PageBlock& body() {
    static const PageBlock block('m');
    return block;
}

// The distances from `base` to base + 63, one per iteration.
struct Distances {
    explicit Distances(const benchmark::State& state) : base(uintptr_t(state.range(0))) {}
    uintptr_t next() { return base + (step++ & 63); }
    uintptr_t base;
    unsigned step = 0;
};

void BM_PlainWrite(benchmark::State& state) {
    Distances distances(state);
    for (auto _ : state) {
        rdr::MemOutStream out(kMessage + 16);
        out.write(body().before(out.data(), distances.next()), kMessage);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void BM_FramedWrite(benchmark::State& state) {
    Distances distances(state);
    for (auto _ : state) {
        rdr::MemOutStream out(kMessage + 16);
        rdr::OutStreamV4 framed(&out);
        framed.startMsg();
        framed.write(body().before(out.data(), distances.next()), kMessage);
        framed.endMsg(false);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void drain(rdr::InStream& in, uint8_t* to, int size) {
    while (size > 0) {
        in.check(true, 1);
        int n = std::min(in.nUnread(), size);
        std::memcpy(to, in.getBytes(n), size_t(n));
        to += n;
        size -= n;
    }
}

// Reads leave the source where it is and place the copy's destination instead, the distance
// being measured from the first byte copied: the plain data, the first frame's payload.
void BM_PlainRead(benchmark::State& state) {
    const uint8_t* from = body().bytes;
    PageBlock copy(0);
    Distances distances(state);
    for (auto _ : state) {
        uint8_t* to = copy.after(from, distances.next());
        rdr::MemInStream in(from, kMessage);
        drain(in, to, kMessage);
        benchmark::DoNotOptimize(to);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void BM_FramedRead(benchmark::State& state) {
    rdr::MemOutStream wire(kMessage + 16);
    rdr::OutStreamV4 writer(&wire);
    writer.startMsg();
    writer.write(body().bytes, kMessage);
    writer.endMsg(false);
    const uint8_t* payload = wire.data() + 2;
    PageBlock copy(0);
    Distances distances(state);
    for (auto _ : state) {
        uint8_t* to = copy.after(payload, distances.next());
        rdr::MemInStream in(wire.data(), wire.length());
        rdr::InStreamV4 framed(&in);
        framed.startMsg(true);
        drain(framed, to, kMessage);
        framed.endMsg();
        benchmark::DoNotOptimize(to);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

// A pipe whose reading end a thread empties until the writing end closes.
struct DrainedPipe {
    DrainedPipe() {
        if (pipe(fds) != 0) std::abort();
        reader = std::thread([this] {
            char buf[65536];
            while (read(fds[0], buf, sizeof buf) > 0) {
            }
        });
    }
    ~DrainedPipe() {
        if (fds[1] >= 0) close(fds[1]);
        reader.join();
        close(fds[0]);
    }
    int fds[2];
    std::thread reader;
};

constexpr int kRecords = 10486;  // about 1 MiB of 100-byte records

void BM_FdOutStream(benchmark::State& state) {
    DrainedPipe p;
    rdr::FdOutStream out(p.fds[1]);
    char record[100] = {};
    for (auto _ : state) {
        for (int i = 0; i < kRecords; i++)
            out.write(record, sizeof record);
        out.flush();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kRecords * 100);
}

void BM_Fwrite(benchmark::State& state) {
    DrainedPipe p;
    FILE* out = fdopen(dup(p.fds[1]), "w");
    setvbuf(out, nullptr, _IOFBF, 16384);
    char record[100] = {};
    for (auto _ : state) {
        for (int i = 0; i < kRecords; i++)
            fwrite(record, 1, sizeof record, out);
        fflush(out);
    }
    fclose(out);
    state.SetBytesProcessed(int64_t(state.iterations()) * kRecords * 100);
}


// ---- Descriptor streams against a hand-buffered write(2)/read(2) loop ----
//
// One thread writes a batch of records into a pipe and then reads it back: the streams' own
// work and the same system calls are measured, not the scheduler. Both sides buffer alike: a
// 16384-byte output buffer passed on whole, a 16800-byte input buffer compacted on refill, and
// the reader marks the end of each record as consumed (the stream's checkpoint).

constexpr int kOutBuffer = 16384;
constexpr int kInBuffer = 16800;
constexpr int kChunk = 64 * 1024;  // the large pieces
constexpr int kPiece = 16384;      // read back in these

using bench::encodedRecords;
using bench::kBatch;
using bench::kMaxText;
using bench::kRecordBytes;
using bench::Record;
using bench::records;

// A pipe large enough for a round trip of large pieces.
struct Pipe {
    Pipe() {
        if (pipe2(fds, O_CLOEXEC) != 0 || fcntl(fds[1], F_SETPIPE_SZ, 4 * kChunk) < 0)
            std::abort();
    }
    ~Pipe() {
        close(fds[0]);
        close(fds[1]);
    }
    int fds[2];
};

// The streams called on objects of their own type, where the compiler sees what is final.
struct StreamSide {
    explicit StreamSide(const Pipe& p) : fdOut(p.fds[1]), fdIn(p.fds[0]) {}
    rdr::FdOutStream& out() { return fdOut; }
    rdr::FdInStream& in() { return fdIn; }
    rdr::FdOutStream fdOut;
    rdr::FdInStream fdIn;
};

// The same streams as a function that takes any stream sees them: every virtual call is made.
struct BaseSide : StreamSide {
    explicit BaseSide(const Pipe& p) : StreamSide(p), outBase(&fdOut), inBase(&fdIn) {
        benchmark::DoNotOptimize(outBase);
        benchmark::DoNotOptimize(inBase);
    }
    rdr::OutStream& out() { return *outBase; }
    rdr::InStream& in() { return *inBase; }
    rdr::OutStream* outBase;
    rdr::InStream* inBase;
};

// The loop a careful programmer writes by hand, with the same buffer sizes.
struct HandSide {
    explicit HandSide(const Pipe& p)
        : outFd(p.fds[1]), inFd(p.fds[0]), outBuf(new uint8_t[kOutBuffer]),
          inBuf(new uint8_t[kInBuffer]) {}

    // Room for `n` more bytes in the output buffer.
    uint8_t* room(int n) {
        if (kOutBuffer - used < n) flush();
        return outBuf.get() + used;
    }
    void put(const void* data, int n) {
        const uint8_t* from = static_cast<const uint8_t*>(data);
        while (n > 0) {
            if (used == kOutBuffer) flush();
            int take = std::min(n, kOutBuffer - used);
            std::memcpy(outBuf.get() + used, from, size_t(take));
            used += take;
            from += take;
            n -= take;
        }
    }
    void flush() {
        for (int done = 0; done < used;) {
            ssize_t n = write(outFd, outBuf.get() + done, size_t(used - done));
            if (n <= 0) std::abort();
            done += int(n);
        }
        used = 0;
    }
    // `n` unread bytes in the input buffer (n <= kInBuffer); the caller consumes them.
    const uint8_t* need(int n) {
        if (inEnd - inPos < n) {
            std::memmove(inBuf.get(), inBuf.get() + inPos, size_t(inEnd - inPos));
            inEnd -= inPos;
            inPos = 0;
            while (inEnd < n) {
                ssize_t got = read(inFd, inBuf.get() + inEnd, size_t(kInBuffer - inEnd));
                if (got <= 0) std::abort();
                inEnd += int(got);
            }
        }
        return inBuf.get() + inPos;
    }

    int outFd, inFd;
    std::unique_ptr<uint8_t[]> outBuf, inBuf;
    int used = 0;
    int inPos = 0, inEnd = 0;
};

uint16_t loadU16(const uint8_t* p) {
    return uint16_t(p[0] << 8 | p[1]);
}
uint32_t loadU32(const uint8_t* p) {
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}
void storeU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; i++)
        p[i] = uint8_t(v >> (24 - 8 * i));
}

// Writing and reading back the records whole: write, readBytes.
template <typename Side>
void writeWhole(Side& s) {
    const char* bytes = encodedRecords().data();
    for (int i = 0; i < kBatch; i++)
        s.out().write(bytes + i * kRecordBytes, kRecordBytes);
    s.out().flush();
}
void writeWhole(HandSide& s) {
    const char* bytes = encodedRecords().data();
    for (int i = 0; i < kBatch; i++)
        std::memcpy(s.room(kRecordBytes), bytes + i * kRecordBytes, kRecordBytes), s.used += kRecordBytes;
    s.flush();
}
template <typename Side, typename Take>
void readWhole(Side& s, Take take) {
    uint8_t record[kRecordBytes];
    for (int i = 0; i < kBatch; i++) {
        take(s.in().readBytes(record, kRecordBytes));
        s.in().markPos();
    }
}
template <typename Take>
void readWhole(HandSide& s, Take take) {
    for (int i = 0; i < kBatch; i++) {
        take(s.need(kRecordBytes));
        s.inPos += kRecordBytes;
    }
}

// Writing and reading back field by field: writeU8/U16/U32/U64, a length and write, and
// their readers, the text read into a string of its own.
template <typename Side>
void writeFields(Side& s) {
    bench::writeRecordFields(s.out());
    s.out().flush();
}
void writeFields(HandSide& s) {
    for (const Record& r : records()) {
        uint8_t* p = s.room(kRecordBytes);
        p[0] = r.kind;
        p[1] = uint8_t(r.flags >> 8);
        p[2] = uint8_t(r.flags);
        storeU32(p + 3, r.id);
        storeU32(p + 7, uint32_t(r.stamp >> 32));
        storeU32(p + 11, uint32_t(r.stamp));
        storeU32(p + 15, uint32_t(r.text.size()));
        std::memcpy(p + 19, r.text.data(), r.text.size());
        std::memcpy(p + 19 + r.text.size(), r.body.data(), r.body.size());
        s.used += kRecordBytes;
    }
    s.flush();
}
template <typename Side, typename Take>
void readFields(Side& s, Take take) {
    bench::readRecordFields(s.in(), take);
}
template <typename Take>
void readFields(HandSide& s, Take take) {
    for (const Record& r : records()) {
        const uint8_t* p = s.need(kRecordBytes);
        uint32_t textLen = loadU32(p + 15);
        if (textLen > kMaxText) std::abort();
        std::unique_ptr<char[]> text(new char[textLen + 1]);
        std::memcpy(text.get(), p + 19, textLen);
        text[textLen] = 0;
        int bodyLen = int(r.body.size());
        take(p[0], loadU16(p + 1), loadU32(p + 3), uint64_t(loadU32(p + 7)) << 32 | loadU32(p + 11),
             text.get(), p + 19 + textLen, bodyLen);
        s.inPos += kRecordBytes;
    }
}

// Large pieces: 64 KiB written at once, read back 16 KiB at a time. Each copy runs between
// placements that depend only on the distance, alike on both sides.
const PageBlock& chunkSource() {
    static const PageBlock* const block = [] {
        auto* b = new PageBlock(0);
        for (size_t i = 0; i < PageBlock::kSize; i++)
            b->bytes[i] = uint8_t(i * 7 % 251);
        return b;
    }();
    return *block;
}
template <typename Side>
const uint8_t* writeChunk(Side& s, uintptr_t distance) {
    const uint8_t* from = chunkSource().before(s.out().getPtr(), distance);
    s.out().write(from, kChunk);
    s.out().flush();
    return from;
}
const uint8_t* writeChunk(HandSide& s, uintptr_t distance) {
    const uint8_t* from = chunkSource().before(s.outBuf.get() + s.used, distance);
    s.put(from, kChunk);
    s.flush();
    return from;
}
template <typename Side, typename Take>
void readChunk(Side& s, Take take) {
    for (int done = 0; done < kChunk; done += kPiece) {
        uint8_t unused[1];
        take(s.in().readBytes(unused, kPiece));
        s.in().markPos();
    }
}
template <typename Take>
void readChunk(HandSide& s, Take take) {
    for (int done = 0; done < kChunk; done += kPiece) {
        take(s.need(kPiece));
        s.inPos += kPiece;
    }
}

// Before timing, each side's reader must see exactly the bytes and fields that were written.
template <typename Side>
bool carriesTheRecords(Side& s) {
    std::string got;
    writeWhole(s);
    readWhole(s, [&](const uint8_t* p) { got.append(reinterpret_cast<const char*>(p), kRecordBytes); });
    std::vector<Record> fields;
    writeFields(s);
    readFields(s, [&](uint8_t kind, uint16_t flags, uint32_t id, uint64_t stamp, const char* text,
                      const uint8_t* body, int bodyLen) {
        fields.push_back({kind, flags, id, stamp, text,
                          std::string(reinterpret_cast<const char*>(body), size_t(bodyLen))});
    });
    std::string chunk;
    const uint8_t* sent = writeChunk(s, 1024);
    readChunk(s, [&](const uint8_t* p) { chunk.append(reinterpret_cast<const char*>(p), kPiece); });
    return got == encodedRecords() && fields == records() &&
           chunk == std::string(reinterpret_cast<const char*>(sent), kChunk);
}

template <typename Side>
void BM_RecordsWhole(benchmark::State& state) {
    Pipe p;
    Side s(p);
    if (!carriesTheRecords(s)) return state.SkipWithError("the bytes read differ from those written");
    uint32_t sum = 0;
    ResourceUse use(state);
    for (auto _ : state) {
        writeWhole(s);
        readWhole(s, [&](const uint8_t* r) { sum += r[0] + r[kRecordBytes - 1]; });
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * kBatch * kRecordBytes);
}

template <typename Side>
void BM_RecordsFields(benchmark::State& state) {
    Pipe p;
    Side s(p);
    if (!carriesTheRecords(s)) return state.SkipWithError("the bytes read differ from those written");
    uint64_t sum = 0;
    ResourceUse use(state);
    for (auto _ : state) {
        writeFields(s);
        readFields(s, [&](uint8_t kind, uint16_t flags, uint32_t id, uint64_t stamp,
                          const char* text, const uint8_t* b, int bodyLen) {
            sum += kind + flags + id + stamp + uint8_t(text[0]) + b[bodyLen - 1];
        });
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * kBatch * kRecordBytes);
}

template <typename Side>
void BM_LargeChunks(benchmark::State& state) {
    Pipe p;
    Side s(p);
    if (!carriesTheRecords(s)) return state.SkipWithError("the bytes read differ from those written");
    PageBlock copy(0);
    Distances distances(state);
    ResourceUse use(state);
    for (auto _ : state) {
        uintptr_t distance = distances.next();
        writeChunk(s, distance);
        readChunk(s, [&](const uint8_t* from) {
            uint8_t* to = copy.after(from, distance);
            std::memcpy(to, from, kPiece);
            benchmark::DoNotOptimize(to);
        });
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kChunk);
}

}  // namespace

BENCHMARK(BM_PlainWrite)->Arg(1024)->Arg(0);
BENCHMARK(BM_FramedWrite)->Arg(1024)->Arg(0);
BENCHMARK(BM_PlainRead)->Arg(1024)->Arg(0);
BENCHMARK(BM_FramedRead)->Arg(1024)->Arg(0);
BENCHMARK(BM_FdOutStream);
BENCHMARK(BM_Fwrite);
BENCHMARK_TEMPLATE(BM_RecordsWhole, StreamSide);
BENCHMARK_TEMPLATE(BM_RecordsWhole, BaseSide);
BENCHMARK_TEMPLATE(BM_RecordsWhole, HandSide);
BENCHMARK_TEMPLATE(BM_RecordsFields, StreamSide);
BENCHMARK_TEMPLATE(BM_RecordsFields, BaseSide);
BENCHMARK_TEMPLATE(BM_RecordsFields, HandSide);
BENCHMARK_TEMPLATE(BM_LargeChunks, StreamSide)->Arg(1024);
BENCHMARK_TEMPLATE(BM_LargeChunks, BaseSide)->Arg(1024);
BENCHMARK_TEMPLATE(BM_LargeChunks, HandSide)->Arg(1024);

BENCHMARK_MAIN();

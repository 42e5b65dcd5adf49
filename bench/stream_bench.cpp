// Byte streams: framed output and input against plain memory streams on 64 KiB messages (the
// framing should cost a few percent at most), and rdr::FdOutStream against stdio's fwrite on a
// pipe that a second thread drains, both writing 1 MiB in 100-byte records.
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
        out.writeBytes(body().before(out.data(), distances.next()), kMessage);
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
        framed.writeBytes(body().before(out.data(), distances.next()), kMessage);
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
    writer.writeBytes(body().bytes, kMessage);
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
            out.writeBytes(record, sizeof record);
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

}  // namespace

BENCHMARK(BM_PlainWrite)->Arg(1024)->Arg(0);
BENCHMARK(BM_FramedWrite)->Arg(1024)->Arg(0);
BENCHMARK(BM_PlainRead)->Arg(1024)->Arg(0);
BENCHMARK(BM_FramedRead)->Arg(1024)->Arg(0);
BENCHMARK(BM_FdOutStream);
BENCHMARK(BM_Fwrite);

BENCHMARK_MAIN();

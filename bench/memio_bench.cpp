// The in-memory pipe against libevent's evbuffer, both used as a program uses them: 16 KiB
// chunks passed through one at a time and 1 MiB of them written before any is read (write
// and readBytes against evbuffer_add and evbuffer_remove), 100-byte records whole and field by
// field, and the pipe's saved state. Built only where libevent is installed.
//
// evbuffer frees each chain it drains, and glibc may give freed memory at the top of the heap
// back to the kernel, to be faulted in again by the next fill: the "faults" counter shows
// whether it did. Copies of 16 KiB run with rep movsb, which on this machine is up to forty
// times slower when the destination lies 1 to 63 bytes past the source modulo 4096; every copy
// the benchmark makes is placed a distance from its counterpart that runs through 64 values
// from 1024 on, the same on both sides, and the copies evbuffer makes inside evbuffer_add are
// checked to land where they were placed for ("moved" counts those that did not).
#include "RecordBatch.h"
#include "ResourceUse.h"
#include "rdr/MemInStream.h"
#include "rdr/MemIoStream.h"
#include "rdr/MemOutStream.h"

#include <benchmark/benchmark.h>
#include <event2/buffer.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kChunk = 16 * 1024;
constexpr uintptr_t kPage = 4096;

using bench::encodedRecords;
using bench::kMaxText;
using bench::kRecordBytes;
using bench::Record;
using bench::records;
constexpr int kRecords = bench::kBatch;

// Page-aligned chunks with a page of slack, so that a copy can start at any offset in a page.
struct PageBlock {
    explicit PageBlock(size_t chunks)
        : size(chunks * kChunk + 2 * kPage),
          bytes(static_cast<uint8_t*>(std::aligned_alloc(kPage, size))) {
        if (!bytes) std::abort();
        for (size_t i = 0; i < size; i++)
            bytes[i] = uint8_t(i * 7 % 251);
    }
    ~PageBlock() { std::free(bytes); }
    PageBlock(const PageBlock&) = delete;
    PageBlock& operator=(const PageBlock&) = delete;
    // Chunk `index`, placed `distance` bytes before `to` modulo a page.
    uint8_t* before(size_t index, const void* to, uintptr_t distance) const {
        return bytes + index * kChunk + (reinterpret_cast<uintptr_t>(to) - distance) % kPage;
    }
    // Chunk `index`, placed `distance` bytes after `from` modulo a page.
    uint8_t* after(size_t index, const void* from, uintptr_t distance) const {
        return bytes + index * kChunk + (reinterpret_cast<uintptr_t>(from) + distance) % kPage;
    }
    size_t size;
    uint8_t* bytes;
};

// Where the pipe's next copies start and end.
struct Pipe : rdr::MemIoStream {
    const uint8_t* readPtr() const { return InStream::ptr; }
    // The first byte of the next write: a full window moves on to a fresh buffer first, as
    // write() would.
    uint8_t* writePtr() {
        if (OutStream::ptr == OutStream::end) overrun(1, 1);
        return OutStream::ptr;
    }
};

// `chunks` chunks written, then read back; each chunk handed to `take` after it was read, and
// where it was sent from kept in `sentFrom`.
struct OursChunks {
    explicit OursChunks(size_t chunks)
        : chunks(chunks), source(chunks), copy(chunks), sentFrom(chunks) {}
    // Out of line on both sides, so that a profile shows what one pass costs.
    template <typename Take>
    [[gnu::noinline]] void pass(uintptr_t distance, Take take) {
        for (size_t i = 0; i < chunks; i++) {
            sentFrom[i] = source.before(i, pipe.writePtr(), distance);
            pipe.write(sentFrom[i], kChunk);
        }
        pipe.flush();
        for (size_t i = 0; i < chunks; i++) {
            pipe.check(true, 1);
            uint8_t* to = copy.after(i, pipe.readPtr(), distance);
            // A pointer into the pipe where the chunk lies in one piece there, else `to`.
            const uint8_t* got = pipe.readBytes(to, kChunk);
            if (got != to) std::memcpy(to, got, kChunk);
            take(to);
            pipe.markPos();
        }
    }
    void learn() {}
    long moved() { return 0; }
    size_t chunks;
    Pipe pipe;
    PageBlock source, copy;
    std::vector<const uint8_t*> sentFrom;
};

// evbuffer allocates a chain inside evbuffer_add, and malloc gives the same chunk of the heap
// each pass: the destinations are learnt once before timing and checked again after it, so
// that the timed passes make no extra call.
struct EvbufferChunks {
    explicit EvbufferChunks(size_t chunks)
        : chunks(chunks), source(chunks), copy(chunks), sentFrom(chunks),
          target(chunks, nullptr) {}
    ~EvbufferChunks() { evbuffer_free(buffer); }
    template <typename Take>
    [[gnu::noinline]] void pass(uintptr_t distance, Take take) {
        for (size_t i = 0; i < chunks; i++) {
            sentFrom[i] = source.before(i, target[i], distance);
            evbuffer_add(buffer, sentFrom[i], kChunk);
        }
        for (size_t i = 0; i < chunks; i++) {
            uint8_t* to = copy.after(i, target[i], distance);
            take(evbuffer_remove(buffer, to, kChunk) == kChunk ? to : nullptr);
        }
    }
    // Where each chunk lands.
    std::vector<uint8_t*> targets() {
        std::vector<uint8_t*> found(chunks);
        for (size_t i = 0; i < chunks; i++) {
            evbuffer_add(buffer, source.bytes, kChunk);
            evbuffer_ptr at;
            evbuffer_ptr_set(buffer, &at, i * kChunk, EVBUFFER_PTR_SET);
            evbuffer_iovec v;
            evbuffer_peek(buffer, 1, &at, &v, 1);
            found[i] = static_cast<uint8_t*>(v.iov_base);
        }
        evbuffer_drain(buffer, chunks * kChunk);
        return found;
    }
    void learn() { target = targets(); }
    long moved() {
        std::vector<uint8_t*> now = targets();
        long n = 0;
        for (size_t i = 0; i < chunks; i++)
            n += now[i] != target[i];
        return n;
    }
    size_t chunks;
    evbuffer* buffer = evbuffer_new();
    PageBlock source, copy;
    std::vector<const uint8_t*> sentFrom;
    std::vector<uint8_t*> target;
};

template <typename Side>
void BM_Chunks(benchmark::State& state) {
    size_t chunks = size_t(state.range(0));
    Side side(chunks);
    // Before timing: the chunks read are the chunks written.
    side.learn();
    std::string sent, got;
    side.pass(1024, [&](const uint8_t* chunk) {
        if (chunk) got.append(reinterpret_cast<const char*>(chunk), kChunk);
    });
    for (const uint8_t* from : side.sentFrom)
        sent.append(reinterpret_cast<const char*>(from), kChunk);
    if (got != sent) return state.SkipWithError("the bytes read differ from those written");

    unsigned step = 0;
    {
        ResourceUse use(state);
        for (auto _ : state) {
            side.pass(1024 + (step++ & 63),
                      [](const uint8_t* chunk) { benchmark::DoNotOptimize(chunk); });
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(chunks) * kChunk);
    // Chunks whose copy did not land where it was placed for.
    state.counters["moved"] = double(side.moved());
}

struct OursRecords {
    void writeWhole() {
        const char* bytes = encodedRecords().data();
        for (int i = 0; i < kRecords; i++)
            pipe.write(bytes + i * kRecordBytes, kRecordBytes);
        pipe.flush();
    }
    template <typename Take>
    void readWhole(Take take) {
        uint8_t record[kRecordBytes];
        for (int i = 0; i < kRecords; i++) {
            take(pipe.readBytes(record, kRecordBytes));
            pipe.markPos();
        }
    }
    void writeFields() {
        bench::writeRecordFields(pipe);
        pipe.flush();
    }
    template <typename Take>
    void readFields(Take take) {
        bench::readRecordFields(pipe, take);
    }
    rdr::MemIoStream pipe;
};

struct EvbufferRecords {
    ~EvbufferRecords() { evbuffer_free(buffer); }
    void writeWhole() {
        const char* bytes = encodedRecords().data();
        for (int i = 0; i < kRecords; i++)
            evbuffer_add(buffer, bytes + i * kRecordBytes, kRecordBytes);
    }
    template <typename Take>
    void readWhole(Take take) {
        uint8_t record[kRecordBytes];
        for (int i = 0; i < kRecords; i++) {
            if (evbuffer_remove(buffer, record, kRecordBytes) != kRecordBytes) std::abort();
            take(record);
        }
    }
    template <typename T>
    void add(T v) {
        uint8_t bytes[sizeof v];
        for (size_t i = 0; i < sizeof v; i++)
            bytes[i] = uint8_t(uint64_t(v) >> (8 * (sizeof v - 1 - i)));
        evbuffer_add(buffer, bytes, sizeof v);
    }
    template <typename T>
    T remove() {
        uint8_t bytes[sizeof(T)];
        if (evbuffer_remove(buffer, bytes, sizeof bytes) != int(sizeof bytes)) std::abort();
        uint64_t v = 0;
        for (uint8_t b : bytes)
            v = v << 8 | b;
        return T(v);
    }
    void writeFields() {
        for (const Record& r : records()) {
            add(r.kind);
            add(r.flags);
            add(r.id);
            add(r.stamp);
            add(uint32_t(r.text.size()));
            evbuffer_add(buffer, r.text.data(), r.text.size());
            evbuffer_add(buffer, r.body.data(), r.body.size());
        }
    }
    template <typename Take>
    void readFields(Take take) {
        uint8_t body[kRecordBytes];
        for (const Record& r : records()) {
            uint8_t kind = remove<uint8_t>();
            uint16_t flags = remove<uint16_t>();
            uint32_t id = remove<uint32_t>();
            uint64_t stamp = remove<uint64_t>();
            uint32_t textLen = remove<uint32_t>();
            if (textLen > kMaxText) std::abort();
            std::unique_ptr<char[]> text(new char[textLen + 1]);
            if (evbuffer_remove(buffer, text.get(), textLen) != int(textLen)) std::abort();
            text[textLen] = 0;
            int bodyLen = int(r.body.size());
            if (evbuffer_remove(buffer, body, size_t(bodyLen)) != bodyLen) std::abort();
            take(kind, flags, id, stamp, text.get(), body, bodyLen);
        }
    }
    evbuffer* buffer = evbuffer_new();
};

template <typename Side>
bool carriesTheRecords(Side& side) {
    std::string got;
    side.writeWhole();
    side.readWhole([&](const uint8_t* p) { got.append(reinterpret_cast<const char*>(p), kRecordBytes); });
    std::vector<Record> fields;
    side.writeFields();
    side.readFields([&](uint8_t kind, uint16_t flags, uint32_t id, uint64_t stamp, const char* text,
                        const uint8_t* body, int bodyLen) {
        fields.push_back({kind, flags, id, stamp, text,
                          std::string(reinterpret_cast<const char*>(body), size_t(bodyLen))});
    });
    return got == encodedRecords() && fields == records();
}

template <typename Side>
void BM_RecordsWhole(benchmark::State& state) {
    Side side;
    if (!carriesTheRecords(side)) return state.SkipWithError("the bytes read differ from those written");
    uint32_t sum = 0;
    ResourceUse use(state);
    for (auto _ : state) {
        side.writeWhole();
        side.readWhole([&](const uint8_t* r) { sum += r[0] + r[kRecordBytes - 1]; });
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * kRecords * kRecordBytes);
}

template <typename Side>
void BM_RecordsFields(benchmark::State& state) {
    Side side;
    if (!carriesTheRecords(side)) return state.SkipWithError("the bytes read differ from those written");
    uint64_t sum = 0;
    ResourceUse use(state);
    for (auto _ : state) {
        side.writeFields();
        side.readFields([&](uint8_t kind, uint16_t flags, uint32_t id, uint64_t stamp,
                            const char* text, const uint8_t* b, int bodyLen) {
            sum += kind + flags + id + stamp + uint8_t(text[0]) + b[bodyLen - 1];
        });
    }
    benchmark::DoNotOptimize(sum);
    state.SetBytesProcessed(int64_t(state.iterations()) * kRecords * kRecordBytes);
}

// The saved state of a pipe holding 256 KiB, 10000 bytes of them read past the checkpoint,
// restored into a second pipe that then reads the rest.
void BM_SaveRestore(benchmark::State& state) {
    constexpr int kHeld = 256 * 1024;
    PageBlock source(kHeld / kChunk);
    rdr::MemIoStream pipe;
    pipe.write(source.bytes, kHeld);
    pipe.flush();
    pipe.skip(10000);
    std::vector<uint8_t> rest(kHeld);
    auto restoreAndRead = [&] {
        rdr::MemOutStream saved(kHeld + 65536);
        pipe.save(saved);
        rdr::MemInStream in(saved.data(), saved.length());
        rdr::MemIoStream copy;
        copy.restore(in);
        return copy.readBytes(rest.data(), kHeld - 10000);
    };
    const uint8_t* read = restoreAndRead();
    if (std::memcmp(read, source.bytes + 10000, kHeld - 10000) != 0)
        return state.SkipWithError("the restored pipe reads other bytes");
    ResourceUse use(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(restoreAndRead());
    state.SetBytesProcessed(int64_t(state.iterations()) * kHeld);
}

}  // namespace

BENCHMARK_TEMPLATE(BM_Chunks, OursChunks)->Arg(1)->Arg(64);
BENCHMARK_TEMPLATE(BM_Chunks, EvbufferChunks)->Arg(1)->Arg(64);
BENCHMARK_TEMPLATE(BM_RecordsWhole, OursRecords);
BENCHMARK_TEMPLATE(BM_RecordsWhole, EvbufferRecords);
BENCHMARK_TEMPLATE(BM_RecordsFields, OursRecords);
BENCHMARK_TEMPLATE(BM_RecordsFields, EvbufferRecords);
BENCHMARK(BM_SaveRestore);

BENCHMARK_MAIN();

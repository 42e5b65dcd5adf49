// The in-memory pipe against libevent's evbuffer: 1 MiB written in 1 KiB pieces, then drained
// in 1 KiB pieces. Built only where libevent is installed.
//
// evbuffer frees each chain it drains, and with glibc's default trim threshold the freed
// megabyte goes back to the kernel and is faulted in again by the next fill: that is most of
// its time here. Run with MALLOC_TRIM_THRESHOLD_ raised to compare the two buffers alone.
#include "rdr/MemIoStream.h"

#include <benchmark/benchmark.h>
#include <event2/buffer.h>

#include <algorithm>

namespace {

constexpr int kPiece = 1024;
constexpr int kPieces = 1024;

void BM_MemIoStream(benchmark::State& state) {
    char piece[kPiece] = {}, to[kPiece];
    rdr::MemIoStream pipe;
    for (auto _ : state) {
        for (int i = 0; i < kPieces; i++)
            pipe.writeBytes(piece, kPiece);
        pipe.flush();
        for (int i = 0; i < kPieces; i++) {
            int left = kPiece;
            while (left > 0) {
                pipe.check(true, 1);
                int n = std::min(pipe.nUnread(), left);
                std::memcpy(to + kPiece - left, pipe.getBytes(n), size_t(n));
                left -= n;
            }
            pipe.markPos();
        }
        benchmark::DoNotOptimize(to);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kPiece * kPieces);
}

void BM_Evbuffer(benchmark::State& state) {
    char piece[kPiece] = {}, to[kPiece];
    evbuffer* buffer = evbuffer_new();
    for (auto _ : state) {
        for (int i = 0; i < kPieces; i++)
            evbuffer_add(buffer, piece, kPiece);
        for (int i = 0; i < kPieces; i++)
            evbuffer_remove(buffer, to, kPiece);
        benchmark::DoNotOptimize(to);
    }
    evbuffer_free(buffer);
    state.SetBytesProcessed(int64_t(state.iterations()) * kPiece * kPieces);
}

}  // namespace

BENCHMARK(BM_MemIoStream);
BENCHMARK(BM_Evbuffer);

BENCHMARK_MAIN();

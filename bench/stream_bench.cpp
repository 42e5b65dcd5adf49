// Byte streams: framed output and input against plain memory streams on 64 KiB messages (the
// framing should cost a few percent at most), and rdr::FdOutStream against stdio's fwrite on a
// pipe that a second thread drains, both writing 1 MiB in 100-byte records.
#include "rdr/FdOutStream.h"
#include "rdr/FramedInStream.h"
#include "rdr/FramedOutStream.h"
#include "rdr/MemInStream.h"
#include "rdr/MemOutStream.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kMessage = 64 * 1024;

const std::string& message() {
    static const std::string body(kMessage, 'm');
    return body;
}

void BM_PlainWrite(benchmark::State& state) {
    for (auto _ : state) {
        rdr::MemOutStream out(kMessage + 16);
        out.writeBytes(message().data(), kMessage);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void BM_FramedWrite(benchmark::State& state) {
    for (auto _ : state) {
        rdr::MemOutStream out(kMessage + 16);
        rdr::OutStreamV4 framed(&out);
        framed.startMsg();
        framed.writeBytes(message().data(), kMessage);
        framed.endMsg(false);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void drain(rdr::InStream& in, char* to, int size) {
    while (size > 0) {
        in.check(true, 1);
        int n = std::min(in.nUnread(), size);
        std::memcpy(to, in.getBytes(n), size_t(n));
        to += n;
        size -= n;
    }
}

void BM_PlainRead(benchmark::State& state) {
    std::string copy(kMessage, '\0');
    for (auto _ : state) {
        rdr::MemInStream in(message().data(), kMessage);
        drain(in, &copy[0], kMessage);
        benchmark::DoNotOptimize(copy.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kMessage);
}

void BM_FramedRead(benchmark::State& state) {
    rdr::MemOutStream wire(kMessage + 16);
    rdr::OutStreamV4 writer(&wire);
    writer.startMsg();
    writer.writeBytes(message().data(), kMessage);
    writer.endMsg(false);
    std::string copy(kMessage, '\0');
    for (auto _ : state) {
        rdr::MemInStream in(wire.data(), wire.length());
        rdr::InStreamV4 framed(&in);
        framed.startMsg(true);
        drain(framed, &copy[0], kMessage);
        framed.endMsg();
        benchmark::DoNotOptimize(copy.data());
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

BENCHMARK(BM_PlainWrite);
BENCHMARK(BM_FramedWrite);
BENCHMARK(BM_PlainRead);
BENCHMARK(BM_FramedRead);
BENCHMARK(BM_FdOutStream);
BENCHMARK(BM_Fwrite);

BENCHMARK_MAIN();

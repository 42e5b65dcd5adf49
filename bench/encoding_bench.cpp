// Base64 of random bytes (64 B, 4 KiB, 1 MiB and 64 MiB): ours against OpenSSL's block encoder
// and decoder. Ours returns a new text or fills a new buffer, so the peer's output buffer is
// allocated in each iteration too: both sides pay for one allocation and one release.
#include "plat/Base64.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

const std::vector<unsigned char>& randomBytes(size_t size) {
    static std::map<size_t, std::vector<unsigned char>> inputs;
    std::vector<unsigned char>& bytes = inputs[size];
    if (bytes.empty()) {
        bytes.resize(size);
        std::mt19937 random(1);
        for (unsigned char& c : bytes)
            c = static_cast<unsigned char>(random());
    }
    return bytes;
}

const std::string& encodedText(size_t size) {
    static std::map<size_t, std::string> texts;
    std::string& text = texts[size];
    if (text.empty())
        text = plat::base64Encode(randomBytes(size).size(), randomBytes(size).data(), false).get();
    return text;
}

void BM_Base64Encode_Ours(benchmark::State& state) {
    const auto& in = randomBytes(size_t(state.range(0)));
    for (auto _ : state) {
        plat::String text = plat::base64Encode(in.size(), in.data(), false);
        benchmark::DoNotOptimize(text.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_Base64Encode_OpenSSL(benchmark::State& state) {
    const auto& in = randomBytes(size_t(state.range(0)));
    for (auto _ : state) {
        std::unique_ptr<unsigned char[]> out(new unsigned char[4 * ((in.size() + 2) / 3) + 1]);
        int n = EVP_EncodeBlock(out.get(), in.data(), int(in.size()));
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(out.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_Base64Decode_Ours(benchmark::State& state) {
    size_t size = size_t(state.range(0));
    const std::string& text = encodedText(size);
    plat::ByteBuf out;
    for (auto _ : state) {
        bool ok = plat::base64Decode(text.c_str(), out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    if (size_t(out.size()) != size) state.SkipWithError("decode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void BM_Base64Decode_OpenSSL(benchmark::State& state) {
    size_t size = size_t(state.range(0));
    const std::string& text = encodedText(size);
    int n = 0;
    for (auto _ : state) {
        std::unique_ptr<unsigned char[]> out(new unsigned char[text.size() / 4 * 3]);
        n = EVP_DecodeBlock(out.get(), reinterpret_cast<const unsigned char*>(text.data()),
                            int(text.size()));
        benchmark::DoNotOptimize(n);
        benchmark::DoNotOptimize(out.get());
    }
    // The peer counts the bytes that the padding stands for.
    if (n < 0 || size_t(n) < size) state.SkipWithError("decode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(size));
}

void sizes(benchmark::internal::Benchmark* bench) {
    for (int64_t size : {64, 4 << 10, 1 << 20, 64 << 20})
        bench->Arg(size);
}

BENCHMARK(BM_Base64Encode_Ours)->Apply(sizes);
BENCHMARK(BM_Base64Encode_OpenSSL)->Apply(sizes);
BENCHMARK(BM_Base64Decode_Ours)->Apply(sizes);
BENCHMARK(BM_Base64Decode_OpenSSL)->Apply(sizes);

}  // namespace

BENCHMARK_MAIN();

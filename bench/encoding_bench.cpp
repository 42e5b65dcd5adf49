// Base64 of 64 KiB of random bytes: ours against OpenSSL's block encoder and decoder. Ours also
// allocates its result each time; the peer writes into a buffer made once.
#include "plat/Base64.h"

#include <benchmark/benchmark.h>
#include <openssl/evp.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kInputSize = 64 * 1024;

const std::vector<unsigned char>& randomBytes() {
    static const std::vector<unsigned char> bytes = [] {
        std::vector<unsigned char> b(kInputSize);
        std::mt19937 random(1);
        for (unsigned char& c : b)
            c = static_cast<unsigned char>(random());
        return b;
    }();
    return bytes;
}

const std::string& encodedText() {
    static const std::string text =
        plat::base64Encode(randomBytes().size(), randomBytes().data(), false).get();
    return text;
}

void BM_Base64Encode_Ours(benchmark::State& state) {
    const auto& in = randomBytes();
    for (auto _ : state) {
        plat::String text = plat::base64Encode(in.size(), in.data(), false);
        benchmark::DoNotOptimize(text.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_Base64Encode_OpenSSL(benchmark::State& state) {
    const auto& in = randomBytes();
    std::vector<unsigned char> out(4 * ((in.size() + 2) / 3) + 1);
    for (auto _ : state) {
        int n = EVP_EncodeBlock(out.data(), in.data(), int(in.size()));
        benchmark::DoNotOptimize(n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(in.size()));
}

void BM_Base64Decode_Ours(benchmark::State& state) {
    const std::string& text = encodedText();
    plat::ByteBuf out;
    for (auto _ : state) {
        bool ok = plat::base64Decode(text.c_str(), out);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out.data());
    }
    if (size_t(out.size()) != kInputSize) state.SkipWithError("decode failed");
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kInputSize));
}

void BM_Base64Decode_OpenSSL(benchmark::State& state) {
    const std::string& text = encodedText();
    std::vector<unsigned char> out(text.size());
    for (auto _ : state) {
        int n = EVP_DecodeBlock(out.data(), reinterpret_cast<const unsigned char*>(text.data()),
                                int(text.size()));
        benchmark::DoNotOptimize(n);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kInputSize));
}

BENCHMARK(BM_Base64Encode_Ours);
BENCHMARK(BM_Base64Encode_OpenSSL);
BENCHMARK(BM_Base64Decode_Ours);
BENCHMARK(BM_Base64Decode_OpenSSL);

}  // namespace

BENCHMARK_MAIN();

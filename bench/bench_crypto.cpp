// Micro-benchmarks of the primitives: bytes per second of the cipher and of every CRC-32 path, and the
// cost of one password digest.

#include "crypto/clsCRC.h"
#include "crypto/clsRC4.h"
#include "crypto/clsSHA.h"
#include "crypto/crc32_update.h"
#include "crypto/xor_kernels.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kBlockSize = 100000; // the container's block

std::vector<std::uint8_t> Random(std::size_t n) {
    std::mt19937 gen(42);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(gen());
    return bytes;
}

void BM_Rc4EncryptBlock(benchmark::State& state) {
    clsRC4 rc4;
    std::vector<std::uint8_t> block = Random(static_cast<std::size_t>(state.range(0)));
    rc4.EncryptByte(block, "Passwort"); // key schedule and keystream outside the measurement
    for (auto _ : state) {
        rc4.EncryptByte(block, "Passwort");
        benchmark::DoNotOptimize(block.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Rc4EncryptBlock)->Arg(kBlockSize)->Arg(30);

// A new object for each array, as a fuzzer or a one-item batch makes it: the key schedule and only as
// much keystream as the array needs.
void BM_Rc4FreshObject(benchmark::State& state) {
    std::vector<std::uint8_t> bytes = Random(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        clsRC4 rc4;
        rc4.EncryptByte(bytes, "Passwort");
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Rc4FreshObject)->Arg(10)->Arg(4096)->Arg(kBlockSize);

void BM_Rc4EncryptBlockWithProgress(benchmark::State& state) {
    clsRC4 rc4;
    std::int64_t events = 0;
    rc4.OnProgress([&](std::int32_t) { ++events; });
    std::vector<std::uint8_t> block = Random(kBlockSize);
    for (auto _ : state) {
        rc4.EncryptByte(block, "Passwort");
        benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(events);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBlockSize);
}
BENCHMARK(BM_Rc4EncryptBlockWithProgress);

void BM_XorKernel(benchmark::State& state, xorkernels::Path path) {
    if (!xorkernels::Supported(path)) {
        state.SkipWithError("not supported by this processor");
        return;
    }
    std::vector<std::uint8_t> data = Random(kBlockSize);
    const std::vector<std::uint8_t> key = Random(kBlockSize);
    for (auto _ : state) {
        xorkernels::Xor(path, data.data(), key.data(), data.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kBlockSize);
}
BENCHMARK_CAPTURE(BM_XorKernel, portable, xorkernels::Path::Portable);
BENCHMARK_CAPTURE(BM_XorKernel, sse2, xorkernels::Path::Sse2);
BENCHMARK_CAPTURE(BM_XorKernel, avx2, xorkernels::Path::Avx2);

void BM_Rc4KeySchedule(benchmark::State& state) {
    clsRC4 rc4;
    std::vector<std::uint8_t> block(16);
    bool flip = false;
    for (auto _ : state) {
        // A new key each time: the schedule plus the first 100000 keystream bytes.
        rc4.EncryptByte(block, flip ? "Passwort-A" : "Passwort-B");
        flip = !flip;
    }
}
BENCHMARK(BM_Rc4KeySchedule);

void BM_Crc32(benchmark::State& state, crc32::Path path) {
    if (!crc32::Supported(path)) {
        state.SkipWithError("not supported by this processor");
        return;
    }
    const auto fn = path == crc32::Path::Portable ? crc32::UpdatePortable
                    : path == crc32::Path::Pclmul ? crc32::UpdatePclmul
                                                  : crc32::UpdateVpclmul;
    const std::vector<std::uint8_t> data = Random(static_cast<std::size_t>(state.range(0)));
    std::uint32_t reg = 0xFFFFFFFFu;
    for (auto _ : state) {
        reg = fn(reg, data.data(), data.size());
        benchmark::DoNotOptimize(reg);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK_CAPTURE(BM_Crc32, portable, crc32::Path::Portable)->Arg(4096)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_Crc32, pclmul, crc32::Path::Pclmul)->Arg(4096)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_CAPTURE(BM_Crc32, vpclmul, crc32::Path::Vpclmul)->Arg(4096)->Arg(64 << 10)->Arg(1 << 20);

void BM_CrcAddBytes(benchmark::State& state) {
    clsCRC crc;
    const std::vector<std::uint8_t> data = Random(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(crc.AddBytes(data));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_CrcAddBytes);

void BM_Sha1PasswordDigest(benchmark::State& state) {
    clsSHA sha;
    for (auto _ : state) {
        std::string message = "correct horse battery staple"
                              "Salz"; // password and a salt
        benchmark::DoNotOptimize(sha.SHA1_string(message));
    }
}
BENCHMARK(BM_Sha1PasswordDigest);

void BM_Sha1Bytes(benchmark::State& state) {
    const std::vector<std::uint8_t> data = Random(1 << 20);
    for (auto _ : state)
        benchmark::DoNotOptimize(clsSHA::Digest(data));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * (1 << 20));
}
BENCHMARK(BM_Sha1Bytes);

} // namespace

#include "crypto/xor_kernels.h"

#include <cstring>

#if defined(__x86_64__) || defined(_M_X64)
#define TESSARIN_XOR_X86 1
#include <immintrin.h>
#endif

namespace xorkernels {
namespace {

void XorBytes(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key, std::size_t n) noexcept {
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(in[i] ^ key[i]);
}

void XorPortable(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key, std::size_t n) noexcept {
    for (; n >= 8; n -= 8, out += 8, in += 8, key += 8) {
        std::uint64_t a, b;
        std::memcpy(&a, in, 8);
        std::memcpy(&b, key, 8);
        a ^= b;
        std::memcpy(out, &a, 8);
    }
    XorBytes(out, in, key, n);
}

#if TESSARIN_XOR_X86
// SSE2 is part of x86-64, so this needs no check.
inline void Xor16(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key) noexcept {
    const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
    const __m128i k = _mm_loadu_si128(reinterpret_cast<const __m128i*>(key));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_xor_si128(d, k));
}

void XorSse2(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key, std::size_t n) noexcept {
    for (; n >= 64; n -= 64, out += 64, in += 64, key += 64) {
        Xor16(out, in, key);
        Xor16(out + 16, in + 16, key + 16);
        Xor16(out + 32, in + 32, key + 32);
        Xor16(out + 48, in + 48, key + 48);
    }
    for (; n >= 16; n -= 16, out += 16, in += 16, key += 16)
        Xor16(out, in, key);
    XorBytes(out, in, key, n);
}

__attribute__((target("avx2"))) inline void Xor32(std::uint8_t* out, const std::uint8_t* in,
                                                  const std::uint8_t* key) noexcept {
    const __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(in));
    const __m256i k = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(key));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), _mm256_xor_si256(d, k));
}

__attribute__((target("avx2"))) void XorAvx2(std::uint8_t* out, const std::uint8_t* in,
                                             const std::uint8_t* key, std::size_t n) noexcept {
    for (; n >= 128; n -= 128, out += 128, in += 128, key += 128) {
        Xor32(out, in, key);
        Xor32(out + 32, in + 32, key + 32);
        Xor32(out + 64, in + 64, key + 64);
        Xor32(out + 96, in + 96, key + 96);
    }
    for (; n >= 32; n -= 32, out += 32, in += 32, key += 32)
        Xor32(out, in, key);
    XorSse2(out, in, key, n);
}
#endif

bool CpuHas(Path path) noexcept {
    switch (path) {
    case Path::Portable:
        return true;
    case Path::Sse2:
#if TESSARIN_XOR_X86
        return true;
#else
        return false;
#endif
    case Path::Avx2:
#if TESSARIN_XOR_X86
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
#else
        return false;
#endif
    }
    return false;
}

using XorFunction = void (*)(std::uint8_t*, const std::uint8_t*, const std::uint8_t*, std::size_t) noexcept;

XorFunction Function(Path path) noexcept {
#if TESSARIN_XOR_X86
    if (path == Path::Avx2)
        return XorAvx2;
    if (path == Path::Sse2)
        return XorSse2;
#else
    (void)path;
#endif
    return XorPortable;
}

XorFunction Fastest() noexcept {
    for (Path path : {Path::Avx2, Path::Sse2})
        if (CpuHas(path))
            return Function(path);
    return XorPortable;
}

} // namespace

void Xor(Path path, std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key,
         std::size_t n) noexcept {
    Function(path)(out, in, key, n);
}

void Xor(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key, std::size_t n) noexcept {
    static const XorFunction chosen = Fastest();
    chosen(out, in, key, n);
}

bool Supported(Path path) noexcept {
    return CpuHas(path);
}

std::vector<Path> SupportedPaths() {
    std::vector<Path> paths;
    for (Path path : {Path::Portable, Path::Sse2, Path::Avx2})
        if (Supported(path))
            paths.push_back(path);
    return paths;
}

const char* Name(Path path) noexcept {
    switch (path) {
    case Path::Portable:
        return "portable";
    case Path::Sse2:
        return "sse2";
    case Path::Avx2:
        return "avx2";
    }
    return "unknown";
}

} // namespace xorkernels

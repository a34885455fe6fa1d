#include "crypto/crc32_update.h"

#if defined(__x86_64__) || defined(_M_X64)

#include "crypto/crc32_internal.h"

// GCC 12's AVX-512 intrinsics pass an "undefined" vector as the unused merge source, which -Wall reports
// as maybe-uninitialized inside the header (GCC bug 105593, fixed in GCC 13).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>

// The folding of crc32_pclmul.cpp on 512-bit registers: each register holds four 128-bit lanes that are
// folded independently by VPCLMULQDQ, four registers (256 bytes) per step. This file is compiled with
// AVX-512 and VPCLMULQDQ enabled; everything in it has internal linkage.

namespace crc32 {
namespace {

constexpr std::size_t kLane = 16; // one 128-bit lane
constexpr std::size_t kWide = 64; // one 512-bit register
constexpr std::size_t kRegs = 4;  // registers folded in parallel
constexpr std::size_t kStride = kWide * kRegs;

inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
inline __m512i LoadWide(const std::uint8_t* p) {
    return _mm512_loadu_si512(p);
}

template <unsigned distance> inline __m128i Multipliers() {
    constexpr auto low = static_cast<long long>(detail::FoldLow(distance));
    constexpr auto high = static_cast<long long>(detail::FoldHigh(distance));
    return _mm_set_epi64x(high, low);
}

// The same multipliers in all four lanes.
template <unsigned distance> inline __m512i WideMultipliers() {
    constexpr auto low = static_cast<long long>(detail::FoldLow(distance));
    constexpr auto high = static_cast<long long>(detail::FoldHigh(distance));
    return _mm512_set_epi64(high, low, high, low, high, low, high, low);
}

inline __m128i Fold(__m128i lane, __m128i k) {
    return _mm_xor_si128(_mm_clmulepi64_si128(lane, k, 0x00), _mm_clmulepi64_si128(lane, k, 0x11));
}

// Every lane carried forward and XOR-ed with `data` (0x96 is the three-way XOR).
inline __m512i FoldWide(__m512i lanes, __m512i k, __m512i data) {
    return _mm512_ternarylogic_epi64(_mm512_clmulepi64_epi128(lanes, k, 0x00),
                                     _mm512_clmulepi64_epi128(lanes, k, 0x11), data, 0x96);
}

inline std::uint32_t Finish(__m128i lane, const std::uint8_t* p, std::size_t n) {
    alignas(16) std::uint8_t bytes[kLane];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), lane);
    return UpdatePortable(UpdatePortable(0, bytes, kLane), p, n);
}

} // namespace

std::uint32_t UpdateVpclmul(std::uint32_t reg, const std::uint8_t* p, std::size_t n) noexcept {
    if (n < kStride)
        return UpdatePclmul(reg, p, n);

    // The register goes into the first four bytes, as in the 128-bit path.
    __m512i z0 =
        _mm512_xor_si512(LoadWide(p), _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(reg))));
    __m512i z1 = LoadWide(p + 64), z2 = LoadWide(p + 128), z3 = LoadWide(p + 192);
    p += kStride;
    n -= kStride;

    const __m512i k2048 = WideMultipliers<2048>();
    while (n >= kStride) {
        z0 = FoldWide(z0, k2048, LoadWide(p));
        z1 = FoldWide(z1, k2048, LoadWide(p + 64));
        z2 = FoldWide(z2, k2048, LoadWide(p + 128));
        z3 = FoldWide(z3, k2048, LoadWide(p + 192));
        p += kStride;
        n -= kStride;
    }

    // Four registers into one, each carried to the position of the last.
    const __m512i zero = _mm512_setzero_si512();
    __m512i z = _mm512_ternarylogic_epi64(FoldWide(z0, WideMultipliers<1536>(), zero),
                                          FoldWide(z1, WideMultipliers<1024>(), zero),
                                          FoldWide(z2, WideMultipliers<512>(), zero), 0x96);
    z = _mm512_xor_si512(z, z3);

    const __m512i k512 = WideMultipliers<512>();
    while (n >= kWide) {
        z = FoldWide(z, k512, LoadWide(p));
        p += kWide;
        n -= kWide;
    }

    // Four lanes into one: lane i is carried forward by (3 - i) lanes; lane 3 stays as it is.
    const __m512i toLast = _mm512_inserti32x4(
        _mm512_inserti32x4(_mm512_inserti32x4(zero, Multipliers<384>(), 0), Multipliers<256>(), 1),
        Multipliers<128>(), 2);
    const __m512i folded = FoldWide(z, toLast, _mm512_maskz_mov_epi64(0xC0, z));
    // The XOR of the four lanes: swap lane pairs, then neighbouring lanes; lane 0 then holds all four.
    const __m512i pairs =
        _mm512_xor_si512(folded, _mm512_shuffle_i64x2(folded, folded, _MM_SHUFFLE(1, 0, 3, 2)));
    const __m512i all = _mm512_xor_si512(pairs, _mm512_shuffle_i64x2(pairs, pairs, _MM_SHUFFLE(2, 3, 0, 1)));
    __m128i x = _mm512_castsi512_si128(all);

    const __m128i k128 = Multipliers<128>();
    while (n >= kLane) {
        x = _mm_xor_si128(Fold(x, k128), Load(p));
        p += kLane;
        n -= kLane;
    }
    return Finish(x, p, n);
}

} // namespace crc32

#else

namespace crc32 {
// Not an x86-64 processor: Supported(Path::Vpclmul) is false, and this only keeps the symbol defined.
std::uint32_t UpdateVpclmul(std::uint32_t reg, const std::uint8_t* p, std::size_t n) noexcept {
    return UpdatePortable(reg, p, n);
}
} // namespace crc32

#endif

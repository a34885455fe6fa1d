#include "crypto/crc32_update.h"

#if defined(__x86_64__) || defined(__i386__) || defined(_M_X64)

#include "crypto/crc32_internal.h"

#include <immintrin.h>

// Folding with PCLMULQDQ: the data is treated as a long polynomial, and a 128-bit lane is carried
// forward over the following bytes by multiplying its halves with x^k mod P. The sum stays congruent
// to the data modulo P, so the final 128-bit remainder is reduced by the portable code.
// This file is compiled with -msse4.1 -mpclmul; everything in it has internal linkage.

namespace crc32 {
namespace {

constexpr std::size_t kLane = 16; // one 128-bit lane
constexpr std::size_t kLanes = 4; // lanes folded in parallel
constexpr std::size_t kStride = kLane * kLanes;

inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// The multipliers that carry a lane `distance` bits forward: low half in qword 0, high half in qword 1.
template <unsigned distance> inline __m128i Multipliers() {
    constexpr auto low = static_cast<long long>(detail::FoldLow(distance));
    constexpr auto high = static_cast<long long>(detail::FoldHigh(distance));
    return _mm_set_epi64x(high, low);
}

inline __m128i Fold(__m128i lane, __m128i k) {
    return _mm_xor_si128(_mm_clmulepi64_si128(lane, k, 0x00), _mm_clmulepi64_si128(lane, k, 0x11));
}

// The register after processing the 16 bytes of `lane` from register 0, then the remaining bytes.
inline std::uint32_t Finish(__m128i lane, const std::uint8_t* p, std::size_t n) {
    alignas(16) std::uint8_t bytes[kLane];
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), lane);
    return UpdatePortable(UpdatePortable(0, bytes, kLane), p, n);
}

} // namespace

std::uint32_t UpdatePclmul(std::uint32_t reg, const std::uint8_t* p, std::size_t n) noexcept {
    if (n < kStride)
        return UpdatePortable(reg, p, n);

    // Processing bytes from register r equals processing them from register 0 with r XOR-ed into the
    // first four bytes (little-endian, as the CRC is reflected).
    __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(reg)));
    __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
    p += kStride;
    n -= kStride;

    const __m128i k512 = Multipliers<512>();
    while (n >= kStride) {
        x0 = _mm_xor_si128(Fold(x0, k512), Load(p));
        x1 = _mm_xor_si128(Fold(x1, k512), Load(p + 16));
        x2 = _mm_xor_si128(Fold(x2, k512), Load(p + 32));
        x3 = _mm_xor_si128(Fold(x3, k512), Load(p + 48));
        p += kStride;
        n -= kStride;
    }

    // The four lanes into one: each carried forward to the position of the last.
    __m128i x = _mm_xor_si128(_mm_xor_si128(Fold(x0, Multipliers<384>()), Fold(x1, Multipliers<256>())),
                              _mm_xor_si128(Fold(x2, Multipliers<128>()), x3));

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
// Not an x86 processor: Supported(Path::Pclmul) is false, and this only keeps the symbol defined.
std::uint32_t UpdatePclmul(std::uint32_t reg, const std::uint8_t* p, std::size_t n) noexcept {
    return UpdatePortable(reg, p, n);
}
} // namespace crc32

#endif

#pragma once

// Shared by the CRC-32 kernels only: the polynomial and the constants the folding paths derive from it.
// Everything here has internal linkage and is evaluated at compile time: the kernels are compiled with
// different instruction-set flags, and an inline function emitted by one of them could otherwise be the
// copy the linker keeps for all.

#include <cstdint>

namespace crc32::detail {

// The reflected polynomial (normal form 0x04C11DB7, x^32 implied).
inline constexpr std::uint32_t ReflectedPoly = 0xEDB88320u;

// x^exponent mod P in normal (non-reflected) form.
static constexpr std::uint32_t XPowModP(unsigned exponent) {
    std::uint32_t r = 1;
    for (unsigned i = 0; i < exponent; ++i)
        r = (r & 0x80000000u) ? (r << 1) ^ 0x04C11DB7u : (r << 1);
    return r;
}

static constexpr std::uint32_t Reflect32(std::uint32_t v) {
    std::uint32_t r = 0;
    for (int i = 0; i < 32; ++i)
        if ((v >> i) & 1u)
            r |= 1u << (31 - i);
    return r;
}

// A folding multiplier for PCLMULQDQ on bit-reflected data: x^exponent mod P, reflected, shifted left by
// one. A 64-bit lane of reflected data times such a constant lands with its product aligned to the next
// 128-bit frame (the shift makes up for the carry-less product of two reflected values being one bit
// short of 128).
static constexpr std::uint64_t FoldConstant(unsigned exponent) {
    return static_cast<std::uint64_t>(Reflect32(XPowModP(exponent))) << 1;
}

// To carry a 128-bit lane forward by `distance` bits, its low (earlier) 64 bits are multiplied by
// x^(distance+32) and its high 64 bits by x^(distance-32): the 32 accounts for the CRC's x^32 factor and
// the 64 for the position of the lane half.
static constexpr std::uint64_t FoldLow(unsigned distance) {
    return FoldConstant(distance + 32);
}
static constexpr std::uint64_t FoldHigh(unsigned distance) {
    return FoldConstant(distance - 32);
}

// Cross-checks against the values the derivation gives (x^160 and x^96 mod P for one 128-bit step).
static_assert(FoldLow(128) == 0x1751997D0ull && FoldHigh(128) == 0x0CCAA009Eull);
static_assert(XPowModP(32) == 0x04C11DB7u);

} // namespace crc32::detail

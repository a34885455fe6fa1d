#pragma once

// The CRC-32 register update over a byte array, in several implementations chosen at run time by the
// processor's features. All work on the raw register (no complement before or after).

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace crc32 {

enum class Path { Portable, Pclmul, Vpclmul };

// Slicing-by-16; works everywhere.
std::uint32_t UpdatePortable(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept;
// Carry-less multiply (PCLMULQDQ + SSE4.1); only call when Supported(Path::Pclmul).
std::uint32_t UpdatePclmul(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept;
// 512-bit carry-less multiply (VPCLMULQDQ + AVX-512); only call when Supported(Path::Vpclmul).
std::uint32_t UpdateVpclmul(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept;

bool Supported(Path path) noexcept;
std::vector<Path> SupportedPaths();
const char* Name(Path path) noexcept;

// The fastest supported implementation.
std::uint32_t Update(std::uint32_t reg, const std::uint8_t* data, std::size_t n) noexcept;

} // namespace crc32

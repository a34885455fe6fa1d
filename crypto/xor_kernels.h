#pragma once

// XOR of a byte array with keystream bytes, in the implementations the processor allows: the hot loop
// of clsRC4. A plain byte loop is not vectorised by g++ at -O2, so the x86 versions use intrinsics.
// Internal to crypto/; exposed for the tests and benchmarks that compare and time the paths.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xorkernels {

enum class Path { Portable, Sse2, Avx2 };

// data[i] ^= key[i] for i < n, with the given implementation; only call with a supported path. The two
// arrays may not overlap (unless they are the same array).
void Xor(Path path, std::uint8_t* data, const std::uint8_t* key, std::size_t n) noexcept;
// The same with the fastest supported implementation, chosen once.
void Xor(std::uint8_t* data, const std::uint8_t* key, std::size_t n) noexcept;

bool Supported(Path path) noexcept;
std::vector<Path> SupportedPaths();
const char* Name(Path path) noexcept;

} // namespace xorkernels

#pragma once

// XOR of a byte array with keystream bytes, in the implementations the processor allows: the hot loop
// of clsRC4. A plain byte loop is not vectorised by g++ at -O2, so the x86 versions use intrinsics.
// Internal to crypto/; exposed for the tests and benchmarks that compare and time the paths.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace xorkernels {

enum class Path { Portable, Sse2, Avx2 };

// out[i] = in[i] ^ key[i] for i < n, with the given implementation; only call with a supported path. out
// and in are the same array or do not overlap; key overlaps neither.
void Xor(Path path, std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key,
         std::size_t n) noexcept;
// The same with the fastest supported implementation, chosen once.
void Xor(std::uint8_t* out, const std::uint8_t* in, const std::uint8_t* key, std::size_t n) noexcept;

// In place: data[i] ^= key[i].
inline void Xor(Path path, std::uint8_t* data, const std::uint8_t* key, std::size_t n) noexcept {
    Xor(path, data, data, key, n);
}
inline void Xor(std::uint8_t* data, const std::uint8_t* key, std::size_t n) noexcept {
    Xor(data, data, key, n);
}

bool Supported(Path path) noexcept;
std::vector<Path> SupportedPaths();
const char* Name(Path path) noexcept;

} // namespace xorkernels

// The processor-specific CRC-32 and XOR implementations against the portable ones. The vector paths
// have head, body and tail loops whose bounds depend on where the array starts, so every path sees the
// input at a fuzzed alignment (0 to 63 bytes past a cache line; one per input rather than all 64 keeps
// the target fast enough to try millions), the CRC in two updates split at a fuzzed point, and the XOR
// in place and out of place with fuzzed alignments of all three arrays. Bytes around the output must
// stay as they were: a write past the end lands inside the buffer, where the address checks cannot
// see it.

#include "crypto/crc32_update.h"
#include "crypto/xor_kernels.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t Alignments = 64; // a cache line: beyond every vector width in use
constexpr std::uint8_t Guard = 0xA5;

// Where the CRC's input is split in two, and where each array starts past an aligned address.
struct Plan {
    std::size_t split, crcOffset;
    std::size_t outOffset, inOffset, keyOffset;
};

std::uint32_t Update(crc32::Path path, std::uint32_t reg, const std::uint8_t* data, std::size_t n) {
    switch (path) {
    case crc32::Path::Portable:
        return crc32::UpdatePortable(reg, data, n);
    case crc32::Path::Pclmul:
        return crc32::UpdatePclmul(reg, data, n);
    case crc32::Path::Vpclmul:
        return crc32::UpdateVpclmul(reg, data, n);
    }
    std::abort();
}

void CheckCrc(const std::uint8_t* data, std::size_t n, std::uint32_t reg, std::size_t split,
              std::size_t offset) {
    const std::uint32_t expected = crc32::UpdatePortable(reg, data, n);
    if (crc32::Update(reg, data, n) != expected)
        std::abort();
    std::vector<std::uint8_t> buffer(Alignments + n);
    std::uint8_t* copy = buffer.data() + offset;
    std::memcpy(copy, data, n);
    static const std::vector<crc32::Path> paths = crc32::SupportedPaths();
    for (const crc32::Path path : paths)
        if (Update(path, Update(path, reg, copy, split), copy + split, n - split) != expected)
            std::abort();
}

// Whether the bytes of the buffer before offset and from offset + n on still hold the guard value.
bool Untouched(const std::vector<std::uint8_t>& buffer, std::size_t offset, std::size_t n) {
    static const std::vector<std::uint8_t> guards(2 * Alignments, Guard);
    const std::size_t after = buffer.size() - offset - n;
    return std::memcmp(buffer.data(), guards.data(), offset) == 0 &&
           std::memcmp(buffer.data() + offset + n, guards.data(), after) == 0;
}

void CheckXor(const std::uint8_t* data, std::size_t n, const Plan& plan) {
    // The key is the data read backwards, so that it differs from the input.
    std::vector<std::uint8_t> keyBuffer(Alignments + n), inBuffer(Alignments + n);
    std::uint8_t* key = keyBuffer.data() + plan.keyOffset;
    std::uint8_t* in = inBuffer.data() + plan.inOffset;
    for (std::size_t i = 0; i < n; ++i)
        key[i] = data[n - 1 - i];
    std::memcpy(in, data, n);
    std::vector<std::uint8_t> expected(n);
    for (std::size_t i = 0; i < n; ++i)
        expected[i] = data[i] ^ key[i];

    std::vector<std::uint8_t> outBuffer(2 * Alignments + n);
    static const std::vector<xorkernels::Path> paths = xorkernels::SupportedPaths();
    for (const xorkernels::Path path : paths) {
        // Out of place, the input left as it was.
        std::fill(outBuffer.begin(), outBuffer.end(), Guard);
        std::uint8_t* out = outBuffer.data() + plan.outOffset;
        xorkernels::Xor(path, out, in, key, n);
        if (!std::equal(out, out + n, expected.begin()) || !std::equal(in, in + n, data))
            std::abort();
        if (!Untouched(outBuffer, plan.outOffset, n))
            std::abort();

        // In place, at the output's alignment.
        std::fill(outBuffer.begin(), outBuffer.end(), Guard);
        std::memcpy(out, data, n);
        xorkernels::Xor(path, out, key, n);
        if (!std::equal(out, out + n, expected.begin()))
            std::abort();
        if (!Untouched(outBuffer, plan.outOffset, n))
            std::abort();
    }
    std::vector<std::uint8_t> chosen(n);
    xorkernels::Xor(chosen.data(), in, key, n);
    if (chosen != expected)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* input, std::size_t size) {
    if (size < 4)
        return 0;
    // Four bytes choose the CRC's starting register, the split and the XOR's alignments; the rest is
    // the data.
    const std::uint8_t* data = input + 4;
    const std::size_t n = size - 4;
    const std::uint32_t reg = static_cast<std::uint32_t>(input[0]) * 0x01010101u ^ input[1] << 8;
    const Plan plan{(static_cast<std::size_t>(input[1]) << 8 | input[2]) % (n + 1),
                    (input[0] + input[3]) % Alignments, input[3] % Alignments,
                    (input[3] / 4 + input[0]) % Alignments, (input[2] + input[1]) % Alignments};
    CheckCrc(data, n, reg, plan.split, plan.crcOffset);
    CheckXor(data, n, plan);
    return 0;
}

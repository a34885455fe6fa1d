#include "crypto/xor_kernels.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Every XOR path against the byte-by-byte definition on many lengths and on all alignments of both
// arrays (the cipher XORs the caller's array, at any address, with its own keystream buffer).
TEST(XorKernels, AllPathsAgreeWithTheDefinition) {
    const auto paths = xorkernels::SupportedPaths();
    ASSERT_FALSE(paths.empty());
    const auto plain = RandomBytes(5000 + 64, 1);
    const auto key = RandomBytes(5000 + 64, 2);
    std::mt19937 gen(3);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 300; ++n)
        lengths.push_back(n);
    for (int i = 0; i < 200; ++i)
        lengths.push_back(gen() % 5001);
    for (std::size_t n : lengths) {
        const std::size_t dataOffset = gen() % 64, keyOffset = gen() % 64;
        std::vector<std::uint8_t> expected(plain.begin(), plain.end());
        for (std::size_t i = 0; i < n; ++i)
            expected[dataOffset + i] ^= key[keyOffset + i];
        for (auto path : paths) {
            std::vector<std::uint8_t> data(plain.begin(), plain.end());
            xorkernels::Xor(path, data.data() + dataOffset, key.data() + keyOffset, n);
            ASSERT_EQ(data, expected) << xorkernels::Name(path) << " n=" << n; // nothing outside touched
        }
        std::vector<std::uint8_t> data(plain.begin(), plain.end());
        xorkernels::Xor(data.data() + dataOffset, key.data() + keyOffset, n);
        ASSERT_EQ(data, expected);
        // Into a separate array: the same bytes there, the source untouched.
        for (auto path : paths) {
            std::vector<std::uint8_t> out(plain.begin(), plain.end());
            xorkernels::Xor(path, out.data() + dataOffset, key.data() + dataOffset + 1,
                            key.data() + keyOffset, n);
            std::vector<std::uint8_t> expectedOut(plain.begin(), plain.end());
            for (std::size_t i = 0; i < n; ++i)
                expectedOut[dataOffset + i] = key[dataOffset + 1 + i] ^ key[keyOffset + i];
            ASSERT_EQ(out, expectedOut) << xorkernels::Name(path) << " n=" << n;
        }
    }
}

TEST(XorKernels, InPlaceWithItselfGivesZeros) {
    for (auto path : xorkernels::SupportedPaths()) {
        auto data = RandomBytes(1000, 4);
        xorkernels::Xor(path, data.data(), data.data(), data.size());
        EXPECT_EQ(data, std::vector<std::uint8_t>(1000, 0)) << xorkernels::Name(path);
    }
}

} // namespace

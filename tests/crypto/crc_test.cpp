#include "crypto/clsCRC.h"
#include "crypto/crc32_update.h"
#include "host/fault_injection.h"
#include "host/file_error.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// The CRC-32 register update bit by bit, straight from the definition (reflected polynomial 0xEDB88320).
std::uint32_t BitwiseUpdate(std::uint32_t reg, const std::uint8_t* data, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        reg ^= data[i];
        for (int bit = 0; bit < 8; ++bit)
            reg = (reg & 1u) ? (reg >> 1) ^ 0xEDB88320u : reg >> 1;
    }
    return reg;
}

std::uint32_t Crc32(const Bytes& data) {
    return ~BitwiseUpdate(0xFFFFFFFFu, data.data(), data.size());
}

std::string Hex(std::uint32_t crc) {
    return clsCRC::ChecksumText(static_cast<std::int32_t>(crc));
}

Bytes Digits() {
    return Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'};
}

TEST(Crc32, CheckValueOfTheCatalogue) {
    // CRC-32/ISO-HDLC check value (the CRC of the ASCII digits 1 to 9) is CBF43926.
    clsCRC crc;
    EXPECT_EQ(crc.value(), 0);
    EXPECT_EQ(crc.AddBytes(Digits()), -873187034);
    EXPECT_EQ(crc.value(), -873187034);
    EXPECT_EQ(clsCRC::ChecksumText(crc.value()), "CBF43926");
}

TEST(Crc32, EmptyArrayLeavesTheRegister) {
    clsCRC crc;
    crc.AddBytes(Digits());
    EXPECT_EQ(crc.AddBytes(Bytes{}), -873187034);
    EXPECT_EQ(crc.CalculateBytes(Bytes{}), -873187034);
}

TEST(Crc32, ValueWriteStoresTheRegisterUncomplemented) {
    clsCRC crc;
    crc.value(0x12345678);
    EXPECT_EQ(crc.value(), ~0x12345678);
    // Further bytes continue from the written register.
    const Bytes data = RandomBytes(100, 1);
    EXPECT_EQ(static_cast<std::uint32_t>(crc.AddBytes(data)),
              ~BitwiseUpdate(0x12345678u, data.data(), data.size()));

    crc.value(-1);
    EXPECT_EQ(crc.value(), 0);
    crc.value(INT32_MIN);
    EXPECT_EQ(crc.value(), INT32_MAX);
    crc.value(0);
    EXPECT_EQ(crc.value(), -1);

    // Outside the signed 32-bit range: an overflow, and the register keeps its content.
    crc.value(77);
    EXPECT_THROW(crc.value(std::int64_t{INT32_MAX} + 1), std::overflow_error);
    EXPECT_THROW(crc.value(std::int64_t{INT32_MIN} - 1), std::overflow_error);
    EXPECT_THROW(crc.value(0xFFFFFFFFll), std::overflow_error);
    EXPECT_EQ(crc.value(), ~77);

    crc.Clear();
    EXPECT_EQ(crc.value(), 0);
}

TEST(Crc32, PiecesGiveTheSameAsTheWhole) {
    const Bytes data = RandomBytes(300, 2);
    clsCRC whole;
    const std::int32_t expected = whole.AddBytes(data);
    EXPECT_EQ(static_cast<std::uint32_t>(expected), Crc32(data));
    for (std::size_t split = 0; split <= data.size(); ++split) {
        clsCRC crc;
        crc.CalculateBytes(std::span(data.data(), split));
        EXPECT_EQ(crc.CalculateBytes(std::span(data.data() + split, data.size() - split)), expected) << split;
    }
}

TEST(Crc32, ChecksumTextIsEightUpperCaseDigits) {
    EXPECT_EQ(clsCRC::ChecksumText(0xABCD), "0000ABCD");
    EXPECT_EQ(clsCRC::ChecksumText(0), "00000000");
    EXPECT_EQ(clsCRC::ChecksumText(-1), "FFFFFFFF");
    EXPECT_EQ(clsCRC::ChecksumText(-873187034), "CBF43926");
    EXPECT_EQ(clsCRC::ChecksumText(INT32_MIN), "80000000");
}

// Every implementation against the definition and against each other, on many lengths, alignments and
// starting registers.
TEST(Crc32, AllPathsAgreeWithTheDefinition) {
    const auto paths = crc32::SupportedPaths();
    ASSERT_FALSE(paths.empty());
    const auto update = [](crc32::Path path, std::uint32_t reg, const std::uint8_t* p, std::size_t n) {
        switch (path) {
        case crc32::Path::Portable:
            return crc32::UpdatePortable(reg, p, n);
        case crc32::Path::Pclmul:
            return crc32::UpdatePclmul(reg, p, n);
        case crc32::Path::Vpclmul:
            return crc32::UpdateVpclmul(reg, p, n);
        }
        return 0u;
    };

    const Bytes buffer = RandomBytes(10000 + 64, 3);
    std::mt19937 gen(4);
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 1100; ++n) // every length across the block sizes of all paths
        lengths.push_back(n);
    for (int i = 0; i < 400; ++i)
        lengths.push_back(gen() % 10001);
    for (std::size_t n : lengths) {
        const std::size_t offset = gen() % 64;
        const std::uint32_t reg = (n % 3 == 0) ? 0xFFFFFFFFu : static_cast<std::uint32_t>(gen());
        const std::uint32_t expected = BitwiseUpdate(reg, buffer.data() + offset, n);
        for (crc32::Path path : paths)
            ASSERT_EQ(update(path, reg, buffer.data() + offset, n), expected)
                << crc32::Name(path) << " n=" << n << " offset=" << offset;
        ASSERT_EQ(crc32::Update(reg, buffer.data() + offset, n), expected);
    }

    // Every alignment of one mid-sized length.
    for (std::size_t offset = 0; offset < 64; ++offset) {
        const std::uint32_t expected = BitwiseUpdate(0xFFFFFFFFu, buffer.data() + offset, 5000);
        for (crc32::Path path : paths)
            ASSERT_EQ(update(path, 0xFFFFFFFFu, buffer.data() + offset, 5000), expected) << crc32::Name(path);
    }

    // Large buffers.
    const Bytes big = RandomBytes((5u << 20) + 123, 5);
    for (std::size_t n : {std::size_t{1} << 20, big.size(), big.size() - 1}) {
        const std::uint32_t expected = BitwiseUpdate(0xFFFFFFFFu, big.data() + 1, n - 1);
        for (crc32::Path path : paths)
            EXPECT_EQ(update(path, 0xFFFFFFFFu, big.data() + 1, n - 1), expected) << crc32::Name(path) << n;
    }
}

TEST(Crc32, PathsReportTheirNames) {
    EXPECT_STREQ(crc32::Name(crc32::Path::Portable), "portable");
    EXPECT_TRUE(crc32::Supported(crc32::Path::Portable));
    for (crc32::Path path : crc32::SupportedPaths())
        EXPECT_TRUE(crc32::Supported(path));
}

class CrcFile : public ::testing::Test {
protected:
    void TearDown() override { host::faults::Reset(); }

    std::string Make(const std::string& name, const Bytes& bytes) {
        const std::string path = dir_.File(name);
        WriteBytes(path, bytes);
        return path;
    }

    TempDir dir_;
};

TEST_F(CrcFile, NineDigits) {
    clsCRC crc;
    EXPECT_EQ(crc.CalculateFile(Make("digits", Digits())), "CBF43926");
}

TEST_F(CrcFile, BlockBoundaries) {
    // The checksum was once read in 4096-byte blocks until at most 4097 bytes remained; this implementation
    // reads larger chunks, so the lengths around both sizes (4096 and 1 MiB) are checked against the plain
    // CRC.
    for (std::size_t n : {2u, 3u, 4095u, 4096u, 4097u, 4098u, 8192u, 8193u, 8194u, (1u << 20) - 1, 1u << 20,
                          (1u << 20) + 1, (3u << 20) + 4097}) {
        const Bytes data = RandomBytes(n, static_cast<std::uint32_t>(n));
        clsCRC crc;
        int yields = 0;
        crc.SetYield([&] { ++yields; });
        EXPECT_EQ(crc.CalculateFile(Make(std::string("f").append(std::to_string(n)), data)), Hex(Crc32(data)))
            << n;
        EXPECT_EQ(static_cast<std::uint32_t>(crc.value()), Crc32(data)) << n;
        EXPECT_EQ(yields, static_cast<int>((n + (1u << 20) - 1) >> 20)) << n; // once per chunk read
    }
}

TEST_F(CrcFile, EmptyFileIsNotOpened) {
    const std::string path = Make("empty", {});
    clsCRC crc;
    host::faults::FailOperation(host::faults::Operation::OpenInput, path, 1, host::faults::Fault::IoError);
    EXPECT_EQ(crc.CalculateFile(path), "00000000");
    EXPECT_EQ(host::faults::OperationCount(), 1u); // the length only
    EXPECT_EQ(crc.value(), 0);
}

TEST_F(CrcFile, OneByteFileIsNotReadAndLeavesTheRegister) {
    const std::string path = Make("one", {0x41});
    clsCRC crc;
    crc.AddBytes(Digits());
    host::faults::FailOperation(host::faults::Operation::Read, path, 1, host::faults::Fault::IoError);
    EXPECT_EQ(crc.CalculateFile(path), "00000000");
    EXPECT_EQ(crc.value(), -873187034);
}

TEST_F(CrcFile, TwoFilesWithoutClearAccumulate) {
    const Bytes a = RandomBytes(5000, 6), b = RandomBytes(70000, 7);
    Bytes both = a;
    both.insert(both.end(), b.begin(), b.end());
    clsCRC crc;
    EXPECT_EQ(crc.CalculateFile(Make("a", a)), Hex(Crc32(a)));
    EXPECT_EQ(crc.CalculateFile(Make("b", b)), Hex(Crc32(both)));
    crc.Clear();
    EXPECT_EQ(crc.CalculateFile(Make("b2", b)), Hex(Crc32(b)));
}

TEST_F(CrcFile, MissingFileThrows) {
    clsCRC crc;
    EXPECT_THROW(crc.CalculateFile(dir_.File("does not exist")), host::FileError);
    EXPECT_EQ(crc.value(), 0);
}

TEST_F(CrcFile, ReadFailureKeepsTheChunksAddedBefore) {
    const Bytes data = RandomBytes((2u << 20) + 10, 8);
    const std::string path = Make("big", data);
    clsCRC crc;
    host::faults::FailOperation(host::faults::Operation::Read, path, 2, host::faults::Fault::IoError);
    EXPECT_THROW(crc.CalculateFile(path), host::FileError);
    EXPECT_EQ(static_cast<std::uint32_t>(crc.value()), ~BitwiseUpdate(0xFFFFFFFFu, data.data(), 1u << 20));
}

} // namespace

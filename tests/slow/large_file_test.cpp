// A sparse file just over 4 GiB through both batches: lengths and positions must not wrap at 2 or 4 GiB.
// Labelled "slow"; run it with: ctest --test-dir build -L slow --output-on-failure

#include "support/recording_window.h"
#include "support/temp_dir.h"

#include "core/batches.h"
#include "crypto/clsCRC.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t Size = (4ull << 30) + 100001;

TEST(LargeFile, SparseFileOver4GiBRoundTrips) {
    TempDir dir;
    const std::string plain = dir.File("big.bin");
    {
        std::ofstream out(plain, std::ios::binary);
        // Marks near the 2 GiB and 4 GiB boundaries and at the very end, zeros (holes) elsewhere.
        for (const std::uint64_t at :
             {std::uint64_t{0}, std::uint64_t{(2ull << 30) - 3}, std::uint64_t{(4ull << 30) - 2}, Size - 5}) {
            out.seekp(static_cast<std::streamoff>(at));
            out.write("Tessa", 5);
        }
    }
    ASSERT_EQ(std::filesystem::file_size(plain), Size);

    clsCRC crc;
    const std::string expected = crc.CalculateFile(plain);

    RecordingWindow window;
    window.password[0] = window.password[1] = window.password[2] = "gross";
    window.list[0] = {plain};
    window.list[1] = {plain + ".rc4"};
    cmdEnc_Click(window);
    ASSERT_TRUE(window.warnings.empty()) << window.warnings.front();
    EXPECT_EQ(std::filesystem::file_size(plain + ".rc4"), Size + 31);
    std::filesystem::remove(plain); // room on the disk for the restored copy

    cmdDec_Click(window);
    ASSERT_TRUE(window.warnings.empty()) << window.warnings.front();
    const std::string restored = dir.File("big-dec.bin");
    EXPECT_EQ(std::filesystem::file_size(restored), Size);
    crc.Clear();
    EXPECT_EQ(crc.CalculateFile(restored), expected);
}

} // namespace

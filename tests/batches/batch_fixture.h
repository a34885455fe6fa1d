#pragma once

#include "support/recording_window.h"
#include "support/temp_dir.h"

#include "core/batches.h"
#include "core/container.h"

#include <gtest/gtest.h>

// A temporary folder and a recording window with one password set on both sides.
class BatchTest : public ::testing::Test {
protected:
    static constexpr const char* Password = "Geheim 123";

    BatchTest() { window.password[0] = window.password[1] = window.password[2] = Password; }

    // Writes a plain file of n pseudo-random bytes and lists it for encryption.
    std::string AddPlain(const std::string& name, std::size_t n, std::uint32_t seed = 1) {
        const std::string path = dir.File(name);
        WriteBytes(path, RandomBytes(n, seed));
        window.list[0].push_back(path);
        return path;
    }

    // Writes a container of the given plain bytes (made in memory) and lists it for decryption.
    std::string AddContainer(const std::string& name, const std::vector<std::uint8_t>& plain,
                             const std::string& password = Password) {
        const std::string path = dir.File(name);
        WriteBytes(path, container::MakeContainer(plain, password));
        window.list[1].push_back(path);
        return path;
    }

    bool Exists(const std::string& name) const { return ::Exists(dir.File(name)); }

    void ExpectIdle() const {
        EXPECT_EQ(window.caption[0], "RC4 Encrypt");
        EXPECT_EQ(window.caption[1], "RC4 Decrypt");
        EXPECT_FALSE(window.WaitPointer());
        EXPECT_FALSE(window.RunningBatch());
    }

    TempDir dir;
    RecordingWindow window;
};

#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Full path of a name inside the folder, as a UTF-8 text.
    std::string File(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// A path from UTF-8 text, and back; on Windows the narrow forms of std::filesystem use the ANSI code page.
std::filesystem::path PathFromUtf8(const std::string& text);
std::string Utf8FromPath(const std::filesystem::path& path);

std::vector<std::uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);
// Deterministic pseudo-random bytes.
std::vector<std::uint8_t> RandomBytes(std::size_t n, std::uint32_t seed);

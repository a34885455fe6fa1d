#pragma once

// The files a test sets up and looks at. Two implementations, chosen when a test program is linked:
// temp_dir.cpp works on the system's disk, temp_dir_memory.cpp on the in-memory disk of
// host/memory_disk.h, for programs linked with the in-memory file layer. Paths are UTF-8 texts; every
// failure throws.

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

// A fresh folder under the temporary folder, removed with everything in it at the end. On the in-memory
// disk, one made while no other exists starts on a fresh disk: each test starts on one.
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
inline std::filesystem::path PathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

// Deterministic pseudo-random bytes.
inline std::vector<std::uint8_t> RandomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 gen(seed);
    std::vector<std::uint8_t> bytes(n);
    for (auto& b : bytes)
        b = static_cast<std::uint8_t>(gen());
    return bytes;
}

std::vector<std::uint8_t> ReadBytes(const std::string& path);
// Writes the file anew with these bytes (an existing file keeps its identity).
void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

// Whether something stands at the path (links followed), and whether it is an ordinary file.
bool Exists(const std::string& path);
bool IsFile(const std::string& path);
// Whether a symbolic link stands at the path itself.
bool IsLink(const std::string& path);
// The names in a folder, "." and ".." left out.
std::vector<std::string> Names(const std::string& folder);

void MakeFolder(const std::string& path);
// A symbolic link at path that leads to target (a file or a folder).
void MakeLink(const std::string& target, const std::string& path);
// A second name of the file at existing.
void MakeHardLink(const std::string& existing, const std::string& path);
#ifndef _WIN32
void MakeFifo(const std::string& path);
#endif
// Removes a file, a link (not what it leads to) or an empty folder; nothing there is no failure.
void Remove(const std::string& path);
// Renames what stands at from (a link itself, not its target).
void Rename(const std::string& from, const std::string& to);
// The permission bits (0777) of what the path leads to, and setting them.
std::uint32_t Permissions(const std::string& path);
void SetPermissions(const std::string& path, std::uint32_t permissions);

// How many files the test program holds open now (on Windows, where this cannot be counted, 0).
std::size_t OpenFileCount();

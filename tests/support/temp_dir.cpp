#include "support/temp_dir.h"

#include <fstream>
#include <stdexcept>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device rd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate = fs::temp_directory_path() / ("tessarin-test-" + std::to_string(rd()));
        if (fs::create_directory(candidate)) {
            path_ = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() {
    std::error_code ec;
    // Tests may leave read-only files or folders behind; make them removable first.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::end(it); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

bool Exists(const std::string& path) {
    return fs::exists(PathFromUtf8(path));
}

bool IsFile(const std::string& path) {
    return fs::is_regular_file(PathFromUtf8(path));
}

bool IsLink(const std::string& path) {
    return fs::is_symlink(PathFromUtf8(path));
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(PathFromUtf8(folder)))
        names.push_back(Utf8FromPath(entry.path().filename()));
    return names;
}

void MakeFolder(const std::string& path) {
    if (!fs::create_directory(PathFromUtf8(path)))
        throw std::runtime_error("cannot create the folder " + path);
}

void MakeLink(const std::string& target, const std::string& path) {
    if (fs::is_directory(PathFromUtf8(target)))
        fs::create_directory_symlink(PathFromUtf8(target), PathFromUtf8(path));
    else
        fs::create_symlink(PathFromUtf8(target), PathFromUtf8(path));
}

void MakeHardLink(const std::string& existing, const std::string& path) {
    fs::create_hard_link(PathFromUtf8(existing), PathFromUtf8(path));
}

#ifndef _WIN32
void MakeFifo(const std::string& path) {
    if (::mkfifo(path.c_str(), 0600) != 0)
        throw std::runtime_error("cannot create the FIFO " + path);
}
#endif

void Remove(const std::string& path) {
    fs::remove(PathFromUtf8(path));
}

void Rename(const std::string& from, const std::string& to) {
    fs::rename(PathFromUtf8(from), PathFromUtf8(to));
}

std::uint32_t Permissions(const std::string& path) {
    return static_cast<std::uint32_t>(fs::status(PathFromUtf8(path)).permissions() & fs::perms::mask);
}

void SetPermissions(const std::string& path, std::uint32_t permissions) {
    fs::permissions(PathFromUtf8(path), static_cast<fs::perms>(permissions) & fs::perms::mask);
}

std::size_t OpenFileCount() {
    std::size_t n = 0;
#ifndef _WIN32
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator("/proc/self/fd"))
        ++n;
#endif
    return n;
}

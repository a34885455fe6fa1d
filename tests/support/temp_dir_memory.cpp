// The test files on the in-memory disk, for test programs linked with the in-memory file layer. What is
// set up here counts as durable at once and is not counted for the fault seam, as files a test prepares
// on the system's disk are not either.

#include "support/temp_dir.h"

#include "host/memory_disk.h"

namespace memory = host::memory;

namespace {

int liveFolders = 0; // the test's temporary folders that exist now
int foldersMade = 0; // for each a name of its own

} // namespace

TempDir::TempDir() {
    if (liveFolders == 0) {
        // A test starts on an empty disk, with the one device the tests link to.
        memory::Reset();
        memory::MakeFolder("/dev");
        memory::MakeSpecial("/dev/null");
    }
    path_ = "/tmp/tessarin-test-" + std::to_string(++foldersMade);
    memory::MakeFolder(path_.string());
    ++liveFolders;
}

TempDir::~TempDir() {
    memory::Remove(path_.string());
    --liveFolders;
}

std::string TempDir::File(const std::string& name) const {
    return Utf8FromPath(path_ / PathFromUtf8(name));
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    return memory::ReadFile(path);
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    memory::WriteFile(path, bytes);
}

bool Exists(const std::string& path) {
    return memory::Kind(path, true) != host::EntryKind::None;
}

bool IsFile(const std::string& path) {
    return memory::Kind(path, true) == host::EntryKind::File;
}

bool IsLink(const std::string& path) {
    return memory::Kind(path) == host::EntryKind::Link;
}

std::vector<std::string> Names(const std::string& folder) {
    return memory::Entries(folder);
}

void MakeFolder(const std::string& path) {
    memory::MakeFolder(path);
}

void MakeLink(const std::string& target, const std::string& path) {
    memory::MakeLink(target, path);
}

void MakeHardLink(const std::string& existing, const std::string& path) {
    memory::MakeHardLink(existing, path);
}

void MakeFifo(const std::string& path) {
    memory::MakeSpecial(path);
}

void Remove(const std::string& path) {
    memory::Remove(path);
}

void Rename(const std::string& from, const std::string& to) {
    memory::Rename(from, to);
}

std::uint32_t Permissions(const std::string& path) {
    return memory::Permissions(path);
}

void SetPermissions(const std::string& path, std::uint32_t permissions) {
    memory::SetPermissions(path, permissions);
}

std::size_t OpenFileCount() {
    return memory::OpenHandles();
}

// The file services over a disk held in memory, for tests and fuzzers: the same interface, errors and
// reasons as the system's POSIX layer, the same operations counted for the fault seam, and no system call
// on the way, so a batch runs in microseconds and anything a test sets up or breaks is exact. The errors
// are the error numbers the system gives in each case, turned into FileErrors by the same table.

#include "host/errno_reasons.h"
#include "host/fault_injection.h"
#include "host/files.h"
#include "host/memory_disk.h"
#include "host/posix_paths.h"
#include "host/system_reasons.h"
#include "host/temporary_name.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

struct Node;
using NodePtr = std::shared_ptr<Node>;

struct Node {
    EntryKind kind = EntryKind::File;
    std::uint64_t id = 0;
    std::uint32_t mode = 0644;
    std::uint64_t links = 0;                                // names the node has in folders
    std::int64_t modified = 0;                              // the disk's clock at the last change of the data
    std::vector<std::uint8_t> data, durable;                // a file: its bytes, and those flushed
    std::string target;                                     // a link
    std::map<std::string, NodePtr> entries, durableEntries; // a folder: its names, and those flushed
    std::weak_ptr<Node> parent;                             // a folder: the one holding it
};

// The identity's volume: one disk, one volume.
constexpr std::uint64_t Volume = 0x6d656d;
constexpr std::size_t MaxNameBytes = 255;
// The longest path the system takes, its closing zero byte included.
constexpr std::size_t MaxPathBytes = 4096;
constexpr int MaxLinks = 40;

struct Disk {
    NodePtr root;
    std::vector<std::string> currentFolder; // its path from the root, one name a part
    std::uint64_t nextId = 1;
    std::int64_t clock = 0;
    std::vector<NodePtr> open; // what the handles hold, by handle; released slots are empty
    std::vector<std::uint8_t> standardOutput;
    std::optional<FileIdentity> standardOutputIdentity;
    std::vector<OutputFile*> outputsInProgress;
};

Disk& TheDisk();

NodePtr NewNode(EntryKind kind, std::uint32_t mode) {
    Disk& disk = TheDisk();
    auto node = std::make_shared<Node>();
    node->kind = kind;
    node->id = disk.nextId++;
    node->mode = mode & 0777;
    node->modified = ++disk.clock;
    return node;
}

void FreshDisk(Disk& disk) {
    disk = Disk{};
    disk.root = NewNode(EntryKind::Folder, 0755);
    disk.root->parent = disk.root;
    disk.root->links = 1;
    auto tmp = NewNode(EntryKind::Folder, 0777);
    tmp->parent = disk.root;
    tmp->links = 1;
    disk.root->entries["tmp"] = disk.root->durableEntries["tmp"] = tmp;
}

Disk& TheDisk() {
    static Disk disk;
    static bool made = false;
    if (!made) {
        made = true;
        FreshDisk(disk);
    }
    return disk;
}

// Permission bits are checked only where the system checks them: not for a privileged process.
bool Privileged() {
    static const bool privileged = ::geteuid() == 0;
    return privileged;
}

bool MayRead(const Node& node) {
    return Privileged() || (node.mode & 0400) != 0;
}

// Names are looked up in a folder with its search (execute) permission, and created, removed or renamed
// with write and search permission.
bool MaySearch(const Node& folder) {
    return Privileged() || (folder.mode & 0100) != 0;
}

bool MayChange(const Node& folder) {
    return Privileged() || (folder.mode & 0300) == 0300;
}

std::uint32_t Umask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<std::uint32_t>(mask);
}

std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= path.size()) {
        const std::size_t cut = std::min(path.find('/', from), path.size());
        if (cut > from)
            parts.push_back(path.substr(from, cut - from));
        from = cut + 1;
    }
    return parts;
}

// Where a path leads: the folder that holds its last part, that part's name, and what stands there
// (nothing for a free name). A path that ends in the folder itself ("/", "a/..") has no folder or name.
struct Found {
    NodePtr folder;
    std::string name;
    NodePtr node;
    std::vector<std::string> canonical; // the path from the root with every link resolved
};

// Resolves path from start (absolute paths from the root); 0 or the error number. start's own path is
// given as startPath, so the canonical path is known where that matters.
int Resolve(const std::string& path, bool followLast, Found& found, NodePtr start = nullptr,
            std::vector<std::string> startPath = {}) {
    Disk& disk = TheDisk();
    if (path.empty())
        return ENOENT;
    if (path.size() >= MaxPathBytes)
        return ENAMETOOLONG;
    std::vector<NodePtr> folders;
    std::vector<std::string> names;
    auto restart = [&] {
        folders = {disk.root};
        names.clear();
    };
    if (path.front() == '/') {
        restart();
    } else if (start) {
        folders = {start};
        names = std::move(startPath);
    } else {
        restart();
        for (const std::string& part : disk.currentFolder) {
            const auto it = folders.back()->entries.find(part);
            if (it == folders.back()->entries.end() || it->second->kind != EntryKind::Folder)
                return ENOENT;
            folders.push_back(it->second);
            names.push_back(part);
        }
    }
    std::deque<std::string> parts;
    for (std::string& part : Parts(path))
        parts.push_back(std::move(part));
    const bool mustBeFolder = path.back() == '/';
    int links = 0;
    while (!parts.empty()) {
        const std::string part = std::move(parts.front());
        parts.pop_front();
        const bool last = parts.empty();
        if (part == ".")
            continue;
        if (part == "..") {
            if (folders.size() > 1) {
                folders.pop_back();
                names.pop_back();
            } else if (NodePtr parent = folders.back()->parent.lock()) {
                folders.back() = parent;
                if (!names.empty())
                    names.pop_back();
            } else {
                return ENOENT;
            }
            continue;
        }
        if (part.size() > MaxNameBytes)
            return ENAMETOOLONG;
        const NodePtr& folder = folders.back();
        if (!MaySearch(*folder))
            return EACCES;
        const auto it = folder->entries.find(part);
        if (it == folder->entries.end()) {
            if (!last)
                return ENOENT;
            found = {folder, part, nullptr, names};
            found.canonical.push_back(part);
            return 0;
        }
        const NodePtr node = it->second;
        if (node->kind == EntryKind::Link && (!last || followLast || mustBeFolder)) {
            if (++links > MaxLinks)
                return ELOOP;
            if (node->target.empty())
                return ENOENT;
            if (node->target.front() == '/')
                restart();
            const auto target = Parts(node->target);
            parts.insert(parts.begin(), target.begin(), target.end());
            if (parts.empty()) // a link to "/"
                break;
            continue;
        }
        if (last) {
            if (mustBeFolder && node->kind != EntryKind::Folder)
                return ENOTDIR;
            found = {folder, part, node, names};
            found.canonical.push_back(part);
            return 0;
        }
        if (node->kind != EntryKind::Folder)
            return ENOTDIR;
        folders.push_back(node);
        names.push_back(part);
    }
    found = {nullptr, "", folders.back(), names};
    return 0;
}

// What stands at path; throws naming shown (the path itself unless given).
NodePtr Existing(const std::string& path, bool follow, const std::string& shown = {}) {
    Found found;
    int error = Resolve(path, follow, found);
    if (error == 0 && !found.node)
        error = ENOENT;
    if (error != 0)
        ThrowErrno(shown.empty() ? path : shown, error);
    return found.node;
}

std::intptr_t Hold(NodePtr node) {
    auto& open = TheDisk().open;
    const auto free = std::find(open.begin(), open.end(), nullptr);
    if (free != open.end()) {
        *free = std::move(node);
        return free - open.begin();
    }
    open.push_back(std::move(node));
    return static_cast<std::intptr_t>(open.size() - 1);
}

const NodePtr& Held(std::intptr_t handle) {
    static const NodePtr none;
    const auto& open = TheDisk().open;
    return handle >= 0 && static_cast<std::size_t>(handle) < open.size() ? open[handle] : none;
}

// What an open handle holds; a closed one fails as a closed descriptor does.
Node& Open(std::intptr_t handle, const std::string& path) {
    const NodePtr& node = Held(handle);
    if (!node)
        ThrowErrno(path, EBADF);
    return *node;
}

void Release(std::intptr_t handle) {
    auto& open = TheDisk().open;
    if (handle >= 0 && static_cast<std::size_t>(handle) < open.size())
        open[handle] = nullptr;
}

FileIdentity IdentityOf(const Node& node) {
    return {Volume, node.id};
}

std::int64_t LengthOf(const Node& node) {
    switch (node.kind) {
    case EntryKind::File:
        return static_cast<std::int64_t>(node.data.size());
    case EntryKind::Link:
        return static_cast<std::int64_t>(node.target.size());
    case EntryKind::Folder:
        return 4096;
    default:
        return 0;
    }
}

[[noreturn]] void ThrowNotOrdinary(const std::string& path, const Node& node) {
    throw FileError(FileErrorKind::Other, path,
                    node.kind == EntryKind::Folder ? reasons::IsFolder : reasons::NotOrdinary);
}

// The entry called name in folder, as fstatat without following a link sees it; nullptr for none.
NodePtr LookAt(const NodePtr& folder, const std::string& name, int& error) {
    error = 0;
    if (name.empty()) {
        error = ENOENT;
        return nullptr;
    }
    if (!MaySearch(*folder)) {
        error = EACCES;
        return nullptr;
    }
    if (name == ".")
        return folder;
    if (name == "..")
        return folder->parent.lock();
    if (name.size() > MaxNameBytes) {
        error = ENAMETOOLONG;
        return nullptr;
    }
    const auto it = folder->entries.find(name);
    if (it == folder->entries.end()) {
        error = ENOENT;
        return nullptr;
    }
    return it->second;
}

// Takes the entry from a folder's names (the node lives on while held elsewhere).
void Unlink(Node& folder, const std::string& name) {
    const auto it = folder.entries.find(name);
    if (it == folder.entries.end())
        return;
    --it->second->links;
    folder.entries.erase(it);
}

// Puts node under name in folder, replacing what stands there.
void Link(const NodePtr& folder, const std::string& name, const NodePtr& node) {
    Unlink(*folder, name);
    folder->entries[name] = node;
    ++node->links;
    if (node->kind == EntryKind::Folder)
        node->parent = folder;
}

// Renames within one folder as renameat does; 0 or the error number.
int RenameIn(const NodePtr& folder, const std::string& from, const std::string& to, bool replace) {
    if (from.empty() || to.empty() || to == "." || to == "..")
        return to == "." || to == ".." ? EBUSY : ENOENT;
    if (to.size() > MaxNameBytes)
        return ENAMETOOLONG;
    const auto source = folder->entries.find(from);
    if (source == folder->entries.end())
        return ENOENT;
    if (!MayChange(*folder))
        return EACCES;
    const NodePtr node = source->second;
    const auto target = folder->entries.find(to);
    if (target != folder->entries.end()) {
        if (!replace)
            return EEXIST;
        if (target->second == node)
            return 0; // two names of one file: the system leaves both
        if (target->second->kind == EntryKind::Folder)
            return node->kind == EntryKind::Folder ? ENOTEMPTY : EISDIR;
    }
    Unlink(*folder, from);
    Link(folder, to, node);
    return 0;
}

// A change the test API makes counts as durable at once, for the name in its folder and for the data.
void Settle(const Found& found) {
    if (!found.folder)
        return;
    const auto it = found.folder->entries.find(found.name);
    if (it == found.folder->entries.end())
        found.folder->durableEntries.erase(found.name);
    else
        found.folder->durableEntries[found.name] = it->second;
}

// A free name where something is to be created, for the test API; throws as the system would.
Found FreeName(const std::string& path) {
    Found found;
    int error = Resolve(path, false, found);
    if (error == 0 && (found.node || !found.folder))
        error = EEXIST;
    if (error == 0 && !MayChange(*found.folder))
        error = EACCES;
    if (error != 0)
        ThrowErrno(path, error);
    return found;
}

// Writes n bytes into a file at offset, as write and pwrite do: the file grows to hold them.
void PutBytes(Node& node, std::int64_t offset, const std::uint8_t* data, std::size_t n) {
    const auto at = static_cast<std::size_t>(offset);
    if (node.data.size() < at + n)
        node.data.resize(at + n);
    if (n > 0)
        std::memcpy(node.data.data() + at, data, n);
    node.modified = ++TheDisk().clock;
}

void Forget(OutputFile* output) {
    auto& outputs = TheDisk().outputsInProgress;
    outputs.erase(std::remove(outputs.begin(), outputs.end(), output), outputs.end());
}

} // namespace

bool FileExists(const std::string& path) noexcept {
    Found found;
    return Resolve(path, true, found) == 0 && found.node && found.node->kind == EntryKind::File;
}

std::optional<FileIdentity> IdentityOf(const std::string& path, bool followLinks) noexcept {
    Found found;
    if (Resolve(path, followLinks, found) != 0 || !found.node)
        return std::nullopt;
    return IdentityOf(*found.node);
}

bool LeadsTo(const std::string& path, const std::string& name) noexcept {
    Found entry, target;
    if (Resolve(name, false, entry) != 0 || !entry.node || entry.node->kind == EntryKind::Link)
        return false;
    if (Resolve(name, true, entry) != 0 || Resolve(path, true, target) != 0 || !target.node)
        return false;
    return entry.canonical == target.canonical;
}

bool IsFolder(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    return Existing(path, true)->kind == EntryKind::Folder;
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    faults::CountOperation(folder.c_str(), faults::Operation::Examine);
    const NodePtr node = Existing(folder, true);
    if (node->kind != EntryKind::Folder)
        ThrowErrno(folder, ENOTDIR);
    if (!MayRead(*node))
        ThrowErrno(folder, EACCES);
    std::vector<std::string> names;
    for (const auto& entry : node->entries)
        names.push_back(entry.first);
    return names;
}

std::int64_t FileLength(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    return LengthOf(*Existing(path, true));
}

InputFile::InputFile(const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    const NodePtr node = Existing(path, true);
    if (!MayRead(*node))
        ThrowErrno(path, EACCES);
    handle_ = Hold(node);
    Opened();
}

InputFile::InputFile(const OutputFolder& folder, const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    const NodePtr& at = Held(folder.handle_);
    Found found;
    std::string name = LastPart(path);
    int error = at ? Resolve(name, true, found, at) : EBADF;
    if (error == 0 && !found.node)
        error = ENOENT;
    if (error == 0 && !MayRead(*found.node))
        error = EACCES;
    if (error != 0)
        ThrowErrno(path, error);
    handle_ = Hold(found.node);
    Opened();
}

void InputFile::Opened() {
    const Node& node = *Held(handle_);
    if (node.kind != EntryKind::File) {
        const NodePtr held = Held(handle_);
        Close();
        ThrowNotOrdinary(path_, *held);
    }
    length_ = LengthOf(node);
    modified_ = node.modified;
    permissions_ = node.mode;
}

void InputFile::CheckUnchanged() const {
    const Node& node = Open(handle_, path_);
    if (LengthOf(node) != length_ || node.modified != modified_)
        throw FileError(FileErrorKind::Other, path_, reasons::ChangedWhileRead);
}

InputFile::~InputFile() {
    Close();
}

void InputFile::Read(std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Read);
    const NodePtr& node = Held(handle_);
    if (!node)
        ThrowErrno(path_, EBADF);
    const std::int64_t size = LengthOf(*node);
    const std::size_t available =
        position_ < size ? static_cast<std::size_t>(std::min<std::int64_t>(size - position_, n)) : 0;
    if (available > 0)
        std::memcpy(data, node->data.data() + position_, available);
    position_ += static_cast<std::int64_t>(available);
    if (length_ >= UncachedLength) // the account the system layer keeps of its cache
        dropped_ = position_;
    if (available < n)
        throw FileError(FileErrorKind::Other, path_, reasons::UnexpectedEnd);
}

FileIdentity InputFile::Identity() const {
    return IdentityOf(Open(handle_, path_));
}

void InputFile::Close() noexcept {
    Release(handle_);
    handle_ = -1;
}

OutputFolder::OutputFolder(const std::string& outputPath) : path_(outputPath), handle_(-1) {
    folder_ = FolderPart(outputPath);
    name_ = LastPart(outputPath);
    faults::CountOperation(path_.c_str(), faults::Operation::OpenFolder);
    const NodePtr node = Existing(folder_, true, path_);
    if (node->kind != EntryKind::Folder)
        ThrowErrno(path_, ENOTDIR);
    if (!MayRead(*node)) // a folder is opened for reading
        ThrowErrno(path_, EACCES);
    handle_ = Hold(node);
}

OutputFolder::~OutputFolder() {
    Release(handle_);
}

Entry OutputFolder::Look() const {
    faults::CountOperation(path_.c_str(), faults::Operation::Look);
    int error = 0;
    const NodePtr node = LookAt(Held(handle_), name_, error);
    if (!node) {
        if (error == ENOENT)
            return {};
        ThrowErrno(path_, error);
    }
    return {node->kind, IdentityOf(*node), node->links};
}

FileIdentity OutputFolder::Identity() const {
    return IdentityOf(*Held(handle_));
}

void OutputFolder::Sync() const {
    faults::CountOperation(folder_.c_str(), faults::Operation::SyncFolder);
    Node& folder = *Held(handle_);
    folder.durableEntries = folder.entries;
}

OutputFile::OutputFile(const OutputFolder& folder, std::uint32_t permissions)
    : folder_(folder), path_(folder.path_), handle_(-1) {
    faults::CountOperation(path_.c_str(), faults::Operation::CreateOutput);
    const NodePtr at = Held(folder.handle_);
    for (int attempt = 0; handle_ < 0; ++attempt) {
        temporary_ = host::TemporaryName(folder.name_);
        if (temporary_.size() > MaxNameBytes)
            ThrowErrno(path_, ENAMETOOLONG);
        if (!MayChange(*at))
            ThrowErrno(path_, EACCES);
        if (at->links == 0) // the folder was removed while it was open
            ThrowErrno(path_, ENOENT);
        if (at->entries.contains(temporary_)) {
            if (attempt == 100)
                ThrowErrno(path_, EEXIST);
            continue;
        }
        const NodePtr node = NewNode(EntryKind::File, permissions & ~Umask());
        Link(at, temporary_, node);
        handle_ = Hold(node);
    }
    TheDisk().outputsInProgress.push_back(this);
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Discard() noexcept {
    if (handle_ >= 0) {
        ReleaseUnused();
        Release(handle_);
        handle_ = -1;
    }
    if (inProgress_)
        RemoveTemporary();
}

void OutputFile::RemoveTemporary() noexcept {
    if (const NodePtr& at = Held(folder_.handle_))
        Unlink(*at, temporary_);
    inProgress_ = false;
    Forget(this);
}

void DiscardOutputsInProgress() noexcept {
    const std::vector<OutputFile*> outputs = TheDisk().outputsInProgress;
    for (OutputFile* output : outputs)
        output->RemoveTemporary();
}

void OutputFile::Reserve(std::int64_t length) noexcept {
    announced_ = length;
    writesBack_ = true;
    uncached_ = length >= UncachedLength;
    ReserveAhead();
}

void OutputFile::ReserveAhead() noexcept {
    // Only the account of what is set aside: a memory disk has no blocks to allocate.
    if (reserved_ >= announced_ || written_ + ReserveStep / 2 < reserved_)
        return;
    reserved_ = std::min(announced_, written_ + ReserveStep);
}

void OutputFile::ReleaseUnused() noexcept {
    reserved_ = 0;
}

void OutputFile::Write(const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Write);
    PutBytes(Open(handle_, path_), written_, data, n);
    written_ += static_cast<std::int64_t>(n);
    ReserveAhead();
    WriteBack();
}

// The write-back and the cache are only accounted for: everything written is in memory at once.
void OutputFile::WriteBack() noexcept {
    if (writesBack_)
        started_ = written_;
}

void OutputFile::StartWriteBack() noexcept {
    WriteBack();
}

void OutputFile::Flush() {
    faults::CountOperation(path_.c_str(), faults::Operation::Flush);
    Node& node = Open(handle_, path_);
    node.durable = node.data;
    settled_ = written_;
    if (uncached_)
        dropped_ = written_;
}

FileIdentity OutputFile::Identity() const {
    return IdentityOf(Open(handle_, path_));
}

void OutputFile::WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Rewrite);
    PutBytes(Open(handle_, path_), offset, data, n);
}

void OutputFile::CloseHandle() {
    ReleaseUnused();
    Release(handle_);
    handle_ = -1;
}

void OutputFile::Commit(bool replace) {
    faults::CountOperation(path_.c_str(), faults::Operation::Rename);
    if (!inProgress_ || handle_ < 0)
        throw FileError(FileErrorKind::Other, path_, reasons::BadDescriptor);
    try {
        CloseHandle();
        const NodePtr at = Held(folder_.handle_);
        const std::string& name = folder_.name_;
        int looked = 0;
        const NodePtr there = LookAt(at, name, looked);
        // A rename would replace a FIFO or socket too, which are no files to replace.
        const auto notOrdinary = [&] {
            return there && there->kind != EntryKind::File && there->kind != EntryKind::Link;
        };
        if (replace && notOrdinary())
            ThrowNotOrdinary(path_, *there);
        const int error = RenameIn(at, temporary_, name, replace);
        if (error != 0) {
            if ((error == EEXIST || error == EISDIR || error == ENOTDIR || error == EBUSY) && notOrdinary())
                ThrowNotOrdinary(path_, *there);
            ThrowErrno(path_, error);
        }
    } catch (...) {
        Discard();
        throw;
    }
    inProgress_ = false;
    Forget(this);
}

void StandardOutput::Write(const std::uint8_t* data, std::size_t n) {
    auto& bytes = TheDisk().standardOutput;
    bytes.insert(bytes.end(), data, data + n);
}

void StandardOutput::Flush() {}

bool StandardOutput::Is(const FileIdentity& file) const noexcept {
    return TheDisk().standardOutputIdentity == file;
}

namespace memory {

void Reset() {
    faults::Reset();
    FreshDisk(TheDisk());
}

void MakeFolder(const std::string& path) {
    const Found found = FreeName(path);
    Link(found.folder, found.name, NewNode(EntryKind::Folder, 0755));
    Settle(found);
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::uint32_t permissions) {
    Found found;
    int error = Resolve(path, true, found);
    if (error == 0 && !found.folder)
        error = EISDIR;
    if (error == 0 && found.node && found.node->kind != EntryKind::File)
        error = found.node->kind == EntryKind::Folder ? EISDIR : EACCES;
    if (error != 0)
        ThrowErrno(path, error);
    NodePtr node = found.node;
    if (!node) {
        if (!MayChange(*found.folder))
            ThrowErrno(path, EACCES);
        node = NewNode(EntryKind::File, permissions);
        Link(found.folder, found.name, node);
        Settle(found);
    }
    node->data = node->durable = bytes;
    node->modified = ++TheDisk().clock;
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    const NodePtr node = Existing(path, true);
    if (node->kind != EntryKind::File)
        ThrowNotOrdinary(path, *node);
    return node->data;
}

void MakeLink(const std::string& target, const std::string& path) {
    const Found found = FreeName(path);
    const NodePtr link = NewNode(EntryKind::Link, 0777);
    link->target = target;
    Link(found.folder, found.name, link);
    Settle(found);
}

void MakeHardLink(const std::string& existing, const std::string& path) {
    const NodePtr node = Existing(existing, false);
    if (node->kind == EntryKind::Folder)
        ThrowErrno(existing, EPERM);
    const Found found = FreeName(path);
    Link(found.folder, found.name, node);
    Settle(found);
}

void MakeSpecial(const std::string& path) {
    const Found found = FreeName(path);
    Link(found.folder, found.name, NewNode(EntryKind::Special, 0600));
    Settle(found);
}

void Remove(const std::string& path) {
    Found found;
    if (Resolve(path, false, found) != 0 || !found.node || !found.folder)
        return;
    Unlink(*found.folder, found.name);
    Settle(found);
}

void Rename(const std::string& from, const std::string& to) {
    Found source, target;
    int error = Resolve(from, false, source);
    if (error == 0 && (!source.node || !source.folder))
        error = ENOENT;
    if (error == 0)
        error = Resolve(to, false, target);
    if (error == 0 && !target.folder)
        error = EBUSY;
    if (error == 0 && target.node && target.node->kind == EntryKind::Folder && target.node != source.node)
        error = EISDIR;
    if (error == 0 && (!MayChange(*source.folder) || !MayChange(*target.folder)))
        error = EACCES;
    if (error != 0)
        ThrowErrno(from, error);
    if (target.node == source.node)
        return;
    const NodePtr node = source.node;
    Unlink(*source.folder, source.name);
    Link(target.folder, target.name, node);
    Settle(source);
    Settle(target);
}

EntryKind Kind(const std::string& path, bool followLinks) {
    Found found;
    if (Resolve(path, followLinks, found) != 0 || !found.node)
        return EntryKind::None;
    return found.node->kind;
}

std::vector<std::string> Entries(const std::string& folder) {
    const NodePtr node = Existing(folder, true);
    if (node->kind != EntryKind::Folder)
        ThrowErrno(folder, ENOTDIR);
    std::vector<std::string> names;
    for (const auto& entry : node->entries)
        names.push_back(entry.first);
    return names;
}

std::vector<Listed> Listing(const std::string& folder) {
    const NodePtr node = Existing(folder, true);
    if (node->kind != EntryKind::Folder)
        ThrowErrno(folder, ENOTDIR);
    std::vector<Listed> listing;
    for (const auto& [name, entry] : node->entries)
        listing.push_back(
            {name, entry->kind, entry->kind == EntryKind::File ? entry->data : std::vector<std::uint8_t>{}});
    return listing;
}

std::uint32_t Permissions(const std::string& path) {
    return Existing(path, true)->mode;
}

void SetPermissions(const std::string& path, std::uint32_t permissions) {
    Existing(path, true)->mode = permissions & 0777;
}

std::size_t OpenHandles() {
    const auto& open = TheDisk().open;
    return static_cast<std::size_t>(
        std::count_if(open.begin(), open.end(), [](const NodePtr& node) { return node != nullptr; }));
}

void SetCurrentFolder(const std::string& path) {
    Found found;
    int error = Resolve(path, true, found);
    if (error == 0 && found.node->kind != EntryKind::Folder)
        error = ENOTDIR;
    if (error != 0)
        ThrowErrno(path, error);
    TheDisk().currentFolder = found.node == TheDisk().root ? std::vector<std::string>{} : found.canonical;
}

std::vector<std::uint8_t>& StandardOutputBytes() {
    return TheDisk().standardOutput;
}

void SetStandardOutput(std::optional<FileIdentity> identity) {
    TheDisk().standardOutputIdentity = identity;
}

namespace {

void CrashFolder(Node& folder, std::vector<Node*>& seen) {
    if (std::find(seen.begin(), seen.end(), &folder) != seen.end())
        return;
    seen.push_back(&folder);
    for (auto& [name, node] : folder.entries)
        --node->links;
    folder.entries = folder.durableEntries;
    for (auto& [name, node] : folder.entries) {
        ++node->links;
        if (node->kind == EntryKind::File)
            node->data = node->durable;
        else if (node->kind == EntryKind::Folder)
            CrashFolder(*node, seen);
    }
}

} // namespace

void Crash() {
    std::vector<Node*> seen;
    CrashFolder(*TheDisk().root, seen);
}

} // namespace memory
} // namespace host

// The file services on POSIX systems. Files are plain descriptors; every failure becomes a FileError
// that tells refused access (EACCES, EPERM, EROFS) from every other reason, with the reason in German.

#include "host/errno_reasons.h"
#include "host/fault_injection.h"
#include "host/files.h"
#include "host/posix_paths.h"
#include "host/system_reasons.h"
#include "host/temporary_name.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace host {
namespace {

[[noreturn]] void ThrowNotOrdinary(const std::string& path, mode_t mode) {
    throw FileError(FileErrorKind::Other, path, S_ISDIR(mode) ? reasons::IsFolder : reasons::NotOrdinary);
}

constexpr std::int64_t PageSize = 4096;
// Outputs of at least this length have their write-back started as they are written: the flush at the
// end then waits only for the last of it, not for all of a large file at once. A smaller one goes out
// with its flush alone, which costs one round trip to the disk instead of several.
constexpr std::int64_t WriteBackLength = std::int64_t{1} << 20;

// Where WriteAll writes when no offset is given: at the descriptor's position, which moves past the data.
constexpr std::int64_t AtPosition = -1;

// Writes all n bytes at offset (0-based) or at the descriptor's position, counting what went out even
// when a write fails.
void WriteAll(int fd, const std::uint8_t* data, std::size_t n, const std::string& name, std::int64_t& count,
              std::int64_t offset = AtPosition) {
    while (n > 0) {
        const ssize_t put =
            offset == AtPosition ? ::write(fd, data, n) : ::pwrite(fd, data, n, static_cast<off_t>(offset));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(name, errno);
        }
        data += put;
        n -= static_cast<std::size_t>(put);
        count += put;
        if (offset != AtPosition)
            offset += put;
    }
}

int Descriptor(std::intptr_t handle) {
    return static_cast<int>(handle);
}

// Opens a folder for the operations relative to it and for flushing its names; throws naming shownPath.
int OpenFolder(const std::string& folder, const std::string& shownPath) {
    int fd;
    do
        fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        ThrowErrno(shownPath, errno);
    return fd;
}

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

// Tells the system that the pages before upTo, from dropped on, are not needed again, and moves dropped
// on; clean pages leave the cache at once. The range ends on a boundary of the largest pages the cache
// keeps a file in (2 MiB): a page only partly in the range would stay.
void DropFromCache(int fd, std::int64_t& dropped, std::int64_t upTo) noexcept {
    constexpr std::int64_t LargestPage = std::int64_t{2} << 20;
    upTo = upTo / LargestPage * LargestPage;
    if (upTo <= dropped)
        return;
#ifdef POSIX_FADV_DONTNEED
    (void)::posix_fadvise(fd, static_cast<off_t>(dropped), static_cast<off_t>(upTo - dropped),
                          POSIX_FADV_DONTNEED);
#else
    (void)fd;
#endif
    dropped = upTo;
}

// The same for the whole file, once it is done with.
void DropAllFromCache(int fd) noexcept {
#ifdef POSIX_FADV_DONTNEED
    (void)::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
#else
    (void)fd;
#endif
}

// Makes what was written to fd durable: its data and the metadata needed to read it back.
void SyncData(int fd, const std::string& name) {
    while (::fdatasync(fd) != 0) {
        if (errno != EINTR)
            ThrowErrno(name, errno);
    }
}

// Opens an ordinary file for reading, relative to the folder at (or the current folder); throws naming
// shownPath. Non-blocking, so that a FIFO put in the file's place does not wait for a writer; ordinary
// files ignore the flag.
int OpenForReading(int at, const char* name, const std::string& shownPath) {
    int fd;
    do
        fd = ::openat(at, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        ThrowErrno(shownPath, errno);
    return fd;
}

std::int64_t ModificationTime(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// The outputs being written and not yet committed, for a process that must end at once.
std::vector<OutputFile*>& OutputsInProgress() {
    static std::vector<OutputFile*> outputs;
    return outputs;
}

// Renames the folder's entry from over to, unless anything stands at to: then it fails with EEXIST and
// changes nothing. Returns 0 or the error.
int RenameWithoutReplacing(int folder, const char* from, const char* to) {
    if (::renameat2(folder, from, folder, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system that cannot rename that way: a second name made exclusively, then the first removed.
    if (::linkat(folder, from, folder, to, 0) == 0) {
        ::unlinkat(folder, from, 0);
        return 0;
    }
    if (errno == EEXIST || (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS))
        return errno;
    // Neither: the name is looked at once more right before the rename.
    struct stat st {};
    if (::fstatat(folder, to, &st, AT_SYMLINK_NOFOLLOW) == 0)
        return EEXIST;
    return ::renameat(folder, from, folder, to) == 0 ? 0 : errno;
}

} // namespace

bool FileExists(const std::string& path) noexcept {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<FileIdentity> IdentityOf(const std::string& path, bool followLinks) noexcept {
    struct stat st {};
    if ((followLinks ? ::stat(path.c_str(), &st) : ::lstat(path.c_str(), &st)) != 0)
        return std::nullopt;
    return IdentityOf(st);
}

bool LeadsTo(const std::string& path, const std::string& name) noexcept {
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || S_ISLNK(st.st_mode))
        return false;
    // realpath resolves every link on the way; name's last part is no link, so it resolves to itself.
    const std::unique_ptr<char, decltype(&std::free)> target(::realpath(path.c_str(), nullptr), &std::free);
    const std::unique_ptr<char, decltype(&std::free)> entry(::realpath(name.c_str(), nullptr), &std::free);
    return target && entry && std::strcmp(target.get(), entry.get()) == 0;
}

bool IsFolder(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    return S_ISDIR(st.st_mode);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    faults::CountOperation(folder.c_str(), faults::Operation::Examine);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), ::closedir);
    if (!dir)
        ThrowErrno(folder, errno);
    std::vector<std::string> names;
    for (;;) {
        // readdir tells its end from a failure only through errno.
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr) {
            if (errno != 0)
                ThrowErrno(folder, errno);
            return names;
        }
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
}

std::int64_t FileLength(const std::string& path) {
    faults::CountOperation(path.c_str(), faults::Operation::Examine);
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    return static_cast<std::int64_t>(st.st_size);
}

InputFile::InputFile(const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    handle_ = OpenForReading(AT_FDCWD, path.c_str(), path);
    Opened();
}

InputFile::InputFile(const OutputFolder& folder, const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str(), faults::Operation::OpenInput);
    handle_ = OpenForReading(Descriptor(folder.handle_), LastPart(path).c_str(), path);
    Opened();
}

void InputFile::Opened() {
    const int fd = Descriptor(handle_);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        Close();
        ThrowErrno(path_, error);
    }
    if (!S_ISREG(st.st_mode)) {
        Close();
        ThrowNotOrdinary(path_, st.st_mode);
    }
    length_ = static_cast<std::int64_t>(st.st_size);
    modified_ = ModificationTime(st);
    permissions_ = static_cast<std::uint32_t>(st.st_mode & 0777);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

void InputFile::CheckUnchanged() const {
    struct stat st {};
    if (::fstat(Descriptor(handle_), &st) != 0)
        ThrowErrno(path_, errno);
    if (static_cast<std::int64_t>(st.st_size) != length_ || ModificationTime(st) != modified_)
        throw FileError(FileErrorKind::Other, path_, reasons::ChangedWhileRead);
}

InputFile::~InputFile() {
    Close();
}

void InputFile::Read(std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Read);
    while (n > 0) {
        const ssize_t got = ::read(Descriptor(handle_), data, n);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            if (errno == EIO) // the medium failed: while reading, not writing
                throw FileError(FileErrorKind::Other, path_, reasons::ReadFailed);
            ThrowErrno(path_, errno);
        }
        if (got == 0)
            throw FileError(FileErrorKind::Other, path_, reasons::UnexpectedEnd);
        data += got;
        n -= static_cast<std::size_t>(got);
        position_ += got;
    }
    if (length_ >= UncachedLength) {
        DropFromCache(Descriptor(handle_), dropped_, position_);
    }
}

FileIdentity InputFile::Identity() const {
    struct stat st {};
    if (::fstat(Descriptor(handle_), &st) != 0)
        ThrowErrno(path_, errno);
    return IdentityOf(st);
}

void InputFile::Close() noexcept {
    if (handle_ >= 0) {
        if (length_ >= UncachedLength)
            DropAllFromCache(Descriptor(handle_));
        ::close(Descriptor(handle_));
        handle_ = -1;
    }
}

OutputFolder::OutputFolder(const std::string& outputPath) : path_(outputPath), handle_(-1) {
    folder_ = FolderPart(outputPath);
    name_ = LastPart(outputPath);
    faults::CountOperation(path_.c_str(), faults::Operation::OpenFolder);
    handle_ = OpenFolder(folder_, path_);
}

OutputFolder::~OutputFolder() {
    ::close(Descriptor(handle_));
}

Entry OutputFolder::Look() const {
    faults::CountOperation(path_.c_str(), faults::Operation::Look);
    struct stat st {};
    if (::fstatat(Descriptor(handle_), name_.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT)
            return {};
        ThrowErrno(path_, errno);
    }
    Entry entry{EntryKind::Special, IdentityOf(st), static_cast<std::uint64_t>(st.st_nlink)};
    if (S_ISREG(st.st_mode))
        entry.kind = EntryKind::File;
    else if (S_ISLNK(st.st_mode))
        entry.kind = EntryKind::Link;
    else if (S_ISDIR(st.st_mode))
        entry.kind = EntryKind::Folder;
    return entry;
}

FileIdentity OutputFolder::Identity() const {
    struct stat st {};
    if (::fstat(Descriptor(handle_), &st) != 0)
        ThrowErrno(folder_, errno);
    return IdentityOf(st);
}

void OutputFolder::Sync() const {
    faults::CountOperation(folder_.c_str(), faults::Operation::SyncFolder);
    int result;
    do
        result = ::fsync(Descriptor(handle_));
    while (result != 0 && errno == EINTR);
    // Some file systems cannot flush a folder on its own and keep its names safe by other means.
    if (result != 0 && errno != EINVAL && errno != EROFS)
        ThrowErrno(folder_, errno);
}

OutputFile::OutputFile(const OutputFolder& folder, std::uint32_t permissions)
    : folder_(folder), path_(folder.path_), handle_(-1) {
    faults::CountOperation(path_.c_str(), faults::Operation::CreateOutput);
    const int at = Descriptor(folder.handle_);
    // A name another program holds (or left behind) is passed over for another: the exclusive create
    // never shares a file or follows a link.
    for (int attempt = 0; handle_ < 0; ++attempt) {
        temporary_ = host::TemporaryName(folder.name_);
        int fd;
        do
            fd = ::openat(at, temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          static_cast<mode_t>(permissions & 0777));
        while (fd < 0 && errno == EINTR);
        if (fd < 0 && (errno != EEXIST || attempt == 100))
            ThrowErrno(path_, errno);
        handle_ = fd;
    }
    OutputsInProgress().push_back(this);
}

OutputFile::~OutputFile() {
    Discard();
}

void OutputFile::Discard() noexcept {
    if (handle_ >= 0) {
        ReleaseUnused();
        ::close(Descriptor(handle_));
        handle_ = -1;
    }
    if (inProgress_)
        RemoveTemporary();
}

void OutputFile::RemoveTemporary() noexcept {
    ::unlinkat(Descriptor(folder_.handle_), temporary_.c_str(), 0);
    inProgress_ = false;
    auto& outputs = OutputsInProgress();
    outputs.erase(std::remove(outputs.begin(), outputs.end(), this), outputs.end());
}

void DiscardOutputsInProgress() noexcept {
    // Copied: each removal takes itself off the list.
    const std::vector<OutputFile*> outputs = OutputsInProgress();
    for (OutputFile* output : outputs)
        output->RemoveTemporary();
}

void OutputFile::Reserve(std::int64_t length) noexcept {
    announced_ = length;
    writesBack_ = length >= WriteBackLength;
    uncached_ = length >= UncachedLength;
    ReserveAhead();
}

void OutputFile::ReserveAhead() noexcept {
#ifdef __linux__
    // KEEP_SIZE: the length stays at what has been written, so a file cut short still ends where its
    // data ends. posix_fallocate would change the length (and write zeros where unsupported). A short
    // file is not worth it: its few blocks are allocated at once anyway, while reserved blocks must be
    // marked as written when the data reaches them, one more change its flush waits for. The next piece
    // is set aside once half of the last one is written, so the writes never catch up with it.
    if (announced_ < WriteBackLength || reserved_ >= announced_ || written_ + ReserveStep / 2 < reserved_)
        return;
    const std::int64_t from = std::max(reserved_, written_);
    const std::int64_t to = std::min(announced_, written_ + ReserveStep);
    if (to <= from)
        return;
    if (::fallocate(Descriptor(handle_), FALLOC_FL_KEEP_SIZE, static_cast<off_t>(from),
                    static_cast<off_t>(to - from)) == 0)
        reserved_ = to;
    else
        announced_ = 0; // the file system cannot: no further tries
#endif
}

void OutputFile::ReleaseUnused() noexcept {
    // Blocks reserved past the end of a file stay allocated until it is truncated; truncating it to its
    // own length frees them and changes nothing else. Should that fail, the file's bytes are still whole:
    // only the space stays taken.
    if (reserved_ > written_) {
        [[maybe_unused]] const int truncated = ::ftruncate(Descriptor(handle_), static_cast<off_t>(written_));
    }
    reserved_ = 0;
}

void OutputFile::Write(const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Write);
    WriteAll(Descriptor(handle_), data, n, path_, written_);
    ReserveAhead();
    WriteBack();
}

void OutputFile::WriteBack() noexcept {
#ifdef __linux__
    // Whole pages only: a page still being filled would go out twice, and the next write to it would
    // wait for the first. Failures here only cost speed or cache: the flush reports what did not reach
    // the disk.
    const std::int64_t end = written_ / PageSize * PageSize;
    if (!writesBack_ || end <= started_)
        return;
    const int fd = Descriptor(handle_);
    (void)::sync_file_range(fd, static_cast<off_t>(started_), static_cast<off_t>(end - started_),
                            SYNC_FILE_RANGE_WRITE);
    if (uncached_ && settled_ < started_) {
        // The pages started before these have had the time of one write to go out: waiting for them keeps
        // the writer at most two writes ahead of the disk, and their clean pages can then leave the cache.
        (void)::sync_file_range(fd, static_cast<off_t>(settled_), static_cast<off_t>(started_ - settled_),
                                SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE |
                                    SYNC_FILE_RANGE_WAIT_AFTER);
        settled_ = started_;
        DropFromCache(fd, dropped_, settled_);
    }
    started_ = end;
#endif
}

void OutputFile::StartWriteBack() noexcept {
#ifdef __linux__
    (void)::sync_file_range(Descriptor(handle_), static_cast<off_t>(started_), 0, SYNC_FILE_RANGE_WRITE);
#endif
}

void OutputFile::Flush() {
    faults::CountOperation(path_.c_str(), faults::Operation::Flush);
    SyncData(Descriptor(handle_), path_);
    if (uncached_)
        DropAllFromCache(Descriptor(handle_));
}

FileIdentity OutputFile::Identity() const {
    struct stat st {};
    if (::fstat(Descriptor(handle_), &st) != 0)
        ThrowErrno(path_, errno);
    return IdentityOf(st);
}

void StandardOutput::Write(const std::uint8_t* data, std::size_t n) {
    std::int64_t count = 0;
    WriteAll(STDOUT_FILENO, data, n, reasons::StandardOutputName, count);
}

void StandardOutput::Flush() {
    struct stat st {};
    if (::fstat(STDOUT_FILENO, &st) == 0 && S_ISREG(st.st_mode))
        SyncData(STDOUT_FILENO, reasons::StandardOutputName);
}

bool StandardOutput::Is(const FileIdentity& file) const noexcept {
    struct stat st {};
    return ::fstat(STDOUT_FILENO, &st) == 0 && IdentityOf(st) == file;
}

void OutputFile::WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str(), faults::Operation::Rewrite);
    std::int64_t rewritten = 0; // within the written part, so the file's length stays
    WriteAll(Descriptor(handle_), data, n, path_, rewritten, offset);
}

void OutputFile::CloseHandle() {
    ReleaseUnused();
    const int fd = Descriptor(handle_);
    handle_ = -1; // the descriptor is released even when close reports an error
    if (::close(fd) != 0 && errno != EINTR)
        ThrowErrno(path_, errno);
}

void OutputFile::Commit(bool replace) {
    faults::CountOperation(path_.c_str(), faults::Operation::Rename);
    if (!inProgress_ || handle_ < 0)
        throw FileError(FileErrorKind::Other, path_, reasons::BadDescriptor);
    try {
        CloseHandle();
        const int at = Descriptor(folder_.handle_);
        const char* name = folder_.name_.c_str();
        int error = 0;
        if (replace) {
            // A rename replaces a link at the name itself, never its target, and needs no permission on
            // the old file: a read-only one goes as well. It would replace a FIFO or socket too, which
            // are no files to replace.
            struct stat st {};
            if (::fstatat(at, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode) &&
                !S_ISLNK(st.st_mode))
                ThrowNotOrdinary(path_, st.st_mode);
            if (::renameat(at, temporary_.c_str(), at, name) != 0)
                error = errno;
        } else {
            error = RenameWithoutReplacing(at, temporary_.c_str(), name);
        }
        if (error != 0) {
            // A folder or FIFO at the name is named for what it is.
            struct stat st {};
            if ((error == EEXIST || error == EISDIR || error == ENOTDIR) &&
                ::fstatat(at, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(st.st_mode) &&
                !S_ISLNK(st.st_mode))
                ThrowNotOrdinary(path_, st.st_mode);
            ThrowErrno(path_, error);
        }
    } catch (...) {
        Discard();
        throw;
    }
    inProgress_ = false;
    auto& outputs = OutputsInProgress();
    outputs.erase(std::remove(outputs.begin(), outputs.end(), this), outputs.end());
}

} // namespace host

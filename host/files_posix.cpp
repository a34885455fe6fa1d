// The file services on POSIX systems. Files are plain descriptors; every failure becomes a FileError
// that tells refused access (EACCES, EPERM, EROFS) from every other reason, with the reason in German.

#include "host/fault_injection.h"
#include "host/files.h"
#include "host/system_reasons.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

std::string ReasonText(int error) {
    switch (error) {
    case EACCES:
        return reasons::AccessDenied;
    case EPERM:
        return reasons::NotPermitted;
    case EROFS:
        return reasons::ReadOnlyMedium;
    case ETXTBSY:
    case EBUSY:
        return reasons::InUse;
    case ENOSPC:
        return reasons::NoSpace;
    case EDQUOT:
        return reasons::QuotaExceeded;
    case EIO:
        return reasons::InputOutput;
    case EISDIR:
        return reasons::IsFolder;
    case ENXIO:
    case ENODEV:
        return reasons::NotOrdinary;
    case ENAMETOOLONG:
        return reasons::NameTooLong;
    case EINVAL:
    case EILSEQ:
        return reasons::BadName;
    case ENOENT:
        return reasons::NotFound;
    case ENOTDIR:
        return reasons::PathNotFolder;
    case ELOOP:
    case EMLINK:
        return reasons::TooManyLinks;
    case EEXIST:
        return reasons::AlreadyThere;
    case EFBIG:
    case EOVERFLOW:
        return reasons::TooLarge;
    case EMFILE:
    case ENFILE:
        return reasons::TooManyOpen;
    case ENOMEM:
        return reasons::OutOfMemory;
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
        return reasons::ConnectionLost;
    default:
        return std::strerror(error);
    }
}

[[noreturn]] void ThrowErrno(const std::string& path, int error) {
    const bool refused = error == EACCES || error == EPERM || error == EROFS;
    throw FileError(refused ? FileErrorKind::AccessRefused : FileErrorKind::Other, path, ReasonText(error));
}

[[noreturn]] void ThrowNotOrdinary(const std::string& path, mode_t mode) {
    throw FileError(FileErrorKind::Other, path, S_ISDIR(mode) ? reasons::IsFolder : reasons::NotOrdinary);
}

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

} // namespace

char PathSeparator() noexcept {
    return '/';
}

std::string NativePath(std::string path) {
    return path;
}

bool FileExists(const std::string& path) noexcept {
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

EntryKind LookAt(const std::string& path) {
    faults::CountOperation(path.c_str());
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT)
            return EntryKind::None;
        ThrowErrno(path, errno);
    }
    if (S_ISREG(st.st_mode))
        return EntryKind::File;
    if (S_ISLNK(st.st_mode))
        return EntryKind::Link;
    return S_ISDIR(st.st_mode) ? EntryKind::Folder : EntryKind::Special;
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

void ClearAttributes(const std::string& path) {
    faults::CountOperation(path.c_str());
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    // A link has no permissions of its own; chmod would change its target, which may be anyone's file.
    if (S_ISLNK(st.st_mode) || (st.st_mode & S_IWUSR) != 0)
        return;
    // No-follow as well, in case a link has taken the file's place since the look; the system refuses
    // to change a link's mode, which leaves its target alone.
    if (::fchmodat(AT_FDCWD, path.c_str(), (st.st_mode & 07777) | S_IWUSR, AT_SYMLINK_NOFOLLOW) != 0 &&
        errno != EOPNOTSUPP)
        ThrowErrno(path, errno);
}

void DeleteFile(const std::string& path) {
    faults::CountOperation(path.c_str());
    if (::unlink(path.c_str()) != 0)
        ThrowErrno(path, errno);
}

bool IsFolder(const std::string& path) {
    faults::CountOperation(path.c_str());
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    return S_ISDIR(st.st_mode);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
    faults::CountOperation(folder.c_str());
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
    faults::CountOperation(path.c_str());
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    return static_cast<std::int64_t>(st.st_size);
}

InputFile::InputFile(const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str());
    int fd;
    do
        // Non-blocking, so that a FIFO put in the file's place does not wait for a writer; ordinary
        // files ignore the flag.
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        ThrowErrno(path, errno);
    handle_ = fd;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        Close();
        ThrowErrno(path, error);
    }
    if (!S_ISREG(st.st_mode)) {
        Close();
        ThrowNotOrdinary(path, st.st_mode);
    }
    length_ = static_cast<std::int64_t>(st.st_size);
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
}

InputFile::~InputFile() {
    Close();
}

void InputFile::Read(std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str());
    while (n > 0) {
        const ssize_t got = ::read(Descriptor(handle_), data, n);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_, errno);
        }
        if (got == 0)
            throw FileError(FileErrorKind::Other, path_, reasons::UnexpectedEnd);
        data += got;
        n -= static_cast<std::size_t>(got);
        position_ += got;
    }
}

void InputFile::Close() noexcept {
    if (handle_ >= 0) {
        ::close(Descriptor(handle_));
        handle_ = -1;
    }
}

OutputFile::OutputFile(const std::string& path) : path_(path), handle_(-1) {
    faults::CountOperation(path.c_str());
    int fd;
    do
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        // A folder or FIFO at the name answers EEXIST as well; it is named for what it is.
        const int error = errno;
        struct stat st {};
        if (error == EEXIST && ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
            !S_ISLNK(st.st_mode))
            ThrowNotOrdinary(path, st.st_mode);
        ThrowErrno(path, error);
    }
    handle_ = fd;
}

OutputFile::~OutputFile() {
    if (handle_ >= 0) {
        ReleaseUnused();
        ::close(Descriptor(handle_));
    }
}

void OutputFile::Reserve(std::int64_t length) noexcept {
#ifdef __linux__
    // KEEP_SIZE: the length stays at what has been written, so a file cut short still ends where its
    // data ends. posix_fallocate would change the length (and write zeros where unsupported).
    if (length > written_ &&
        ::fallocate(Descriptor(handle_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length)) == 0)
        reserved_ = length;
#else
    (void)length;
#endif
}

void OutputFile::ReleaseUnused() noexcept {
    // Blocks reserved past the end of a file stay allocated until it is truncated; truncating it to its
    // own length frees them and changes nothing else.
    if (reserved_ > written_)
        (void)::ftruncate(Descriptor(handle_), static_cast<off_t>(written_));
    reserved_ = 0;
}

void OutputFile::Write(const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str());
    WriteAll(Descriptor(handle_), data, n, path_, written_);
}

void StandardOutput::Write(const std::uint8_t* data, std::size_t n) {
    std::int64_t count = 0;
    WriteAll(STDOUT_FILENO, data, n, reasons::StandardOutputName, count);
}

void OutputFile::WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str());
    std::int64_t rewritten = 0; // within the written part, so the file's length stays
    WriteAll(Descriptor(handle_), data, n, path_, rewritten, offset);
}

void OutputFile::Close() {
    if (handle_ < 0)
        return;
    ReleaseUnused();
    const int fd = Descriptor(handle_);
    handle_ = -1; // the descriptor is released even when close reports an error
    const int result = ::close(fd);
    const int error = errno;
    faults::CountOperation(path_.c_str());
    if (result != 0 && error != EINTR)
        ThrowErrno(path_, error);
}

} // namespace host

// The file services on POSIX systems. Files are plain descriptors; every failure becomes a FileError
// that tells refused access (EACCES, EPERM, EROFS) from every other reason.

#include "host/fault_injection.h"
#include "host/files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {
namespace {

[[noreturn]] void ThrowErrno(const std::string& path, int error) {
    const bool refused = error == EACCES || error == EPERM || error == EROFS;
    throw FileError(refused ? FileErrorKind::AccessRefused : FileErrorKind::Other, path,
                    std::strerror(error));
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

bool SameFile(const std::string& a, const std::string& b) noexcept {
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

void ClearAttributes(const std::string& path) {
    faults::CountOperation(path.c_str());
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        ThrowErrno(path, errno);
    if ((st.st_mode & S_IWUSR) == 0 && ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) != 0)
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
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
    if (S_ISDIR(st.st_mode)) {
        Close();
        ThrowErrno(path, EISDIR);
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
            throw FileError(FileErrorKind::Other, path_, "Unerwartetes Dateiende");
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
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    while (fd < 0 && errno == EINTR);
    if (fd < 0)
        ThrowErrno(path, errno);
    handle_ = fd;
}

OutputFile::~OutputFile() {
    if (handle_ >= 0)
        ::close(Descriptor(handle_));
}

void OutputFile::Reserve(std::int64_t length) noexcept {
#ifdef __linux__
    // KEEP_SIZE: the length stays at what has been written, so a file cut short still ends where its
    // data ends. posix_fallocate would change the length (and write zeros where unsupported).
    if (length > 0)
        (void)::fallocate(Descriptor(handle_), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(length));
#else
    (void)length;
#endif
}

void OutputFile::Write(const std::uint8_t* data, std::size_t n) {
    faults::CountOperation(path_.c_str());
    while (n > 0) {
        const ssize_t put = ::write(Descriptor(handle_), data, n);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            ThrowErrno(path_, errno);
        }
        data += put;
        n -= static_cast<std::size_t>(put);
    }
}

void OutputFile::Close() {
    if (handle_ < 0)
        return;
    const int fd = Descriptor(handle_);
    handle_ = -1; // the descriptor is released even when close reports an error
    const int result = ::close(fd);
    const int error = errno;
    faults::CountOperation(path_.c_str());
    if (result != 0 && error != EINTR)
        ThrowErrno(path_, error);
}

} // namespace host

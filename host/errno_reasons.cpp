// The German reasons of the POSIX error numbers, one table for every file layer that speaks in them:
// the system's own and the in-memory one the tests and fuzzers run against.

#include "host/errno_reasons.h"

#include "host/system_reasons.h"

#include <cerrno>

namespace host {

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
    case ECONNRESET:
    case ETIMEDOUT:
        return reasons::ConnectionLost;
    case EPIPE:
        return reasons::ReaderGone;
    case EBADF:
        return reasons::BadDescriptor;
    case ESPIPE:
        return reasons::NotSeekable;
    case EAGAIN:
        return reasons::TryAgain;
    case EOPNOTSUPP:
        return reasons::NotSupported;
    case EXDEV:
        return reasons::OtherVolume;
    default:
        return reasons::SystemError + std::to_string(error);
    }
}

[[noreturn]] void ThrowErrno(const std::string& path, int error) {
    const bool refused = error == EACCES || error == EPERM || error == EROFS;
    throw FileError(refused ? FileErrorKind::AccessRefused : FileErrorKind::Other, path, ReasonText(error));
}

} // namespace host

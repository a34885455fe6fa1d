#pragma once

// POSIX error numbers as the file layers report them.

#include "host/file_error.h"

#include <string>

namespace host {

// The German reason for an error number; a number that fits no class shows itself.
std::string ReasonText(int error);

// Throws the FileError for a failed operation on path: refused access (EACCES, EPERM, EROFS) or any other
// reason.
[[noreturn]] void ThrowErrno(const std::string& path, int error);

} // namespace host

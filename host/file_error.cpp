#include "host/file_error.h"

namespace host {

FileError::FileError(FileErrorKind kind, std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason), kind_(kind), path_(std::move(path)),
      reason_(std::move(reason)) {}

} // namespace host

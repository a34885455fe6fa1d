#pragma once

#include <stdexcept>
#include <string>

namespace host {

// The one distinction callers make between file failures: the system refused access to the file or
// its folder (read-only medium, missing permission), or anything else (disk full, read error, ...).
enum class FileErrorKind { AccessRefused, Other };

// Every failing file operation of the host layer throws this, naming the path and the system's reason.
class FileError : public std::runtime_error {
public:
    FileError(FileErrorKind kind, std::string path, std::string reason);

    FileErrorKind Kind() const noexcept { return kind_; }
    const std::string& Path() const noexcept { return path_; }
    const std::string& Reason() const noexcept { return reason_; }

private:
    FileErrorKind kind_;
    std::string path_;
    std::string reason_;
};

} // namespace host

#pragma once

// The file services of the host. Paths are UTF-8 texts in the host's own form (see PathSeparator).
// Every failure throws host::FileError; nothing here shows a message.

#include "file_error.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace host {

// The separator of the host's paths: '\\' on Windows, '/' elsewhere.
char PathSeparator() noexcept;
// The path written with the host's own separator. Windows takes '/' for '\\', but the path helpers split
// at PathSeparator() only: a dot in a folder's name would otherwise begin the extension, and a restored
// file's suffix would land in the folder's name. Elsewhere the path comes back unchanged.
std::string NativePath(std::string path);

// True only when an ordinary file stands at the path (symbolic links followed). Folders count as absent;
// on Windows hidden and system files do too. Never throws.
bool FileExists(const std::string& path) noexcept;

// Makes the file deletable and writable even if it was read-only.
void ClearAttributes(const std::string& path);

// Removes the file.
void DeleteFile(const std::string& path);

// Whether the path names a folder; throws if the path cannot be examined.
bool IsFolder(const std::string& path);

// Whether both paths name the same existing file (also through other spellings or links). Never throws.
bool SameFile(const std::string& a, const std::string& b) noexcept;

// Length in bytes of a file that is not open.
std::int64_t FileLength(const std::string& path);

// A file open for sequential reading from its start. Closed by Close() or at the latest by the destructor.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads exactly n bytes into data; a file that ends early is a failure.
    void Read(std::uint8_t* data, std::size_t n);
    // Length of the file, taken when it was opened.
    std::int64_t Length() const noexcept { return length_; }
    // Bytes read so far (0-based offset of the next byte).
    std::int64_t Position() const noexcept { return position_; }
    void Close() noexcept;
    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
    std::intptr_t handle_;
    std::int64_t length_ = 0;
    std::int64_t position_ = 0;
};

// A file created empty for sequential writing (an existing file of that name is truncated).
class OutputFile {
public:
    explicit OutputFile(const std::string& path);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Tells the system how long the file is going to be, so that it sets the space aside in one piece
    // rather than page by page as the writes arrive. The file's length stays what has been written, and
    // a system or file system that cannot reserve space ignores it: a full disk is still reported by
    // Write.
    void Reserve(std::int64_t length) noexcept;
    // Writes all n bytes or throws.
    void Write(const std::uint8_t* data, std::size_t n);
    // Closes the file and reports a failure the system only reports at closing (e.g. on network drives).
    void Close();
    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
    std::intptr_t handle_;
};

} // namespace host

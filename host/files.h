#pragma once

// The file services of the host. Paths are UTF-8 texts in the host's own form (see PathSeparator).
// Every failure throws host::FileError; nothing here shows a message.

#include "file_error.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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

// What stands at a path, looked at without following a symbolic link at its end.
enum class EntryKind { None, File, Link, Folder, Special };
// Throws only when the path cannot be examined (None: nothing there). Special: a FIFO, socket or device.
EntryKind LookAt(const std::string& path);

// Makes the file deletable and writable even if it was read-only. Works on the entry itself: a symbolic
// link is left as it is, and its target is never changed.
void ClearAttributes(const std::string& path);

// Removes the entry; a symbolic link is removed itself, never its target.
void DeleteFile(const std::string& path);

// Whether the path names a folder; throws if the path cannot be examined.
bool IsFolder(const std::string& path);

// The names of the entries in a folder ("." and ".." left out), as the system stores them, in the
// system's order: on POSIX systems a name's bytes need not be UTF-8. Throws if the folder cannot be
// read.
std::vector<std::string> FolderEntries(const std::string& folder);

// Whether removing the entry called name (a file, not a link) would take away what path leads to:
// path reaches that entry, through other spellings or symbolic links. A hard link elsewhere keeps the
// data, so reaching the same data through one does not count. Never throws.
bool LeadsTo(const std::string& path, const std::string& name) noexcept;

// Length in bytes of a file that is not open.
std::int64_t FileLength(const std::string& path);

// An ordinary file open for sequential reading from its start (a FIFO, socket, device or folder is
// refused without waiting for it). Closed by Close() or at the latest by the destructor.
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

// Where restored bytes go: a new file, standard output, or nowhere (a check that writes nothing).
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // How many bytes are coming; a sink may set space aside for them. Never fails.
    virtual void Reserve(std::int64_t length) noexcept = 0;
    // Takes all n bytes or throws.
    virtual void Write(const std::uint8_t* data, std::size_t n) = 0;
};

// Takes every byte and keeps none.
class NullSink final : public ByteSink {
public:
    void Reserve(std::int64_t) noexcept override {}
    void Write(const std::uint8_t*, std::size_t) override {}
};

// The process's standard output, written as raw bytes (no text translation on any system).
class StandardOutput final : public ByteSink {
public:
    void Reserve(std::int64_t) noexcept override {}
    void Write(const std::uint8_t* data, std::size_t n) override;
};

// A new file for sequential writing, created exclusively: when anything stands at the name, a link
// included, creating fails and nothing is opened, so a name another program took in the meantime is
// never shared and a link never redirects the data.
class OutputFile final : public ByteSink {
public:
    explicit OutputFile(const std::string& path);
    // Gives back reserved space the file did not use, then closes it.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Tells the system how long the file is going to be, so that it sets the space aside in one piece
    // rather than page by page as the writes arrive. The file's length stays what has been written, and
    // a system or file system that cannot reserve space ignores it: a full disk is still reported by
    // Write. A file closed shorter than reserved gives the rest back.
    void Reserve(std::int64_t length) noexcept override;
    // Writes all n bytes or throws.
    void Write(const std::uint8_t* data, std::size_t n) override;
    // Writes n bytes over what was written at offset (0-based), which must lie within the written part.
    void WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n);
    // Closes the file and reports a failure the system only reports at closing (e.g. on network drives).
    void Close();
    const std::string& Path() const noexcept { return path_; }

private:
    // Frees what was reserved past the written end (a file cut short by a failure or a cancel).
    void ReleaseUnused() noexcept;

    std::string path_;
    std::intptr_t handle_;
    std::int64_t reserved_ = 0;
    std::int64_t written_ = 0;
};

} // namespace host

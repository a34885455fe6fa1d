#pragma once

// The file services of the host. Paths are UTF-8 texts in the host's own form (see PathSeparator).
// Every failure throws host::FileError; nothing here shows a message.

#include "file_error.h"

#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
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

// What stands at a name, looked at without following a symbolic link there. Special: a FIFO, socket or
// device.
enum class EntryKind { None, File, Link, Folder, Special };

// What tells one file's data from another's on the same system, whatever name reaches it: the volume and
// the file's number on it.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t file = 0;
    auto operator<=>(const FileIdentity&) const = default;
};

// The identity of what stands at the path, its symbolic links followed or (followLinks false) of the
// entry itself; nothing when there is nothing to look at. Never throws.
std::optional<FileIdentity> IdentityOf(const std::string& path, bool followLinks) noexcept;

// Files of at least this length are read and written without keeping their pages in the system's cache:
// a file larger than memory would otherwise push out everything else the user works with.
constexpr std::int64_t UncachedLength = std::int64_t{64} << 20;

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
    // The permission bits a copy of the file gets (read, write, execute for owner, group and others;
    // never set-id bits), taken when it was opened. Windows files take their folder's rights instead.
    std::uint32_t Permissions() const noexcept { return permissions_; }
    // The identity of the open file itself.
    FileIdentity Identity() const;
    void Close() noexcept;
    const std::string& Path() const noexcept { return path_; }

private:
    std::string path_;
    std::intptr_t handle_;
    std::int64_t length_ = 0;
    std::int64_t position_ = 0;
    std::int64_t dropped_ = 0; // of an uncached file, what lies before this offset was dropped from the cache
    std::uint32_t permissions_ = 0666;
};

// Where restored bytes go: a new file, standard output, or nowhere (a check that writes nothing).
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // How many bytes are coming; a sink may set space aside for them. Never fails.
    virtual void Reserve(std::int64_t length) noexcept = 0;
    // Takes all n bytes or throws.
    virtual void Write(const std::uint8_t* data, std::size_t n) = 0;
    // Returns once everything written is on stable storage, or throws: what is only in the system's
    // cache is lost to a crash or a failing write-back.
    virtual void Flush() = 0;
};

// Takes every byte and keeps none.
class NullSink final : public ByteSink {
public:
    void Reserve(std::int64_t) noexcept override {}
    void Write(const std::uint8_t*, std::size_t) override {}
    void Flush() override {}
};

// The process's standard output, written as raw bytes (no text translation on any system).
class StandardOutput final : public ByteSink {
public:
    void Reserve(std::int64_t) noexcept override {}
    void Write(const std::uint8_t* data, std::size_t n) override;
    // Flushes standard output when it is a file on a disk; a pipe or terminal has no storage to reach.
    void Flush() override;
    // Whether standard output is the file of this identity (a shell's ">>" onto the input).
    bool Is(const FileIdentity& file) const noexcept;
};

// What stands at an output's name: its kind, and for a file or link its identity and number of names.
struct Entry {
    EntryKind kind = EntryKind::None;
    FileIdentity identity;
    std::uint64_t links = 0;
    bool hidden = false; // Windows: a hidden or system file, which counts as absent and is never replaced
};

// The folder an output goes into, opened once for the output: the entry at the output's name is looked at,
// removed and created relative to it, so a folder that another program swaps for a link meanwhile cannot
// send any of it into another folder. (On Windows, where folders in use cannot be swapped, by path.)
class OutputFolder {
public:
    explicit OutputFolder(const std::string& outputPath);
    ~OutputFolder();
    OutputFolder(const OutputFolder&) = delete;
    OutputFolder& operator=(const OutputFolder&) = delete;

    const std::string& OutputPath() const noexcept { return path_; }
    // The folder's own path ("." for a name without one).
    const std::string& FolderPath() const noexcept { return folder_; }
    // What stands at the output's name, looked at without following a link there.
    Entry Look() const;
    // Removes the entry at the output's name, a link itself and never its target. A read-only file goes
    // too; when it cannot be removed, it keeps its attributes.
    void Remove() const;

private:
    friend class OutputFile;
    std::string path_;
    std::string folder_;
    std::string name_;
    std::intptr_t handle_;
};

// Flushes the folder's list of names to stable storage, so that the files created in it are found under
// their names after a crash. Nothing to do on Windows, whose file systems keep names in their journal.
void SyncFolder(const std::string& folderPath);

// A new file for sequential writing, created exclusively: when anything stands at the name, a link
// included, creating fails and nothing is opened, so a name another program took in the meantime is
// never shared and a link never redirects the data.
// Its permission bits are the given ones, less the process's umask (ignored on Windows, where a new file
// takes its folder's rights).
class OutputFile final : public ByteSink {
public:
    explicit OutputFile(const std::string& path, std::uint32_t permissions = 0666);
    OutputFile(const OutputFolder& folder, std::uint32_t permissions);
    // Gives back reserved space the file did not use, then closes it.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Tells the system how long the file is going to be, so that it sets the space aside in one piece
    // rather than page by page as the writes arrive. The file's length stays what has been written, and
    // a system or file system that cannot reserve space ignores it: a full disk is still reported by
    // Write. A file closed shorter than reserved gives the rest back.
    void Reserve(std::int64_t length) noexcept override;
    // Writes all n bytes or throws; of a long file, starts writing them out to the disk, so that the
    // flush at the end only waits for the last of them.
    void Write(const std::uint8_t* data, std::size_t n) override;
    void Flush() override;
    // Starts writing out everything written so far, for a flush that is to follow later.
    void StartWriteBack() noexcept;
    FileIdentity Identity() const;
    // Writes n bytes over what was written at offset (0-based), which must lie within the written part.
    void WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n);
    // Closes the file and reports a failure the system only reports at closing (e.g. on network drives).
    void Close();
    const std::string& Path() const noexcept { return path_; }

private:
    // Frees what was reserved past the written end (a file cut short by a failure or a cancel).
    void ReleaseUnused() noexcept;
    // Starts the write-back of the pages written since the last call; of an uncached file, waits for the
    // write-back of those before them and drops their pages.
    void WriteBack() noexcept;

    std::string path_;
    std::intptr_t handle_;
    std::int64_t reserved_ = 0;
    std::int64_t written_ = 0;
    bool writesBack_ = false;  // announced long enough to start its write-back as it goes
    bool uncached_ = false;    // announced at UncachedLength or more
    std::int64_t started_ = 0; // the write-back of what lies before this offset has been started
    std::int64_t settled_ = 0; // what lies before this offset is on the disk
    std::int64_t dropped_ = 0; // what lies before this offset was dropped from the cache
};

} // namespace host

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

class OutputFolder;

// An ordinary file open for sequential reading from its start (a FIFO, socket, device or folder is
// refused without waiting for it). Closed by Close() or at the latest by the destructor.
class InputFile {
public:
    explicit InputFile(const std::string& path);
    // The file of path's last part in the folder the output goes into, opened through the folder's own
    // descriptor: a folder swapped meanwhile cannot make the input and the output two different folders'.
    InputFile(const OutputFolder& folder, const std::string& path);
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Reads exactly n bytes into data; a file that ends early is a failure.
    void Read(std::uint8_t* data, std::size_t n);
    // Throws when the file's length or modification time is no longer what it was when it was opened:
    // another program wrote to it while it was read, so what was read need not be what the file holds.
    void CheckUnchanged() const;
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
    // Checks what was opened and takes its length, permissions and modification time.
    void Opened();

    std::string path_;
    std::intptr_t handle_;
    std::int64_t length_ = 0;
    std::int64_t modified_ = 0; // the modification time when opened, in the system's finest unit
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
// and the output written and renamed, relative to it, so a folder that another program swaps for a link
// meanwhile cannot send any of it into another folder. (On Windows, where folders in use cannot be
// swapped, by path.)
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
    // The identity of the folder itself.
    FileIdentity Identity() const;
    // Flushes the folder's list of names to stable storage, so that the files renamed into it are found
    // under their names after a crash. Nothing to do on Windows, whose file systems keep names in their
    // journal and whose renames here write through.
    void Sync() const;

private:
    friend class InputFile;
    friend class OutputFile;
    std::string path_;
    std::string folder_;
    std::string name_;
    std::intptr_t handle_;
};

// The reason why name (one part of a path) cannot name a file of its own on this system, or nullptr:
// a separator in it, and on Windows a character Windows refuses in names, a name Windows would silently
// change (a trailing dot or space: "a." opens "a") or a device's name ("con", "con.txt").
const char* NameProblem(const std::string& name) noexcept;
// Whether text may stand inside a name: no separator of either system ('/', '\\'), and on Windows none
// of the characters Windows refuses in names (control characters and <>:"|?*).
bool FitsInName(const std::string& text) noexcept;

// A new file that becomes the output's content as a whole or not at all. It is written under a name of
// its own in the output's folder (the output's name, ".tessarin-", a random part and ".tmp", created
// exclusively: never a name that exists, never through a link), and renamed over the output's name by
// Commit once it has been flushed. Until then an old file of the output's name stays exactly as it was;
// a file that is never committed is removed when it is closed or destroyed, so after a failure or a
// cancel nothing is left of it. Only a process killed outright leaves the temporary file behind.
// Its permission bits are the given ones, less the process's umask (ignored on Windows, where a new file
// takes its folder's rights).
class OutputFile final : public ByteSink {
public:
    OutputFile(const OutputFolder& folder, std::uint32_t permissions = 0666);
    // Gives back reserved space the file did not use, closes it, and removes it unless it was committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Tells the system how long the file is going to be. Space is set aside ahead of the writes, in
    // pieces of at most ReserveStep beyond what has been written, so that it is allocated in large
    // pieces while a killed run leaves little reserved space behind. The file's length stays what has
    // been written, and a system or file system that cannot reserve space ignores it: a full disk is
    // still reported by Write. A file closed shorter than reserved gives the rest back.
    void Reserve(std::int64_t length) noexcept override;
    // Writes all n bytes or throws; of a long file, starts writing them out to the disk, so that the
    // flush at the end only waits for the last of them.
    void Write(const std::uint8_t* data, std::size_t n) override;
    // Returns once everything written is on stable storage, or throws.
    void Flush() override;
    // Starts writing out everything written so far, for a flush that is to follow later.
    void StartWriteBack() noexcept;
    FileIdentity Identity() const;
    // Writes n bytes over what was written at offset (0-based), which must lie within the written part.
    void WriteAt(std::int64_t offset, const std::uint8_t* data, std::size_t n);
    // Closes the file (reporting a failure the system only reports at closing, e.g. on network drives)
    // and renames it over the output's name in one step: a file or link there is replaced (a read-only
    // file too; a link itself, never its target) when replace is true; otherwise, and always over a
    // folder or special file, the rename fails and the file is removed. Call after Flush. The folder's
    // Sync makes the new name durable.
    void Commit(bool replace);
    // Closes the file and removes it, if it has not been committed. Never throws.
    void Discard() noexcept;
    // The output's path, which messages name.
    const std::string& Path() const noexcept { return path_; }
    // The name the file is written under until it is committed (in the output's folder).
    const std::string& TemporaryName() const noexcept { return temporary_; }

    // How far reserved space reaches beyond the written bytes.
    static constexpr std::int64_t ReserveStep = std::int64_t{64} << 20;

private:
    // Frees what was reserved past the written end (a file cut short by a failure or a cancel).
    void ReleaseUnused() noexcept;
    // Sets space aside for the next ReserveStep bytes when the writes have come near the reserved end.
    void ReserveAhead() noexcept;
    // Starts the write-back of the pages written since the last call; of an uncached file, waits for the
    // write-back of those before them and drops their pages.
    void WriteBack() noexcept;
    // Closes the descriptor; throws what the system reports at closing.
    void CloseHandle();
    // Removes the file from its temporary name and from the outputs in progress.
    void RemoveTemporary() noexcept;
    friend void DiscardOutputsInProgress() noexcept;

    const OutputFolder& folder_;
    std::string path_;
    std::string temporary_;
    std::intptr_t handle_;
    bool inProgress_ = true;     // the file stands under its temporary name, not yet committed or removed
    std::int64_t announced_ = 0; // the length Reserve announced
    std::int64_t reserved_ = 0;
    std::int64_t written_ = 0;
    bool writesBack_ = false;  // announced long enough to start its write-back as it goes
    bool uncached_ = false;    // announced at UncachedLength or more
    std::int64_t started_ = 0; // the write-back of what lies before this offset has been started
    std::int64_t settled_ = 0; // what lies before this offset is on the disk
    std::int64_t dropped_ = 0; // what lies before this offset was dropped from the cache
};

// Removes every output file that is still being written and was not committed, without closing or
// flushing anything: for a process that is about to end at once (its window closed during a batch).
// Never throws.
void DiscardOutputsInProgress() noexcept;

} // namespace host

#pragma once

// The in-memory file layer's own side: what a test or fuzzer sets up and looks at. Programs linked with
// tessarin_host_memory instead of the system's file layer read and write this disk through host/files.h,
// with the same errors and reasons, and the same operations counted for the fault seam.
//
// The disk is POSIX-like: one root "/", folders, files, symbolic links and special files (FIFOs and the
// like), each with an identity. Paths are resolved with ".", ".." and links (at most 40 links a path).
// What is durable is kept apart from what is only written: a file's data once it is flushed, a folder's
// names once the folder is flushed; Crash() keeps only that, as a machine that lost power would.
// Everything done through these functions counts as durable at once, and none of it is counted for the
// fault seam: it is the world around the program, not the program.

#include "host/files.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace host::memory {

// An empty disk: only the root folder and /tmp; the current folder is the root; standard output empty.
void Reset();

// Creates a folder (its parent must exist). Throws FileError as the program's calls would.
void MakeFolder(const std::string& path);
// Writes a file of these bytes, replacing a file there (links at the name followed).
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes,
               std::uint32_t permissions = 0644);
// The bytes of the file at path (links followed).
std::vector<std::uint8_t> ReadFile(const std::string& path);
// A symbolic link at path that leads to target (not checked).
void MakeLink(const std::string& target, const std::string& path);
// A second name of the file at existing (a hard link).
void MakeHardLink(const std::string& existing, const std::string& path);
// A FIFO at path.
void MakeSpecial(const std::string& path);
// Removes what stands at path (a folder with all it holds); nothing there is no failure.
void Remove(const std::string& path);
// Renames what stands at from to to, replacing what stands there (but never a folder).
void Rename(const std::string& from, const std::string& to);
// What stands at path, not following a link there unless followLinks (a dangling link: None).
EntryKind Kind(const std::string& path, bool followLinks = false);
// The names in a folder, in order.
std::vector<std::string> Entries(const std::string& folder);
// What a folder holds, in one look: each name, what stands there (not following a link) and, for a
// file, its bytes.
struct Listed {
    std::string name;
    EntryKind kind;
    std::vector<std::uint8_t> bytes;
};
std::vector<Listed> Listing(const std::string& folder);
// Permission bits (0777) of what the path leads to.
std::uint32_t Permissions(const std::string& path);
void SetPermissions(const std::string& path, std::uint32_t permissions);
// How many files and folders the program holds open.
std::size_t OpenHandles();
// The current folder relative paths start from.
void SetCurrentFolder(const std::string& path);

// What the program wrote to standard output, and the identity standard output has (none: a pipe).
std::vector<std::uint8_t>& StandardOutputBytes();
void SetStandardOutput(std::optional<FileIdentity> identity);

// Keeps only what is durable: every folder holds the names it held when last flushed, every file the
// bytes it held when last flushed. Open files and folders stay open on what they were.
void Crash();

} // namespace host::memory

#pragma once

// Test seam of the file layer: counts the file operations that can fail and makes a chosen one fail
// with a chosen error, so tests can walk a failure through every step of a batch.

#include <cstdint>
#include <functional>
#include <string>

namespace host::faults {

enum class Fault { AccessRefused, DiskFull, IoError };

// What a counted operation does, so that a test can name the one it means.
enum class Operation {
    Examine,      // a path looked at: folder or not, length, a folder's entries
    OpenFolder,   // an output's folder opened
    Look,         // what stands at an output's name
    OpenInput,    // a file opened for reading
    Read,         // bytes read from it
    CreateOutput, // an output's temporary file created
    Write,        // bytes written to it
    Rewrite,      // bytes written over what was written (the checksum into its place)
    Flush,        // an output flushed to the disk
    Rename,       // an output renamed over its name
    SyncFolder,   // a folder's names flushed to the disk
};

// From now on, the k-th counted operation (1-based) fails with the fault; the count restarts at 0.
void FailOperation(std::uint64_t k, Fault fault) noexcept;
// Stops failing operations and restarts the count.
void Reset() noexcept;
// From now on, the action runs at the start of every counted operation with its path, as another program
// acting at that moment would (Reset removes it).
void BeforeOperation(std::function<void(const char* path)> action);
// From now on, the nth operation (1-based) of this kind on this path fails with the fault.
void FailOperation(Operation operation, const std::string& path, std::uint64_t nth, Fault fault);
// Counted operations since the last FailOperation or Reset.
std::uint64_t OperationCount() noexcept;
// What the operation in progress does: for a BeforeOperation action to tell operations apart.
Operation CurrentOperation() noexcept;

// Called by the file layer before each operation that can fail; throws the injected error when due.
void CountOperation(const char* path, Operation operation);

} // namespace host::faults

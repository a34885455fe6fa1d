#pragma once

// Test seam of the file layer: counts the file operations that can fail and makes a chosen one fail
// with a chosen error, so tests can walk a failure through every step of a batch.

#include <cstdint>
#include <functional>

namespace host::faults {

enum class Fault { AccessRefused, DiskFull, IoError };

// From now on, the k-th counted operation (1-based) fails with the fault; the count restarts at 0.
void FailOperation(std::uint64_t k, Fault fault) noexcept;
// Stops failing operations and restarts the count.
void Reset() noexcept;
// From now on, the action runs at the start of every counted operation with its path, as another program
// acting at that moment would (Reset removes it).
void BeforeOperation(std::function<void(const char* path)> action);
// Counted operations since the last FailOperation or Reset.
std::uint64_t OperationCount() noexcept;

// Called by the file layer before each operation that can fail; throws the injected error when due.
void CountOperation(const char* path);

} // namespace host::faults

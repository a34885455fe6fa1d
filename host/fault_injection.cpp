#include "host/fault_injection.h"

#include "host/file_error.h"

#include <atomic>

namespace host::faults {
namespace {

std::atomic<std::uint64_t> count{0};
std::atomic<std::uint64_t> failAt{0}; // 0: no fault planned
Fault planned = Fault::IoError;

} // namespace

void FailOperation(std::uint64_t k, Fault fault) noexcept {
    planned = fault;
    count = 0;
    failAt = k;
}

void Reset() noexcept {
    failAt = 0;
    count = 0;
}

std::uint64_t OperationCount() noexcept {
    return count;
}

void CountOperation(const char* path) {
    const std::uint64_t n = ++count;
    if (n != failAt.load())
        return;
    switch (planned) {
    case Fault::AccessRefused:
        throw FileError(FileErrorKind::AccessRefused, path, "Permission denied (injected)");
    case Fault::DiskFull:
        throw FileError(FileErrorKind::Other, path, "No space left on device (injected)");
    case Fault::IoError:
        break;
    }
    throw FileError(FileErrorKind::Other, path, "Input/output error (injected)");
}

} // namespace host::faults

#include "host/fault_injection.h"

#include "host/file_error.h"
#include "host/system_reasons.h"

#include <atomic>

namespace host::faults {
namespace {

std::atomic<std::uint64_t> count{0};
std::atomic<std::uint64_t> failAt{0}; // 0: no fault planned
Fault planned = Fault::IoError;
std::function<void(const char*)> before;

} // namespace

void FailOperation(std::uint64_t k, Fault fault) noexcept {
    planned = fault;
    count = 0;
    failAt = k;
}

void Reset() noexcept {
    failAt = 0;
    count = 0;
    before = nullptr;
}

void BeforeOperation(std::function<void(const char* path)> action) {
    before = std::move(action);
}

std::uint64_t OperationCount() noexcept {
    return count;
}

void CountOperation(const char* path) {
    if (before)
        before(path);
    const std::uint64_t n = ++count;
    if (n != failAt.load())
        return;
    switch (planned) {
    case Fault::AccessRefused:
        throw FileError(FileErrorKind::AccessRefused, path, reasons::AccessDenied);
    case Fault::DiskFull:
        throw FileError(FileErrorKind::Other, path, reasons::NoSpace);
    case Fault::IoError:
        break;
    }
    throw FileError(FileErrorKind::Other, path, reasons::InputOutput);
}

} // namespace host::faults

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
Operation current = Operation::Examine;
// A fault planned for the nth operation of one kind on one path (nth 0: none).
struct Named {
    Operation operation;
    std::string path;
    std::uint64_t nth = 0;
    std::uint64_t seen = 0;
} named;

[[noreturn]] void Throw(Fault fault, const char* path) {
    switch (fault) {
    case Fault::AccessRefused:
        throw FileError(FileErrorKind::AccessRefused, path, reasons::AccessDenied);
    case Fault::DiskFull:
        throw FileError(FileErrorKind::Other, path, reasons::NoSpace);
    case Fault::IoError:
        break;
    }
    throw FileError(FileErrorKind::Other, path, reasons::InputOutput);
}

} // namespace

void FailOperation(std::uint64_t k, Fault fault) noexcept {
    planned = fault;
    count = 0;
    failAt = k;
}

void FailOperation(Operation operation, const std::string& path, std::uint64_t nth, Fault fault) {
    planned = fault;
    count = 0;
    failAt = 0;
    named = Named{operation, path, nth, 0};
}

void Reset() noexcept {
    failAt = 0;
    count = 0;
    before = nullptr;
    named.nth = 0;
}

Operation CurrentOperation() noexcept {
    return current;
}

void BeforeOperation(std::function<void(const char* path)> action) {
    before = std::move(action);
}

std::uint64_t OperationCount() noexcept {
    return count;
}

void CountOperation(const char* path, Operation operation) {
    current = operation;
    if (before)
        before(path);
    const std::uint64_t n = ++count;
    if (named.nth != 0 && named.operation == operation && named.path == path && ++named.seen == named.nth)
        Throw(planned, path);
    if (n == failAt.load())
        Throw(planned, path);
}

} // namespace host::faults

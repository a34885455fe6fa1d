// The stop requests on Windows: Ctrl+C and Ctrl+Break reach a console handler, which the system runs on
// a thread of its own; it only sets the flag.

#include "host/stop_request.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace host {
namespace {

// The status a POSIX shell shows after Ctrl+C, so that scripts read the same on both systems.
constexpr int InterruptedStatus = 130;

std::atomic<bool> interrupted{false};

BOOL WINAPI Record(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    // Handled the first time; the second goes on to the system's handler, which ends the program.
    return interrupted.exchange(true) ? FALSE : TRUE;
}

} // namespace

void CatchStopRequests() {
    // A program started with Ctrl+C ignored (a new process group) is not called for it either.
    ::SetConsoleCtrlHandler(Record, TRUE);
}

StopRequest PendingStopRequest() noexcept {
    return interrupted ? StopRequest::Interrupt : StopRequest::None;
}

void EndForStopRequest(StopRequest request) {
    std::fflush(nullptr);
    std::exit(request == StopRequest::None ? EXIT_FAILURE : InterruptedStatus);
}

void FailWritesPastSizeLimit() {}

} // namespace host

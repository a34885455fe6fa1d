// The stop requests on Windows: Ctrl+C and Ctrl+Break reach a console handler, which the system runs on
// a thread of its own; it only sets the flag, or, when the program is to end at once, has the outputs in
// work removed first.

#include "host/stop_request.h"

#include "host/files.h"

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
    // Closing the console, logging off, shutting down: the program ends without a word, and the output
    // in work leaves no temporary file behind.
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) {
        DiscardOutputsInProgress();
        return FALSE;
    }
    // Handled the first time; the second goes on to the system's handler, which ends the program.
    if (!interrupted.exchange(true))
        return TRUE;
    DiscardOutputsInProgress();
    return FALSE;
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

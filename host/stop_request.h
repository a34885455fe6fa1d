#pragma once

// Requests from outside to end the program while it works: Ctrl+C (SIGINT), SIGTERM, and the hang-up of
// its terminal (SIGHUP). Once caught they only set a flag, which the command-line program reads at its
// event passes, so that a run cut short leaves through the batch's one failure path: files closed,
// reserved space given back, the file named. The program then ends as the request would have ended it.

namespace host {

enum class StopRequest { None, Interrupt, Terminate, HangUp };

// From now on, the first request sets the flag instead of ending the program; a second one of the same
// kind ends it at once, for a user who does not want to wait for the failure path. A request the program
// was started to ignore (nohup, a background job of a shell without job control) stays ignored. On
// Windows: Ctrl+C and Ctrl+Break.
void CatchStopRequests();

// From now on a write past the process's file-size limit (ulimit -f) fails with its reason (the file is
// too large) instead of ending the program without a word; the batch's failure path then tidies up.
// Nothing to do on Windows, which has no such signal.
void FailWritesPastSizeLimit();

// The first request caught, None while there was none.
StopRequest PendingStopRequest() noexcept;

// Ends the program as the uncaught request would have: by the signal itself, so that a shell reports 128
// plus its number (130, 143, 129) and a shell script's loop stops with it. On Windows, exit status 130.
[[noreturn]] void EndForStopRequest(StopRequest request);

} // namespace host

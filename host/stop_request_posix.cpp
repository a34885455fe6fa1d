// The stop requests on POSIX systems: handlers that only record the signal, read by the program at its
// next event pass.

#include "host/stop_request.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <signal.h>

namespace host {
namespace {

constexpr int Caught[] = {SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t caught = 0; // the first signal caught, 0 for none

void Record(int signal) {
    if (caught == 0)
        caught = signal;
}

int SignalOf(StopRequest request) {
    switch (request) {
    case StopRequest::Interrupt:
        return SIGINT;
    case StopRequest::Terminate:
        return SIGTERM;
    case StopRequest::HangUp:
        return SIGHUP;
    case StopRequest::None:
        break;
    }
    return 0;
}

} // namespace

void CatchStopRequests() {
    struct sigaction action {};
    action.sa_handler = Record;
    sigemptyset(&action.sa_mask);
    for (const int signal : Caught)
        sigaddset(&action.sa_mask, signal);
    // SA_RESTART: a read or write the signal interrupts goes on instead of failing, and the flag is seen
    // at the event pass after the block in work. SA_RESETHAND: the second request meets the default
    // action and ends the program at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : Caught) {
        struct sigaction before {};
        if (::sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN)
            continue;
        ::sigaction(signal, &action, nullptr);
    }
}

StopRequest PendingStopRequest() noexcept {
    switch (caught) {
    case SIGINT:
        return StopRequest::Interrupt;
    case SIGTERM:
        return StopRequest::Terminate;
    case SIGHUP:
        return StopRequest::HangUp;
    default:
        return StopRequest::None;
    }
}

void EndForStopRequest(StopRequest request) {
    const int signal = SignalOf(request);
    std::fflush(nullptr);
    if (signal != 0) {
        struct sigaction action {};
        action.sa_handler = SIG_DFL;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
        ::raise(signal);
    }
    // Reached only without a request to end by; the status a shell shows for a signal otherwise.
    std::_Exit(signal != 0 ? 128 + signal : EXIT_FAILURE);
}

void FailWritesPastSizeLimit() {
    ::signal(SIGXFSZ, SIG_IGN);
}

} // namespace host

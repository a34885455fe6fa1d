#include "host/terminal.h"

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdio>
#include <fcntl.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace host {
namespace {

// The requests to end the program that may come while the echo is off. Their default action would leave
// the terminal without echo, and the shell that reads the next command line shows nothing of it.
constexpr int PromptSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The requests to stop (suspend) the program, Ctrl+Z among them: the terminal gets its echo back while
// the program is stopped, and loses it again when the program continues.
constexpr int SuspendSignals[] = {SIGTSTP, SIGTTIN, SIGTTOU};

// What the handlers give back and take again, set before they are installed.
int hiddenTerminal = -1;
termios shownSettings{};
termios hiddenSettings{};
// The prompt in view, shown again when the program continues: the terminal discarded what was typed on
// the line when it stopped the program.
const char* shownPrompt = nullptr;
std::size_t shownPromptLength = 0;

// Gives the terminal its settings back (discarding a half-typed password, which the shell would otherwise
// read as its next input), then lets the signal end the program as it would have: its default action
// comes when the handler returns and the signal is no longer blocked.
void RestoreAndEnd(int signal) {
    ::tcsetattr(hiddenTerminal, TCSAFLUSH, &shownSettings);
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
}

// Shows the echo while the program is stopped. The signal's default action stops the program within
// the handler, once it is unblocked; when the program is continued in the foreground, the input is
// hidden again and the prompt shown anew.
void ShowWhileStopped(int signal) {
    const int savedErrno = errno;
    ::tcsetattr(hiddenTerminal, TCSANOW, &shownSettings);
    struct sigaction action {};
    struct sigaction hiding {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, &hiding);
    sigset_t unblock;
    sigemptyset(&unblock);
    sigaddset(&unblock, signal);
    ::raise(signal);
    ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
    // Continued. Blocked again until the handler returns, and handled again from then on.
    ::sigprocmask(SIG_BLOCK, &unblock, nullptr);
    ::sigaction(signal, &hiding, nullptr);
    if (::tcgetpgrp(hiddenTerminal) == ::getpgrp()) {
        ::tcsetattr(hiddenTerminal, TCSANOW, &hiddenSettings);
        [[maybe_unused]] const ssize_t shown = ::write(hiddenTerminal, shownPrompt, shownPromptLength);
    }
    errno = savedErrno;
}

// The terminal without echo for as long as the object lives, the line end still echoed. A request to end
// the program meanwhile restores the settings before it ends the program.
class HiddenInput {
public:
    explicit HiddenInput(int fd) {
        if (::tcgetattr(fd, &shownSettings) != 0)
            return; // no terminal settings to change
        hiddenTerminal = fd;
        struct sigaction action {};
        action.sa_handler = RestoreAndEnd;
        sigemptyset(&action.sa_mask);
        for (const int signal : PromptSignals)
            sigaddset(&action.sa_mask, signal);
        for (const int signal : SuspendSignals)
            sigaddset(&action.sa_mask, signal);
        for (std::size_t i = 0; i < std::size(PromptSignals); ++i) {
            // A signal the program was started to ignore stays ignored.
            installed_[i] = ::sigaction(PromptSignals[i], nullptr, &before_[i]) == 0 &&
                            before_[i].sa_handler != SIG_IGN &&
                            ::sigaction(PromptSignals[i], &action, nullptr) == 0;
        }
        struct sigaction suspend {};
        suspend.sa_handler = ShowWhileStopped;
        sigemptyset(&suspend.sa_mask);
        for (const int signal : SuspendSignals)
            sigaddset(&suspend.sa_mask, signal);
        for (std::size_t i = 0; i < std::size(SuspendSignals); ++i) {
            suspendInstalled_[i] = ::sigaction(SuspendSignals[i], nullptr, &suspendBefore_[i]) == 0 &&
                                   suspendBefore_[i].sa_handler != SIG_IGN &&
                                   ::sigaction(SuspendSignals[i], &suspend, nullptr) == 0;
        }
        hiddenSettings = shownSettings;
        hiddenSettings.c_lflag &= static_cast<tcflag_t>(~ECHO);
        hiddenSettings.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &hiddenSettings);
        hidden_ = true;
    }
    ~HiddenInput() {
        if (!hidden_)
            return;
        ::tcsetattr(hiddenTerminal, TCSAFLUSH, &shownSettings);
        for (std::size_t i = 0; i < std::size(PromptSignals); ++i)
            if (installed_[i])
                ::sigaction(PromptSignals[i], &before_[i], nullptr);
        for (std::size_t i = 0; i < std::size(SuspendSignals); ++i)
            if (suspendInstalled_[i])
                ::sigaction(SuspendSignals[i], &suspendBefore_[i], nullptr);
        hiddenTerminal = -1;
    }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

private:
    bool hidden_ = false;
    struct sigaction before_[std::size(PromptSignals)]{};
    bool installed_[std::size(PromptSignals)] = {};
    struct sigaction suspendBefore_[std::size(SuspendSignals)]{};
    bool suspendInstalled_[std::size(SuspendSignals)] = {};
};

} // namespace

void PrepareConsole() {
    // Terminals here take UTF-8 and the escape sequences as they come.
}

bool StandardErrorIsTerminal() {
    return ::isatty(STDERR_FILENO) == 1;
}

bool StandardOutputIsTerminal() {
    return ::isatty(STDOUT_FILENO) == 1;
}

std::optional<std::string> ReadPasswordFromTerminal(const std::string& prompt) {
    const int fd = ::open("/dev/tty", O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::string line;
    shownPrompt = prompt.c_str();
    shownPromptLength = prompt.size();
    {
        const HiddenInput hidden(fd);
        [[maybe_unused]] ssize_t ignored = ::write(fd, prompt.data(), prompt.size());
        for (;;) {
            char c;
            const ssize_t got = ::read(fd, &c, 1);
            if (got < 0 && errno == EINTR)
                continue;
            if (got != 1 || c == '\n')
                break;
            line += c;
        }
    }
    ::close(fd);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

} // namespace host

#include "host/terminal.h"

#include <clocale>
#include <cstdio>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace host {

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
    termios saved{};
    const bool canHide = ::tcgetattr(fd, &saved) == 0;
    if (canHide) {
        termios quiet = saved;
        quiet.c_lflag &= static_cast<tcflag_t>(~ECHO);
        quiet.c_lflag |= ECHONL;
        ::tcsetattr(fd, TCSAFLUSH, &quiet);
    }
    [[maybe_unused]] ssize_t ignored = ::write(fd, prompt.data(), prompt.size());
    std::string line;
    char c;
    while (::read(fd, &c, 1) == 1 && c != '\n')
        line += c;
    if (canHide)
        ::tcsetattr(fd, TCSAFLUSH, &saved);
    ::close(fd);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

char EnvironmentDecimalSeparator() {
    char separator = '.';
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* conventions = std::localeconv();
        if (conventions && conventions->decimal_point && conventions->decimal_point[0])
            separator = conventions->decimal_point[0];
    }
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

} // namespace host

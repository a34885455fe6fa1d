// The console side of the command-line program on Windows: UTF-8 output, the password prompt through
// the console itself (also when standard input and output are redirected).

#include "host/terminal.h"
#include "host/windows_text.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace host {
namespace {

UINT savedOutputCodePage = 0;
HANDLE modeChangedConsole = INVALID_HANDLE_VALUE;
DWORD savedMode = 0;

// The console window lives on after the program; a cmd.exe in it should find its settings as before.
void RestoreConsole() {
    std::fflush(stdout);
    std::fflush(stderr);
    if (savedOutputCodePage != 0)
        ::SetConsoleOutputCP(savedOutputCodePage);
    if (modeChangedConsole != INVALID_HANDLE_VALUE)
        ::SetConsoleMode(modeChangedConsole, savedMode);
}

class ConsoleHandle {
public:
    explicit ConsoleHandle(const wchar_t* name)
        : handle_(::CreateFileW(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, 0, nullptr)) {}
    ~ConsoleHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle_);
    }
    ConsoleHandle(const ConsoleHandle&) = delete;
    ConsoleHandle& operator=(const ConsoleHandle&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

void WriteConsoleText(HANDLE console, const std::wstring& text) {
    DWORD written = 0;
    ::WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

} // namespace

void PrepareConsole() {
    const HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    const bool errorIsConsole = error != INVALID_HANDLE_VALUE && ::GetConsoleMode(error, &mode);
    DWORD outputMode = 0;
    const bool outputIsConsole = ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &outputMode);
    if (!errorIsConsole && !outputIsConsole)
        return; // redirected: the bytes go out unchanged
    savedOutputCodePage = ::GetConsoleOutputCP();
    ::SetConsoleOutputCP(CP_UTF8);
    // The status line erases its rest with an ANSI escape sequence.
    if (errorIsConsole && !(mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) &&
        ::SetConsoleMode(error, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
        modeChangedConsole = error;
        savedMode = mode;
    }
    // Unbuffered, the C runtime hands the console one byte at a time, and older consoles then show a
    // character of several UTF-8 bytes as several wrong ones. The status line flushes after each draw.
    if (errorIsConsole)
        std::setvbuf(stderr, nullptr, _IOFBF, 4096);
    std::atexit(RestoreConsole);
}

bool StandardErrorIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

bool StandardOutputIsTerminal() {
    DWORD mode = 0;
    return ::GetConsoleMode(::GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

std::optional<std::string> ReadPasswordFromTerminal(const std::string& prompt) {
    // The console itself, as /dev/tty elsewhere: standard input may be a pipe with other content.
    ConsoleHandle input(L"CONIN$");
    ConsoleHandle output(L"CONOUT$");
    DWORD saved = 0;
    if (input.Get() == INVALID_HANDLE_VALUE || !::GetConsoleMode(input.Get(), &saved))
        return std::nullopt;
    // Line input without echo; the line still ends at Enter and the editing keys still work.
    ::SetConsoleMode(input.Get(), (saved & ~ENABLE_ECHO_INPUT) | ENABLE_LINE_INPUT | ENABLE_PROCESSED_INPUT);
    if (output.Get() != INVALID_HANDLE_VALUE)
        WriteConsoleText(output.Get(), windows::Widen(prompt));

    std::wstring line;
    wchar_t buffer[256];
    for (;;) {
        DWORD got = 0;
        if (!::ReadConsoleW(input.Get(), buffer, static_cast<DWORD>(std::size(buffer)), &got, nullptr) ||
            got == 0)
            break;
        line.append(buffer, got);
        if (line.find(L'\n') != std::wstring::npos || line.find(L'\r') != std::wstring::npos)
            break;
    }
    ::SetConsoleMode(input.Get(), saved);
    if (output.Get() != INVALID_HANDLE_VALUE)
        WriteConsoleText(output.Get(), L"\r\n"); // the Enter key was not echoed either
    line = line.substr(0, line.find_first_of(L"\r\n"));
    std::string password = windows::Narrow(line);
    ::SecureZeroMemory(line.data(), line.size() * sizeof(wchar_t));
    ::SecureZeroMemory(buffer, sizeof buffer);
    return password;
}

} // namespace host

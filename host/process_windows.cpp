// The process facts on Windows. The C runtime's argv is in the ANSI code page and loses every character
// outside it, so the arguments are taken from the wide-character command line instead.

#include "host/process.h"
#include "host/windows_text.h"

#include <windows.h>

#include <shellapi.h>

namespace host {

using windows::Narrow;

void InitProcess(int, char**) {
    // Everything is read from the system when asked for.
}

std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** split = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    if (!split)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Narrow(split[i], std::wcslen(split[i])));
    ::LocalFree(split);
    return arguments;
}

bool CommandLineIsRawText() {
    return true;
}

std::string CommandLineText() {
    return TextBehindProgramPath(Narrow(::GetCommandLineW(), std::wcslen(::GetCommandLineW())));
}

std::string CurrentDirectory() {
    DWORD n = ::GetCurrentDirectoryW(0, nullptr);
    std::wstring directory(n, L'\0');
    n = ::GetCurrentDirectoryW(n, directory.data());
    if (n == 0 || n >= directory.size())
        return {};
    directory.resize(n);
    return Narrow(directory);
}

std::string ExecutableName() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return "tessarin";
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2); // truncated: try again with more room
    }
    const std::size_t start = path.find_last_of(L"\\/") + 1; // npos + 1 == 0
    std::wstring name = path.substr(start);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.resize(dot);
    return name.empty() ? "tessarin" : Narrow(name);
}

char DecimalSeparator() {
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    // The length counts the terminating NUL.
    return DecimalSeparatorOf(length > 1 ? Narrow(separator, static_cast<std::size_t>(length - 1)) : "");
}

} // namespace host

// tessarin-launch.exe: starts tessarin.exe from its own folder with every file it was given in double
// quotes. It is what the Start-menu entry and the "Senden an" entry run.
//
// Explorer hands the files sent to a program, or dropped onto its icon, over as one command line in
// which only the paths holding a space are quoted (C:\a.txt "C:\b c.txt" C:\d.txt). The window reads its
// command line as quoted paths separated by single spaces, where unquoted paths run together into one
// item. So this program splits the line by Windows' own rules (CommandLineToArgvW, for which a path
// cannot be ambiguous: no Windows file name holds a double quote) and hands each path on quoted.

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

// The longest command line CreateProcess takes, its closing NUL included.
constexpr std::size_t CommandLineLimit = 32767;

constexpr wchar_t Title[] = L"Tessarin";

void Warn(const std::wstring& text) {
    ::MessageBoxW(nullptr, text.c_str(), Title, MB_OK | MB_ICONEXCLAMATION);
}

// The folder of this program, with its closing backslash.
std::wstring OwnFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0)
            return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    const std::wstring window = OwnFolder() + L"tessarin.exe";
    std::wstring line = L"\"" + window + L"\"";
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    int files = 0;
    for (int i = 1; arguments != nullptr && i < count; ++i) {
        if (arguments[i][0] == L'\0')
            continue; // an empty argument names no file
        line += L" \"";
        line += arguments[i];
        line += L'"';
        ++files;
    }
    if (arguments != nullptr)
        ::LocalFree(arguments);
    if (line.size() >= CommandLineLimit) {
        // Starting the window with only some of them would lose the rest without a word.
        Warn(L"Zu viele Dateien auf einmal (" + std::to_wstring(files) +
             L"): ihre Namen passen nicht in eine Befehlszeile.\r\nBitte weniger Dateien senden oder sie in "
             L"das Fenster von Tessarin ziehen.");
        return 1;
    }

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(window.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        Warn(L"Tessarin lässt sich nicht starten:\r\n" + window);
        return 1;
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return 0;
}

// Reads the lists of a running Tessarin window from outside, as another program on the desktop can:
//   [TESSARIN_PROBE_RUN=COMMAND_LINE] window_lists_probe
// With TESSARIN_PROBE_RUN set, first starts that command line exactly as written, as Explorer starts a
// program with the command line it built. Then waits up to 30 seconds for the window,
// prints each item of its encryption list as "1 PATH" and of its decryption list as "2 PATH" (UTF-8, one
// a line), closes the window and exits with 0; with 1 when no window came.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                        nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr,
                          nullptr);
    return bytes;
}

void Print(const std::string& line) {
    DWORD written = 0;
    const std::string text = line + "\n";
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written,
                nullptr);
}

BOOL CALLBACK CollectListBox(HWND child, LPARAM found) {
    wchar_t name[32] = {};
    ::GetClassNameW(child, name, 32);
    if (std::wstring(name) == L"ListBox")
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
    return TRUE;
}

// The command line to start first, from TESSARIN_PROBE_RUN: passed through the environment, it arrives
// exactly as written, where a program's own arguments would be quoted anew on the way (by Wine, say).
std::wstring CommandToRun() {
    const DWORD n = ::GetEnvironmentVariableW(L"TESSARIN_PROBE_RUN", nullptr, 0);
    if (n == 0)
        return {};
    std::wstring command(n, L'\0');
    command.resize(::GetEnvironmentVariableW(L"TESSARIN_PROBE_RUN", command.data(), n));
    return command;
}

} // namespace

int wmain() {
    std::wstring command = CommandToRun();
    if (!command.empty()) {
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process)) {
            Print("cannot start: " + Utf8(command));
            return 1;
        }
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    HWND window = nullptr;
    for (int i = 0; i < 300 && window == nullptr; ++i) {
        window = ::FindWindowW(L"TessarinMain", nullptr);
        if (window == nullptr)
            ::Sleep(100);
    }
    if (window == nullptr) {
        Print("no Tessarin window");
        return 1;
    }
    // The window fills its lists before it shows itself; wait until it answers messages.
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_BLOCK, 10000, &answer);
    std::vector<HWND> lists;
    ::EnumChildWindows(window, CollectListBox, reinterpret_cast<LPARAM>(&lists));
    // The encryption list was created first: it has the lower control number.
    std::sort(lists.begin(), lists.end(),
              [](HWND a, HWND b) { return ::GetDlgCtrlID(a) < ::GetDlgCtrlID(b); });
    for (std::size_t list = 0; list < lists.size(); ++list) {
        const LRESULT count = ::SendMessageW(lists[list], LB_GETCOUNT, 0, 0);
        for (LRESULT item = 0; item < count; ++item) {
            const LRESULT length = ::SendMessageW(lists[list], LB_GETTEXTLEN, item, 0);
            std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
            ::SendMessageW(lists[list], LB_GETTEXT, item, reinterpret_cast<LPARAM>(text.data()));
            text.resize(static_cast<std::size_t>(length));
            Print(std::to_string(list + 1) + " " + Utf8(text));
        }
    }
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    for (int i = 0; i < 100 && ::IsWindow(window); ++i)
        ::Sleep(100);
    return 0;
}

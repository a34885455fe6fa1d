#include "win32/win32_host.h"

#include "host/windows_text.h"
#include "win32/message_loop.h"
#include "win32/open_files.h"

using host::windows::Widen;

Win32Host Win32Host::System() {
    Win32Host host;
    host.warningBox = [](HWND owner, const std::string& title, const std::string& text) {
        ::MessageBoxW(owner, Widen(text).c_str(), Widen(title).c_str(), MB_OK | MB_ICONEXCLAMATION);
    };
    host.openFiles = ShowOpenFiles;
    host.eventPass = [](HWND dialogWindow) { message_loop::PassPending(dialogWindow); };
    // Files are written without user-space buffers, so what the batch wrote so far stays on disk.
    host.endProcess = [] { ::ExitProcess(0); };
    host.quit = [] { ::PostQuitMessage(0); };
    return host;
}

// The window program on Windows: the main window and the message loop, nothing else.

#include "core/command_line.h"
#include "host/process.h"
#include "win32/frmRC4.h"
#include "win32/message_loop.h"

#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
    // On Windows the process facts are read from the system when asked for (the wide command line).
    host::InitProcess(0, nullptr);
    // The open-file dialog shows the shell's folders, which want a single-threaded apartment.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    // Tool tips and the version 6 controls the manifest asks for.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);

    int status = 0;
    {
        frmRC4 window(CommandLineItems());
        ::ShowWindow(window.Handle(), show);
        status = message_loop::Run(window.Handle());
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return status;
}

#pragma once

// The outside effects of the native window, each one replaceable: tests put a recorder in place of the
// modal warning box, a stub in place of the open-file dialog, and a pass that can deliver a click in
// place of the message loop. The window reaches these effects only through here.

#include "window/main_window.h"

#include <windows.h>

#include <functional>
#include <string>

struct Win32Host {
    // A modal message box with the exclamation icon and one OK button; returns when it is closed. Texts
    // are UTF-8, lines separated by CR LF.
    std::function<void(HWND owner, const std::string& title, const std::string& text)> warningBox;
    // The multi-select open-file dialog; returns its result text (window/open_dialog.h), empty when
    // cancelled.
    std::function<std::string(HWND owner, const OpenDialogRequest& request)> openFiles;
    // Handles every pending message of the thread, the keyboard's dialog keys of dialogWindow included.
    std::function<void(HWND dialogWindow)> eventPass;
    // Ends the process at once, without unwinding: the window closes in the middle of a batch.
    std::function<void()> endProcess;
    // Ends the message loop: the main window is gone.
    std::function<void()> quit;

    // The real effects: MessageBoxW, GetOpenFileNameW, a PeekMessage pass, ExitProcess, PostQuitMessage.
    static Win32Host System();
};

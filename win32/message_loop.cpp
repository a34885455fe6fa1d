#include "win32/message_loop.h"

namespace message_loop {

void Dispatch(HWND dialogWindow, MSG& message) {
    if (dialogWindow != nullptr && ::IsDialogMessageW(dialogWindow, &message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
}

bool PassPending(HWND dialogWindow) {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Meant for the main loop, which sees it once the running handler has returned.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        Dispatch(dialogWindow, message);
    }
    return true;
}

int Run(HWND dialogWindow) {
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0)
        Dispatch(dialogWindow, message);
    return static_cast<int>(message.wParam);
}

} // namespace message_loop

#include "win32/password_box.h"

#include "core/container.h"
#include "host/windows_text.h"
#include "text/codepage.h"
#include "win32/controls.h"

#include <commctrl.h>

#include <string>

namespace {

bool ChangesText(UINT message) {
    switch (message) {
    case WM_CHAR:
    case WM_UNICHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
        return true;
    default:
        return false;
    }
}

LRESULT CALLBACK Subclass(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    if (message == WM_NCDESTROY)
        ::RemoveWindowSubclass(edit, Subclass, id);
    if (!ChangesText(message))
        return ::DefSubclassProc(edit, message, wParam, lParam);

    // Let the box make the change, then take it back if the text no longer fits the code page (a lone
    // surrogate, the first half of a character outside it, does not either).
    const std::string before = controls::Text(edit);
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
    const std::string after = controls::Text(edit);
    if (after != before && !codepage::Representable(after)) {
        ::DefSubclassProc(edit, WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(host::windows::Widen(before).c_str()));
        ::SendMessageW(edit, EM_SETSEL, start, end);
        ::MessageBeep(MB_OK);
    }
    return result;
}

} // namespace

void MakePasswordBox(HWND edit) {
    ::SendMessageW(edit, EM_LIMITTEXT, container::MaxPasswordLength, 0);
    ::SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
    ::SetWindowSubclass(edit, Subclass, 0, 0);
}

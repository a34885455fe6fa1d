#include "win32/controls.h"

#include "host/windows_text.h"

#include <commctrl.h>
#include <uxtheme.h>

using host::windows::Narrow;
using host::windows::Widen;

namespace controls {

HWND Create(HWND parent, const wchar_t* systemClass, const std::string& text, DWORD style, DWORD exStyle,
            int id) {
    return ::CreateWindowExW(exStyle, systemClass, Widen(text).c_str(), WS_CHILD | WS_CLIPSIBLINGS | style, 0,
                             0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             ::GetModuleHandleW(nullptr), nullptr);
}

std::string Text(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    const int length = ::GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return Narrow(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

void SetText(HWND control, const std::string& text) {
    ::SetWindowTextW(control, Widen(text).c_str());
}

void FitToText(HWND label, widgets::Fit fit, const RECT& designed) {
    if (fit == widgets::Fit::None)
        return;
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(label)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(::GetWindowTextW(label, text.data(), static_cast<int>(text.size()))));
    HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0)));
    // The way the label measures when it draws: one line, '&' as it stands.
    RECT size{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &size,
                DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    if (text.empty()) {
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        size.bottom = metrics.tmHeight;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    const int left = fit == widgets::Fit::KeepRight ? designed.right - size.right : designed.left;
    ::SetWindowPos(label, nullptr, left, designed.top, size.right, size.bottom,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void Place(HWND control, const RECT& rect) {
    ::SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

BOOL CALLBACK Redraw(HWND child, LPARAM) {
    ::InvalidateRect(child, nullptr, FALSE);
    return TRUE;
}

LRESULT CALLBACK CarrierProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR) {
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        // The picture's background is the button as it looks beneath it.
        const auto picture = reinterpret_cast<HWND>(lParam);
        ::DrawThemeParentBackground(picture, reinterpret_cast<HDC>(wParam), nullptr);
        ::SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    }
    case WM_PAINT:
    case BM_SETSTATE:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_THEMECHANGED: {
        const LRESULT result = ::DefSubclassProc(button, message, wParam, lParam);
        ::EnumChildWindows(button, Redraw, 0);
        return result;
    }
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(button, CarrierProc, id);
        break;
    }
    return ::DefSubclassProc(button, message, wParam, lParam);
}

} // namespace

void CarryPictures(HWND button) {
    ::SetWindowSubclass(button, CarrierProc, 0, 0);
}

} // namespace controls

#include "win32/password_box.h"

#include "core/container.h"
#include "host/windows_text.h"
#include "text/codepage.h"
#include "win32/controls.h"
#include "window/password_input.h"
#include "window/window_texts.h"

#include <commctrl.h>

#include <string>

namespace {

// How long a balloon stays when the user does nothing, in milliseconds.
constexpr UINT BalloonTime = 8000;
constexpr UINT_PTR BalloonTimer = 1;

// What a password box keeps beside the edit control.
struct Box {
    // The balloon, made when first needed; a tooltip window that tracks the box.
    HWND balloon = nullptr;
    // The first half of a character beyond 16 bits, typed as two WM_CHAR: the character is judged whole.
    wchar_t pendingHigh = 0;
};

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

TOOLINFOW BalloonTool(HWND edit) {
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = ::GetParent(edit);
    tool.uId = reinterpret_cast<UINT_PTR>(edit);
    return tool;
}

void HideBalloon(HWND edit, Box& box) {
    if (box.balloon == nullptr || !::IsWindowVisible(box.balloon))
        return;
    ::KillTimer(edit, BalloonTimer);
    TOOLINFOW tool = BalloonTool(edit);
    ::SendMessageW(box.balloon, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

// The balloon below the box's middle, its point at the box, with a warning icon, a title and the text.
void ShowBalloon(HWND edit, Box& box, const std::string& message) {
    if (box.balloon == nullptr) {
        box.balloon = ::CreateWindowExW(
            WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP,
            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, ::GetAncestor(edit, GA_ROOT), nullptr,
            ::GetModuleHandleW(nullptr), nullptr);
        if (box.balloon == nullptr)
            return;
        TOOLINFOW tool = BalloonTool(edit);
        tool.lpszText = const_cast<wchar_t*>(L"");
        ::SendMessageW(box.balloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        ::SendMessageW(
            box.balloon, TTM_SETTITLEW, TTI_WARNING,
            reinterpret_cast<LPARAM>(host::windows::Widen(window_texts::RefusedCharacterTitle).c_str()));
    }
    // Line breaks as the tooltip breaks lines once it has a width to wrap at.
    std::wstring text;
    for (const wchar_t unit : host::windows::Widen(message))
        text += unit == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, unit);
    const UINT dpi = ::GetDpiForWindow(edit);
    ::SendMessageW(box.balloon, TTM_SETMAXTIPWIDTH, 0, ::MulDiv(360, static_cast<int>(dpi), 96));
    TOOLINFOW tool = BalloonTool(edit);
    tool.lpszText = text.data();
    ::SendMessageW(box.balloon, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    RECT place{};
    ::GetWindowRect(edit, &place);
    ::SendMessageW(box.balloon, TTM_TRACKPOSITION, 0,
                   MAKELPARAM((place.left + place.right) / 2, place.bottom));
    ::SendMessageW(box.balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    ::SetTimer(edit, BalloonTimer, BalloonTime, nullptr);
}

// Refuses characters the box did not take, with the reason in the balloon.
void Refuse(HWND edit, Box& box, const std::string& refusedText) {
    ::MessageBeep(MB_OK);
    ShowBalloon(edit, box, password_input::RefusedText(password_input::RefusedCharacters(refusedText)));
}

LRESULT CALLBACK Subclass(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                          DWORD_PTR data) {
    Box& box = *reinterpret_cast<Box*>(data);
    switch (message) {
    case WM_NCDESTROY: {
        ::RemoveWindowSubclass(edit, Subclass, id);
        if (box.balloon != nullptr)
            ::DestroyWindow(box.balloon);
        delete &box;
        return ::DefSubclassProc(edit, message, wParam, lParam);
    }
    case WM_TIMER:
        if (wParam == BalloonTimer) {
            HideBalloon(edit, box);
            return 0;
        }
        break;
    case WM_KEYDOWN:
    case WM_KILLFOCUS:
        HideBalloon(edit, box);
        break;
    default:
        break;
    }
    if (!ChangesText(message))
        return ::DefSubclassProc(edit, message, wParam, lParam);

    if (message == WM_CHAR) {
        const auto unit = static_cast<wchar_t>(wParam);
        const wchar_t high = box.pendingHigh;
        box.pendingHigh = 0;
        if (IS_HIGH_SURROGATE(unit)) {
            box.pendingHigh = unit;
            return 0;
        }
        if (IS_LOW_SURROGATE(unit) && high != 0) {
            // Beyond 16 bits: never a character of the code page.
            const wchar_t pair[] = {high, unit};
            Refuse(edit, box, host::windows::Narrow(pair, 2));
            return 0;
        }
    }

    // Let the box make the change, then take it back if the text no longer fits the code page.
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
        Refuse(edit, box, after);
    } else if (after != before) {
        HideBalloon(edit, box);
    }
    return result;
}

} // namespace

void MakePasswordBox(HWND edit) {
    ::SendMessageW(edit, EM_LIMITTEXT, container::MaxPasswordLength, 0);
    ::SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
    auto* box = new Box;
    if (!::SetWindowSubclass(edit, Subclass, 0, reinterpret_cast<DWORD_PTR>(box)))
        delete box;
}

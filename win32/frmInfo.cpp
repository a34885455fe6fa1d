#include "win32/frmInfo.h"

#include "host/windows_text.h"
#include "win32/controls.h"
#include "win32/look.h"
#include "win32/resource_ids.h"
#include "window/info_text.h"
#include "window/layout.h"
#include "window/window_texts.h"

#include <commctrl.h>

#include <array>

namespace {

constexpr wchar_t ClassName[] = L"TessarinInfo";
constexpr COLORREF DarkGrey = RGB(64, 64, 64);
constexpr COLORREF BannerGrey = RGB(128, 128, 128);
constexpr COLORREF PaleYellow = RGB(253, 255, 230);
constexpr COLORREF DarkBlue = RGB(0, 0, 192);

// The widgets: the banner under its labels, the panel under the text.
enum Widget { Banner, Title, Version, Credit, Panel, Text, WidgetCount };

// The one info window and what it draws with; all of it lives while the window is open.
struct InfoWindow {
    HWND window = nullptr;
    std::array<HWND, WidgetCount> widgets{};
    HFONT titleFont = nullptr;
    HFONT smallFont = nullptr;
    HFONT textFont = nullptr;
    HBRUSH background = nullptr;
    HBRUSH banner = nullptr;
    HBRUSH paleYellow = nullptr;
};
InfoWindow info;

HFONT VerdanaFont(double points, UINT dpi) {
    return look::FirstInstalled({L"Verdana", L"DejaVu Sans"}, points, FW_NORMAL, VARIABLE_PITCH | FF_SWISS,
                                dpi);
}

void DeleteFonts() {
    for (HFONT* font : {&info.titleFont, &info.smallFont, &info.textFont}) {
        if (*font != nullptr)
            DeleteObject(*font);
        *font = nullptr;
    }
}

// Places every widget and gives it its font for the window's resolution.
void LayOut(UINT dpi) {
    // The labels let go of the fonts of the former resolution before these are deleted.
    const std::array<HFONT, 3> oldFonts{info.titleFont, info.smallFont, info.textFont};
    info.titleFont = VerdanaFont(24, dpi);
    info.smallFont = VerdanaFont(8.25, dpi);
    info.textFont = look::FixedFont(dpi);
    // The banner's labels stand at places within the banner, which lies at the window's origin; they
    // size themselves to their text.
    const struct {
        Widget widget;
        layout::Twips place;
        HFONT font;
        bool fitsText;
    } widgets[] = {
        {Banner, layout::InfoBanner, nullptr, false},
        {Title, layout::InfoTitle, info.titleFont, true},
        {Version, layout::InfoVersion, info.smallFont, true},
        {Credit, layout::InfoCredit, info.smallFont, true},
        {Panel, layout::InfoPanel, nullptr, false},
        {Text, layout::InfoText, info.textFont, false},
    };
    for (const auto& w : widgets) {
        HWND control = info.widgets[w.widget];
        if (w.font != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), TRUE);
        controls::Place(control, look::TwipsRect(w.place, dpi));
        if (w.fitsText)
            controls::FitToText(control);
    }
    for (HFONT font : oldFonts)
        if (font != nullptr)
            DeleteObject(font);
}

// The window's outer size for its client size at a resolution.
SIZE OuterSize(HWND window, UINT dpi) {
    RECT rect{0, 0, look::Px(layout::InfoWidth, dpi), look::Px(layout::InfoHeight, dpi)};
    AdjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)), dpi);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Centred on the screen the window is on, by its outer size.
void Centre(HWND window, UINT dpi) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& screen = monitor.rcMonitor;
    const SIZE outer = OuterSize(window, dpi);
    SetWindowPos(window, nullptr, screen.left + (screen.right - screen.left - outer.cx) / 2,
                 screen.top + (screen.bottom - screen.top - outer.cy) / 2, outer.cx, outer.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CALLBACK InfoProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        const auto control = reinterpret_cast<HWND>(lParam);
        const auto dc = reinterpret_cast<HDC>(wParam);
        if (control == info.widgets[Panel])
            return reinterpret_cast<LRESULT>(info.paleYellow);
        // The banner and its labels: black text on the banner's grey.
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, BannerGrey);
        return reinterpret_cast<LRESULT>(info.banner);
    }
    case WM_CTLCOLOREDIT: {
        const auto dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, DarkBlue);
        SetBkColor(dc, PaleYellow);
        return reinterpret_cast<LRESULT>(info.paleYellow);
    }
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        LayOut(HIWORD(wParam));
        SetWindowPos(window, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_DESTROY:
        DeleteFonts();
        for (HBRUSH* brush : {&info.background, &info.banner, &info.paleYellow}) {
            DeleteObject(*brush);
            *brush = nullptr;
        }
        info = InfoWindow{};
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void RegisterClassOnce(HINSTANCE instance) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, ClassName, &existing))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = InfoProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = ClassName;
    wc.hIcon = look::LoadIconAt(IDI_QUESTION_MARK, GetSystemMetrics(SM_CXICON));
    wc.hIconSm = look::LoadIconAt(IDI_QUESTION_MARK, GetSystemMetrics(SM_CXSMICON));
    RegisterClassExW(&wc);
}

// Esc in the text closes the window, as in a dialog.
LRESULT CALLBACK EscapeCloses(HWND text, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) {
            PostMessageW(GetParent(text), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_CHAR:
        // The edit control would take the key's character, or beep.
        if (wParam == VK_ESCAPE)
            return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(text, EscapeCloses, id);
        break;
    }
    return DefSubclassProc(text, message, wParam, lParam);
}

HWND Child(HWND parent, const wchar_t* kind, const std::string& text, DWORD style) {
    return controls::Create(parent, kind, text, WS_VISIBLE | style, 0, 0);
}

} // namespace

namespace frmInfo {

void Show(HWND owner) {
    if (info.window != nullptr) {
        ShowWindow(info.window, SW_SHOWNORMAL);
        SetForegroundWindow(info.window);
        return;
    }
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClassOnce(instance);
    // An owned window with a fixed frame and only a close box: it has no task-bar entry and closes with
    // the main window.
    info.window = CreateWindowExW(WS_EX_DLGMODALFRAME, ClassName,
                                  host::windows::Widen(window_texts::InfoCaption).c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                  owner, nullptr, instance, nullptr);
    if (info.window == nullptr)
        return;
    info.background = CreateSolidBrush(DarkGrey);
    info.banner = CreateSolidBrush(BannerGrey);
    info.paleYellow = CreateSolidBrush(PaleYellow);
    SetClassLongPtrW(info.window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(info.background));

    info.widgets[Banner] = Child(info.window, L"STATIC", {}, 0);
    info.widgets[Title] = Child(info.window, L"STATIC", window_texts::InfoBanner, SS_NOPREFIX);
    info.widgets[Version] = Child(info.window, L"STATIC", info_text::VersionText(), SS_NOPREFIX);
    info.widgets[Credit] = Child(info.window, L"STATIC", window_texts::InfoCredit, SS_NOPREFIX | SS_RIGHT);
    info.widgets[Panel] = Child(info.window, L"STATIC", {}, 0);
    // The edit control shows CR LF line breaks as they are; what the user types is not kept.
    info.widgets[Text] = Child(info.window, L"EDIT", info_text::Text(),
                               ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP);
    SetWindowSubclass(info.widgets[Text], EscapeCloses, 0, 0);

    // The surfaces go beneath what lies on them; siblings clip each other, so the stacking decides.
    for (Widget surface : {Banner, Panel})
        SetWindowPos(info.widgets[surface], HWND_BOTTOM, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const UINT dpi = GetDpiForWindow(info.window);
    LayOut(dpi);
    Centre(info.window, dpi);
    ShowWindow(info.window, SW_SHOWNORMAL);
    SetFocus(info.widgets[Text]);
    // Focus alone would select the whole text; the caret goes to its start instead.
    SendMessageW(info.widgets[Text], EM_SETSEL, 0, 0);
}

HWND Window() {
    return info.window;
}

} // namespace frmInfo

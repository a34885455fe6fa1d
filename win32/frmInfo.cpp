#include "win32/frmInfo.h"

#include "host/windows_text.h"
#include "win32/accessible_name.h"
#include "win32/controls.h"
#include "win32/look.h"
#include "win32/resource_ids.h"
#include "window/info_text.h"
#include "window/layout.h"
#include "window/widgets.h"
#include "window/window_texts.h"

#include <commctrl.h>
#include <oleacc.h>

#include <array>

namespace {

constexpr wchar_t ClassName[] = L"TessarinInfo";
constexpr COLORREF DarkGrey = look::Colour(colours::InfoBackground);
constexpr COLORREF BannerGrey = look::Colour(colours::InfoBanner);
constexpr COLORREF PaleYellow = look::Colour(colours::InfoPanel);
constexpr COLORREF DarkBlue = look::Colour(colours::InfoText);

using widgets::InfoId;
constexpr std::size_t Slot(InfoId id) {
    return static_cast<std::size_t>(widgets::Index(id));
}

// The one info window and what it draws with; all of it lives while the window is open.
struct InfoWindow {
    HWND window = nullptr;
    std::array<HWND, widgets::InfoCount> widgets{};
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
    for (const widgets::Widget<InfoId>& row : widgets::Info) {
        HWND control = info.widgets[Slot(row.id)];
        HFONT font = row.font == widgets::Font::Title   ? info.titleFont
                     : row.font == widgets::Font::Small ? info.smallFont
                     : row.font == widgets::Font::Fixed ? info.textFont
                                                        : nullptr;
        if (font != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        // The banner lies at the window's origin, so the places within it serve in the window as well.
        const RECT designed = look::TwipsRect(row.place, dpi);
        controls::Place(control, designed);
        controls::FitToText(control, row.fit, designed);
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
        if (control == info.widgets[Slot(InfoId::Label2)])
            return reinterpret_cast<LRESULT>(info.paleYellow);
        // The banner and its labels: black text on the banner's grey.
        SetTextColor(dc, look::Colour(colours::InfoBannerText));
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
    // Screen readers meet it as a dialog, named by its caption.
    accessible_name::SetRole(info.window, ROLE_SYSTEM_DIALOG);
    info.background = CreateSolidBrush(DarkGrey);
    info.banner = CreateSolidBrush(BannerGrey);
    info.paleYellow = CreateSolidBrush(PaleYellow);
    SetClassLongPtrW(info.window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(info.background));

    // The surfaces, the banner's labels and the text are siblings, which clip each other; the surfaces go
    // beneath what lies on them.
    for (const widgets::Widget<InfoId>& row : widgets::Info) {
        const bool label = row.kind == widgets::Kind::Label;
        const std::string text = row.id == InfoId::Label4  ? info_text::VersionText()
                                 : row.id == InfoId::Text1 ? info_text::Text()
                                 : row.text != nullptr     ? row.text
                                                           : "";
        // The edit control shows CR LF line breaks as they are; what the user types is not kept.
        const DWORD style = row.kind == widgets::Kind::TextBox
                                ? ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP
                            : label ? SS_NOPREFIX | (row.align == widgets::Align::Right ? SS_RIGHT : 0)
                                    : 0;
        HWND control =
            Child(info.window, row.kind == widgets::Kind::TextBox ? L"EDIT" : L"STATIC", text, style);
        if (row.access == widgets::Access::Named)
            accessible_name::Set(control, row.accessibleName, "");
        info.widgets[Slot(row.id)] = control;
    }
    SetWindowSubclass(info.widgets[Slot(InfoId::Text1)], EscapeCloses, 0, 0);
    for (const widgets::Widget<InfoId>& row : widgets::Info)
        if (row.kind == widgets::Kind::Panel)
            SetWindowPos(info.widgets[Slot(row.id)], HWND_BOTTOM, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    const UINT dpi = GetDpiForWindow(info.window);
    LayOut(dpi);
    Centre(info.window, dpi);
    ShowWindow(info.window, SW_SHOWNORMAL);
    HWND text = info.widgets[Slot(InfoId::Text1)];
    SetFocus(text);
    // Focus alone would select the whole text; the caret goes to its start instead.
    SendMessageW(text, EM_SETSEL, 0, 0);
}

HWND Window() {
    return info.window;
}

} // namespace frmInfo

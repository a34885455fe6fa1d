#include "win32/frmRC4.h"

#include "core/batch_texts.h"
#include "host/process.h"
#include "host/windows_text.h"
#include "win32/accessible_name.h"
#include "win32/controls.h"
#include "win32/frmInfo.h"
#include "win32/open_files.h"
#include "win32/password_box.h"
#include "win32/resource_ids.h"
#include "window/window_texts.h"

#include <commctrl.h>
#include <oleacc.h>
#include <uxtheme.h>

#include <algorithm>
#include <utility>

using host::windows::Widen;
using widgets::Id;
using widgets::Kind;

namespace {

constexpr wchar_t WindowClass[] = L"TessarinMain";
// Control numbers start above the dialog keys' IDOK and IDCANCEL, which Enter and Esc send.
constexpr int FirstId = 100;
constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD PictureStyle = SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL;
constexpr DWORD ListStyle = WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD EditStyle = WS_BORDER | ES_AUTOHSCROLL;

bool InTabOrder(Id id) {
    return std::find(std::begin(widgets::TabOrder), std::end(widgets::TabOrder), id) !=
           std::end(widgets::TabOrder);
}

// Whether a widget of the table lies on this one.
bool CarriesPictures(Id id) {
    return std::any_of(std::begin(widgets::Main), std::end(widgets::Main),
                       [id](const widgets::Widget<Id>& row) { return row.liesOn == id; });
}

// The system class and style of a row's control.
struct Made {
    const wchar_t* systemClass;
    DWORD style;
    DWORD exStyle;
};

Made ControlOf(const widgets::Widget<Id>& row) {
    DWORD visible = row.hiddenAtStart || row.access == widgets::Access::Hidden ? 0 : WS_VISIBLE;
    if (InTabOrder(row.id))
        visible |= WS_TABSTOP;
    // The option buttons that follow each other form one group; the first control after them starts
    // the next, so the arrow keys stay within the options.
    const int index = widgets::Index(row.id);
    const bool afterOption = index > 0 && widgets::Main[index - 1].kind == Kind::Option;
    const DWORD group = (row.kind == Kind::Option) != afterOption ? WS_GROUP : 0;
    switch (row.kind) {
    case Kind::Label: {
        const DWORD align = row.align == widgets::Align::Right    ? SS_RIGHT
                            : row.align == widgets::Align::Centre ? SS_CENTER
                                                                  : SS_LEFTNOWORDWRAP;
        return {WC_STATICW, visible | align | SS_NOPREFIX, 0};
    }
    case Kind::Picture:
        return {WC_STATICW, visible | PictureStyle, 0};
    case Kind::Button:
        return {WC_BUTTONW,
                visible | group | BS_PUSHBUTTON | (row.icon != widgets::Icon::None ? BS_ICON : 0) |
                    (CarriesPictures(row.id) ? WS_CLIPCHILDREN : 0),
                0};
    case Kind::List:
        return {WC_LISTBOXW, visible | group | ListStyle, WS_EX_CLIENTEDGE};
    case Kind::Password:
        return {WC_EDITW, visible | group | EditStyle | ES_PASSWORD, 0};
    case Kind::Option:
        return {WC_BUTTONW, visible | group | BS_AUTORADIOBUTTON, 0};
    case Kind::TextBox:
        return {WC_EDITW, visible | group | EditStyle, 0};
    case Kind::Frame:
    case Kind::Line:
    case Kind::Panel:
        break;
    }
    return {nullptr, 0, 0};
}

void RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    if (::GetClassInfoExW(::GetModuleHandleW(nullptr), WindowClass, &windowClass))
        return;
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = WindowClass;
    windowClass.hIcon = static_cast<HICON>(::LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_TESSARIN),
                                                        IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    windowClass.hIconSm = static_cast<HICON>(
        ::LoadImageW(windowClass.hInstance, MAKEINTRESOURCEW(IDI_TESSARIN), IMAGE_ICON,
                     ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    ::RegisterClassExW(&windowClass);
}

} // namespace

frmRC4::frmRC4(const std::vector<std::string>& commandLineItems, Win32Host host) : host_(std::move(host)) {
    RegisterWindowClass(WindowProc);
    // The procedure takes over once the window knows its object (WM_NCCREATE).
    window_ = ::CreateWindowExW(0, WindowClass, Widen(window_texts::MainCaption).c_str(), WindowStyle,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), this);
    dpi_ = ::GetDpiForWindow(window_);
    fonts_ = std::make_unique<look::Fonts>(dpi_);
    toolTips_ = ::CreateWindowExW(
        WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // Creation order is the table's; the Tab order is set apart.
    for (const Row& row : widgets::Main)
        controls_[Slot(row.id)] = Build(row);
    // Long tips stay on one line up to the screen's width.
    ::SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetricsForDpi(SM_CXSCREEN, dpi_));
    List1_.ShowItemTips(toolTips_);
    List2_.ShowItemTips(toolTips_);
    SetTabOrder();
    ApplyResolution(dpi_);
    FitClientArea();
    focus_ = Control(widgets::TabOrder[0]);
    StartUp(commandLineItems);
}

frmRC4::~frmRC4() {
    if (window_ != nullptr)
        ::DestroyWindow(window_);
    for (HICON icon : icons_)
        if (icon != nullptr)
            ::DestroyIcon(icon);
    if (bigIcon_ != nullptr)
        ::DestroyIcon(bigIcon_);
    if (smallIcon_ != nullptr)
        ::DestroyIcon(smallIcon_);
}

HWND frmRC4::Build(const Row& row) {
    const Made made = ControlOf(row);
    if (made.systemClass == nullptr)
        return nullptr;
    HWND parent = row.liesOn ? Control(*row.liesOn) : window_;
    // A button that shows only its icon carries its name as its text, which it does not draw.
    const char* text = row.text == nullptr && row.kind == Kind::Button ? row.accessibleName : row.text;
    HWND control = controls::Create(parent, made.systemClass, text != nullptr ? text : "", made.style,
                                    made.exStyle, FirstId + widgets::Index(row.id));
    AddTip(control, row.tip);
    if (row.access == widgets::Access::Named || row.description != nullptr)
        accessible_name::Set(control, row.access == widgets::Access::Named ? row.accessibleName : "",
                             row.description != nullptr ? row.description : "");
    if (row.access == widgets::Access::Status)
        accessible_name::SetRole(control, ROLE_SYSTEM_STATUSBAR);
    if (CarriesPictures(row.id))
        // A picture lies on the button and lets every click through to it, so a click on the picture is a
        // click on the button, pressed look and cancel request included.
        controls::CarryPictures(control);
    switch (row.kind) {
    case Kind::List:
        Box(widgets::SideOfList(row.id))
            .Attach(
                control, [this, id = row.id](const std::vector<std::string>& paths) { Dropped(id, paths); },
                [this, id = row.id] { DeletePressed(id); });
        break;
    case Kind::Password:
        MakePasswordBox(control);
        break;
    case Kind::Option:
        // Visual styles draw option buttons' captions in the theme's colour; olive on black needs the
        // classic look.
        ::SetWindowTheme(control, L"", L"");
        ::SendMessageW(control, BM_SETCHECK, row.checkedAtStart ? BST_CHECKED : BST_UNCHECKED, 0);
        break;
    default:
        break;
    }
    return control;
}

void frmRC4::AddTip(HWND control, const char* tip) {
    if (tip == nullptr)
        return;
    const std::wstring wide = Widen(tip);
    TOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(wide.c_str());
    ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void frmRC4::SetTabOrder() {
    // The dialog keys walk the controls in their stacking order: the focus order goes on top, in order,
    // and labels and pictures lie beneath.
    HWND previous = HWND_TOP;
    for (Id id : widgets::TabOrder) {
        HWND control = Control(id);
        ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

void frmRC4::ApplyResolution(UINT dpi) {
    dpi_ = dpi;
    // The controls let go of the old fonts and icons before they are destroyed.
    const std::unique_ptr<look::Fonts> oldFonts = std::exchange(fonts_, std::make_unique<look::Fonts>(dpi));
    std::vector<HICON> old;
    for (const Row& row : widgets::Main) {
        HWND control = Control(row.id);
        if (control == nullptr)
            continue;
        if (HFONT font = fonts_->Of(row.font))
            ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (const int resource = look::IconResource(row.icon); resource != 0) {
            HICON& icon = icons_[Slot(row.id)];
            old.push_back(icon);
            icon = look::LoadIconAt(resource, ::MulDiv(row.iconPixels, static_cast<int>(dpi), look::BaseDpi));
            ::SendMessageW(control, row.kind == Kind::Button ? BM_SETIMAGE : STM_SETIMAGE, IMAGE_ICON,
                           reinterpret_cast<LPARAM>(icon));
        }
        Place(row);
    }
    for (HICON icon : old)
        if (icon != nullptr)
            ::DestroyIcon(icon);
    // The frame's own icons, in the sizes of this resolution.
    for (HICON* icon : {&bigIcon_, &smallIcon_}) {
        const bool big = icon == &bigIcon_;
        HICON previous = *icon;
        *icon = look::LoadIconAt(IDI_TESSARIN, ::GetSystemMetricsForDpi(big ? SM_CXICON : SM_CXSMICON, dpi));
        ::SendMessageW(window_, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(*icon));
        if (previous != nullptr)
            ::DestroyIcon(previous);
    }
    List1_.SetDpi(dpi);
    List2_.SetDpi(dpi);
    ::InvalidateRect(window_, nullptr, TRUE);
}

void frmRC4::FitClientArea() {
    RECT frame{0, 0, look::Px(layout::MainWidth, dpi_), look::Px(layout::MainHeight, dpi_)};
    ::AdjustWindowRectExForDpi(&frame, WindowStyle, FALSE, 0, dpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmRC4::Place(const Row& row) const {
    const RECT designed = look::TwipsRect(widgets::PlaceInParent(row), dpi_);
    controls::Place(Control(row.id), designed);
    controls::FitToText(Control(row.id), row.fit, designed);
}

// --- the window's messages ---

LRESULT CALLBACK frmRC4::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<frmRC4*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<frmRC4*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr)
        return ::DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT frmRC4::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            // Enter, from the dialog keys: it presses the button that has the focus, as Space does; in a
            // password box it is a click on that side's batch button.
            HWND focus = ::GetFocus();
            for (Id box : widgets::PasswordBoxes)
                if (focus != nullptr && focus == Control(box)) {
                    EnterPressed(box);
                    return 0;
                }
            if (focus != nullptr && ::GetParent(focus) == window_ &&
                (::SendMessageW(focus, WM_GETDLGCODE, 0, 0) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) !=
                    0)
                ::SendMessageW(focus, BM_CLICK, 0, 0);
            return 0;
        }
        Command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CTLCOLORSTATIC: {
        // Labels, option buttons and pictures: olive on the window's black. Read-only or disabled edit
        // boxes send this too and keep the system's colours.
        const auto control = reinterpret_cast<HWND>(lParam);
        wchar_t systemClass[16] = {};
        ::GetClassNameW(control, systemClass, 16);
        if (_wcsicmp(systemClass, WC_EDITW) == 0)
            break;
        const auto dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, look::Colour(colours::Olive));
        ::SetBkColor(dc, look::Colour(colours::Black));
        return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
    }
    case WM_CTLCOLORBTN:
        // Around the buttons' rounded corners the window's black shows.
        return reinterpret_cast<LRESULT>(::GetStockObject(BLACK_BRUSH));
    case WM_PAINT:
        Paint();
        return 0;
    case WM_SETCURSOR:
        // The hourglass over the whole main window while a batch runs: its client area and every control,
        // scroll bars included; the frame keeps its sizing pointers, and message boxes and other windows
        // their own.
        if (wait_ && (LOWORD(lParam) == HTCLIENT || reinterpret_cast<HWND>(wParam) != window_)) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = ::GetFocus();
            if (focus != nullptr && ::IsChild(window_, focus))
                focus_ = focus;
        } else {
            ReturnFocus();
        }
        return 0;
    case WM_SETFOCUS:
        ReturnFocus();
        return 0;
    case WM_DPICHANGED: {
        ApplyResolution(HIWORD(wParam));
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        Closing();
        return 0;
    case WM_DESTROY:
        host_.quit();
        return 0;
    }
    return ::DefWindowProcW(window_, message, wParam, lParam);
}

void frmRC4::ReturnFocus() const {
    if (focus_ != nullptr && ::IsWindowEnabled(focus_))
        ::SetFocus(focus_);
}

void frmRC4::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(window_, &paint);
    // The border lies inside the shape's rectangle whatever its width.
    HPEN pen =
        ::CreatePen(PS_INSIDEFRAME, look::Px(layout::TwipsPerPixel, dpi_), look::Colour(colours::Olive));
    const HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    for (const Row& row : widgets::Main) {
        const RECT place = look::TwipsRect(row.place, dpi_);
        if (row.kind == Kind::Frame) {
            ::Rectangle(dc, place.left, place.top, place.right, place.bottom);
        } else if (row.kind == Kind::Line) {
            ::MoveToEx(dc, place.left, place.top, nullptr);
            ::LineTo(dc, place.right, place.top);
        }
    }
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::EndPaint(window_, &paint);
}

void frmRC4::Command(int id, int code) {
    const int index = id - FirstId;
    if (index < 0 || index >= widgets::MainCount)
        return;
    const Row& row = widgets::Main[index];
    if (row.kind == Kind::List && code == LBN_DBLCLK)
        DoubleClicked(row.id);
    else if (row.kind == Kind::Button && code == BN_CLICKED)
        Clicked(row.id);
}

void frmRC4::ShowInfoWindow() {
    frmInfo::Show(window_);
}

void frmRC4::CloseMainWindow() {
    ::SendMessageW(window_, WM_CLOSE, 0, 0);
}

void frmRC4::EndProcess() {
    host_.endProcess();
}

void frmRC4::CloseWindows() {
    if (HWND info = frmInfo::Window())
        ::DestroyWindow(info);
    // WM_DESTROY then ends the message loop.
    ::DestroyWindow(window_);
}

// --- MainWindow ---

FileList& frmRC4::List(BatchSide side) {
    return Box(side);
}

void frmRC4::SetCountText(BatchSide side, const std::string& text) {
    const Row& row = widgets::Row(widgets::CountOf(side));
    controls::SetText(Control(row.id), text);
    Place(row);
}

std::vector<std::string> frmRC4::ShowOpenDialog(const OpenDialogRequest& request) {
    return open_files::ResultPaths(host_.openFiles(window_, request), request.side == BatchSide::Encrypt);
}

bool frmRC4::PasswordsMasked() const {
    return ::SendMessageW(Control(Id::Text3_0), EM_GETPASSWORDCHAR, 0, 0) != 0;
}

void frmRC4::SetPasswordsMasked(bool masked) {
    for (Id id : widgets::PasswordBoxes) {
        HWND box = Control(id);
        ::SendMessageW(box, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
        ::InvalidateRect(box, nullptr, TRUE);
    }
}

void frmRC4::ShowMaskButton(const std::string& caption, const std::string& name) {
    HWND button = Control(Id::Command2);
    controls::SetText(button, caption);
    accessible_name::Set(button, name, "");
}

void frmRC4::FocusDummy() {
    ::SetFocus(Control(Id::dummy));
}

void frmRC4::GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) {
    for (Id id : {widgets::ListOf(side), widgets::ClearButtonOf(side), widgets::OpenButtonOf(side)})
        ::EnableWindow(Control(id), !listInUse);
    HWND button = Control(widgets::BatchButtonOf(side));
    const bool hadFocus = ::GetFocus() == button;
    ::EnableWindow(button, batchButtonEnabled);
    // A control the system disables takes the keyboard focus with it; the window takes it instead, so
    // Tab and the dialog keys go on working.
    if (hadFocus && !batchButtonEnabled)
        ::SetFocus(window_);
}

void frmRC4::EventPass() {
    host_.eventPass(window_);
}

// --- BatchWindow ---

std::string frmRC4::PasswordText(int index) const {
    return controls::Text(Control(widgets::PasswordBox(index)));
}

void frmRC4::FocusPassword(int index) {
    ::SetFocus(Control(widgets::PasswordBox(index)));
}

void frmRC4::ShowBatchButton(BatchSide side, const std::string& caption, const std::string& name) {
    HWND button = Control(widgets::BatchButtonOf(side));
    controls::SetText(button, caption);
    accessible_name::Set(button, name, "");
}

std::string frmRC4::ShownStatusText() const {
    return controls::Text(Control(Id::Label1));
}

void frmRC4::ShowStatusText(const std::string& text) {
    HWND label = Control(Id::Label1);
    controls::SetText(label, text);
    // Screen readers hear the status bar's new text.
    accessible_name::NameChanged(label);
}

void frmRC4::ShowStatus() {
    ::ShowWindow(Control(Id::Label1), SW_SHOWNA);
}

bool frmRC4::SuffixSelected() const {
    return ::SendMessageW(Control(Id::Option1_1), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string frmRC4::SuffixText() const {
    return controls::Text(Control(Id::txtSuffix));
}

void frmRC4::ShowWarningBox(const std::string& text) {
    host_.warningBox(window_, host::ExecutableName(), text);
}

void frmRC4::SetWaitPointer(bool wait) {
    wait_ = wait;
    // The pointer changes at once where it stands over the window, not only at the next move.
    POINT at{};
    ::GetCursorPos(&at);
    HWND under = ::WindowFromPoint(at);
    if (under != nullptr && (under == window_ || ::IsChild(window_, under)))
        ::SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                       MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

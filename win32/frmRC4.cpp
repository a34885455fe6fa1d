#include "win32/frmRC4.h"

#include "core/batch_texts.h"
#include "host/process.h"
#include "host/windows_text.h"
#include "win32/controls.h"
#include "win32/frmInfo.h"
#include "win32/password_box.h"
#include "win32/resource_ids.h"
#include "window/window_texts.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <exception>
#include <utility>

using host::windows::Widen;

namespace {

constexpr wchar_t WindowClass[] = L"TessarinMain";
// Control numbers start above the dialog keys' IDOK and IDCANCEL, which Enter and Esc send.
constexpr int FirstId = 100;
constexpr DWORD WindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD LabelStyle = WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX;
constexpr DWORD CountStyle = WS_VISIBLE | SS_RIGHT | SS_NOPREFIX;
constexpr DWORD ButtonStyle = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD IconButtonStyle = ButtonStyle | BS_ICON;
constexpr DWORD PictureStyle = WS_VISIBLE | SS_ICON | SS_CENTERIMAGE | SS_REALSIZECONTROL;
constexpr DWORD ListStyle =
    WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
constexpr DWORD EditStyle = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;
constexpr int SmallIcon = 16;
constexpr int LargeIcon = 32;

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
    // Creation order is the order of the controls' parts; the Tab order is set apart.
    BuildEncryptionHalf();
    BuildDecryptionHalf();
    BuildFooter();
    // Long tips stay on one line up to the screen's width.
    ::SendMessageW(toolTips_, TTM_SETMAXTIPWIDTH, 0, ::GetSystemMetricsForDpi(SM_CXSCREEN, dpi_));
    List1_.ShowItemTips(toolTips_);
    List2_.ShowItemTips(toolTips_);
    SetTabOrder();
    // dummy takes the focus away from the password boxes; it stays enabled but out of sight.
    Find("dummy")->place.left = layout::DummyHiddenLeft;
    ApplyResolution(dpi_);
    FitClientArea();
    focus_ = Control("Befehl2");
    StartUp(commandLineItems);
}

frmRC4::~frmRC4() {
    if (window_ != nullptr)
        ::DestroyWindow(window_);
    for (HICON icon : icons_)
        ::DestroyIcon(icon);
    if (bigIcon_ != nullptr)
        ::DestroyIcon(bigIcon_);
    if (smallIcon_ != nullptr)
        ::DestroyIcon(smallIcon_);
}

HWND frmRC4::Add(const char* name, const wchar_t* systemClass, const std::string& text, DWORD style,
                 const layout::Twips& place, Font font, const char* tip, HWND parent) {
    const int id = FirstId + static_cast<int>(widgets_.size());
    DWORD exStyle = 0;
    if (systemClass == std::wstring_view(WC_LISTBOXW))
        exStyle = WS_EX_CLIENTEDGE;
    // An icon button shows no caption; its text, the tool tip's, names it for screen readers.
    const bool iconButton = systemClass == std::wstring_view(WC_BUTTONW) && (style & BS_ICON) != 0;
    HWND control =
        controls::Create(parent != nullptr ? parent : window_, systemClass,
                         iconButton && tip != nullptr ? std::string(tip) : text, style, exStyle, id);
    // Every label but the status line sizes itself to its text.
    const bool label = systemClass == std::wstring_view(WC_STATICW) && (style & SS_TYPEMASK) != SS_ICON;
    widgets_.push_back({name, control, place, font, label && std::string_view(name) != "Label1", 0, 0});
    if (tip != nullptr) {
        const std::wstring wide = Widen(tip);
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = window_;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = const_cast<wchar_t*>(wide.c_str());
        ::SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    return control;
}

void frmRC4::SetIcon(HWND control, int icon, int size) {
    for (Widget& widget : widgets_)
        if (widget.handle == control) {
            widget.icon = icon;
            widget.iconSize = size;
        }
}

void frmRC4::BuildEncryptionHalf() {
    Add("Label2", WC_STATICW, window_texts::EncryptListHeading, LabelStyle, layout::Label2, Font::Regular);
    SetIcon(Add("Befehl2", WC_BUTTONW, {}, IconButtonStyle, layout::Befehl2, Font::Regular,
                window_texts::OpenTip),
            IDI_FOLDER_OPEN, SmallIcon);
    List1_.Attach(Add("List1", WC_LISTBOXW, {}, ListStyle, layout::List1, Font::Fixed, window_texts::ListTip),
                  [this](const std::vector<std::string>& paths) { FilesDropped(BatchSide::Encrypt, paths); });
    Add("Label5", WC_STATICW, window_texts::FileCountPrefix, CountStyle, layout::Label5, Font::Regular);
    Add("Command5", WC_BUTTONW, window_texts::ClearCaption, ButtonStyle, layout::Command5, Font::Regular,
        window_texts::ClearTip);
    Add("Label4(0)", WC_STATICW, window_texts::PasswordCaption, LabelStyle, layout::Label4_0, Font::Regular);
    MakePasswordBox(Add("Text3(0)", WC_EDITW, {}, EditStyle | ES_PASSWORD, layout::Text3_0, Font::Regular));
    Add("Label4(1)", WC_STATICW, window_texts::RepetitionCaption, LabelStyle, layout::Label4_1,
        Font::Regular);
    MakePasswordBox(Add("Text3(1)", WC_EDITW, {}, EditStyle | ES_PASSWORD, layout::Text3_1, Font::Regular));
    SetIcon(Add("Image1(0)", WC_STATICW, {}, PictureStyle, layout::Image1_0, Font::None), IDI_KEYS,
            LargeIcon);
    // The padlock lies on its button and lets every click through to it, so a click on the padlock is a
    // click on the button, pressed look and cancel request included.
    HWND button = Add("cmdEnc", WC_BUTTONW, texts::CaptionEncrypt, ButtonStyle | WS_CLIPCHILDREN,
                      layout::cmdEnc, Font::Bold, window_texts::EncryptTip);
    controls::CarryPictures(button);
    SetIcon(Add("Picture1", WC_STATICW, {}, PictureStyle,
                layout::RelativeTo(layout::Picture1, layout::cmdEnc), Font::None, nullptr, button),
            IDI_PADLOCK_CLOSED, LargeIcon);
}

void frmRC4::BuildDecryptionHalf() {
    Add("Label3", WC_STATICW, window_texts::DecryptListHeading, LabelStyle, layout::Label3, Font::Regular);
    SetIcon(Add("Command3", WC_BUTTONW, {}, IconButtonStyle, layout::Command3, Font::Regular,
                window_texts::OpenTip),
            IDI_FOLDER_OPEN, SmallIcon);
    List2_.Attach(Add("List2", WC_LISTBOXW, {}, ListStyle, layout::List2, Font::Fixed, window_texts::ListTip),
                  [this](const std::vector<std::string>& paths) { FilesDropped(BatchSide::Decrypt, paths); });
    Add("Label6", WC_STATICW, window_texts::FileCountPrefix, CountStyle, layout::Label6, Font::Regular);
    Add("Command6", WC_BUTTONW, window_texts::ClearCaption, ButtonStyle, layout::Command6, Font::Regular,
        window_texts::ClearTip);
    Add("Label4(2)", WC_STATICW, window_texts::PasswordCaption, LabelStyle, layout::Label4_2, Font::Regular);
    MakePasswordBox(Add("Text3(2)", WC_EDITW, {}, EditStyle | ES_PASSWORD, layout::Text3_2, Font::Regular));
    Add("Command2", WC_BUTTONW, window_texts::MaskedCaption, ButtonStyle, layout::Command2, Font::Regular,
        window_texts::MaskTip);
    SetIcon(Add("Image1(1)", WC_STATICW, {}, PictureStyle, layout::Image1_1, Font::None), IDI_KEYS,
            LargeIcon);
    HWND button = Add("cmdDec", WC_BUTTONW, texts::CaptionDecrypt, ButtonStyle | WS_CLIPCHILDREN,
                      layout::cmdDec, Font::Bold, window_texts::DecryptTip);
    controls::CarryPictures(button);
    SetIcon(Add("Picture2", WC_STATICW, {}, PictureStyle,
                layout::RelativeTo(layout::Picture2, layout::cmdDec), Font::None, nullptr, button),
            IDI_PADLOCK_OPEN, LargeIcon);

    // The two option buttons form one group: the system unchecks one when the other is chosen.
    const DWORD optionStyle = WS_VISIBLE | WS_TABSTOP | BS_AUTORADIOBUTTON;
    HWND original = Add("Option1(0)", WC_BUTTONW, window_texts::OriginalNameCaption, optionStyle | WS_GROUP,
                        layout::Option1_0, Font::Regular, window_texts::OriginalNameTip);
    HWND suffix = Add("Option1(1)", WC_BUTTONW, window_texts::SuffixCaption, optionStyle, layout::Option1_1,
                      Font::Regular, window_texts::SuffixTip);
    // Visual styles draw option buttons' captions in the theme's colour; olive on black needs the
    // classic look.
    ::SetWindowTheme(original, L"", L"");
    ::SetWindowTheme(suffix, L"", L"");
    ::SendMessageW(suffix, BM_SETCHECK, BST_CHECKED, 0);
    Add("txtSuffix", WC_EDITW, texts::DefaultSuffix, EditStyle | WS_GROUP, layout::txtSuffix, Font::Regular,
        window_texts::SuffixBoxTip);
}

void frmRC4::BuildFooter() {
    // The status line is hidden until the first batch shows it.
    Add("Label1", WC_STATICW, texts::StatusStart, SS_CENTER | SS_NOPREFIX, layout::Label1, Font::Regular);
    SetIcon(Add("Command4", WC_BUTTONW, {}, IconButtonStyle, layout::Command4, Font::Regular,
                window_texts::InfoTip),
            IDI_QUESTION_MARK, SmallIcon);
    SetIcon(Add("Command1", WC_BUTTONW, {}, IconButtonStyle, layout::Command1, Font::Regular,
                window_texts::ExitTip),
            IDI_EXIT, SmallIcon);
    Add("dummy", WC_BUTTONW, window_texts::DummyCaption, ButtonStyle, layout::dummy, Font::Bold);
}

void frmRC4::SetTabOrder() {
    // The dialog keys walk the controls in their stacking order: the focus order goes on top, in order,
    // and labels and pictures lie beneath.
    HWND previous = HWND_TOP;
    for (const char* name : layout::TabOrder) {
        HWND control = Control(name);
        ::SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

void frmRC4::ApplyResolution(UINT dpi) {
    dpi_ = dpi;
    // The controls let go of the old fonts and icons before they are destroyed.
    const std::unique_ptr<look::Fonts> oldFonts = std::exchange(fonts_, std::make_unique<look::Fonts>(dpi));
    std::vector<HICON> old = std::move(icons_);
    icons_.clear();
    for (const Widget& widget : widgets_) {
        HFONT font = widget.font == Font::Bold      ? fonts_->Bold()
                     : widget.font == Font::Regular ? fonts_->Regular()
                     : widget.font == Font::Fixed   ? fonts_->Fixed()
                                                    : nullptr;
        if (font != nullptr)
            ::SendMessageW(widget.handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (widget.icon != 0) {
            HICON icon = look::LoadIconAt(widget.icon, ::MulDiv(widget.iconSize, dpi, look::BaseDpi));
            icons_.push_back(icon);
            wchar_t systemClass[16] = {};
            ::GetClassNameW(widget.handle, systemClass, 16);
            const bool button = _wcsicmp(systemClass, WC_BUTTONW) == 0;
            ::SendMessageW(widget.handle, button ? BM_SETIMAGE : STM_SETIMAGE, IMAGE_ICON,
                           reinterpret_cast<LPARAM>(icon));
        }
        PlaceWidget(widget);
    }
    for (HICON icon : old)
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

void frmRC4::PlaceWidget(const Widget& widget) const {
    controls::Place(widget.handle, look::TwipsRect(widget.place, dpi_));
    if (widget.fitsText)
        controls::FitToText(widget.handle);
}

HWND frmRC4::Control(const std::string& name) const {
    const Widget* widget = Find(name);
    return widget != nullptr ? widget->handle : nullptr;
}

frmRC4::Widget* frmRC4::Find(const std::string& name) {
    for (Widget& widget : widgets_)
        if (widget.name == name)
            return &widget;
    return nullptr;
}

const frmRC4::Widget* frmRC4::Find(const std::string& name) const {
    return const_cast<frmRC4*>(this)->Find(name);
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
            // Enter, from the dialog keys: it presses the button that has the focus, as Space does.
            HWND focus = ::GetFocus();
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
        ::SetTextColor(dc, look::Olive);
        ::SetBkColor(dc, look::Black);
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
    HPEN pen = ::CreatePen(PS_INSIDEFRAME, look::Px(layout::TwipsPerPixel, dpi_), look::Olive);
    const HGDIOBJ oldPen = ::SelectObject(dc, pen);
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    for (const layout::Twips& shape : {layout::Shape1, layout::Shape2}) {
        const RECT frame = look::TwipsRect(shape, dpi_);
        ::Rectangle(dc, frame.left, frame.top, frame.right, frame.bottom);
    }
    const int y = look::Px(layout::LineY, dpi_);
    ::MoveToEx(dc, look::Px(layout::LineLeft, dpi_), y, nullptr);
    ::LineTo(dc, look::Px(layout::LineRight, dpi_), y);
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(pen);
    ::EndPaint(window_, &paint);
}

void frmRC4::Command(int id, int code) {
    const std::size_t index = static_cast<std::size_t>(id - FirstId);
    if (id < FirstId || index >= widgets_.size())
        return;
    const std::string& name = widgets_[index].name;
    // No exception may pass through the system's frames; the handlers report their failures themselves.
    try {
        if (code == LBN_DBLCLK && (name == "List1" || name == "List2"))
            ListDoubleClicked(name == "List1" ? BatchSide::Encrypt : BatchSide::Decrypt);
        if (code != BN_CLICKED)
            return;
        if (name == "cmdEnc")
            BatchClicked(BatchSide::Encrypt);
        else if (name == "cmdDec")
            BatchClicked(BatchSide::Decrypt);
        else if (name == "Befehl2")
            OpenClicked(BatchSide::Encrypt);
        else if (name == "Command3")
            OpenClicked(BatchSide::Decrypt);
        else if (name == "Command5")
            ClearClicked(BatchSide::Encrypt);
        else if (name == "Command6")
            ClearClicked(BatchSide::Decrypt);
        else if (name == "Command2")
            MaskClicked();
        else if (name == "Command4")
            frmInfo::Show(window_);
        else if (name == "Command1")
            ::SendMessageW(window_, WM_CLOSE, 0, 0);
    } catch (const std::exception&) {
    }
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
    HWND label = Control(side == BatchSide::Encrypt ? "Label5" : "Label6");
    controls::SetText(label, text);
    controls::FitToText(label);
}

std::string frmRC4::ShowOpenDialog(const OpenDialogRequest& request) {
    return host_.openFiles(window_, request);
}

bool frmRC4::PasswordsMasked() const {
    return ::SendMessageW(Control("Text3(0)"), EM_GETPASSWORDCHAR, 0, 0) != 0;
}

void frmRC4::SetPasswordsMasked(bool masked) {
    for (const char* name : {"Text3(0)", "Text3(1)", "Text3(2)"}) {
        HWND box = Control(name);
        ::SendMessageW(box, EM_SETPASSWORDCHAR, masked ? L'*' : 0, 0);
        ::InvalidateRect(box, nullptr, TRUE);
    }
}

void frmRC4::SetMaskCaption(const std::string& caption) {
    controls::SetText(Control("Command2"), caption);
}

void frmRC4::FocusDummy() {
    ::SetFocus(Control("dummy"));
}

void frmRC4::GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) {
    const bool encrypt = side == BatchSide::Encrypt;
    for (const char* name :
         {encrypt ? "List1" : "List2", encrypt ? "Command5" : "Command6", encrypt ? "Befehl2" : "Command3"})
        ::EnableWindow(Control(name), !listInUse);
    ::EnableWindow(BatchButton(side), batchButtonEnabled);
}

void frmRC4::EventPass() {
    host_.eventPass(window_);
}

// --- BatchWindow ---

int frmRC4::ListCount(BatchSide side) const {
    return Box(side).Count();
}

std::string frmRC4::ListItem(BatchSide side, int index) const {
    return Box(side).Item(index);
}

int frmRC4::ShownListIndex(BatchSide side) const {
    return static_cast<int>(::SendMessageW(Box(side).Handle(), LB_GETCURSEL, 0, 0));
}

void frmRC4::ShowListIndex(BatchSide side, int index) {
    ::SendMessageW(Box(side).Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string frmRC4::PasswordText(int index) const {
    return controls::Text(Control("Text3(" + std::to_string(index) + ")"));
}

void frmRC4::FocusPassword(int index) {
    ::SetFocus(Control("Text3(" + std::to_string(index) + ")"));
}

void frmRC4::SetButtonCaption(BatchSide side, const std::string& caption) {
    controls::SetText(BatchButton(side), caption);
}

std::string frmRC4::ShownStatusText() const {
    return controls::Text(Control("Label1"));
}

void frmRC4::ShowStatusText(const std::string& text) {
    controls::SetText(Control("Label1"), text);
}

void frmRC4::ShowStatus() {
    ::ShowWindow(Control("Label1"), SW_SHOWNA);
}

bool frmRC4::SuffixSelected() const {
    return ::SendMessageW(Control("Option1(1)"), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::string frmRC4::SuffixText() const {
    return controls::Text(Control("txtSuffix"));
}

char frmRC4::DecimalSeparator() const {
    wchar_t separator[8] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    // One character with its terminator; the time text has room for one byte.
    return length == 2 && separator[0] < 0x80 ? static_cast<char>(separator[0]) : '.';
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

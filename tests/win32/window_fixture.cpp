#include "window_fixture.h"

#include "core/command_line.h"
#include "host/windows_text.h"
#include "win32/controls.h"
#include "win32/message_loop.h"

#include <commctrl.h>
#include <oleacc.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>

using host::windows::Widen;

NativeWindowTest::~NativeWindowTest() {
    window_.reset();
    // Whatever the window left queued goes before the next test opens its own.
    Pass();
}

void NativeWindowTest::Open(const std::string& commandLine) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&classes);
    Win32Host host;
    host.warningBox = [this](HWND owner, const std::string& title, const std::string& text) {
        warnings_.push_back({owner, title, text});
    };
    host.openFiles = [this](HWND, const OpenDialogRequest& request) {
        dialogCalls_.push_back(request);
        return dialogAnswer_;
    };
    host.eventPass = [this](HWND dialogWindow) {
        ++passes_;
        if (onPass_)
            onPass_();
        message_loop::PassPending(dialogWindow);
    };
    host.endProcess = [this] { ++endCalls_; };
    host.quit = [this] { ++quitCalls_; };
    window_ = std::make_unique<frmRC4>(CommandLineItems(commandLine), std::move(host));
    ::ShowWindow(window_->Handle(), SW_SHOW);
    ::UpdateWindow(window_->Handle());
    Pass();
}

HWND NativeWindowTest::Control(const std::string& name) {
    HWND control = nullptr;
    for (const auto& row : widgets::Main)
        if (row.name == name)
            control = window_->Control(row.id);
    EXPECT_NE(control, nullptr) << name;
    return control;
}

std::string NativeWindowTest::Text(const std::string& name) {
    return controls::Text(Control(name));
}

std::vector<std::string> NativeWindowTest::Items(int list) {
    const BatchSide side = list == 1 ? BatchSide::Encrypt : BatchSide::Decrypt;
    std::vector<std::string> items;
    for (int i = 0; i < window_->ListCount(side); ++i)
        items.push_back(window_->ListItem(side, i));
    return items;
}

void NativeWindowTest::Click(const std::string& name) {
    ::SendMessageW(Control(name), BM_CLICK, 0, 0);
}

void NativeWindowTest::Type(const std::string& name, const std::string& utf8) {
    HWND box = Control(name);
    for (const wchar_t unit : Widen(utf8))
        ::SendMessageW(box, WM_CHAR, unit, 1);
}

void NativeWindowTest::Drop(int list, const std::vector<std::string>& paths) {
    std::wstring names;
    for (const std::string& path : paths)
        names += Widen(path) + L'\0';
    names += L'\0';
    const std::size_t size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), names.data(),
                names.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    // The receiver gives the block back with DragFinish.
    ::SendMessageW(Control("List" + std::to_string(list)), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

void NativeWindowTest::Pass() {
    message_loop::PassPending(window_ ? window_->Handle() : nullptr);
}

bool NativeWindowTest::PassUntil(const std::function<bool()>& done) {
    const ULONGLONG deadline = ::GetTickCount64() + 10000;
    for (ULONGLONG now; !done() && (now = ::GetTickCount64()) < deadline;) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline - now), QS_ALLINPUT,
                                      MWMO_INPUTAVAILABLE);
        Pass();
    }
    return done();
}

std::string NativeWindowTest::MakeFile(const std::string& name, std::size_t size, std::uint32_t seed) {
    const std::string path = dir_.File(name);
    WriteBytes(path, RandomBytes(size, seed));
    return path;
}

std::string NativeWindowTest::MakeFolder(const std::string& name) {
    const std::string path = dir_.File(name);
    std::filesystem::create_directory(PathFromUtf8(path));
    return path;
}

std::string Quoted(const std::vector<std::string>& paths) {
    std::string text;
    for (const std::string& path : paths)
        text += (text.empty() ? "\"" : " \"") + path + "\"";
    return text;
}

std::string Accessible(HWND control, bool description) {
    IAccessible* object = nullptr;
    const HRESULT found = ::AccessibleObjectFromWindow(
        control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), reinterpret_cast<void**>(&object));
    if (FAILED(found))
        return "(no accessible object " + std::to_string(found) + ")";
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    const HRESULT got =
        description ? object->get_accDescription(self, &text) : object->get_accName(self, &text);
    std::string result =
        SUCCEEDED(got) && text != nullptr ? host::windows::Narrow(text, ::SysStringLen(text)) : "";
    ::SysFreeString(text);
    object->Release();
    return result;
}

long AccessibleRole(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(::AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                            reinterpret_cast<void**>(&object))))
        return 0;
    VARIANT self;
    ::VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role;
    ::VariantInit(&role);
    const HRESULT got = object->get_accRole(self, &role);
    object->Release();
    return SUCCEEDED(got) && role.vt == VT_I4 ? role.lVal : 0;
}

std::string ToolTip(HWND window, HWND control) {
    // The tool tips are a window of their own, owned by the main window.
    for (HWND tips = nullptr; (tips = ::FindWindowExW(nullptr, tips, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
        if (::GetWindow(tips, GW_OWNER) != window)
            continue;
        wchar_t text[1024] = {};
        TOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        ::SendMessageW(tips, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&tool));
        return host::windows::Narrow(text);
    }
    return "(no tool tips)";
}

#pragma once

#include "win32/list_box.h"
#include "win32/look.h"
#include "win32/win32_host.h"
#include "window/layout.h"
#include "window/main_window.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// The main window on Windows: the list of files to encrypt with the password and its repetition, the
// list of containers to decrypt with the password and the naming choice, the two batch buttons and the
// status line, made of the system's own controls. It adapts them to MainWindow, whose rules every window
// front end shares, so its buttons run the same batch code as the command-line program. Every control is
// found by its name (Control); the widget arrays are named with their index, "Text3(0)" to "Text3(2)".
// The window scales itself to the resolution of the screen it stands on.
class frmRC4 : public MainWindow {
public:
    // Creates the window, hidden, and runs its start-up: the lists filled from the paths the program was
    // started with (CommandLineItems), both counts shown.
    explicit frmRC4(const std::vector<std::string>& commandLineItems, Win32Host host = Win32Host::System());
    ~frmRC4() override;

    HWND Handle() const { return window_; }
    // A control by its name ("cmdEnc", "List1", "Text3(2)", ...); nullptr for a name the window lacks.
    HWND Control(const std::string& name) const;
    // The outside effects; tests replace them before they act on the window.
    Win32Host& Host() { return host_; }

    // BatchWindow.
    int ListCount(BatchSide side) const override;
    std::string ListItem(BatchSide side, int index) const override;
    std::string PasswordText(int index) const override;
    void FocusPassword(int index) override;
    void SetButtonCaption(BatchSide side, const std::string& caption) override;
    void ShowStatus() override;
    bool SuffixSelected() const override;
    std::string SuffixText() const override;
    char DecimalSeparator() const override;

    // host::WindowHost.
    void SetWaitPointer(bool wait) override;

protected:
    // MainWindow.
    FileList& List(BatchSide side) override;
    int ShownListIndex(BatchSide side) const override;
    void ShowListIndex(BatchSide side, int index) override;
    std::string ShownStatusText() const override;
    void ShowStatusText(const std::string& text) override;
    void ShowWarningBox(const std::string& text) override;
    void SetCountText(BatchSide side, const std::string& text) override;
    std::string ShowOpenDialog(const OpenDialogRequest& request) override;
    bool PasswordsMasked() const override;
    void SetPasswordsMasked(bool masked) override;
    void SetMaskCaption(const std::string& caption) override;
    void FocusDummy() override;
    void GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) override;
    void EventPass() override;
    void EndProcess() override;
    void CloseWindows() override;

private:
    enum class Font { Bold, Regular, Fixed, None };
    // One control, where it stands (twips in its parent) and how it looks.
    struct Widget {
        std::string name;
        HWND handle;
        layout::Twips place;
        Font font;
        // Labels size themselves to their text.
        bool fitsText;
        // An icon resource shown at iconSize pixels at 96 dpi, or 0.
        int icon;
        int iconSize;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // The controls, part by part, and the order the Tab key walks them in.
    void BuildEncryptionHalf();
    void BuildDecryptionHalf();
    void BuildFooter();
    void SetTabOrder();
    HWND Add(const char* name, const wchar_t* systemClass, const std::string& text, DWORD style,
             const layout::Twips& place, Font font, const char* tip = nullptr, HWND parent = nullptr);
    void SetIcon(HWND control, int icon, int size);

    // Fonts, icons and places at the window's resolution.
    void ApplyResolution(UINT dpi);
    // The window's outer size for its client area of 7620 x 8730 twips at its resolution.
    void FitClientArea();
    void PlaceWidget(const Widget& widget) const;
    void Paint();
    void Command(int id, int code);
    void ReturnFocus() const;
    Widget* Find(const std::string& name);
    const Widget* Find(const std::string& name) const;

    ListBox& Box(BatchSide side) { return side == BatchSide::Encrypt ? List1_ : List2_; }
    const ListBox& Box(BatchSide side) const { return side == BatchSide::Encrypt ? List1_ : List2_; }
    HWND BatchButton(BatchSide side) const {
        return Control(side == BatchSide::Encrypt ? "cmdEnc" : "cmdDec");
    }

    Win32Host host_;
    HWND window_ = nullptr;
    HWND toolTips_ = nullptr;
    UINT dpi_ = look::BaseDpi;
    std::unique_ptr<look::Fonts> fonts_;
    std::vector<Widget> widgets_;
    std::vector<HICON> icons_;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    ListBox List1_;
    ListBox List2_;
    // The control that had the focus when the window was last deactivated; it gets it back.
    HWND focus_ = nullptr;
    bool wait_ = false;
};

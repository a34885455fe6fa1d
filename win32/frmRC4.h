#pragma once

#include "win32/list_box.h"
#include "win32/look.h"
#include "win32/win32_host.h"
#include "window/main_window.h"
#include "window/widgets.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// The main window on Windows: the list of files to encrypt with the password and its repetition, the
// list of containers to decrypt with the password and the naming choice, the two batch buttons and the
// status line, made of the system's own controls. It builds them from the widget table
// (window/widgets.h), one control per row but the frames and the line, which it draws itself, and
// addresses them by their table Id; it adapts them to MainWindow, whose rules every window front end
// shares, so its buttons run the same batch code as the command-line program. The window scales itself
// to the resolution of the screen it stands on.
class frmRC4 : public MainWindow {
public:
    // Creates the window, hidden, and runs its start-up: the lists filled from the paths the program was
    // started with (CommandLineItems), both counts shown.
    explicit frmRC4(const std::vector<std::string>& commandLineItems, Win32Host host = Win32Host::System());
    ~frmRC4() override;

    HWND Handle() const { return window_; }
    // A widget's control; nullptr for a frame or the line, which are drawn on the window.
    HWND Control(widgets::Id id) const { return controls_[Slot(id)]; }
    // The outside effects; tests replace them before they act on the window.
    Win32Host& Host() { return host_; }

    // BatchWindow.
    std::string PasswordText(int index) const override;
    void FocusPassword(int index) override;
    void ShowStatus() override;
    bool SuffixSelected() const override;
    std::string SuffixText() const override;

    // host::WindowHost.
    void SetWaitPointer(bool wait) override;

protected:
    // MainWindow.
    FileList& List(BatchSide side) override;
    std::string ShownStatusText() const override;
    void ShowStatusText(const std::string& text) override;
    void ShowWarningBox(const std::string& text) override;
    void SetCountText(BatchSide side, const std::string& text) override;
    std::vector<std::string> ShowOpenDialog(const OpenDialogRequest& request) override;
    bool PasswordsMasked() const override;
    void SetPasswordsMasked(bool masked) override;
    void ShowMaskButton(const std::string& caption, const std::string& name) override;
    void ShowBatchButton(BatchSide side, const std::string& caption, const std::string& name) override;
    void FocusDummy() override;
    void GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) override;
    void EventPass() override;
    void EndProcess() override;
    void CloseWindows() override;
    void ShowInfoWindow() override;
    void CloseMainWindow() override;

private:
    using Row = widgets::Widget<widgets::Id>;
    static constexpr std::size_t Slot(widgets::Id id) { return static_cast<std::size_t>(widgets::Index(id)); }

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);

    // The control of a row, and the order the Tab key walks them in.
    HWND Build(const Row& row);
    void AddTip(HWND control, const char* tip);
    void SetTabOrder();

    // Fonts, icons and places at the window's resolution.
    void ApplyResolution(UINT dpi);
    // The window's outer size for its client area of 7620 x 8730 twips at its resolution.
    void FitClientArea();
    // A control at its place, sized to its text by its fit rule.
    void Place(const Row& row) const;
    void Paint();
    void Command(int id, int code);
    void ReturnFocus() const;

    ListBox& Box(BatchSide side) { return side == BatchSide::Encrypt ? List1_ : List2_; }
    const ListBox& Box(BatchSide side) const { return side == BatchSide::Encrypt ? List1_ : List2_; }

    Win32Host host_;
    HWND window_ = nullptr;
    HWND toolTips_ = nullptr;
    UINT dpi_ = look::BaseDpi;
    std::unique_ptr<look::Fonts> fonts_;
    std::array<HWND, widgets::MainCount> controls_{};
    // The icon each control shows, at the window's resolution.
    std::array<HICON, widgets::MainCount> icons_{};
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    ListBox List1_;
    ListBox List2_;
    // The control that had the focus when the window was last deactivated; it gets it back.
    HWND focus_ = nullptr;
    bool wait_ = false;
};

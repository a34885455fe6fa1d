#pragma once

#include "ui/ui_host.h"
#include "window/main_window.h"

#include <QWidget>

#include <array>
#include <string>
#include <vector>

class FileListBox;
class frmInfo;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The main window: the list of files to encrypt with the password and its repetition, the list of
// containers to decrypt with the password and the naming choice, the two batch buttons and the status
// line, drawn with Qt. It builds its widgets from the widget table (window/widgets.h) and adapts them to
// MainWindow, whose rules every window front end shares, so its buttons run the same batch code as the
// command-line program. Every widget carries its table name as its object name ("cmdEnc", "Text3(0)").
class frmRC4 : public QWidget, public MainWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up: the lists filled from the paths the program was started
    // with (CommandLineItems), both counts shown.
    explicit frmRC4(const std::vector<std::string>& commandLineItems, UiHost host = UiHost::Qt(),
                    QWidget* parent = nullptr);

    // The outside effects; tests replace them before they act on the window.
    UiHost& Host() { return host_; }

    // BatchWindow.
    std::string PasswordText(int index) const override;
    void FocusPassword(int index) override;
    void ShowStatus() override;
    bool SuffixSelected() const override;
    std::string SuffixText() const override;

    // host::WindowHost.
    void SetWaitPointer(bool wait) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter in a password box.
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    // The frame, then one widget per row of the table, and their connections to the handlers.
    void BuildFrame();
    QWidget* Build(const widgets::Widget<widgets::Id>& row);
    void Connect();
    void SetTabOrder();

    // The widgets by their table Id, as what they are.
    QWidget& At(widgets::Id id) const { return *widgets_[static_cast<std::size_t>(widgets::Index(id))]; }
    QLabel& Label(widgets::Id id) const;
    QPushButton& Button(widgets::Id id) const;
    QLineEdit& Edit(widgets::Id id) const;
    QRadioButton& Option(widgets::Id id) const;
    FileListBox& Box(BatchSide side) const;

    UiHost host_;
    frmInfo* info_ = nullptr;
    std::array<QWidget*, widgets::MainCount> widgets_{};
};

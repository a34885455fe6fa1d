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
// line, drawn with Qt. It adapts its widgets to MainWindow, whose rules every window front end shares, so
// its buttons run the same batch code as the command-line program. Every widget carries its name as its
// object name; the widget arrays are named with their index, "Text3(0)" to "Text3(2)".
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
    void closeEvent(QCloseEvent* event) override;

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
    // The widgets, part by part, and their connections to the handlers.
    void BuildWidgets();
    void BuildFrame();
    void BuildEncryptionHalf();
    void BuildDecryptionHalf();
    void BuildFooter();
    void Connect();
    void SetTabOrder();

    FileListBox& Box(BatchSide side) const;
    QPushButton& BatchButton(BatchSide side) const;
    void Command4_Click();

    UiHost host_;
    frmInfo* info_ = nullptr;

    // Widgets, named as the window shows them.
    QFrame* Shape1 = nullptr;
    QFrame* Shape2 = nullptr;
    QFrame* Line1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    std::array<QLabel*, 3> Label4{};
    std::array<QLabel*, 2> Image1{};
    QPushButton* Befehl2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command4 = nullptr;
    QPushButton* Command5 = nullptr;
    QPushButton* Command6 = nullptr;
    QPushButton* cmdEnc = nullptr;
    QPushButton* cmdDec = nullptr;
    QPushButton* dummy = nullptr;
    QLabel* Picture1 = nullptr;
    QLabel* Picture2 = nullptr;
    FileListBox* List1 = nullptr;
    FileListBox* List2 = nullptr;
    std::array<QLineEdit*, 3> Text3{};
    std::array<QRadioButton*, 2> Option1{};
    QLineEdit* txtSuffix = nullptr;
};

#pragma once

#include "core/batch_window.h"
#include "ui/ui_host.h"

#include <QElapsedTimer>
#include <QWidget>

#include <array>
#include <chrono>
#include <optional>
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
// line. It adapts its widgets to BatchWindow, so its buttons run the same batch code as the command-line
// program. Every widget carries its name as its object name; the widget arrays are named with their
// index, "Text3(0)" to "Text3(2)".
class frmRC4 : public QWidget, public BatchWindow {
    Q_OBJECT

public:
    // Builds the window and runs its start-up: the lists filled from the paths the program was started
    // with (CommandLineItems), both counts shown.
    explicit frmRC4(const std::vector<std::string>& commandLineItems, UiHost host = UiHost::Qt(),
                    QWidget* parent = nullptr);

    // The outside effects; tests replace them before they act on the window.
    UiHost& Host() { return host_; }
    // Bounds of the time between two event-loop passes while a batch runs (see PumpEvents); both 0 make
    // every PumpEvents call a pass.
    void SetPumpIntervals(std::chrono::nanoseconds least, std::chrono::nanoseconds most) {
        leastInterval_ = least;
        mostInterval_ = most;
    }

    // BatchWindow.
    int ListCount(BatchSide side) const override;
    std::string ListItem(BatchSide side, int index) const override;
    int ListIndex(BatchSide side) const override;
    void SetListIndex(BatchSide side, int index) override;
    std::string PasswordText(int index) const override;
    void FocusPassword(int index) override;
    std::string ButtonCaption(BatchSide side) const override;
    void SetButtonCaption(BatchSide side, const std::string& caption) override;
    std::string StatusText() const override;
    void SetStatusText(const std::string& text) override;
    void ShowStatus() override;
    bool SuffixSelected() const override;
    std::string SuffixText() const override;
    char DecimalSeparator() const override;

    // host::WindowHost. The batches call PumpEvents after every block, far more often than a person can
    // click; it runs an event-loop pass only when the last one lies far enough back: 40 times the last
    // pass's own duration, so passes take at most about 2.5 % of the time, but at least 10 ms (a pass
    // that only redraws the progress line then costs well under 1 %) and at most 40 ms, so a click
    // waits no longer than that.
    void ShowWarning(const std::string& text) override;
    void PumpEvents() override;
    void PumpEventsNow() override;
    void SetWaitPointer(bool wait) override;

    // The list operations, each on List1 or List2.
    void xListKillDupes(FileListBox& list);
    void xListRemoveSelected(FileListBox& list);
    void AddHScroll(FileListBox& list);
    void ShowFileCount(FileListBox& list);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // The widgets, part by part, and their connections to the handlers.
    void BuildWidgets();
    void BuildFrame();
    void BuildEncryptionHalf();
    void BuildDecryptionHalf();
    void BuildFooter();
    void Connect();
    void SetTabOrder();
    void StartUp(const std::vector<std::string>& commandLineItems);
    void CommandLineIntake(const std::vector<std::string>& commandLineItems);

    FileListBox& List(BatchSide side) const;
    QLabel& CountLabel(const FileListBox& list) const;
    QPushButton& BatchButton(BatchSide side) const;
    // While a batch reads its list, that list, its clear and open buttons and the other batch's button
    // take no clicks.
    void RunningBatchChanged() override;

    // Handlers.
    void BatchButton_Click(BatchSide side);
    void OpenButton_Click(BatchSide side);
    void List_Drop(FileListBox& list, const QStringList& paths);
    void List_DoubleClick(FileListBox& list);
    void ClearButton_Click(FileListBox& list);
    void Command2_Click();
    void Command4_Click();

    UiHost host_;
    QElapsedTimer lastPump_;
    std::chrono::nanoseconds leastInterval_ = std::chrono::milliseconds(10);
    std::chrono::nanoseconds mostInterval_ = std::chrono::milliseconds(40);
    std::chrono::nanoseconds pumpInterval_{0};
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

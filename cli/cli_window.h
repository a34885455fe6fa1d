#pragma once

// The batch window of the command-line program: the list is the named files, the passwords come from
// the options, warnings go to standard error and the status line is rewritten in place on a terminal.

#include "cli/cli_messages.h"
#include "core/batch_texts.h"
#include "core/batch_window.h"

#include <chrono>
#include <string>
#include <vector>

class CliWindow : public BatchWindow {
public:
    CliWindow(BatchSide side, std::vector<std::string> files, const std::string& password, bool showStatus);

    void SetNaming(bool suffixSelected, std::string suffix);
    void SetDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    // Writes the last status text as a finished line (when the status line is shown).
    void EndStatusLine();
    // After the batch: the text of a request to end the program that no message has told of yet, and,
    // when the batch ended before the last item, the line naming the items it never reached.
    void ReportUnfinished();
    int WarningCount() const noexcept { return warnings_; }

    int ListCount(BatchSide side) const override;
    std::string ListItem(BatchSide side, int index) const override;
    int ListIndex(BatchSide side) const override;
    void SetListIndex(BatchSide side, int index) override;
    std::string PasswordText(int index) const override;
    void FocusPassword(int) override {}
    std::string StatusText() const override { return status_; }
    void SetStatusText(const std::string& text) override;
    void ShowStatus() override {}
    bool SuffixSelected() const override { return suffixSelected_; }
    std::string SuffixText() const override { return suffix_; }
    char DecimalSeparator() const override { return decimalSeparator_; }

    std::string ShownName(const std::string& name) const override { return EscapeControls(name); }
    void ItemSkipped(BatchSide side, const std::string& path) override;
    void ItemNotDone(BatchSide side, int index) override;

    void ShowWarning(const std::string& text) override;
    // The event passes read the requests to end the program (host/stop_request.h). One that came during
    // an item ends it through the batch's failure path, naming the file; one that came between two items
    // ends the run as a cancel does, the last item being complete.
    void PumpEvents() override;
    void PumpEventsNow() override;
    void SetWaitPointer(bool) override {}

private:
    void DrawStatus();

    BatchSide side_;
    std::vector<std::string> files_;
    std::string password_;
    bool showStatus_;
    int selected_ = -1;
    std::string status_ = texts::StatusStart;
    bool suffixSelected_ = true;
    std::string suffix_ = texts::DefaultSuffix;
    char decimalSeparator_ = '.';
    int warnings_ = 0;
    bool statusOnScreen_ = false;
    bool stopReported_ = false;
    std::vector<int> notDone_; // items taken up whose outputs were not put in place after all
    std::chrono::steady_clock::time_point lastDraw_{};
};

#pragma once

// A window for driving the batches in tests: plain lists and texts, every warning and status text
// recorded, and an event pump that can run a test's action (a click, a list edit) from inside a batch.

#include "core/batch_window.h"

#include <functional>
#include <string>
#include <vector>

class RecordingWindow : public BatchWindow {
public:
    std::vector<std::string> list[2];
    int selected[2] = {-1, -1};
    std::string password[3];
    // What the batch last put on its buttons, for the tests to see; the batch never reads it back.
    std::string caption[2] = {"RC4 Encrypt", "RC4 Decrypt"};
    std::string status = "0 %";
    bool statusVisible = false;
    bool suffixSelected = true;
    std::string suffix = "-dec";
    char decimalSeparator = '.';

    std::vector<std::string> warnings;
    std::vector<int> notDone; // items whose outputs never took their names
    std::vector<std::string> statusHistory;
    std::vector<bool> pointerHistory;
    int focused = -1;
    int pumps = 0;
    // Runs inside PumpEvents; gets the number of the pump (1-based).
    std::function<void(int)> onPump;

    int ListCount(BatchSide side) const override { return static_cast<int>(list[SideIndex(side)].size()); }
    std::string ListItem(BatchSide side, int index) const override { return list[SideIndex(side)].at(index); }
    int ListIndex(BatchSide side) const override { return selected[SideIndex(side)]; }
    void SetListIndex(BatchSide side, int index) override { selected[SideIndex(side)] = index; }
    std::string PasswordText(int index) const override { return password[index]; }
    void FocusPassword(int index) override { focused = index; }
    void SetButtonCaption(BatchSide side, const std::string& text) override {
        caption[SideIndex(side)] = text;
    }
    std::string StatusText() const override { return status; }
    void SetStatusText(const std::string& text) override {
        status = text;
        statusHistory.push_back(text);
    }
    void ShowStatus() override { statusVisible = true; }
    bool SuffixSelected() const override { return suffixSelected; }
    std::string SuffixText() const override { return suffix; }
    char DecimalSeparator() const override { return decimalSeparator; }
    void ShowWarning(const std::string& text) override { warnings.push_back(text); }
    void ItemNotDone(BatchSide, int index) override { notDone.push_back(index); }
    void PumpEvents() override {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    void SetWaitPointer(bool wait) override { pointerHistory.push_back(wait); }

    bool WaitPointer() const { return !pointerHistory.empty() && pointerHistory.back(); }
};

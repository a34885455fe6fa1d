#pragma once

// The main window's behaviour, whatever draws it: start-up and command-line intake, drops, double-clicks,
// the clear and Open buttons, the password display toggle, the guards while a batch runs and the pacing
// of event-loop passes. A front end (Qt on Linux, Win32 on Windows) builds the widgets from the widget
// table (window/widgets.h), reports what the user does to them (Clicked, DoubleClicked, Dropped), and
// implements the protected hooks and the BatchWindow accessors with its widgets.

#include "core/batch_window.h"
#include "window/file_list.h"
#include "window/widgets.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// What an Open button asks of the platform's open-file dialog.
struct OpenDialogRequest {
    std::string title;
    std::string initialFolder;
    // description|pattern pairs: "Alle Dateien (*.*)|*.*".
    std::string filter;
    // A pattern such as "*.rc4", or "*.*" for none.
    std::string defaultExtension;
    // The list the chosen files go into.
    BatchSide side = BatchSide::Encrypt;
};

class MainWindow : public BatchWindow {
public:
    // Start-up: status line "0 %", the command line's items sorted into the lists
    // (".rc4" names into List2), repeats removed, extents fitted, both counts shown. A failing step is
    // skipped: the window always opens.
    void StartUp(const std::vector<std::string>& commandLineItems);

    // What the user did to a widget, as the front ends report it: each goes to its handler below. A
    // handler that fails in a way it does not report itself has its failure shown as a warning, so no
    // exception passes through a toolkit's event loop, and the window goes on.
    void Clicked(widgets::Id widget);
    void DoubleClicked(widgets::Id list);
    void Dropped(widgets::Id list, const std::vector<std::string>& paths);
    // Enter or the keypad's Enter in a password box: a click on that side's batch button (Text3(0) and
    // Text3(1): cmdEnc; Text3(2): cmdDec), as long as that button takes clicks.
    void EnterPressed(widgets::Id passwordBox);
    // The Delete key on a list.
    void DeletePressed(widgets::Id list);

    // Handlers. Each ignores the user while the list it would change is being read by a batch.
    // Files dropped on a list, full paths in the drop's order: folders are skipped, List2 refuses a name
    // without ".rc4" with a warning per file.
    void FilesDropped(BatchSide side, const std::vector<std::string>& paths);
    // A double-click anywhere on a list: the selected item goes, whatever lies under the pointer, and
    // the count is shown again; nothing is selected afterwards. A list emptied so loses its sideways
    // scrolling.
    void ListDoubleClicked(BatchSide side);
    // The Delete key on a list: as a double-click, but then the item that took the removed one's place
    // (or the last one, when the removed one was last) is selected, so Delete can go on removing, as in
    // a file manager.
    void ListDeletePressed(BatchSide side);
    // The list emptied, its count shown again and its sideways scrolling gone.
    void ClearClicked(BatchSide side);
    void OpenClicked(BatchSide side);
    // cmdEnc/cmdDec and their padlocks: runs, cancels or ignores as the batches decide. Once the running
    // batch has taken a click as its cancel request, its button is greyed until the batch ends, so the
    // user sees at once that the click was heard; its caption stays "Abbrechen" meanwhile.
    void BatchClicked(BatchSide side);
    // Command2: all three password boxes masked or clear together, caption "N" or "P", focus to dummy.
    // The button's name for screen readers says which of the two the boxes show.
    void MaskClicked();
    // The main window closes (Command1, its close box, the system): the program ends. During a batch it
    // ends at once, leaving the file in work as far as it was written; the batch that called into this
    // handler would otherwise carry on once the handler returns.
    void Closing();

    // The list operations that need the window: the extent, which follows the widest item the list has
    // held since it was last empty, and the count label.
    void AddHScroll(BatchSide side);
    void ShowFileCount(BatchSide side);

    // BatchWindow: the lists, read through the front end's FileList.
    int ListCount(BatchSide side) const final;
    std::string ListItem(BatchSide side, int index) const final;
    // The user's decimal separator (host/process.h).
    char DecimalSeparator() const final;
    // BatchWindow: a batch button's caption, and with it the name assistive technology gives the button,
    // which says what a click does: "Abbrechen", as the caption reads, while the side's batch takes a
    // click as a cancel request; else the side's batch (window/widgets.h).
    void SetButtonCaption(BatchSide side, const std::string& caption) final;

    // BatchWindow: the selection and the status line. A batch moves them for every file and every block,
    // far more often than anyone can read them, and each change costs a repaint. While a batch runs, the
    // window keeps the newest of them and hands it to its widgets just before a paced event pass (see
    // PumpEvents), before a warning and when the batch ends: the widgets change at most once a pass,
    // and the last state is always the one shown. Read back, they give the newest state.
    int ListIndex(BatchSide side) const final;
    void SetListIndex(BatchSide side, int index) final;
    std::string StatusText() const final;
    void SetStatusText(const std::string& text) final;

    // host::WindowHost. The batches call PumpEvents after every block, far more often than a person can
    // click; it runs an event-loop pass only when the last one lies far enough back: 40 times the last
    // pass's own duration, so passes take at most about 2.5 % of the time, but at least 10 ms and at
    // most 40 ms, so a click waits no longer than that. The newest selection and status line go to the
    // widgets just before such a pass, which draws them.
    void PumpEvents() override;
    // After each item: a paced pass when one is due, else a pass that handles what is pending (a cancel
    // click) and leaves the widgets as they are, so a file that took a fraction of a millisecond costs no
    // repaint.
    void PumpEventsNow() override;
    // The newest selection and status line are shown first: a modal box must not stand over an older state.
    void ShowWarning(const std::string& text) final;
    // Bounds of the time between two passes; both 0 make every PumpEvents call a pass.
    void SetPumpIntervals(std::chrono::nanoseconds least, std::chrono::nanoseconds most) {
        leastInterval_ = least;
        mostInterval_ = most;
    }

protected:
    // The front end's widgets and effects.
    virtual FileList& List(BatchSide side) = 0;
    const FileList& List(BatchSide side) const { return const_cast<MainWindow*>(this)->List(side); }
    // The text of Label1, the status line.
    virtual std::string ShownStatusText() const = 0;
    virtual void ShowStatusText(const std::string& text) = 0;
    // The modal warning box (see host::WindowHost::ShowWarning).
    virtual void ShowWarningBox(const std::string& text) = 0;
    // Label5 (Encrypt) or Label6 (Decrypt), sized to its text by its fit rule.
    virtual void SetCountText(BatchSide side, const std::string& text) = 0;
    // Shows the open-file dialog with several files allowed; returns the paths to add to the request's
    // list, none when it was cancelled.
    virtual std::vector<std::string> ShowOpenDialog(const OpenDialogRequest& request) = 0;
    virtual bool PasswordsMasked() const = 0;
    virtual void SetPasswordsMasked(bool masked) = 0;
    // Command2: its caption and its name for assistive technology.
    virtual void ShowMaskButton(const std::string& caption, const std::string& name) = 0;
    // cmdEnc (Encrypt) or cmdDec (Decrypt): its caption and its name for assistive technology.
    virtual void ShowBatchButton(BatchSide side, const std::string& caption, const std::string& name) = 0;
    virtual void FocusDummy() = 0;
    // While a batch reads a list: the list refuses the user, its clear and Open buttons are disabled,
    // and the other batch's button (with its padlock) is disabled too.
    virtual void GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) = 0;
    // One pass of the event loop: handles every pending event, so other handlers run inside the call.
    virtual void EventPass() = 0;
    // Ends the process at once, without unwinding.
    virtual void EndProcess() = 0;
    // Closes the info window and the main window; the event loop then ends.
    virtual void CloseWindows() = 0;
    // Command4: the info window, opened afresh or brought to the front as it stands.
    virtual void ShowInfoWindow() = 0;
    // Command1: the main window closes as through its close box (and so calls Closing).
    virtual void CloseMainWindow() = 0;

    void RunningBatchChanged() override;

private:
    bool ListInUse(BatchSide side) const { return RunningBatch() == side; }
    // Whether the side's batch button takes a click: not while the other batch runs, nor once the
    // running batch has taken its cancel request.
    bool BatchButtonTakesClicks(BatchSide side) const {
        return !RunningBatch() || (RunningBatch() == side && !CancelRequested());
    }
    // Each side's list and buttons as the running batch (if any) and its cancel request allow.
    void GuardSides();
    // Runs a handler; a failure it lets through becomes a warning.
    template <class Handler> void Guarded(Handler&& handler);
    // Adds the paths the list does not hold yet and keeps the widest of them.
    void TakeIn(BatchSide side, std::vector<std::string> paths);
    // The list holds nothing any more: its extent starts afresh.
    void Emptied(BatchSide side);
    // Whether the pacing lets the next pass through.
    bool PassDue() const;
    // Hands the kept selection and status line to the widgets where they differ.
    void ShowNewest();

    // Per list, the width of the widest item it has held since it was last empty, as the list draws it.
    // Each path is measured once, as it comes in; removing an item leaves the width, and so the extent,
    // as it was.
    double widestItem_[2] = {0, 0};

    // What a running batch set and the widgets do not show yet.
    std::optional<int> newestIndex_[2];
    std::optional<std::string> newestStatus_;

    // The end of the last paced pass; none before the first.
    std::optional<std::chrono::steady_clock::time_point> lastPass_;
    std::chrono::nanoseconds leastInterval_ = std::chrono::milliseconds(10);
    std::chrono::nanoseconds mostInterval_ = std::chrono::milliseconds(40);
    std::chrono::nanoseconds passInterval_{0};
};

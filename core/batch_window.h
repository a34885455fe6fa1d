#pragma once

// Everything the two batches need of the main window, so that the window, the command-line program and
// the tests can each drive the very same batch code. Indices are 0-based.

#include "crypto/clsCRC.h"
#include "host/window_host.h"

#include <optional>
#include <string>

// Which batch (and so which list, button and cancel flag) an operation is about.
enum class BatchSide { Encrypt, Decrypt };
// 0 for Encrypt, 1 for Decrypt: where a side's state stands in a pair.
constexpr int SideIndex(BatchSide side) noexcept {
    return side == BatchSide::Encrypt ? 0 : 1;
}

class BatchWindow : public host::WindowHost {
public:
    BatchWindow() = default;
    BatchWindow(const BatchWindow&) = delete;
    BatchWindow& operator=(const BatchWindow&) = delete;

    // List1 (Encrypt) or List2 (Decrypt).
    virtual int ListCount(BatchSide side) const = 0;
    virtual std::string ListItem(BatchSide side, int index) const = 0;
    virtual int ListIndex(BatchSide side) const = 0; // -1 when nothing is selected
    virtual void SetListIndex(BatchSide side, int index) = 0;

    // Text3(0) password, Text3(1) repetition, Text3(2) decryption password.
    virtual std::string PasswordText(int index) const = 0;
    virtual void FocusPassword(int index) = 0;

    // cmdEnc (Encrypt) or cmdDec (Decrypt). The batch never reads a caption back (its cancel request is
    // its own state, see CancelOffered), so a front end without buttons shows nothing here. When the
    // caption changes, CancelOffered already tells what a click on the button does from now on.
    virtual void SetButtonCaption(BatchSide /*side*/, const std::string& /*caption*/) {}

    // Label1, the status line.
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void ShowStatus() = 0;

    // Option1(1) "Suffix ->" selected, and the text of txtSuffix.
    virtual bool SuffixSelected() const = 0;
    virtual std::string SuffixText() const = 0;

    // The decimal separator of the user's locale, for the time text.
    virtual char DecimalSeparator() const { return '.'; }

    // A file name as it goes into a message; a front end may escape what its output cannot show safely.
    virtual std::string ShownName(const std::string& name) const { return name; }

    // The batch passed over an item because no ordinary file stands at its path. The window says
    // nothing; the command-line program tells the user, since its exit status covers every named file.
    virtual void ItemSkipped(BatchSide /*side*/, const std::string& /*path*/) {}

    // An item the batch had finished (index in the list) was not put in place after all: its output's
    // flush or rename failed, which a warning names. The window says nothing more; the command-line
    // program lists it with the items the batch never reached.
    virtual void ItemNotDone(BatchSide /*side*/, int /*index*/) {}

    // Which batch runs, if any; a click that would start a second batch is ignored meanwhile. Set by
    // the batch as it starts and ends, and reported to RunningBatchChanged.
    std::optional<BatchSide> RunningBatch() const noexcept {
        return running_ ? std::optional<BatchSide>(running_->side) : std::nullopt;
    }
    // Whether a click on the running batch's own button asks it to stop: while that button reads
    // "Abbrechen" (a batch of more than one item, until its end or failure path restores the caption).
    bool CancelOffered() const noexcept { return running_ && running_->cancelOffered; }
    // Asks the running batch to stop once the item in work is done; nothing when no batch runs.
    void RequestCancel() noexcept {
        if (running_)
            running_->cancelRequested = true;
    }
    // Whether the running batch has been asked to stop; read by it after each item. False when no batch
    // runs: a request never outlives its batch.
    bool CancelRequested() const noexcept { return running_ && running_->cancelRequested; }

    // The window's one checksum object, shared by both batches.
    clsCRC m_CRC;

protected:
    // A batch started or ended: a window guards its controls here.
    virtual void RunningBatchChanged() {}

private:
    // The batch keeps its state here as it runs.
    friend class BatchRun;

    struct Running {
        BatchSide side;
        bool cancelOffered = false;
        bool cancelRequested = false;
    };
    std::optional<Running> running_;
};

#pragma once

#include <string>

namespace host {

// What the program takes from the windowing system besides its widgets. The window program implements
// it with its toolkit, the command-line program with the terminal, tests with a recorder.
class WindowHost {
public:
    virtual ~WindowHost() = default;

    // A modal warning with one OK button, titled with the program's name; returns when it is closed.
    // Lines in the text are separated by CR LF.
    virtual void ShowWarning(const std::string& text) = 0;
    // Handles the pending events of the program's windows; other handlers may run inside the call. A
    // window may pace these passes and skip a call that comes too soon after the last pass.
    virtual void PumpEvents() = 0;
    // One pass now, whatever the pacing: the batches run it before each item's cancel check, so a cancel
    // click is seen within one file however small the files are. A window may leave its screen as it is
    // in such a pass until its paced one is due, so that a file that took a fraction of a millisecond
    // costs no repaint.
    virtual void PumpEventsNow() { PumpEvents(); }
    // The wait pointer while a batch runs, the normal arrow otherwise.
    virtual void SetWaitPointer(bool wait) = 0;
};

} // namespace host

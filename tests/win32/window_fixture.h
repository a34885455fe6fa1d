#pragma once

// The native main window with its outside effects replaced: warnings are recorded, the open-file
// dialog answers what the test prepared, the event pass counts itself and can act in the middle of a
// batch, and ending the process or the message loop is only recorded. The test drives the window through
// its controls with the messages the system sends when a user acts.

#include "support/temp_dir.h"
#include "win32/frmRC4.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct Warning {
    HWND owner;
    std::string title;
    std::string text;
};

class NativeWindowTest : public ::testing::Test {
protected:
    ~NativeWindowTest() override;

    // Opens and shows the window with the given command-line text.
    void Open(const std::string& commandLine = {});

    frmRC4& Window() { return *window_; }
    // A control by its table name ("cmdEnc", "Text3(2)").
    HWND Control(const std::string& name);
    std::string Text(const std::string& name);
    std::vector<std::string> Items(int list);

    // A click on a button, as the system delivers it (BM_CLICK: pressed and released over the button).
    void Click(const std::string& name);
    // Typed characters, one WM_CHAR per UTF-16 unit, as the keyboard delivers them.
    void Type(const std::string& name, const std::string& utf8);
    // Files dropped from the shell onto List1 or List2: a real CF_HDROP block in WM_DROPFILES.
    void Drop(int list, const std::vector<std::string>& paths);
    // Handles every pending message, as the program's loop would.
    void Pass();
    // Handles messages as they arrive until done() holds or 10 s have passed: for what comes back through
    // the system (a sent click, an event to a hook) and may take more than one pass.
    bool PassUntil(const std::function<bool()>& done);

    // A file of the given size in the temporary folder; returns its path.
    std::string MakeFile(const std::string& name, std::size_t size, std::uint32_t seed = 1);
    std::string MakeFolder(const std::string& name);

    TempDir dir_;
    std::vector<Warning> warnings_;
    std::vector<OpenDialogRequest> dialogCalls_;
    std::string dialogAnswer_;
    int passes_ = 0;
    int endCalls_ = 0;
    int quitCalls_ = 0;
    // Runs inside every event pass of a batch, before the pending messages are handled.
    std::function<void()> onPass_;

private:
    std::unique_ptr<frmRC4> window_;
};

// Paths each in double quotes, separated by single spaces: a command line as the shell writes it.
std::string Quoted(const std::vector<std::string>& paths);

// The tool tip the window shows over one of its controls.
std::string ToolTip(HWND window, HWND control);

// What assistive technology reads of a control: its accessible object's name or description. Needs COM
// on the calling thread.
std::string Accessible(HWND control, bool description = false);
// Its accessible object's role (ROLE_SYSTEM_...); 0 when it has none.
long AccessibleRole(HWND control);

#pragma once

// The window program as it starts: Qt's application object, Qt's German texts and the main window with
// the program's arguments in its lists.

#include "ui/frmRC4.h"

#include <QApplication>
#include <QTranslator>

#include <array>
#include <memory>

class WindowProgram {
public:
    // Records the arguments (host::InitProcess) and builds the window with every argument behind the
    // program's path as a list item. Qt is given the program's path alone: it takes its own options
    // (-style, -reverse, -platform, ...) out of the arguments it is handed, so a file of such a name
    // would be dropped and the window changed instead. Qt's settings from the environment
    // (QT_QPA_PLATFORM, QT_SCALE_FACTOR, ...) still apply.
    WindowProgram(int argc, char** argv);
    WindowProgram(const WindowProgram&) = delete;
    WindowProgram& operator=(const WindowProgram&) = delete;

    frmRC4& Window() { return *window_; }
    // Shows the window and runs the event loop until the program ends; returns its exit status.
    int Run();

private:
    // QApplication keeps references to its argument count and list for its whole life.
    int qtArgc_ = 1;
    std::array<char*, 2> qtArgv_{};
    QApplication app_;
    std::unique_ptr<QTranslator> german_;
    std::unique_ptr<frmRC4> window_;
};

#pragma once

// The outside effects of the window program, each one replaceable: tests put a recorder in place of the
// modal warning box, a stub in place of the file dialog, and a pass that can deliver a click in place of
// the event loop. Window code reaches these effects only through here.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

struct UiHost {
    // A modal warning box with the exclamation icon and one OK button; returns when it is closed. Lines
    // in the text are separated by CR LF.
    std::function<void(QWidget* owner, const QString& title, const QString& text)> warningBox;
    // The multi-select open-file dialog, opening at start (a folder, or a file in it). Returns the chosen
    // files as full paths, none when cancelled. The filter is in Qt's form ("Name (*.a *.b);;...").
    std::function<QStringList(QWidget* owner, const QString& title, const QString& start,
                              const QString& filter, const QString& defaultSuffix)>
        openFiles;
    // One pass of the event loop: handles every pending event, so other handlers run inside the call.
    std::function<void()> eventPass;
    // Ends the process at once, without unwinding: used when the window closes in the middle of a batch.
    std::function<void()> endProcess;

    // The real effects: QMessageBox, QFileDialog, QCoreApplication::processEvents, std::_Exit.
    static UiHost Qt();
};

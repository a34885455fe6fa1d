// The window program: the main window and the event loop, nothing else.

#include "core/command_line.h"
#include "host/process.h"
#include "ui/frmRC4.h"
#include "ui/qt_german.h"

#include <QApplication>

int main(int argc, char** argv) {
    // QApplication takes its own options (-style, -platform, ...) out of argc and argv; what remains are
    // the program's arguments, the files to list.
    QApplication app(argc, argv);
    // Without the translation Qt's own dialogs speak English; the program works all the same.
    const std::unique_ptr<QTranslator> german = LoadQtGermanTexts();
    if (german)
        QApplication::installTranslator(german.get());
    host::InitProcess(argc, argv);
    frmRC4 window(CommandLineItems());
    window.show();
    return QApplication::exec();
}

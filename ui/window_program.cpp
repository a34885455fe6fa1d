#include "ui/window_program.h"

#include "core/command_line.h"
#include "host/process.h"
#include "host/stop_request.h"
#include "ui/qt_german.h"

namespace {

// The program's path, or its name when the system handed over none.
char* ProgramPath(int argc, char** argv) {
    static char name[] = "tessarin";
    return argc > 0 && argv[0] != nullptr ? argv[0] : name;
}

} // namespace

WindowProgram::WindowProgram(int argc, char** argv)
    : qtArgv_{ProgramPath(argc, argv), nullptr}, app_(qtArgc_, qtArgv_.data()), german_(LoadQtGermanTexts()) {
    // Without the translation Qt's own dialogs speak English; the program works all the same.
    if (german_)
        QApplication::installTranslator(german_.get());
    host::InitProcess(argc, argv);
    // A file-size limit makes a write fail with its reason, shown as the batch's warning.
    host::FailWritesPastSizeLimit();
    window_ = std::make_unique<frmRC4>(CommandLineItems());
}

int WindowProgram::Run() {
    window_->show();
    return QApplication::exec();
}

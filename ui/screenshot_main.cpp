// Writes a picture of the main window: screenshot PICTURE.png [OTHER.png] [FILE...]. The files go on the
// window's command line as the program would get them; with a second picture name, the info window is
// pictured too. Run under a display server such as Xvfb (scripts/screenshot.sh).

#include "core/command_line.h"
#include "host/process.h"
#include "ui/frmRC4.h"

#include <QApplication>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fputs("usage: tessarin-screenshot PICTURE.png [INFO.png] [FILE...]\n", stderr);
        return 2;
    }
    const QString picture = QString::fromLocal8Bit(argv[1]);
    int first = 2;
    QString infoPicture;
    if (argc > 2 && QString::fromLocal8Bit(argv[2]).endsWith(QLatin1String(".png"))) {
        infoPicture = QString::fromLocal8Bit(argv[2]);
        first = 3;
    }
    std::vector<char*> arguments = {argv[0]};
    for (int i = first; i < argc; ++i)
        arguments.push_back(argv[i]);
    host::InitProcess(static_cast<int>(arguments.size()), arguments.data());

    frmRC4 window(CommandLineItems());
    window.show();
    int status = 0;
    QTimer::singleShot(500, &app, [&] {
        if (!window.grab().save(picture))
            status = 1;
        if (!infoPicture.isEmpty()) {
            if (QPushButton* info = window.findChild<QPushButton*>(QStringLiteral("Command4")))
                info->click();
            QCoreApplication::processEvents();
            QWidget* infoWindow = window.findChild<QWidget*>(QStringLiteral("frmInfo"));
            if (infoWindow == nullptr || !infoWindow->grab().save(infoPicture))
                status = 1;
        }
        QCoreApplication::exit(status);
    });
    return app.exec();
}

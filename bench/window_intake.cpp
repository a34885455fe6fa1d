// How long the real window takes to take in many paths, until it answers again:
//   window_intake start [PATH...]          (TESSARIN_BENCH_START: when the caller started it, in ns
//                                           since the epoch, as `date +%s%N` prints it)
//   window_intake drop LISTED DROPPED      (files holding one path a line)
// start runs as the window program does, the paths on its command line going into the lists, and prints
// the seconds from the caller's start of the process to the moment the window is on the screen and its
// event loop handles events. drop opens the window with LISTED's paths in the encryption list, drops
// DROPPED's paths onto that list as a file manager's drag does (a URI list), and prints the seconds
// until the drop is handled and the window has handled its pending events. Both check that every path
// reached a list and exit with 1 otherwise. Runs on any Qt platform (a (virtual) X server, or
// QT_QPA_PLATFORM=offscreen).

#include "ui/frmRC4.h"
#include "ui/window_program.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadLines(const char* path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            lines.push_back(line);
    return lines;
}

int Listed(frmRC4& window) {
    return window.ListCount(BatchSide::Encrypt) + window.ListCount(BatchSide::Decrypt);
}

// Handles events until the window is on the screen; false after ten seconds without.
bool WaitUntilExposed(QWidget& window) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (window.windowHandle() == nullptr || !window.windowHandle()->isExposed()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QApplication::processEvents();
    return true;
}

int Start(int argc, char** argv) {
    const char* started = std::getenv("TESSARIN_BENCH_START");
    if (started == nullptr) {
        std::fprintf(stderr, "window_intake start: TESSARIN_BENCH_START is not set\n");
        return 2;
    }
    // The program's path stands where the mode was, as in the window program's own argument list.
    argv[1] = argv[0];
    WindowProgram program(argc - 1, argv + 1);
    frmRC4& window = program.Window();
    window.show();
    if (!WaitUntilExposed(window)) {
        std::fprintf(stderr, "window_intake start: the window did not come onto the screen\n");
        return 1;
    }
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    const double seconds = static_cast<double>(now - std::atoll(started)) / 1e9;
    if (Listed(window) != argc - 2) {
        std::fprintf(stderr, "window_intake start: %d of %d paths listed\n", Listed(window), argc - 2);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

int Drop(char** argv) {
    const std::vector<std::string> listed = ReadLines(argv[2]);
    const std::vector<std::string> dropped = ReadLines(argv[3]);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    frmRC4 window(listed);
    window.show();
    if (!WaitUntilExposed(window)) {
        std::fprintf(stderr, "window_intake drop: the window did not come onto the screen\n");
        return 1;
    }
    QByteArray uriList;
    for (const std::string& path : dropped)
        uriList += QUrl::fromLocalFile(QString::fromStdString(path)).toEncoded() + "\r\n";
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1"));
    if (list == nullptr)
        return 1;
    QWidget* target = list->viewport();

    const auto start = std::chrono::steady_clock::now();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QApplication::processEvents();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const int expected = static_cast<int>(listed.size() + dropped.size());
    if (!enter.isAccepted() || window.ListCount(BatchSide::Encrypt) != expected) {
        std::fprintf(stderr, "window_intake drop: %d of %d paths listed\n",
                     window.ListCount(BatchSide::Encrypt), expected);
        return 1;
    }
    std::printf("%.6f\n", seconds);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "start") == 0)
        return Start(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "drop") == 0)
        return Drop(argv);
    std::fprintf(stderr, "usage: window_intake start [PATH...] | window_intake drop LISTED DROPPED\n");
    return 2;
}

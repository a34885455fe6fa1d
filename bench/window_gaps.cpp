// The longest time the window goes without handling its events while it encrypts one large file:
//   window_gaps FILE     (the container FILE.rc4 must not exist; it is removed afterwards)
// Opens the real main window with FILE in its list, clicks cmdEnc and records the start of every event
// pass. Prints the batch's time, the number of passes and the longest gaps between them. Runs on any Qt
// platform: QT_QPA_PLATFORM=offscreen, or a (virtual) X server.

#include "ui/frmRC4.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: window_gaps FILE\n");
        return 2;
    }
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const std::string file = argv[1];
    frmRC4 window({file});
    window.show();
    QApplication::processEvents();
    for (const char* box : {"Text3(0)", "Text3(1)"})
        window.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QStringLiteral("Benchmark"));

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> passes;
    auto& host = window.Host();
    const auto pass = host.eventPass;
    host.eventPass = [&] {
        passes.push_back(Clock::now());
        pass();
    };
    const auto start = Clock::now();
    window.findChild<QPushButton*>(QStringLiteral("cmdEnc"))->click();
    const auto end = Clock::now();
    host.eventPass = pass;
    std::filesystem::remove(file + ".rc4");

    // The gaps between the click and the first pass, between passes, and from the last to the end.
    std::vector<double> gaps;
    Clock::time_point last = start;
    for (const auto& at : passes) {
        gaps.push_back(std::chrono::duration<double, std::milli>(at - last).count());
        last = at;
    }
    gaps.push_back(std::chrono::duration<double, std::milli>(end - last).count());
    std::sort(gaps.begin(), gaps.end());
    const auto at = [&](double q) {
        return gaps[static_cast<std::size_t>(q * static_cast<double>(gaps.size() - 1))];
    };
    std::printf(
        "batch %.3f s, %zu event passes; gaps between them: median %.1f ms, 99 %% %.1f ms, longest %.1f ms\n",
        std::chrono::duration<double>(end - start).count(), passes.size(), at(0.5), at(0.99), gaps.back());
    return 0;
}

// How the real window keeps answering while it encrypts, and how fast it encrypts:
//   window_gaps [--no-clicks] FILE...
//   window_gaps [--no-clicks] --list LIST     (LIST holds one path a line)
// Opens the main window with the files in its list, clicks cmdEnc and records every event pass, while
// another thread posts a click on Command2 every 10 ms (not with --no-clicks), as a user clicking
// about would. Prints the batch's time, files and bytes per second, the number of event passes and the
// time spent in them, the gaps between passes, how often the status line and the list were painted,
// and how long each click waited for its handler. Checks that no warning came, that every container
// has its file's size plus the header and that the time text is shown; exits with 1 otherwise. The
// containers (which must not exist before) are removed afterwards. Runs on any Qt platform:
// QT_QPA_PLATFORM=offscreen, or a (virtual) X server.

#include "core/batch_texts.h"
#include "core/container.h"
#include "ui/frmRC4.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

// The value below which the share q of the sorted values lies.
double Quantile(const std::vector<double>& sorted, double q) {
    return sorted.empty() ? 0.0
                          : sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    bool clicks = true;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-clicks") == 0) {
            clicks = false;
        } else if (std::strcmp(argv[i], "--list") == 0 && i + 1 < argc) {
            std::ifstream in(argv[++i]);
            for (std::string line; std::getline(in, line);)
                if (!line.empty())
                    files.push_back(line);
        } else {
            files.emplace_back(argv[i]);
        }
    }
    if (files.empty()) {
        std::fprintf(stderr,
                     "usage: window_gaps [--no-clicks] FILE... | window_gaps [--no-clicks] --list LIST\n");
        return 2;
    }
    std::uintmax_t bytes = 0;
    for (const std::string& file : files)
        bytes += std::filesystem::file_size(file);

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    frmRC4 window(files);
    int warnings = 0;
    window.Host().warningBox = [&](QWidget*, const QString&, const QString& text) {
        ++warnings;
        std::fprintf(stderr, "warning: %s\n", text.toLocal8Bit().constData());
    };
    window.show();
    QApplication::processEvents();
    for (const char* box : {"Text3(0)", "Text3(1)"})
        window.findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QStringLiteral("Benchmark"));
    PaintCounter statusPaints(window.findChild<QLabel*>(QStringLiteral("Label1")));
    PaintCounter listPaints(window.findChild<QListWidget*>(QStringLiteral("List1"))->viewport());

    std::vector<Clock::time_point> passes;
    Clock::duration inPasses{};
    auto& host = window.Host();
    const auto pass = host.eventPass;
    host.eventPass = [&] {
        const auto start = Clock::now();
        passes.push_back(start);
        pass();
        inPasses += Clock::now() - start;
    };

    // Clicks on Command2 (the password toggle, harmless during a batch), posted as the window system
    // would deliver them; each handler's time is matched with its post.
    QPushButton* target = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    std::mutex mutex;
    std::vector<Clock::time_point> posted;
    std::vector<Clock::time_point> handled;
    const QMetaObject::Connection counting = QObject::connect(target, &QPushButton::clicked, target, [&] {
        std::lock_guard lock(mutex);
        handled.push_back(Clock::now());
    });
    std::atomic<bool> done{false};
    const QPointF centre = QRectF(target->rect()).center();
    std::thread poster([&] {
        while (clicks && !done) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
            {
                std::lock_guard lock(mutex);
                posted.push_back(Clock::now());
            }
            QCoreApplication::postEvent(target,
                                        new QMouseEvent(QEvent::MouseButtonPress, centre, centre,
                                                        Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
            QCoreApplication::postEvent(target,
                                        new QMouseEvent(QEvent::MouseButtonRelease, centre, centre,
                                                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
        }
    });

    const int statusBefore = statusPaints.count;
    const int listBefore = listPaints.count;
    const auto start = Clock::now();
    window.findChild<QPushButton*>(QStringLiteral("cmdEnc"))->click();
    const auto end = Clock::now();
    done = true;
    poster.join();
    QCoreApplication::removePostedEvents(target);
    QObject::disconnect(counting);
    host.eventPass = pass;

    int failures = 0;
    for (const std::string& file : files) {
        std::error_code error;
        const auto size = std::filesystem::file_size(file + ".rc4", error);
        if (error || size != std::filesystem::file_size(file) + container::HeaderSize)
            ++failures;
        std::filesystem::remove(file + ".rc4", error);
    }
    const bool timeShown = window.StatusText().find(texts::EncryptTime) != std::string::npos;
    if (warnings > 0 || failures > 0 || !timeShown) {
        std::fprintf(stderr, "window_gaps: %d warnings, %d containers missing or short, time text %s\n",
                     warnings, failures, timeShown ? "shown" : "missing");
        return 1;
    }

    // The gaps between the click and the first pass, between passes, and from the last to the end.
    std::vector<double> gaps;
    Clock::time_point last = start;
    for (const auto& at : passes) {
        gaps.push_back(Ms(at - last));
        last = at;
    }
    gaps.push_back(Ms(end - last));
    std::sort(gaps.begin(), gaps.end());
    std::vector<double> latencies;
    {
        std::lock_guard lock(mutex);
        for (std::size_t i = 0; i < handled.size() && i < posted.size(); ++i)
            if (handled[i] <= end)
                latencies.push_back(Ms(handled[i] - posted[i]));
    }
    std::sort(latencies.begin(), latencies.end());
    const double seconds = std::chrono::duration<double>(end - start).count();
    std::printf(
        "batch %.3f s, %zu files (%.0f files/s, %.1f MB/s); %zu event passes, %.2f %% of the time in "
        "them; gaps between them: median %.1f ms, 99 %% %.1f ms, longest %.1f ms; painted: status line "
        "%d times, list %d times",
        seconds, files.size(), static_cast<double>(files.size()) / seconds,
        static_cast<double>(bytes) / seconds / 1e6, passes.size(),
        100.0 * std::chrono::duration<double>(inPasses).count() / seconds, Quantile(gaps, 0.5),
        Quantile(gaps, 0.99), gaps.back(), statusPaints.count - statusBefore, listPaints.count - listBefore);
    if (clicks)
        std::printf("; click latency over %zu clicks: median %.2f ms, 90 %% %.2f ms, longest %.2f ms",
                    latencies.size(), Quantile(latencies, 0.5), Quantile(latencies, 0.9),
                    Quantile(latencies, 1.0));
    std::printf("\n");
    return 0;
}

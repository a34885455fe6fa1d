#include "window_fixture.h"

#include "core/command_line.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <filesystem>

void WindowTest::Open(const std::string& commandLine) {
    UiHost host;
    host.warningBox = [this](QWidget*, const QString& title, const QString& text) {
        warnings_.push_back({title, text});
    };
    host.openFiles = [this](QWidget*, const QString& title, const QString& start, const QString& filter,
                            const QString& suffix) {
        dialogCalls_.push_back({title, start, filter, suffix});
        return dialogAnswer_;
    };
    host.eventPass = [this] {
        ++passes_;
        if (onPass_)
            onPass_();
        QCoreApplication::processEvents();
    };
    host.endProcess = [this] { ++endCalls_; };
    window_ = std::make_unique<frmRC4>(CommandLineItems(commandLine), std::move(host));
    window_->show();
}

bool WindowTest::Drop(int number, const QStringList& paths) {
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    QMimeData data;
    data.setUrls(urls);
    return DropData(number, data);
}

bool WindowTest::DropUriList(int number, const QByteArray& uriList) {
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), uriList);
    return DropData(number, data);
}

bool WindowTest::DropData(int number, const QMimeData& data) {
    QWidget* target = List(number)->viewport();
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return enter.isAccepted();
}

QString WindowTest::MakeFile(const std::string& name, std::size_t size, std::uint32_t seed) {
    const std::string path = dir_.File(name);
    WriteBytes(path, RandomBytes(size, seed));
    return QString::fromStdString(path);
}

QString WindowTest::MakeFolder(const std::string& name) {
    const std::string path = dir_.File(name);
    std::filesystem::create_directory(path);
    return QString::fromStdString(path);
}

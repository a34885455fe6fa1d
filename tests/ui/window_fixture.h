#pragma once

// A main window with its outside effects replaced: warnings are recorded, the file dialog answers what
// the test prepared, the event-loop pass counts itself and can act in the middle of a batch, and ending
// the process is only recorded.

#include "host/process.h"
#include "support/temp_dir.h"
#include "ui/file_list_box.h"
#include "ui/frmRC4.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

struct Warning {
    QString title;
    QString text;
};

struct DialogCall {
    QString title;
    QString start;
    QString filter;
    QString suffix;
};

class WindowTest : public ::testing::Test {
protected:
    // Opens the window with the given command-line text.
    void Open(const std::string& commandLine = {});

    frmRC4& Window() { return *window_; }
    template <class Widget> Widget* Find(const QString& name) {
        auto* widget = window_->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    FileListBox* List(int number) { return Find<FileListBox>(QStringLiteral("List%1").arg(number)); }
    QStringList Items(int number) { return List(number)->Items(); }
    QString LabelText(const char* name) { return Find<QLabel>(QString::fromLatin1(name))->text(); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(QString::fromLatin1(name)); }
    QLineEdit* Password(int index) { return Find<QLineEdit>(QStringLiteral("Text3(%1)").arg(index)); }

    // Drags the paths as local-file URLs over the list and drops them; returns whether the list offered
    // to take the drag.
    bool Drop(int number, const QStringList& paths);
    // The same with the drag's URI list (text/uri-list) as another program writes it, byte for byte.
    bool DropUriList(int number, const QByteArray& uriList);
    // A file of the given size in the temporary folder; returns its path.
    QString MakeFile(const std::string& name, std::size_t size, std::uint32_t seed = 1);
    QString MakeFolder(const std::string& name);

    TempDir dir_;
    std::vector<Warning> warnings_;
    std::vector<DialogCall> dialogCalls_;
    QStringList dialogAnswer_;
    int passes_ = 0;
    int endCalls_ = 0;
    // Runs inside every event-loop pass, before the pending events are handled.
    std::function<void()> onPass_;

private:
    bool DropData(int number, const QMimeData& data);

    std::unique_ptr<frmRC4> window_;
};

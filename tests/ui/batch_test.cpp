#include "support/accessible_names.h"
#include "window_fixture.h"

#include "host/files.h"
#include "host/temporary_name.h"

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

namespace {

std::int64_t SizeOf(const QString& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path.toStdString(), ec);
    return ec ? -1 : static_cast<std::int64_t>(size);
}

ino_t Inode(const QString& path) {
    struct stat st {};
    return ::stat(path.toStdString().c_str(), &st) == 0 ? st.st_ino : 0;
}

// The file an output is written to until it is complete (beside it, named after it), or an empty text.
QString BeingWritten(const QString& output) {
    const std::filesystem::path path = output.toStdString();
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (host::IsTemporaryName(name) && name.starts_with(path.filename().string()))
            return QString::fromStdString(entry.path().string());
    }
    return {};
}

QString Quoted(const QStringList& paths) {
    return '"' + paths.join(QStringLiteral("\" \"")) + '"';
}

} // namespace

class BatchTest : public WindowTest {
protected:
    void Encrypt(const QString& password) {
        Password(0)->setText(password);
        Password(1)->setText(password);
        QTest::mouseClick(Button("cmdEnc"), Qt::LeftButton);
    }
    void Decrypt(const QString& password) {
        Password(2)->setText(password);
        QTest::mouseClick(Button("cmdDec"), Qt::LeftButton);
    }
};

TEST_F(BatchTest, EncryptsAndDecryptsThroughTheButtons) {
    const QString a = MakeFile("a.txt", 250000, 1);
    const QString empty = MakeFile("b.bin", 0);
    const QString spaced = MakeFile("c d.dat", 100001, 2);
    Open(Quoted({a, empty, spaced}).toStdString());
    Encrypt(QString::fromUtf8("Schlüssel"));
    EXPECT_TRUE(warnings_.empty());
    for (const QString& plain : {a, empty, spaced})
        EXPECT_EQ(SizeOf(plain + ".rc4"), SizeOf(plain) + 31) << plain.toStdString();
    EXPECT_TRUE(QRegularExpression("^File: 3 von 3,  File bearbeitet: 100 % , EncryptTime: [0-9.,]+ m?s$")
                    .match(LabelText("Label1"))
                    .hasMatch())
        << LabelText("Label1").toStdString();
    EXPECT_EQ(List(1)->currentRow(), 2);
    EXPECT_TRUE(Find<QLabel>("Label1")->isVisible());
    EXPECT_EQ(Button("cmdEnc")->text(), "RC4 Encrypt");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(Window().cursor().shape(), Qt::ArrowCursor);

    // Restored beside the containers with the start-up suffix.
    Drop(2, {a + ".rc4", empty + ".rc4", spaced + ".rc4"});
    Decrypt(QString::fromUtf8("Schlüssel"));
    EXPECT_TRUE(warnings_.empty());
    EXPECT_EQ(ReadBytes(dir_.File("a-dec.txt")), ReadBytes(a.toStdString()));
    EXPECT_EQ(ReadBytes(dir_.File("b-dec.bin")), ReadBytes(empty.toStdString()));
    EXPECT_EQ(ReadBytes(dir_.File("c d-dec.dat")), ReadBytes(spaced.toStdString()));
    EXPECT_TRUE(LabelText("Label1").contains(" , DecryptTime: "));

    // With "Originalname", under the former names.
    const auto original = ReadBytes(a.toStdString());
    std::filesystem::remove(a.toStdString());
    QTest::mouseClick(Find<QRadioButton>("Option1(0)"), Qt::LeftButton);
    Decrypt(QString::fromUtf8("Schlüssel"));
    EXPECT_EQ(ReadBytes(a.toStdString()), original);

    // A wrong password is reported through the window's warning box.
    Decrypt("falsch");
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_EQ(warnings_[0].text, "Falsches Passwort!");
    EXPECT_EQ(warnings_[0].title, QString::fromStdString(host::ExecutableName()));
}

TEST_F(BatchTest, NamesThatAreNoUtf8AreEncryptedUnderTheirRealNames) {
    // Two files whose names show alike, as "\uFFFD.txt", but are not the same bytes.
    const std::vector<std::string> names = {"\xFF.txt", "\xFE.txt"};
    struct Way {
        const char* name;
        // Opens the window and puts both files into the encryption list (the first one twice where the
        // way allows).
        std::function<void(const std::vector<std::string>& paths)> add;
    };
    const std::vector<Way> ways = {
        {"command line",
         [&](const std::vector<std::string>& paths) {
             Open('"' + paths[0] + "\" \"" + paths[1] + "\" \"" + paths[0] + '"');
         }},
        // A file manager writes each byte of a name that is no UTF-8 as %XX.
        {"drop",
         [&](const std::vector<std::string>& paths) {
             Open();
             QByteArray uriList;
             for (const std::string& path : {paths[0], paths[1], paths[0]})
                 uriList += "file://" + QByteArray::fromStdString(path).toPercentEncoding("/") + "\r\n";
             EXPECT_TRUE(DropUriList(1, uriList));
         }},
        // A dialog that lists such names shows both alike and answers with the text it showed. (Qt's own
        // dialog leaves them out.)
        {"open dialog",
         [&](const std::vector<std::string>& paths) {
             Open();
             dialogAnswer_ = {QString::fromStdString(paths[0])};
             QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const std::string folder = MakeFolder(way.name).toStdString();
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < names.size(); ++i) {
            paths.push_back(folder + '/' + names[i]);
            WriteBytes(paths.back(), RandomBytes(1000 + i, static_cast<std::uint32_t>(i)));
        }
        way.add(paths);
        const QString shown = QString::fromStdString(folder) + QString::fromUtf8("/\uFFFD.txt");
        EXPECT_EQ(Items(1), QStringList({shown, shown}));
        Encrypt("pw");
        EXPECT_TRUE(warnings_.empty());
        EXPECT_TRUE(LabelText("Label1").startsWith("File: 2 von 2,")) << LabelText("Label1").toStdString();
        // Beside each file its container, and nothing under a name made of the shown text.
        std::vector<std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            entries.push_back(entry.path().filename().native());
        std::sort(entries.begin(), entries.end());
        EXPECT_EQ(entries,
                  (std::vector<std::string>{"\xFE.txt", "\xFE.txt.rc4", "\xFF.txt", "\xFF.txt.rc4"}));
        for (const std::string& path : paths)
            EXPECT_EQ(ReadBytes(path + ".rc4").size(), ReadBytes(path).size() + 31);
    }
}

TEST_F(BatchTest, PadlockClickOrEnterInAPasswordBoxIsAClickOnItsButton) {
    const QString encrypt = QString::fromUtf8("Bitte eine zu verschlüsselnde Dateien auswählen !");
    const QString decrypt = QString::fromUtf8("Bitte eine zu entschlüsselnde Dateien auswählen !");
    const struct {
        const char* widget;
        // 0: a click; else the key pressed in the widget.
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        QString warning;
    } rows[] = {
        {"Picture1", Qt::Key(0), {}, encrypt},     {"Picture2", Qt::Key(0), {}, decrypt},
        {"Text3(0)", Qt::Key_Return, {}, encrypt}, {"Text3(1)", Qt::Key_Enter, Qt::KeypadModifier, encrypt},
        {"Text3(2)", Qt::Key_Return, {}, decrypt}, {"Text3(2)", Qt::Key_Enter, Qt::KeypadModifier, decrypt},
    };
    Open();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.widget << " " << row.key);
        warnings_.clear();
        QWidget* widget = Find<QWidget>(QString::fromLatin1(row.widget));
        if (row.key == Qt::Key(0)) {
            QTest::mouseClick(widget, Qt::LeftButton);
        } else {
            widget->setFocus();
            QTest::keyClick(widget, row.key, row.modifiers);
        }
        ASSERT_EQ(warnings_.size(), 1u);
        EXPECT_EQ(warnings_[0].text, row.warning);
    }

    // Enter starts the batch in its box and ends there: when the focus has moved on during the batch
    // (a greyed button hands it on), the key presses nothing else afterwards.
    const QStringList plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2)};
    Open(Quoted(plain).toStdString());
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    onPass_ = [&] { Button("Command2")->setFocus(); };
    Password(0)->setText("pw");
    Password(1)->setText("pw");
    Password(1)->setFocus();
    QTest::keyClick(Password(1), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(SizeOf(plain[1] + ".rc4"), 300000 + 31);
    EXPECT_EQ(Button("Command2")->text(), "N");
}

TEST_F(BatchTest, ClickDuringTheFirstFileCancelsTheRest) {
    const QStringList plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2),
                               MakeFile("3.bin", 300000, 3)};
    Open(Quoted(plain).toStdString());
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    const auto name = [&](const char* button) {
        return QAccessible::queryAccessibleInterface(Button(button))->text(QAccessible::Name).toStdString();
    };
    QString captionSeen;
    std::string namesSeen[2];
    struct Looks {
        bool enabled;
        QString caption;
    };
    std::vector<Looks> afterCancel;
    onPass_ = [&] {
        if (passes_ == 1) {
            captionSeen = Button("cmdEnc")->text();
            // A screen reader says what a click does: the running batch's button stops it.
            namesSeen[0] = name("cmdEnc");
            namesSeen[1] = name("cmdDec");
            QTest::mouseClick(Button("cmdEnc"), Qt::LeftButton);
            // The request is taken: the button greys at once and keeps its caption until the batch ends.
            afterCancel.push_back({Button("cmdEnc")->isEnabled(), Button("cmdEnc")->text()});
        } else if (passes_ > 1) {
            afterCancel.push_back({Button("cmdEnc")->isEnabled(), Button("cmdEnc")->text()});
        }
    };
    Encrypt("pw");
    EXPECT_TRUE(warnings_.empty());
    ASSERT_GE(afterCancel.size(), 2u);
    for (const Looks& looks : afterCancel) {
        EXPECT_FALSE(looks.enabled);
        EXPECT_EQ(looks.caption, "Abbrechen");
    }
    EXPECT_TRUE(Button("cmdEnc")->isEnabled());
    EXPECT_EQ(captionSeen, "Abbrechen");
    EXPECT_EQ(namesSeen[0], CancellingBatchButtonName);
    EXPECT_EQ(namesSeen[1], "Dateien der unteren Liste entschlüsseln");
    EXPECT_EQ(name("cmdEnc"), "Dateien der oberen Liste verschlüsseln");
    // The file in work is finished; the others are not started.
    EXPECT_EQ(SizeOf(plain[0] + ".rc4"), 300000 + 31);
    EXPECT_EQ(SizeOf(plain[1] + ".rc4"), -1);
    EXPECT_EQ(SizeOf(plain[2] + ".rc4"), -1);
    EXPECT_TRUE(LabelText("Label1").contains(" , EncryptTime: "));
    EXPECT_EQ(Button("cmdEnc")->text(), "RC4 Encrypt");
}

TEST_F(BatchTest, ACancelClickIsSeenWithinOneFileHoweverSmall) {
    // With the window's usual pacing of event passes, many small files fit between two passes.
    QStringList plain;
    for (int i = 0; i < 5; ++i)
        plain << MakeFile(std::to_string(i) + ".bin", 10, static_cast<std::uint32_t>(i));
    Open(Quoted(plain).toStdString());
    Window().SetPumpIntervals(std::chrono::hours(1), std::chrono::hours(1));
    // The click arrives just after the first pass: it is due from the next pass on, which waits until it
    // is there.
    QTimer click;
    click.setSingleShot(true);
    click.setTimerType(Qt::PreciseTimer);
    QObject::connect(&click, &QTimer::timeout, Button("cmdEnc"), [&] { Button("cmdEnc")->click(); });
    onPass_ = [&] {
        if (passes_ == 1)
            click.start(std::chrono::milliseconds(1));
        else if (passes_ == 2)
            while (click.remainingTime() > 0) // 0 once due; -1 once it has fired
                std::this_thread::yield();
    };
    Encrypt("pw");
    EXPECT_EQ(SizeOf(plain[0] + ".rc4"), 10 + 31);
    EXPECT_EQ(SizeOf(plain[1] + ".rc4"), -1);
}

TEST_F(BatchTest, SecondClickDuringAOneFileBatchStartsNothing) {
    const QString plain = MakeFile("one.bin", 500000);
    const QString container = plain + ".rc4";
    Open(Quoted({plain}).toStdString());
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    ino_t during = 0;
    QString nameDuring;
    onPass_ = [&] {
        if (const QString written = BeingWritten(container); during == 0 && !written.isEmpty()) {
            during = Inode(written);
            // A click cancels nothing here, and the button's name does not offer it.
            nameDuring = QAccessible::queryAccessibleInterface(Button("cmdEnc"))->text(QAccessible::Name);
            QTest::mouseClick(Button("cmdEnc"), Qt::LeftButton);
            QTest::mouseClick(Find<QLabel>("Picture1"), Qt::LeftButton);
        }
    };
    Encrypt("pw");
    // A nested batch would have written another container in place of the running one's.
    EXPECT_NE(during, 0u);
    EXPECT_EQ(Inode(container), during);
    EXPECT_EQ(nameDuring, QString::fromUtf8("Dateien der oberen Liste verschlüsseln"));
    EXPECT_EQ(SizeOf(container), 500000 + 31);
    EXPECT_EQ(LabelText("Label1").count("EncryptTime"), 1);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(BatchTest, ListInWorkAndOtherBatchAreGuardedWhileABatchRuns) {
    const QStringList plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2)};
    const QString late = MakeFile("late.bin", 10);
    const QString container = MakeFile("x.rc4", 40);
    Open(Quoted(plain).toStdString());
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    bool checked = false;
    onPass_ = [&] {
        if (checked)
            return;
        checked = true;
        // The hourglass is the window's pointer only: a message box shown now keeps the arrow.
        EXPECT_EQ(Window().cursor().shape(), Qt::WaitCursor);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_FALSE(Button("cmdDec")->isEnabled());
        EXPECT_FALSE(Button("Command5")->isEnabled());
        EXPECT_FALSE(Button("Befehl2")->isEnabled());
        EXPECT_TRUE(Button("cmdEnc")->isEnabled());
        EXPECT_TRUE(Button("Command6")->isEnabled());
        EXPECT_TRUE(Button("Command3")->isEnabled());
        // The list in work is greyed, as it takes no drop and loses nothing to a double-click.
        EXPECT_FALSE(List(1)->isEnabled());
        EXPECT_TRUE(List(2)->isEnabled());
        EXPECT_FALSE(Drop(1, {late}));
        FileListBox* list = List(1);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                           list->visualItemRect(list->item(1)).center());
        EXPECT_EQ(Items(1), plain);
        // The other list stays open; its padlock starts nothing.
        EXPECT_TRUE(Drop(2, {container}));
        QTest::mouseClick(Find<QLabel>("Picture2"), Qt::LeftButton);
        QTest::mouseClick(Button("cmdDec"), Qt::LeftButton);
    };
    Encrypt("pw");
    EXPECT_TRUE(checked);
    EXPECT_TRUE(warnings_.empty());
    EXPECT_EQ(Items(2), QStringList({container}));
    EXPECT_EQ(SizeOf(plain[1] + ".rc4"), 300000 + 31);
    for (const char* name : {"cmdDec", "Command5", "Befehl2", "cmdEnc", "Command6", "Command3"})
        EXPECT_TRUE(Button(name)->isEnabled()) << name;
    EXPECT_TRUE(List(1)->isEnabled());
    EXPECT_TRUE(Drop(1, {late}));
    EXPECT_EQ(Items(1).size(), 3);
}

TEST_F(BatchTest, ClosingTheWindowDuringABatchEndsTheProcess) {
    const QStringList plain = {MakeFile("1.bin", 300000, 1), MakeFile("2.bin", 300000, 2)};
    Open(Quoted(plain).toStdString());
    QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    EXPECT_EQ(endCalls_, 0);

    Open(Quoted(plain).toStdString());
    Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
    onPass_ = [&] {
        if (passes_ == 1)
            QTest::mouseClick(Button("Command1"), Qt::LeftButton);
    };
    Encrypt("pw");
    EXPECT_EQ(endCalls_, 1);
}

TEST_F(BatchTest, ClosedInTheMiddleOfAFileTheProgramEndsLeavingTheOldContainerAsItWas) {
    // The child is a fork of this process, so it shares the temporary folder.
    GTEST_FLAG_SET(death_test_style, "fast");
    const QString plain = MakeFile("big.bin", 4000000);
    const QString container = plain + ".rc4";
    std::ofstream(container.toStdString(), std::ios::binary) << "alt";
    EXPECT_EXIT(
        {
            Open(Quoted({plain}).toStdString());
            Window().Host().endProcess = UiHost::Qt().endProcess;
            Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
            onPass_ = [&] {
                if (SizeOf(BeingWritten(container)) > 1000000)
                    Window().close();
            };
            Encrypt("pw");
            std::fputs("batch went on", stderr);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(SizeOf(container), 3) << "the old container was touched";
    EXPECT_TRUE(BeingWritten(container).isEmpty()) << "the new one was left half written";
}

TEST_F(WindowTest, EventPassesAreThrottledDuringBursts) {
    Open();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 200000; ++i)
        Window().PumpEvents();
    const qint64 elapsedMs = clock.elapsed();
    EXPECT_GE(passes_, 1);
    // At most one pass per 3 ms (the interval is at least 10 ms; the margin is for a slow machine), plus
    // the first.
    EXPECT_LE(passes_, elapsedMs / 3 + 2) << elapsedMs << " ms";
}

TEST_F(BatchTest, ClicksDuringABatchReachTheirHandlers) {
    // With the window's usual pacing: the first block's pass is due at once.
    const QString plain = MakeFile("clicks.bin", 4 << 20);
    Open(Quoted({plain}).toStdString());
    int handledDuringTheBatch = 0;
    QObject::connect(Button("Command2"), &QPushButton::clicked, Button("Command2"),
                     [&] { handledDuringTheBatch += Window().RunningBatch().has_value(); });
    onPass_ = [&] {
        if (passes_ != 1)
            return;
        // Queued as the window system delivers a click, not sent straight to the button.
        QPushButton* target = Button("Command2");
        const QPointF centre = QRectF(target->rect()).center();
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonPress, centre, centre,
                                                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(target, new QMouseEvent(QEvent::MouseButtonRelease, centre, centre,
                                                            Qt::LeftButton, Qt::NoButton, Qt::NoModifier));
    };
    Encrypt("pw");
    EXPECT_EQ(handledDuringTheBatch, 1);
    EXPECT_EQ(Button("Command2")->text(), "P");
    EXPECT_EQ(SizeOf(plain + ".rc4"), (4 << 20) + 31);
}

TEST_F(BatchTest, TheSelectionAndStatusLineChangeWithThePacedPassesAndShowTheLastState) {
    struct Seen {
        int row;
        QString status;
    };
    const auto shown = [&] { return Seen{List(1)->currentRow(), LabelText("Label1")}; };
    {
        SCOPED_TRACE("every call a pass: each pass draws the file in work and the progress before it");
        const QStringList plain = {MakeFile("1.bin", 250000, 1), MakeFile("2.bin", 250000, 2)};
        Open(Quoted(plain).toStdString());
        Window().SetPumpIntervals(std::chrono::nanoseconds(0), std::chrono::nanoseconds(0));
        std::vector<Seen> seen;
        onPass_ = [&] { seen.push_back(shown()); };
        Encrypt("pw");
        const auto line = [](int file, int percent) {
            return QStringLiteral("File: %1 von 2,  File bearbeitet: %2 %").arg(file).arg(percent);
        };
        // Three blocks and the cancel check for each file.
        const std::vector<std::pair<int, QString>> expected = {
            {0, "0 %"},        {0, line(1, 40)}, {0, line(1, 80)}, {0, line(1, 100)},
            {1, line(1, 100)}, {1, line(2, 40)}, {1, line(2, 80)}, {1, line(2, 100)}};
        ASSERT_EQ(seen.size(), expected.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            EXPECT_EQ(seen[i].row, expected[i].first) << i;
            EXPECT_EQ(seen[i].status, expected[i].second) << i;
        }
    }
    {
        SCOPED_TRACE("one pass an hour: small files redraw nothing, the end is shown all the same");
        QStringList plain;
        for (int i = 0; i < 6; ++i)
            plain << MakeFile("small" + std::to_string(i), 10, static_cast<std::uint32_t>(i));
        Open(Quoted(plain).toStdString());
        Window().SetPumpIntervals(std::chrono::hours(1), std::chrono::hours(1));
        std::vector<Seen> seen;
        onPass_ = [&] { seen.push_back(shown()); };
        Encrypt("pw");
        // Still a pass after every file, for the cancel check; only the first one, at the first block,
        // was due to draw.
        ASSERT_EQ(seen.size(), 7u);
        for (const Seen& at : seen) {
            EXPECT_EQ(at.row, 0);
            EXPECT_EQ(at.status, "0 %");
        }
        EXPECT_EQ(List(1)->currentRow(), 5);
        EXPECT_TRUE(QRegularExpression("^File: 6 von 6,  File bearbeitet: 100 % , EncryptTime: [0-9.,]+ m?s$")
                        .match(LabelText("Label1"))
                        .hasMatch())
            << LabelText("Label1").toStdString();

        // A warning box stands over the file it names, not over one shown earlier.
        std::filesystem::remove(plain[3].toStdString() + ".rc4");
        std::filesystem::create_directory(plain[3].toStdString() + ".rc4");
        std::vector<Seen> behindTheWarning;
        Window().Host().warningBox = [&](QWidget*, const QString&, const QString&) {
            behindTheWarning.push_back(shown());
        };
        Encrypt("pw");
        ASSERT_EQ(behindTheWarning.size(), 1u);
        EXPECT_EQ(behindTheWarning[0].row, 3);
        EXPECT_EQ(behindTheWarning[0].status, "File: 3 von 6,  File bearbeitet: 100 %");
    }
}

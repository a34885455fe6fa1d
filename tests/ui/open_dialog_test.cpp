#include "window_fixture.h"

#include "host/file_error.h"
#include "host/process.h"
#include "host/system_reasons.h"
#include "ui/StdDialoge.h"
#include "ui/qt_german.h"
#include "ui/ui_host.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <new>
#include <stdexcept>

TEST(StdDialoge, ChosenPathsAreTheChosenFilesEachInItsFolder) {
    using Paths = std::vector<std::string>;
    const struct {
        QStringList files;
        Paths paths;
    } cases[] = {
        {{}, {}},
        {{"/d/a b.txt"}, {"/d/a b.txt"}},
        {{"/d/a.txt", "/d/b.txt"}, {"/d/a.txt", "/d/b.txt"}},
        // In a root no second separator is added.
        {{"/a.txt", "/b.txt"}, {"/a.txt", "/b.txt"}},
        // A file from another folder (a full path typed into the name box) keeps its own folder.
        {{"/d/a.txt", "/e/b.txt", "/d/c.txt"}, {"/d/a.txt", "/e/b.txt", "/d/c.txt"}},
        // Spaces around a name are part of it: on Linux a file may be named so.
        {{"/d/ a.txt "}, {"/d/ a.txt "}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StdDialoge::ChosenPaths(StdDialoge::ChosenFiles(c.files)), c.paths)
            << c.files.join(',').toStdString();
}

TEST(StdDialoge, FilterTextBecomesQtFilters) {
    EXPECT_EQ(StdDialoge::QtFilter("Alle Dateien (*.*)|*.*"), "Alle Dateien (*.*) (*)");
    EXPECT_EQ(StdDialoge::QtFilter("RC4 verschluesselte Dateien (*.rc4)|*.rc4"),
              "RC4 verschluesselte Dateien (*.rc4) (*.rc4)");
    EXPECT_EQ(StdDialoge::QtFilter("Bilder|*.png;*.jpg|Alle|*.*"), "Bilder (*.png *.jpg);;Alle (*)");
}

TEST_F(WindowTest, OpenButtonsAskWithTheirTitleFilterAndCurrentFolder) {
    Open();
    QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
    QTest::mouseClick(Button("Command3"), Qt::LeftButton);
    ASSERT_EQ(dialogCalls_.size(), 2u);
    const QString folder = QString::fromStdString(host::CurrentDirectory());
    EXPECT_EQ(dialogCalls_[0].title, QString::fromUtf8("Zu verschlüsselnde Datei(en) auswählen"));
    EXPECT_EQ(dialogCalls_[0].start, folder);
    EXPECT_EQ(dialogCalls_[0].filter, "Alle Dateien (*.*) (*)");
    EXPECT_EQ(dialogCalls_[0].suffix, "");
    EXPECT_EQ(dialogCalls_[1].title, QString::fromUtf8("Zu entschlüsselnde Datei auswählen"));
    EXPECT_EQ(dialogCalls_[1].start, folder);
    EXPECT_EQ(dialogCalls_[1].filter, "RC4 verschluesselte Dateien (*.rc4) (*.rc4)");
    EXPECT_EQ(dialogCalls_[1].suffix, "rc4");
}

TEST_F(WindowTest, OpenButtonsListWhatTheDialogChose) {
    const struct {
        const char* button;
        int list;
        QStringList chosen;
        QStringList listed;
    } cases[] = {
        {"Befehl2", 1, {"/d/one file.txt"}, {"/d/one file.txt"}},
        {"Command3", 2, {"/d/x.txt"}, {"/d/x.txt"}},
        {"Befehl2", 1, {"/d/b.txt", "/d/a.txt", "/d/a.txt"}, {"/d/a.txt", "/d/b.txt"}},
        {"Befehl2", 1, {"/a.txt", "/b.txt"}, {"/a.txt", "/b.txt"}},
        // The chosen files are listed as they are named, spaces around a name included.
        {"Befehl2", 1, {"/d/ a.txt ", "/d/b.txt"}, {"/d/ a.txt ", "/d/b.txt"}},
        {"Command3", 2, {"/d/ a.rc4 ", "/d/b.rc4"}, {"/d/ a.rc4 ", "/d/b.rc4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen.join(',').toStdString());
        Open();
        dialogAnswer_ = c.chosen;
        QTest::mouseClick(Button(c.button), Qt::LeftButton);
        EXPECT_EQ(Items(c.list), c.listed);
        EXPECT_EQ(LabelText(c.list == 1 ? "Label5" : "Label6"),
                  QStringLiteral("Files: %1").arg(c.listed.size()));
        EXPECT_GE(List(c.list)->HorizontalExtent(), 0);
    }
}

TEST_F(WindowTest, AChosenNameWithAReplacementCharacterStandsForTheEntriesShownSo) {
    const std::string replacement = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
    const struct {
        std::vector<std::string> entries;
        std::string chosen;
        std::vector<std::string> listed;
    } cases[] = {
        // A name that is UTF-8 and holds the character is what Qt's dialog showed; the name that is
        // no UTF-8 beside it, which that dialog does not list, stays out.
        {{replacement + ".txt", "\xFF.txt"}, replacement + ".txt", {replacement + ".txt"}},
        // Each byte that is no UTF-8 shows as a character of its own.
        {{"a\xFF\xFE.txt", "a\xFF.txt"}, "a" + replacement + replacement + ".txt", {"a\xFF\xFE.txt"}},
        // Gone meanwhile: the name as the dialog gave it.
        {{"b.txt"}, replacement + ".txt", {replacement + ".txt"}},
    };
    int folders = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        const std::string folder = MakeFolder(std::to_string(++folders)).toStdString();
        for (const std::string& entry : c.entries)
            WriteBytes(folder + '/' + entry, RandomBytes(1, 1));
        Open();
        dialogAnswer_ = {QString::fromStdString(folder + '/' + c.chosen)};
        QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
        std::vector<std::string> listed;
        for (int i = 0; i < Window().ListCount(BatchSide::Encrypt); ++i)
            listed.push_back(Window().ListItem(BatchSide::Encrypt, i));
        std::vector<std::string> expected;
        for (const std::string& name : c.listed)
            expected.push_back(folder + '/' + name);
        EXPECT_EQ(listed, expected);
    }
}

TEST_F(WindowTest, CancelledDialogChangesNoListButResetsTheStatusLine) {
    Open(R"("/d/a.txt")");
    Window().SetStatusText("File: 1 von 1,  File bearbeitet: 100 %");
    Find<QLabel>("Label5")->setText("stale");
    dialogAnswer_.clear();
    QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
    EXPECT_EQ(Items(1), QStringList({"/d/a.txt"}));
    EXPECT_EQ(LabelText("Label1"), "0 %");
    EXPECT_EQ(LabelText("Label5"), "Files: 1");
}

TEST(QtOpenDialog, SpeaksGermanWhateverTheUsersLocale) {
    // The program loads Qt's German texts at start, as it does here; an English-speaking user must not
    // get an English dialog.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::unique_ptr<QTranslator> german = LoadQtGermanTexts();
    ASSERT_NE(german, nullptr) << "Qt's German translation (qt6-translations-l10n) is not installed";
    QCoreApplication::installTranslator(german.get());
    QStringList seen;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            if (auto* label = dialog->findChild<QLabel*>(QString::fromLatin1(name)))
                seen << label->text();
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>())
            seen << buttons->button(QDialogButtonBox::Open)->text()
                 << buttons->button(QDialogButtonBox::Cancel)->text();
        dialog->close();
    });
    UiHost::Qt().openFiles(nullptr, QStringLiteral("Titel"), QDir::tempPath(), QStringLiteral("Alle (*)"),
                           QString());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(seen, QStringList({"Suchen in:", "Datei&name:", "Dateien des Typs:", "&Öffnen", "Abbrechen"}));
}

TEST_F(WindowTest, AFailureInAHandlerIsShownInGermanAndTheWindowGoesOn) {
    const std::string head = "Die Aktion wurde wegen eines Fehlers abgebrochen:\r\n";
    const struct {
        std::function<void()> fail;
        std::string text;
    } cases[] = {
        {[] { throw host::FileError(host::FileErrorKind::Other, "/d/x.txt", host::reasons::InputOutput); },
         head + "Fehler bei der Datei: x.txt\r\n" + host::reasons::InputOutput},
        {[] { throw std::bad_alloc(); }, head + host::reasons::OutOfMemory},
        {[] { throw std::runtime_error("Ordner verschwunden"); }, head + "Ordner verschwunden"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Open();
        warnings_.clear();
        Window().Host().openFiles = [&c](QWidget*, const QString&, const QString&, const QString&,
                                         const QString&) -> QStringList {
            c.fail();
            return {};
        };
        QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
        ASSERT_EQ(warnings_.size(), 1u);
        EXPECT_EQ(warnings_[0].text.toStdString(), c.text);
        // The window goes on: the next dialog's answer is listed.
        Window().Host().openFiles = [](QWidget*, const QString&, const QString&, const QString&,
                                       const QString&) { return QStringList{"/d/a.txt"}; };
        QTest::mouseClick(Button("Befehl2"), Qt::LeftButton);
        EXPECT_EQ(Items(1), QStringList({"/d/a.txt"}));
        EXPECT_EQ(warnings_.size(), 1u);
    }
}

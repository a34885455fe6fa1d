#include "window_fixture.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// The extent AddHScroll gives for a widest item: its width and that of 25 spaces, both in the list's
// own font, in whole pixels.
int ExtentFor(const FileListBox& list, const QString& widest) {
    const QFontMetricsF metrics(list.font());
    const qreal pixels = metrics.horizontalAdvance(widest) + metrics.horizontalAdvance(QString(25, u' '));
    return static_cast<int>(std::lrint(pixels * 15) / 15);
}

// The tool tip the list shows with the pointer resting at a point of its viewport.
std::string TipAt(FileListBox& list, const QPoint& at) {
    QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(list.viewport(), &help);
    return QToolTip::text().toStdString();
}

} // namespace

TEST(FileListBox, SortsByTextIgnoringCaseInTheUserCollation) {
    FileListBox list;
    for (const char* text : {"b", "Z", "ä", "a", "B", "A"})
        list.Add(text);
    // Equal texts but for case keep the order they came in.
    EXPECT_EQ(list.Items(), QStringList({"a", "A", "ä", "b", "B", "Z"}));

    // Many added at once, as a drop adds them, by the same rule: the 32 spellings of "abcde" compare
    // equal and keep the order they came in; the "A" after them comes after the "a" and "A" listed.
    QStringList spellings;
    std::vector<std::string> paths;
    for (int bits = 0; bits < 32; ++bits) {
        QString spelling = QStringLiteral("abcde");
        for (int i = 0; i < 5; ++i)
            if ((bits * 7 % 32) & (1 << i))
                spelling[i] = spelling[i].toUpper();
        spellings << spelling;
        paths.push_back(spelling.toStdString());
    }
    paths.push_back("A");
    list.Add(paths);
    EXPECT_EQ(list.Items(), QStringList({"a", "A", "A", "ä"}) + spellings + QStringList({"b", "B", "Z"}));
}

TEST(FileListBox, MeasuresTextsAsItDrawsThem) {
    FileListBox list;
    const QFontMetricsF metrics(list.font());
    // Latin text, measured character by character, and text laid out whole: marks drawn over their
    // letters, other scripts, a tab, a name that is no UTF-8.
    const std::vector<std::string> texts = {
        "/home/anna/Bericht 2024.pdf",
        "/home/anna/Grüße, Ärger & Öl €.txt",
        "/f/e\xCC\x81"
        "e\xCC\x81"
        "e\xCC\x81.txt",
        "/f/\xE6\x96\x87\xE6\x9B\xB8.txt",
        "/f/a\tb.txt",
        "/f/\xFF\xFE.txt",
        "",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        EXPECT_NEAR(list.WidestText({text}), metrics.horizontalAdvance(QString::fromStdString(text)), 0.01);
    }
    qreal widest = 0;
    for (const std::string& text : texts)
        widest = std::max(widest, metrics.horizontalAdvance(QString::fromStdString(text)));
    EXPECT_NEAR(list.WidestText(texts), widest, 0.01);
    EXPECT_EQ(list.WidestText({}), 0);
}

TEST(FileListBox, ScrollsSidewaysOnlyOverItsExtent) {
    FileListBox list;
    list.resize(200, 100);
    list.show();
    list.Add(std::string(300, 'W'));
    QCoreApplication::processEvents();
    // A long item alone gives no sideways scrolling.
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
    list.SetHorizontalExtent(1000);
    QCoreApplication::processEvents();
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 1000 - list.viewport()->width());
    // Removing items leaves the extent as it was.
    list.clear();
    QCoreApplication::processEvents();
    EXPECT_EQ(list.HorizontalExtent(), 1000);
    EXPECT_EQ(list.horizontalScrollBar()->maximum(), 1000 - list.viewport()->width());
}

TEST_F(WindowTest, DropOnEncryptionListAddsFilesOnceAndSkipsFolders) {
    Open();
    const QString b = MakeFile("b.txt", 1);
    const QString c = MakeFile("C.txt", 1);
    const QString a = MakeFile("a.txt", 1);
    const QString shortcut = MakeFile("x.lnk", 1);
    const QString container = MakeFile("y.rc4", 1);
    const QString folder = MakeFolder("sub");
    EXPECT_TRUE(Drop(1, {b, c, folder, a}));
    EXPECT_EQ(Items(1), QStringList({a, b, c}));
    EXPECT_EQ(LabelText("Label5"), "Files: 3");
    EXPECT_EQ(List(1)->HorizontalExtent(), ExtentFor(*List(1), a));

    // Again, with a shortcut and a container, which are listed as they are.
    EXPECT_TRUE(Drop(1, {b, shortcut, container, b}));
    EXPECT_EQ(Items(1), QStringList({a, b, c, shortcut, container}));
    EXPECT_EQ(LabelText("Label5"), "Files: 5");

    // Only folders: nothing added.
    EXPECT_TRUE(Drop(1, {folder}));
    EXPECT_EQ(Items(1).size(), 5);
    // Only files already listed: nothing added, the count shown again.
    Find<QLabel>("Label5")->setText("stale");
    EXPECT_TRUE(Drop(1, {container, a}));
    EXPECT_EQ(Items(1), QStringList({a, b, c, shortcut, container}));
    EXPECT_EQ(LabelText("Label5"), "Files: 5");
    EXPECT_TRUE(warnings_.empty());
    EXPECT_TRUE(Items(2).isEmpty());
}

TEST_F(WindowTest, LongerPathDroppedOnAFullListScrollsOverTheNewExtent) {
    Open();
    FileListBox* list = List(1);
    QStringList first;
    for (char c = 'a'; c <= 'd'; ++c)
        first << MakeFile(std::string(1, c) + ".txt", 1);
    EXPECT_TRUE(Drop(1, first));
    QCoreApplication::processEvents();
    // The list as the user fills it: short names until the rows take its whole height, then one path
    // that fits into the list (with its vertical bar) but whose extent, with the spaces after it, runs
    // past the list's width. Then the list's vertical bar depends on the horizontal one, which only the
    // extent asks for.
    const int rows = list->viewport()->height() / list->sizeHintForRow(0);
    ASSERT_GT(rows * list->sizeHintForRow(0),
              list->viewport()->height() - list->horizontalScrollBar()->sizeHint().height());
    QStringList more;
    for (int i = 4; i < rows - 1; ++i)
        more << MakeFile("e" + std::to_string(i) + ".txt", 1);
    EXPECT_TRUE(Drop(1, more));
    QCoreApplication::processEvents();
    const int width = list->viewport()->width();
    std::string name = "m";
    while (ExtentFor(*list, QString::fromStdString(dir_.File(name + ".txt"))) <= width)
        name += 'm';
    const QString longer = MakeFile(name + ".txt", 1);
    ASSERT_LT(QFontMetrics(list->font()).horizontalAdvance(longer),
              width - list->verticalScrollBar()->sizeHint().width());

    EXPECT_TRUE(Drop(1, {longer}));
    QCoreApplication::processEvents();
    EXPECT_EQ(Items(1).size(), rows);
    EXPECT_EQ(list->HorizontalExtent(), ExtentFor(*list, longer));
    EXPECT_TRUE(list->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(list->verticalScrollBar()->isVisible());
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), list->HorizontalExtent() - list->viewport()->width());
}

TEST_F(WindowTest, DropOnDecryptionListRefusesEveryOtherFileWithItsOwnWarning) {
    Open();
    const QString upper = MakeFile("x.RC4", 1);
    const QString backup = MakeFile("x.rc4.bak", 1);
    const QString good = MakeFile("z.rc4", 1);
    const QString shortcut = MakeFile("x.lnk", 1);
    const QString folder = MakeFolder("y.rc4");
    EXPECT_TRUE(Drop(2, {backup, upper, folder, shortcut, good}));
    EXPECT_EQ(Items(2), QStringList({upper, good}));
    EXPECT_EQ(LabelText("Label6"), "Files: 2");
    const QString reason = QString::fromUtf8(
        "Fehler: Für die Entschlüsselung können nur verschlüsselte Dateien mit der Erweiterung .rc4 Dateien "
        "ausgewählt werden!");
    ASSERT_EQ(warnings_.size(), 2u);
    EXPECT_EQ(warnings_[0].text, "Datei: x.rc4.bak\r\n" + reason);
    EXPECT_EQ(warnings_[1].text, "Datei: x.lnk\r\n" + reason);
    EXPECT_EQ(warnings_[0].title, QString::fromStdString(host::ExecutableName()));
}

TEST_F(WindowTest, DropEndsQuietlyAtAPathThatCannotBeExamined) {
    Open();
    const QString a = MakeFile("a.txt", 1);
    const QString b = MakeFile("b.txt", 1);
    Drop(1, {a, QString::fromStdString(dir_.File("gone.txt")), b});
    // What came before stays; the rest of the drop and its closing steps are skipped.
    EXPECT_EQ(Items(1), QStringList({a}));
    EXPECT_EQ(LabelText("Label5"), "Files: 0");
    EXPECT_EQ(List(1)->HorizontalExtent(), -1);
    EXPECT_TRUE(warnings_.empty());
    // Even so a file already listed is not listed twice.
    Drop(1, {a, QString::fromStdString(dir_.File("gone.txt"))});
    EXPECT_EQ(Items(1), QStringList({a}));
}

TEST_F(WindowTest, DragWithoutFilesIsNotTaken) {
    Open();
    QMimeData data;
    data.setText("/etc/passwd");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(List(1)->viewport(), &enter);
    EXPECT_FALSE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(List(1)->viewport(), &drop);
    EXPECT_TRUE(Items(1).isEmpty());
}

TEST_F(WindowTest, DoubleClickOrDeleteRemovesTheSelectedItemAndClearEmptiesTheList) {
    const QStringList all = {"/f/a.txt", "/f/b.txt", "/f/c.txt"};
    // The first, a middle and the last item, each removed by a double-click on it, by a double-click
    // beside the items while it is selected, and by the Delete key: each time exactly that item goes.
    // After a double-click the neighbour that takes its place is left unselected, so the next
    // double-click removes nothing; after Delete it is selected (the last item when the last went), so
    // Delete goes on removing, as in a file manager.
    enum class Gesture { DoubleClick, DoubleClickBeside, DeleteKey };
    for (const Gesture gesture : {Gesture::DoubleClick, Gesture::DoubleClickBeside, Gesture::DeleteKey})
        for (int row = 0; row < all.size(); ++row) {
            SCOPED_TRACE(testing::Message() << "gesture " << static_cast<int>(gesture) << ", row " << row);
            Open(R"("/f/a.txt" "/f/b.txt" "/f/c.txt" "/f/d.rc4")");
            FileListBox* list = List(1);
            QCoreApplication::processEvents();
            const QPoint item = list->visualItemRect(list->item(row)).center();
            const QPoint beside(10, list->viewport()->height() - 5);
            if (gesture == Gesture::DoubleClick) {
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, item);
            } else {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item);
                if (gesture == Gesture::DeleteKey) {
                    QTest::keyClick(list, Qt::Key_Delete);
                } else {
                    // A click beside the items leaves the selection as it is; the double-click removes it.
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, beside);
                    ASSERT_EQ(list->selectedItems().size(), 1);
                    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, beside);
                }
            }
            QStringList rest = all;
            rest.removeAt(row);
            EXPECT_EQ(Items(1), rest);
            EXPECT_EQ(LabelText("Label5"), "Files: 2");
            if (gesture == Gesture::DeleteKey) {
                for (int at = row; !rest.isEmpty();) {
                    at = std::min(at, static_cast<int>(rest.size()) - 1);
                    ASSERT_EQ(list->selectedItems().size(), 1);
                    ASSERT_EQ(list->currentRow(), at);
                    QTest::keyClick(list, Qt::Key_Delete);
                    rest.removeAt(at);
                    EXPECT_EQ(Items(1), rest);
                    EXPECT_EQ(LabelText("Label5"), QStringLiteral("Files: %1").arg(rest.size()));
                }
                EXPECT_TRUE(list->selectedItems().isEmpty());
                continue;
            }
            EXPECT_TRUE(list->selectedItems().isEmpty());

            // Nothing selected: nothing goes, the count is written again.
            Find<QLabel>("Label5")->setText("stale");
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, beside);
            EXPECT_EQ(Items(1), rest);
            EXPECT_EQ(LabelText("Label5"), "Files: 2");
        }

    // Emptied, the list scrolls sideways no more: its extent is the 25 spaces of an empty list.
    FileListBox* list = List(1);
    QTest::mouseClick(Button("Command5"), Qt::LeftButton);
    EXPECT_TRUE(Items(1).isEmpty());
    EXPECT_EQ(LabelText("Label5"), "Files: 0");
    EXPECT_EQ(list->HorizontalExtent(), ExtentFor(*list, QString()));
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(Items(2), QStringList({"/f/d.rc4"}));
    QTest::mouseClick(Button("Command6"), Qt::LeftButton);
    EXPECT_TRUE(Items(2).isEmpty());
    EXPECT_EQ(LabelText("Label6"), "Files: 0");
}

TEST_F(WindowTest, TheEndOfALongPathScrollsIntoViewAndItsToolTipShowsItWhole) {
    // 184 characters, as deep folders give them, beside a short path.
    const QString path = "/f/" + QString(177, u'k') + ".pdf";
    ASSERT_EQ(path.size(), 184);
    Open(("\"" + path + "\" \"/f/z.txt\"").toStdString());
    FileListBox* list = List(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(list->HorizontalExtent(), ExtentFor(*list, path));
    QScrollBar* bar = list->horizontalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    bar->setValue(bar->maximum());
    // Scrolled to the end, the path's last letter stands in view with room after it.
    const QRect row = list->visualItemRect(list->item(0));
    const qreal end = row.left() + QFontMetricsF(list->font()).horizontalAdvance(path);
    EXPECT_LT(end, list->viewport()->width() - 100);
    EXPECT_GT(end, 0);

    // Each item names its whole path; beside the items the list tells what a double-click does.
    EXPECT_EQ(TipAt(*list, QPoint(20, row.center().y())), path.toStdString());
    EXPECT_EQ(TipAt(*list, QPoint(20, list->visualItemRect(list->item(1)).center().y())), "/f/z.txt");
    EXPECT_EQ(TipAt(*list, QPoint(20, list->viewport()->height() - 5)), list->toolTip().toStdString());
}

TEST_F(WindowTest, ExtentFollowsTheWidestItemAsTheListDrawsIt) {
    // Twenty letters with an accent each written as a mark of its own: more characters than thirty
    // letters, but narrower as drawn, where the font draws each mark over its letter.
    std::string accents = "/f/";
    for (int i = 0; i < 20; ++i)
        accents += "e\xCC\x81";
    const std::string letters = "/f/" + std::string(30, 'a');
    Open("\"" + accents + "\" \"" + letters + "\"");
    FileListBox* list = List(1);
    const QFontMetricsF metrics(list->font());
    if (metrics.horizontalAdvance(QString::fromStdString(accents)) >=
        metrics.horizontalAdvance(QString::fromStdString(letters)))
        GTEST_SKIP() << "the list's font does not draw marks over their letters";
    EXPECT_EQ(list->HorizontalExtent(), ExtentFor(*list, QString::fromStdString(letters)));
    // An empty list measures the 25 spaces alone.
    EXPECT_EQ(List(2)->HorizontalExtent(), ExtentFor(*List(2), QString()));
}

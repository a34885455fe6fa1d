#include "window_fixture.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>

#include <cmath>

namespace {

// The extent AddHScroll gives for a longest item: measured in the window's font with 25 spaces after
// it, whole pixels.
int ExtentFor(const QWidget& window, const QString& longest) {
    const qreal pixels = QFontMetricsF(window.font()).horizontalAdvance(longest + QString(25, u' '));
    return static_cast<int>(std::lrint(pixels * 15) / 15);
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
    EXPECT_EQ(List(1)->HorizontalExtent(), ExtentFor(Window(), a));

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
    // that the list's own font fits into the list (with its vertical bar) but whose extent, measured in
    // the window's font with the spaces after it, runs past the list's width. Then the list's vertical
    // bar depends on the horizontal one, which only the extent asks for.
    const int rows = list->viewport()->height() / list->sizeHintForRow(0);
    ASSERT_GT(rows * list->sizeHintForRow(0),
              list->viewport()->height() - list->horizontalScrollBar()->sizeHint().height());
    QStringList more;
    for (int i = 4; i < rows - 1; ++i)
        more << MakeFile("e" + std::to_string(i) + ".txt", 1);
    EXPECT_TRUE(Drop(1, more));
    QCoreApplication::processEvents();
    const int width = list->viewport()->width();
    // A wide letter widens the extent far more than the list's fixed-pitch text.
    std::string name = "m";
    while (ExtentFor(Window(), QString::fromStdString(dir_.File(name + ".txt"))) <= width)
        name += 'm';
    const QString longer = MakeFile(name + ".txt", 1);
    ASSERT_LT(QFontMetrics(list->font()).horizontalAdvance(longer),
              width - list->verticalScrollBar()->sizeHint().width());

    EXPECT_TRUE(Drop(1, {longer}));
    QCoreApplication::processEvents();
    EXPECT_EQ(Items(1).size(), rows);
    EXPECT_EQ(list->HorizontalExtent(), ExtentFor(Window(), longer));
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

TEST_F(WindowTest, DoubleClickRemovesTheSelectedItemAndClearEmptiesTheList) {
    const QStringList all = {"/f/a.txt", "/f/b.txt", "/f/c.txt"};
    // The first, a middle and the last item: each double-click removes exactly its own item, and the
    // neighbour that takes its place is left unselected, so a second double-click there removes nothing.
    for (int row = 0; row < all.size(); ++row) {
        SCOPED_TRACE(row);
        Open(R"("/f/a.txt" "/f/b.txt" "/f/c.txt" "/f/d.rc4")");
        FileListBox* list = List(1);
        QCoreApplication::processEvents();
        const QPoint point = list->visualItemRect(list->item(row)).center();
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
        QStringList rest = all;
        rest.removeAt(row);
        EXPECT_EQ(Items(1), rest);
        EXPECT_EQ(LabelText("Label5"), "Files: 2");
        EXPECT_TRUE(list->selectedItems().isEmpty());

        // Below the last item nothing is selected: nothing goes, the count is written again.
        Find<QLabel>("Label5")->setText("stale");
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, list->viewport()->height() - 5));
        EXPECT_EQ(Items(1), rest);
        EXPECT_EQ(LabelText("Label5"), "Files: 2");
    }

    FileListBox* list = List(1);
    const int extent = list->HorizontalExtent();
    QTest::mouseClick(Button("Command5"), Qt::LeftButton);
    EXPECT_TRUE(Items(1).isEmpty());
    EXPECT_EQ(LabelText("Label5"), "Files: 0");
    EXPECT_EQ(list->HorizontalExtent(), extent);
    EXPECT_EQ(Items(2), QStringList({"/f/d.rc4"}));
    QTest::mouseClick(Button("Command6"), Qt::LeftButton);
    EXPECT_TRUE(Items(2).isEmpty());
    EXPECT_EQ(LabelText("Label6"), "Files: 0");
}

TEST_F(WindowTest, ExtentFollowsTheEarliestOfTheLongestItems) {
    // Both items are equally long; "/f/aaaa" sorts first and is the one measured.
    Open(R"("/f/WWWW" "/f/aaaa")");
    EXPECT_EQ(List(1)->HorizontalExtent(), ExtentFor(Window(), "/f/aaaa"));
    EXPECT_NE(ExtentFor(Window(), "/f/aaaa"), ExtentFor(Window(), "/f/WWWW"));
    // An empty list measures the 25 spaces alone.
    EXPECT_EQ(List(2)->HorizontalExtent(), ExtentFor(Window(), QString()));
}

#include "window_fixture.h"

#include "ui/frmInfo.h"

#include "version.h"

#include <QAccessible>
#include <QApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTest>

namespace {

QList<frmInfo*> InfoWindows() {
    QList<frmInfo*> windows;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* info = qobject_cast<frmInfo*>(widget); info != nullptr && info->isVisible())
            windows << info;
    return windows;
}

} // namespace

TEST_F(WindowTest, InfoWindowOpensOnceCentredAndAfreshAfterClosing) {
    Open();
    QPushButton* info = Button("Command4");
    QTest::mouseClick(info, Qt::LeftButton);
    ASSERT_EQ(InfoWindows().size(), 1);
    frmInfo* window = InfoWindows().front();
    EXPECT_EQ(window->windowTitle(), "Tessarin - Info");
    EXPECT_EQ(window->size(), QSize(570, 512));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    auto* text = window->findChild<QPlainTextEdit*>("Text1");
    ASSERT_NE(text, nullptr);
    QString shown = frmInfo::InfoText();
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(text->toPlainText(), shown);
    // Major and minor of the version the project() line of CMakeLists.txt names.
    EXPECT_EQ(window->findChild<QLabel*>("Label4")->text(),
              QString("Version: %1.%2").arg(version::Major).arg(version::Minor));
    // A screen reader meets a dialog named by its title, and calls the text by what it holds.
    QAccessibleInterface* dialog = QAccessible::queryAccessibleInterface(window);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->role(), QAccessible::Dialog);
    EXPECT_EQ(dialog->text(QAccessible::Name), "Tessarin - Info");
    EXPECT_GE(dialog->indexOfChild(QAccessible::queryAccessibleInterface(text)), 0);
    QAccessibleInterface* node = QAccessible::queryAccessibleInterface(text);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(QAccessible::Name), "Informationen zu Tessarin");
    const QRect screen = window->screen()->geometry();
    EXPECT_NEAR(window->frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(window->frameGeometry().center().y(), screen.center().y(), 2);

    // Shown again while open: the same window, not moved, the user's edit kept.
    text->appendPlainText("Notiz");
    window->move(10, 20);
    const QPoint moved = window->pos();
    QTest::mouseClick(info, Qt::LeftButton);
    ASSERT_EQ(InfoWindows().size(), 1);
    EXPECT_EQ(InfoWindows().front(), window);
    EXPECT_EQ(window->pos(), moved);
    EXPECT_TRUE(text->toPlainText().endsWith("Notiz"));

    // Closed and opened again: centred, edit gone.
    window->close();
    EXPECT_TRUE(InfoWindows().isEmpty());
    QTest::mouseClick(info, Qt::LeftButton);
    ASSERT_EQ(InfoWindows().size(), 1);
    EXPECT_EQ(text->toPlainText(), shown);
    EXPECT_NEAR(window->frameGeometry().center().x(), screen.center().x(), 2);

    // Esc closes it, as it closes a dialog.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(text, Qt::Key_Escape);
    EXPECT_TRUE(InfoWindows().isEmpty());
}

#include "window_fixture.h"

#include "ui/frmInfo.h"

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

TEST(InfoText, ReadsAsLinesWithCrLfBreaks) {
    const QString text = frmInfo::InfoText();
    EXPECT_FALSE(text.endsWith(u'\n'));
    // Every line break is CR LF; no lone CR or LF.
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), text.count(u'\n'));
    EXPECT_EQ(text.count(u'\r'), text.count(u'\n'));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 17);
    EXPECT_EQ(lines[0],
              QString::fromUtf8("Die verschlüsselten Dateien erhalten die zusätzliche Extension '.rc4'."));
    EXPECT_TRUE(lines[2].isEmpty());
    EXPECT_EQ(lines[3], "Beispiel:");
    EXPECT_EQ(lines[4], QString::fromUtf8("Unverschlüsselte Datei:\tsample.txt"));
    EXPECT_EQ(lines[5], QString::fromUtf8("Verschlüsselte Datei:\tsample.txt.rc4"));
    EXPECT_EQ(lines[6],
              QString::fromUtf8("Entschlüsselte Datei:\tsample-dec.txt   oder ohne Suffix:   sample.txt"));
    EXPECT_TRUE(lines[7].isEmpty());
    // The hash paragraph: three sentences joined by single spaces.
    EXPECT_TRUE(lines[8].contains(QStringLiteral("gespeichert. Da es sich")));
    EXPECT_TRUE(lines[8].contains(QStringLiteral("rekonstruiert werden. Der gespeicherte")));
    EXPECT_TRUE(lines[9].contains(QString::fromUtf8("Originaldatei gespeichert. Bei der Entschlüsselung")));
    EXPECT_EQ(lines[11], "RC4:");
    EXPECT_EQ(lines[12],
              QString::fromUtf8("Für die Verschlüsselung wird ein RC4-kompatibles Verschlüsselungs-"));
    EXPECT_EQ(lines[14],
              "(Hinweis: \"RC4\" ist ein eingetragenes Warenzeichen von RSA Data Securities Inc.)");
    EXPECT_TRUE(lines[15].isEmpty());
    EXPECT_FALSE(lines[16].isEmpty());
    EXPECT_EQ(frmInfo::VersionText(), "Version: 1.1");
}

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
    EXPECT_EQ(window->findChild<QLabel*>("Label4")->text(), "Version: 1.1");
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
}

#include "program_start.h"
#include "support/accessible_names.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QToolTip>

#include <algorithm>
#include <functional>
#include <map>
#include <utility>

TEST_F(WindowTest, CommandLineSortsPathsIntoTheTwoLists) {
    struct Case {
        std::string commandLine;
        QStringList list1;
        QStringList list2;
    };
    const std::vector<Case> cases = {
        {"", {}, {}},
        // Quoted paths, one with a space; the extension test ignores letter case.
        {R"("/a b/x.txt" "/y.RC4")", {"/a b/x.txt"}, {"/y.RC4"}},
        // Unquoted paths separated by a space stay one item.
        {"/x.txt /y.txt", {"/x.txt /y.txt"}, {}},
        {R"("/x.txt" "/x.txt")", {"/x.txt"}, {}},
        // Only quotes, and an empty pair between two paths: no empty entries.
        {R"("""")", {}, {}},
        {R"("/b.txt" "" "/a.txt")", {"/a.txt", "/b.txt"}, {}},
        {R"("/k.rc4.bak" "/k.rc4" "/k")", {"/k", "/k.rc4.bak"}, {"/k.rc4"}},
        // Names that differ in letter case are two items, in the order they came; the repeat of the
        // first goes, though the second stands between them.
        {R"("/f/a" "/f/A" "/b" "/f/a")", {"/b", "/f/a", "/f/A"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.commandLine);
        Open(c.commandLine);
        EXPECT_EQ(Items(1), c.list1);
        EXPECT_EQ(Items(2), c.list2);
        EXPECT_EQ(LabelText("Label5"), QStringLiteral("Files: %1").arg(c.list1.size()));
        EXPECT_EQ(LabelText("Label6"), QStringLiteral("Files: %1").arg(c.list2.size()));
    }
}

TEST(WindowProgram, EveryArgumentIsAListItemNoneIsAnOptionOfQt) {
    using Items = std::vector<std::string>;
    struct Case {
        Items arguments;
        Items list1;
        Items list2;
    };
    const std::vector<Case> cases = {
        {{}, {}, {}},
        // Qt's own options would mirror the window, change its style or its platform and vanish.
        {{"-reverse", "/d/x.txt"}, {"-reverse", "/d/x.txt"}, {}},
        {{"-style", "windows", "-style=windows"}, {"-style", "-style=windows", "windows"}, {}},
        {{"-platform", "minimal", "/d/y.rc4"}, {"-platform", "minimal"}, {"/d/y.rc4"}},
        // Names that are no UTF-8 keep their bytes.
        {{"/d/\xFF.txt", "/d/\xFE\xFF.rc4"}, {"/d/\xFF.txt"}, {"/d/\xFE\xFF.rc4"}},
        // Two names that show alike stay two items; the repeat of one of them goes.
        {{"/d/\xFF.txt", "/d/\xFE.txt", "/d/\xFF.txt"}, {"/d/\xFE.txt", "/d/\xFF.txt"}, {}},
    };
    const std::string defaultStyle = QApplication::style()->name().toStdString();
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments));
        ProgramStart start = StartWindowProgram(c.arguments);
        ASSERT_EQ(start.failure, "");
        // The lists' order follows the user's collation, which is not what this test is about.
        std::sort(start.list1.begin(), start.list1.end());
        EXPECT_EQ(start.list1, c.list1);
        EXPECT_EQ(start.list2, c.list2);
        EXPECT_FALSE(start.mirrored);
        EXPECT_EQ(start.style, defaultStyle);
        EXPECT_EQ(start.platform, "offscreen");
    }
}

TEST_F(WindowTest, OpensInItsStartState) {
    Open();
    EXPECT_EQ(Window().windowTitle(), "Tessarin");
    EXPECT_EQ(Window().size(), QSize(508, 582));
    QLabel* status = Find<QLabel>("Label1");
    EXPECT_TRUE(status->isHidden());
    EXPECT_EQ(status->text(), "0 %");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Password(i)->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(Password(i)->text().isEmpty());
    }
    EXPECT_EQ(Button("Command2")->text(), "N");
    EXPECT_FALSE(Find<QRadioButton>("Option1(0)")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Option1(1)")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("txtSuffix")->text(), "-dec");
    EXPECT_EQ(Button("cmdEnc")->text(), "RC4 Encrypt");
    EXPECT_EQ(Button("cmdDec")->text(), "RC4 Decrypt");
    // dummy is out of sight and out of the Tab key's way, but still able to take the focus.
    QPushButton* dummy = Button("dummy");
    EXPECT_LT(dummy->geometry().right(), 0);
    EXPECT_TRUE(dummy->isEnabled());
    EXPECT_EQ(dummy->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(Window().focusWidget(), Button("Befehl2"));
    EXPECT_TRUE(Button("cmdEnc")->font().bold());
    EXPECT_FALSE(List(1)->font().bold());
    EXPECT_EQ(QFontInfo(List(1)->font()).fixedPitch(), true);
    EXPECT_EQ(Find<QLabel>("Label2")->palette().color(QPalette::WindowText), QColor(128, 128, 0));
    EXPECT_EQ(Window().palette().color(QPalette::Window), QColor(Qt::black));
    // Every icon is there: a missing resource or SVG engine would leave the buttons blank.
    for (const char* name : {"Befehl2", "Command3", "Command4", "Command1"})
        EXPECT_FALSE(Button(name)->icon().isNull()) << name;
    for (const char* name : {"Picture1", "Picture2", "Image1(0)", "Image1(1)"})
        EXPECT_FALSE(Find<QLabel>(name)->pixmap().isNull()) << name;
    EXPECT_FALSE(Window().windowIcon().isNull());
}

TEST_F(WindowTest, TextsAndToolTipsReadAsTheUserSeesThem) {
    Open();
    struct Expected {
        const char* name;
        const char* text;
        const char* tip;
    };
    const std::vector<Expected> widgets = {
        {"Label2", "Zu verschlüsselnde Dateien in die Liste ziehen oder mit dem Button auswählen:", ""},
        {"Label3", "Zu entschlüsselnde Dateien in die Liste ziehen oder mt dem Button auswählen:", ""},
        {"Befehl2", "", "Open"},
        {"Command3", "", "Open"},
        {"List1", "", "Doppelclick entfernt die selektierte Datei aus der Liste"},
        {"List2", "", "Doppelclick entfernt die selektierte Datei aus der Liste"},
        {"Command5", "C", "Entfernt alle Dateien aus der Liste"},
        {"Command6", "C", "Entfernt alle Dateien aus der Liste"},
        {"Label4(0)", "Passwort:", ""},
        {"Label4(1)", "Wiederholung:", ""},
        {"Label4(2)", "Passwort:", ""},
        {"cmdEnc", "RC4 Encrypt", "Datei RC4 verschlüsseln"},
        {"cmdDec", "RC4 Decrypt", "Datei entschlüsseln"},
        {"Command2", "N", "Passwortdarstellung verdeckt/klar"},
        {"Option1(0)", "Originalname",
         "Die entschlüsselte Datei erhält den Originalnamen (wie vor der Verschlüsselung)."},
        {"Option1(1)", "Suffix ->", "Der Dateiname der entschlüsselten Datei erhält einen Suffix."},
        {"txtSuffix", "-dec", "Diesen Suffix erhält der Dateiname der entschlüsselten Datei."},
        {"Command4", "", "RC4?"},
        {"Command1", "", "Beenden"},
    };
    for (const Expected& e : widgets) {
        QWidget* widget = Find<QWidget>(QString::fromLatin1(e.name));
        ASSERT_NE(widget, nullptr);
        QString text;
        if (auto* label = qobject_cast<QLabel*>(widget))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            text = button->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(widget))
            text = edit->text();
        EXPECT_EQ(text, QString::fromUtf8(e.text)) << e.name;
        EXPECT_EQ(widget->toolTip(), QString::fromUtf8(e.tip)) << e.name;
    }
}

TEST_F(WindowTest, ScreenReadersGetATellingNameForEveryControlAndNoneForDecoration) {
    Open(R"("/d/a.txt")");
    // Every widget as a screen reader finds it, by its object name.
    std::map<QString, QAccessibleInterface*> found;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (node->object() != nullptr && !node->object()->objectName().isEmpty())
            found[node->object()->objectName()] = node;
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&Window());
    ASSERT_NE(window, nullptr);
    walk(window);

    // What a control does, and for which list; no two focusable controls share a name.
    std::vector<std::pair<const char*, const char*>> names = AccessibleNames;
    names.insert(names.end(), {{"Label5", "Files: 1"}, {"Label6", "Files: 0"}});
    QStringList focusableNames;
    for (const auto& [name, expected] : names) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(found.count(name));
        EXPECT_EQ(found[name]->text(QAccessible::Name).toStdString(), expected);
        if (found[name]->state().focusable)
            focusableNames << found[name]->text(QAccessible::Name);
    }
    focusableNames.removeDuplicates();
    EXPECT_EQ(focusableNames.size(), 17);
    for (const auto& [name, node] : found) {
        if (node->state().focusable) {
            EXPECT_FALSE(node->text(QAccessible::Name).isEmpty()) << name.toStdString();
        }
    }
    // The count labels tell which list they count; the folder buttons keep their tool tip.
    EXPECT_EQ(found["Label5"]->text(QAccessible::Description),
              QString::fromUtf8("Anzahl der zu verschlüsselnden Dateien"));
    EXPECT_EQ(found["Label6"]->text(QAccessible::Description),
              QString::fromUtf8("Anzahl der zu entschlüsselnden Dateien"));
    EXPECT_EQ(Button("Befehl2")->toolTip(), "Open");
    // The captions beside the password boxes are their labels.
    for (const auto& [label, labelled] : std::vector<std::pair<QString, QString>>{
             {"Label4(0)", "Text3(0)"}, {"Label4(1)", "Text3(1)"}, {"Label4(2)", "Text3(2)"}}) {
        const auto relations = found[labelled]->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << labelled.toStdString();
        EXPECT_EQ(relations.front().first->object(), found[label]->object()) << labelled.toStdString();
    }

    // The status line is a status bar, named by what it shows.
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(Find<QLabel>("Label1"));
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->role(), QAccessible::StatusBar);
    EXPECT_EQ(status->text(QAccessible::Name), "0 %");

    // Pictures, frames and the line are decoration: no name, no focus, a role that says what they are.
    const std::vector<std::pair<const char*, QAccessible::Role>> decoration = {
        {"Image1(0)", QAccessible::Graphic}, {"Image1(1)", QAccessible::Graphic},
        {"Picture1", QAccessible::Graphic},  {"Picture2", QAccessible::Graphic},
        {"Shape1", QAccessible::Border},     {"Shape2", QAccessible::Border},
        {"Line1", QAccessible::Separator},
    };
    for (const auto& [name, role] : decoration) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(found.count(name));
        EXPECT_EQ(found[name]->role(), role);
        EXPECT_TRUE(found[name]->text(QAccessible::Name).isEmpty());
        EXPECT_FALSE(found[name]->state().focusable);
    }

    // dummy is not offered, though it takes the focus after a password toggle.
    EXPECT_FALSE(found.count("dummy"));
    QTest::mouseClick(Button("Command2"), Qt::LeftButton);
    ASSERT_EQ(Window().focusWidget(), Button("dummy"));
    QAccessibleInterface* dummy = QAccessible::queryAccessibleInterface(Button("dummy"));
    ASSERT_NE(dummy, nullptr);
    EXPECT_TRUE(dummy->state().invisible);
    EXPECT_TRUE(dummy->text(QAccessible::Name).isEmpty());
    EXPECT_EQ(window->indexOfChild(dummy), -1);

    // Nor is the frame that marks the focus: screen readers tell the focus themselves.
    auto* marker = Window().findChild<QWidget*>(QStringLiteral("FocusMarker"));
    ASSERT_NE(marker, nullptr);
    EXPECT_FALSE(found.count("FocusMarker"));
    QAccessibleInterface* mark = QAccessible::queryAccessibleInterface(marker);
    ASSERT_NE(mark, nullptr);
    EXPECT_TRUE(mark->state().invisible);
    EXPECT_EQ(window->indexOfChild(mark), -1);
    EXPECT_EQ(marker->focusPolicy(), Qt::NoFocus);
}

TEST_F(WindowTest, CountLabelsGrowToTheLeftOfTheirClearButtons) {
    // 120 files: "Files: 120" is wider than the label's designed width.
    QStringList paths;
    for (int i = 0; i < 120; ++i)
        paths << QStringLiteral("/d/f%1.txt").arg(i, 3, 10, QLatin1Char('0'));
    QStringList containers;
    for (int i = 0; i < 1000; ++i)
        containers << QStringLiteral("/d/c%1.rc4").arg(i, 4, 10, QLatin1Char('0'));
    Open(('"' + (paths + containers).join(QStringLiteral("\" \"")) + '"').toStdString());
    const struct {
        const char* label;
        const char* button;
        QString text;
    } rows[] = {{"Label5", "Command5", "Files: 120"}, {"Label6", "Command6", "Files: 1000"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        QLabel* label = Find<QLabel>(QString::fromLatin1(row.label));
        EXPECT_EQ(label->text(), row.text);
        // The whole text fits, and the label ends where the layout puts its right edge, left of "C".
        EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(row.text));
        EXPECT_LT(label->geometry().right(), Button(row.button)->geometry().left());
        // Label5 stands at 6420 twips and Label6 at 6375, each 480 wide: 428 + 32 and 425 + 32 pixels.
        EXPECT_EQ(label->geometry().right() + 1, row.label == std::string("Label5") ? 460 : 457);
        EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    }
}

TEST_F(WindowTest, TabKeyWalksTheWidgetsInLayoutOrderAndEntersTheOptionsAtTheChosenOne) {
    Open();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    // The Tab key itself, from the first control round to it again. Of the two option buttons it
    // stops at the chosen one, as in every dialog; dummy takes the focus only from the password
    // toggle, never from the Tab key.
    const auto walk = [&] {
        Button("Befehl2")->setFocus();
        QStringList walked;
        do {
            walked << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        } while (QApplication::focusWidget() != Button("Befehl2") && walked.size() < 30);
        return walked;
    };
    QStringList expected = {"Befehl2",  "Command1", "cmdEnc",     "Command3", "cmdDec", "Text3(0)",
                            "Text3(1)", "Text3(2)", "Command2",   "Command4", "List1",  "Command5",
                            "List2",    "Command6", "Option1(1)", "txtSuffix"};
    EXPECT_EQ(walk(), expected);
    // The other one chosen, Tab stops there instead.
    QTest::mouseClick(Find<QRadioButton>("Option1(0)"), Qt::LeftButton);
    expected.replace(expected.indexOf("Option1(1)"), "Option1(0)");
    EXPECT_EQ(walk(), expected);
    // The arrow keys move the choice within the group, and the Tab stop with it.
    Find<QRadioButton>("Option1(0)")->setFocus();
    QTest::keyClick(Find<QRadioButton>("Option1(0)"), Qt::Key_Right);
    EXPECT_TRUE(Find<QRadioButton>("Option1(1)")->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), Find<QRadioButton>("Option1(1)"));
    expected.replace(expected.indexOf("Option1(0)"), "Option1(1)");
    EXPECT_EQ(walk(), expected);
}

TEST_F(WindowTest, EnterPressesTheFocusedButtonAndTheFocusIsMarkedOnEveryControl) {
    Open();
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    // Enter and the keypad's Enter press the button that has the focus; in a password box they press
    // that side's batch button, never the focused-before one.
    QPushButton* toggle = Button("Command2");
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Return);
    EXPECT_EQ(toggle->text(), "P");
    toggle->setFocus();
    QTest::keyClick(toggle, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(toggle->text(), "N");
    Password(0)->setFocus();
    QTest::keyClick(Password(0), Qt::Key_Return);
    EXPECT_EQ(toggle->text(), "N");
    ASSERT_EQ(warnings_.size(), 1u);
    EXPECT_EQ(warnings_[0].text, QString::fromUtf8("Bitte eine zu verschlüsselnde Dateien auswählen !"));

    // Every control the keys reach looks different around its edge with the focus on it: a frame the
    // eye finds at once, not only a tint inside.
    for (const char* name :
         {"Befehl2", "Command1", "cmdEnc", "Command3", "cmdDec", "Text3(0)", "Text3(1)", "Text3(2)",
          "Command2", "Command4", "List1", "Command5", "List2", "Command6", "Option1(1)", "txtSuffix"}) {
        SCOPED_TRACE(name);
        QWidget* control = Find<QWidget>(QString::fromLatin1(name));
        const QRect around = control->geometry().adjusted(-2, -2, 2, 2);
        Button(name == std::string("Befehl2") ? "Command1" : "Befehl2")->setFocus();
        const QImage before = Window().grab(around).toImage();
        control->setFocus();
        const QImage after = Window().grab(around).toImage();
        int changed = 0;
        for (int x = 0; x < around.width(); ++x)
            for (int y : {0, 1, around.height() - 2, around.height() - 1})
                changed += before.pixel(x, y) != after.pixel(x, y);
        EXPECT_GT(changed, around.width()) << "of " << 4 * around.width() << " pixels along the edges";
    }
}

TEST_F(WindowTest, PasswordToggleShowsAndMasksAllThreeBoxes) {
    Open();
    Password(0)->setText("geheim");
    Password(2)->setFocus();
    QPushButton* toggle = Button("Command2");
    // A screen reader hears which of the two the boxes show, and what a click does.
    const auto name = [&] {
        return QAccessible::queryAccessibleInterface(toggle)->text(QAccessible::Name).toStdString();
    };
    EXPECT_EQ(name(), "Passwörter sind verdeckt; im Klartext zeigen");
    const struct {
        QLineEdit::EchoMode mode;
        const char* caption;
        const char* name;
    } after[] = {{QLineEdit::Normal, "P", "Passwörter sind im Klartext; verdecken"},
                 {QLineEdit::Password, "N", "Passwörter sind verdeckt; im Klartext zeigen"}};
    for (const auto& state : after) {
        QTest::mouseClick(toggle, Qt::LeftButton);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(Password(i)->echoMode(), state.mode) << i;
        EXPECT_EQ(toggle->text(), state.caption);
        EXPECT_EQ(name(), state.name);
        // No password box keeps the focus after a toggle.
        EXPECT_EQ(Window().focusWidget(), Button("dummy"));
    }
    EXPECT_EQ(Password(0)->text(), "geheim");
}

TEST_F(WindowTest, PasswordBoxesTakeAtMost32CodePageCharacters) {
    Open();
    for (int i = 0; i < 3; ++i) {
        QLineEdit* box = Password(i);
        QTest::keyClicks(box, QString(33, u'x'));
        EXPECT_EQ(box->text(), QString(32, u'x')) << i;
    }
    // Characters the code page holds are taken; others would become '?' in the key and are refused,
    // typed or pasted, and a tip at the box says which and why. A character the box takes takes the tip
    // away.
    Window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window()));
    const QString rule = QString::fromUtf8("\nEin Passwort besteht nur aus Zeichen, die die Codepage "
                                           "Windows-1252 kennt.");
    const struct {
        const char* typed;
        bool pasted;
        const char* kept;
        // The tip after the last character; empty: none.
        const char* tip;
    } rows[] = {
        {"äß€?z", false, "äß€?z", ""},
        {"ał", false, "a", "Das Zeichen „ł“ kann nicht Teil des Passworts sein."},
        {"a✓b", false, "ab", ""},
        {"a\xF0\x9F\x94\x91", false, "a",
         "Das Zeichen „\xF0\x9F\x94\x91“ kann nicht Teil des Passworts sein."},
        {"Łódź", true, "", "Die Zeichen „Ł“ und „ź“ können nicht Teil des Passworts sein."},
        {"ĳ€ĳ✓ł", true, "", "Die Zeichen „ĳ“, „✓“ und „ł“ können nicht Teil des Passworts sein."},
        {"Grüße", true, "Grüße", ""},
    };
    QLineEdit* box = Password(2);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.typed);
        box->clear();
        box->setFocus();
        QToolTip::hideText();
        ASSERT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        const QString typed = QString::fromUtf8(row.typed);
        if (row.pasted) {
            QApplication::clipboard()->setText(typed);
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            // Key by key, as the keyboard delivers them: a character beyond 16 bits in one event.
            for (const uint character : typed.toUcs4())
                QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown,
                                    QString::fromUcs4(reinterpret_cast<const char32_t*>(&character), 1),
                                    Qt::NoModifier);
        }
        EXPECT_EQ(box->text(), QString::fromUtf8(row.kept));
        const QString tip = QString::fromUtf8(row.tip);
        if (tip.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
        } else {
            EXPECT_TRUE(QToolTip::isVisible());
            EXPECT_EQ(QToolTip::text(), tip + rule);
        }
    }
    // The tip goes with the focus.
    box->clear();
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString::fromUtf8("ł"), Qt::NoModifier);
    ASSERT_TRUE(QToolTip::isVisible());
    Password(0)->setFocus();
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }));
}

#include "ui/frmRC4.h"

#include "core/batch_texts.h"
#include "core/batches.h"
#include "core/command_line.h"
#include "core/container.h"
#include "core/file_names.h"
#include "host/files.h"
#include "host/process.h"
#include "ui/StdDialoge.h"
#include "ui/file_list_box.h"
#include "ui/frmInfo.h"
#include "ui/look.h"
#include "ui/password_validator.h"
#include "ui/texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetricsF>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <cmath>
#include <exception>
#include <vector>

namespace {

// The extent holds the longest item and this many spaces more, so its end never sits at the edge.
constexpr int ExtentSpaces = 25;
const QString Crlf = QStringLiteral("\r\n");

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString FromStd(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
std::string ToStd(const QString& text) {
    return text.toStdString();
}

QString FileNamePart(const QString& path) {
    return FromStd(Nurdatei(ToStd(path), host::PathSeparator()));
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(look::SansFont(false));
    label->setGeometry(rect);
    return label;
}

// A label that sizes itself to its text, keeping its left and top edges.
QLabel* MakeAutoLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    QLabel* label = MakeLabel(parent, name, text, rect);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& caption, const char* tip,
                        const QRect& rect, bool bold = false) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(look::SansFont(bold));
    button->setPalette(QApplication::palette());
    if (tip != nullptr)
        button->setToolTip(Text(tip));
    button->setGeometry(rect);
    return button;
}

QPushButton* MakeIconButton(QWidget* parent, const char* name, const char* icon, const char* tip,
                            const QRect& rect) {
    QPushButton* button = MakeButton(parent, name, QString(), tip, rect);
    // A screen reader cannot read the picture: the button is called by its tool tip.
    button->setAccessibleName(Text(tip));
    button->setIcon(look::Icon(icon));
    button->setIconSize(QSize(16, 16));
    return button;
}

QLabel* MakePicture(QWidget* parent, const char* name, const char* icon, const QRect& rect) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(rect);
    picture->setPixmap(look::Icon(icon).pixmap(QSize(32, 32), parent->devicePixelRatioF()));
    return picture;
}

// A file list in the fixed-pitch font with the system's colours.
FileListBox* MakeList(QWidget* parent, const char* name, const QRect& rect) {
    auto* list = new FileListBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setGeometry(rect);
    list->setFont(look::FixedFont());
    list->setPalette(QApplication::palette());
    list->setToolTip(Text(ui_texts::ListTip));
    return list;
}

// The label names the widget for screen readers (and is its caption in the accessibility tree).
void SetCaption(QLabel* label, QWidget* widget) {
    label->setBuddy(widget);
    widget->setAccessibleName(label->text());
}

QFrame* MakeShape(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& rect) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
    frame->setGeometry(rect);
    // Shapes are drawn on the window's surface: under every other widget and never hit by the mouse.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QLineEdit* MakePasswordBox(QWidget* parent, int index, const QRect& rect) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QStringLiteral("Text3(%1)").arg(index));
    box->setFont(look::SansFont(false));
    box->setPalette(QApplication::palette());
    box->setGeometry(rect);
    box->setMaxLength(static_cast<int>(container::MaxPasswordLength));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    box->setValidator(new PasswordValidator(box));
    return box;
}

} // namespace

frmRC4::frmRC4(const std::vector<std::string>& commandLineItems, UiHost host, QWidget* parent)
    : QWidget(parent), host_(std::move(host)) {
    BuildWidgets();
    SetTabOrder();
    StartUp(commandLineItems);
}

void frmRC4::BuildWidgets() {
    // Creation order is stacking order: the frame's shapes and line at the bottom; within each part,
    // labels and images before the controls that take input.
    BuildFrame();
    BuildEncryptionHalf();
    BuildDecryptionHalf();
    BuildFooter();
    Connect();
}

void frmRC4::BuildFrame() {
    using look::TwipsRect;
    setObjectName(QStringLiteral("frmRC4"));
    setWindowTitle(Text(ui_texts::MainCaption));
    setWindowIcon(look::Icon("tessarin"));
    // A resizable frame with a minimise box and no maximise box; the widgets keep their places.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(look::Px(7620), look::Px(8730));
    setFont(look::SansFont(true));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, look::Olive());
    setPalette(black);
    setAutoFillBackground(true);

    Shape1 = MakeShape(this, "Shape1", QFrame::Box, TwipsRect(120, 60, 7335, 3855));
    Shape2 = MakeShape(this, "Shape2", QFrame::Box, TwipsRect(120, 4080, 7335, 3975));
    // A horizontal line frame draws its line through the middle of its height.
    Line1 =
        MakeShape(this, "Line1", QFrame::HLine, QRect(look::Px(-60), look::Px(8460) - 1, look::Px(7740), 3));
}

void frmRC4::BuildEncryptionHalf() {
    using look::TwipsRect;
    Label2 =
        MakeAutoLabel(this, "Label2", Text(ui_texts::EncryptListHeading), TwipsRect(300, 180, 5595, 195));
    Label5 = MakeAutoLabel(this, "Label5", Text(ui_texts::FileCountPrefix), TwipsRect(6420, 2700, 480, 195));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4[0] =
        MakeAutoLabel(this, "Label4(0)", Text(ui_texts::PasswordCaption), TwipsRect(720, 3000, 690, 195));
    Label4[1] =
        MakeAutoLabel(this, "Label4(1)", Text(ui_texts::RepetitionCaption), TwipsRect(420, 3300, 1035, 195));
    Image1[0] = MakePicture(this, "Image1(0)", "keys", TwipsRect(3540, 3000, 480, 480));

    Befehl2 =
        MakeIconButton(this, "Befehl2", "folder_open", ui_texts::OpenTip, TwipsRect(6840, 120, 435, 315));
    // This button's face is the system's window colour rather than the button colour.
    QPalette face = Befehl2->palette();
    face.setColor(QPalette::Button, QApplication::palette().color(QPalette::Base));
    Befehl2->setPalette(face);
    List1 = MakeList(this, "List1", TwipsRect(240, 480, 7035, 2160));
    Command5 = MakeButton(this, "Command5", Text(ui_texts::ClearCaption), ui_texts::ClearTip,
                          TwipsRect(7020, 2700, 255, 255));
    Text3[0] = MakePasswordBox(this, 0, TwipsRect(1560, 3000, 1835, 225));
    Text3[1] = MakePasswordBox(this, 1, TwipsRect(1560, 3300, 1835, 225));
    cmdEnc = MakeButton(this, "cmdEnc", Text(texts::CaptionEncrypt), ui_texts::EncryptTip,
                        TwipsRect(4260, 3000, 2475, 675), true);
    // The padlock lies on its button and lets every click through to it, so a click on the padlock is a
    // click on the button, pressed look included.
    Picture1 =
        MakePicture(cmdEnc, "Picture1", "padlock_closed", TwipsRect(4380 - 4260, 3075 - 3000, 480, 480));
    Picture1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture1->setAccessibleName(cmdEnc->toolTip());

    SetCaption(Label2, List1);
    SetCaption(Label4[0], Text3[0]);
    SetCaption(Label4[1], Text3[1]);
}

void frmRC4::BuildDecryptionHalf() {
    using look::TwipsRect;
    Label3 =
        MakeAutoLabel(this, "Label3", Text(ui_texts::DecryptListHeading), TwipsRect(300, 4200, 5565, 195));
    Label6 = MakeAutoLabel(this, "Label6", Text(ui_texts::FileCountPrefix), TwipsRect(6375, 6720, 480, 195));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4[2] =
        MakeAutoLabel(this, "Label4(2)", Text(ui_texts::PasswordCaption), TwipsRect(660, 7080, 690, 195));
    Image1[1] = MakePicture(this, "Image1(1)", "keys", TwipsRect(3540, 7020, 480, 480));

    Command3 =
        MakeIconButton(this, "Command3", "folder_open", ui_texts::OpenTip, TwipsRect(6840, 4140, 435, 315));
    List2 = MakeList(this, "List2", TwipsRect(300, 4500, 6975, 2160));
    Command6 = MakeButton(this, "Command6", Text(ui_texts::ClearCaption), ui_texts::ClearTip,
                          TwipsRect(6960, 6720, 255, 255));
    Text3[2] = MakePasswordBox(this, 2, TwipsRect(1500, 7080, 1835, 225));
    Command2 = MakeButton(this, "Command2", Text(ui_texts::MaskedCaption), ui_texts::MaskTip,
                          TwipsRect(3000, 7380, 315, 255));
    cmdDec = MakeButton(this, "cmdDec", Text(texts::CaptionDecrypt), ui_texts::DecryptTip,
                        TwipsRect(4200, 7020, 2475, 675), true);
    Picture2 = MakePicture(cmdDec, "Picture2", "padlock_open", TwipsRect(4380 - 4200, 7110 - 7020, 480, 480));
    Picture2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture2->setAccessibleName(cmdDec->toolTip());

    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(this);
        Option1[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        Option1[i]->setFont(look::SansFont(false));
    }
    Option1[0]->setText(Text(ui_texts::OriginalNameCaption));
    Option1[0]->setToolTip(Text(ui_texts::OriginalNameTip));
    Option1[0]->setGeometry(TwipsRect(300, 7740, 1275, 195));
    Option1[1]->setText(Text(ui_texts::SuffixCaption));
    Option1[1]->setToolTip(Text(ui_texts::SuffixTip));
    Option1[1]->setGeometry(TwipsRect(1680, 7740, 1035, 195));
    Option1[1]->setChecked(true);

    txtSuffix = new QLineEdit(Text(texts::DefaultSuffix), this);
    txtSuffix->setObjectName(QStringLiteral("txtSuffix"));
    txtSuffix->setFont(look::SansFont(false));
    txtSuffix->setPalette(QApplication::palette());
    txtSuffix->setToolTip(Text(ui_texts::SuffixBoxTip));
    txtSuffix->setGeometry(TwipsRect(2820, 7680, 495, 285));
    // No label stands beside the suffix box; its tool tip says what it holds.
    txtSuffix->setAccessibleName(txtSuffix->toolTip());

    SetCaption(Label3, List2);
    SetCaption(Label4[2], Text3[2]);
}

void frmRC4::BuildFooter() {
    using look::TwipsRect;
    Label1 = MakeLabel(this, "Label1", Text(texts::StatusStart), TwipsRect(60, 8520, 7695, 255));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->hide();
    Command4 =
        MakeIconButton(this, "Command4", "question", ui_texts::InfoTip, TwipsRect(6360, 8100, 435, 315));
    Command1 = MakeIconButton(this, "Command1", "exit", ui_texts::ExitTip, TwipsRect(6900, 8100, 555, 315));
    dummy =
        MakeButton(this, "dummy", Text(ui_texts::DummyCaption), nullptr, TwipsRect(60, 8220, 915, 195), true);
}

void frmRC4::Connect() {
    for (FileListBox* list : {List1, List2}) {
        connect(list, &FileListBox::FilesDropped, this,
                [this, list](const QStringList& paths) { List_Drop(*list, paths); });
        connect(list, &FileListBox::DoubleClicked, this, [this, list] { List_DoubleClick(*list); });
    }
    connect(Command5, &QPushButton::clicked, this, [this] { ClearButton_Click(*List1); });
    connect(Command6, &QPushButton::clicked, this, [this] { ClearButton_Click(*List2); });
    connect(Befehl2, &QPushButton::clicked, this, [this] { OpenButton_Click(BatchSide::Encrypt); });
    connect(Command3, &QPushButton::clicked, this, [this] { OpenButton_Click(BatchSide::Decrypt); });
    connect(cmdEnc, &QPushButton::clicked, this, [this] { BatchButton_Click(BatchSide::Encrypt); });
    connect(cmdDec, &QPushButton::clicked, this, [this] { BatchButton_Click(BatchSide::Decrypt); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
}

void frmRC4::SetTabOrder() {
    // The focus order of the layout; labels, pictures and images hold no place in Qt's chain.
    const std::vector<QWidget*> order = {Befehl2,  Command1, cmdEnc,   Command3,   cmdDec,     Text3[0],
                                         Text3[1], Text3[2], Command2, dummy,      Command4,   List1,
                                         Command5, List2,    Command6, Option1[0], Option1[1], txtSuffix};
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    Befehl2->setFocus();
}

void frmRC4::StartUp(const std::vector<std::string>& commandLineItems) {
    Label1->setText(Text(texts::StatusStart));
    Label5->clear();
    Label6->clear();
    // dummy takes the focus away from the password boxes; it stays enabled but out of sight.
    dummy->move(look::Px(-3000), dummy->y());
    CancelEncrypt = false;
    CancelDecrypt = false;
    m_CRC.Clear();

    // From here on a failing step is skipped: the window always opens.
    const auto attempt = [](auto&& step) {
        try {
            step();
        } catch (const std::exception&) {
        }
    };
    if (!commandLineItems.empty()) {
        attempt([&] { CommandLineIntake(commandLineItems); });
        attempt([&] { xListKillDupes(*List1); });
        attempt([&] { AddHScroll(*List1); });
        attempt([&] { xListKillDupes(*List2); });
        attempt([&] { AddHScroll(*List2); });
    }
    attempt([&] { ShowFileCount(*List1); });
    attempt([&] { ShowFileCount(*List2); });
}

void frmRC4::CommandLineIntake(const std::vector<std::string>& commandLineItems) {
    for (const std::string& item : commandLineItems) {
        // An empty item (an empty pair of quotes) names no file; it is left out rather than listed blank.
        if (item.empty())
            continue;
        const std::string path = host::NativePath(item);
        (IsContainerPath(path, host::PathSeparator()) ? List2 : List1)->AddItem(FromStd(path));
    }
}

// --- the list operations ---

void frmRC4::xListKillDupes(FileListBox& list) {
    for (int i = 0; i < list.count(); ++i) {
        const QString text = list.item(i)->text();
        for (int j = i + 1; j < list.count();) {
            if (list.item(j)->text() == text)
                delete list.takeItem(j);
            else
                ++j;
        }
    }
}

void frmRC4::xListRemoveSelected(FileListBox& list) {
    // Taken before the first removal: removing the selected item makes the view select a neighbour,
    // which must stay in the list.
    const QList<QListWidgetItem*> selected = list.selectedItems();
    for (QListWidgetItem* item : selected)
        delete list.takeItem(list.row(item));
    // The neighbour's selection goes too, so the next double-click removes nothing until the user
    // picks an item again.
    if (!selected.isEmpty())
        list.clearSelection();
}

void frmRC4::AddHScroll(FileListBox& list) {
    QString longest = list.count() > 0 ? list.item(0)->text() : QString();
    qsizetype longestLength = longest.toUcs4().size();
    for (int i = 1; i < list.count(); ++i) {
        const QString text = list.item(i)->text();
        const qsizetype length = text.toUcs4().size();
        if (length > longestLength) {
            longest = text;
            longestLength = length;
        }
    }
    // Measured in the window's own font (not the list's), rounded to whole twips, half to even, and
    // cut back to whole pixels.
    const qreal pixels = QFontMetricsF(font()).horizontalAdvance(longest + QString(ExtentSpaces, u' '));
    const long twips = std::lrint(pixels * look::TwipsPerPixel);
    list.SetHorizontalExtent(static_cast<int>(twips / look::TwipsPerPixel));
}

void frmRC4::ShowFileCount(FileListBox& list) {
    QLabel& label = CountLabel(list);
    label.setText(Text(ui_texts::FileCountPrefix) + QString::number(list.count()));
    label.adjustSize();
}

// --- handlers ---

void frmRC4::List_Drop(FileListBox& list, const QStringList& paths) {
    if (list.Locked() || paths.isEmpty())
        return;
    try {
        for (const QString& path : paths) {
            if (host::IsFolder(ToStd(path)))
                continue;
            if (&list == List2 && !IsContainerPath(ToStd(path), host::PathSeparator())) {
                ShowWarning(ToStd(Text(texts::RefusedFilePrefix) + FileNamePart(path) + Crlf +
                                  Text(texts::RefusedFileReason)));
                continue;
            }
            list.AddItem(path);
        }
    } catch (const std::exception&) {
        // A path that cannot be examined ends this drop quietly; what was added stays.
        return;
    }
    xListKillDupes(list);
    AddHScroll(list);
    ShowFileCount(list);
}

void frmRC4::List_DoubleClick(FileListBox& list) {
    if (list.Locked())
        return;
    xListRemoveSelected(list);
    ShowFileCount(list);
}

void frmRC4::ClearButton_Click(FileListBox& list) {
    if (list.Locked())
        return;
    list.clear();
    ShowFileCount(list);
}

void frmRC4::OpenButton_Click(BatchSide side) {
    FileListBox& list = List(side);
    if (list.Locked())
        return;
    const bool encrypt = side == BatchSide::Encrypt;
    Label1->setText(Text(texts::StatusStart));
    const QString result = StdDialoge::ShowOpenDialog(
        host_, this, Text(encrypt ? ui_texts::EncryptDialogTitle : ui_texts::DecryptDialogTitle),
        FromStd(host::CurrentDirectory()), QString(),
        Text(encrypt ? ui_texts::EncryptDialogFilter : ui_texts::DecryptDialogFilter),
        Text(encrypt ? ui_texts::EncryptDialogExtension : ui_texts::DecryptDialogExtension));
    // The dialog ran its own event loop: a batch may have started on this list meanwhile.
    if (!result.isEmpty() && !list.Locked()) {
        const QStringList parts = result.split(QChar(u'\0'));
        if (parts.size() == 1) {
            list.AddItem(parts.front());
        } else {
            const QChar separator = QLatin1Char(host::PathSeparator());
            QString folder = parts.front();
            if (!folder.endsWith(separator))
                folder += separator;
            for (qsizetype k = 1; k < parts.size(); ++k) {
                if (parts[k].isEmpty())
                    continue;
                if (!encrypt) {
                    list.AddItem(folder + parts[k]);
                    continue;
                }
                // Only spaces are trimmed, as the dialog pads names with them.
                const QString name = FromStd(container::TrimSpaces(ToStd(parts[k])));
                const QString file = FileNamePart(name);
                // A full path where a name belongs is a shortcut reported by its target: the shortcut
                // file in the chosen folder is what gets listed.
                list.AddItem(file == name ? folder + name : folder + file + QStringLiteral(".lnk"));
            }
        }
        xListKillDupes(list);
        AddHScroll(list);
    }
    ShowFileCount(list);
}

void frmRC4::BatchButton_Click(BatchSide side) {
    // A click during a batch goes to the batches as it is: they make it a cancel request or ignore it
    // (a one-file batch, or the other batch's button). They report every failure themselves.
    side == BatchSide::Encrypt ? cmdEnc_Click(*this) : cmdDec_Click(*this);
}

void frmRC4::Command2_Click() {
    const bool masked = Text3[0]->echoMode() == QLineEdit::Password;
    for (QLineEdit* box : Text3)
        box->setEchoMode(masked ? QLineEdit::Normal : QLineEdit::Password);
    Command2->setText(Text(masked ? ui_texts::ClearTextCaption : ui_texts::MaskedCaption));
    dummy->setFocus();
}

void frmRC4::Command4_Click() {
    if (info_ == nullptr)
        info_ = new frmInfo(this);
    if (info_->isVisible()) {
        info_->raise();
        info_->activateWindow();
        return;
    }
    info_->Open();
}

void frmRC4::closeEvent(QCloseEvent* event) {
    event->accept();
    if (info_ != nullptr)
        info_->close();
    if (RunningBatch()) {
        // The batch that called into this handler would carry on once it returns; the program ends
        // here instead, leaving the file in work as far as it was written.
        host_.endProcess();
        return;
    }
    QCoreApplication::quit();
}

// --- guards while a batch runs ---

void frmRC4::RunningBatchChanged() {
    const std::optional<BatchSide> running = RunningBatch();
    for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt}) {
        const bool reading = running == side;
        const bool other = running && !reading;
        List(side).SetLocked(reading);
        (side == BatchSide::Encrypt ? Command5 : Command6)->setEnabled(!reading);
        (side == BatchSide::Encrypt ? Befehl2 : Command3)->setEnabled(!reading);
        // The other batch's button, with its padlock, cannot start a second batch.
        BatchButton(side).setEnabled(!other);
    }
}

// --- BatchWindow ---

FileListBox& frmRC4::List(BatchSide side) const {
    return side == BatchSide::Encrypt ? *List1 : *List2;
}

QLabel& frmRC4::CountLabel(const FileListBox& list) const {
    return &list == List1 ? *Label5 : *Label6;
}

QPushButton& frmRC4::BatchButton(BatchSide side) const {
    return side == BatchSide::Encrypt ? *cmdEnc : *cmdDec;
}

int frmRC4::ListCount(BatchSide side) const {
    return List(side).count();
}

std::string frmRC4::ListItem(BatchSide side, int index) const {
    const QListWidgetItem* item = List(side).item(index);
    return item != nullptr ? ToStd(item->text()) : std::string();
}

int frmRC4::ListIndex(BatchSide side) const {
    const QListWidgetItem* item = List(side).currentItem();
    return item != nullptr && item->isSelected() ? List(side).currentRow() : -1;
}

void frmRC4::SetListIndex(BatchSide side, int index) {
    List(side).setCurrentRow(index);
}

std::string frmRC4::PasswordText(int index) const {
    return ToStd(Text3.at(static_cast<std::size_t>(index))->text());
}

void frmRC4::FocusPassword(int index) {
    Text3.at(static_cast<std::size_t>(index))->setFocus();
}

std::string frmRC4::ButtonCaption(BatchSide side) const {
    return ToStd(BatchButton(side).text());
}

void frmRC4::SetButtonCaption(BatchSide side, const std::string& caption) {
    BatchButton(side).setText(FromStd(caption));
}

std::string frmRC4::StatusText() const {
    return ToStd(Label1->text());
}

void frmRC4::SetStatusText(const std::string& text) {
    Label1->setText(FromStd(text));
}

void frmRC4::ShowStatus() {
    Label1->show();
}

bool frmRC4::SuffixSelected() const {
    return Option1[1]->isChecked();
}

std::string frmRC4::SuffixText() const {
    return ToStd(txtSuffix->text());
}

char frmRC4::DecimalSeparator() const {
    const QString point = QLocale().decimalPoint();
    return point.size() == 1 && point.front().unicode() < 0x80 ? static_cast<char>(point.front().unicode())
                                                               : '.';
}

void frmRC4::ShowWarning(const std::string& text) {
    host_.warningBox(this, FromStd(host::ExecutableName()), FromStd(text));
}

void frmRC4::PumpEvents() {
    if (lastPump_.isValid() && std::chrono::nanoseconds(lastPump_.nsecsElapsed()) < pumpInterval_)
        return;
    QElapsedTimer pass;
    pass.start();
    host_.eventPass();
    constexpr int WorkPerPass = 40;
    pumpInterval_ = std::clamp(std::chrono::nanoseconds(pass.nsecsElapsed()) * WorkPerPass, leastInterval_,
                               mostInterval_);
    // Counted from the end of the pass: time spent in a handler (a dialog, say) is not work time.
    lastPump_.start();
}

void frmRC4::PumpEventsNow() {
    lastPump_.invalidate();
    PumpEvents();
}

void frmRC4::SetWaitPointer(bool wait) {
    // The main window's own pointer, not the application's: a message box or the info window shown
    // during a batch keeps the normal arrow.
    if (wait)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

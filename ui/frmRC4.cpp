#include "ui/frmRC4.h"

#include "core/batch_texts.h"
#include "core/container.h"
#include "host/process.h"
#include "ui/StdDialoge.h"
#include "ui/dialog_keys.h"
#include "ui/file_list_box.h"
#include "ui/frmInfo.h"
#include "ui/look.h"
#include "ui/password_validator.h"
#include "window/layout.h"
#include "window/window_texts.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <vector>

namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}
QString FromStd(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
std::string ToStd(const QString& text) {
    return text.toStdString();
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
    list->setToolTip(Text(window_texts::ListTip));
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
    new DialogKeys(this);
    // dummy takes the focus away from the password boxes; it stays enabled but out of sight.
    dummy->move(look::Px(layout::DummyHiddenLeft), dummy->y());
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
    setWindowTitle(Text(window_texts::MainCaption));
    setWindowIcon(look::Icon("tessarin"));
    // A resizable frame with a minimise box and no maximise box; the widgets keep their places.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(look::Px(layout::MainWidth), look::Px(layout::MainHeight));
    setFont(look::SansFont(true));
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    black.setColor(QPalette::WindowText, look::Olive());
    setPalette(black);
    setAutoFillBackground(true);

    Shape1 = MakeShape(this, "Shape1", QFrame::Box, TwipsRect(layout::Shape1));
    Shape2 = MakeShape(this, "Shape2", QFrame::Box, TwipsRect(layout::Shape2));
    // A horizontal line frame draws its line through the middle of its height.
    Line1 = MakeShape(this, "Line1", QFrame::HLine,
                      QRect(look::Px(layout::LineLeft), look::Px(layout::LineY) - 1,
                            look::Px(layout::LineRight - layout::LineLeft), 3));
}

void frmRC4::BuildEncryptionHalf() {
    using look::TwipsRect;
    Label2 = MakeAutoLabel(this, "Label2", Text(window_texts::EncryptListHeading), TwipsRect(layout::Label2));
    Label5 = MakeAutoLabel(this, "Label5", Text(window_texts::FileCountPrefix), TwipsRect(layout::Label5));
    Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4[0] =
        MakeAutoLabel(this, "Label4(0)", Text(window_texts::PasswordCaption), TwipsRect(layout::Label4_0));
    Label4[1] =
        MakeAutoLabel(this, "Label4(1)", Text(window_texts::RepetitionCaption), TwipsRect(layout::Label4_1));
    Image1[0] = MakePicture(this, "Image1(0)", "keys", TwipsRect(layout::Image1_0));

    Befehl2 =
        MakeIconButton(this, "Befehl2", "folder_open", window_texts::OpenTip, TwipsRect(layout::Befehl2));
    // This button's face is the system's window colour rather than the button colour.
    QPalette face = Befehl2->palette();
    face.setColor(QPalette::Button, QApplication::palette().color(QPalette::Base));
    Befehl2->setPalette(face);
    List1 = MakeList(this, "List1", TwipsRect(layout::List1));
    Command5 = MakeButton(this, "Command5", Text(window_texts::ClearCaption), window_texts::ClearTip,
                          TwipsRect(layout::Command5));
    Text3[0] = MakePasswordBox(this, 0, TwipsRect(layout::Text3_0));
    Text3[1] = MakePasswordBox(this, 1, TwipsRect(layout::Text3_1));
    cmdEnc = MakeButton(this, "cmdEnc", Text(texts::CaptionEncrypt), window_texts::EncryptTip,
                        TwipsRect(layout::cmdEnc), true);
    // The padlock lies on its button and lets every click through to it, so a click on the padlock is a
    // click on the button, pressed look included.
    Picture1 = MakePicture(cmdEnc, "Picture1", "padlock_closed",
                           TwipsRect(layout::RelativeTo(layout::Picture1, layout::cmdEnc)));
    Picture1->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture1->setAccessibleName(cmdEnc->toolTip());

    SetCaption(Label2, List1);
    SetCaption(Label4[0], Text3[0]);
    SetCaption(Label4[1], Text3[1]);
}

void frmRC4::BuildDecryptionHalf() {
    using look::TwipsRect;
    Label3 = MakeAutoLabel(this, "Label3", Text(window_texts::DecryptListHeading), TwipsRect(layout::Label3));
    Label6 = MakeAutoLabel(this, "Label6", Text(window_texts::FileCountPrefix), TwipsRect(layout::Label6));
    Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4[2] =
        MakeAutoLabel(this, "Label4(2)", Text(window_texts::PasswordCaption), TwipsRect(layout::Label4_2));
    Image1[1] = MakePicture(this, "Image1(1)", "keys", TwipsRect(layout::Image1_1));

    Command3 =
        MakeIconButton(this, "Command3", "folder_open", window_texts::OpenTip, TwipsRect(layout::Command3));
    List2 = MakeList(this, "List2", TwipsRect(layout::List2));
    Command6 = MakeButton(this, "Command6", Text(window_texts::ClearCaption), window_texts::ClearTip,
                          TwipsRect(layout::Command6));
    Text3[2] = MakePasswordBox(this, 2, TwipsRect(layout::Text3_2));
    Command2 = MakeButton(this, "Command2", Text(window_texts::MaskedCaption), window_texts::MaskTip,
                          TwipsRect(layout::Command2));
    cmdDec = MakeButton(this, "cmdDec", Text(texts::CaptionDecrypt), window_texts::DecryptTip,
                        TwipsRect(layout::cmdDec), true);
    Picture2 = MakePicture(cmdDec, "Picture2", "padlock_open",
                           TwipsRect(layout::RelativeTo(layout::Picture2, layout::cmdDec)));
    Picture2->setAttribute(Qt::WA_TransparentForMouseEvents);
    Picture2->setAccessibleName(cmdDec->toolTip());

    for (int i = 0; i < 2; ++i) {
        Option1[i] = new QRadioButton(this);
        Option1[i]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        Option1[i]->setFont(look::SansFont(false));
    }
    Option1[0]->setText(Text(window_texts::OriginalNameCaption));
    Option1[0]->setToolTip(Text(window_texts::OriginalNameTip));
    Option1[0]->setGeometry(TwipsRect(layout::Option1_0));
    Option1[1]->setText(Text(window_texts::SuffixCaption));
    Option1[1]->setToolTip(Text(window_texts::SuffixTip));
    Option1[1]->setGeometry(TwipsRect(layout::Option1_1));
    Option1[1]->setChecked(true);

    txtSuffix = new QLineEdit(Text(texts::DefaultSuffix), this);
    txtSuffix->setObjectName(QStringLiteral("txtSuffix"));
    txtSuffix->setFont(look::SansFont(false));
    txtSuffix->setPalette(QApplication::palette());
    txtSuffix->setToolTip(Text(window_texts::SuffixBoxTip));
    txtSuffix->setGeometry(TwipsRect(layout::txtSuffix));
    // No label stands beside the suffix box; its tool tip says what it holds.
    txtSuffix->setAccessibleName(txtSuffix->toolTip());

    SetCaption(Label3, List2);
    SetCaption(Label4[2], Text3[2]);
}

void frmRC4::BuildFooter() {
    using look::TwipsRect;
    Label1 = MakeLabel(this, "Label1", Text(texts::StatusStart), TwipsRect(layout::Label1));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->hide();
    Command4 =
        MakeIconButton(this, "Command4", "question", window_texts::InfoTip, TwipsRect(layout::Command4));
    Command1 = MakeIconButton(this, "Command1", "exit", window_texts::ExitTip, TwipsRect(layout::Command1));
    dummy =
        MakeButton(this, "dummy", Text(window_texts::DummyCaption), nullptr, TwipsRect(layout::dummy), true);
}

void frmRC4::Connect() {
    for (BatchSide side : {BatchSide::Encrypt, BatchSide::Decrypt}) {
        FileListBox* list = &Box(side);
        connect(list, &FileListBox::FilesDropped, this,
                [this, side](const std::vector<std::string>& paths) { FilesDropped(side, paths); });
        connect(list, &FileListBox::DoubleClicked, this, [this, side] { ListDoubleClicked(side); });
    }
    connect(Command5, &QPushButton::clicked, this, [this] { ClearClicked(BatchSide::Encrypt); });
    connect(Command6, &QPushButton::clicked, this, [this] { ClearClicked(BatchSide::Decrypt); });
    connect(Befehl2, &QPushButton::clicked, this, [this] { OpenClicked(BatchSide::Encrypt); });
    connect(Command3, &QPushButton::clicked, this, [this] { OpenClicked(BatchSide::Decrypt); });
    connect(cmdEnc, &QPushButton::clicked, this, [this] { BatchClicked(BatchSide::Encrypt); });
    connect(cmdDec, &QPushButton::clicked, this, [this] { BatchClicked(BatchSide::Decrypt); });
    connect(Command2, &QPushButton::clicked, this, [this] { MaskClicked(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { close(); });
}

void frmRC4::SetTabOrder() {
    // Labels, pictures and images hold no place in Qt's chain.
    QWidget* previous = nullptr;
    for (const char* name : layout::TabOrder) {
        auto* widget = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous != nullptr && widget != nullptr)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    Befehl2->setFocus();
}

// --- handlers of the window alone ---

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
    // The window closes whatever follows; Closing decides whether the process ends with it at once.
    event->accept();
    Closing();
}

// --- MainWindow ---

FileList& frmRC4::List(BatchSide side) {
    return Box(side);
}

void frmRC4::SetCountText(BatchSide side, const std::string& text) {
    QLabel* label = side == BatchSide::Encrypt ? Label5 : Label6;
    label->setText(FromStd(text));
    label->adjustSize();
}

std::string frmRC4::ShowOpenDialog(const OpenDialogRequest& request) {
    return StdDialoge::ShowOpenDialog(host_, this, FromStd(request.title), FromStd(request.initialFolder),
                                      QString(), FromStd(request.filter), FromStd(request.defaultExtension));
}

bool frmRC4::PasswordsMasked() const {
    return Text3[0]->echoMode() == QLineEdit::Password;
}

void frmRC4::SetPasswordsMasked(bool masked) {
    for (QLineEdit* box : Text3)
        box->setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void frmRC4::SetMaskCaption(const std::string& caption) {
    Command2->setText(FromStd(caption));
}

void frmRC4::FocusDummy() {
    dummy->setFocus();
}

void frmRC4::GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) {
    Box(side).SetLocked(listInUse);
    (side == BatchSide::Encrypt ? Command5 : Command6)->setEnabled(!listInUse);
    (side == BatchSide::Encrypt ? Befehl2 : Command3)->setEnabled(!listInUse);
    BatchButton(side).setEnabled(batchButtonEnabled);
}

void frmRC4::EventPass() {
    host_.eventPass();
}

void frmRC4::EndProcess() {
    host_.endProcess();
}

void frmRC4::CloseWindows() {
    if (info_ != nullptr)
        info_->close();
    QCoreApplication::quit();
}

// --- BatchWindow ---

FileListBox& frmRC4::Box(BatchSide side) const {
    return side == BatchSide::Encrypt ? *List1 : *List2;
}

QPushButton& frmRC4::BatchButton(BatchSide side) const {
    return side == BatchSide::Encrypt ? *cmdEnc : *cmdDec;
}

int frmRC4::ListCount(BatchSide side) const {
    return Box(side).count();
}

std::string frmRC4::ListItem(BatchSide side, int index) const {
    return Box(side).Item(index);
}

int frmRC4::ShownListIndex(BatchSide side) const {
    const QListWidgetItem* item = Box(side).currentItem();
    return item != nullptr && item->isSelected() ? Box(side).currentRow() : -1;
}

void frmRC4::ShowListIndex(BatchSide side, int index) {
    Box(side).setCurrentRow(index);
}

std::string frmRC4::PasswordText(int index) const {
    return ToStd(Text3.at(static_cast<std::size_t>(index))->text());
}

void frmRC4::FocusPassword(int index) {
    Text3.at(static_cast<std::size_t>(index))->setFocus();
}

void frmRC4::SetButtonCaption(BatchSide side, const std::string& caption) {
    BatchButton(side).setText(FromStd(caption));
}

std::string frmRC4::ShownStatusText() const {
    return ToStd(Label1->text());
}

void frmRC4::ShowStatusText(const std::string& text) {
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

void frmRC4::ShowWarningBox(const std::string& text) {
    host_.warningBox(this, FromStd(host::ExecutableName()), FromStd(text));
}

void frmRC4::SetWaitPointer(bool wait) {
    // The main window's own pointer, not the application's: a message box or the info window shown
    // during a batch keeps the normal arrow.
    if (wait)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

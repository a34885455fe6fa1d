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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolTip>

#include <vector>

namespace {

using widgets::Id;
using widgets::Kind;
using Row = widgets::Widget<Id>;

QString Text(const char* utf8) {
    return utf8 != nullptr ? QString::fromUtf8(utf8) : QString();
}
QString FromStd(const std::string& utf8) {
    return QString::fromStdString(utf8);
}
std::string ToStd(const QString& text) {
    return text.toStdString();
}

QFrame* MakeShape(QWidget* parent, QFrame::Shape shape) {
    auto* frame = new QFrame(parent);
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Plain);
    frame->setLineWidth(1);
    // Shapes are drawn on the window's surface: under every other widget and never hit by the mouse.
    frame->setAttribute(Qt::WA_TransparentForMouseEvents);
    return frame;
}

QLineEdit* MakePasswordBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setMaxLength(static_cast<int>(container::MaxPasswordLength));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));
    // A refused character is told where the user looks, in a tip at the box, until the box takes a
    // character or loses the focus.
    box->setValidator(new PasswordValidator(box, [box](const std::string& message) {
        QToolTip::showText(box->mapToGlobal(QPoint(0, box->height())), QString::fromStdString(message), box);
    }));
    QObject::connect(box, &QLineEdit::textEdited, box, [] { QToolTip::hideText(); });
    return box;
}

// The widget of a row's kind, with what only that kind has.
QWidget* MakeWidget(QWidget* parent, const Row& row) {
    switch (row.kind) {
    case Kind::Frame:
        return MakeShape(parent, QFrame::Box);
    case Kind::Line:
        return MakeShape(parent, QFrame::HLine);
    case Kind::Label: {
        auto* label = new QLabel(Text(row.text), parent);
        label->setAlignment(row.align == widgets::Align::Right    ? Qt::AlignRight | Qt::AlignVCenter
                            : row.align == widgets::Align::Centre ? Qt::AlignCenter
                                                                  : Qt::AlignLeft | Qt::AlignVCenter);
        return label;
    }
    case Kind::Picture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(
            look::Icon(row.icon).pixmap(QSize(row.iconPixels, row.iconPixels), parent->devicePixelRatioF()));
        // A picture lying on a button lets every click through to it, so a click on the picture is a click
        // on the button, pressed look included.
        picture->setAttribute(Qt::WA_TransparentForMouseEvents);
        return picture;
    }
    case Kind::Panel:
        return new QWidget(parent);
    case Kind::Button: {
        auto* button = new QPushButton(Text(row.text), parent);
        button->setPalette(QApplication::palette());
        if (row.windowColourFace) {
            QPalette face = button->palette();
            face.setColor(QPalette::Button, QApplication::palette().color(QPalette::Base));
            button->setPalette(face);
        }
        if (row.icon != widgets::Icon::None) {
            button->setIcon(look::Icon(row.icon));
            button->setIconSize(QSize(row.iconPixels, row.iconPixels));
        }
        return button;
    }
    case Kind::List: {
        auto* list = new FileListBox(parent);
        list->setPalette(QApplication::palette());
        return list;
    }
    case Kind::Password: {
        QLineEdit* box = MakePasswordBox(parent);
        box->setPalette(QApplication::palette());
        return box;
    }
    case Kind::Option: {
        auto* option = new QRadioButton(Text(row.text), parent);
        option->setChecked(row.checkedAtStart);
        return option;
    }
    case Kind::TextBox: {
        auto* box = new QLineEdit(Text(row.text), parent);
        box->setPalette(QApplication::palette());
        return box;
    }
    }
    return nullptr;
}

} // namespace

frmRC4::frmRC4(const std::vector<std::string>& commandLineItems, UiHost host, QWidget* parent)
    : QWidget(parent), host_(std::move(host)) {
    BuildFrame();
    // Creation order is stacking order: the frame's shapes and line at the bottom; within each part,
    // labels and images before the controls that take input.
    for (const Row& row : widgets::Main)
        widgets_[static_cast<std::size_t>(widgets::Index(row.id))] = Build(row);
    Connect();
    SetTabOrder();
    new DialogKeys(this);
    StartUp(commandLineItems);
}

void frmRC4::BuildFrame() {
    setObjectName(QStringLiteral("frmRC4"));
    setWindowTitle(Text(window_texts::MainCaption));
    setWindowIcon(look::Icon("tessarin"));
    // A resizable frame with a minimise box and no maximise box; the widgets keep their places.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(look::Px(layout::MainWidth), look::Px(layout::MainHeight));
    setFont(look::SansFont(true));
    QPalette black = palette();
    black.setColor(QPalette::Window, look::Colour(colours::Black));
    black.setColor(QPalette::WindowText, look::Colour(colours::Olive));
    setPalette(black);
    setAutoFillBackground(true);
}

QWidget* frmRC4::Build(const Row& row) {
    QWidget* parent = row.liesOn ? &At(*row.liesOn) : this;
    QWidget* widget = MakeWidget(parent, row);
    widget->setObjectName(QString::fromLatin1(row.name));
    if (row.font != widgets::Font::None)
        widget->setFont(look::FontOf(row.font));
    if (row.tip != nullptr)
        widget->setToolTip(Text(row.tip));
    const QRect designed = look::TwipsRect(widgets::PlaceInParent(row));
    if (row.kind == Kind::Line)
        // A horizontal line frame draws its line through the middle of its height.
        widget->setGeometry(designed.x(), designed.y() - 1, designed.width(), 3);
    else
        widget->setGeometry(designed);
    if (auto* label = qobject_cast<QLabel*>(widget))
        look::FitToText(*label, row.fit, designed);
    look::SetAccess(*widget, row.access, row.accessibleName, row.description);
    if (row.access == widgets::Access::Hidden)
        // Never reached by the Tab key or the mouse; FocusDummy gives it the focus.
        widget->setFocusPolicy(Qt::NoFocus);
    if (row.hiddenAtStart)
        widget->hide();
    return widget;
}

void frmRC4::Connect() {
    for (const Row& row : widgets::Main) {
        // A caption label stands before the widget it names, which is made after it.
        if (row.labels)
            Label(row.id).setBuddy(&At(*row.labels));
        if (row.kind == Kind::Button)
            connect(&Button(row.id), &QPushButton::clicked, this, [this, id = row.id] { Clicked(id); });
        if (row.kind == Kind::Password)
            Edit(row.id).installEventFilter(this);
        if (row.kind == Kind::List) {
            auto* list = &static_cast<FileListBox&>(At(row.id));
            connect(list, &FileListBox::FilesDropped, this,
                    [this, id = row.id](const std::vector<std::string>& paths) { Dropped(id, paths); });
            connect(list, &FileListBox::DoubleClicked, this, [this, id = row.id] { DoubleClicked(id); });
            connect(list, &FileListBox::DeletePressed, this, [this, id = row.id] { DeletePressed(id); });
        }
    }
}

void frmRC4::SetTabOrder() {
    // Labels, pictures and images hold no place in Qt's chain.
    QWidget* previous = nullptr;
    for (Id id : widgets::TabOrder) {
        if (previous != nullptr)
            QWidget::setTabOrder(previous, &At(id));
        previous = &At(id);
    }
    At(widgets::TabOrder[0]).setFocus();
}

QLabel& frmRC4::Label(Id id) const {
    return static_cast<QLabel&>(At(id));
}

QPushButton& frmRC4::Button(Id id) const {
    return static_cast<QPushButton&>(At(id));
}

QLineEdit& frmRC4::Edit(Id id) const {
    return static_cast<QLineEdit&>(At(id));
}

QRadioButton& frmRC4::Option(Id id) const {
    return static_cast<QRadioButton&>(At(id));
}

FileListBox& frmRC4::Box(BatchSide side) const {
    return static_cast<FileListBox&>(At(widgets::ListOf(side)));
}

// --- MainWindow ---

void frmRC4::ShowInfoWindow() {
    if (info_ == nullptr)
        info_ = new frmInfo(this);
    if (info_->isVisible()) {
        info_->raise();
        info_->activateWindow();
        return;
    }
    info_->Open();
}

void frmRC4::CloseMainWindow() {
    close();
}

bool frmRC4::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        if (IsPlainEnter(*static_cast<QKeyEvent*>(event)))
            for (Id box : widgets::PasswordBoxes)
                if (watched == &At(box)) {
                    // Taken here, not left to pass on to the window: the batch runs inside this call,
                    // and the window's Enter would afterwards press whatever button has the focus then.
                    EnterPressed(box);
                    return true;
                }
    }
    return QWidget::eventFilter(watched, event);
}

void frmRC4::closeEvent(QCloseEvent* event) {
    // The window closes whatever follows; Closing decides whether the process ends with it at once.
    event->accept();
    Closing();
}

FileList& frmRC4::List(BatchSide side) {
    return Box(side);
}

void frmRC4::SetCountText(BatchSide side, const std::string& text) {
    const Row& row = widgets::Row(widgets::CountOf(side));
    QLabel& label = Label(row.id);
    label.setText(FromStd(text));
    look::FitToText(label, row.fit, look::TwipsRect(widgets::PlaceInParent(row)));
}

std::vector<std::string> frmRC4::ShowOpenDialog(const OpenDialogRequest& request) {
    return StdDialoge::ShowOpenDialog(host_, this, FromStd(request.title), FromStd(request.initialFolder),
                                      QString(), FromStd(request.filter), request.defaultExtension);
}

bool frmRC4::PasswordsMasked() const {
    return Edit(Id::Text3_0).echoMode() == QLineEdit::Password;
}

void frmRC4::SetPasswordsMasked(bool masked) {
    for (Id box : widgets::PasswordBoxes)
        Edit(box).setEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
}

void frmRC4::ShowMaskButton(const std::string& caption, const std::string& name) {
    QPushButton& button = Button(Id::Command2);
    button.setText(FromStd(caption));
    button.setAccessibleName(FromStd(name));
}

void frmRC4::FocusDummy() {
    At(Id::dummy).setFocus();
}

void frmRC4::GuardSide(BatchSide side, bool listInUse, bool batchButtonEnabled) {
    Box(side).SetLocked(listInUse);
    At(widgets::ClearButtonOf(side)).setEnabled(!listInUse);
    At(widgets::OpenButtonOf(side)).setEnabled(!listInUse);
    At(widgets::BatchButtonOf(side)).setEnabled(batchButtonEnabled);
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

std::string frmRC4::ShownStatusText() const {
    return ToStd(Label(Id::Label1).text());
}

void frmRC4::ShowStatusText(const std::string& text) {
    Label(Id::Label1).setText(FromStd(text));
}

void frmRC4::ShowWarningBox(const std::string& text) {
    host_.warningBox(this, FromStd(host::ExecutableName()), FromStd(text));
}

// --- BatchWindow ---

std::string frmRC4::PasswordText(int index) const {
    return ToStd(Edit(widgets::PasswordBox(index)).text());
}

void frmRC4::FocusPassword(int index) {
    At(widgets::PasswordBox(index)).setFocus();
}

void frmRC4::ShowBatchButton(BatchSide side, const std::string& caption, const std::string& name) {
    QPushButton& button = Button(widgets::BatchButtonOf(side));
    button.setText(FromStd(caption));
    button.setAccessibleName(FromStd(name));
}

void frmRC4::ShowStatus() {
    At(Id::Label1).show();
}

bool frmRC4::SuffixSelected() const {
    return Option(Id::Option1_1).isChecked();
}

std::string frmRC4::SuffixText() const {
    return ToStd(Edit(Id::txtSuffix).text());
}

void frmRC4::SetWaitPointer(bool wait) {
    // The main window's own pointer, not the application's: a message box or the info window shown
    // during a batch keeps the normal arrow.
    if (wait)
        setCursor(Qt::WaitCursor);
    else
        unsetCursor();
}

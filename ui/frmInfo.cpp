#include "ui/frmInfo.h"

#include "ui/look.h"
#include "window/info_text.h"
#include "window/window_texts.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>

namespace {

QLabel* BannerLabel(QWidget* banner, const char* name, const QString& text, const QFont& font,
                    const layout::Twips& place) {
    auto* label = new QLabel(text, banner);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    label->move(look::Px(place.left), look::Px(place.top));
    label->adjustSize();
    return label;
}

} // namespace

// A fixed dialog frame: no minimise or maximise box, not resizable; as a dialog owned by the main
// window it gets no task-bar entry of its own and closes with it.
frmInfo::frmInfo(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QString::fromUtf8(window_texts::InfoCaption));
    setWindowIcon(look::Icon("question"));
    setFixedSize(look::Px(layout::InfoWidth), look::Px(layout::InfoHeight));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, QColor(64, 64, 64));
    setPalette(dark);
    setAutoFillBackground(true);

    const QColor paleYellow(253, 255, 230);

    auto* banner = new QWidget(this);
    banner->setObjectName(QStringLiteral("Picture1"));
    banner->setGeometry(look::TwipsRect(layout::InfoBanner));
    QPalette grey = banner->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    grey.setColor(QPalette::WindowText, Qt::black);
    banner->setPalette(grey);
    banner->setAutoFillBackground(true);

    Label3_ = BannerLabel(banner, "Label3", QString::fromUtf8(window_texts::InfoBanner),
                          look::VerdanaFont(24), layout::InfoTitle);
    Label4_ = BannerLabel(banner, "Label4", VersionText(), look::VerdanaFont(8.25), layout::InfoVersion);
    Label1_ = BannerLabel(banner, "Label1", QString::fromUtf8(window_texts::InfoCredit),
                          look::VerdanaFont(8.25), layout::InfoCredit);
    Label1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label2_ = new QLabel(this);
    Label2_->setObjectName(QStringLiteral("Label2"));
    Label2_->setGeometry(look::TwipsRect(layout::InfoPanel));
    QPalette panel = Label2_->palette();
    panel.setColor(QPalette::Window, paleYellow);
    Label2_->setPalette(panel);
    Label2_->setAutoFillBackground(true);

    Text1_ = new QPlainTextEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setGeometry(look::TwipsRect(layout::InfoText));
    Text1_->setFont(look::FixedFont());
    Text1_->setFrameShape(QFrame::NoFrame);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1_->setTabStopDistance(QFontMetricsF(Text1_->font()).horizontalAdvance(QLatin1Char(' ')) * 8);
    QPalette text = Text1_->palette();
    text.setColor(QPalette::Base, paleYellow);
    text.setColor(QPalette::Text, QColor(0, 0, 192));
    Text1_->setPalette(text);

    // Text1 first, then the banner's labels, which never take the focus.
    setFocusProxy(Text1_);
}

QString frmInfo::InfoText() {
    return QString::fromStdString(info_text::Text());
}

QString frmInfo::VersionText() {
    return QString::fromStdString(info_text::VersionText());
}

void frmInfo::Open() {
    // The text box shows line feeds; the CR LF text itself stays as it is in InfoText.
    QString shown = InfoText();
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    Text1_->setPlainText(shown);
    Label4_->setText(VersionText());
    Label4_->adjustSize();
    Text1_->setFocus();

    // Until the system has framed the window, its frame is only foreseen: the window is placed before
    // it is shown, so that it appears where it belongs, and again by its own frame once it is on the
    // screen.
    Centre();
    show();
    Centre();
    if (QWindow* handle = windowHandle()) {
        handle->installEventFilter(this);
        placing_ = !handle->isExposed();
    }
    raise();
    activateWindow();
}

QMargins frmInfo::Frame() const {
    if (const QWindow* own = windowHandle(); own != nullptr && !own->frameMargins().isNull())
        return own->frameMargins();
    const QWidget* owner = parentWidget();
    const QWindow* main = owner != nullptr ? owner->window()->windowHandle() : nullptr;
    return main != nullptr ? main->frameMargins() : QMargins();
}

void frmInfo::Centre() {
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QMargins frame = Frame();
    const QSize outer = size().grownBy(frame);
    // Placed by its inner corner: a position given for the frame would be taken for the inner corner
    // while the frame is still unknown.
    const QPoint inner(area.x() + (area.width() - outer.width()) / 2 + frame.left(),
                       area.y() + (area.height() - outer.height()) / 2 + frame.top());
    setGeometry(QRect(inner, size()));
}

bool frmInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == windowHandle() && event->type() == QEvent::Expose && placing_ &&
        windowHandle()->isExposed()) {
        placing_ = false;
        Centre();
    }
    return QWidget::eventFilter(watched, event);
}

void frmInfo::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

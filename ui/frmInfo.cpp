#include "ui/frmInfo.h"

#include "ui/accessibility.h"
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

#include <array>

// A fixed dialog frame: no minimise or maximise box, not resizable; as a dialog owned by the main
// window it gets no task-bar entry of its own and closes with it.
frmInfo::frmInfo(QWidget* owner)
    : QWidget(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    using widgets::InfoId;
    setObjectName(QStringLiteral("frmInfo"));
    setWindowTitle(QString::fromUtf8(window_texts::InfoCaption));
    setWindowIcon(look::Icon("question"));
    setFixedSize(look::Px(layout::InfoWidth), look::Px(layout::InfoHeight));
    QPalette dark = palette();
    dark.setColor(QPalette::Window, look::Colour(colours::InfoBackground));
    setPalette(dark);
    setAutoFillBackground(true);

    std::array<QWidget*, widgets::InfoCount> made{};
    for (const widgets::Widget<InfoId>& row : widgets::Info) {
        QWidget* parent = row.liesOn ? made[static_cast<std::size_t>(widgets::Index(*row.liesOn))] : this;
        QWidget* widget = nullptr;
        if (row.kind == widgets::Kind::Label) {
            auto* label = new QLabel(row.text != nullptr ? QString::fromUtf8(row.text) : QString(), parent);
            label->setAlignment(row.align == widgets::Align::Right ? Qt::AlignRight | Qt::AlignVCenter
                                                                   : Qt::AlignLeft | Qt::AlignVCenter);
            widget = label;
        } else if (row.kind == widgets::Kind::TextBox) {
            widget = new QPlainTextEdit(parent);
        } else {
            widget = new QWidget(parent);
            widget->setAutoFillBackground(true);
        }
        widget->setObjectName(QString::fromLatin1(row.name));
        if (row.font != widgets::Font::None)
            widget->setFont(look::FontOf(row.font));
        const QRect designed = look::TwipsRect(widgets::PlaceInParent(row));
        widget->setGeometry(designed);
        if (auto* label = qobject_cast<QLabel*>(widget))
            look::FitToText(*label, row.fit, designed);
        look::SetAccess(*widget, row.access, row.accessibleName, row.description);
        made[static_cast<std::size_t>(widgets::Index(row.id))] = widget;
    }
    const auto at = [&made](InfoId id) { return made[static_cast<std::size_t>(widgets::Index(id))]; };
    Label4_ = static_cast<QLabel*>(at(InfoId::Label4));
    Label4_->setText(VersionText());
    look::FitToText(*Label4_, widgets::Row(InfoId::Label4).fit, Label4_->geometry());

    QWidget* banner = at(InfoId::Picture1);
    QPalette grey = banner->palette();
    grey.setColor(QPalette::Window, look::Colour(colours::InfoBanner));
    grey.setColor(QPalette::WindowText, look::Colour(colours::InfoBannerText));
    banner->setPalette(grey);
    QWidget* panel = at(InfoId::Label2);
    QPalette paleYellow = panel->palette();
    paleYellow.setColor(QPalette::Window, look::Colour(colours::InfoPanel));
    panel->setPalette(paleYellow);

    Text1_ = static_cast<QPlainTextEdit*>(at(InfoId::Text1));
    Text1_->setFrameShape(QFrame::NoFrame);
    Text1_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text1_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Text1_->setTabStopDistance(QFontMetricsF(Text1_->font()).horizontalAdvance(QLatin1Char(' ')) * 8);
    QPalette text = Text1_->palette();
    text.setColor(QPalette::Base, look::Colour(colours::InfoPanel));
    text.setColor(QPalette::Text, look::Colour(colours::InfoText));
    Text1_->setPalette(text);
    // Text1 first, then the banner's labels, which never take the focus.
    setFocusProxy(Text1_);
    // Screen readers meet it as a dialog named by its title, not as a bare surface.
    accessibility::MarkDialog(*this);
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

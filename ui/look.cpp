#include "ui/look.h"

#include "ui/accessibility.h"
#include "window/window_texts.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QString>

#include <cmath>

// Resources of a static library are registered by hand: nothing references their initialiser otherwise.
static void RegisterIcons() {
    Q_INIT_RESOURCE(icons);
}

namespace look {

namespace {

constexpr qreal SmallPoints = 8.25;

// Width in pixels of the encryption list's heading in "MS Sans Serif" 8.25 pt, as the layout sizes that
// label to its text (5595 twips).
constexpr qreal HeadingWidthInOriginalFont = 5595.0 / layout::TwipsPerPixel;

QFont Font(const QStringList& families, QFont::StyleHint hint, qreal points) {
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(hint);
    font.setPointSizeF(points);
    // Set explicitly, so nothing is inherited from the bold window font.
    font.setBold(false);
    font.setItalic(false);
    font.setStretch(QFont::Unstretched);
    return font;
}

bool Installed(const QFont& font, const QString& family) {
    return QFontInfo(font).family().compare(family, Qt::CaseInsensitive) == 0;
}

} // namespace

int Px(int twips) {
    return static_cast<int>(std::lround(static_cast<double>(twips) / layout::TwipsPerPixel));
}

QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

QFont SansFont(bool bold) {
    static const QFont regular = [] {
        QFont font = Font({"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arimo", "Arial",
                           "Helvetica", "DejaVu Sans"},
                          QFont::SansSerif, SmallPoints);
        if (Installed(font, "MS Sans Serif"))
            return font;
        // Most substitutes run wider than the old bitmap font; narrow them to its widths.
        const qreal width =
            QFontMetricsF(font).horizontalAdvance(QString::fromUtf8(window_texts::EncryptListHeading));
        if (width > HeadingWidthInOriginalFont)
            font.setStretch(
                std::max(70, static_cast<int>(std::floor(100.0 * HeadingWidthInOriginalFont / width))));
        return font;
    }();
    QFont font = regular;
    font.setBold(bold);
    return font;
}

QFont FixedFont() {
    return Font({"Courier New", "Liberation Mono", "Cousine", "DejaVu Sans Mono"}, QFont::TypeWriter,
                SmallPoints);
}

QFont VerdanaFont(qreal points) {
    // DejaVu Sans descends from Bitstream Vera, which shares Verdana's wide, open shapes.
    return Font({"Verdana", "DejaVu Sans", "Bitstream Vera Sans"}, QFont::SansSerif, points);
}

QIcon Icon(const char* name) {
    static const bool registered = (RegisterIcons(), true);
    (void)registered;
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QString::fromLatin1(name)));
}

QIcon Icon(widgets::Icon icon) {
    switch (icon) {
    case widgets::Icon::FolderOpen:
        return Icon("folder_open");
    case widgets::Icon::Keys:
        return Icon("keys");
    case widgets::Icon::PadlockClosed:
        return Icon("padlock_closed");
    case widgets::Icon::PadlockOpen:
        return Icon("padlock_open");
    case widgets::Icon::QuestionMark:
        return Icon("question");
    case widgets::Icon::Exit:
        return Icon("exit");
    case widgets::Icon::None:
        break;
    }
    return QIcon();
}

QFont FontOf(widgets::Font font) {
    using widgets::Font;
    switch (font) {
    case Font::Bold:
        return SansFont(true);
    case Font::Fixed:
        return FixedFont();
    case Font::Title:
        return VerdanaFont(24);
    case Font::Small:
        return VerdanaFont(SmallPoints);
    case Font::Regular:
    case Font::None:
        break;
    }
    return SansFont(false);
}

void FitToText(QLabel& label, widgets::Fit fit, const QRect& designed) {
    if (fit == widgets::Fit::None)
        return;
    label.adjustSize();
    const int left =
        fit == widgets::Fit::KeepRight ? designed.x() + designed.width() - label.width() : designed.x();
    label.move(left, designed.y());
}

void SetAccess(QWidget& widget, widgets::Access access, const char* name, const char* description) {
    switch (access) {
    case widgets::Access::Named:
        widget.setAccessibleName(QString::fromUtf8(name));
        break;
    case widgets::Access::Decoration:
        accessibility::MarkDecoration(widget);
        break;
    case widgets::Access::Hidden:
        accessibility::Hide(widget);
        break;
    case widgets::Access::Status:
        if (auto* label = qobject_cast<QLabel*>(&widget))
            accessibility::MarkStatus(*label);
        break;
    case widgets::Access::OwnText:
        break;
    }
    if (description != nullptr)
        widget.setAccessibleDescription(QString::fromUtf8(description));
}

} // namespace look

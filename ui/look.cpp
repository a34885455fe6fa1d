#include "ui/look.h"

#include "window/window_texts.h"

#include <QFontInfo>
#include <QFontMetricsF>
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
constexpr qreal HeadingWidthInOriginalFont = 5595.0 / TwipsPerPixel;

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
    return static_cast<int>(std::lround(static_cast<double>(twips) / TwipsPerPixel));
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

} // namespace look

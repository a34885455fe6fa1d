#pragma once

// Fonts, colours, icons and the twips measure of the two windows, and what the widget table's rows
// (window/widgets.h) make of a Qt widget.

#include "window/colours.h"
#include "window/layout.h"
#include "window/widgets.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>

class QLabel;
class QWidget;

namespace look {

// Layout positions are given in twips; 15 twips are one logical pixel (96 dpi). Qt's own high-DPI
// scaling maps logical pixels to the screen.
int Px(int twips);
QRect TwipsRect(int left, int top, int width, int height);
inline QRect TwipsRect(const layout::Twips& place) {
    return TwipsRect(place.left, place.top, place.width, place.height);
}

inline QColor Colour(const colours::Rgb& rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// "MS Sans Serif" 8.25 pt where installed; otherwise a sans-serif narrowed to the same text widths, so
// the labels keep the lengths the layout was made for.
QFont SansFont(bool bold);
// "Courier New" 8.25 pt, or a fixed-pitch font of about the same size.
QFont FixedFont();
// "Verdana" at the given size, or a sans-serif of similar shape.
QFont VerdanaFont(qreal points);

// The embedded artwork, by file name without extension: "tessarin" (padlock with key, the program's
// icon), "padlock_closed", "padlock_open", "keys", "folder_open", "question", "exit".
QIcon Icon(const char* name);
QIcon Icon(widgets::Icon icon);

// A row's font.
QFont FontOf(widgets::Font font);

// Sizes a label to its text by a fit rule, within its designed place (in its parent's pixels): keeping
// the place's left and top edges, or its right and top edges. Fit::None leaves it as it is.
void FitToText(QLabel& label, widgets::Fit fit, const QRect& designed);

// What assistive technology makes of the widget: its name, its description, or that it is decoration
// (no name of its own) or not offered at all (ui/accessibility.h).
void SetAccess(QWidget& widget, widgets::Access access, const char* name, const char* description);

} // namespace look

#pragma once

// Fonts, colours, icons and the twips measure shared by the two windows.

#include "window/layout.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QRect>

namespace look {

// Layout positions are given in twips; 15 twips are one logical pixel (96 dpi). Qt's own high-DPI
// scaling maps logical pixels to the screen.
constexpr int TwipsPerPixel = layout::TwipsPerPixel;
int Px(int twips);
QRect TwipsRect(int left, int top, int width, int height);
inline QRect TwipsRect(const layout::Twips& place) {
    return TwipsRect(place.left, place.top, place.width, place.height);
}

inline QColor Olive() {
    return QColor(128, 128, 0);
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

} // namespace look

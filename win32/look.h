#pragma once

// Fonts, colours, icons and the twips measure of the native window, at a given screen resolution.

#include "window/colours.h"
#include "window/layout.h"
#include "window/widgets.h"

#include <windows.h>

#include <initializer_list>

namespace look {

// The resolution the layout's pixels are counted in: 15 twips a pixel.
inline constexpr UINT BaseDpi = 96;

// Twips to pixels at dpi, rounded to the nearest pixel.
int Px(int twips, UINT dpi);
// The place in pixels at dpi: left, top, width and height each converted on their own, so every
// widget keeps its own size whatever its position.
RECT TwipsRect(const layout::Twips& place, UINT dpi);

constexpr COLORREF Colour(const colours::Rgb& rgb) {
    return RGB(rgb.red, rgb.green, rgb.blue);
}

// The window's three fonts at one resolution, released with the object:
//   - Bold and Regular: "MS Sans Serif" 8.25 pt; where that face is missing, or only as a bitmap font
//     that cannot be scaled to a higher resolution, "Microsoft Sans Serif" or "Tahoma", which share its
//     shapes and widths;
//   - Fixed: "Courier New" 8.25 pt, or a fixed-pitch face of the same metrics.
class Fonts {
public:
    explicit Fonts(UINT dpi);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    HFONT Bold() const { return bold_; }
    HFONT Regular() const { return regular_; }
    HFONT Fixed() const { return fixed_; }
    // A row's font of the main window; nullptr for none.
    HFONT Of(widgets::Font font) const;

private:
    HFONT bold_;
    HFONT regular_;
    HFONT fixed_;
};

// A font of the first of the faces the system really has (not a substitute it picks), that it can
// draw at dpi; where it has none of them, whatever it finds for the pitch and family. The caller deletes
// it.
HFONT FirstInstalled(std::initializer_list<const wchar_t*> faces, double points, int weight,
                     DWORD pitchAndFamily, UINT dpi);
// "Courier New" 8.25 pt, or a fixed-pitch face of the same metrics: the lists' and the info text's.
HFONT FixedFont(UINT dpi);

// An icon of the program's own resources (win32/resource_ids.h) at size x size pixels: the picture of
// that size in the icon file (they hold the sizes from 96 to 192 dpi), else the nearest one scaled. The
// caller destroys it.
HICON LoadIconAt(int id, int size);
// The resource number of a row's icon; 0 for none.
int IconResource(widgets::Icon icon);

} // namespace look

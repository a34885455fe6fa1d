#pragma once

// The colours of the two windows, for every front end, as red, green and blue from 0 to 255.

namespace colours {

struct Rgb {
    int red;
    int green;
    int blue;
};

// The main window: olive labels and option buttons, frames and line on black.
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb Olive{128, 128, 0};

// The info window: a grey banner with black labels on a dark grey window, the text dark blue on a
// pale-yellow panel.
inline constexpr Rgb InfoBackground{64, 64, 64};
inline constexpr Rgb InfoBanner{128, 128, 128};
inline constexpr Rgb InfoBannerText = Black;
inline constexpr Rgb InfoPanel{253, 255, 230};
inline constexpr Rgb InfoText{0, 0, 192};

} // namespace colours

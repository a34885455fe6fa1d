#pragma once

// Where every widget of the two windows stands, for every front end. Positions are twips (1/1440 inch)
// within the window's client area, origin top left; 15 twips are one pixel at 96 dpi, and a front end
// scales those pixels to the screen's resolution.

namespace layout {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// A place given in the window's twips, relative to the widget it lies on (a padlock on its button).
constexpr Twips RelativeTo(const Twips& place, const Twips& parent) {
    return {place.left - parent.left, place.top - parent.top, place.width, place.height};
}

inline constexpr int TwipsPerPixel = 15;

// The main window.
inline constexpr int MainWidth = 7620;
inline constexpr int MainHeight = 8730;

inline constexpr Twips Shape1{120, 60, 7335, 3855};
inline constexpr Twips Label2{300, 180, 5595, 195};
inline constexpr Twips Befehl2{6840, 120, 435, 315};
inline constexpr Twips List1{240, 480, 7035, 2160};
inline constexpr Twips Label5{6420, 2700, 480, 195};
inline constexpr Twips Command5{7020, 2700, 255, 255};
inline constexpr Twips Label4_0{720, 3000, 690, 195};
inline constexpr Twips Text3_0{1560, 3000, 1835, 225};
inline constexpr Twips Label4_1{420, 3300, 1035, 195};
inline constexpr Twips Text3_1{1560, 3300, 1835, 225};
inline constexpr Twips Image1_0{3540, 3000, 480, 480};
inline constexpr Twips cmdEnc{4260, 3000, 2475, 675};
inline constexpr Twips Picture1{4380, 3075, 480, 480};

inline constexpr Twips Shape2{120, 4080, 7335, 3975};
inline constexpr Twips Label3{300, 4200, 5565, 195};
inline constexpr Twips Command3{6840, 4140, 435, 315};
inline constexpr Twips List2{300, 4500, 6975, 2160};
inline constexpr Twips Label6{6375, 6720, 480, 195};
inline constexpr Twips Command6{6960, 6720, 255, 255};
inline constexpr Twips Label4_2{660, 7080, 690, 195};
inline constexpr Twips Text3_2{1500, 7080, 1835, 225};
inline constexpr Twips Command2{3000, 7380, 315, 255};
inline constexpr Twips Image1_1{3540, 7020, 480, 480};
inline constexpr Twips cmdDec{4200, 7020, 2475, 675};
inline constexpr Twips Picture2{4380, 7110, 480, 480};
inline constexpr Twips Option1_0{300, 7740, 1275, 195};
inline constexpr Twips Option1_1{1680, 7740, 1035, 195};
inline constexpr Twips txtSuffix{2820, 7680, 495, 285};

inline constexpr Twips Command4{6360, 8100, 435, 315};
inline constexpr Twips Command1{6900, 8100, 555, 315};
inline constexpr Twips dummy{60, 8220, 915, 195};
// dummy's left edge after start-up: wholly outside the client area, yet able to take the focus.
inline constexpr int DummyHiddenLeft = -3000;
// Line1 runs from (LineLeft, LineY) to (LineRight, LineY).
inline constexpr int LineLeft = -60;
inline constexpr int LineRight = 7680;
inline constexpr int LineY = 8460;
inline constexpr Twips Label1{60, 8520, 7695, 255};

// The info window; its banner's labels stand within the banner.
inline constexpr int InfoWidth = 8550;
inline constexpr int InfoHeight = 7680;
inline constexpr Twips InfoBanner{0, 0, 8550, 915};
inline constexpr Twips InfoTitle{300, 120, 3855, 570};
inline constexpr Twips InfoVersion{360, 660, 555, 195};
inline constexpr Twips InfoCredit{5160, 660, 3060, 195};
inline constexpr Twips InfoPanel{180, 1020, 8235, 6555};
inline constexpr Twips InfoText{360, 1140, 7935, 6195};

} // namespace layout

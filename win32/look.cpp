#include "win32/look.h"

#include "win32/resource_ids.h"

#include <cmath>
#include <cwchar>

namespace look {

namespace {

constexpr double SmallPoints = 8.25;
constexpr int TwipsPerInch = 1440;

// Character height of a font of the given points at dpi, as CreateFont takes it (negative: the em height
// without the internal leading).
int FontHeight(double points, UINT dpi) {
    return -static_cast<int>(std::lround(points * dpi / 72.0));
}

HFONT Create(const wchar_t* face, int height, int weight, DWORD pitchAndFamily) {
    return ::CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitchAndFamily, face);
}

// Whether the system gave the font its own face (and not a substitute), and can draw it at dpi: a bitmap
// font is only trusted at the resolution it was made for.
bool Genuine(HFONT font, const wchar_t* face, UINT dpi) {
    HDC dc = ::GetDC(nullptr);
    const HGDIOBJ old = ::SelectObject(dc, font);
    wchar_t chosen[LF_FACESIZE] = {};
    ::GetTextFaceW(dc, LF_FACESIZE, chosen);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    const bool scalable = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
    return _wcsicmp(chosen, face) == 0 && (scalable || dpi == BaseDpi);
}

} // namespace

HFONT FirstInstalled(std::initializer_list<const wchar_t*> faces, double points, int weight,
                     DWORD pitchAndFamily, UINT dpi) {
    const int height = FontHeight(points, dpi);
    for (const wchar_t* face : faces) {
        HFONT font = Create(face, height, weight, pitchAndFamily);
        if (font != nullptr && Genuine(font, face, dpi))
            return font;
        if (font != nullptr)
            ::DeleteObject(font);
    }
    return Create(L"", height, weight, pitchAndFamily);
}

HFONT FixedFont(UINT dpi) {
    return FirstInstalled({L"Courier New", L"Liberation Mono", L"Cousine", L"DejaVu Sans Mono"}, SmallPoints,
                          FW_NORMAL, FIXED_PITCH | FF_MODERN, dpi);
}

int Px(int twips, UINT dpi) {
    return ::MulDiv(twips, static_cast<int>(dpi), TwipsPerInch);
}

RECT TwipsRect(const layout::Twips& place, UINT dpi) {
    const int left = Px(place.left, dpi);
    const int top = Px(place.top, dpi);
    return RECT{left, top, left + Px(place.width, dpi), top + Px(place.height, dpi)};
}

Fonts::Fonts(UINT dpi)
    : bold_(FirstInstalled({L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma"}, SmallPoints, FW_BOLD,
                           VARIABLE_PITCH | FF_SWISS, dpi)),
      regular_(FirstInstalled({L"MS Sans Serif", L"Microsoft Sans Serif", L"Tahoma"}, SmallPoints, FW_NORMAL,
                              VARIABLE_PITCH | FF_SWISS, dpi)),
      fixed_(FixedFont(dpi)) {}

Fonts::~Fonts() {
    ::DeleteObject(bold_);
    ::DeleteObject(regular_);
    ::DeleteObject(fixed_);
}

HICON LoadIconAt(int id, int size) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                           size, size, LR_DEFAULTCOLOR));
}

HFONT Fonts::Of(widgets::Font font) const {
    switch (font) {
    case widgets::Font::Regular:
        return regular_;
    case widgets::Font::Bold:
        return bold_;
    case widgets::Font::Fixed:
        return fixed_;
    case widgets::Font::Title:
    case widgets::Font::Small:
    case widgets::Font::None:
        break;
    }
    return nullptr;
}

int IconResource(widgets::Icon icon) {
    switch (icon) {
    case widgets::Icon::FolderOpen:
        return IDI_FOLDER_OPEN;
    case widgets::Icon::Keys:
        return IDI_KEYS;
    case widgets::Icon::PadlockClosed:
        return IDI_PADLOCK_CLOSED;
    case widgets::Icon::PadlockOpen:
        return IDI_PADLOCK_OPEN;
    case widgets::Icon::QuestionMark:
        return IDI_QUESTION_MARK;
    case widgets::Icon::Exit:
        return IDI_EXIT;
    case widgets::Icon::None:
        break;
    }
    return 0;
}

} // namespace look

#pragma once

// Small helpers for the native window's child controls: creation, texts as UTF-8, sizes.

#include "window/widgets.h"

#include <windows.h>

#include <string>

namespace controls {

// A child control of the given system class, visible unless style says otherwise.
HWND Create(HWND parent, const wchar_t* systemClass, const std::string& text, DWORD style, DWORD exStyle,
            int id);

std::string Text(HWND control);
void SetText(HWND control, const std::string& text);

// Sizes a label to its text in its font by a fit rule, within its designed place (in its parent's
// client coordinates): keeping the place's left and top edges, or its right and top edges. Fit::None
// leaves it as it is.
void FitToText(HWND label, widgets::Fit fit, const RECT& designed);

// Moves and sizes a control to a rectangle in its parent's client coordinates.
void Place(HWND control, const RECT& rect);

// Lets a button carry pictures (static controls) as its children: they are drawn over the button's own
// face, which shows through where they are transparent, and drawn again whenever the button changes
// its look (pressed, enabled, caption). Pictures without SS_NOTIFY are transparent to the mouse, so a
// click on them is a click on the button.
void CarryPictures(HWND button);

} // namespace controls

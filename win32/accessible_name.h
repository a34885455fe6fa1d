#pragma once

// What assistive technology (screen readers, through Microsoft Active Accessibility) calls a control when
// its window text does not say it: a button showing "C" or an icon, a list, an edit box; and what it is
// when its class does not say it: the status line, the info window. The window answers WM_GETOBJECT
// with the system's own accessible object for it, whose name, description and role are the ones given
// here; everything else is the system's.

#include <windows.h>

#include <string>

namespace accessible_name {

// name or description empty: the system's own (the window text, or none). Called again for a control,
// the new texts take the place of the old ones, and assistive technology hears that the name changed.
void Set(HWND control, const std::string& name, const std::string& description);

// The role assistive technology is told for the window (ROLE_SYSTEM_STATUSBAR, ROLE_SYSTEM_DIALOG):
// the system's own object in all else, its name the system's (the window text) unless Set gave one.
void SetRole(HWND window, long role);

// The window's text changed: assistive technology hears that its name changed. The system tells of a
// changed window text for the window's frame; this tells it for the object the role belongs to.
void NameChanged(HWND window);

} // namespace accessible_name

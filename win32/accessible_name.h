#pragma once

// What assistive technology (screen readers, through Microsoft Active Accessibility) calls a control when
// its window text does not say it: a button showing "C" or an icon, a list, an edit box. The control
// answers WM_GETOBJECT with the system's own accessible object for it, whose name (and description)
// are the ones given here; everything else is the system's.

#include <windows.h>

#include <string>

namespace accessible_name {

// name or description empty: the system's own (the window text, or none). Called again for a control,
// the new texts take the place of the old ones, and assistive technology hears that the name changed.
void Set(HWND control, const std::string& name, const std::string& description);

} // namespace accessible_name

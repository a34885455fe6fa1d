#pragma once

#include <windows.h>

// The info window: how the program names its files, how the container keeps the password's hash and the
// checksum, and the program's version. Not modal; one at a time.
namespace frmInfo {

// Opens the window afresh, centred on the screen with its texts set anew; an open window is brought to
// the front instead, as it stands.
void Show(HWND owner);
// The open info window, or nullptr.
HWND Window();

} // namespace frmInfo

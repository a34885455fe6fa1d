#pragma once

#include <windows.h>

// Makes an edit control a password box: masked with '*', at most the password's length in characters,
// and taking only characters the program's 8-bit code page can hold. Passwords become one byte per
// character; a character outside the code page would turn into '?', so two different passwords could
// give the same key. A keystroke, paste or undo that would bring such a character in is refused as a
// whole, the box keeps its text, and a warning balloon at the box says which characters it refused and
// why (window/password_input.h), as the system's edit box tells of a refused key. The next key, the
// focus leaving the box or a few seconds take the balloon away.
void MakePasswordBox(HWND edit);

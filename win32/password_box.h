#pragma once

#include <windows.h>

// Makes an edit control a password box: masked with '*', at most the password's length in characters,
// and taking only characters the program's 8-bit code page can hold. Passwords become one byte per
// character; a character outside the code page would turn into '?', so two different passwords could
// give the same key. A keystroke, paste or undo that would bring such a character in is refused as a
// whole, and the box keeps its text.
void MakePasswordBox(HWND edit);

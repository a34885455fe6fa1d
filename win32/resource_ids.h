#pragma once

// Numbers of the resources built into tessarin.exe (tessarin.rc); the resource compiler reads this file
// too, so it holds nothing but numbers and the system header that has to come before them.

// The system names one of its own icons IDI_QUESTION; in this program the name is ours. Including the
// system's header first keeps a later include from defining it back.
#include <windows.h>
#undef IDI_QUESTION

// Icons, each made from the SVG artwork of the same name in several sizes.
#define IDI_TESSARIN 1
#define IDI_PADLOCK_CLOSED 2
#define IDI_PADLOCK_OPEN 3
#define IDI_KEYS 4
#define IDI_FOLDER_OPEN 5
#define IDI_QUESTION 6
#define IDI_EXIT 7

#pragma once

// Numbers of the resources built into tessarin.exe (tessarin.rc); the resource compiler reads this file
// too, so it holds nothing but numbers.

// Icons, each made from the SVG artwork of the same name in several sizes. The question mark's name
// differs from its file's: the system's headers name one of their own icons IDI_QUESTION.
#define IDI_TESSARIN 1
#define IDI_PADLOCK_CLOSED 2
#define IDI_PADLOCK_OPEN 3
#define IDI_KEYS 4
#define IDI_FOLDER_OPEN 5
#define IDI_QUESTION_MARK 6
#define IDI_EXIT 7

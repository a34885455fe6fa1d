#pragma once

#include <windows.h>

// The thread's message loop. dialogWindow gets the keyboard's dialog keys (Tab and Shift+Tab through
// the focus order, arrows within a group of option buttons, Space on buttons) as a dialog box would.
namespace message_loop {

// Hands one message to dialogWindow's dialog keys, or translates and dispatches it.
void Dispatch(HWND dialogWindow, MSG& message);

// Handles every pending message, then returns; false when the loop was told to quit, whose message
// stays queued for the main loop.
bool PassPending(HWND dialogWindow);

// Runs until the thread is told to quit; returns the exit code it was given.
int Run(HWND dialogWindow);

} // namespace message_loop

#pragma once

// What assistive technology (screen readers, through QAccessible) is told beyond what Qt's widgets tell
// of themselves: that a widget is decoration, that it is not offered at all, that a window is a dialog,
// or that a label is the status line.

class QLabel;
class QWidget;

namespace accessibility {

// A picture, frame or line with no meaning of its own: no name, no description, a role that says what it
// shows (a graphic, a separating line, a border), never focusable.
void MarkDecoration(QWidget& widget);

// Not offered: the widget is left out of its parent's children and reports itself invisible, so a screen
// reader neither lists it nor reads it out when it takes the focus. It stays able to take the focus
// from the program.
void Hide(QWidget& widget);

// A window offered as a dialog, named by its title.
void MarkDialog(QWidget& window);

// A label offered as a status bar, named by its text. A label without a name of its own tells screen
// readers of every change of its text (QAccessible::NameChanged), so they can say the new status.
void MarkStatus(QLabel& label);

} // namespace accessibility

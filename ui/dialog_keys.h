#pragma once

#include <QFocusFrame>
#include <QObject>
#include <QPointer>

class QKeyEvent;
class QWidget;

// The keys of a window as the system's dialogs have them, and a mark on the control they act on:
//   - Enter (either key) presses the push button that has the focus, as Space does; elsewhere it does
//     nothing;
//   - Tab enters a group of option buttons at its chosen one, and the arrow keys move the choice within
//     the group;
//   - the control that has the focus is framed, in the window's text colour on the window's background
//     around it, whatever the style draws for the focus itself (often a faint tint, or nothing on an
//     empty list).
// Made once the window's controls exist, as the window's child.
// Whether the key is Enter (either key) pressed alone: the key that presses a button.
bool IsPlainEnter(const QKeyEvent& key);

class DialogKeys : public QObject {
    Q_OBJECT

public:
    explicit DialogKeys(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FocusMoved(QWidget* now);

    QWidget* window_;
    // A child of the window, stacked beneath the control it frames, so the window may delete it before
    // the control whose loss of the focus it would hear of.
    QPointer<QFocusFrame> marker_;
};

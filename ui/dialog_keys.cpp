#include "ui/dialog_keys.h"

#include "ui/accessibility.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

namespace {

// Of the option buttons that exclude each other beside this one, the chosen one is the group's only Tab
// stop; a group with none chosen keeps them all.
void ChosenTakesTab(const QRadioButton* option) {
    const QWidget* parent = option->parentWidget();
    if (parent == nullptr)
        return;
    QList<QRadioButton*> group;
    bool chosen = false;
    for (QRadioButton* member : parent->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (member->autoExclusive()) {
            group << member;
            chosen = chosen || member->isChecked();
        }
    if (!chosen)
        return;
    for (QRadioButton* member : group) {
        const Qt::FocusPolicy policy = member->focusPolicy();
        member->setFocusPolicy(member->isChecked() ? Qt::FocusPolicy(policy | Qt::TabFocus)
                                                   : Qt::FocusPolicy(policy & ~Qt::TabFocus));
    }
}

} // namespace

DialogKeys::DialogKeys(QWidget* window) : QObject(window), window_(window), marker_(new QFocusFrame(window)) {
    // Enter reaches the window when the focused control leaves it alone, as a button does.
    window->installEventFilter(this);
    for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
        ChosenTakesTab(option);
        connect(option, &QRadioButton::toggled, this, [option] { ChosenTakesTab(option); });
    }
    // The frame takes the window's text colour; it lies on the window's background, around the control.
    marker_->setObjectName(QStringLiteral("FocusMarker"));
    // A mark of the focus, which screen readers report themselves: not offered to them.
    accessibility::Hide(*marker_);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { FocusMoved(now); });
    FocusMoved(QApplication::focusWidget());
}

void DialogKeys::FocusMoved(QWidget* now) {
    if (marker_ != nullptr)
        marker_->setWidget(now != nullptr && window_->isAncestorOf(now) ? now : nullptr);
}

bool IsPlainEnter(const QKeyEvent& key) {
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return enter && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool DialogKeys::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_ && event->type() == QEvent::KeyPress) {
        auto* button = qobject_cast<QPushButton*>(window_->focusWidget());
        if (IsPlainEnter(*static_cast<QKeyEvent*>(event)) && button != nullptr) {
            button->click();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>
#include <QWidget>

namespace accessibility {
namespace {

constexpr char HiddenProperty[] = "tessarinHidden";

bool Marked(const QObject* object, const char* property) {
    return object != nullptr && object->property(property).toBool();
}

class Decoration : public QAccessibleWidget {
public:
    explicit Decoration(QWidget* widget) : QAccessibleWidget(widget, RoleOf(widget)) {}

    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.focusable = false;
        return state;
    }

private:
    static QAccessible::Role RoleOf(const QWidget* widget) {
        if (const auto* frame = qobject_cast<const QFrame*>(widget);
            frame != nullptr && qobject_cast<const QLabel*>(widget) == nullptr)
            return frame->frameShape() == QFrame::HLine || frame->frameShape() == QFrame::VLine
                       ? QAccessible::Separator
                       : QAccessible::Border;
        return QAccessible::Graphic;
    }
};

class Unoffered : public QAccessibleWidget {
public:
    explicit Unoffered(QWidget* widget) : QAccessibleWidget(widget, QAccessible::NoRole) {}

    QString text(QAccessible::Text) const override { return QString(); }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.invisible = true;
        return state;
    }
};

// A widget with hidden children: they are left out of the children it reports.
class WithoutHidden : public QAccessibleWidget {
public:
    explicit WithoutHidden(QWidget* widget)
        : QAccessibleWidget(widget, widget->isWindow() ? QAccessible::Window : QAccessible::Client) {}

    int childCount() const override { return static_cast<int>(Offered().size()); }
    QAccessibleInterface* child(int index) const override {
        const QList<QWidget*> offered = Offered();
        return index >= 0 && index < offered.size() ? QAccessible::queryAccessibleInterface(offered[index])
                                                    : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr ? static_cast<int>(Offered().indexOf(qobject_cast<QWidget*>(child->object())))
                                : -1;
    }

private:
    // The child widgets the base class would report, in the same order, less the hidden ones.
    QList<QWidget*> Offered() const {
        QList<QWidget*> offered;
        for (int i = 0; i < QAccessibleWidget::childCount(); ++i)
            if (QAccessibleInterface* node = QAccessibleWidget::child(i))
                if (auto* widget = qobject_cast<QWidget*>(node->object()); !Marked(widget, HiddenProperty))
                    offered << widget;
        return offered;
    }
};

// A window that says it is a dialog; its name is its title, as for every window.
class Dialog : public QAccessibleWidget {
public:
    explicit Dialog(QWidget* window) : QAccessibleWidget(window, QAccessible::Dialog) {}
};

// A label that says it is a status bar, named by its text.
class StatusLine : public QAccessibleWidget {
public:
    explicit StatusLine(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Name)
            return static_cast<const QLabel*>(widget())->text();
        return QAccessibleWidget::text(kind);
    }
};

// Puts the interface in the place of the one Qt made or would make for its widget. Qt's own factory
// answers for its widget classes before any other, so the interface is registered for the widget
// instead of made by a factory.
void Replace(QAccessibleInterface* replacement) {
    if (QAccessibleInterface* existing = QAccessible::queryAccessibleInterface(replacement->object()))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(existing));
    QAccessible::registerAccessibleInterface(replacement);
}

} // namespace

void MarkDialog(QWidget& window) {
    Replace(new Dialog(&window));
}

void MarkStatus(QLabel& label) {
    Replace(new StatusLine(&label));
}

void MarkDecoration(QWidget& widget) {
    widget.setFocusPolicy(Qt::NoFocus);
    Replace(new Decoration(&widget));
}

void Hide(QWidget& widget) {
    widget.setProperty(HiddenProperty, true);
    Replace(new Unoffered(&widget));
    QWidget* parent = widget.parentWidget();
    if (parent != nullptr &&
        dynamic_cast<WithoutHidden*>(QAccessible::queryAccessibleInterface(parent)) == nullptr)
        Replace(new WithoutHidden(parent));
}

} // namespace accessibility

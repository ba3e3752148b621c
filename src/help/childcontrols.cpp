#include "help/childcontrols.h"

#include <QList>
#include <QPointer>
#include <QWidget>

namespace {

bool isPanelOrToolbar(const QWidget &widget)
{
    // Exactly these classes: a control built on a panel keeps its own children.
    const char *className = widget.metaObject()->className();
    return qstrcmp(className, "QWidget") == 0 || qstrcmp(className, "QFrame") == 0 ||
           qstrcmp(className, "QToolBar") == 0;
}

void setChildControlsEnabled(QWidget *container, bool enabled)
{
    if (!container)
        return;
    // A handler reacting to the change may add or remove children.
    QList<QPointer<QWidget>> widgets;
    for (QObject *child : container->children())
        if (auto *widget = qobject_cast<QWidget *>(child))
            widgets << widget;
    for (const QPointer<QWidget> &widget : widgets) {
        if (!widget)
            continue;
        try {
            if (isPanelOrToolbar(*widget))
                setChildControlsEnabled(widget, enabled);
            widget->setEnabled(enabled);
        } catch (...) {
            // One control that fails must not leave the rest in the old state.
        }
    }
}

} // namespace

void DisableChildControls(QWidget *container)
{
    setChildControlsEnabled(container, false);
}

void EnableChildControls(QWidget *container)
{
    setChildControlsEnabled(container, true);
}

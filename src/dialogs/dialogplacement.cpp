#include "dialogs/dialogplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void centreOverMainWindow(QWidget &dialog)
{
    QRect over;
    if (const QWidget *parent = dialog.parentWidget(); parent && parent->window()->isVisible())
        over = parent->window()->frameGeometry();
    else if (const QScreen *screen = QGuiApplication::primaryScreen())
        over = screen->availableGeometry();
    if (!over.isValid())
        return;
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(over.center());
    dialog.move(frame.topLeft());
}

#include "platform/gui/busy_cursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace platform {

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

NormalCursor::NormalCursor() : m_covered(QGuiApplication::overrideCursor() != nullptr)
{
    if (m_covered)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

NormalCursor::~NormalCursor()
{
    if (m_covered)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform

// Dragging the editor frame's toolbar panels by their grips.
#include "editor/fraREEszkTar.h"

#include <QMouseEvent>
#include <QToolBar>

QWidget *TfraREEszkTar::panelOfGrip(QWidget &grip) const
{
    if (grip.objectName() == u"imgSzokasEleje" && m_tobSzokas->isAncestorOf(&grip))
        return m_pnlSzokas;
    if (grip.objectName() == u"imgFormazEleje" && m_tobFormaz->isAncestorOf(&grip))
        return m_pnlFormaz;
    return nullptr;
}

bool TfraREEszkTar::grabbed(QObject *watched, QEvent *event)
{
    auto *grip = qobject_cast<QWidget *>(watched);
    if (!grip || !panelOfGrip(*grip))
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        imgFormazElejeMouseDown(*grip, mouse->button(), mouse->position().toPoint());
        return true;
    }
    case QEvent::MouseMove:
        imgFormazElejeMouseMove(*grip, static_cast<QMouseEvent *>(event)->position().toPoint());
        return true;
    case QEvent::MouseButtonRelease:
        imgFormazElejeMouseUp(static_cast<QMouseEvent *>(event)->button());
        return true;
    default:
        return false;
    }
}

void TfraREEszkTar::imgFormazElejeMouseDown(QWidget &grip, Qt::MouseButton button, QPoint point)
{
    // A grip on a disabled toolbar (the read-only help page) stays put.
    if (m_drag.press(button, grip.isEnabled() && panelOfGrip(grip)->isEnabled(), point))
        m_toolBarSizesItself = false; // the bar may grow while the panel moves
}

void TfraREEszkTar::imgFormazElejeMouseMove(QWidget &grip, QPoint point)
{
    QWidget *panel = panelOfGrip(grip);
    if (!panel || !m_drag.dragging())
        return;
    const PanelDrag::Placement place =
        m_drag.move(point, panel->geometry(), m_pnlToolBar->width(), m_pnlToolBar->height());
    panel->move(place.topLeft);
    if (place.barHeight > m_pnlToolBar->height())
        m_pnlToolBar->setFixedHeight(place.barHeight);
}

void TfraREEszkTar::imgFormazElejeMouseUp(Qt::MouseButton button)
{
    if (!m_drag.release(button))
        return;
    // The bar shrinks to the lowest panel; the frame and the editor follow.
    m_toolBarSizesItself = true;
    fitPanels();
}

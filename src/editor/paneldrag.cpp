#include "editor/paneldrag.h"

#include <algorithm>
#include <cstdlib>

bool PanelDrag::press(Qt::MouseButton button, bool gripEnabled, QPoint point)
{
    if (button != Qt::LeftButton || !gripEnabled)
        return false;
    m_dragging = true;
    m_grab = point;
    return true;
}

PanelDrag::Placement PanelDrag::move(QPoint point, QRect panel, int barWidth, int barHeight)
{
    if (!m_dragging)
        return {panel.topLeft(), barHeight};

    int left = panel.left() + point.x() - m_grab.x();
    const int rightmost = barWidth - kRightMargin;
    // At a limit the grab point becomes where the mouse now is on the grip,
    // counted after the grip has moved with the panel.
    if (left < 0 || left > rightmost) {
        left = left < 0 ? 0 : rightmost;
        m_grab.setX(point.x() + panel.left() - left);
    }

    const int height = panel.height();
    int top = panel.top();
    const int dy = point.y() - m_grab.y();
    if (std::abs(dy) > height / 2) {
        top += dy > 0 ? height : -height;
        if (top < 0 || top > kLowestRow * height) {
            top = top < 0 ? 0 : kLowestRow * height;
            m_grab.setY(point.y() + panel.top() - top);
        }
    }
    return {QPoint(left, top), std::max(barHeight, top + height)};
}

bool PanelDrag::release(Qt::MouseButton button)
{
    if (button != Qt::LeftButton || !m_dragging)
        return false;
    m_dragging = false;
    return true;
}

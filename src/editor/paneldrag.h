#pragma once

#include <QPoint>
#include <QRect>

// Dragging a toolbar panel by its grip, as plain geometry: sideways the
// panel follows the mouse and stops with its left edge between 0 and 15
// pixels short of the bar's right end; up and down it moves by whole panel
// heights once the mouse has gone more than half a height, between row 0
// and 3 x its height. At a limit the grab point moves to the mouse, so the
// panel follows again as soon as the mouse turns back; since points are in
// the grip's own coordinates, which move with the panel, the new grab point
// is counted where the grip stands after the move. One drag at a time.
class PanelDrag final {
public:
    static constexpr int kRightMargin = 15;
    static constexpr int kLowestRow = 3;

    // Starts a drag when the left button goes down on an enabled grip.
    bool press(Qt::MouseButton button, bool gripEnabled, QPoint point);

    struct Placement {
        QPoint topLeft;
        int barHeight; // the bar only grows during a drag
    };
    // The panel's new place for the mouse at point; the panel as it stands
    // when not dragging.
    Placement move(QPoint point, QRect panel, int barWidth, int barHeight);

    // Ends the drag on a left release; true when one ended.
    bool release(Qt::MouseButton button);

    bool dragging() const { return m_dragging; }
    QPoint grabPoint() const { return m_grab; }

private:
    bool m_dragging = false;
    QPoint m_grab;
};

#pragma once

#include <QImage>
#include <QWidget>

class QMouseEvent;

namespace translator {

// An image control: shows its picture stretched over the whole control,
// without a background of its own (a transparent picture lets the parent
// show through), and reports the mouse.
class TImage final : public QWidget {
    Q_OBJECT
public:
    explicit TImage(QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    // The picture itself, to draw on; call update() after drawing.
    QImage &picture() { return m_picture; }
    const QImage &picture() const { return m_picture; }

Q_SIGNALS:
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    // The left button was pressed and released on the control.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_leftPressed = false;
};

} // namespace translator

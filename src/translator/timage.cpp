#include "translator/timage.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace translator {

TImage::TImage(QWidget *parent) : QWidget(parent) {}

void TImage::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

void TImage::paintEvent(QPaintEvent *event)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_picture.size() == size()) {
        // The usual case: only the exposed part is copied.
        painter.drawImage(event->rect(), m_picture, event->rect());
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_picture);
    }
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    Q_EMIT mousePressed(event);
}

void TImage::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event);
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click =
        event->button() == Qt::LeftButton && m_leftPressed && rect().contains(event->pos());
    if (event->button() == Qt::LeftButton)
        m_leftPressed = false;
    Q_EMIT mouseReleased(event);
    if (click)
        Q_EMIT clicked();
}

} // namespace translator

#include "translator/popupicons.h"

#include <QPainter>
#include <QPen>
#include <QPolygon>

namespace translator {
namespace {

QImage blank()
{
    QImage image(kIconWidth, kIconHeight, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QPen pen(const QColor &colour, int width)
{
    QPen result(colour, width);
    result.setCapStyle(Qt::SquareCap);
    result.setJoinStyle(Qt::MiterJoin);
    return result;
}

} // namespace

QImage CloseIconPicture()
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen(QColor(0x80, 0, 0), 2));
    painter.drawLine(QPointF(5.5, 4.5), QPointF(13.5, 12.5));
    painter.drawLine(QPointF(13.5, 4.5), QPointF(5.5, 12.5));
    return image;
}

QImage SortIconPicture()
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setPen(pen(QColor(0, 0, 0x80), 1));
    // "A" in the upper half.
    painter.drawPolyline(QPolygon({QPoint(3, 8), QPoint(5, 2), QPoint(7, 8)}));
    painter.drawLine(QPoint(4, 6), QPoint(6, 6));
    // "Z" in the lower half.
    painter.drawPolyline(QPolygon({QPoint(3, 10), QPoint(7, 10), QPoint(3, 16), QPoint(7, 16)}));
    // The down arrow.
    painter.setPen(pen(QColor(0, 0x80, 0), 1));
    painter.drawLine(QPoint(13, 2), QPoint(13, 15));
    painter.drawPolyline(QPolygon({QPoint(10, 12), QPoint(13, 15), QPoint(16, 12)}));
    return image;
}

QImage ZigZagIconPicture()
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(pen(QColor(0, 0, 0x80), 1));
    for (const int top : {3, 9}) {
        QPolygonF line;
        for (int i = 0; i <= 5; ++i)
            line << QPointF(2.5 + i * 3, top + (i % 2 == 0 ? 4.5 : 0.5));
        painter.drawPolyline(line);
    }
    return image;
}

} // namespace translator

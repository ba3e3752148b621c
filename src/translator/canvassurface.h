#pragma once

#include "translator/popuplayout.h"

#include <QFontMetrics>
#include <QPainter>

class QImage;

namespace translator {

class TextMeasurer;

// The result drawing on a QImage in the popup font, black text on opaque
// backgrounds. Paints while it exists.
class CanvasSurface final : public PopupSurface {
public:
    // measurer: widths in the font the canvas writes in.
    CanvasSurface(QImage &canvas, const TextMeasurer &measurer, const QColor &textColour);
    CanvasSurface(const CanvasSurface &) = delete;
    CanvasSurface &operator=(const CanvasSurface &) = delete;

    int textWidth(const QString &text) override;
    void fill(Colour colour) override;
    int drawText(int x, int y, const QString &text, Colour background) override;
    void drawRule(int x1, int y1, int x2, int y2) override;

private:
    QPainter m_painter;
    QRect m_bounds;
    const TextMeasurer &m_measurer;
    QFontMetrics m_metrics;
    QPen m_textPen;
    QPen m_rulePen;
};

} // namespace translator

#include "translator/canvassurface.h"

#include "translator/colorref.h"
#include "translator/textmeasurer.h"

#include <QImage>

namespace translator {

CanvasSurface::CanvasSurface(QImage &canvas, const TextMeasurer &measurer, const QColor &textColour)
    : m_painter(&canvas), m_bounds(canvas.rect()), m_measurer(measurer),
      m_metrics(measurer.font(), &canvas), m_textPen(textColour), m_rulePen(toQColor(kRuleBlue), 1)
{
    m_painter.setFont(measurer.font());
}

int CanvasSurface::textWidth(const QString &text)
{
    return m_measurer.width(text);
}

void CanvasSurface::fill(Colour colour)
{
    m_painter.fillRect(m_bounds, toQColor(colour));
}

int CanvasSurface::drawText(int x, int y, const QString &text, Colour background)
{
    const int width = m_measurer.width(text);
    const QRect box(x, y, width, m_metrics.height());
    // Lines below or right of the canvas are measured but not drawn.
    if (!box.intersects(m_bounds))
        return width;
    m_painter.fillRect(box, toQColor(background));
    m_painter.setPen(m_textPen);
    m_painter.drawText(QPoint(x, y + m_metrics.ascent()), text);
    return width;
}

void CanvasSurface::drawRule(int x1, int y1, int x2, int y2)
{
    m_painter.setPen(m_rulePen);
    m_painter.drawLine(x1, y1, x2, y2);
}

} // namespace translator

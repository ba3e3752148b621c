#include "translator/textmeasurer.h"

#include <cmath>

namespace translator {

TextMeasurer::TextMeasurer(const QFont &font, QPaintDevice *device)
    : m_font(font), m_metrics(font, device)
{
    m_advances.fill(-1);
}

int TextMeasurer::width(const QString &text) const
{
    qreal sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= kCachedChars)
            return int(std::lround(m_metrics.horizontalAdvance(text)));
        qreal &advance = m_advances[u];
        if (advance < 0)
            advance = m_metrics.horizontalAdvance(c);
        sum += advance;
    }
    return int(std::lround(sum));
}

} // namespace translator

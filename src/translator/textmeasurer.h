#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <array>

class QPaintDevice;

namespace translator {

// Text widths in one font, fast enough for hundreds of result lines on every
// key release: the advances of Latin letters (Hungarian included) are
// measured once each and summed; other texts are measured whole. Exact for a
// font without kerning, as the popup's font is.
class TextMeasurer final {
public:
    TextMeasurer(const QFont &font, QPaintDevice *device);

    int width(const QString &text) const;
    const QFont &font() const { return m_font; }

private:
    static constexpr char16_t kCachedChars = 0x250; // through Latin Extended-B

    QFont m_font;
    QFontMetricsF m_metrics;
    mutable std::array<qreal, kCachedChars> m_advances;
};

} // namespace translator

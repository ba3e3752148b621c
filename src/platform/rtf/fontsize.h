#pragma once

#include "platform/rtf/lengths.h"

#include <QFont>
#include <QTextCharFormat>

// Sizes in points, the unit of documents and of the size box. A font sized
// in pixels (the panes' default font is) counts 96 pixels to the inch, as
// on the screens the documents are made for, so that a size means the same
// on every machine and in every file.
namespace rtf {

// The size of a font in points; 0 when it has none.
inline double FontPointSize(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF();
    return font.pixelSize() > 0 ? PointsFromPixels(font.pixelSize()) : 0;
}

// The size a format gives its characters itself, in points; 0 when it
// leaves the size to the document's default font.
inline double OwnPointSize(const QTextCharFormat &f)
{
    if (f.fontPointSize() > 0)
        return f.fontPointSize();
    const int pixels = f.intProperty(QTextFormat::FontPixelSize);
    return pixels > 0 ? PointsFromPixels(pixels) : 0;
}

// The size a character of format f shows in, in points.
inline double EffectivePointSize(const QTextCharFormat &f, const QFont &defaultFont)
{
    const double own = OwnPointSize(f);
    return own > 0 ? own : FontPointSize(defaultFont);
}

} // namespace rtf

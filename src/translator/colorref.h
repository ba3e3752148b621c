#pragma once

#include "translator/colours.h"

#include <QColor>

namespace translator {

// A stored colour integer (low byte red, then green, then blue) as a QColor.
inline QColor toQColor(Colour colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace translator

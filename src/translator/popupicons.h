#pragma once

#include <QImage>

// The three small pictures of the popup's icon corner, 19 x 18 pixels on a
// transparent ground.
namespace translator {

inline constexpr int kIconWidth = 19;
inline constexpr int kIconHeight = 18;

QImage CloseIconPicture();  // an X
QImage SortIconPicture();   // A over Z beside a down arrow
QImage ZigZagIconPicture(); // zig-zag lines

} // namespace translator

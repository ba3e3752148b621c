#pragma once

#include <QIcon>
#include <QPixmap>
#include <QStringView>

// The editor toolbars' own pictures, drawn in code: a 16 x 16 icon for each
// button by the button's object name (an empty icon for an unknown name),
// the 8 x 22 grip at the left end of each row.
QIcon ToolbarIcon(QStringView buttonName);
QPixmap GripPicture();

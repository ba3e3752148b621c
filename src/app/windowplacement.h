#pragma once

#include <QRect>

// Where the main window stands and which tab it shows: restored from the
// settings file at start-up, tracked by the 20 ms timer, written at the close.
struct WindowPlacement {
    QRect NormalBounds{100, 100, 500, 300}; // the last bounds in normal state
    bool WindowMaximized = false;
    int StartPageIndex = 0; // the tab activated at start-up
};

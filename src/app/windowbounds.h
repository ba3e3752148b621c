#pragma once

#include <QList>
#include <QRect>

// Stored window bounds that lie on no screen any more (a monitor was
// removed) would open the window out of reach: then fallback is used. The
// bounds count as reachable when a piece of the window's top, where its
// caption is, lies on one of the screens.
QRect ReachableBounds(const QRect &stored, const QList<QRect> &screens, const QRect &fallback);

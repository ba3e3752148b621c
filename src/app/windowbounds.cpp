#include "app/windowbounds.h"

namespace {

// How much of the caption strip must be visible to grab the window.
constexpr int kMinVisibleWidth = 60;
constexpr int kCaptionHeight = 24;

} // namespace

QRect ReachableBounds(const QRect &stored, const QList<QRect> &screens, const QRect &fallback)
{
    if (stored.width() <= 0 || stored.height() <= 0)
        return fallback;
    const QRect caption(stored.left(), stored.top(), stored.width(), kCaptionHeight);
    for (const QRect &screen : screens) {
        const QRect visible = caption.intersected(screen);
        if (visible.width() >= std::min(kMinVisibleWidth, stored.width()) && visible.height() > 0)
            return stored;
    }
    return fallback;
}

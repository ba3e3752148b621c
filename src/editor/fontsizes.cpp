#include "editor/fontsizes.h"

#include <QFontDatabase>

namespace {

bool scalable(const QString &family)
{
    // An unknown name is drawn in a substitute, which scales.
    return !QFontDatabase::hasFamily(family) || QFontDatabase::isScalable(family);
}

const QStringList &allSizes()
{
    static const QStringList sizes = [] {
        QStringList list;
        list.reserve(kLargestListedSize);
        for (int k = 1; k <= kLargestListedSize; ++k)
            list.append(QString::number(k));
        return list;
    }();
    return sizes;
}

} // namespace

QStringList SizesShownBy(const QString &family)
{
    if (scalable(family))
        return allSizes();
    QStringList sizes;
    for (int k : QFontDatabase::pointSizes(family))
        if (k >= 1 && k <= kLargestListedSize)
            sizes.append(QString::number(k));
    return sizes.isEmpty() ? allSizes() : sizes;
}

bool FontShowsSize(const QString &family, int points)
{
    if (points < 1)
        return false;
    return scalable(family) || QFontDatabase::pointSizes(family).contains(points);
}

#pragma once

#include <QString>
#include <QStringList>

// The sizes, in whole points from 1 to 260, that a font reproduces: all of
// them for a scalable font, only its own sizes for one of fixed sizes.
constexpr int kLargestListedSize = 260;
QStringList SizesShownBy(const QString &family);
bool FontShowsSize(const QString &family, int points);

#pragma once

#include <QString>
#include <QtGlobal>

// The decimal digits of value in groups of three separated by one space, with
// a leading "-" for a negative value: 1234567 gives "1 234 567". The counters
// of the maintenance panel are shown this way.
QString FormatThousands(qint64 value);

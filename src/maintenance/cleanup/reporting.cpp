#include "maintenance/cleanup/reporting.h"

namespace cleanup {

QString GroupedThousands(qint64 value)
{
    // The magnitude as unsigned, so that the smallest value has one too.
    const bool negative = value < 0;
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            digits.prepend(u' ');
            inGroup = 0;
        }
        digits.prepend(QChar(u'0' + int(magnitude % 10)));
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    return negative ? u'-' + digits : digits;
}

} // namespace cleanup

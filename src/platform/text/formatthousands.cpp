#include "platform/text/formatthousands.h"

#include <algorithm>

QString FormatThousands(qint64 value)
{
    // Through the unsigned magnitude, so that the smallest qint64 has one too.
    quint64 magnitude = value < 0 ? 0 - quint64(value) : quint64(value);
    QString reversed;
    int inGroup = 0;
    do {
        if (inGroup == 3) {
            reversed += u' ';
            inGroup = 0;
        }
        reversed += QChar(u'0' + char16_t(magnitude % 10));
        magnitude /= 10;
        ++inGroup;
    } while (magnitude != 0);
    if (value < 0)
        reversed += u'-';
    std::reverse(reversed.begin(), reversed.end());
    return reversed;
}

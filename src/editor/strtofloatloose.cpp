#include "editor/strtofloatloose.h"

#include <QString>

#include <cmath>
#include <limits>

double StrToFloatLoose(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= u' ')
        ++begin;
    while (end > begin && text[end - 1].unicode() <= u' ')
        --end;
    if (begin == end)
        return 0;
    QString number = text[begin] == u'-' ? QStringLiteral("-0") : QStringLiteral("0");
    bool separatorSeen = false;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= u'0' && c <= u'9') {
            number += QChar(c);
        } else if ((c == u',' || c == u'.') && !separatorSeen) {
            number += u'.';
            separatorSeen = true;
        }
    }
    bool ok = false;
    const double value = number.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

int RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    return rounded < kLow    ? std::numeric_limits<int>::min()
           : rounded > kHigh ? std::numeric_limits<int>::max()
                             : static_cast<int>(rounded);
}

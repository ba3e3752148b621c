#include "maintenance/dictd/hungarian_repair.h"

namespace dictd {

QString repairHungarianAccents(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        switch (c.unicode()) {
        case u'ô':
            c = u'ő';
            break;
        case u'û':
            c = u'ű';
            break;
        case u'Ô':
            c = u'Ő';
            break;
        case u'Û':
            c = u'Ű';
            break;
        default:
            break;
        }
    }
    return out;
}

bool hasLatin1Damage(QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'ô' || u == u'û' || u == u'Ô' || u == u'Û')
            return true;
    }
    return false;
}

} // namespace dictd

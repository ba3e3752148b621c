#include "editor/dialogfilters.h"

QStringList QtNameFilters(QStringView pairs)
{
    const QList<QStringView> parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed().toString();
        // The description usually shows the patterns already; Qt takes the
        // patterns from there, so they are replaced by the pair's own.
        const qsizetype open = description.lastIndexOf(u'(');
        if (open >= 0 && description.endsWith(u')'))
            description = description.left(open).trimmed();
        QStringList patterns;
        for (QStringView pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            pattern = pattern.trimmed();
            patterns.append(pattern == u"*.*" ? QStringLiteral("*") : pattern.toString());
        }
        filters.append(description + QStringLiteral(" (") + patterns.join(u' ') + u')');
    }
    return filters;
}

#include "platform/paths.h"

#include <QDir>

namespace paths {

QString fromWindowsPath(const QString &path)
{
    QString result = path;
    result.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool drive = result.size() >= 2 && result[1] == QLatin1Char(':') &&
                       result[0].isLetter() && result[0].unicode() < 0x80;
    if (!drive)
        return result;
    QString rest = result.mid(2);
    while (rest.startsWith(QLatin1Char('/')))
        rest.remove(0, 1);
    return rest.isEmpty() ? QDir::homePath() : QDir::home().filePath(rest);
}

QString withSeparator(const QString &directory)
{
    if (directory.endsWith(QLatin1Char('/')) || directory.endsWith(QLatin1Char('\\')))
        return directory;
    return directory + QLatin1Char('/');
}

} // namespace paths

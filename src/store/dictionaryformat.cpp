#include "store/dictionaryformat.h"

#include <QDir>
#include <QFileInfo>

namespace store {

QString cutToSize(const QString &text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    qsizetype length = size;
    if (text[length - 1].isHighSurrogate())
        --length;
    return text.left(length);
}

QString sideFile(const QString &dictionaryFile, const char *extension)
{
    const QFileInfo info(dictionaryFile);
    return QDir(info.path()).filePath(info.completeBaseName() + QLatin1String(extension));
}

} // namespace store

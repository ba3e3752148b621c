#include "store/engine/side_files.h"

#include <QDir>
#include <QFileInfo>

namespace store {

QString sideFile(const QString &tableFile, const char *extension)
{
    const QFileInfo info(tableFile);
    return QDir(info.path()).filePath(info.completeBaseName() + QLatin1String(extension));
}

} // namespace store

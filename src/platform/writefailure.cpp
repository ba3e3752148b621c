#include "platform/writefailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <unistd.h>

namespace platform {

namespace {

// Below this the disk counts as full: a write of a few pieces fails there.
constexpr qint64 kFullBelow = 1024 * 1024;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString systemSays(const QString &reason)
{
    return reason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(reason);
}

} // namespace

QString cannotCreateReason(const QString &path, const QString &systemReason)
{
    const QString folder = QFileInfo(path).absolutePath();
    // The nearest part of the path that exists tells what is wrong with it.
    QFileInfo existing(folder);
    while (!existing.exists() && !existing.isRoot() &&
           existing.absolutePath() != existing.absoluteFilePath())
        existing = QFileInfo(existing.absolutePath());
    if (existing.exists() && !existing.isDir())
        return QStringLiteral("A(z) %1 nem mappa, hanem fájl, ezért nem lehet benne fájlt "
                              "létrehozni.")
            .arg(native(existing.absoluteFilePath()));
    if (existing.absoluteFilePath() != QFileInfo(folder).absoluteFilePath())
        return QStringLiteral("A(z) %1 mappa nem létezik.").arg(native(folder));
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0) {
        if (errno == EROFS)
            return QStringLiteral("A(z) %1 mappa csak olvasható lemezen van.").arg(native(folder));
        return QStringLiteral("A(z) %1 mappába nincs jogod írni.").arg(native(folder));
    }
    const QStorageInfo storage(folder);
    if (storage.isValid() && storage.bytesAvailable() < kFullBelow)
        return QStringLiteral("Megtelt a lemez.");
    return QStringLiteral("A rendszer nem engedte létrehozni a fájlt%1.")
        .arg(systemSays(systemReason));
}

QString cannotWriteReason(const QString &path, const QString &systemReason)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    if (storage.isValid() && storage.bytesAvailable() < kFullBelow)
        return QStringLiteral("Megtelt a lemez.");
    return QStringLiteral("Írási hiba a lemezen%1.").arg(systemSays(systemReason));
}

} // namespace platform

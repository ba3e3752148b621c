#include "maintenance/dictd/work_folder.h"

#include <cerrno>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace dictd {
namespace {

const QString &prefix()
{
    static const QString text = QStringLiteral(".szotar-atalakitas-");
    return text;
}

// Signal 0 only asks whether the process exists; EPERM means it does, under
// another user.
bool processAlive(qint64 pid)
{
    if (pid == qint64(getpid()))
        return true;
    if (::kill(pid_t(pid), 0) == 0)
        return true;
    return errno == EPERM;
}

} // namespace

QString workFolderTemplate(const QDir &directory)
{
    return directory.filePath(prefix() + QString::number(getpid()) + QStringLiteral("-XXXXXX"));
}

qint64 workFolderOwner(const QString &name)
{
    if (!name.startsWith(prefix()))
        return 0;
    const qsizetype dash = name.indexOf(u'-', prefix().size());
    if (dash < 0)
        return 0;
    bool ok = false;
    const qint64 pid =
        QStringView(name).sliced(prefix().size(), dash - prefix().size()).toLongLong(&ok);
    // pid_t is 32 bits; anything else is no name of ours.
    return ok && pid > 0 && pid <= 0x7fffffff ? pid : 0;
}

int removeStaleWorkFolders(const QDir &directory)
{
    int removed = 0;
    const QStringList names = directory.entryList(
        {prefix() + u'*'}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    for (const QString &name : names) {
        const qint64 owner = workFolderOwner(name);
        if (owner == 0 || processAlive(owner))
            continue;
        if (QDir(directory.filePath(name)).removeRecursively())
            ++removed;
    }
    return removed;
}

} // namespace dictd

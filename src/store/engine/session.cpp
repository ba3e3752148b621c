#include "store/engine/session.h"

#include "platform/regularfile.h"
#include "store/engine/messages.h"
#include "store/engine/table_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {
namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";

bool hasAnyBit(QFileDevice::Permissions permissions, QFileDevice::Permissions bits)
{
    return (permissions & bits) != 0;
}

// Checks, without changing anything, that path is a readable SQLite file.
// Decides whether it opens for writing.
bool checkFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw messages::notFound(path);
    if (info.isDir())
        throw messages::isDirectory(path);
    // Reading a device never ends and reading a named pipe waits for a writer.
    if (const QString message = platform::notRegularFileMessage(path); !message.isEmpty())
        throw EngineError(message);
    const auto permissions = info.permissions();
    // The mode bits count even for a superuser, who could read anything.
    if (!info.isReadable() ||
        !hasAnyBit(permissions, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther))
        throw messages::noReadPermission(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw messages::noReadPermission(path);
    const QByteArray head = file.read(16);
    if (head.isEmpty())
        throw messages::notDictionary(path, QStringLiteral("üres fájl"));
    if (head.size() < 16 || !head.startsWith(QByteArray(kSqliteMagic)) || head[15] != '\0')
        throw messages::notDictionary(path, QStringLiteral("ismeretlen fájlformátum"));
    const bool writable =
        info.isWritable() &&
        hasAnyBit(permissions, QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther);
    return !writable;
}

QString keyFor(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

} // namespace

Session::Session() = default;
Session::~Session() = default;

std::shared_ptr<TableFile> Session::acquire(const QString &path)
{
    const QString key = keyFor(path);
    if (auto it = m_files.find(key); it != m_files.end()) {
        if (auto file = it->second.lock())
            return file;
        m_files.erase(it);
    }
    TableFile::OpenOptions options;
    const bool fileReadOnly = checkFile(key);
    options.readOnly = fileReadOnly || m_readOnly;
    // A read-only file is read without locks or shared memory, so that
    // nothing is left beside it. Not when a journal lies there: its writes
    // are part of the table (or must be rolled back first, which a reader
    // that may not write cannot do; SQLite then refuses with a clear code).
    options.immutable = fileReadOnly && !QFileInfo::exists(key + QStringLiteral("-wal")) &&
                        !QFileInfo::exists(key + QStringLiteral("-journal"));
    options.vfs = m_vfs;
    options.backgroundKeysFrom = m_backgroundKeysFrom;
    auto file = std::make_shared<TableFile>(key, options);
    m_files[key] = file;
    return file;
}

bool Session::isHeld(const QString &path) const
{
    const QString key = keyFor(path);
    const auto it = m_files.find(key);
    return it != m_files.end() && !it->second.expired();
}

} // namespace store

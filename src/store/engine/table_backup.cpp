#include "store/engine/table_backup.h"

#include "store/dictionaryformat.h"
#include "store/engine/messages.h"
#include "store/engine/sqlite_handle.h"

#include <QFileInfo>

#include <sqlite3.h>

#include <memory>

namespace store {
namespace {

constexpr int kBusyTimeoutMs = 1500;

using Connection = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>;

Connection connect(const QString &path, int flags, const std::string &vfs)
{
    sqlite3 *db = nullptr;
    const QByteArray uri = sqliteUri(path);
    const int rc =
        sqlite3_open_v2(uri.constData(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_EXRESCODE,
                        vfs.empty() ? nullptr : vfs.c_str());
    Connection connection(db, &sqlite3_close_v2);
    if (rc != SQLITE_OK)
        throwSqlite(path, db, rc);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return connection;
}

// Copies every page of from into to as one write transaction of to.
void copyPages(sqlite3 *from, sqlite3 *to, const QString &toPath)
{
    sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        throwSqlite(toPath, to, sqlite3_errcode(to));
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        throwSqlite(toPath, to, stepped);
    if (finished != SQLITE_OK)
        throwSqlite(toPath, to, finished);
}

} // namespace

QString BackupFileOf(const QString &path)
{
    return sideFile(path, ".mentes");
}

bool HasBackup(const QString &path)
{
    return QFileInfo(BackupFileOf(path)).isFile();
}

void BackUpTableFile(const QString &path, const std::string &vfs)
{
    if (!QFileInfo(path).isFile())
        throw messages::notFound(path);
    const Connection from = connect(path, SQLITE_OPEN_READONLY, vfs);
    const QString target = BackupFileOf(path);
    const Connection to = connect(target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, vfs);
    copyPages(from.get(), to.get(), target);
}

void RestoreTableFile(const QString &path, const std::string &vfs)
{
    const QString source = BackupFileOf(path);
    if (!HasBackup(path))
        throw messages::noBackup(path);
    if (!QFileInfo(path).isFile())
        throw messages::notFound(path);
    const Connection from = connect(source, SQLITE_OPEN_READONLY, vfs);
    const Connection to = connect(path, SQLITE_OPEN_READWRITE, vfs);
    copyPages(from.get(), to.get(), path);
}

} // namespace store

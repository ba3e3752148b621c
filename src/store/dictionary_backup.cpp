#include "store/dictionary_backup.h"

#include "store/dictionaryformat.h"
#include "store/engine/collation.h"
#include "store/engine/engine_error.h"
#include "store/engine/messages.h"
#include "store/engine/sqlite_handle.h"
#include "store/engine/table_install.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <tuple>
#include <vector>

namespace store {
namespace {

constexpr int kBusyTimeoutMs = 1500;
constexpr const char *kBackupExtension = ".mentes";
// Backups being written: the backup's name and this, then a unique tail.
constexpr const char *kPendingInfix = ".uj-";

// The backup's messages. A message about a backup names the backup file;
// noBackup names the dictionary table whose backup is missing.
QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

EngineError made(const QString &text, const QString &path)
{
    return EngineError(text + QLatin1Char('\n') + native(path));
}

EngineError noBackup(const QString &path)
{
    return made(QStringLiteral("Nincs visszaállítható mentés, ezen a szótáron még nem futott "
                               "karbantartás:"),
                path);
}

EngineError backupNotWritten(const QString &backup, const QString &reason)
{
    return EngineError(
        QStringLiteral("A mentés nem készült el (%1):\n%2").arg(reason, native(backup)));
}

EngineError backupRefused(const QString &backup, const QString &reason)
{
    return EngineError(
        QStringLiteral("A mentés nem állítható vissza (%1):\n%2").arg(reason, native(backup)));
}

constexpr const char *kSideSuffixes[] = {"-wal", "-shm", "-journal"};

using Connection = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>;

// Opens path; rc receives SQLite's result. The connection is there (to be
// closed) even when the open failed.
Connection openRaw(const QString &path, int flags, const std::string &vfs, int &rc,
                   bool immutable = false)
{
    sqlite3 *db = nullptr;
    const QByteArray uri = sqliteUri(path, immutable);
    rc = sqlite3_open_v2(uri.constData(), &db, flags | SQLITE_OPEN_URI | SQLITE_OPEN_EXRESCODE,
                         vfs.empty() ? nullptr : vfs.c_str());
    Connection connection(db, &sqlite3_close_v2);
    if (rc == SQLITE_OK)
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
    return connection;
}

// The dictionary side: failures speak of the dictionary table.
Connection connectTable(const QString &path, int flags, const std::string &vfs)
{
    int rc = SQLITE_OK;
    Connection connection = openRaw(path, flags, vfs, rc);
    if (rc != SQLITE_OK)
        throwSqlite(path, connection.get(), rc);
    return connection;
}

// Runs sql on the backup side; a failure is reported by fail(code).
template <typename Fail> void execOr(sqlite3 *db, const char *sql, Fail fail)
{
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(sqlite3_extended_errcode(db));
}

// Copies every page of from into to as one write transaction of to; returns
// SQLite's result.
int copyPages(sqlite3 *from, sqlite3 *to)
{
    sqlite3_backup *backup = sqlite3_backup_init(to, "main", from, "main");
    if (!backup)
        return sqlite3_extended_errcode(to);
    const int stepped = sqlite3_backup_step(backup, -1);
    const int finished = sqlite3_backup_finish(backup);
    if (stepped != SQLITE_DONE)
        return stepped;
    return finished;
}

void removeWithSideFiles(const QString &file)
{
    QFile::remove(file);
    for (const char *suffix : kSideSuffixes)
        QFile::remove(file + QLatin1String(suffix));
}

// Whether some entry, a symbolic link included, has this name.
bool entryExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QString legacyBackupOf(const QString &path)
{
    return sideFile(path, kBackupExtension);
}

// Whether the backup under the old name can only be path's: no other
// dictionary file of the folder shares its base name.
bool ownsLegacyName(const QString &path)
{
    const QFileInfo info(path);
    const QString base = info.completeBaseName();
    const QStringList entries = info.dir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        if (entry == info.fileName())
            continue;
        const QFileInfo other(entry);
        if (other.completeBaseName() == base &&
            other.suffix().compare(QStringLiteral("db"), Qt::CaseInsensitive) == 0)
            return false;
    }
    return true;
}

// Makes the folder's entry of a renamed file durable.
void syncFolder(const QString &file)
{
    const int fd = ::open(QFile::encodeName(QFileInfo(file).path()).constData(),
                          O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Removes the backups a killed program left half-written. One still being
// written holds its file's exclusive lock, and SQLite then says busy.
void removeAbandonedPending(const QString &backup)
{
    const QFileInfo info(backup);
    const QString prefix = info.fileName() + QLatin1String(kPendingInfix);
    const QStringList entries =
        info.dir().entryList(QStringList{prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString &entry : entries) {
        if (!entry.startsWith(prefix) || entry.endsWith(QLatin1String("-journal")))
            continue;
        const QString file = info.dir().filePath(entry);
        int rc = SQLITE_OK;
        {
            Connection probe = openRaw(file, SQLITE_OPEN_READWRITE, {}, rc);
            if (rc == SQLITE_OK) {
                sqlite3_busy_timeout(probe.get(), 0);
                sqlite3_exec(probe.get(), "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr,
                             nullptr);
                rc = sqlite3_exec(probe.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
            }
        }
        if ((rc & 0xff) != SQLITE_BUSY && (rc & 0xff) != SQLITE_LOCKED)
            removeWithSideFiles(file);
    }
}

// What a restore compares: the one table's name and its columns (name,
// declared type, key).
struct Schema {
    QStringList tables;
    std::vector<std::tuple<QString, QString, bool>> columns;
};

Schema schemaOf(sqlite3 *db)
{
    Schema schema;
    Statement tables(db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                         "'sqlite\\_%' ESCAPE '\\'");
    while (tables.step())
        schema.tables << tables.text(0);
    if (schema.tables.size() != 1)
        return schema;
    Statement info(db, "PRAGMA table_info(" + quoteIdentifier(schema.tables.front()) + ")");
    while (info.step())
        schema.columns.emplace_back(info.text(1), info.text(2).toUpper(), info.integer(5) != 0);
    return schema;
}

// Why the backup open on db cannot replace a table of schema wanted; empty
// when it can.
QString unfitness(sqlite3 *db, const Schema &wanted)
{
    const Schema found = schemaOf(db);
    if (found.tables.isEmpty())
        return QStringLiteral("nincs benne tábla");
    if (found.tables.size() > 1)
        return QStringLiteral("több táblát tartalmaz");
    if (found.tables != wanted.tables)
        return QStringLiteral("egy másik szótár mentése: %1").arg(found.tables.front());
    if (found.columns != wanted.columns)
        return QStringLiteral("a mezői nem a szótár mezői");
    Statement check(db, "PRAGMA quick_check(1)");
    if (!check.step() || check.text(0) != QStringLiteral("ok"))
        return QStringLiteral("sérült");
    // The engine holds keys in 32 bits; the key is the table's rowid.
    const std::string table = quoteIdentifier(found.tables.front());
    Statement range(db, "SELECT (SELECT min(rowid) FROM " + table + "), (SELECT max(rowid) FROM " +
                            table + ")");
    range.step();
    if (range.integer(0) < INT32_MIN || range.integer(1) > INT32_MAX)
        return QStringLiteral("kívül eső azonosítót tartalmaz");
    return QString();
}

// Opens the backup for reading and lets SQLite settle a journal an earlier
// version left beside it; the backup is then in rollback mode, so that
// reading it leaves nothing beside it. Refuses what is no regular file.
Connection openBackup(const QString &backup, const std::string &vfs)
{
    const QFileInfo info(backup);
    if (info.isSymLink() || !info.isFile())
        throw backupRefused(backup, QStringLiteral("nem szabályos fájl"));
    int rc = SQLITE_OK;
    Connection connection = openRaw(backup, SQLITE_OPEN_READWRITE, vfs, rc);
    const auto refuse = [&](int code) {
        throw backupRefused(backup, messages::sqliteReason(code));
    };
    if (rc != SQLITE_OK)
        refuse(rc);
    // No shared memory: the settling leaves no -shm beside the backup.
    execOr(connection.get(), "PRAGMA locking_mode=EXCLUSIVE", refuse);
    execOr(connection.get(), "PRAGMA journal_mode=DELETE", refuse);
    for (const char *suffix : {"-wal", "-shm"})
        QFile::remove(backup + QLatin1String(suffix));
    collation::registerWith(connection.get());
    return connection;
}

} // namespace

QString BackupFileOf(const QString &path)
{
    return path + QLatin1String(kBackupExtension);
}

QString ExistingBackupOf(const QString &path)
{
    const QString current = BackupFileOf(path);
    if (entryExists(current))
        return current;
    const QString legacy = legacyBackupOf(path);
    if (entryExists(legacy) && ownsLegacyName(path))
        return legacy;
    return QString();
}

bool HasBackup(const QString &path)
{
    return !ExistingBackupOf(path).isEmpty();
}

PendingBackup::PendingBackup(const QString &path, const std::string &vfs) : m_table(path)
{
    if (!QFileInfo(path).isFile())
        throw messages::notFound(path);
    const QString target = BackupFileOf(path);
    removeAbandonedPending(target);
    {
        QTemporaryFile file(target + QLatin1String(kPendingInfix) + QStringLiteral("XXXXXX"));
        file.setAutoRemove(false);
        if (!file.open())
            throw backupNotWritten(target, QStringLiteral("a mappába nem írható ideiglenes fájl"));
        m_temporary = file.fileName();
        // Readable by whoever may read the dictionary, as a copy of it is.
        file.setPermissions(QFileInfo(path).permissions());
    }
    try {
        // Read through a connection that may write, so that, when it is the
        // last one on the table, it takes the table's -wal and -shm along.
        const Connection from = connectTable(
            path, QFileInfo(path).isWritable() ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY, vfs);
        int rc = SQLITE_OK;
        Connection to = openRaw(m_temporary, SQLITE_OPEN_READWRITE, vfs, rc);
        const auto fail = [&](int code) {
            throw backupNotWritten(target, messages::sqliteReason(code));
        };
        if (rc != SQLITE_OK)
            fail(rc);
        // The copy is new: a journal would only be left behind by a kill.
        // The exclusive lock tells removeAbandonedPending that it is alive.
        execOr(to.get(), "PRAGMA locking_mode=EXCLUSIVE", fail);
        execOr(to.get(), "PRAGMA journal_mode=OFF", fail);
        execOr(to.get(), "PRAGMA synchronous=FULL", fail);
        if (const int copied = copyPages(from.get(), to.get()); copied != SQLITE_OK) {
            // A lock on the dictionary is the dictionary's business.
            if ((copied & 0xff) == SQLITE_BUSY || (copied & 0xff) == SQLITE_LOCKED)
                throwSqlite(path, from.get(), copied);
            fail(copied);
        }
        // The copy carries the dictionary's WAL flag; in rollback mode it is
        // read later without -wal and -shm files.
        execOr(to.get(), "PRAGMA journal_mode=DELETE", fail);
        const int closed = sqlite3_close(to.release());
        if (closed != SQLITE_OK)
            fail(closed);
    } catch (...) {
        removeWithSideFiles(m_temporary);
        throw;
    }
}

PendingBackup::~PendingBackup()
{
    if (!m_temporary.isEmpty())
        removeWithSideFiles(m_temporary);
}

void PendingBackup::place()
{
    const QString target = BackupFileOf(m_table);
    // rename() replaces the entry itself: a symbolic link there is replaced,
    // its target stays untouched.
    if (std::rename(QFile::encodeName(m_temporary).constData(),
                    QFile::encodeName(target).constData()) != 0)
        throw backupNotWritten(target, QStringLiteral("nem helyezhető a helyére"));
    m_temporary.clear();
    for (const char *suffix : kSideSuffixes)
        QFile::remove(target + QLatin1String(suffix));
    syncFolder(target);
    // The backup under the old name is older than this one.
    const QString legacy = legacyBackupOf(m_table);
    if (entryExists(legacy) && ownsLegacyName(m_table))
        removeWithSideFiles(legacy);
}

void BackUpTableFile(const QString &path, const std::string &vfs)
{
    PendingBackup(path, vfs).place();
}

void RemoveBackupOf(const QString &path)
{
    const QString legacy = legacyBackupOf(path);
    if (entryExists(legacy) && ownsLegacyName(path))
        removeWithSideFiles(legacy);
    removeWithSideFiles(BackupFileOf(path));
    removeAbandonedPending(BackupFileOf(path));
}

void RestoreTableFile(const QString &path, const std::string &vfs)
{
    const QString source = ExistingBackupOf(path);
    if (source.isEmpty())
        throw noBackup(path);
    if (!QFileInfo(path).isFile())
        throw messages::notFound(path);
    // A journal a killed program left beside the table belongs in it first;
    // refuses when another connection holds the table.
    clearStaleSideFiles(path);
    const Connection from = openBackup(source, vfs);

    const Connection to = connectTable(path, SQLITE_OPEN_READWRITE, vfs);
    // The exclusive lock, kept from here to the close, keeps every other
    // program out: one that holds the table open, even only to read, is
    // refused as the deletion refuses it.
    execSql(to.get(), "PRAGMA locking_mode=EXCLUSIVE");
    const int begun = sqlite3_exec(to.get(), "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    if ((begun & 0xff) == SQLITE_BUSY || (begun & 0xff) == SQLITE_LOCKED)
        throw messages::inUse(path);
    if (begun != SQLITE_OK)
        throwSqlite(to.get(), sqlite3_extended_errcode(to.get()));
    Schema wanted;
    try {
        wanted = schemaOf(to.get());
    } catch (...) {
        sqlite3_exec(to.get(), "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
    execSql(to.get(), "COMMIT");

    QString problem;
    try {
        problem = unfitness(from.get(), wanted);
    } catch (const EngineError &) {
        problem = QStringLiteral("sérült vagy nem olvasható");
    }
    if (!problem.isEmpty())
        throw backupRefused(source, problem);
    if (const int copied = copyPages(from.get(), to.get()); copied != SQLITE_OK)
        throwSqlite(path, to.get(), copied);
}

} // namespace store

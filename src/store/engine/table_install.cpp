#include "store/engine/table_install.h"

#include "platform/regularfile.h"
#include "store/engine/messages.h"
#include "store/engine/sqlite_handle.h"

#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace store {
namespace {

constexpr const char *kSideSuffixes[] = {"-wal", "-shm", "-journal"};

// Takes path for this connection alone and lets it go again: SQLite settles
// the table's own journal into it on the way. Throws when some other
// connection holds the file; a file SQLite cannot talk to is left alone.
void settleOrRefuse(const QString &path)
{
    sqlite3 *db = nullptr;
    const QByteArray uri = sqliteUri(path);
    const int rc =
        sqlite3_open_v2(uri.constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_URI, nullptr);
    const auto closer = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>(db, &sqlite3_close_v2);
    if (rc != SQLITE_OK)
        return;
    // In exclusive locking mode the first transaction needs the file's
    // exclusive lock, which every other open connection blocks, in WAL mode
    // as in rollback mode.
    if (sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE", nullptr, nullptr, nullptr) != SQLITE_OK)
        return;
    const int begun = sqlite3_exec(db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    if ((begun & 0xff) == SQLITE_BUSY || (begun & 0xff) == SQLITE_LOCKED)
        throw messages::inUse(path);
    if (begun == SQLITE_OK)
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

} // namespace

void clearStaleSideFiles(const QString &path)
{
    bool any = false;
    for (const char *suffix : kSideSuffixes)
        any = any || QFileInfo::exists(path + QLatin1String(suffix));
    if (!any)
        return;
    if (platform::isRegularFile(path))
        settleOrRefuse(path);
    for (const char *suffix : kSideSuffixes) {
        const QString side = path + QLatin1String(suffix);
        if (QFileInfo::exists(side) && !QFile::remove(side))
            throw messages::cannotDelete(side);
    }
}

void installTableFile(const QString &builtPath, const QString &destination)
{
    // The built table's own journal belongs inside it before it moves.
    clearStaleSideFiles(builtPath);
    clearStaleSideFiles(destination);
    // rename() replaces an existing target in one step.
    if (std::rename(QFile::encodeName(builtPath).constData(),
                    QFile::encodeName(destination).constData()) != 0)
        throw messages::cannotInstall(destination);
}

} // namespace store

#pragma once

#include <QString>

#include <string>

namespace store {

// One rolling backup per dictionary file, taken before each destructive batch
// operation so that its last run can be undone. It lies beside the table
// under the table's whole file name and ".mentes" (Angol_Magyar.DB.mentes),
// so that X_Y.DB and X_Y.db in one folder keep apart, and the dictionary
// list passes over it. A backup is written under a temporary name and
// renamed into place only when complete and on the disk: a failed or killed
// backup leaves the one before as it was.

// The backup file of the dictionary table at path.
QString BackupFileOf(const QString &path);

// The backup to restore for the table at path: BackupFileOf(path) when it
// is there (a symbolic link counts, so that restoring can refuse it), else
// the name earlier versions used (Angol_Magyar.mentes) when no other
// dictionary file of the folder has the same base name; empty when there is
// none.
QString ExistingBackupOf(const QString &path);

// True when a backup of the table at path exists.
bool HasBackup(const QString &path);

// A copy of the table at path, as committed at construction, under a
// temporary name beside its backup file. place() puts it in place; dropped
// without that, it is removed.
class PendingBackup final {
public:
    // Copies through SQLite's online backup, so that readers and a writer of
    // this process may hold the table meanwhile. vfs: the SQLite VFS for
    // both files (empty: the default). Throws EngineError, naming the backup
    // when writing it fails; nothing is left behind then.
    explicit PendingBackup(const QString &path, const std::string &vfs = {});
    ~PendingBackup();
    PendingBackup(const PendingBackup &) = delete;
    PendingBackup &operator=(const PendingBackup &) = delete;

    // Renames the copy over the backup file in one step (a symbolic link of
    // that name is replaced, never written through) and removes a backup
    // under the old name. Throws EngineError; the earlier backup then stays.
    void place();

private:
    QString m_table;
    QString m_temporary;
};

// Takes a backup and puts it in place at once.
void BackUpTableFile(const QString &path, const std::string &vfs = {});

// Removes the backup of the table at path (under either name) with whatever
// SQLite left beside it; for a table that is being deleted.
void RemoveBackupOf(const QString &path);

// Copies the backup back into the table at path in one transaction of the
// live file: either every page is replaced or none. The backup must be a
// regular file holding exactly the table of path with the same fields, and
// sound. No connection, of this process or another, may hold path open.
// Throws EngineError when there is no backup, when the backup is refused
// (the message names the backup), when the table is in use, or when writing
// fails; the table is then as it was. Nothing is left beside either file.
void RestoreTableFile(const QString &path, const std::string &vfs = {});

} // namespace store

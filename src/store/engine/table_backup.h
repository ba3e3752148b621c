#pragma once

#include <QString>

#include <string>

namespace store {

// One rolling backup per dictionary file, taken before each destructive batch
// operation so that its last run can be undone. It lies beside the table as
// "<base>.mentes" (Angol_Magyar.mentes), a name the dictionary list passes
// over, and each backup replaces the one before.

// The backup file of the dictionary table at path.
QString BackupFileOf(const QString &path);

// True when a backup of the table at path exists.
bool HasBackup(const QString &path);

// Copies the table at path, as committed now, into its backup file through
// SQLite's online backup, so that readers and a writer of this process may
// hold the table meanwhile. vfs: the SQLite VFS for both files (empty: the
// default). Throws EngineError (the earlier backup then stays as it was).
void BackUpTableFile(const QString &path, const std::string &vfs = {});

// Copies the backup back into the table at path in one transaction of the
// live file: either every page is replaced or none. No table of this process
// may hold path open. Throws EngineError when there is no backup, when
// another program holds the table, or when writing fails; the table is then
// as it was.
void RestoreTableFile(const QString &path, const std::string &vfs = {});

} // namespace store

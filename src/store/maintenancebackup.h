#pragma once

#include "store/dictionary_backup.h"
#include "store/dictionaryfiles.h"
#include "store/storeresult.h"

#include <QLockFile>

#include <functional>
#include <memory>

namespace platform {
class Prompts;
}

namespace store {

class Table;

// Refuses a change to table before anything is asked or written: the table
// must be open and writable. The message names the file.
Status RequireWritable(const Table &table);

// Takes the rolling backup of table's file (dictionary_backup.h) before a
// destructive batch operation, under a temporary name; the table may stay
// open. A failure says in Hungarian that nothing was changed, and the
// operation must not go on. The caller puts the backup in place with
// KeepBackup once the operation has changed rows; dropped, it is removed and
// the backup before it stays.
Result<std::unique_ptr<PendingBackup>> BackUpBeforeChange(const Table &table);

// Puts a backup taken by BackUpBeforeChange in place. The failure's message
// says that the change is made but cannot be undone.
Status KeepBackup(PendingBackup &backup);

// Keeps the clean-ups of other programs off the same dictionary while it
// lives, since each row's check and write must see the table as its own run
// left it: a lock file beside the table (Angol_Magyar.DB.zar), which goes
// with the lock; one a killed program left is taken over.
class MaintenanceLock final {
public:
    explicit MaintenanceLock(const QString &dictionaryFile);
    bool tryLock() { return m_lock.tryLock(0); }

private:
    QLockFile m_lock;
};
Result<std::unique_ptr<MaintenanceLock>> LockForMaintenance(const Table &table);

// "Utolsó karbantartás visszavonása": after a question, closeDictionary
// closes the dictionary (and whatever shows it), table is closed, and the
// backup replaces the table's content in one transaction. The table is left
// closed in every case: the caller opens it again. Says so, changing
// nothing, when there is no backup, the file is read-only, another program
// holds the table, or the backup is not this dictionary's (RestoreTableFile).
Result<FileCommand> RestoreLastMaintenance(Table &table,
                                           const std::function<void()> &closeDictionary,
                                           platform::Prompts &prompts);

} // namespace store

#pragma once

#include "store/dictionaryfiles.h"
#include "store/storeresult.h"

#include <functional>

namespace platform {
class Prompts;
}

namespace store {

class Table;

// Refuses a change to table before anything is asked or written: the table
// must be open and writable. The message names the file.
Status RequireWritable(const Table &table);

// Takes the rolling backup of table's file (engine/table_backup.h) before a
// destructive batch operation; the table may stay open. A failure says in
// Hungarian that nothing was changed, and the operation must not go on.
Status BackUpBeforeChange(const Table &table);

// "Utolsó karbantartás visszavonása": after a question, closeDictionary
// closes the dictionary (and whatever shows it), table is closed, and the
// backup replaces the table's content in one transaction. The table is left
// closed in every case: the caller opens it again. Says so, changing
// nothing, when there is no backup or the file is read-only.
Result<FileCommand> RestoreLastMaintenance(Table &table,
                                           const std::function<void()> &closeDictionary,
                                           platform::Prompts &prompts);

} // namespace store

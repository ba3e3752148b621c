#pragma once

#include "store/storeresult.h"

#include <QString>

#include <functional>

struct AppState;

namespace platform {
class Prompts;
}

namespace store {

class Table;

// What became of a destructive command: the user said no to one of its two
// questions (nothing changed), or it was carried out.
enum class FileCommand { Cancelled, Done };

// Empties the open dictionary table after two questions, keeping its
// structure and indexes; the table stays open with zero rows. A read-only
// table is refused before the questions. The content is first saved as the
// table's rolling backup (store/maintenancebackup.h); when that fails
// nothing is emptied. An engine failure (full disk) leaves every row in
// place.
Result<FileCommand> EmptyDictionary(Table &table, const QString &dictionaryFile,
                                    platform::Prompts &prompts);

// Deletes the dictionary file of table after two questions: closeDictionary
// closes it (and whatever shows it), then the table goes together with its
// journal files, index files, rebuild marker and maintenance backup. A file another connection
// or process still holds is refused and left whole, closed.
Result<FileCommand> DeleteDictionary(Table &table, const QString &dictionaryFile,
                                     const std::function<void()> &closeDictionary,
                                     platform::Prompts &prompts);

// Makes folder the database folder: DatabaseDir is folder as chosen,
// DatabasePath the same with one trailing separator (a folder that already
// ends in one, such as the root, is kept as it is).
void ChangeDatabaseFolder(AppState &state, const QString &folder);

} // namespace store

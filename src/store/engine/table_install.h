#pragma once

#include <QString>

namespace store {

// SQLite keeps a table's unfinished writes in files beside it ("-wal",
// "-shm", "-journal") and replays them into whatever file next carries the
// table's name. These put a table file in place without such strangers.

// Removes the journal files beside path. When path exists, its own journal
// is first settled into it. Throws EngineError, removing nothing, when
// another connection (of this or another process) holds path open.
void clearStaleSideFiles(const QString &path);

// Moves the finished, closed table file builtPath to destination, replacing
// a table there, after clearStaleSideFiles(destination). Throws EngineError
// when destination is held open or the move fails; builtPath then stays.
void installTableFile(const QString &builtPath, const QString &destination);

} // namespace store

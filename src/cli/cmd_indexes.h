#pragma once

#include "cli/cli_io.h"

#include <QStringList>

namespace cli {

// szotar reindex TÁBLA.DB
// Rebuilds the two language indexes of a dictionary table as the program's
// "(Újra)indexelés" does, and removes its ".nip" rebuild marker.
int runReindex(const QStringList &arguments, CliIo &io);

// szotar drop-indexes [--yes] TÁBLA.DB
// Drops every index on the two language columns, as "Indexek törlése" does.
// Without --yes the question is answered Mégsem and nothing changes (exit 1).
int runDropIndexes(const QStringList &arguments, CliIo &io);

} // namespace cli

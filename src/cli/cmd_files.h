#pragma once

#include "cli/cli_io.h"

#include <QStringList>

class QTextStream;

namespace cli {

// szotar create ELSO MASODIK [--dir KÖNYVTÁR]
// Creates an empty dictionary table for the two languages in the folder
// (the current one by default), numbered when the name is taken, as the
// program's "Új (üres) adatbázis létrehozása" does.
int runCreate(const QStringList &arguments, CliIo &io);

// szotar empty [--yes] TÁBLA.DB
// Deletes every entry of the dictionary, keeping the table and its indexes.
int runEmpty(const QStringList &arguments, CliIo &io);

// szotar delete [--yes] TÁBLA.DB
// Deletes the dictionary table with its journal and index files and its
// rebuild marker.
int runDelete(const QStringList &arguments, CliIo &io);

// The destructive commands with their questions asked on answers (read one
// line each, "i" or "igen" confirms), or, when answers is null (no
// terminal), with nobody to ask: then only --yes lets them change anything.
// runEmpty and runDelete pass standard input when it is a terminal.
int runEmptyAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);
int runDeleteAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);

} // namespace cli

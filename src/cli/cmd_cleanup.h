#pragma once

#include "cli/cli_io.h"

#include <QStringList>

class QTextStream;

namespace cli {

// szotar clean --to|--letters|--dos [--yes] TÁBLA.DB
// One clean-up of the dictionary in its natural direction (the languages in
// the order of the file name): the "to " prefixes, the lone letters or the
// DOS accents. The dictionary is saved as its rolling backup first.
int runClean(const QStringList &arguments, CliIo &io);

// szotar german-import [--dir MAPPA] [--yes] TÁBLA.DB
// Fills the dictionary from the German word lists A01.TXT ... Z02.TXT, the
// German text into the first language's column.
int runGermanImport(const QStringList &arguments, CliIo &io);

// szotar restore-backup [--yes] TÁBLA.DB
// Puts the dictionary back as it was before its last destructive
// maintenance.
int runRestoreBackup(const QStringList &arguments, CliIo &io);

// The same with the questions asked on answers (one line each, "i" or
// "igen" confirms), or, when answers is null, with nobody to ask: then only
// --yes lets them change anything. The commands above pass standard input
// when it is a terminal.
int runCleanAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);
int runGermanImportAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);
int runRestoreBackupAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);

} // namespace cli

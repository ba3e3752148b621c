#pragma once

#include "cli/cli_io.h"

#include <QStringList>

class QTextStream;

namespace cli {

// szotar import [--reverse] TÁBLA.DB SZÖVEG.txt
// Adds the pairs of a tab-separated text file that the dictionary does not
// hold yet, as the program's "Feltöltés textfájlból" does.
int runImport(const QStringList &arguments, CliIo &io);

// szotar export [--reverse] [--yes] TÁBLA.DB SZÖVEG[.txt]
// Writes every entry of the dictionary to a tab-separated text file, as
// "Mentés textfájlba" does; an existing file is replaced only when the user
// (or --yes) says so.
int runExport(const QStringList &arguments, CliIo &io);

// runExport with the overwrite question asked on answers (one line, "i" or
// "igen" confirms), or with nobody to ask when answers is null.
int runExportAsking(const QStringList &arguments, CliIo &io, QTextStream *answers);

} // namespace cli

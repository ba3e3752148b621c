#pragma once

#include "maintenance/import/add_pair.h"
#include "platform/progress.h"
#include "platform/result.h"

#include <QString>

namespace platform {
class FileAccess;
class Prompts;
} // namespace platform

namespace dictimport {

// The file an export writes: chosen, with ".txt" appended unless its
// extension in lower case is ".txt" ("szavak.dat" gives "szavak.dat.txt").
QString ExportFileName(const QString &chosen);

struct TextExportReport {
    QString path;            // the file written
    qint64 rows = 0;         // lines written
    qint64 rowsWithLoss = 0; // lines with a character Windows-1250 has no byte for ("?")
    bool declined = false;   // the user kept the existing file; nothing was written
};

// Writes every entry of the open dictionary, in key order, to the text file
// ExportFileName(chosen): source text, TAB, target text and CR LF, in
// Windows-1250. When that file exists, the user is asked
// whether to overwrite it, unless it is chosen itself and chosenConfirmed
// (a save dialog asked already); a Nem leaves it (declined). The bytes go to
// a temporary file that replaces the target only when complete, so a failed
// export leaves an old file as it was. The work runs under the busy notice
// "Mentés folyamatban.\nVárj türelemmel..." and ends with finishBusy "Mentés
// kész", or on failure with hideBusy and the file system's or the engine's
// message. The table is left in key order on its last row. progress gets
// the rows written of the row count; lines every 1000th row.
platform::Result<TextExportReport> ExportTextFile(ImportTarget dictionary, const QString &chosen,
                                                  bool chosenConfirmed, platform::Prompts &prompts,
                                                  const platform::Progress &progress = {},
                                                  const platform::ProgressLines &lines = {});
platform::Result<TextExportReport> ExportTextFile(ImportTarget dictionary, const QString &chosen,
                                                  bool chosenConfirmed, platform::Prompts &prompts,
                                                  const platform::Progress &progress,
                                                  const platform::ProgressLines &lines,
                                                  const platform::FileAccess &files);

} // namespace dictimport

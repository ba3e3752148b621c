#pragma once

#include "cli/cli_io.h"

#include <QStringList>

namespace cli {

// szotar convert-dictd --index FILE.index --dict FILE.dict.dz
//                      --out DIR/First_Second.DB [--repair-hungarian-target] [--overwrite]
// Converts a dictd dictionary into a new dictionary table and reports the
// figures. arguments: the program, then the options.
int runConvertDictd(const QStringList &arguments, CliIo &io);

} // namespace cli

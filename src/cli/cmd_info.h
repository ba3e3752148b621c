#pragma once

#include "cli/cli_io.h"

#include <QStringList>

namespace cli {

// szotar info FILE.DB
// Prints a dictionary table's row count, fields and secondary indexes.
// arguments: the program, then the options and the file.
int runInfo(const QStringList &arguments, CliIo &io);

} // namespace cli

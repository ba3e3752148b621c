#pragma once

#include "cli/cli_io.h"

#include <QStringList>

class QTextStream;

namespace cli {

// szotar lookup --dict FILE.DB [--reverse] [--json] [--no-stem] [--] [WORD...]
// Looks each word up in the dictionary as the translator's popup does and
// prints the outcome and both result lists; with --json one JSON object a
// line; --no-stem leaves out the word-form stage. Without words the words come from standard input,
// one a line. arguments: the program, then the options and the words.
int runLookup(const QStringList &arguments, CliIo &io);
// The same, reading the words from input when none is given.
int runLookup(const QStringList &arguments, CliIo &io, QTextStream &input);

} // namespace cli

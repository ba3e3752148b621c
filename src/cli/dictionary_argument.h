#pragma once

#include "cli/cli_io.h"

#include <QFileInfo>
#include <QString>

#include <optional>

class QCommandLineParser;
namespace store {
class Table;
}

namespace cli {

// The one dictionary file of a command line and its two languages.
struct DictionaryArgument {
    QFileInfo file;
    QString first;
    QString second;
};

// The dictionary named on the command line, checked before anything opens
// it: present, a regular file, and named "First_Second.DB". Nothing, after
// telling the user, when the command is to end with code.
std::optional<DictionaryArgument> dictionaryArgument(const QCommandLineParser &parser,
                                                     const QString &usage, CliIo &io, int &code);

// The same checks for a dictionary named by name, for commands that take
// more positional arguments than the dictionary.
std::optional<DictionaryArgument> dictionaryFile(const QString &name, CliIo &io, int &code);

// Binds table to the dictionary with its two language fields and opens it,
// so that a file that is no dictionary of these languages is refused.
// Throws store::EngineError.
void openDictionaryArgument(store::Table &table, const DictionaryArgument &dictionary);

} // namespace cli

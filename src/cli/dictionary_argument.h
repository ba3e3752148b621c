#pragma once

#include "cli/cli_io.h"

#include <QFileInfo>
#include <QString>

#include <functional>
#include <optional>

class QCommandLineParser;
namespace store {
class Session;
class Table;
} // namespace store

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

// A command's work on its dictionary; returns the command's exit code.
using DictionaryWork = std::function<int(store::Session &session, store::Table &table)>;

// Runs work on a table of a session of its own, which work binds and opens
// itself. The engine's error, wherever it is thrown, ends the command:
// beforeError runs first (a progress bar ends its line), then the message
// goes to io.err and the exit code is kExitFailure.
int withDictionary(CliIo &io, const DictionaryWork &work,
                   const std::function<void()> &beforeError = {});

// The same with the table opened on dictionary (openDictionaryArgument)
// before work runs.
int withDictionary(const DictionaryArgument &dictionary, CliIo &io, const DictionaryWork &work,
                   const std::function<void()> &beforeError = {});

} // namespace cli

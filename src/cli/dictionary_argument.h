#pragma once

#include "cli/cli_io.h"

#include <QFileInfo>
#include <QString>

#include <optional>

class QCommandLineParser;

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

} // namespace cli

#pragma once

#include "cli/cli_io.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

namespace cli {

// Parses the arguments of one command with its parser, adding "-h/--help".
// usage is the command's synopsis ("szotar info TÁBLA.DB"). Returns an exit
// code when the command has nothing more to do: kExitOk after printing the
// help, kExitUsage after reporting a wrong command line; nothing when the
// command is to run.
std::optional<int> parseCommandArguments(QCommandLineParser &parser, const QString &usage,
                                         const QStringList &arguments, CliIo &io);

// The command's help: the synopsis, then the parser's description and options.
QString commandHelp(const QCommandLineParser &parser, const QString &usage);

// "-y/--yes": answers Igen to the command's questions, described by what
// it confirms.
QCommandLineOption
yesOption(const QString &description = QStringLiteral("Igennel válaszol a megerősítő kérdésre."));

// Reports a wrong command line on io.err with the synopsis; returns kExitUsage.
int usageError(const QString &message, const QString &usage, CliIo &io);

} // namespace cli

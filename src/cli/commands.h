#pragma once

#include "cli/cli_io.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace cli {

// One subcommand of the program, chosen by the first argument.
struct Command {
    QString name;
    QString summary; // one line for the overview
    // arguments: the program, then the options and arguments after the
    // command name. Returns the exit code.
    int (*run)(const QStringList &arguments, CliIo &io);
};

// Every command, in the order the overview lists them.
const std::vector<Command> &commands();

// Runs the command line (program name first): "--help" or nothing prints the
// overview, a known command runs with the rest of the arguments, anything
// else is a usage error.
int runCommandLine(const QStringList &arguments, CliIo &io);

} // namespace cli

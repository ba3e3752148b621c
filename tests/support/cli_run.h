#pragma once

#include "cli/commands.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace velkor_test {

// What a command said and how it ended.
struct CliRun {
    bool finished = true; // false: the program did not end in time
    int code = -1;
    QString out;
    QString err;
};

// Runs a command of the tool in this process, its standard output and
// error caught in strings.
CliRun captureCli(const std::function<int(cli::CliIo &)> &command);

// "szotar" + arguments through the tool's own command line.
CliRun runCommandLine(const QStringList &arguments);

// The arguments with every "@name" made the path of name in folder ("@"
// alone: the folder itself).
QStringList inFolder(const QString &folder, QStringList arguments);

// The szotar program of this build.
QString szotarProgram();

// Runs the szotar program itself and waits up to timeoutMs for its end.
CliRun runProgram(const QStringList &arguments, int timeoutMs = 30000);

} // namespace velkor_test

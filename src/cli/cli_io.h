#pragma once

#include <QString>
#include <QTextStream>

namespace cli {

// Where a command writes: the report to out, errors to err. The program
// passes its standard streams, tests strings.
struct CliIo {
    QTextStream &out;
    QTextStream &err;
    // Progress bars are drawn on err only when it is a terminal.
    bool errIsTerminal = false;
};

// Exit codes of the program.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1; // the command could not do its work
inline constexpr int kExitUsage = 2;   // the command line was wrong

// Tells why a command could not do its work; returns kExitFailure.
inline int reportError(CliIo &io, const QString &message)
{
    io.err << QStringLiteral("Hiba: %1\n").arg(message);
    return kExitFailure;
}

} // namespace cli

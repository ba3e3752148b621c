#include "cli/cli_translator.h"
#include "cli/commands.h"
#include "cli/terminal_progress.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("szotar"));
    cli::CliTranslator translator;
    QCoreApplication::installTranslator(&translator);

    QTextStream out(stdout);
    QTextStream err(stderr);
    cli::CliIo io{out, err, cli::StandardErrorIsTerminal()};
    const int code = cli::runCommandLine(QCoreApplication::arguments(), io);
    out.flush();
    err.flush();
    return code;
}

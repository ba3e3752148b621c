#include "support/cli_run.h"

#include <QDir>
#include <QProcess>
#include <QTextStream>

namespace velkor_test {

CliRun captureCli(const std::function<int(cli::CliIo &)> &command)
{
    CliRun result;
    QTextStream out(&result.out);
    QTextStream err(&result.err);
    cli::CliIo io{out, err};
    result.code = command(io);
    out.flush();
    err.flush();
    return result;
}

CliRun runCommandLine(const QStringList &arguments)
{
    return captureCli([&](cli::CliIo &io) {
        return cli::runCommandLine(QStringList{QStringLiteral("szotar")} + arguments, io);
    });
}

QStringList inFolder(const QString &folder, QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument.startsWith(u'@'))
            argument = QDir(folder).filePath(argument.mid(1));
    }
    return arguments;
}

QString szotarProgram()
{
    return QStringLiteral(SZOTAR_PATH);
}

CliRun runProgram(const QStringList &arguments, int timeoutMs)
{
    QProcess program;
    program.start(szotarProgram(), arguments);
    CliRun result;
    result.finished = program.waitForFinished(timeoutMs);
    result.code = program.exitCode();
    result.out = QString::fromUtf8(program.readAllStandardOutput());
    result.err = QString::fromUtf8(program.readAllStandardError());
    return result;
}

} // namespace velkor_test

#include "cli/command_parser.h"

namespace cli {

QString commandHelp(const QCommandLineParser &parser, const QString &usage)
{
    // The parser's own first line names the program only, not the command.
    QString text = parser.helpText();
    const qsizetype firstLineEnd = text.indexOf(u'\n');
    text.replace(0, firstLineEnd < 0 ? text.size() : firstLineEnd,
                 QStringLiteral("Használat: %1").arg(usage));
    return text;
}

int usageError(const QString &message, const QString &usage, CliIo &io)
{
    io.err << message << u'\n' << QStringLiteral("Használat: %1\n").arg(usage);
    return kExitUsage;
}

std::optional<int> parseCommandArguments(QCommandLineParser &parser, const QString &usage,
                                         const QStringList &arguments, CliIo &io)
{
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("A súgó kiírása."));
    parser.addOption(help);
    if (!parser.parse(arguments))
        return usageError(QStringLiteral("Hibás parancssor: %1").arg(parser.errorText()), usage,
                          io);
    if (parser.isSet(help)) {
        io.out << commandHelp(parser, usage);
        return kExitOk;
    }
    return std::nullopt;
}

QCommandLineOption yesOption(const QString &description)
{
    return QCommandLineOption(QStringList{QStringLiteral("y"), QStringLiteral("yes")}, description);
}

} // namespace cli

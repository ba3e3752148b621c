#include "cli/cmd_info.h"

#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "store/engine/table.h"

#include <QFileInfo>

namespace cli {

int runInfo(const QStringList &arguments, CliIo &io)
{
    const QString usage = QStringLiteral("szotar info TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Egy szótártábla sorainak száma, mezői és másodlagos indexei."));
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return usageError(files.isEmpty() ? QStringLiteral("Hiányzik a tábla neve.")
                                          : QStringLiteral("Egyszerre egy tábla adható meg."),
                          usage, io);

    const QFileInfo file(files.front());
    if (!file.exists()) {
        io.err << QStringLiteral("Hiba: a tábla nem található: %1\n").arg(files.front());
        return kExitFailure;
    }
    // Any table, not only a dictionary named after its two languages.
    return withDictionary(io, [&](store::Session &, store::Table &table) {
        table.setDatabaseName(file.absolutePath());
        table.setTableName(file.fileName());
        table.open();
        io.out << QStringLiteral("Tábla: %1\n").arg(file.absoluteFilePath())
               << QStringLiteral("Sorok: %1\n").arg(table.recordCount())
               << QStringLiteral("Mezők: %1\n").arg(table.columnNames().join(QStringLiteral(", ")))
               << QStringLiteral("Indexek: %1\n")
                      .arg(table.indexNames().isEmpty()
                               ? QStringLiteral("nincs")
                               : table.indexNames().join(QStringLiteral(", ")));
        table.close();
        return kExitOk;
    });
}

} // namespace cli

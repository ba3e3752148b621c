#include "cli/cmd_files.h"

#include "cli/cli_prompts.h"
#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "platform/prompts.h"
#include "store/dictionaries.h"
#include "store/dictionaryfiles.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <optional>

namespace cli {
namespace {

enum class Destruction { Empty, Delete };

int runDestructive(Destruction what, const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    const bool emptying = what == Destruction::Empty;
    const QString usage = emptying ? QStringLiteral("szotar empty [--yes] TÁBLA.DB")
                                   : QStringLiteral("szotar delete [--yes] TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        emptying ? QStringLiteral("Törli egy szótártábla minden szavát; a tábla és az indexei "
                                  "megmaradnak.")
                 : QStringLiteral("Törli a szótártáblát a lemezről, a napló- és indexfájljaival "
                                  "és a „.nip” jelzővel együtt."));
    const QCommandLineOption yes =
        yesOption(QStringLiteral("Igennel válaszol mindkét megerősítő kérdésre."));
    parser.addOption(yes);
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    const QString path = dictionary->file.absoluteFilePath();
    CliPrompts prompts(io.err, parser.isSet(yes), answers);
    return withDictionary(*dictionary, io, [&](store::Session &, store::Table &table) {
        const auto result = emptying ? store::EmptyDictionary(table, path, prompts)
                                     : store::DeleteDictionary(table, path, {}, prompts);
        if (!result)
            return reportError(io, result.error());
        if (*result == store::FileCommand::Cancelled)
            return reportUnchanged(io, QStringLiteral("Nem történt változás."), answers != nullptr,
                                   parser.isSet(yes));
        io.out << (emptying ? QStringLiteral("A szótár minden szava törölve: %1\n")
                            : QStringLiteral("A szótár törölve a lemezről: %1\n"))
                      .arg(path);
        return kExitOk;
    });
}

} // namespace

int runCreate(const QStringList &arguments, CliIo &io)
{
    const QString usage = QStringLiteral("szotar create ELSO MASODIK [--dir KÖNYVTÁR]");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Üres szótártáblát hoz létre a két nyelvhez (Elso_Masodik.DB; ha ez "
                       "foglalt, Elso_Masodik1.DB, Elso_Masodik2.DB, ...)."));
    const QCommandLineOption dir(QStringList{QStringLiteral("d"), QStringLiteral("dir")},
                                 QStringLiteral("A könyvtár, ahová a tábla kerül "
                                                "(alapértelmezés: az aktuális könyvtár)."),
                                 QStringLiteral("könyvtár"));
    parser.addOption(dir);
    parser.addPositionalArgument(QStringLiteral("elso"),
                                 QStringLiteral("Az első nyelv ékezetek nélkül (például Nemet)."));
    parser.addPositionalArgument(
        QStringLiteral("masodik"),
        QStringLiteral("A második nyelv ékezetek nélkül (például Portugal)."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    const QStringList languages = parser.positionalArguments();
    if (languages.size() != 2)
        return usageError(QStringLiteral("Két nyelvet kell megadni."), usage, io);
    const QString folder = parser.isSet(dir) ? parser.value(dir) : QDir::currentPath();
    const auto created = store::CreateDictionaryTable(folder, languages[0], languages[1]);
    if (!created)
        return reportError(io, created.error());
    io.out << QStringLiteral("Az új tábla elkészült: %1\n")
                  .arg(QFileInfo(*created).absoluteFilePath());
    return kExitOk;
}

int runEmpty(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runEmptyAsking(arguments, io, answers); });
}

int runDelete(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runDeleteAsking(arguments, io, answers); });
}

int runEmptyAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    return runDestructive(Destruction::Empty, arguments, io, answers);
}

int runDeleteAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    return runDestructive(Destruction::Delete, arguments, io, answers);
}

} // namespace cli

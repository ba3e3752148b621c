#include "cli/commands.h"

#include "cli/cmd_cleanup.h"
#include "cli/cmd_convert.h"
#include "cli/cmd_files.h"
#include "cli/cmd_indexes.h"
#include "cli/cmd_info.h"
#include "cli/cmd_lookup.h"
#include "cli/cmd_textfiles.h"

#include <QCommandLineParser>

namespace cli {
namespace {

void printOverview(QTextStream &stream)
{
    stream << QStringLiteral("Használat: szotar <parancs> [kapcsolók]\n\n"
                             "A Velkor szótár parancssori eszköze.\n\n"
                             "Parancsok:\n");
    for (const Command &command : commands())
        stream << QStringLiteral("  %1  %2\n").arg(command.name, -14).arg(command.summary);
    stream << QStringLiteral("\nEgy parancs kapcsolóit a „szotar <parancs> --help” írja ki.\n");
}

} // namespace

const std::vector<Command> &commands()
{
    static const std::vector<Command> list = {
        {QStringLiteral("convert-dictd"),
         QStringLiteral("dictd szótár (.index és .dict.dz) átalakítása szótártáblává"),
         &runConvertDictd},
        {QStringLiteral("info"),
         QStringLiteral("egy szótártábla adatai: sorok száma, mezők, indexek"), &runInfo},
        {QStringLiteral("lookup"),
         QStringLiteral("szavak keresése egy szótárban, ahogy a fordító keres"), &runLookup},
        {QStringLiteral("reindex"),
         QStringLiteral("egy szótártábla két nyelvi indexének újraépítése"), &runReindex},
        {QStringLiteral("drop-indexes"),
         QStringLiteral("egy szótártábla nyelvi indexeinek törlése (--yes kell hozzá)"),
         &runDropIndexes},
        {QStringLiteral("create"), QStringLiteral("új, üres szótártábla létrehozása két nyelvhez"),
         &runCreate},
        {QStringLiteral("empty"),
         QStringLiteral("egy szótártábla minden szavának törlése (megerősítéssel)"), &runEmpty},
        {QStringLiteral("delete"),
         QStringLiteral("egy szótártábla törlése a lemezről (megerősítéssel)"), &runDelete},
        {QStringLiteral("import"),
         QStringLiteral("tabulátorral tagolt szövegfájl párjainak felvétele egy szótárba"),
         &runImport},
        {QStringLiteral("export"),
         QStringLiteral("egy szótár kiírása tabulátorral tagolt szövegfájlba"), &runExport},
        {QStringLiteral("clean"),
         QStringLiteral("kitakarítás: „to ” előtagok, magányos betűk vagy DOS ékezetek "
                        "(megerősítéssel)"),
         &runClean},
        {QStringLiteral("german-import"),
         QStringLiteral("feltöltés a német szólistákból (megerősítéssel)"), &runGermanImport},
        {QStringLiteral("restore-backup"),
         QStringLiteral("az utolsó karbantartás visszavonása a mentésből (megerősítéssel)"),
         &runRestoreBackup},
    };
    return list;
}

int runCommandLine(const QStringList &arguments, CliIo &io)
{
    QCommandLineParser parser;
    // Everything after the command name belongs to the command.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("A súgó kiírása."));
    parser.addOption(help);
    parser.addPositionalArgument(QStringLiteral("parancs"), QStringLiteral("A parancs neve."));
    if (!parser.parse(arguments)) {
        io.err << QStringLiteral("Hibás parancssor: %1\n").arg(parser.errorText());
        printOverview(io.err);
        return kExitUsage;
    }
    const QStringList rest = parser.positionalArguments();
    if (parser.isSet(help) || rest.isEmpty()) {
        printOverview(rest.isEmpty() && !parser.isSet(help) ? io.err : io.out);
        return parser.isSet(help) ? kExitOk : kExitUsage;
    }
    for (const Command &command : commands()) {
        if (command.name == rest.front()) {
            const QString program =
                arguments.isEmpty() ? QStringLiteral("szotar") : arguments.front();
            return command.run(QStringList{program} + rest.mid(1), io);
        }
    }
    io.err << QStringLiteral("Ismeretlen parancs: %1\n\n").arg(rest.front());
    printOverview(io.err);
    return kExitUsage;
}

} // namespace cli

#include "cli/cmd_textfiles.h"

#include "cli/cli_prompts.h"
#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "cli/terminal_progress.h"
#include "maintenance/import/text_export.h"
#include "maintenance/import/text_import.h"
#include "maintenance/import/text_line_reader.h"
#include "store/engine/table.h"

#include <QTextStream>

namespace cli {
namespace {

QCommandLineOption reverseOption()
{
    return QCommandLineOption(
        QStringList{QStringLiteral("r"), QStringLiteral("reverse")},
        QStringLiteral("A második nyelv az első oszlop (a fordítási irány a második nyelvről "
                       "az elsőre)."));
}

struct Arguments {
    DictionaryArgument dictionary;
    QString textFile;
};

// The dictionary and the text file of the command line.
std::optional<Arguments> textFileArguments(const QCommandLineParser &parser, const QString &usage,
                                           CliIo &io, int &code)
{
    const QStringList names = parser.positionalArguments();
    if (names.size() != 2) {
        code =
            usageError(names.size() < 2 ? QStringLiteral("A táblát és a szövegfájlt kell megadni.")
                                        : QStringLiteral("Egy tábla és egy szövegfájl adható meg."),
                       usage, io);
        return std::nullopt;
    }
    auto dictionary = dictionaryFile(names[0], io, code);
    if (!dictionary)
        return std::nullopt;
    return Arguments{*dictionary, names[1]};
}

// The open dictionary's fields in the chosen direction.
dictimport::ImportTarget importTarget(store::Table &table, const DictionaryArgument &dictionary,
                                      bool reverse)
{
    store::Field *first = table.findField(dictionary.first);
    store::Field *second = table.findField(dictionary.second);
    return reverse ? dictimport::ImportTarget{table, *second, *first}
                   : dictimport::ImportTarget{table, *first, *second};
}

} // namespace

int runImport(const QStringList &arguments, CliIo &io)
{
    const QString usage = QStringLiteral("szotar import [--reverse] TÁBLA.DB SZÖVEG.txt");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Felveszi a szótárba egy tabulátorral tagolt szövegfájl (soronként: szó, TAB, "
        "fordítás) azon párjait, amelyek még nincsenek benne. A fájl Windows-1250 vagy UTF-8 "
        "kódolású lehet."));
    const QCommandLineOption reverse = reverseOption();
    parser.addOption(reverse);
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    parser.addPositionalArgument(QStringLiteral("szöveg"), QStringLiteral("A szövegfájl."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto given = textFileArguments(parser, usage, io, code);
    if (!given)
        return code;
    CliPrompts prompts(io.err, false);
    TerminalProgress bar(io.err, io.errIsTerminal);
    prompts.setProgressBar(&bar);
    const auto work = [&](store::Session &, store::Table &table) {
        const auto target = importTarget(table, given->dictionary, parser.isSet(reverse));
        const auto imported =
            dictimport::ImportTextFile(target, given->textFile, prompts, bar.callback());
        bar.finish();
        if (!imported)
            return reportError(io, imported.error());
        if (const QString warnings = dictimport::ImportWarnings(*imported); !warnings.isEmpty())
            io.err << QStringLiteral("Figyelem: ")
                   << QString(warnings).replace(u'\n', QStringLiteral("\nFigyelem: ")) << u'\n';
        io.out << QStringLiteral("%1 sor: %2 új pár felvéve, %3 már megvolt, %4 sor kihagyva "
                                 "(nincs benne TAB, vagy üres az egyik oldala).\n")
                      .arg(imported->lines)
                      .arg(imported->added)
                      .arg(imported->present)
                      .arg(imported->skipped);
        return kExitOk;
    };
    return withDictionary(given->dictionary, io, work, [&] { bar.finish(); });
}

int runExportAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    const QString usage = QStringLiteral("szotar export [--reverse] [--yes] TÁBLA.DB SZÖVEG[.txt]");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Kiírja a szótár minden szavát egy tabulátorral tagolt, Windows-1250 kódolású "
        "szövegfájlba (soronként: szó, TAB, fordítás, CR LF). A név végére „.txt” kerül, ha "
        "nem az a kiterjesztése. Létező fájlt csak megerősítés után ír felül."));
    const QCommandLineOption reverse = reverseOption();
    const QCommandLineOption yes =
        yesOption(QStringLiteral("Igennel válaszol a felülírás kérdésére."));
    parser.addOptions({reverse, yes});
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    parser.addPositionalArgument(QStringLiteral("szöveg"), QStringLiteral("A szövegfájl."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto given = textFileArguments(parser, usage, io, code);
    if (!given)
        return code;
    CliPrompts prompts(io.err, parser.isSet(yes), answers);
    TerminalProgress bar(io.err, io.errIsTerminal);
    prompts.setProgressBar(&bar);
    const auto work = [&](store::Session &, store::Table &table) {
        const auto target = importTarget(table, given->dictionary, parser.isSet(reverse));
        // Without a bar to draw, the export spares counting the rows first.
        const auto exported =
            dictimport::ExportTextFile(target, given->textFile, false, prompts,
                                       io.errIsTerminal ? bar.callback() : platform::Progress());
        bar.finish();
        if (!exported)
            return reportError(io, exported.error());
        if (exported->declined)
            return reportUnchanged(io, QStringLiteral("Nem történt változás, a fájl megmaradt."),
                                   answers != nullptr, parser.isSet(yes),
                                   QStringLiteral("a felülíráshoz"));
        if (exported->rowsWithLoss > 0)
            io.err << QStringLiteral("Figyelem: %1 sorban volt Windows-1250-ben nem írható "
                                     "betű; a helyükön „?” áll.\n")
                          .arg(exported->rowsWithLoss);
        io.out << QStringLiteral("%1 sor kiírva: %2\n").arg(exported->rows).arg(exported->path);
        return kExitOk;
    };
    return withDictionary(given->dictionary, io, work, [&] { bar.finish(); });
}

int runExport(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runExportAsking(arguments, io, answers); });
}

} // namespace cli

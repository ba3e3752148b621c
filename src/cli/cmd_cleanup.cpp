#include "cli/cmd_cleanup.h"

#include "cli/cli_prompts.h"
#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "cli/terminal_progress.h"
#include "maintenance/cleanup/cleanups.h"
#include "maintenance/cleanup/germanimport.h"
#include "store/engine/table.h"
#include "store/maintenancebackup.h"

#include <QDir>
#include <QTextStream>

namespace cli {
namespace {

const QCommandLineOption kYesOption = yesOption();

// The result of a clean-up or import, told on out or err.
int finish(const platform::Result<cleanup::Outcome> &result, CliIo &io, bool asked, bool assumeYes,
           QString (*doneText)(const cleanup::Outcome &))
{
    if (!result)
        return reportError(io, result.error());
    if (result->command == store::FileCommand::Cancelled)
        return reportUnchanged(io, QStringLiteral("Nem történt változás."), asked, assumeYes);
    io.out << doneText(*result) << u'\n';
    return kExitOk;
}

} // namespace

int runCleanAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    const QString usage = QStringLiteral("szotar clean --to|--letters|--dos [--yes] TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Kitakarítja a szótárt a természetes irányában (első nyelv → második nyelv). "
        "Előtte biztonsági mentés készül, amelyet a „szotar restore-backup” állít vissza."));
    const QCommandLineOption to(QStringLiteral("to"),
                                QStringLiteral("A „to ” előtag törlése az egyszavas angol "
                                               "igékről (ha a rövid alak már megvan, a sor "
                                               "törlődik)."));
    const QCommandLineOption letters(
        QStringLiteral("letters"),
        QStringLiteral("A magányos betűk törlése (a → a és a → a (betű) sorok)."));
    const QCommandLineOption dos(QStringLiteral("dos"),
                                 QStringLiteral("DOS ékezetes betűk átírása Windows-1250-re "
                                                "mindkét oszlopban."));
    parser.addOptions({to, letters, dos, kYesOption});
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    const int chosen = int(parser.isSet(to)) + int(parser.isSet(letters)) + int(parser.isSet(dos));
    if (chosen != 1)
        return usageError(QStringLiteral("Pontosan egyet kell választani: --to, --letters "
                                         "vagy --dos."),
                          usage, io);
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    const bool assumeYes = parser.isSet(kYesOption);
    CliPrompts prompts(io.err, assumeYes, answers);
    return withDictionary(*dictionary, io, [&](store::Session &session, store::Table &main) {
        TerminalProgress bar(io.err, io.errIsTerminal);
        prompts.setProgressBar(&bar);
        const cleanup::Reporting reporting(prompts, bar.callback());
        platform::Result<cleanup::Outcome> result = cleanup::Outcome{};
        if (parser.isSet(to)) {
            store::Table second(session);
            second.setDatabaseName(main.databaseName());
            second.setTableName(main.tableName());
            second.addField(dictionary->first);
            second.addField(dictionary->second);
            result = cleanup::RemoveToPrefixes(main, second, reporting);
        } else if (parser.isSet(letters)) {
            // The program runs it without a question; here it is destructive
            // like the others and asks.
            if (const auto writable = store::RequireWritable(main); !writable)
                return reportError(io, writable.error());
            if (prompts.askYesCancel(QStringLiteral("Törlöd a magányos betűket (a → a és "
                                                    "a → a (betű))?")) != CliPrompts::kYes)
                return reportUnchanged(io, QStringLiteral("Nem történt változás."),
                                       answers != nullptr, assumeYes);
            result = cleanup::RemoveLoneLetters(main, reporting);
        } else {
            result = cleanup::ConvertDosAccents(main, reporting);
        }
        bar.finish();
        return finish(result, io, answers != nullptr, assumeYes,
                      [](const cleanup::Outcome &outcome) {
                          return QStringLiteral("Kész: %1 sor átnézve, %2 módosítva, %3 törölve.")
                              .arg(outcome.rows)
                              .arg(outcome.changed)
                              .arg(outcome.deleted);
                      });
    });
}

int runGermanImportAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    const QString usage = QStringLiteral("szotar german-import [--dir MAPPA] [--yes] TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Feltölti a szótárt a német szólistákból (A01.TXT … Z01.TXT, "
                       "A02.TXT … Z02.TXT): a német szó az első nyelv oszlopába kerül."));
    const QCommandLineOption dir(
        QStringList{QStringLiteral("d"), QStringLiteral("dir")},
        QStringLiteral("A szólisták mappája (alapértelmezés: %1).")
            .arg(QDir::toNativeSeparators(cleanup::GermanWordListFolder())),
        QStringLiteral("mappa"));
    parser.addOptions({dir, kYesOption});
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    const bool assumeYes = parser.isSet(kYesOption);
    CliPrompts prompts(io.err, assumeYes, answers);
    return withDictionary(*dictionary, io, [&](store::Session &, store::Table &table) {
        TerminalProgress bar(io.err, io.errIsTerminal);
        prompts.setProgressBar(&bar);
        const auto result = cleanup::ImportGermanWordLists(
            table, dictionary->first, dictionary->second,
            parser.isSet(dir) ? parser.value(dir) : cleanup::GermanWordListFolder(),
            dictionary->file.absoluteFilePath(), {prompts, bar.callback()});
        bar.finish();
        return finish(result, io, answers != nullptr, assumeYes,
                      [](const cleanup::Outcome &outcome) {
                          return QStringLiteral("Kész: %1 sor beolvasva, %2 új szópár felvéve.")
                              .arg(outcome.rows)
                              .arg(outcome.changed);
                      });
    });
}

int runRestoreBackupAsking(const QStringList &arguments, CliIo &io, QTextStream *answers)
{
    const QString usage = QStringLiteral("szotar restore-backup [--yes] TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Visszaállítja a szótárt az utolsó karbantartás (kitakarítás, "
                       "ürítés) előtti állapotába a mellette lévő mentésből."));
    parser.addOption(kYesOption);
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    const bool assumeYes = parser.isSet(kYesOption);
    CliPrompts prompts(io.err, assumeYes, answers);
    return withDictionary(*dictionary, io, [&](store::Session &, store::Table &table) {
        const auto restored = store::RestoreLastMaintenance(table, {}, prompts);
        if (!restored)
            return reportError(io, restored.error());
        if (*restored == store::FileCommand::Cancelled)
            return reportUnchanged(io, QStringLiteral("Nem történt változás."), answers != nullptr,
                                   assumeYes);
        io.out << QStringLiteral("A szótár visszaállt az utolsó karbantartás előtti "
                                 "állapotába: %1\n")
                      .arg(dictionary->file.absoluteFilePath());
        return kExitOk;
    });
}

int runClean(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runCleanAsking(arguments, io, answers); });
}

int runGermanImport(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runGermanImportAsking(arguments, io, answers); });
}

int runRestoreBackup(const QStringList &arguments, CliIo &io)
{
    return withTerminalAnswers(
        [&](QTextStream *answers) { return runRestoreBackupAsking(arguments, io, answers); });
}

} // namespace cli

#include "cli/cmd_files.h"

#include "cli/command_parser.h"
#include "platform/prompts.h"
#include "platform/regularfile.h"
#include "store/dictionaries.h"
#include "store/dictionaryfiles.h"
#include "store/dictionaryname.h"
#include "store/engine/engine_error.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <cstdio>
#include <optional>

#include <unistd.h>

namespace cli {
namespace {

using platform::Prompts;

// Asks the questions of a destructive command: "Igen" at once with --yes,
// otherwise on the terminal, and without one "Mégsem", so that a script
// without --yes never destroys anything.
class ConfirmPrompts final : public Prompts {
public:
    ConfirmPrompts(QTextStream &err, QTextStream *answers, bool assumeYes)
        : m_err(err), m_answers(answers), m_assumeYes(assumeYes)
    {}

    QChar askYesNo(const QString &question) override { return ask(question, kNo); }
    QChar askYesCancel(const QString &question) override { return ask(question, kCancel); }
    QChar askYesNoCancel(const QString &question) override { return ask(question, kCancel); }
    void info(const QString &message) override { write(message); }
    void showBusy(const QString &text) override { write(text); }
    void progress(const QString &) override {}
    void finishBusy(const QString &message) override { write(message); }
    void hideBusy() override {}

private:
    QChar ask(const QString &question, QChar negative)
    {
        if (m_assumeYes) {
            write(question + QStringLiteral(" – Igen"));
            return kYes;
        }
        if (!m_answers) {
            write(question + QStringLiteral(" – ") +
                  (negative == kNo ? QStringLiteral("Nem") : QStringLiteral("Mégsem")));
            return negative;
        }
        m_err << question << QStringLiteral(" [i/M] ");
        m_err.flush();
        const QString reply = m_answers->readLine().trimmed().toLower();
        return reply == u"i" || reply == u"igen" ? kYes : negative;
    }

    void write(const QString &text)
    {
        m_err << text << u'\n';
        m_err.flush();
    }

    QTextStream &m_err;
    QTextStream *m_answers;
    bool m_assumeYes;
};

// The dictionary file named on the command line, checked before anything is
// opened; nothing when the command is to end with code.
std::optional<QFileInfo> dictionaryFile(const QCommandLineParser &parser, const QString &usage,
                                        CliIo &io, int &code)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        code = usageError(files.isEmpty() ? QStringLiteral("Hiányzik a tábla neve.")
                                          : QStringLiteral("Egyszerre egy tábla adható meg."),
                          usage, io);
        return std::nullopt;
    }
    code = kExitFailure;
    const QFileInfo file(files.front());
    if (!file.exists()) {
        io.err << QStringLiteral("Hiba: a tábla nem található: %1\n").arg(files.front());
        return std::nullopt;
    }
    if (const QString problem = platform::notRegularFileMessage(files.front());
        !problem.isEmpty()) {
        io.err << QStringLiteral("Hiba: %1\n").arg(problem);
        return std::nullopt;
    }
    const auto [first, second] = SplitDictionaryName(file.fileName());
    if (first.isEmpty() || second.isEmpty()) {
        io.err << QStringLiteral("Hiba: a tábla neve nem „Elso_Masodik.DB” alakú, "
                                 "nem derül ki belőle a két nyelv: %1\n")
                      .arg(files.front());
        return std::nullopt;
    }
    return file;
}

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
    const QCommandLineOption yes(QStringList{QStringLiteral("y"), QStringLiteral("yes")},
                                 QStringLiteral("Igennel válaszol mindkét megerősítő kérdésre."));
    parser.addOption(yes);
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto file = dictionaryFile(parser, usage, io, code);
    if (!file)
        return code;
    const QString path = file->absoluteFilePath();
    const auto [first, second] = SplitDictionaryName(file->fileName());
    ConfirmPrompts prompts(io.err, answers, parser.isSet(yes));
    try {
        store::Session session;
        store::Table table(session);
        table.setDatabaseName(file->absolutePath());
        table.setTableName(file->fileName());
        // Opening with the language fields refuses a file that is no dictionary.
        table.addField(first);
        table.addField(second);
        table.open();
        const auto result = emptying ? store::EmptyDictionary(table, path, prompts)
                                     : store::DeleteDictionary(table, path, {}, prompts);
        if (!result) {
            io.err << QStringLiteral("Hiba: %1\n").arg(result.error());
            return kExitFailure;
        }
        if (*result == store::FileCommand::Cancelled) {
            io.err << QStringLiteral("Nem történt változás.");
            if (!answers && !parser.isSet(yes))
                io.err << QStringLiteral(" Nincs kitől megkérdezni (nem terminálról fut); "
                                         "a végrehajtáshoz add meg a --yes kapcsolót.");
            io.err << u'\n';
            return kExitFailure;
        }
        io.out << (emptying ? QStringLiteral("A szótár minden szava törölve: %1\n")
                            : QStringLiteral("A szótár törölve a lemezről: %1\n"))
                      .arg(path);
    } catch (const store::EngineError &error) {
        io.err << QStringLiteral("Hiba: %1\n").arg(error.message());
        return kExitFailure;
    }
    return kExitOk;
}

// Standard input when a person can answer on it, else nothing.
int runOnTerminal(Destruction what, const QStringList &arguments, CliIo &io)
{
    if (!isatty(STDIN_FILENO))
        return runDestructive(what, arguments, io, nullptr);
    QTextStream in(stdin);
    return runDestructive(what, arguments, io, &in);
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
    if (!created) {
        io.err << QStringLiteral("Hiba: %1\n").arg(created.error());
        return kExitFailure;
    }
    io.out << QStringLiteral("Az új tábla elkészült: %1\n")
                  .arg(QFileInfo(*created).absoluteFilePath());
    return kExitOk;
}

int runEmpty(const QStringList &arguments, CliIo &io)
{
    return runOnTerminal(Destruction::Empty, arguments, io);
}

int runDelete(const QStringList &arguments, CliIo &io)
{
    return runOnTerminal(Destruction::Delete, arguments, io);
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

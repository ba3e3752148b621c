#include "cli/dictionary_argument.h"

#include "cli/command_parser.h"
#include "platform/regularfile.h"
#include "store/dictionaryname.h"
#include "store/engine/engine_error.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QCommandLineParser>

namespace cli {

std::optional<DictionaryArgument> dictionaryArgument(const QCommandLineParser &parser,
                                                     const QString &usage, CliIo &io, int &code)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        code = usageError(files.isEmpty() ? QStringLiteral("Hiányzik a tábla neve.")
                                          : QStringLiteral("Egyszerre egy tábla adható meg."),
                          usage, io);
        return std::nullopt;
    }
    return dictionaryFile(files.front(), io, code);
}

std::optional<DictionaryArgument> dictionaryFile(const QString &name, CliIo &io, int &code)
{
    code = kExitFailure;
    const QFileInfo file(name);
    if (!file.exists()) {
        io.err << QStringLiteral("Hiba: a tábla nem található: %1\n").arg(name);
        return std::nullopt;
    }
    if (const QString problem = platform::notRegularFileMessage(name); !problem.isEmpty()) {
        io.err << QStringLiteral("Hiba: %1\n").arg(problem);
        return std::nullopt;
    }
    const auto [first, second] = SplitDictionaryName(file.fileName());
    if (first.isEmpty() || second.isEmpty()) {
        io.err << QStringLiteral("Hiba: a tábla neve nem „Elso_Masodik.DB” alakú, "
                                 "nem derül ki belőle a két nyelv: %1\n")
                      .arg(name);
        return std::nullopt;
    }
    return DictionaryArgument{file, first, second};
}

void openDictionaryArgument(store::Table &table, const DictionaryArgument &dictionary)
{
    table.setDatabaseName(dictionary.file.absolutePath());
    table.setTableName(dictionary.file.fileName());
    table.addField(dictionary.first);
    table.addField(dictionary.second);
    table.open();
}

int withDictionary(CliIo &io, const DictionaryWork &work, const std::function<void()> &beforeError)
{
    try {
        store::Session session;
        store::Table table(session);
        return work(session, table);
    } catch (const store::EngineError &error) {
        if (beforeError)
            beforeError();
        return reportError(io, error.message());
    }
}

int withDictionary(const DictionaryArgument &dictionary, CliIo &io, const DictionaryWork &work,
                   const std::function<void()> &beforeError)
{
    return withDictionary(
        io,
        [&](store::Session &session, store::Table &table) {
            openDictionaryArgument(table, dictionary);
            return work(session, table);
        },
        beforeError);
}

} // namespace cli

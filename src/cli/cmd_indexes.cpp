#include "cli/cmd_indexes.h"

#include "cli/cli_prompts.h"
#include "cli/command_parser.h"
#include "cli/dictionary_argument.h"
#include "store/engine/table.h"
#include "store/indexupkeep.h"

namespace cli {
namespace {

QString indexList(store::Table &table)
{
    const QStringList names = table.indexNames();
    return names.isEmpty() ? QStringLiteral("nincs") : names.join(QStringLiteral(", "));
}

} // namespace

int runReindex(const QStringList &arguments, CliIo &io)
{
    const QString usage = QStringLiteral("szotar reindex TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Újraépíti egy szótártábla két nyelvi indexét (i + mezőnév), "
                       "és törli a „.nip” újraindexelési jelzőt."));
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    return withDictionary(*dictionary, io, [&](store::Session &, store::Table &table) {
        CliPrompts prompts(io.err, false);
        const platform::Status rebuilt =
            store::RebuildIndexes(table, dictionary->first, dictionary->second, prompts);
        if (!rebuilt)
            return reportError(io, rebuilt.error());
        io.out << QStringLiteral("Indexek: %1\n").arg(indexList(table));
        return kExitOk;
    });
}

int runDropIndexes(const QStringList &arguments, CliIo &io)
{
    const QString usage = QStringLiteral("szotar drop-indexes [--yes] TÁBLA.DB");
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Törli egy szótártábla nyelvi mezőinek minden indexét. "
                       "A programban a szótár következő megnyitása újraépíti őket."));
    const QCommandLineOption yes = yesOption();
    parser.addOption(yes);
    parser.addPositionalArgument(QStringLiteral("tábla"), QStringLiteral("A tábla állománya."));
    if (const auto done = parseCommandArguments(parser, usage, arguments, io))
        return *done;
    int code = kExitOk;
    const auto dictionary = dictionaryArgument(parser, usage, io, code);
    if (!dictionary)
        return code;
    return withDictionary(*dictionary, io, [&](store::Session &, store::Table &table) {
        CliPrompts prompts(io.err, parser.isSet(yes));
        switch (store::DropIndexes(table, dictionary->first, dictionary->second, prompts)) {
        case store::DropOutcome::Dropped:
            io.out << QStringLiteral("Indexek: %1\n").arg(indexList(table));
            return kExitOk;
        case store::DropOutcome::Declined:
            io.err << QStringLiteral("Az indexek megmaradtak; a törléshez add meg a --yes "
                                     "kapcsolót.\n");
            return kExitFailure;
        case store::DropOutcome::Failed:
            return kExitFailure;
        }
        return kExitFailure;
    });
}

} // namespace cli

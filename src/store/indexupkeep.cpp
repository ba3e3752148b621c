#include "store/indexupkeep.h"

#include "platform/prompts.h"
#include "platform/text/textfunctions.h"
#include "store/dictionaryformat.h"
#include "store/engine/engine_error.h"
#include "store/engine/messages.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace store {
namespace {

QString busyText(const QString &fromColumn, const QString &toColumn)
{
    return WithArticle(fromColumn) + QStringLiteral("-") + toColumn +
           QStringLiteral(" szótár indexelése folyamatban van.\n") +
           QStringLiteral("Ez több percig is tarthat.") + QStringLiteral("\n") +
           QStringLiteral("Várj türelemmel...");
}

void reopenIfPossible(Table &table)
{
    try {
        table.open();
    } catch (const EngineError &) {
        // The table stays closed; the first error is the one to report.
    }
}

} // namespace

QString RebuiltIndexName(const QString &column)
{
    return QStringLiteral("i") + column;
}

QStringList LanguageIndexes(Table &table, const QString &first, const QString &second)
{
    return table.indexesOnFields({first, second});
}

QStringList DropSecondaryIndexes(Table &table, const QString &first, const QString &second)
{
    // Only what the file holds is dropped, so "no such index" cannot occur
    // and any error the engine raises is a real one.
    const QStringList names = LanguageIndexes(table, first, second);
    for (const QString &name : names)
        table.deleteIndex(name);
    return names;
}

Status RebuildIndexes(Table &table, const QString &fromColumn, const QString &toColumn,
                      platform::Prompts &prompts)
{
    prompts.showBusy(busyText(fromColumn, toColumn));
    const QString dictionaryFile = table.filePath();
    try {
        table.close();
        DropSecondaryIndexes(table, fromColumn, toColumn);
        for (const char *extension : kIndexFileExtensions)
            QFile::remove(sideFile(dictionaryFile, extension)); // usually not there
        table.addIndex(RebuiltIndexName(fromColumn), fromColumn, true);
        prompts.progress(QStringLiteral("50% kész..."));
        table.addIndex(RebuiltIndexName(toColumn), toColumn, true);
    } catch (const EngineError &error) {
        prompts.hideBusy();
        reopenIfPossible(table);
        return Failure{error.message()};
    }
    QFile::remove(sideFile(dictionaryFile, kRebuildMarkerExtension));
    prompts.finishBusy(QStringLiteral("Indexelés kész"));
    try {
        table.open();
    } catch (const EngineError &error) {
        return Failure{error.message()};
    }
    return Done{};
}

DropOutcome DropIndexes(Table &table, const QString &fromColumn, const QString &toColumn,
                        platform::Prompts &prompts)
{
    if (prompts.askYesCancel(QStringLiteral("Biztosan törlöd az indexeket?")) !=
        platform::Prompts::kYes)
        return DropOutcome::Declined;
    DropOutcome outcome = DropOutcome::Dropped;
    try {
        table.close();
        DropSecondaryIndexes(table, fromColumn, toColumn);
        prompts.info(QStringLiteral("Indexek törölve"));
    } catch (const EngineError &error) {
        prompts.info(error.message());
        outcome = DropOutcome::Failed;
    }
    try {
        table.setExclusive(false);
        table.clearIndexName();
        table.open();
    } catch (const EngineError &error) {
        prompts.info(error.message());
        outcome = DropOutcome::Failed;
    }
    return outcome;
}

} // namespace store

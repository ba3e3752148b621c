#include "store/opendictionary.h"

#include "platform/paths.h"
#include "store/appstate.h"
#include "store/dictionaryformat.h"
#include "store/dictionaryname.h"
#include "store/dm1.h"
#include "store/indexupkeep.h"

#include <QFileInfo>

#include <tuple>

namespace store {
namespace {

void testOpen(Table &tblEllen, const QFileInfo &file)
{
    tblEllen.close();
    tblEllen.setDatabaseName(file.path());
    tblEllen.setTableName(file.fileName());
    tblEllen.open();
    tblEllen.close();
}

// False when the marker asks for a rebuild or a language column has no
// usable index.
bool indexesUsable(Table &table, const AppState &state)
{
    if (QFileInfo::exists(sideFile(state.DictionaryFile, kRebuildMarkerExtension)))
        return false;
    try {
        table.setIndexFieldNames(state.ToColumn);
        table.setIndexFieldNames(state.FromColumn);
    } catch (const EngineError &) {
        return false;
    }
    return true;
}

void bindSecondCursor(Table &second, const Table &checked, const QString &fromColumn)
{
    second.close();
    second.setDatabaseName(checked.databaseName());
    second.setTableName(checked.tableName());
    second.clearIndexName();
    try {
        second.setIndexFieldNames(fromColumn);
    } catch (const EngineError &) {
        // The second cursor's order is set again when it is opened.
    }
}

void closeQuietly(Table &table)
{
    try {
        table.close();
    } catch (const EngineError &) {
        // Closing after a failure: the failure is the one to report.
    }
}

} // namespace

Status OpenDictionary(TDM1 &dm, AppState &state, const QString &path,
                      const std::function<bool(const QString &fileName)> &secondToFirst,
                      platform::Prompts &prompts)
{
    const QFileInfo info(path);
    try {
        testOpen(dm.tblEllen, info);
    } catch (const EngineError &error) {
        return Failure{error.message()};
    }
    try {
        state.DatabaseDir = info.path();
        state.DatabasePath = paths::withSeparator(info.path());
        state.DictionaryFile = path;
        const bool reversed = secondToFirst ? secondToFirst(info.fileName()) : false;
        std::tie(state.FromColumn, state.ToColumn) = SplitDictionaryName(info.fileName());
        dm.tblSzotarP.close();
        dm.ApplyDirection(state, reversed);
        dm.tblSzotarP.setDatabaseName(dm.tblEllen.databaseName());
        dm.tblSzotarP.setTableName(dm.tblEllen.tableName());
        dm.tblSzotarP.clearIndexName();
        dm.tblSzotarP.open();
        if (!indexesUsable(dm.tblSzotarP, state)) {
            const Status rebuilt =
                RebuildIndexes(dm.tblSzotarP, state.FromColumn, state.ToColumn, prompts);
            if (!rebuilt) {
                closeQuietly(dm.tblSzotarP);
                return rebuilt;
            }
        }
        dm.tblSzotarP.setIndexFieldNames(state.FromColumn);
        dm.tblSzotarP.first();
        bindSecondCursor(dm.tblSzotarP2, dm.tblEllen, state.FromColumn);
    } catch (const EngineError &error) {
        closeQuietly(dm.tblSzotarP);
        return Failure{error.message()};
    }
    return Done{};
}

} // namespace store

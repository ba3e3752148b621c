#include "maintenance/indexmaintenance.h"

#include "dialogs/questions.h"
#include "platform/text/textfunctions.h"
#include "store/appstate.h"
#include "store/dictionaryformat.h"
#include "store/dm1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString indexName(const QString &column)
{
    return QStringLiteral("i") + column;
}

void dropQuietly(store::Table &table, const QString &column)
{
    try {
        table.deleteIndex(indexName(column));
    } catch (const store::EngineError &) {
        // No such index: nothing to drop.
    }
}

void restoreCursor()
{
    while (QApplication::overrideCursor())
        QApplication::restoreOverrideCursor();
}

} // namespace

void RebuildIndexes(TDM1 &dm, const AppState &state)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowBusy(WithArticle(state.FromColumn) + QStringLiteral("-") + state.ToColumn +
             QStringLiteral(" szótár indexelése folyamatban van.\n") +
             QStringLiteral("Ez több percig is tarthat.") + QStringLiteral("\n") +
             QStringLiteral("Várj türelemmel..."));
    QApplication::processEvents();
    store::Table &table = dm.tblSzotarP;
    table.close();
    dropQuietly(table, state.FromColumn);
    dropQuietly(table, state.ToColumn);
    for (const char *extension : store::kIndexFileExtensions)
        QFile::remove(store::sideFile(state.DictionaryFile, extension));
    try {
        table.addIndex(indexName(state.FromColumn), state.FromColumn, true);
        SetBusyText(BusyText() + QStringLiteral("\n") + QStringLiteral("50% kész..."));
        table.addIndex(indexName(state.ToColumn), state.ToColumn, true);
    } catch (...) {
        HideBusy();
        restoreCursor();
        try {
            table.open();
        } catch (const store::EngineError &) {
            // The table stays closed; the caller reports the first error.
        }
        throw;
    }
    QFile::remove(store::sideFile(state.DictionaryFile, store::kRebuildMarkerExtension));
    FinishBusy(QStringLiteral("Indexelés kész"));
    table.open();
}

void bbtnIndTorlClick(TDM1 &dm, const AppState &state)
{
    if (AskYesCancel(QStringLiteral("Biztosan törlöd az indexeket?")) != QLatin1Char('I'))
        return;
    store::Table &table = dm.tblSzotarP;
    table.close();
    dropQuietly(table, state.FromColumn);
    dropQuietly(table, state.ToColumn);
    ShowInfo(QStringLiteral("Indexek törölve"));
    try {
        table.setExclusive(false);
        table.clearIndexName();
        table.open();
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
    }
}

void bbtnUjraIndClick(TDM1 &dm, const AppState &state)
{
    try {
        RebuildIndexes(dm, state);
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
    }
}

#include "store/dictionaryfiles.h"

#include "platform/prompts.h"
#include "store/appstate.h"
#include "store/dictionary_backup.h"
#include "store/dictionaryformat.h"
#include "store/engine/table.h"
#include "store/maintenancebackup.h"

#include <QDir>
#include <QFile>

namespace store {
namespace {

using platform::Prompts;

// Both questions of a destructive command; false unless both are Igen.
bool confirmTwice(Prompts &prompts, const QString &first, const QString &second)
{
    return prompts.askYesCancel(first) == Prompts::kYes &&
           prompts.askYesCancel(second) == Prompts::kYes;
}

} // namespace

Result<FileCommand> EmptyDictionary(Table &table, const QString &dictionaryFile, Prompts &prompts)
{
    if (const Status writable = RequireWritable(table); !writable)
        return writable.failure();
    if (!confirmTwice(prompts,
                      dictionaryFile + u'\n' + QStringLiteral("Törlöd a szótár tartalmát?"),
                      QStringLiteral("Biztosan törlöd a teljes tartalmat?\n"
                                     "(Minden adat el fog veszni!)")))
        return FileCommand::Cancelled;
    // The last emptying can be undone ("Utolsó karbantartás visszavonása").
    auto backup = BackUpBeforeChange(table);
    if (!backup)
        return backup.failure();
    try {
        // An empty table stays as it is, and so does the backup before.
        if (table.recordCount() == 0)
            return FileCommand::Done;
        // Emptied in place, in one statement: the table stays open and its
        // views learn of it. A failure leaves every row.
        table.emptyTable();
    } catch (const EngineError &error) {
        return Failure{error.message()};
    }
    if (const Status kept = KeepBackup(**backup); !kept)
        return kept.failure();
    return FileCommand::Done;
}

Result<FileCommand> DeleteDictionary(Table &table, const QString &dictionaryFile,
                                     const std::function<void()> &closeDictionary, Prompts &prompts)
{
    if (!confirmTwice(
            prompts, dictionaryFile + u'\n' + QStringLiteral("Törlöd a teljes szótárt a lemezről?"),
            QStringLiteral("Biztosan törlöd a teljes szótárt a lemezről?\n"
                           "(Minden adat el fog veszni!)")))
        return FileCommand::Cancelled;
    try {
        if (closeDictionary)
            closeDictionary();
        table.close();
        table.deleteTable();
        QFile::remove(sideFile(table.filePath(), kRebuildMarkerExtension));
        // Its backup goes too: it must never be restored into a new
        // dictionary of the same name.
        RemoveBackupOf(table.filePath());
        // A clean-up's lock file a killed program left goes as well.
        MaintenanceLock(table.filePath()).tryLock();
    } catch (const EngineError &error) {
        return Failure{error.message()};
    }
    return FileCommand::Done;
}

void ChangeDatabaseFolder(AppState &state, const QString &folder)
{
    state.DatabaseDir = folder;
    state.DatabasePath =
        folder.endsWith(u'/') || folder.endsWith(QDir::separator()) ? folder : folder + u'/';
}

} // namespace store

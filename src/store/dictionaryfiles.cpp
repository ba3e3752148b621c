#include "store/dictionaryfiles.h"

#include "platform/prompts.h"
#include "store/appstate.h"
#include "store/engine/table.h"
#include "store/engine/table_backup.h"
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
    if (const Status saved = BackUpBeforeChange(table); !saved)
        return saved.failure();
    try {
        // Emptied in place: the table stays open and its views learn of it.
        table.emptyTable();
    } catch (const EngineError &error) {
        return Failure{error.message()};
    }
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
        // Its backup goes too: it must never be restored into a new
        // dictionary of the same name.
        QFile::remove(BackupFileOf(dictionaryFile));
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

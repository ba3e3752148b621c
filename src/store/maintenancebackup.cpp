#include "store/maintenancebackup.h"

#include "platform/prompts.h"
#include "store/dictionary_backup.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

Status RequireWritable(const Table &table)
{
    if (!table.isOpen())
        return Failure{QStringLiteral("Nincs megnyitott szótár")};
    if (table.isReadOnly())
        return Failure{QStringLiteral("A szótár csak olvasható, ezért nem módosítható; "
                                      "semmi sem változott:\n") +
                       native(table.filePath())};
    return Done{};
}

Result<std::unique_ptr<PendingBackup>> BackUpBeforeChange(const Table &table)
{
    try {
        return std::make_unique<PendingBackup>(table.filePath(), table.session().vfs());
    } catch (const EngineError &error) {
        return Failure{QStringLiteral("Nem sikerült biztonsági mentést készíteni a szótárról, "
                                      "ezért a művelet el sem kezdődött; semmi sem "
                                      "változott.\n") +
                       error.message()};
    }
}

MaintenanceLock::MaintenanceLock(const QString &dictionaryFile)
    : m_lock(dictionaryFile + QStringLiteral(".zar"))
{
    // Only a lock whose program has ended is stale, however long a run takes.
    m_lock.setStaleLockTime(0);
}

Result<std::unique_ptr<MaintenanceLock>> LockForMaintenance(const Table &table)
{
    auto lock = std::make_unique<MaintenanceLock>(table.filePath());
    if (!lock->tryLock())
        return Failure{QStringLiteral("A szótáron egy másik program éppen karbantartást végez, "
                                      "ezért a művelet el sem kezdődött; semmi sem változott:\n") +
                       native(table.filePath())};
    return lock;
}

Status KeepBackup(PendingBackup &backup)
{
    try {
        backup.place();
    } catch (const EngineError &error) {
        return Failure{QStringLiteral("A művelet elkészült, de a mentése nem került a helyére, "
                                      "így nem vonható vissza.\n") +
                       error.message()};
    }
    return Done{};
}

Result<FileCommand> RestoreLastMaintenance(Table &table,
                                           const std::function<void()> &closeDictionary,
                                           platform::Prompts &prompts)
{
    const QString path = table.filePath();
    if (!HasBackup(path))
        return Failure{QStringLiteral("Nincs visszavonható karbantartás: ehhez a szótárhoz "
                                      "még nem készült mentés.\n") +
                       native(path)};
    // The mode bits decide, as for opening: a superuser could write anything.
    const auto permissions = QFileInfo(path).permissions();
    if (!(permissions & (QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther)))
        return Failure{QStringLiteral("A szótár csak olvasható, ezért nem állítható vissza; "
                                      "semmi sem változott:\n") +
                       native(path)};
    if (prompts.askYesCancel(QStringLiteral("Visszaállítod a szótárt az utolsó karbantartás "
                                            "előtti állapotába?\n(Az azóta történt "
                                            "változások elvesznek!)")) != platform::Prompts::kYes)
        return FileCommand::Cancelled;
    try {
        if (closeDictionary)
            closeDictionary();
        table.close();
        if (table.session().isHeld(path))
            return Failure{QStringLiteral("A szótárt a program egy másik része még használja, "
                                          "ezért nem állítható vissza:\n") +
                           native(path)};
        RestoreTableFile(path, table.session().vfs());
    } catch (const EngineError &error) {
        return Failure{QStringLiteral("A visszaállítás nem sikerült; a szótár olyan maradt, "
                                      "amilyen volt.\n") +
                       error.message()};
    }
    return FileCommand::Done;
}

} // namespace store

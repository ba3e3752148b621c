#include "store/engine/messages.h"

#include "platform/text/textfunctions.h"

#include <QDir>

#include <sqlite3.h>

namespace store::messages {
namespace {

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

EngineError make(const QString &text, const QString &path)
{
    return EngineError(text + QLatin1Char('\n') + native(path));
}

} // namespace

EngineError notFound(const QString &path)
{
    return make(QStringLiteral("A szótártábla nem található:"), path);
}

EngineError isDirectory(const QString &path)
{
    return make(QStringLiteral("Ez nem szótártábla, hanem egy mappa:"), path);
}

EngineError noReadPermission(const QString &path)
{
    return make(QStringLiteral("Nincs olvasási jog a szótártáblához:"), path);
}

EngineError notDictionary(const QString &path, const QString &reason)
{
    return EngineError(
        QStringLiteral("A fájl nem szótártábla (%1):\n%2").arg(reason, native(path)));
}

EngineError missingField(const QString &path, const QString &field)
{
    return make(WithArticle(field) + QStringLiteral(" mező nem található a szótártáblában:"), path);
}

EngineError noIndex(const QString &path, const QString &field)
{
    return make(WithArticle(field) + QStringLiteral(" mezőnek nincs indexe:"), path);
}

EngineError noSuchIndex(const QString &path, const QString &index)
{
    return make(WithArticle(index) + QStringLiteral(" index nem létezik:"), path);
}

EngineError indexExists(const QString &path, const QString &index)
{
    return make(WithArticle(index) + QStringLiteral(" index már létezik:"), path);
}

EngineError readOnly(const QString &path)
{
    return make(QStringLiteral("A szótártábla csak olvasható, nem módosítható:"), path);
}

EngineError notOpen(const QString &path)
{
    return make(QStringLiteral("A szótártábla nincs megnyitva:"), path);
}

EngineError mustBeClosed(const QString &path, const QString &what)
{
    return make(what + QStringLiteral(" csak lezárt táblán lehetséges:"), path);
}

EngineError notEditing(const QString &path)
{
    return make(QStringLiteral("A szótártábla nincs szerkesztő állapotban:"), path);
}

EngineError nothingToDelete(const QString &path)
{
    return make(QStringLiteral("Nincs törölhető sor a szótártáblában:"), path);
}

EngineError alreadyExists(const QString &path)
{
    return make(QStringLiteral("A szótártábla már létezik:"), path);
}

EngineError inUse(const QString &path)
{
    return make(QStringLiteral("A szótártábla használatban van:"), path);
}

EngineError duplicateKey(const QString &path, qint64 key)
{
    return make(QStringLiteral("Kulcsütközés: a(z) %1 azonosító már foglalt:").arg(key), path);
}

EngineError keyOutOfRange(const QString &path, qint64 key)
{
    return make(QStringLiteral("Az azonosító (%1) kívül esik a megengedett tartományon:").arg(key),
                path);
}

EngineError cannotDelete(const QString &path)
{
    return make(QStringLiteral("Nem sikerült törölni a fájlt:"), path);
}

EngineError deletedMeanwhile(const QString &path)
{
    return make(QStringLiteral("A szerkesztett szócikket közben egy másik program törölte, ezért a "
                               "módosítás nem menthető. A beírt szöveg megmaradt: újra mentve "
                               "új szócikként kerül a szótárba. A szótártábla:"),
                path);
}

EngineError needsRecovery(const QString &path)
{
    return make(QStringLiteral("A szótártábla helyreállításra szorul (félbemaradt írás nyoma "
                               "maradt mellette), de csak olvasható. Nyisd meg egyszer írható "
                               "módon:"),
                path);
}

EngineError cannotInstall(const QString &path)
{
    return make(QStringLiteral("Az elkészült szótártábla nem helyezhető a helyére:"), path);
}

QString sqliteReason(int code)
{
    switch (code & 0xff) {
    case SQLITE_FULL:
        return QStringLiteral("betelt a lemez");
    case SQLITE_IOERR:
        return QStringLiteral("írási vagy olvasási hiba");
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QStringLiteral("egy másik program zárolja");
    case SQLITE_CORRUPT:
        return QStringLiteral("sérült");
    case SQLITE_NOTADB:
        return QStringLiteral("nem adatbázis");
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return QStringLiteral("nem írható");
    case SQLITE_CANTOPEN:
        return QStringLiteral("nem nyitható meg");
    default:
        return QString::fromUtf8(sqlite3_errstr(code));
    }
}

EngineError fromSqlite(const QString &path, int code, const QString &detail)
{
    if (code == SQLITE_READONLY_ROLLBACK || code == SQLITE_READONLY_RECOVERY ||
        code == SQLITE_READONLY_CANTINIT)
        return needsRecovery(path);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return make(QStringLiteral("A szótártáblát egy másik program használja (zárolva van):"),
                    path);
    case SQLITE_READONLY:
        return readOnly(path);
    case SQLITE_FULL:
        return make(QStringLiteral("Betelt a lemez, nem sikerült írni a szótártáblába:"), path);
    case SQLITE_CORRUPT:
        return make(QStringLiteral("A szótártábla sérült:"), path);
    case SQLITE_NOTADB:
        return notDictionary(path, QStringLiteral("ismeretlen fájlformátum"));
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return make(QStringLiteral("Nincs jogosultság a szótártábla használatához:"), path);
    case SQLITE_CANTOPEN:
        return make(QStringLiteral("A szótártábla nem nyitható meg:"), path);
    case SQLITE_IOERR:
        return make(QStringLiteral("Írási vagy olvasási hiba a szótártáblán:"), path);
    default:
        return EngineError(
            QStringLiteral("Hiba a szótártábla kezelésében:\n%1\n(%2)").arg(native(path), detail));
    }
}

} // namespace store::messages

#include "store/dictionaries.h"

#include "platform/regularfile.h"
#include "store/dictionaryfile.h"
#include "store/dictionaryname.h"
#include "store/engine/collation.h"
#include "store/engine/engine_error.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace store {
namespace {

const QString kExtension = QStringLiteral(".DB");

Failure creationFailure(const QString &reason)
{
    return Failure{QStringLiteral("Nem sikerült létrehozni az állományt\n") + reason};
}

// Why the two names cannot name a dictionary; empty when they can.
QString namesProblem(const QString &first, const QString &second)
{
    if (first.isEmpty() || second.isEmpty())
        return QStringLiteral("A nyelv neve nem lehet üres.");
    for (const QString &name : {first, second}) {
        const char32_t c = ForbiddenNameCharacter(name);
        if (c == U'/' || c == U'\\' || c == U':')
            return QStringLiteral("A nyelv neve nem tartalmazhat elválasztó jelet: %1").arg(name);
        // Invisible characters are named by their code, so that the user
        // sees what to remove.
        if (c != 0)
            return QStringLiteral("A nyelv neve nem tartalmazhat fájlnévben tiltott vagy "
                                  "láthatatlan jelet (U+%1): %2")
                .arg(QString::number(quint32(c), 16).toUpper().rightJustified(4, u'0'), name);
    }
    if (first.compare(second, Qt::CaseInsensitive) == 0)
        return QStringLiteral("A két nyelv neve nem lehet azonos: %1").arg(first);
    for (const QString &name : {first, second}) {
        if (name.compare(QStringLiteral("Azon"), Qt::CaseInsensitive) == 0)
            return QStringLiteral("Az „Azon” név a kulcsmezőé, nem lehet nyelv neve.");
    }
    // The languages are read back from the file name, so the name must give
    // back exactly these two.
    const auto [readFirst, readSecond] = SplitDictionaryName(first + QLatin1Char('_') + second);
    if (readFirst != first || readSecond != second)
        return QStringLiteral("A nyelv neve nem tartalmazhat pontot, az első aláhúzásjelet, "
                              "és nem végződhet számjegyre: %1_%2")
            .arg(first, second);
    return QString();
}

bool isTaken(const QStringList &entries, const QString &name)
{
    return std::any_of(entries.begin(), entries.end(), [&](const QString &entry) {
        return entry.compare(name, Qt::CaseInsensitive) == 0;
    });
}

} // namespace

QStringList ListDictionaries(const QString &dir)
{
    QStringList names;
    const QDir folder(dir);
    if (dir.isEmpty() || !folder.exists())
        return names;
    const QFileInfoList entries =
        folder.entryInfoList(QStringList{QLatin1Char('*') + kExtension},
                             QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name.size() > kExtension.size() &&
            name.right(kExtension.size()).compare(kExtension, Qt::CaseInsensitive) == 0 &&
            IsDictionaryName(name) && platform::isRegularFile(entry.filePath()))
            names << name.left(name.size() - kExtension.size());
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = collation::compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

QString NewDictionaryFileName(const QString &dir, const QString &first, const QString &second)
{
    const QStringList entries =
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    const QString base = first + QLatin1Char('_') + second;
    QString name = base + kExtension;
    for (int k = 1; isTaken(entries, name); ++k)
        name = base + QString::number(k) + kExtension;
    return name;
}

Result<QString> CreateDictionaryTable(const QString &dir, const QString &first,
                                      const QString &second)
{
    const QString l1 = first.trimmed();
    const QString l2 = second.trimmed();
    if (const QString problem = namesProblem(l1, l2); !problem.isEmpty())
        return creationFailure(problem);
    if (!QFileInfo(dir).isDir())
        return creationFailure(QStringLiteral("A könyvtár nem létezik: %1").arg(dir));
    const QString path = QDir(dir).filePath(NewDictionaryFileName(dir, l1, l2));
    try {
        CreateDictionaryFile(path, l1, l2);
    } catch (const EngineError &error) {
        return creationFailure(error.message());
    }
    return path;
}

} // namespace store

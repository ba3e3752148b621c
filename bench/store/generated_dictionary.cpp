#include "generated_dictionary.h"

#include "store/dictionaryfile.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <map>
#include <memory>

namespace bench {
namespace {

QString word(std::uint64_t seed, const char16_t *letters, int letterCount)
{
    std::uint64_t x = seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull;
    auto nextRandom = [&x] {
        x ^= x >> 12;
        x ^= x << 25;
        x ^= x >> 27;
        return x * 2685821657736338717ull;
    };
    const int length = 3 + int(nextRandom() % 10);
    QString text;
    for (int i = 0; i < length; ++i)
        text.append(QChar(letters[nextRandom() % std::uint64_t(letterCount)]));
    return text;
}

} // namespace

QString benchFolder()
{
    static QTemporaryDir dir;
    return dir.path();
}

QString sourceWord(int n)
{
    static constexpr char16_t kLetters[] = u"abcdefghijklmnopqrstuvwxyzeeaaiioo";
    // Every seventh entry shares its source with the one before.
    return word(std::uint64_t(n - (n % 7 == 6 ? 1 : 0)), kLetters, 34);
}

QString targetWord(int n)
{
    static constexpr char16_t kLetters[] = u"aábcdeéfghiíjklmnoóöőprstuúüűvz";
    return word(std::uint64_t(n) + 77777777ull, kLetters, 31);
}

QString generatedDictionary(int rows)
{
    static std::map<int, QString> made;
    if (auto it = made.find(rows); it != made.end())
        return it->second;
    const QString folder = QDir(benchFolder()).filePath(QStringLiteral("d%1").arg(rows));
    QDir().mkpath(folder);
    store::CreateDictionaryFile(QDir(folder).filePath(QStringLiteral("Angol_Magyar.DB")),
                                QStringLiteral("Angol"), QStringLiteral("Magyar"));
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(folder);
    table.setTableName(QStringLiteral("Angol_Magyar.DB"));
    // Filled without its indexes, which are built once at the end.
    table.deleteIndex(QStringLiteral("Angol"));
    table.deleteIndex(QStringLiteral("Magyar"));
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    table.open();
    {
        store::BatchScope batch(table);
        for (int n = 0; n < rows; ++n) {
            table.append();
            source->setAsString(sourceWord(n));
            target->setAsString(targetWord(n));
            table.post();
        }
        batch.commit();
    }
    table.close();
    table.addIndex(QStringLiteral("Angol"), QStringLiteral("Angol"));
    table.addIndex(QStringLiteral("Magyar"), QStringLiteral("Magyar"));
    made[rows] = folder;
    return folder;
}

} // namespace bench

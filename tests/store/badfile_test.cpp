#include "support/dictionary_fixture.h"
#include "support/printers.h"

#include <QCryptographicHash>
#include <QFile>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

struct BadFile {
    const char *name;
    void (*make)(const QString &path);
    const char16_t *messagePart;
};

void PrintTo(const BadFile &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class BadFileTest : public DictionaryFixture, public ::testing::WithParamInterface<BadFile> {};

TEST_P(BadFileTest, FailsWithAClearMessageAndLeavesTheFileAlone)
{
    const QString file = path();
    GetParam().make(file);
    const QByteArray before = digestOf(file);
    auto table = makeTable();
    try {
        table->open();
        FAIL() << "opening must fail";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf16(GetParam().messagePart)))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(u"Angol_Magyar.DB"_s));
    }
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(digestOf(file), before);
    EXPECT_FALSE(QFile::exists(file + u"-wal"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadFileTest,
    ::testing::Values(
        BadFile{"missing", [](const QString &) {}, u"nem található"},
        BadFile{"zero_bytes", [](const QString &p) { writeFile(p, {}); }, u"üres fájl"},
        BadFile{"random_bytes",
                [](const QString &p) {
                    QByteArray bytes;
                    for (int i = 0; i < 4096; ++i)
                        bytes.append(char((i * 7919) % 251));
                    writeFile(p, bytes);
                },
                u"nem szótártábla"},
        // A table file of another database program: a binary header and records.
        BadFile{"foreign_table",
                [](const QString &p) {
                    QByteArray bytes("\x96\x00\x00\x08\x00\x00\x00\x00\x02\x00", 10);
                    bytes.append(2038, '\0');
                    writeFile(p, bytes);
                },
                u"ismeretlen fájlformátum"},
        BadFile{"truncated_header",
                [](const QString &p) { writeFile(p, QByteArray("SQLite form")); },
                u"ismeretlen fájlformátum"},
        BadFile{"two_tables",
                [](const QString &p) {
                    runSql(p, "CREATE TABLE a(Azon INTEGER PRIMARY KEY, Angol TEXT, Magyar "
                              "TEXT); CREATE TABLE b(x)");
                },
                u"több táblát"},
        BadFile{"no_key",
                [](const QString &p) { runSql(p, "CREATE TABLE a(Angol TEXT, Magyar TEXT)"); },
                u"Azon"},
        BadFile{"other_columns",
                [](const QString &p) {
                    runSql(p, "CREATE TABLE a(Azon INTEGER PRIMARY KEY, Nev TEXT, Kor TEXT)");
                },
                u"Angol mező nem található"},
        BadFile{"numeric_column",
                [](const QString &p) {
                    runSql(p, "CREATE TABLE a(Azon INTEGER PRIMARY KEY, Angol REAL, Magyar TEXT)");
                },
                u"nem szöveges"},
        BadFile{"directory", [](const QString &p) { QDir().mkpath(p); }, u"mappa"},
        BadFile{"no_read_permission",
                [](const QString &p) {
                    runSql(p, "CREATE TABLE a(Azon INTEGER PRIMARY KEY, Angol TEXT, Magyar TEXT)");
                    QFile::setPermissions(p, QFileDevice::Permissions());
                },
                u"olvasási jog"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(DictionaryFixture, AReadOnlyFileOpensForReadingOnly)
{
    createDictionary();
    {
        auto table = makeTable();
        table->open();
        add(*table, u"alma"_s, u"apple"_s);
    }
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    const QByteArray before = digestOf(path());
    auto table = makeTable();
    table->open();
    EXPECT_TRUE(table->isReadOnly());
    EXPECT_EQ(table->recordCount(), 1);
    EXPECT_TRUE(table->locate(u"Angol"_s, u"ALMA"_s, store::LocateOption::CaseInsensitive));
    try {
        table->append();
        FAIL() << "a read-only table takes no rows";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"csak olvasható"_s));
    }
    table->close();
    EXPECT_EQ(digestOf(path()), before);
}

TEST_F(DictionaryFixture, ALockedFileGivesAClearMessage)
{
    createDictionary();
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE", nullptr, nullptr,
                           nullptr),
              SQLITE_OK);
    auto table = makeTable();
    try {
        table->open();
        FAIL() << "a locked file must not open";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"zárolva"_s)) << error.message().toStdString();
    }
    sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

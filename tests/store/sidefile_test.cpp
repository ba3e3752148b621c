#include "sqlite_probe.h"
#include "support/dictionary_fixture.h"

#include "store/engine/engine_error.h"
#include "store/engine/table_install.h"

#include <QFile>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList sideFiles(const QString &path)
{
    QStringList found;
    for (const QString &suffix : {u"-wal"_s, u"-shm"_s, u"-journal"_s}) {
        if (QFile::exists(path + suffix))
            found << suffix;
    }
    return found;
}

// Read-only as the engine decides it, from the mode bits (root reads and
// writes anything, so the engine's own decision is what the tests rely on).
void makeReadOnly(const QString &path)
{
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

// --- Only regular files are opened.

struct SpecialFile {
    const char *name;
    void (*make)(const QString &path);
    const char16_t *kind;
};

class SpecialFileTest : public DictionaryFixture,
                        public ::testing::WithParamInterface<SpecialFile> {};

TEST_P(SpecialFileTest, DictionaryFilesMustBeRegularFiles)
{
    GetParam().make(path());
    auto table = makeTable();
    try {
        table->open();
        FAIL() << "a special file was opened";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(QString::fromUtf16(GetParam().kind)))
            << error.message().toStdString();
        EXPECT_TRUE(error.message().contains(u"Angol_Magyar.DB"_s));
    }
    EXPECT_FALSE(table->isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SpecialFileTest,
    ::testing::Values(
        SpecialFile{"fifo",
                    [](const QString &p) { ASSERT_EQ(mkfifo(QFile::encodeName(p), 0644), 0); },
                    u"csővezeték"},
        SpecialFile{"device_by_link",
                    [](const QString &p) { ASSERT_TRUE(QFile::link(u"/dev/null"_s, p)); },
                    u"eszköz"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Read-only files.

class ReadOnlyTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionaryWith({{u"alma"_s, u"apple"_s}, {u"körte"_s, u"pear"_s}});
    }
};

TEST_F(ReadOnlyTest, ReadOnlyOpenLeavesNoSideFiles)
{
    ASSERT_EQ(SqliteProbe(path()).text("PRAGMA journal_mode"), "wal");
    ASSERT_EQ(sideFiles(path()), QStringList());
    makeReadOnly(path());
    const QByteArray before = readAll(path());
    {
        auto table = makeTable();
        table->open();
        EXPECT_TRUE(table->isReadOnly());
        table->setIndexFieldNames(u"Angol"_s);
        EXPECT_EQ(walk(*table), (QStringList{u"alma"_s, u"körte"_s}));
        EXPECT_TRUE(table->locate(u"Angol"_s, u"KÖR"_s,
                                  store::LocateOptions(store::LocateOption::CaseInsensitive) |
                                      store::LocateOption::PartialKey));
    }
    EXPECT_EQ(sideFiles(path()), QStringList());
    EXPECT_EQ(readAll(path()), before);
}

TEST_F(ReadOnlyTest, ReadOnlyOpenSeesRowsStillInTheWriteAheadLog)
{
    // Another program wrote a row that still lies in the log only.
    SqliteProbe writer(path());
    ASSERT_EQ(writer.exec("PRAGMA wal_autocheckpoint=0;"
                          "INSERT INTO Angol_Magyar VALUES (5, 'szilva', 'plum')"),
              SQLITE_OK);
    ASSERT_TRUE(QFile::exists(path() + u"-wal"_s));
    makeReadOnly(path());
    auto table = makeTable();
    table->open();
    EXPECT_EQ(table->recordCount(), 3);
    EXPECT_TRUE(table->locate(u"Angol"_s, u"szilva"_s, store::LocateOption::CaseInsensitive));
}

TEST_F(ReadOnlyTest, HotJournalOnAReadOnlyFileAsksForRecovery)
{
    ASSERT_EQ(SqliteProbe(path()).exec("PRAGMA journal_mode=DELETE"), SQLITE_OK);
    // A writer killed in the middle of a large transaction leaves a hot
    // rollback journal and a half-written file.
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        sqlite3 *db = nullptr;
        sqlite3_open(path().toUtf8().constData(), &db);
        store::collation::registerWith(db);
        sqlite3_exec(db,
                     "PRAGMA cache_size=2; BEGIN;"
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20000)"
                     " INSERT INTO Angol_Magyar(Angol, Magyar) SELECT 'szó'||i, 'word'||i FROM n",
                     nullptr, nullptr, nullptr);
        kill(getpid(), SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(path() + u"-journal"_s));
    makeReadOnly(path());
    auto table = makeTable();
    try {
        table->open();
        FAIL() << "a half-written file was read";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"helyreállításra szorul"_s))
            << error.message().toStdString();
        EXPECT_FALSE(error.message().contains(u"nem módosítható"_s));
    }
    // Opened once by a program that may write, the file is whole again.
    QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    table->open();
    EXPECT_EQ(table->recordCount(), 2);
}

// --- Journals left beside a table name by an earlier file.

class StaleJournalTest : public DictionaryFixture {
protected:
    // Leaves beside path() the write-ahead log of another table of that
    // name, as a killed writer whose file was then deleted would.
    void leaveStaleLog()
    {
        createDictionary(u"Regi_Tabla.DB"_s);
        const QString old = path(u"Regi_Tabla.DB"_s);
        SqliteProbe writer(old);
        ASSERT_EQ(writer.exec("PRAGMA wal_autocheckpoint=0;"
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n "
                              "WHERE i<500) INSERT INTO Regi_Tabla(Angol, Magyar) "
                              "SELECT 'régi'||i, 'old'||i FROM n"),
                  SQLITE_OK);
        writeAll(path() + u"-wal"_s, readAll(old + u"-wal"_s));
        writeAll(path() + u"-shm"_s, readAll(old + u"-shm"_s));
    }

    void expectIntactWith(const QStringList &sources)
    {
        SqliteProbe probe(path());
        EXPECT_EQ(probe.integrity(), "ok");
        auto table = makeTable();
        table->open();
        table->setIndexFieldNames(u"Angol"_s);
        EXPECT_EQ(walk(*table), sources);
        for (const QString &text : sources)
            EXPECT_TRUE(table->locate(u"Angol"_s, text, store::LocateOption::CaseInsensitive));
    }

    // A finished table with two rows in a folder of its own.
    QString buildTable()
    {
        const QString folder = QDir(dir.path()).filePath(u"work"_s);
        QDir().mkpath(folder);
        const QString file = QDir(folder).filePath(u"Angol_Magyar.DB"_s);
        velkor_test::makeDictionary(file, {{u"új"_s, u"new"_s}, {u"friss"_s, u"fresh"_s}});
        return file;
    }
};

TEST_F(StaleJournalTest, StaleWalDoesNotCorruptAFreshlyCreatedTable)
{
    leaveStaleLog();
    createDictionary();
    {
        auto table = makeTable();
        table->open();
        addAll(*table, {{u"új"_s, u"new"_s}, {u"friss"_s, u"fresh"_s}});
    }
    expectIntactWith({u"friss"_s, u"új"_s});
}

TEST_F(StaleJournalTest, StaleWalDoesNotCorruptAnInstalledTable)
{
    // Both repros: the old table deleted with its log left, and the old
    // table still there with a foreign log beside it.
    for (const bool oldTableStays : {false, true}) {
        SCOPED_TRACE(oldTableStays ? "overwrite" : "after delete");
        if (oldTableStays)
            createDictionary();
        leaveStaleLog();
        store::installTableFile(buildTable(), path());
        EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath(u"work/Angol_Magyar.DB"_s)));
        expectIntactWith({u"friss"_s, u"új"_s});
        QFile::remove(path());
        QFile::remove(path(u"Regi_Tabla.DB"_s));
    }
}

TEST_F(StaleJournalTest, InstallRefusesATableHeldByAnotherConnection)
{
    createDictionary();
    auto holder = makeTable();
    holder->open();
    add(*holder, u"alma"_s, u"apple"_s);
    const QString built = buildTable();
    try {
        store::installTableFile(built, path());
        FAIL() << "a table in use was replaced";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"használatban"_s)) << error.message().toStdString();
    }
    EXPECT_TRUE(QFile::exists(built));
    EXPECT_EQ(walk(*holder), QStringList{u"alma"_s});
}

TEST_F(StaleJournalTest, InstallRefusesATableHeldByAnotherProcess)
{
    createDictionary();
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        sqlite3 *db = nullptr;
        sqlite3_open(path().toUtf8().constData(), &db);
        sqlite3_exec(db, "SELECT count(*) FROM Angol_Magyar", nullptr, nullptr, nullptr);
        const char byte = 1;
        [[maybe_unused]] const auto written = write(ready[1], &byte, 1);
        pause();
        _exit(0);
    }
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    const QString built = buildTable();
    EXPECT_THROW(store::installTableFile(built, path()), store::EngineError);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(ready[0]);
    close(ready[1]);
    // Let go, the table is replaced.
    store::installTableFile(built, path());
    expectIntactWith({u"friss"_s, u"új"_s});
}

} // namespace

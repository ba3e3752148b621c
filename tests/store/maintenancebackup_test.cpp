// The rolling backup taken before destructive maintenance, and undoing the
// last maintenance from it.
#include "support/dictionary_fixture.h"

#include "store/dictionaries.h"
#include "store/dictionaryfiles.h"
#include "store/dictionary_backup.h"
#include "store/maintenancebackup.h"
#include "support/failing_vfs.h"
#include "support/scripted_prompts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <sqlite3.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

using platform::Prompts;
using store::FileCommand;

const std::vector<std::pair<QString, QString>> kPairs{{u"dog"_s, u"kutya"_s},
                                                      {u"cat"_s, u"macska"_s}};

const QString kQuestion = u"ask: Visszaállítod a szótárt az utolsó karbantartás előtti "
                          "állapotába?\n(Az azóta történt változások elvesznek!)"_s;

// The file's bytes, to see that it stayed as it was.
QByteArray digest(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

// Runs SQL statements on a file through a plain connection.
void runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << sql;
}

class MaintenanceBackupTest : public DictionaryFixture {
protected:
    // The names in the folder, sorted.
    QStringList entries() const
    {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                       QDir::Name);
    }

    // Restores with Igen; the table is open again afterwards.
    platform::Result<FileCommand> restore(store::Table &table)
    {
        ScriptedPrompts prompts({Prompts::kYes});
        auto restored = store::RestoreLastMaintenance(table, {}, prompts);
        table.open();
        return restored;
    }

    // Empties the dictionary the way the maintenance button does.
    void emptyWithBackup(store::Table &table)
    {
        ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
        const auto emptied = store::EmptyDictionary(table, path(), prompts);
        ASSERT_TRUE(emptied.ok()) << emptied.error().toStdString();
        ASSERT_EQ(table.recordCount(), 0);
    }
};

TEST_F(MaintenanceBackupTest, EmptyingCanBeUndoneAndTheBackupIsNoDictionary)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    EXPECT_TRUE(QFile::exists(store::BackupFileOf(path())));
    EXPECT_EQ(store::ListDictionaries(dir.path()), QStringList{u"Angol_Magyar"_s});

    int closed = 0;
    ScriptedPrompts prompts({Prompts::kYes});
    const auto restored = store::RestoreLastMaintenance(
        *table, [&] { ++closed; }, prompts);
    ASSERT_TRUE(restored.ok()) << restored.error().toStdString();
    EXPECT_EQ(*restored, FileCommand::Done);
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(prompts.log(), QStringList{kQuestion});
    EXPECT_FALSE(table->isOpen());
    table->open();
    EXPECT_EQ(walk(*table), (QStringList{u"dog"_s, u"cat"_s}));
    EXPECT_EQ(table->indexNames(), (QStringList{u"Angol"_s, u"Magyar"_s}));
    // The backup stays: undoing twice gives the same dictionary.
    EXPECT_TRUE(store::HasBackup(path()));
}

TEST_F(MaintenanceBackupTest, EachBackupReplacesTheOneBefore)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    add(*table, u"bird"_s, u"madár"_s);
    emptyWithBackup(*table);
    ScriptedPrompts prompts({Prompts::kYes});
    ASSERT_TRUE(store::RestoreLastMaintenance(*table, {}, prompts).ok());
    table->open();
    EXPECT_EQ(table->recordCount(), 3);
}

TEST_F(MaintenanceBackupTest, WithoutABackupItSaysSoAndAsksNothing)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes});
    const auto restored = store::RestoreLastMaintenance(*table, {}, prompts);
    ASSERT_FALSE(restored.ok());
    EXPECT_TRUE(restored.error().startsWith(u"Nincs visszavonható karbantartás"_s))
        << restored.error().toStdString();
    EXPECT_TRUE(prompts.log().isEmpty());
    EXPECT_TRUE(table->isOpen());
}

TEST_F(MaintenanceBackupTest, ADeclinedQuestionKeepsTheDictionaryOpenAndAsItIs)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    ScriptedPrompts prompts({Prompts::kCancel});
    const auto restored = store::RestoreLastMaintenance(*table, {}, prompts);
    ASSERT_TRUE(restored.ok());
    EXPECT_EQ(*restored, FileCommand::Cancelled);
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->recordCount(), 0);
}

TEST_F(MaintenanceBackupTest, AFileAnotherProgramHoldsIsLeftAsItWas)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    store::Session otherProgram;
    store::Table held(otherProgram);
    velkor_test::bindTable(held, path());
    held.open();
    held.disableControls(); // holds a write transaction open
    held.append();
    held.post();
    ScriptedPrompts prompts({Prompts::kYes});
    const auto restored = store::RestoreLastMaintenance(*table, {}, prompts);
    ASSERT_FALSE(restored.ok());
    EXPECT_TRUE(restored.error().contains(u"olyan maradt"_s)) << restored.error().toStdString();
    held.enableControls();
    EXPECT_EQ(held.recordCount(), 1);
}

TEST_F(MaintenanceBackupTest, AReadOnlyDictionaryIsNeitherEmptiedNorRestored)
{
    createDictionaryWith(kPairs);
    {
        auto table = makeTable();
        table->open();
        ASSERT_NO_THROW(store::BackUpTableFile(path()));
    }
    QFile::setPermissions(path(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes, Prompts::kYes});
    const auto emptied = store::EmptyDictionary(*table, path(), prompts);
    ASSERT_FALSE(emptied.ok());
    EXPECT_TRUE(emptied.error().contains(u"csak olvasható"_s));
    const auto restored = store::RestoreLastMaintenance(*table, {}, prompts);
    ASSERT_FALSE(restored.ok());
    EXPECT_TRUE(restored.error().contains(u"csak olvasható"_s));
    EXPECT_TRUE(prompts.log().isEmpty());
    EXPECT_EQ(table->recordCount(), 2);
}

TEST_F(MaintenanceBackupTest, AFullDiskDuringTheBackupStopsTheEmptying)
{
    createDictionaryWith(kPairs);
    failing_vfs::install();
    failing_vfs::DefaultScope vfs;
    store::Session failing;
    store::Table table(failing);
    velkor_test::bindTable(table, path());
    table.open();
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
    {
        failing_vfs::ArmedScope full(0, failing_vfs::Failure::DiskFull);
        const auto emptied = store::EmptyDictionary(table, path(), prompts);
        ASSERT_FALSE(emptied.ok());
        EXPECT_TRUE(emptied.error().contains(u"biztonsági mentést"_s))
            << emptied.error().toStdString();
    }
    EXPECT_EQ(table.recordCount(), 2);
}

// --- A backup is complete or not there; what is restored is checked first.

struct FailedBackupCase {
    const char *label;
    std::int64_t budget; // bytes written before the disk fails
    failing_vfs::Failure failure;
};

void PrintTo(const FailedBackupCase &c, std::ostream *os)
{
    *os << c.label;
}

class FailedBackupTest : public MaintenanceBackupTest,
                         public ::testing::WithParamInterface<FailedBackupCase> {};

// A full disk left a 0-byte backup behind a report that nothing changed,
// and restoring it then emptied the dictionary.
TEST_P(FailedBackupTest, AFailedBackupLeavesTheBackupBeforeAndTheDictionary)
{
    createDictionaryWith(kPairs);
    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    const QByteArray before = digest(store::BackupFileOf(path()));
    const QStringList files = entries();
    failing_vfs::install();
    failing_vfs::DefaultScope vfs;
    store::Session failing;
    store::Table table(failing);
    velkor_test::bindTable(table, path(), {u"Angol"_s, u"Magyar"_s});
    table.open();
    add(table, u"bird"_s, u"madár"_s);
    {
        failing_vfs::ArmedScope full(GetParam().budget, GetParam().failure);
        ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
        const auto emptied = store::EmptyDictionary(table, path(), prompts);
        ASSERT_FALSE(emptied.ok());
        EXPECT_TRUE(emptied.error().contains(u"A mentés nem készült el"_s))
            << emptied.error().toStdString();
        EXPECT_TRUE(emptied.error().contains(QDir::toNativeSeparators(store::BackupFileOf(path()))))
            << emptied.error().toStdString();
    }
    EXPECT_EQ(table.recordCount(), 3);
    EXPECT_EQ(digest(store::BackupFileOf(path())), before);
    table.close();
    EXPECT_EQ(entries(), files);
    auto reader = makeTable();
    ASSERT_TRUE(restore(*reader).ok());
    EXPECT_EQ(walk(*reader), (QStringList{u"dog"_s, u"cat"_s}));
}

INSTANTIATE_TEST_SUITE_P(
    Disk, FailedBackupTest,
    ::testing::Values(FailedBackupCase{"FullAtOnce", 0, failing_vfs::Failure::DiskFull},
                      FailedBackupCase{"FullAfterOnePage", 4096, failing_vfs::Failure::DiskFull},
                      FailedBackupCase{"WriteErrorAtOnce", 0, failing_vfs::Failure::IoError}),
    [](const ::testing::TestParamInfo<FailedBackupCase> &info) {
        return std::string(info.param.label);
    });

struct ForeignBackupCase {
    const char *label;
    // Makes the file at the backup's name; dir is the folder.
    std::function<void(const QString &backup, const QString &dir)> make;
    const char *reason; // part of the refusal
};

void PrintTo(const ForeignBackupCase &c, std::ostream *os)
{
    *os << c.label;
}

class ForeignBackupTest : public MaintenanceBackupTest,
                          public ::testing::WithParamInterface<ForeignBackupCase> {};

// Such a file was "restored" and the dictionary lost its table or got
// another one.
TEST_P(ForeignBackupTest, IsRefusedAndTheDictionaryStays)
{
    createDictionaryWith(kPairs);
    const QString backup = store::BackupFileOf(path());
    GetParam().make(backup, dir.path());
    const QByteArray dictionary = digest(path());
    auto table = makeTable();
    table->open();
    const auto restored = restore(*table);
    ASSERT_FALSE(restored.ok());
    const QString message = restored.error();
    EXPECT_TRUE(message.contains(u"A mentés nem állítható vissza"_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().reason))) << message.toStdString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(backup))) << message.toStdString();
    EXPECT_EQ(walk(*table), (QStringList{u"dog"_s, u"cat"_s}));
    table->close();
    EXPECT_EQ(digest(path()), dictionary);
    for (const char *side : {"-wal", "-shm", "-journal"})
        EXPECT_FALSE(QFile::exists(backup + QLatin1String(side))) << side;
}

INSTANTIATE_TEST_SUITE_P(
    Files, ForeignBackupTest,
    ::testing::Values(
        ForeignBackupCase{"ZeroBytes",
                          [](const QString &backup, const QString &) {
                              QFile file(backup);
                              ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                          },
                          "nincs benne tábla"},
        ForeignBackupCase{
            "EmptyDatabase",
            [](const QString &backup, const QString &) { runSql(backup, "PRAGMA user_version=1"); },
            "nincs benne tábla"},
        ForeignBackupCase{"TwoUnrelatedTables",
                          [](const QString &backup, const QString &) {
                              runSql(backup, "CREATE TABLE a(x); CREATE TABLE b(y)");
                          },
                          "több táblát"},
        ForeignBackupCase{"AnotherDictionary",
                          [](const QString &backup, const QString &dir) {
                              const QString other = QDir(dir).filePath(u"Nemet_Magyar.DB"_s);
                              velkor_test::makeDictionary(other, u"Nemet"_s, u"Magyar"_s);
                              ASSERT_TRUE(QFile::rename(other, backup));
                          },
                          "egy másik szótár mentése: Nemet_Magyar"},
        ForeignBackupCase{"SameTableOtherFields",
                          [](const QString &backup, const QString &) {
                              runSql(backup, "CREATE TABLE Angol_Magyar(Azon INTEGER PRIMARY "
                                             "KEY, Angol VARCHAR(50))");
                          },
                          "a mezői nem a szótár mezői"},
        ForeignBackupCase{"NoDatabaseAtAll",
                          [](const QString &backup, const QString &) {
                              QFile file(backup);
                              ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                              file.write(QByteArray(8192, 'x'));
                          },
                          "nem adatbázis"},
        ForeignBackupCase{"LinkToAnotherFile",
                          [](const QString &backup, const QString &dir) {
                              const QString other = QDir(dir).filePath(u"masik.DB"_s);
                              velkor_test::makeDictionary(other, u"Angol"_s, u"Magyar"_s);
                              ASSERT_TRUE(QFile::link(other, backup));
                          },
                          "nem szabályos fájl"}),
    [](const ::testing::TestParamInfo<ForeignBackupCase> &info) {
        return std::string(info.param.label);
    });

// With Angol_Magyar.DB.mentes -> other.DB, a clean-up wrote the backup into
// other.DB.
TEST_F(MaintenanceBackupTest, ALinkAtTheBackupsNameIsReplacedNotWrittenThrough)
{
    createDictionaryWith(kPairs);
    const QString other = path(u"masik.DB"_s);
    velkor_test::makeDictionary(other, {{u"sun"_s, u"nap"_s}});
    const QByteArray otherBytes = digest(other);
    const QString backup = store::BackupFileOf(path());
    ASSERT_TRUE(QFile::link(other, backup));
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    EXPECT_EQ(digest(other), otherBytes);
    EXPECT_FALSE(QFileInfo(backup).isSymLink());
    ASSERT_TRUE(restore(*table).ok());
    EXPECT_EQ(walk(*table), (QStringList{u"dog"_s, u"cat"_s}));
}

// Emptying an empty dictionary replaced the backup, the only way back from
// the emptying before.
TEST_F(MaintenanceBackupTest, EmptyingAnEmptyDictionaryKeepsTheBackupBefore)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    emptyWithBackup(*table);
    ASSERT_TRUE(restore(*table).ok());
    EXPECT_EQ(table->recordCount(), 2);
}

// X_Y.DB and X_Y.db both backed up into X_Y.mentes: restoring one brought
// back the other's pairs.
TEST_F(MaintenanceBackupTest, TwoFilesOfOneBaseNameKeepTheirOwnBackups)
{
    createDictionaryWith(kPairs);
    const QString lower = path(u"Angol_Magyar.db"_s);
    createDictionary(u"Angol_Magyar.db"_s);
    auto upperTable = makeTable();
    auto lowerTable = makeTable(u"Angol_Magyar.db"_s);
    upperTable->open();
    lowerTable->open();
    addAll(*lowerTable, {{u"sun"_s, u"nap"_s}});
    emptyWithBackup(*upperTable);
    emptyWithBackup(*lowerTable);
    EXPECT_NE(store::BackupFileOf(path()), store::BackupFileOf(lower));
    ASSERT_TRUE(restore(*upperTable).ok());
    ASSERT_TRUE(restore(*lowerTable).ok());
    EXPECT_EQ(walk(*upperTable), (QStringList{u"dog"_s, u"cat"_s}));
    EXPECT_EQ(walk(*lowerTable), QStringList{u"sun"_s});
    EXPECT_EQ(store::ListDictionaries(dir.path()),
              (QStringList{u"Angol_Magyar"_s, u"Angol_Magyar"_s}));
}

// A backup an earlier version made (Angol_Magyar.mentes, in WAL mode as the
// dictionary was) is still restored for its own file, leaving no -wal or
// -shm beside it, and a new backup takes its place.
TEST_F(MaintenanceBackupTest, AnOldStyleBackupServesItsOwnFileOnly)
{
    createDictionaryWith(kPairs);
    const QString legacy = path(u"Angol_Magyar.mentes"_s);
    ASSERT_TRUE(QFile::copy(path(), legacy));
    ASSERT_EQ(QFile(legacy).size() > 18, true);
    EXPECT_EQ(store::ExistingBackupOf(path()), legacy);
    auto table = makeTable();
    table->open();
    table->emptyTable();
    ASSERT_TRUE(restore(*table).ok());
    EXPECT_EQ(table->recordCount(), 2);
    table->close();
    EXPECT_EQ(entries(), (QStringList{u"Angol_Magyar.DB"_s, u"Angol_Magyar.mentes"_s}));

    // A second file of that base name could own it as well: neither does.
    createDictionary(u"Angol_Magyar.db"_s);
    EXPECT_FALSE(store::HasBackup(path()));
    EXPECT_FALSE(store::HasBackup(path(u"Angol_Magyar.db"_s)));
    QFile::remove(path(u"Angol_Magyar.db"_s));

    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    EXPECT_FALSE(QFile::exists(legacy));
    EXPECT_EQ(store::ExistingBackupOf(path()), store::BackupFileOf(path()));
}

// Restoring left the backup's -wal and -shm behind.
TEST_F(MaintenanceBackupTest, BackupAndRestoreLeaveNothingBesideTheFiles)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    ASSERT_TRUE(restore(*table).ok());
    table->close();
    EXPECT_EQ(entries(), (QStringList{u"Angol_Magyar.DB"_s, u"Angol_Magyar.DB.mentes"_s}));
}

// A kill at the backup's first sync left a 0-byte backup, which the
// restore then put over the dictionary.
TEST_F(MaintenanceBackupTest, AKilledBackupLeavesAWholeBackupAndItsLeftoversAreSweptUp)
{
    createDictionary();
    {
        auto table = makeTable();
        table->open();
        table->disableControls();
        for (int i = 0; i < 20000; ++i)
            add(*table, QString::number(i), u"szám"_s);
        table->enableControls();
    }
    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    for (const int delayMs : {0, 5, 20, 60}) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            for (;;)
                store::BackUpTableFile(path());
        }
        usleep(useconds_t(delayMs) * 1000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        auto table = makeTable();
        table->open();
        ASSERT_TRUE(restore(*table).ok()) << "after " << delayMs << " ms";
        EXPECT_EQ(table->recordCount(), 20000);
    }
    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    EXPECT_EQ(entries(), (QStringList{u"Angol_Magyar.DB"_s, u"Angol_Magyar.DB.mentes"_s}));
}

// A program killed while writing the backup left a hot journal beside it;
// the restore then called the dictionary read-only and in need of repair.
TEST_F(MaintenanceBackupTest, AHalfWrittenBackupIsSettledBeforeItIsChecked)
{
    createDictionary();
    auto table = makeTable();
    table->open();
    table->disableControls();
    for (int i = 0; i < 3000; ++i)
        add(*table, QString::number(i), u"szám"_s);
    table->enableControls();
    ASSERT_NO_THROW(store::BackUpTableFile(path()));
    const QString backup = store::BackupFileOf(path());
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        sqlite3 *db = nullptr;
        sqlite3_open(backup.toUtf8().constData(), &db);
        // A tiny cache spills the changed pages into the file at once.
        sqlite3_exec(db, "PRAGMA cache_size=1; BEGIN; DELETE FROM Angol_Magyar;", nullptr, nullptr,
                     nullptr);
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(QFile::exists(backup + u"-journal"_s));
    table->emptyTable();
    ASSERT_TRUE(restore(*table).ok());
    EXPECT_EQ(table->recordCount(), 3000);
    table->close();
    EXPECT_EQ(entries(), (QStringList{u"Angol_Magyar.DB"_s, u"Angol_Magyar.DB.mentes"_s}));
}

struct HolderCase {
    const char *label;
    bool writing; // in a write transaction, or only holding the table open
};

void PrintTo(const HolderCase &c, std::ostream *os)
{
    *os << c.label;
}

class HeldRestoreTest : public MaintenanceBackupTest,
                        public ::testing::WithParamInterface<HolderCase> {};

// An import beside a restore lost most of its pairs: the restore must wait
// until no other program holds the table, as the deletion does.
TEST_P(HeldRestoreTest, ATableAnotherProgramHoldsIsInUseAndLeftAsItWas)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    emptyWithBackup(*table);
    store::Session otherProgram;
    store::Table held(otherProgram);
    velkor_test::bindTable(held, path());
    held.open();
    if (GetParam().writing) {
        held.disableControls(); // holds a write transaction open
        held.append();
        held.post();
    }
    ScriptedPrompts prompts({Prompts::kYes});
    const auto restored = store::RestoreLastMaintenance(*table, {}, prompts);
    ASSERT_FALSE(restored.ok());
    EXPECT_TRUE(restored.error().contains(u"használatban van"_s)) << restored.error().toStdString();
    EXPECT_TRUE(restored.error().contains(u"olyan maradt"_s)) << restored.error().toStdString();
    if (GetParam().writing)
        held.enableControls();
    EXPECT_EQ(held.recordCount(), GetParam().writing ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Holders, HeldRestoreTest,
                         ::testing::Values(HolderCase{"Reading", false},
                                           HolderCase{"Writing", true}),
                         [](const ::testing::TestParamInfo<HolderCase> &info) {
                             return std::string(info.param.label);
                         });

} // namespace

// The rolling backup taken before destructive maintenance, and undoing the
// last maintenance from it.
#include "dictionary_fixture.h"

#include "store/dictionaries.h"
#include "store/dictionaryfiles.h"
#include "store/engine/table_backup.h"
#include "store/maintenancebackup.h"
#include "support/failing_vfs.h"
#include "support/scripted_prompts.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

using platform::Prompts;
using store::FileCommand;

const std::vector<std::pair<QString, QString>> kPairs{{u"dog"_s, u"kutya"_s},
                                                      {u"cat"_s, u"macska"_s}};

const QString kQuestion = u"ask: Visszaállítod a szótárt az utolsó karbantartás előtti "
                          "állapotába?\n(Az azóta történt változások elvesznek!)"_s;

class MaintenanceBackupTest : public DictionaryFixture {
protected:
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
    ASSERT_TRUE(store::BackUpBeforeChange(*table).ok());
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
    held.setDatabaseName(dir.path());
    held.setTableName(u"Angol_Magyar.DB"_s);
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
        ASSERT_TRUE(store::BackUpBeforeChange(*table).ok());
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
    table.setDatabaseName(dir.path());
    table.setTableName(u"Angol_Magyar.DB"_s);
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

} // namespace

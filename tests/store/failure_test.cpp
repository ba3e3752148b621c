#include "sqlite_probe.h"
#include "support/dictionary_fixture.h"
#include "support/failing_vfs.h"

#include "store/engine/engine_error.h"

#include <exception>
#include <functional>
#include <set>

using namespace Qt::StringLiterals;
using failing_vfs::Failure;

namespace {

// A dictionary whose tables write through the failing VFS.
class FailingDiskTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        failing_vfs::install();
        createDictionary();
        session.setVfs(failing_vfs::kFailingVfsName);
        table = makeTable();
        table->open();
    }
    void TearDown() override { failing_vfs::disarm(); }

    // Runs call, which must fail with an EngineError naming the file and
    // saying, in Hungarian, what went wrong; no other exception may leave.
    void expectEngineError(const std::function<void()> &call, const QString &part)
    {
        try {
            call();
            ADD_FAILURE() << "the failure was not reported";
        } catch (const store::EngineError &error) {
            EXPECT_TRUE(error.message().contains(u"Angol_Magyar.DB"_s))
                << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(part)) << error.message().toStdString();
        } catch (...) {
            ADD_FAILURE() << "an exception other than EngineError left the engine";
        }
    }

    std::unique_ptr<store::Table> table;
};

struct DiskFailure {
    const char *name;
    Failure failure;
    const char16_t *message;
};

class BatchFailureTest : public FailingDiskTest,
                         public ::testing::WithParamInterface<DiskFailure> {};

// A commit failing in the middle of a long loop (a full disk, a failing
// device) is reported; the file keeps every batch committed before it.
TEST_P(BatchFailureTest, LostCommitInABatchLoopIsReportedAndEveryCommittedBatchStays)
{
    const QString message = QString::fromUtf16(GetParam().message);
    int failedAt = -1;
    {
        store::BatchScope batch(*table);
        for (int i = 0; i < 40000 && failedAt < 0; ++i) {
            // After the first batch, the disk fills up.
            if (i == 20000)
                failing_vfs::armAfter(0, GetParam().failure);
            table->append();
            table->findField(u"Angol"_s)->setAsString(QString::number(i));
            table->findField(u"Magyar"_s)->setAsString(u"szám"_s);
            try {
                table->post();
            } catch (const store::EngineError &error) {
                failedAt = i;
                EXPECT_TRUE(error.message().contains(message)) << error.message().toStdString();
                EXPECT_TRUE(error.message().contains(u"Angol_Magyar.DB"_s));
            }
        }
        ASSERT_GE(failedAt, 20000) << "the full disk went unnoticed";
        // The failed row is still being edited, nothing of it lost.
        EXPECT_EQ(table->state(), store::TableState::Insert);
        EXPECT_TRUE(table->modified());
        EXPECT_EQ(source(*table), QString::number(failedAt));
        failing_vfs::disarm();
        // The engine's counts match the file again.
        table->cancel();
        EXPECT_EQ(table->recordCount(), 16384);
    }
    table->close();
    SqliteProbe probe(path());
    EXPECT_EQ(probe.integrity(), "ok");
    EXPECT_EQ(probe.rows(), 16384);
    auto reopened = makeTable();
    reopened->open();
    reopened->last();
    EXPECT_EQ(source(*reopened), u"16383"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, BatchFailureTest,
    ::testing::Values(DiskFailure{"disk_full", Failure::DiskFull, u"Betelt a lemez"},
                      DiskFailure{"io_error", Failure::IoError, u"Írási vagy olvasási hiba"}),
    [](const auto &info) { return std::string(info.param.name); });

// Each way of ending a batch reports a failed commit by throwing, and the
// engine's cached counts and key lists drop the rolled-back rows.
struct BatchEnd {
    const char *name;
    std::function<void(store::Table &, std::function<void()> fill)> run;
};

class BatchEndTest : public FailingDiskTest, public ::testing::WithParamInterface<BatchEnd> {};

TEST_P(BatchEndTest, LostCommitAtTheEndOfABatchIsReportedAndRolledBack)
{
    add(*table, u"alma"_s, u"apple"_s);
    table->setIndexFieldNames(u"Angol"_s);
    auto fill = [this] {
        addAll(*table, {{u"körte"_s, u"pear"_s}, {u"szilva"_s, u"plum"_s}});
        failing_vfs::armAfter(0, Failure::DiskFull);
    };
    expectEngineError([&] { GetParam().run(*table, fill); }, u"Betelt a lemez"_s);
    failing_vfs::disarm();
    EXPECT_EQ(table->recordCount(), 1);
    EXPECT_EQ(walk(*table), QStringList{u"alma"_s});
    EXPECT_FALSE(table->locate(u"Angol"_s, u"körte"_s, store::LocateOption::CaseInsensitive));
    // The table goes on working.
    add(*table, u"dinnye"_s, u"melon"_s);
    EXPECT_EQ(SqliteProbe(path()).rows(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Ends, BatchEndTest,
    ::testing::Values(BatchEnd{"batch_scope_commit",
                               [](store::Table &table, std::function<void()> fill) {
                                   store::BatchScope batch(table);
                                   fill();
                                   batch.commit();
                               }},
                      BatchEnd{"enable_controls",
                               [](store::Table &table, std::function<void()> fill) {
                                   table.disableControls();
                                   fill();
                                   table.enableControls();
                               }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FailingDiskTest, BatchScopeLeftWithoutCommitRollsBack)
{
    add(*table, u"alma"_s, u"apple"_s);
    {
        store::BatchScope batch(*table);
        add(*table, u"körte"_s, u"pear"_s);
    }
    EXPECT_EQ(table->recordCount(), 1);
    EXPECT_EQ(SqliteProbe(path()).rows(), 1);
}

TEST_F(FailingDiskTest, FailedSinglePostKeepsTheEditBuffer)
{
    add(*table, u"alma"_s, u"apple"_s);
    for (const bool appending : {true, false}) {
        SCOPED_TRACE(appending ? "append" : "edit");
        if (appending) {
            table->append();
            table->findField(u"Angol"_s)->setAsString(u"körte"_s);
        } else {
            table->locate(u"Angol"_s, u"alma"_s, store::LocateOption::CaseInsensitive);
            table->edit();
        }
        table->findField(u"Magyar"_s)->setAsString(u"pear"_s);
        failing_vfs::armAfter(0, Failure::IoError);
        expectEngineError([&] { table->post(); }, u"Írási vagy olvasási hiba"_s);
        failing_vfs::disarm();
        EXPECT_EQ(table->state(), appending ? store::TableState::Insert : store::TableState::Edit);
        EXPECT_TRUE(table->modified());
        EXPECT_EQ(target(*table), u"pear"_s);
        table->post();
    }
    EXPECT_EQ(SqliteProbe(path()).text("SELECT group_concat(Magyar, ',') FROM "
                                       "(SELECT Magyar FROM Angol_Magyar ORDER BY Azon)"),
              "pear,pear");
}

TEST_F(FailingDiskTest, ClosingWithAFailingBatchReportsItAndStillCloses)
{
    table->disableControls();
    add(*table, u"alma"_s, u"apple"_s);
    failing_vfs::armAfter(0, Failure::DiskFull);
    expectEngineError([&] { table->close(); }, u"Betelt a lemez"_s);
    failing_vfs::disarm();
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(SqliteProbe(path()).rows(), 0);
}

// --- An edit whose row another program deleted meanwhile.

class DeletedMeanwhileTest : public DictionaryFixture,
                             public ::testing::WithParamInterface<bool> {};

TEST_P(DeletedMeanwhileTest, EditOfARowDeletedMeanwhileIsReportedAndKept)
{
    createDictionary();
    store::Session other;
    auto mine = makeTable();
    mine->open();
    addAll(*mine, {{u"house"_s, u"ház"_s}, {u"tree"_s, u"fa"_s}});
    // The deleting table: of the same session, or of another one (as
    // another program would be).
    std::unique_ptr<store::Table> theirs;
    if (GetParam()) {
        theirs = makeTable();
    } else {
        theirs = std::make_unique<store::Table>(other);
        velkor_test::bindTable(*theirs, path(), {u"Angol"_s});
    }
    theirs->open();

    ASSERT_TRUE(mine->locate(u"Angol"_s, u"house"_s, store::LocateOption::CaseInsensitive));
    mine->edit();
    mine->findField(u"Magyar"_s)->setAsString(u"otthon"_s);
    ASSERT_TRUE(theirs->locate(u"Angol"_s, u"house"_s, store::LocateOption::CaseInsensitive));
    theirs->remove();

    try {
        mine->post();
        FAIL() << "the edit was lost without a word";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"másik program törölte"_s))
            << error.message().toStdString();
    }
    EXPECT_EQ(mine->state(), store::TableState::Edit);
    EXPECT_TRUE(mine->modified());
    EXPECT_EQ(target(*mine), u"otthon"_s);
    EXPECT_EQ(source(*mine), u"house"_s);

    // Posting again stores the text as a new entry.
    mine->post();
    EXPECT_EQ(mine->state(), store::TableState::Browse);
    EXPECT_EQ(mine->recordCount(), 2);
    mine->setIndexFieldNames(u"Angol"_s);
    EXPECT_EQ(walk(*mine), (QStringList{u"house"_s, u"tree"_s}));
    ASSERT_TRUE(mine->locate(u"Angol"_s, u"house"_s, store::LocateOption::CaseInsensitive));
    EXPECT_EQ(target(*mine), u"otthon"_s);
}

INSTANTIATE_TEST_SUITE_P(Deleters, DeletedMeanwhileTest, ::testing::Bool(), [](const auto &info) {
    return std::string(info.param ? "same_session" : "other_session");
});

// --- Keys that do not fit in 32 bits.

class WideKeyTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionary();
    }
    void expectKeyRefused(const std::function<void()> &call)
    {
        try {
            call();
            ADD_FAILURE() << "a key outside 32 bits was taken";
        } catch (const store::EngineError &error) {
            EXPECT_TRUE(error.message().contains(u"4294967301"_s)) << error.message().toStdString();
            EXPECT_TRUE(error.message().contains(u"Angol_Magyar.DB"_s));
        }
    }
};

TEST_F(WideKeyTest, KeysOutside32BitsAreRefusedAtOpen)
{
    SqliteProbe probe(path());
    ASSERT_EQ(probe.exec("INSERT INTO Angol_Magyar VALUES (4294967301, 'house', 'ház');"
                         "INSERT INTO Angol_Magyar VALUES (5, 'house', 'otthon')"),
              SQLITE_OK);
    auto table = makeTable();
    expectKeyRefused([&] { table->open(); });
    EXPECT_FALSE(table->isOpen());
    EXPECT_EQ(probe.rows(), 2);
}

TEST_F(WideKeyTest, KeysOutside32BitsWrittenLaterByAnotherProgramAreRefused)
{
    auto table = makeTable();
    table->open();
    add(*table, u"house"_s, u"otthon"_s);
    SqliteProbe probe(path());
    ASSERT_EQ(probe.exec("INSERT INTO Angol_Magyar VALUES (4294967301, 'house', 'ház')"),
              SQLITE_OK);
    expectKeyRefused([&] { table->first(); });
    expectKeyRefused(
        [&] { table->locate(u"Angol"_s, u"house"_s, store::LocateOption::CaseInsensitive); });
    // Mended by the other program: the table works again.
    ASSERT_EQ(probe.exec("DELETE FROM Angol_Magyar WHERE Azon > 2147483647"), SQLITE_OK);
    EXPECT_EQ(walk(*table), QStringList{u"house"_s});
}

TEST_F(WideKeyTest, NewKeysStayIn32BitsWhenTheTopKeyIsTaken)
{
    SqliteProbe probe(path());
    ASSERT_EQ(probe.exec("INSERT INTO Angol_Magyar VALUES (2147483647, 'top', 'csúcs');"
                         "INSERT INTO Angol_Magyar VALUES (7, 'seven', 'hét')"),
              SQLITE_OK);
    auto table = makeTable();
    table->open();
    addAll(*table, {{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}});
    EXPECT_EQ(probe.rows(), 5);
    std::set<std::int32_t> keys;
    table->first();
    while (!table->eof()) {
        keys.insert(table->findField(u"Azon"_s)->asInteger());
        table->next();
    }
    EXPECT_EQ(keys.size(), 5u);
    EXPECT_EQ(probe.text("SELECT max(Azon) FROM Angol_Magyar"), "2147483647");
    EXPECT_EQ(probe.text("SELECT min(Azon) >= -2147483648 FROM Angol_Magyar"), "1");
}

} // namespace

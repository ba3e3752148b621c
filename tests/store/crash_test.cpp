#include "support/dictionary_fixture.h"

#include "store/engine/collation.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// Rows committed so far, read through a plain connection of its own.
int committedRows(const QString &path)
{
    sqlite3 *db = nullptr;
    int rows = -1;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) ==
        SQLITE_OK) {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_busy_timeout(db, 1000);
        if (sqlite3_prepare_v2(db, "SELECT count(*) FROM Angol_Magyar", -1, &stmt, nullptr) ==
                SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW)
            rows = sqlite3_column_int(stmt, 0);
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return rows;
}

TEST_F(DictionaryFixture, AKilledBatchLoopLeavesAnIntactFileWithEveryCommittedBatch)
{
    createDictionary();
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        store::Session own;
        store::Table table(own);
        velkor_test::bindTable(table, path(), {u"Angol"_s, u"Magyar"_s});
        table.open();
        table.setIndexFieldNames(u"Angol"_s);
        table.disableControls();
        for (int i = 0;; ++i) {
            table.locate(u"Angol"_s, QString::number(i), store::LocateOption::CaseInsensitive);
            add(table, QString::number(i), u"szám"_s);
        }
    }
    int seen = 0;
    for (int tries = 0; tries < 600 && seen < 10000; ++tries) {
        usleep(20000);
        seen = std::max(seen, committedRows(path()));
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_GE(seen, 10000) << "the child wrote too slowly";

    auto table = makeTable();
    ASSERT_NO_THROW(table->open());
    const int rows = table->recordCount();
    EXPECT_GE(rows, seen);
    // Whole batches only: the rows are exactly 0 .. rows-1.
    table->setIndexFieldNames(QString());
    table->first();
    EXPECT_EQ(source(*table), u"0"_s);
    table->last();
    EXPECT_EQ(source(*table), QString::number(rows - 1));
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(path().toUtf8().constData(), &db), SQLITE_OK);
    store::collation::registerWith(db);
    sqlite3_stmt *check = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(db);
}

} // namespace

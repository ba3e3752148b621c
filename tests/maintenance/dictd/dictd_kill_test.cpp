// szotar convert-dictd killed (SIGKILL) at random moments: the destination
// is never a partial table, and the next conversion leaves no work folder.
#include "dictd_fixture.h"
#include "store/engine/collation.h"
#include "support/cli_run.h"
#include "support/printers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <csignal>
#include <random>

namespace {

constexpr int kKills = 20;

// A dictionary of a few megabytes: 30,000 entries of two or three
// translations each.
std::vector<dictd_fixture::Entry> generatedEntries()
{
    std::vector<dictd_fixture::Entry> entries;
    entries.reserve(30000);
    for (int i = 0; i < 30000; ++i) {
        const QString word = QStringLiteral("szo%1").arg(i, 5, 36, QLatin1Char('0'));
        QString text = word + QStringLiteral(" /pron/\n1. fordítás %1 árvíztűrő\n2. tükör %2\n")
                                  .arg(i)
                                  .arg(i * 7919 % 100000);
        if (i % 3 == 0)
            text += QStringLiteral("3. harmadik jelentés, hosszabb szöveggel %1\n").arg(i);
        entries.push_back({word, text});
    }
    return entries;
}

// "ok" and the table's row count, read without the program's table code.
// Opened for writing, as the program would, so that SQLite removes its WAL
// files on closing; the tests look for litter before this.
struct TableCheck {
    QString integrity;
    qint64 rows = -1;
};

TableCheck checkTable(const QString &path)
{
    TableCheck check;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        check.integrity = QStringLiteral("nem nyitható meg");
        return check;
    }
    // The language indexes are ordered by the program's own collation.
    store::collation::registerWith(db);
    auto query = [db](const char *sql) {
        QString result;
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            result = QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(statement, 0)));
        else
            result = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        return result;
    };
    check.integrity = query("PRAGMA integrity_check");
    bool ok = false;
    check.rows = query("SELECT COUNT(*) FROM Angol_Magyar").toLongLong(&ok);
    if (!ok)
        check.rows = -1;
    sqlite3_close(db);
    return check;
}

class KilledConversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const auto dictionary = dictd_fixture::build(generatedEntries());
        dictd_fixture::writeFile(path(QStringLiteral("gen.index")), dictionary.index);
        dictd_fixture::writeFile(path(QStringLiteral("gen.dict.dz")),
                                 dictd_fixture::dictzip(dictionary.data, {.chunkLength = 65000}));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString output() const { return path(QStringLiteral("out/Angol_Magyar.DB")); }

    QStringList arguments() const
    {
        return {QStringLiteral("convert-dictd"),
                QStringLiteral("--index"),
                path(QStringLiteral("gen.index")),
                QStringLiteral("--dict"),
                path(QStringLiteral("gen.dict.dz")),
                QStringLiteral("--out"),
                output(),
                QStringLiteral("--overwrite")};
    }

    QStringList workFolders() const
    {
        return QDir(path(QStringLiteral("out")))
            .entryList({QStringLiteral(".szotar-atalakitas-*")},
                       QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // Everything in the output folder but the table and work folders.
    QStringList litter() const
    {
        QStringList names = QDir(path(QStringLiteral("out")))
                                .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        names.removeAll(QStringLiteral("Angol_Magyar.DB"));
        for (const QString &work : workFolders())
            names.removeAll(work);
        return names;
    }

    QTemporaryDir m_dir;
};

TEST_F(KilledConversion, LeavesTheOldTableOrAWholeOneAndNoWorkFolders)
{
    QElapsedTimer timer;
    timer.start();
    const velkor_test::CliRun full = velkor_test::runProgram(arguments(), 120000);
    ASSERT_TRUE(full.finished);
    ASSERT_EQ(full.code, 0) << full.err.toStdString();
    const qint64 fullMs = timer.elapsed();
    ASSERT_EQ(litter(), QStringList());
    const TableCheck complete = checkTable(output());
    ASSERT_EQ(complete.integrity, QStringLiteral("ok"));
    ASSERT_GT(complete.rows, 60000);

    const unsigned seed = std::random_device()();
    SCOPED_TRACE(testing::Message() << "seed " << seed << ", full run " << fullMs << " ms");
    std::mt19937 random(seed);
    // Kills spread over the whole run, a few after it would have ended.
    std::uniform_int_distribution<qint64> delay(0, fullMs + fullMs / 5);
    for (int round = 0; round < kKills; ++round) {
        // Every other round starts with no table, so that a killed first
        // conversion is seen too.
        if (round % 2 == 1)
            QFile::remove(output());
        const bool hadTable = QFileInfo::exists(output());
        QProcess run;
        run.start(velkor_test::szotarProgram(), arguments());
        ASSERT_TRUE(run.waitForStarted());
        const qint64 wait = delay(random);
        if (!run.waitForFinished(int(wait))) {
            ::kill(pid_t(run.processId()), SIGKILL);
            ASSERT_TRUE(run.waitForFinished(60000));
        }

        SCOPED_TRACE(testing::Message() << "round " << round << ", killed after " << wait << " ms");
        EXPECT_EQ(litter(), QStringList());
        if (QFileInfo::exists(output())) {
            const TableCheck table = checkTable(output());
            EXPECT_EQ(table.integrity, QStringLiteral("ok"));
            EXPECT_EQ(table.rows, complete.rows);
        } else {
            EXPECT_FALSE(hadTable) << "the old table is gone";
        }
        // At most the killed run's own folder: earlier ones were cleared.
        EXPECT_LE(workFolders().size(), 1) << workFolders().join(u' ').toStdString();
    }

    const velkor_test::CliRun last = velkor_test::runProgram(arguments(), 120000);
    ASSERT_TRUE(last.finished);
    ASSERT_EQ(last.code, 0) << last.err.toStdString();
    EXPECT_EQ(workFolders(), QStringList());
    EXPECT_EQ(litter(), QStringList());
    EXPECT_EQ(checkTable(output()).integrity, QStringLiteral("ok"));
    EXPECT_EQ(checkTable(output()).rows, complete.rows);
}

} // namespace

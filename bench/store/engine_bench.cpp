// The table engine beside the raw SQLite statements that do the same work,
// on generated dictionaries of 10,000, 100,000 and 1,000,000 rows.
#include "generated_dictionary.h"
#include "support/silent_prompts.h"

#include "store/appstate.h"
#include "store/dictionaryfile.h"
#include "store/dictionaryformat.h"
#include "store/dm1.h"
#include "store/engine/collation.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "store/opendictionary.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>

namespace {

using store::LocateOption;
const store::LocateOptions kCi = LocateOption::CaseInsensitive;
const store::LocateOptions kCiPartial =
    store::LocateOptions(LocateOption::CaseInsensitive) | LocateOption::PartialKey;

struct Opened {
    store::Session session;
    store::Table table{session};
    store::Field *source = nullptr;
    store::Field *target = nullptr;
    explicit Opened(int rows, const QString &order = QStringLiteral("Angol"))
    {
        table.setDatabaseName(bench::generatedDictionary(rows));
        table.setTableName(QStringLiteral("Angol_Magyar.DB"));
        source = table.addField(QStringLiteral("Angol"));
        target = table.addField(QStringLiteral("Magyar"));
        table.setIndexFieldNames(order);
        table.open();
    }
};

struct RawDb {
    sqlite3 *db = nullptr;
    explicit RawDb(int rows)
    {
        const QString path =
            QDir(bench::generatedDictionary(rows)).filePath(QStringLiteral("Angol_Magyar.DB"));
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        store::collation::registerWith(db);
    }
    ~RawDb() { sqlite3_close(db); }
    sqlite3_stmt *prepare(const char *sql) const
    {
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
        return stmt;
    }
};

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

void BM_Open(benchmark::State &state)
{
    const int rows = int(state.range(0));
    bench::generatedDictionary(rows);
    for (auto _ : state) {
        Opened opened(rows);
        // What the grid asks first: the row count and the rows on screen.
        benchmark::DoNotOptimize(opened.table.recordCount());
        benchmark::DoNotOptimize(opened.table.rowAt(0));
    }
}
BENCHMARK(BM_Open)->Apply(sizes)->Unit(benchmark::kMillisecond);

// The whole opening of a dictionary as the program does it: the test open,
// the direction, the index check by both language orders, the source order
// and the second cursor, then what the grid asks first.
void BM_OpenDictionary(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString path =
        QDir(bench::generatedDictionary(rows)).filePath(QStringLiteral("Angol_Magyar.DB"));
    bench::SilentPrompts prompts(platform::Prompts::kNo);
    for (auto _ : state) {
        TDM1 dm;
        AppState app;
        const platform::Status opened = store::OpenDictionary(dm, app, path, {}, prompts);
        if (!opened)
            state.SkipWithError(opened.error().toStdString().c_str());
        benchmark::DoNotOptimize(dm.tblSzotarP.recordCount());
        benchmark::DoNotOptimize(dm.tblSzotarP.rowAt(0));
    }
}
BENCHMARK(BM_OpenDictionary)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenDictionary)->Arg(5000000)->Unit(benchmark::kMillisecond)->Iterations(3);

// What a start-up on a large dictionary waits for: the dictionary opened
// as the program opens it, the first lookup of a word, and the rows the
// grid shows first around the row found (its count, its position, one
// screen of rows).
void BM_OpenLookupFirstScreen(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString path =
        QDir(bench::generatedDictionary(rows)).filePath(QStringLiteral("Angol_Magyar.DB"));
    bench::SilentPrompts prompts(platform::Prompts::kNo);
    int n = 0;
    for (auto _ : state) {
        TDM1 dm;
        AppState app;
        const platform::Status opened = store::OpenDictionary(dm, app, path, {}, prompts);
        if (!opened)
            state.SkipWithError(opened.error().toStdString().c_str());
        store::Table &table = dm.tblSzotarP;
        table.locate(QStringLiteral("Angol"), bench::sourceWord((n++ * 7919 + 4242) % rows), kCi);
        benchmark::DoNotOptimize(table.recordCount());
        const int at = table.recNo();
        for (int pos = std::max(0, at - 10); pos < at + 30; ++pos)
            benchmark::DoNotOptimize(table.rowAt(pos));
    }
}
BENCHMARK(BM_OpenLookupFirstScreen)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Arg(5000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void BM_Raw_OpenAndScanOrder(benchmark::State &state)
{
    const int rows = int(state.range(0));
    bench::generatedDictionary(rows);
    for (auto _ : state) {
        RawDb raw(rows);
        sqlite3_stmt *stmt =
            raw.prepare("SELECT Azon FROM Angol_Magyar ORDER BY Angol COLLATE HU_CI, Angol, Azon");
        int n = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ++n;
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_Raw_OpenAndScanOrder)->Apply(sizes)->Unit(benchmark::kMillisecond);

void BM_OrderSwitch(benchmark::State &state)
{
    Opened opened(int(state.range(0)));
    bool target = false;
    for (auto _ : state) {
        target = !target;
        opened.table.setIndexFieldNames(target ? QStringLiteral("Magyar")
                                               : QStringLiteral("Angol"));
        benchmark::DoNotOptimize(opened.table.recNo());
    }
}
BENCHMARK(BM_OrderSwitch)->Apply(sizes)->Unit(benchmark::kMillisecond);

void locateBench(benchmark::State &state, bool hit, bool partial)
{
    const int rows = int(state.range(0));
    Opened opened(rows);
    int n = 0;
    for (auto _ : state) {
        QString key = bench::sourceWord((n++ * 7919) % rows);
        if (!hit)
            key.append(QStringLiteral("qqq"));
        if (partial)
            key.chop(1);
        benchmark::DoNotOptimize(
            opened.table.locate(QStringLiteral("Angol"), key, partial ? kCiPartial : kCi));
    }
}

void BM_LocateExactHit(benchmark::State &s)
{
    locateBench(s, true, false);
}
void BM_LocateExactMiss(benchmark::State &s)
{
    locateBench(s, false, false);
}
void BM_LocatePartialHit(benchmark::State &s)
{
    locateBench(s, true, true);
}
void BM_LocatePartialMiss(benchmark::State &s)
{
    locateBench(s, false, true);
}
BENCHMARK(BM_LocateExactHit)->Apply(sizes);
BENCHMARK(BM_LocateExactMiss)->Apply(sizes);
BENCHMARK(BM_LocatePartialHit)->Apply(sizes);
BENCHMARK(BM_LocatePartialMiss)->Apply(sizes);

void BM_Raw_IndexedLookup(benchmark::State &state)
{
    const int rows = int(state.range(0));
    RawDb raw(rows);
    sqlite3_stmt *stmt = raw.prepare("SELECT Azon FROM Angol_Magyar WHERE Angol = ?1 COLLATE "
                                     "HU_CI ORDER BY Angol COLLATE HU_CI, Angol, Azon LIMIT 1");
    int n = 0;
    for (auto _ : state) {
        const QByteArray key = bench::sourceWord((n++ * 7919) % rows).toUtf8();
        sqlite3_bind_text(stmt, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        benchmark::DoNotOptimize(sqlite3_step(stmt));
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}
BENCHMARK(BM_Raw_IndexedLookup)->Apply(sizes);

void BM_Next1000(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Opened opened(rows);
    int n = 0;
    for (auto _ : state) {
        opened.table.locate(QStringLiteral("Angol"),
                            bench::sourceWord((n++ * 7919) % (rows - 2000)), kCi);
        for (int i = 0; i < 1000; ++i) {
            opened.table.next();
            benchmark::DoNotOptimize(opened.target->asString());
        }
    }
}
BENCHMARK(BM_Next1000)->Apply(sizes);

void BM_Raw_Step1000(benchmark::State &state)
{
    const int rows = int(state.range(0));
    RawDb raw(rows);
    sqlite3_stmt *stmt =
        raw.prepare("SELECT Azon, Angol, Magyar FROM Angol_Magyar WHERE Angol COLLATE HU_CI >= ?1 "
                    "ORDER BY Angol COLLATE HU_CI, Angol, Azon");
    int n = 0;
    for (auto _ : state) {
        const QByteArray key = bench::sourceWord((n++ * 7919) % (rows - 2000)).toUtf8();
        sqlite3_bind_text(stmt, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        for (int i = 0; i < 1000 && sqlite3_step(stmt) == SQLITE_ROW; ++i)
            benchmark::DoNotOptimize(
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2))));
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}
BENCHMARK(BM_Raw_Step1000)->Apply(sizes);

// One row a step, the walk going on from one iteration to the next: the
// cost of next() itself, beside one sqlite3_step of an open statement that
// reads the same column.
void BM_NextRow(benchmark::State &state)
{
    Opened opened(int(state.range(0)));
    opened.table.first();
    for (auto _ : state) {
        opened.table.next();
        if (opened.table.eof())
            opened.table.first();
        benchmark::DoNotOptimize(opened.target->asString());
    }
}
BENCHMARK(BM_NextRow)->Apply(sizes)->Unit(benchmark::kNanosecond);

void BM_PriorRow(benchmark::State &state)
{
    Opened opened(int(state.range(0)));
    opened.table.last();
    for (auto _ : state) {
        opened.table.prior();
        if (opened.table.bof())
            opened.table.last();
        benchmark::DoNotOptimize(opened.target->asString());
    }
}
BENCHMARK(BM_PriorRow)->Apply(sizes)->Unit(benchmark::kNanosecond);

void BM_Raw_StepRow(benchmark::State &state)
{
    RawDb raw(int(state.range(0)));
    sqlite3_stmt *stmt = raw.prepare("SELECT Azon, Angol, Magyar FROM Angol_Magyar "
                                     "ORDER BY Angol COLLATE HU_CI, Angol, Azon");
    for (auto _ : state) {
        if (sqlite3_step(stmt) != SQLITE_ROW) {
            sqlite3_reset(stmt);
            sqlite3_step(stmt);
        }
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 2))));
    }
    sqlite3_finalize(stmt);
}
BENCHMARK(BM_Raw_StepRow)->Apply(sizes)->Unit(benchmark::kNanosecond);

void BM_RowAt(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Opened opened(rows);
    opened.table.recNo();
    int n = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(opened.table.rowAt((n++ * 7919) % rows));
}
BENCHMARK(BM_RowAt)->Apply(sizes);

void BM_Raw_RowByKey(benchmark::State &state)
{
    const int rows = int(state.range(0));
    RawDb raw(rows);
    sqlite3_stmt *stmt = raw.prepare("SELECT * FROM Angol_Magyar WHERE Azon=?");
    int n = 0;
    for (auto _ : state) {
        sqlite3_bind_int(stmt, 1, 1000000 + (n++ * 7919) % rows);
        sqlite3_step(stmt);
        benchmark::DoNotOptimize(
            QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, 1))));
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
}
BENCHMARK(BM_Raw_RowByKey)->Apply(sizes);

// The text import's pattern: look the pair up, append it when absent.
QString freshFolder(const char *name)
{
    const QString folder = QDir(bench::benchFolder()).filePath(QString::fromLatin1(name));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    return folder;
}

void BM_AppendWithLocate(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = freshFolder("append");
        store::CreateDictionaryFile(QDir(folder).filePath(QStringLiteral("Angol_Magyar.DB")),
                                    QStringLiteral("Angol"), QStringLiteral("Magyar"));
        store::Session session;
        store::Table table(session);
        table.setDatabaseName(folder);
        table.setTableName(QStringLiteral("Angol_Magyar.DB"));
        store::Field *source = table.addField(QStringLiteral("Angol"));
        store::Field *target = table.addField(QStringLiteral("Magyar"));
        table.setIndexFieldNames(QStringLiteral("Angol"));
        table.open();
        state.ResumeTiming();
        table.disableControls();
        for (int n = 0; n < rows; ++n) {
            const QString s = bench::sourceWord(n), t = bench::targetWord(n);
            if (table.locate(QStringLiteral("Angol;Magyar"), {s, t}, kCi))
                continue;
            table.append();
            source->setAsString(s);
            target->setAsString(t);
            table.post();
        }
        table.enableControls();
    }
}
BENCHMARK(BM_AppendWithLocate)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Raw_InsertIndexed(benchmark::State &state)
{
    const int rows = int(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        const QString path = QDir(freshFolder("raw")).filePath(QStringLiteral("x.DB"));
        sqlite3 *db = nullptr;
        sqlite3_open(path.toUtf8().constData(), &db);
        store::collation::registerWith(db);
        sqlite3_exec(db,
                     "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;"
                     "CREATE TABLE t(Azon INTEGER PRIMARY KEY, Angol VARCHAR(50), Magyar "
                     "VARCHAR(50)); CREATE INDEX a ON t(Angol COLLATE HU_CI, Angol);"
                     "CREATE INDEX m ON t(Magyar COLLATE HU_CI, Magyar); BEGIN",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO t VALUES (?,?,?)", -1, &insert, nullptr);
        state.ResumeTiming();
        for (int n = 0; n < rows; ++n) {
            const QByteArray s = bench::sourceWord(n).toUtf8(), t = bench::targetWord(n).toUtf8();
            sqlite3_bind_int(insert, 1, 1000000 + n);
            sqlite3_bind_text(insert, 2, s.constData(), int(s.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(insert, 3, t.constData(), int(t.size()), SQLITE_TRANSIENT);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_finalize(insert);
        sqlite3_close(db);
    }
}
BENCHMARK(BM_Raw_InsertIndexed)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_IndexBuild(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString folder = bench::generatedDictionary(rows);
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(folder);
    table.setTableName(QStringLiteral("Angol_Magyar.DB"));
    for (auto _ : state) {
        table.deleteIndex(QStringLiteral("Magyar"));
        table.addIndex(QStringLiteral("Magyar"), QStringLiteral("Magyar"));
    }
}
BENCHMARK(BM_IndexBuild)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(1);

// Opening a dictionary that carries the rebuild marker, through the
// program's own open path: both indexes are built again, the marker goes,
// then the table opens in source order. Works on a copy, since the rebuild
// renames the generated file's indexes.
void BM_OpenWithRebuild(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const QString copyFolder =
        QDir(bench::benchFolder()).filePath(QStringLiteral("rebuild-%1").arg(rows));
    QDir().mkpath(copyFolder);
    const QString path = QDir(copyFolder).filePath(QStringLiteral("Angol_Magyar.DB"));
    QFile::remove(path);
    if (!QFile::copy(
            QDir(bench::generatedDictionary(rows)).filePath(QStringLiteral("Angol_Magyar.DB")),
            path)) {
        state.SkipWithError("the generated dictionary could not be copied");
        return;
    }
    const QString marker = store::sideFile(path, store::kRebuildMarkerExtension);
    bench::SilentPrompts prompts;
    for (auto _ : state) {
        state.PauseTiming();
        QFile markerFile(marker);
        if (!markerFile.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the rebuild marker could not be written");
            break;
        }
        markerFile.close();
        state.ResumeTiming();
        TDM1 dm;
        AppState app;
        const platform::Status opened = store::OpenDictionary(dm, app, path, {}, prompts);
        if (!opened) {
            state.SkipWithError(opened.error().toStdString().c_str());
            break;
        }
        if (QFile::exists(marker)) {
            state.SkipWithError("the open path did not rebuild the indexes");
            break;
        }
        benchmark::DoNotOptimize(dm.tblSzotarP.rowAt(0));
    }
}
BENCHMARK(BM_OpenWithRebuild)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();

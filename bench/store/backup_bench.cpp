// The maintenance backup of a 1,000,000-row dictionary: taking it (written
// under a temporary name, synced, renamed into place) and restoring it
// (checked, then copied back), each beside a plain page copy of the same
// file through SQLite's online backup, which is what both cost at least.
#include "generated_dictionary.h"
#include "store/dictionary_backup.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

namespace {

constexpr int kRows = 1000000;

QString dictionary()
{
    return QDir(bench::generatedDictionary(kRows)).filePath(QStringLiteral("Angol_Magyar.DB"));
}

// The baseline: every page of from copied into the file at to.
void plainCopy(const QString &from, const QString &to)
{
    sqlite3 *source = nullptr;
    sqlite3 *target = nullptr;
    sqlite3_open_v2(from.toUtf8().constData(), &source, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_open(to.toUtf8().constData(), &target);
    sqlite3_backup *backup = sqlite3_backup_init(target, "main", source, "main");
    sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
    sqlite3_close(target);
    sqlite3_close(source);
}

void BM_PlainPageCopy(benchmark::State &state)
{
    const QString path = dictionary();
    for (auto _ : state) {
        QFile::remove(path + QStringLiteral(".copy"));
        plainCopy(path, path + QStringLiteral(".copy"));
    }
    QFile::remove(path + QStringLiteral(".copy"));
}

void BM_TakeBackup(benchmark::State &state)
{
    const QString path = dictionary();
    for (auto _ : state)
        store::BackUpTableFile(path);
}

// The restore's baseline: the backup copied back without a check.
void BM_PlainCopyBack(benchmark::State &state)
{
    const QString path = dictionary();
    store::BackUpTableFile(path);
    for (auto _ : state)
        plainCopy(store::BackupFileOf(path), path);
}

void BM_RestoreBackup(benchmark::State &state)
{
    const QString path = dictionary();
    store::BackUpTableFile(path);
    for (auto _ : state)
        store::RestoreTableFile(path);
}

} // namespace

BENCHMARK(BM_PlainPageCopy)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_TakeBackup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PlainCopyBack)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RestoreBackup)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_MAIN();

// Converting the FreeDict dictionaries installed by Debian's
// dict-freedict-eng-hun and dict-freedict-hun-eng: reading alone, and the
// whole conversion into a table. Then generated dictionaries of up to five
// million pairs, converted and, for comparison, loaded plainly: each with
// its index in data order and sorted as dictfmt writes an unsorted list,
// uncompressed and as dictzip.
#include "generated_dictd.h"
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/dictd_reader.h"
#include "maintenance/dictd/stored_text.h"
#include "store/engine/collation.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <sys/resource.h>

#include <cstring>
#include <memory>

namespace {

struct FreeDict {
    const char *name;
    const char *table;
    bool repair;
};

constexpr FreeDict kDictionaries[] = {
    {"eng-hun", "Angol_Magyar.DB", true},
    {"hun-eng", "Magyar_Angol.DB", false},
};

QString dictdFile(const FreeDict &dict, const char *extension)
{
    return QStringLiteral("/usr/share/dictd/freedict-%1.%2")
        .arg(QString::fromLatin1(dict.name), QString::fromLatin1(extension));
}

bool installed(const FreeDict &dict, benchmark::State &state)
{
    if (QFileInfo::exists(dictdFile(dict, "index")) &&
        QFileInfo::exists(dictdFile(dict, "dict.dz")))
        return true;
    state.SkipWithError("a FreeDict dictd-állományai nincsenek telepítve");
    return false;
}

// Index, chunked inflate, entry parsing and the stored form of every side.
void BM_ReadFreeDict(benchmark::State &state)
{
    const FreeDict &dict = kDictionaries[state.range(0)];
    state.SetLabel(dict.name);
    if (!installed(dict, state))
        return;
    std::int64_t pairs = 0;
    for (auto _ : state) {
        auto reader =
            dictd::DictdReader::open(dictdFile(dict, "index"), dictdFile(dict, "dict.dz"));
        if (!reader) {
            state.SkipWithError(reader.error().toUtf8().constData());
            return;
        }
        pairs = 0;
        const auto walked = reader->forEachEntry([&](const dictd::DictdEntry &entry) {
            benchmark::DoNotOptimize(dictd::storedText(entry.headword, false));
            for (const QString &translation : entry.translations) {
                benchmark::DoNotOptimize(dictd::storedText(translation, dict.repair));
                ++pairs;
            }
        });
        if (!walked) {
            state.SkipWithError(walked.error().toUtf8().constData());
            return;
        }
    }
    state.counters["pairs"] = double(pairs);
}
BENCHMARK(BM_ReadFreeDict)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The whole conversion, table writing included.
void BM_ConvertFreeDict(benchmark::State &state)
{
    const FreeDict &dict = kDictionaries[state.range(0)];
    state.SetLabel(dict.name);
    if (!installed(dict, state))
        return;
    QTemporaryDir dir;
    dictd::ConvertOptions options;
    options.indexPath = dictdFile(dict, "index");
    options.dictPath = dictdFile(dict, "dict.dz");
    options.outputPath = dir.filePath(QString::fromLatin1(dict.table));
    options.repairHungarianTarget = dict.repair;
    options.overwrite = true;
    std::int64_t rows = 0;
    for (auto _ : state) {
        const auto report = dictd::convertDictd(options);
        if (!report) {
            state.SkipWithError(report.error().toUtf8().constData());
            return;
        }
        rows = report->rowsWritten;
    }
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_ConvertFreeDict)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->Iterations(2);

// Sizes of the generated dictionaries: about the free English-Hungarian
// one, and four and twenty times that.
constexpr std::int64_t kGeneratedSizes[] = {254'000, 1'000'000, 5'000'000};

// The yardstick: what the sqlite3 shell's .import of the same pairs into a
// table, followed by creating the two indexes, costs through the C API on
// SQLite's defaults.
void plainLoad(const QString &pairsPath, const QString &tablePath)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open(QFile::encodeName(tablePath).constData(), &db) != SQLITE_OK)
        qFatal("cannot open %s", qPrintable(tablePath));
    const auto closer = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>(db, &sqlite3_close_v2);
    store::collation::registerWith(db);
    const auto exec = [db](const char *sql) {
        if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
            qFatal("%s: %s", sql, sqlite3_errmsg(db));
    };
    exec("CREATE TABLE \"Angol_Magyar\" (\"Azon\" INTEGER PRIMARY KEY NOT NULL, "
         "\"Angol\" VARCHAR(50), \"Magyar\" VARCHAR(50))");
    exec("BEGIN");
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO \"Angol_Magyar\" VALUES (NULL,?,?)", -1, &insert, nullptr);
    QFile pairs(pairsPath);
    if (!pairs.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(pairsPath));
    char line[1024];
    qint64 length = 0;
    while ((length = pairs.readLine(line, sizeof line)) > 0) {
        const char *tab = static_cast<const char *>(std::memchr(line, '\t', std::size_t(length)));
        if (!tab)
            continue;
        const int sourceLength = int(tab - line);
        const int targetLength = int(length) - sourceLength - 2; // without the tab and LF
        sqlite3_bind_text(insert, 1, line, sourceLength, SQLITE_STATIC);
        sqlite3_bind_text(insert, 2, tab + 1, targetLength, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE)
            qFatal("insert: %s", sqlite3_errmsg(db));
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    exec("COMMIT");
    exec("CREATE INDEX \"Angol\" ON \"Angol_Magyar\" (\"Angol\" COLLATE HU_CI, \"Angol\")");
    exec("CREATE INDEX \"Magyar\" ON \"Angol_Magyar\" (\"Magyar\" COLLATE HU_CI, \"Magyar\")");
}

double maxRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

void BM_PlainLoadGenerated(benchmark::State &state)
{
    const bench::GeneratedDictd dict = bench::generatedDictd(state.range(0));
    for (auto _ : state) {
        QTemporaryDir dir;
        plainLoad(dict.pairsPath, dir.filePath(QStringLiteral("Angol_Magyar.DB")));
    }
    state.counters["pairs"] = double(dict.pairs);
    state.counters["maxRssMB"] = maxRssMegabytes();
}
BENCHMARK(BM_PlainLoadGenerated)
    ->Arg(kGeneratedSizes[0])
    ->Arg(kGeneratedSizes[1])
    ->Arg(kGeneratedSizes[2])
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

// The converter on the same generated dictionaries, in each layout (see
// bench::DictdLayout). Peak memory is that of the whole process so far: run
// one size alone for its own figure.
void BM_ConvertGenerated(benchmark::State &state)
{
    const auto layout = bench::DictdLayout(state.range(1));
    state.SetLabel(bench::layoutName(layout));
    const bench::GeneratedDictd dict = bench::generatedDictd(state.range(0), layout);
    std::int64_t rows = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        dictd::ConvertOptions options;
        options.indexPath = dict.indexPath;
        options.dictPath = dict.dictPath;
        options.outputPath = dir.filePath(QStringLiteral("Angol_Magyar.DB"));
        const auto report = dictd::convertDictd(options);
        if (!report) {
            state.SkipWithError(report.error().toUtf8().constData());
            return;
        }
        rows = report->rowsWritten;
    }
    state.counters["pairs"] = double(dict.pairs);
    state.counters["rows"] = double(rows);
    state.counters["maxRssMB"] = maxRssMegabytes();
}
BENCHMARK(BM_ConvertGenerated)
    ->ArgsProduct({{kGeneratedSizes[0], kGeneratedSizes[1], kGeneratedSizes[2]},
                   {int(bench::DictdLayout::InOrder), int(bench::DictdLayout::Unsorted),
                    int(bench::DictdLayout::DictzipInOrder),
                    int(bench::DictdLayout::DictzipUnsorted)}})
    ->ArgNames({"pairs", "layout"})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

BENCHMARK_MAIN();

// Converting the FreeDict dictionaries installed by Debian's
// dict-freedict-eng-hun and dict-freedict-hun-eng: reading alone, and the
// whole conversion into a table.
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/dictd_reader.h"
#include "maintenance/dictd/stored_text.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

} // namespace

BENCHMARK_MAIN();

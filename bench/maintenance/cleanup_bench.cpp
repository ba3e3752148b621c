// The clean-ups on a dictionary of realistic size: the DOS accent conversion
// and the "to" removal on 1,000,000 rows, each with and without the progress
// callback the program paints its panel from. Each run works on a fresh copy.
#include "generated_dictionary.h"
#include "maintenance/cleanup/cleanups.h"
#include "store/dictionaryfile.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/silent_prompts.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

// A dictionary that needs both clean-ups: every fifth source starts with
// "to ", every third holds DOS bytes (A0 for á, 81 for ü).
QString dirtyDictionary(int rows)
{
    const QString folder = QDir(bench::benchFolder()).filePath(QStringLiteral("dirty%1").arg(rows));
    const QString path = QDir(folder).filePath(QStringLiteral("Angol_Magyar.DB"));
    if (QFile::exists(path))
        return path;
    QDir().mkpath(folder);
    store::CreateDictionaryFile(path, QStringLiteral("Angol"), QStringLiteral("Magyar"));
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(folder);
    table.setTableName(QStringLiteral("Angol_Magyar.DB"));
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    table.open();
    store::BatchScope batch(table);
    for (int n = 0; n < rows; ++n) {
        QString text = bench::sourceWord(n);
        if (n % 3 == 0)
            text.replace(u'a', QChar(0xA0)).replace(u'u', QChar(0x81));
        if (n % 5 == 0)
            text.prepend(QStringLiteral("to "));
        table.append();
        source->setAsString(text);
        target->setAsString(bench::targetWord(n));
        table.post();
    }
    batch.commit();
    return path;
}

QString freshCopy(const QString &original)
{
    const QString work = QDir(bench::benchFolder()).filePath(QStringLiteral("work"));
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    const QString copy = QDir(work).filePath(QStringLiteral("Angol_Magyar.DB"));
    QFile::copy(original, copy);
    return copy;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

enum class Operation { Dos, To };

void runCleanup(benchmark::State &state, Operation operation)
{
    const int rows = int(state.range(0));
    const bool withProgress = state.range(1) != 0;
    const QString original = dirtyDictionary(rows);
    qint64 calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString copy = freshCopy(original);
        store::Session session;
        store::Table main(session), second(session);
        for (store::Table *table : {&main, &second}) {
            table->setDatabaseName(QFileInfo(copy).path());
            table->setTableName(QStringLiteral("Angol_Magyar.DB"));
            table->addField(QStringLiteral("Angol"));
            table->addField(QStringLiteral("Magyar"));
        }
        main.open();
        bench::SilentPrompts prompts;
        // What the panel does with every report: two label texts.
        QString text, counter;
        const cleanup::Reporting reporting(
            prompts, withProgress ? platform::Progress([&](qint64, qint64) { ++calls; }) : nullptr,
            withProgress ? platform::ProgressLines([&](const QString &a, const QString &b) {
                text = a;
                counter = b;
            })
                         : nullptr);
        state.ResumeTiming();
        const auto result = operation == Operation::Dos
                                ? cleanup::ConvertDosAccents(main, reporting)
                                : cleanup::RemoveToPrefixes(main, second, reporting);
        state.PauseTiming();
        if (!result)
            state.SkipWithError(result.error().toStdString().c_str());
        else
            benchmark::DoNotOptimize(result->changed);
        main.close();
        state.ResumeTiming();
    }
    state.counters["progress_calls"] = double(calls);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_DosConversion(benchmark::State &state)
{
    runCleanup(state, Operation::Dos);
}

void BM_ToRemoval(benchmark::State &state)
{
    runCleanup(state, Operation::To);
}

BENCHMARK(BM_DosConversion)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->ArgNames({"rows", "progress"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);
BENCHMARK(BM_ToRemoval)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->ArgNames({"rows", "progress"})
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();

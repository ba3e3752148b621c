// One `szotar lookup` process as a user starts it: wall time and the largest
// resident size of a process looking up one inflected word, and a batch of
// 1,000 words from standard input, each beside the same process with
// --no-stem, which loads no word-form data. VELKOR_SZOTAR names another
// szotar to measure (an older build, say).
#include "generated_dictionary.h"
#include "support/process_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

namespace {

QByteArray szotar()
{
    const QByteArray chosen = qgetenv("VELKOR_SZOTAR");
    return chosen.isEmpty() ? QByteArrayLiteral(VELKOR_BINARY_DIR "/bin/szotar") : chosen;
}

// The converted English–Hungarian dictionary when the build holds one, else
// a generated one (its words are no English words: every word is a miss).
QByteArray dictionary()
{
    const QString converted = QStringLiteral(VELKOR_BINARY_DIR "/bin/Angol_Magyar.DB");
    if (QFile::exists(converted))
        return QFile::encodeName(converted);
    return QFile::encodeName(
        QDir(bench::generatedDictionary(100000)).filePath(QStringLiteral("Angol_Magyar.DB")));
}

void measure(benchmark::State &state, const std::vector<QByteArray> &arguments,
             const QByteArray &inputPath = {})
{
    long maxRss = 0;
    double cpu = 0;
    for (auto _ : state) {
        const bench::ProcessRun run = bench::runProcess(szotar(), arguments, inputPath);
        if (!run.ok) {
            state.SkipWithError("szotar lookup failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        maxRss = std::max(maxRss, run.maxRssKilobytes);
        cpu += run.cpuSeconds;
    }
    state.counters["maxRssMB"] = double(maxRss) / 1024.0;
    state.counters["cpuMs"] = benchmark::Counter(cpu * 1000.0, benchmark::Counter::kAvgIterations);
}

std::vector<QByteArray> lookupArguments(bool stemming)
{
    std::vector<QByteArray> arguments{"lookup", "--dict", dictionary()};
    if (!stemming)
        arguments.emplace_back("--no-stem");
    return arguments;
}

void BM_LookupProcess_OneInflectedWord(benchmark::State &state)
{
    std::vector<QByteArray> arguments = lookupArguments(true);
    arguments.emplace_back("walked");
    measure(state, arguments);
}
BENCHMARK(BM_LookupProcess_OneInflectedWord)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_LookupProcess_OneWordNoStem(benchmark::State &state)
{
    std::vector<QByteArray> arguments = lookupArguments(false);
    arguments.emplace_back("walked");
    measure(state, arguments);
}
BENCHMARK(BM_LookupProcess_OneWordNoStem)->UseManualTime()->Unit(benchmark::kMillisecond);

// 1,000 words of a text, inflected and not, some repeated, one a line.
QByteArray batchFile(QTemporaryFile &file)
{
    static const char *const kWords[] = {
        "walked",     "houses",   "stood",     "running", "children",  "better",  "studies",
        "carried",    "happiest", "rewritten", "mice",    "women's",   "authors", "the",
        "dictionary", "looked",   "xqzvw",     "books",   "going",     "taken",   "quickly",
        "cities",     "written",  "geese",     "tables",  "opened",    "words",   "reading",
        "translated", "feet",     "larger",    "came",    "licensors", "moved",   "parts"};
    constexpr int kCount = int(std::size(kWords));
    QByteArray text;
    for (int i = 0; i < 1000; ++i)
        text.append(kWords[(i * 7 + i / kCount) % kCount]).append('\n');
    if (!file.open() || file.write(text) != text.size() || !file.flush())
        return {};
    return QFile::encodeName(file.fileName());
}

void BM_LookupProcess_Batch(benchmark::State &state, bool stemming)
{
    QTemporaryFile file;
    const QByteArray path = batchFile(file);
    if (path.isEmpty()) {
        state.SkipWithError("cannot write the word list");
        return;
    }
    measure(state, lookupArguments(stemming), path);
}
BENCHMARK_CAPTURE(BM_LookupProcess_Batch, Stemming, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LookupProcess_Batch, NoStem, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

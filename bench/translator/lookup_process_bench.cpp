// One `szotar lookup` process as a user starts it: wall time and the largest
// resident size of a process looking up one inflected word, and a batch of
// 1,000 words from standard input, each beside the same process with
// --no-stem, which loads no word-form data. VELKOR_SZOTAR names another
// szotar to measure (an older build, say).
#include "generated_dictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <vector>

extern char **environ;

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

struct Run {
    bool ok = false;
    double seconds = 0;
    long maxRssKilobytes = 0;
    double cpuSeconds = 0; // user and system: what a busy machine does not inflate
};

// Runs szotar with arguments, standard input from inputPath (or none),
// output to /dev/null.
Run spawn(const std::vector<QByteArray> &arguments, const QByteArray &inputPath)
{
    std::vector<QByteArray> all{szotar()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char *> argv;
    for (QByteArray &argument : all)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, 0, inputPath.isEmpty() ? "/dev/null" : inputPath.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    Run run;
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0)
        return run;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid)
        return run;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.maxRssKilobytes = usage.ru_maxrss;
    const auto seconds = [](const timeval &t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    run.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

void measure(benchmark::State &state, const std::vector<QByteArray> &arguments,
             const QByteArray &inputPath = {})
{
    long maxRss = 0;
    double cpu = 0;
    for (auto _ : state) {
        const Run run = spawn(arguments, inputPath);
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

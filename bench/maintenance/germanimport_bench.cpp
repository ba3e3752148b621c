// The German word lists. One line full of " !" marks split by the program
// and, as the baseline in the same run, by the deletion loop of earlier
// versions (a QString::remove per mark). Whole imports of a list that is one
// such line, and of a list that is one 200 MB line, read streamed; beside
// the latter, the baseline reads and decodes the whole file as earlier
// versions did. peak_MB is the process's peak: run a long-line benchmark
// alone (--benchmark_filter) to read its own.
#include "../store/generated_dictionary.h"
#include "maintenance/cleanup/germanimport.h"
#include "platform/codepage.h"
#include "platform/fileaccess.h"
#include "platform/prompts.h"
#include "store/dictionaryfile.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

class SilentPrompts final : public platform::Prompts {
public:
    QChar askYesNo(const QString &) override { return kYes; }
    QChar askYesCancel(const QString &) override { return kYes; }
    QChar askYesNoCancel(const QString &) override { return kYes; }
    void info(const QString &) override {}
    void showBusy(const QString &) override {}
    void progress(const QString &) override {}
    void finishBusy(const QString &) override {}
    void hideBusy() override {}
};

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

QByteArray markLine(qint64 pairs)
{
    QByteArray line = "Hallo";
    line.reserve(qsizetype(pairs) * 2 + 16);
    for (qint64 i = 0; i < pairs; ++i)
        line += " !";
    return line + "  szia";
}

// The mark loop of earlier versions, then the program's split.
cleanup::GermanPair splitBefore(QString line)
{
    for (qsizetype i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == u' ' && (line[i + 1] == u'!' || line[i + 1] == u'?'))
            line.remove(i, 1);
    }
    return cleanup::SplitGermanLine(line);
}

void BM_GermanMarkLine_Before(benchmark::State &state)
{
    const QString line = QString::fromLatin1(markLine(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(splitBefore(line).german.size());
}

void BM_GermanMarkLine(benchmark::State &state)
{
    const QString line = QString::fromLatin1(markLine(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(cleanup::SplitGermanLine(line).german.size());
}

// The old loop takes minutes on 800k pairs: the baseline stops at 400k.
BENCHMARK(BM_GermanMarkLine_Before)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GermanMarkLine)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000)
    ->Arg(800000)
    ->Unit(benchmark::kMillisecond);

// A folder of 52 lists, every one skipped but A01.TXT, which holds bytes.
QString listFolder(const QString &name, const std::function<void(QFile &)> &fill)
{
    const QString folder = QDir(bench::benchFolder()).filePath(name);
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (const QString &file : cleanup::GermanWordListFiles()) {
        QFile out(QDir(folder).filePath(file));
        out.open(QIODevice::WriteOnly);
        if (file == QStringLiteral("A01.TXT"))
            fill(out);
        else
            out.write("\xE9\xE9\xE9\r\n");
    }
    return folder;
}

void runImport(benchmark::State &state, const QString &folder)
{
    const QString dictionaryFolder = QDir(bench::benchFolder()).filePath(QStringLiteral("german"));
    for (auto _ : state) {
        state.PauseTiming();
        QDir(dictionaryFolder).removeRecursively();
        QDir().mkpath(dictionaryFolder);
        store::CreateDictionaryFile(QDir(dictionaryFolder).filePath(QStringLiteral("N_M.DB")),
                                    QStringLiteral("Nemet"), QStringLiteral("Magyar"));
        store::Session session;
        store::Table table(session);
        table.setDatabaseName(dictionaryFolder);
        table.setTableName(QStringLiteral("N_M.DB"));
        table.addField(QStringLiteral("Nemet"));
        table.addField(QStringLiteral("Magyar"));
        table.open();
        SilentPrompts prompts;
        state.ResumeTiming();
        const auto result =
            cleanup::ImportGermanWordLists(table, QStringLiteral("Nemet"), QStringLiteral("Magyar"),
                                           folder, QStringLiteral("N_M.DB"), {prompts});
        if (!result)
            state.SkipWithError(result.error().toStdString().c_str());
        else
            benchmark::DoNotOptimize(result->changed);
    }
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_GermanImportMarkLine(benchmark::State &state)
{
    const qint64 pairs = state.range(0);
    runImport(state, listFolder(QStringLiteral("marks"), [&](QFile &out) {
                  out.write(markLine(pairs) + "\r\nHaus  h\xE1z\r\n");
              }));
}
BENCHMARK(BM_GermanImportMarkLine)
    ->Arg(100000)
    ->Arg(200000)
    ->Arg(400000)
    ->Arg(800000)
    ->Unit(benchmark::kMillisecond);

constexpr qint64 kLongLineBytes = qint64(200) * 1024 * 1024;

QString longLineFolder()
{
    return listFolder(QStringLiteral("long"), [](QFile &out) {
        out.write("Haus  ");
        const QByteArray piece(1024 * 1024, 'y');
        for (qint64 written = 0; written < kLongLineBytes; written += piece.size())
            out.write(piece);
        out.write("\r\nAuto  aut\xF3\r\n");
    });
}

void BM_GermanImportLongLine(benchmark::State &state)
{
    runImport(state, longLineFolder());
}
BENCHMARK(BM_GermanImportLongLine)->Iterations(1)->Unit(benchmark::kMillisecond);

// Earlier versions held the whole file and its text at once.
void BM_GermanImportLongLine_WholeFileBefore(benchmark::State &state)
{
    const QString file = QDir(longLineFolder()).filePath(QStringLiteral("A01.TXT"));
    for (auto _ : state) {
        QFile in(file);
        in.open(QIODevice::ReadOnly);
        const std::optional<QByteArray> bytes = platform::readAtMost(in, qint64(256) * 1024 * 1024);
        const QString text = cp1250::decode(*bytes);
        benchmark::DoNotOptimize(cleanup::SplitGermanLine(text.first(text.indexOf(u'\r'))));
    }
    state.counters["peak_MB"] = peakMegabytes();
}
BENCHMARK(BM_GermanImportLongLine_WholeFileBefore)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

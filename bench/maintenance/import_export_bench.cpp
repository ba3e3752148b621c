// The text import and export beside the same work in plain SQLite: importing
// a file of 1,000,000 lines into a dictionary of 254,734 rows, and exporting
// 1,000,000 rows. Each figure's baseline runs in the same program.
#include "generated_dictionary.h"
#include "support/process_run.h"
#include "support/silent_prompts.h"

#include "maintenance/import/text_export.h"
#include "maintenance/import/text_import.h"
#include "platform/text/formatthousands.h"
#include "platform/text/textfunctions.h"
#include "store/dictionaryformat.h"
#include "store/engine/collation.h"
#include "store/engine/session.h"
#include "store/engine/table.h"

#include <QDir>
#include <QFile>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kDictionaryRows = 254734;
constexpr int kFileLines = 1000000;
constexpr int kExportRows = 1000000;

QString work(const QString &name)
{
    return QDir(bench::benchFolder()).filePath(name);
}

// A text file of kFileLines lines: one in four a pair of the dictionary in
// other letter case, the rest new pairs, some of them twice.
QString importFile()
{
    static const QString path = [] {
        const QString file = work(QStringLiteral("import.txt"));
        QFile out(file);
        (void)out.open(QIODevice::WriteOnly);
        QByteArray bytes;
        for (int i = 0; i < kFileLines; ++i) {
            const int n = i % 4 == 0 ? (i / 4) % kDictionaryRows : kDictionaryRows + i - i % 13;
            const QString source =
                i % 4 == 0 ? bench::sourceWord(n).toUpper() : bench::sourceWord(n);
            bytes += source.toLatin1() + '\t' + bench::targetWord(n).toUtf8() + "\r\n";
            if (bytes.size() > (1 << 20)) {
                out.write(bytes);
                bytes.clear();
            }
        }
        out.write(bytes);
        return file;
    }();
    return path;
}

// A fresh copy of the dictionary of kDictionaryRows rows.
QString freshDictionary()
{
    const QString from = QDir(bench::generatedDictionary(kDictionaryRows))
                             .filePath(QStringLiteral("Angol_Magyar.DB"));
    const QString folder = work(QStringLiteral("import"));
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    QFile::copy(from, QDir(folder).filePath(QStringLiteral("Angol_Magyar.DB")));
    return folder;
}

long maxRssKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

struct Opened {
    store::Session session;
    store::Table table{session};
    store::Field *source = nullptr;
    store::Field *target = nullptr;
    explicit Opened(const QString &folder)
    {
        table.setDatabaseName(folder);
        table.setTableName(QStringLiteral("Angol_Magyar.DB"));
        source = table.addField(QStringLiteral("Angol"));
        target = table.addField(QStringLiteral("Magyar"));
        table.open();
    }
};

// Progress as the callers draw it: arg 1 formats every counter it is given.
void BM_ImportTextFile(benchmark::State &state)
{
    const bool withProgress = state.range(0) != 0;
    const QString file = importFile();
    qint64 added = 0;
    qint64 calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = freshDictionary();
        state.ResumeTiming();
        Opened opened(folder);
        bench::SilentPrompts prompts;
        QString shown;
        const auto imported = dictimport::ImportTextFile(
            {opened.table, *opened.source, *opened.target}, file, prompts,
            withProgress ? platform::Progress([&](qint64 done, qint64 total) {
                ++calls;
                shown = FormatThousands(done * 100 / qMax<qint64>(total, 1));
            })
                         : platform::Progress(),
            withProgress ? platform::ProgressLines([&](const QString &text, const QString &n) {
                ++calls;
                shown = text + n;
            })
                         : platform::ProgressLines());
        if (!imported) {
            state.SkipWithError(imported.error().toUtf8().constData());
            return;
        }
        added = imported->added;
    }
    state.counters["added"] = double(added);
    state.counters["progressCalls"] = double(calls) / double(state.iterations());
    state.counters["maxRssMB"] = double(maxRssKilobytes()) / 1024.0;
}
BENCHMARK(BM_ImportTextFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// The import's form of a text in SQL: trimmed of blanks, lower-cased the
// Hungarian way and cut to the field's size, as the import stores it.
void storedFormSql(sqlite3_context *context, int, sqlite3_value **values)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(values[0]));
    const QByteArray stored =
        store::cutToSize(LowerHungarian(TrimBlanks(QString::fromUtf8(text ? text : "")))).toUtf8();
    sqlite3_result_text(context, stored.constData(), int(stored.size()), SQLITE_TRANSIENT);
}

// The same work in plain SQLite: the lines loaded into a temporary table, as
// the sqlite3 shell's ".import" does, then the pairs in the import's stored
// form that are not present in any letter case inserted into the indexed
// dictionary table, lines with an empty side left out, as the import does.
void BM_ImportPlainSqlite(benchmark::State &state)
{
    const QString file = importFile();
    for (auto _ : state) {
        state.PauseTiming();
        const QString folder = freshDictionary();
        state.ResumeTiming();
        sqlite3 *db = nullptr;
        const QByteArray path = QDir(folder).filePath(QStringLiteral("Angol_Magyar.DB")).toUtf8();
        sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        store::collation::registerWith(db);
        sqlite3_create_function_v2(db, "stored_form", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC,
                                   nullptr, storedFormSql, nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA synchronous=NORMAL; BEGIN; CREATE TEMP TABLE imp(a TEXT, b TEXT)",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt *insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO imp VALUES (?1, ?2)", -1, &insert, nullptr);
        std::FILE *in = std::fopen(QFile::encodeName(file).constData(), "rb");
        char line[4096];
        while (std::fgets(line, sizeof line, in)) {
            std::size_t length = std::strcspn(line, "\r\n");
            line[length] = '\0';
            char *tab = std::strchr(line, '\t');
            if (!tab)
                continue;
            *tab = '\0';
            sqlite3_bind_text(insert, 1, line, int(tab - line), SQLITE_STATIC);
            sqlite3_bind_text(insert, 2, tab + 1, -1, SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        std::fclose(in);
        sqlite3_finalize(insert);
        char *error = nullptr;
        const int rc = sqlite3_exec(
            db,
            "INSERT INTO Angol_Magyar (Angol, Magyar) "
            "SELECT DISTINCT a, b FROM (SELECT stored_form(a) AS a, stored_form(b) AS b FROM imp) "
            "p WHERE a <> '' AND b <> '' AND NOT EXISTS "
            "(SELECT 1 FROM Angol_Magyar t WHERE t.Angol = p.a COLLATE HU_CI "
            "AND t.Magyar = p.b COLLATE HU_CI); COMMIT",
            nullptr, nullptr, &error);
        if (rc != SQLITE_OK) {
            state.SkipWithError(error ? error : "sqlite");
            sqlite3_free(error);
        }
        // Beside the import's own count: the same pairs are added.
        state.counters["added"] = double(sqlite3_changes(db));
        sqlite3_close(db);
    }
}
BENCHMARK(BM_ImportPlainSqlite)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ExportTextFile(benchmark::State &state)
{
    const bool withProgress = state.range(0) != 0;
    Opened opened(bench::generatedDictionary(kExportRows));
    const QString file = work(QStringLiteral("export.txt"));
    for (auto _ : state) {
        bench::SilentPrompts prompts;
        QString shown;
        const auto exported = dictimport::ExportTextFile(
            {opened.table, *opened.source, *opened.target}, file, true, prompts,
            withProgress
                ? platform::Progress([&](qint64 done, qint64) { shown = FormatThousands(done); })
                : platform::Progress(),
            withProgress ? platform::ProgressLines(
                               [&](const QString &text, const QString &n) { shown = text + n; })
                         : platform::ProgressLines());
        if (!exported) {
            state.SkipWithError(exported.error().toUtf8().constData());
            return;
        }
    }
    state.counters["maxRssMB"] = double(maxRssKilobytes()) / 1024.0;
}
BENCHMARK(BM_ExportTextFile)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The plain sqlite3 loop the export is measured against: every pair as
// "source<TAB>target<CR><LF>", in row order.
bool dumpPairs(const QByteArray &path, std::FILE *out)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return false;
    }
    sqlite3_stmt *select = nullptr;
    sqlite3_prepare_v2(db, "SELECT Angol, Magyar FROM Angol_Magyar ORDER BY Azon", -1, &select,
                       nullptr);
    int step = SQLITE_DONE;
    while (select && (step = sqlite3_step(select)) == SQLITE_ROW) {
        std::fwrite(sqlite3_column_text(select, 0), 1, std::size_t(sqlite3_column_bytes(select, 0)),
                    out);
        std::fputc('\t', out);
        std::fwrite(sqlite3_column_text(select, 1), 1, std::size_t(sqlite3_column_bytes(select, 1)),
                    out);
        std::fputs("\r\n", out);
    }
    const bool done = select && step == SQLITE_DONE;
    sqlite3_finalize(select);
    sqlite3_close(db);
    return done;
}

// A loop over the C API writing the fields with a separator, as the sqlite3
// shell's "-separator" output does.
void BM_ExportPlainSqlite(benchmark::State &state)
{
    const QByteArray path = QDir(bench::generatedDictionary(kExportRows))
                                .filePath(QStringLiteral("Angol_Magyar.DB"))
                                .toUtf8();
    const QByteArray file = QFile::encodeName(work(QStringLiteral("export-plain.txt")));
    for (auto _ : state) {
        std::FILE *out = std::fopen(file.constData(), "wb");
        const bool dumped = out && dumpPairs(path, out);
        if (!dumped) {
            if (out)
                std::fclose(out);
            state.SkipWithError("the plain dump failed");
            break;
        }
        std::fclose(out);
    }
}
BENCHMARK(BM_ExportPlainSqlite)->Unit(benchmark::kMillisecond);

// The plain loop with the export's durability: written under a temporary
// name, synced and renamed into place.
void BM_ExportPlainSqliteSynced(benchmark::State &state)
{
    const QByteArray path = QDir(bench::generatedDictionary(kExportRows))
                                .filePath(QStringLiteral("Angol_Magyar.DB"))
                                .toUtf8();
    const QByteArray file = QFile::encodeName(work(QStringLiteral("export-synced.txt")));
    const QByteArray temporary = file + ".uj";
    for (auto _ : state) {
        std::FILE *out = std::fopen(temporary.constData(), "wb");
        const bool dumped = out && dumpPairs(path, out);
        if (!dumped) {
            if (out)
                std::fclose(out);
            state.SkipWithError("the plain dump failed");
            break;
        }
        std::fflush(out);
        fsync(fileno(out));
        std::fclose(out);
        std::rename(temporary.constData(), file.constData());
    }
}
BENCHMARK(BM_ExportPlainSqliteSynced)->Unit(benchmark::kMillisecond);

// Whole processes: `szotar export` of the generated dictionary beside the
// sqlite3 shell writing the same columns with TAB and CR LF.
void measureProcess(benchmark::State &state, const QByteArray &program,
                    const std::vector<QByteArray> &arguments, const QByteArray &output = {})
{
    double cpu = 0;
    long maxRss = 0;
    for (auto _ : state) {
        const bench::ProcessRun run = bench::runProcess(program, arguments, {}, output);
        if (!run.ok) {
            state.SkipWithError((program + " failed").constData());
            return;
        }
        state.SetIterationTime(run.seconds);
        cpu += run.cpuSeconds;
        maxRss = std::max(maxRss, run.maxRssKilobytes);
    }
    state.counters["cpuMs"] = benchmark::Counter(cpu * 1000.0, benchmark::Counter::kAvgIterations);
    state.counters["maxRssMB"] = double(maxRss) / 1024.0;
}

QByteArray generatedFile()
{
    return QFile::encodeName(
        QDir(bench::generatedDictionary(kExportRows)).filePath(QStringLiteral("Angol_Magyar.DB")));
}

void BM_ExportProcess_Szotar(benchmark::State &state)
{
    // VELKOR_SZOTAR names another szotar to measure (an older build, say).
    const QByteArray chosen = qgetenv("VELKOR_SZOTAR");
    measureProcess(state,
                   chosen.isEmpty() ? QByteArrayLiteral(VELKOR_BINARY_DIR "/bin/szotar") : chosen,
                   {"export", "--yes", generatedFile(),
                    QFile::encodeName(work(QStringLiteral("export-szotar.txt")))});
}
BENCHMARK(BM_ExportProcess_Szotar)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_ExportProcess_Sqlite3Shell(benchmark::State &state)
{
    measureProcess(state, "sqlite3",
                   {"-separator", "\t", "-newline", "\r\n", generatedFile(),
                    "SELECT Angol, Magyar FROM Angol_Magyar ORDER BY Azon"},
                   QFile::encodeName(work(QStringLiteral("export-shell.txt"))));
}
BENCHMARK(BM_ExportProcess_Sqlite3Shell)->UseManualTime()->Unit(benchmark::kMillisecond);

// What composing UTF-8 lines (NFC) costs the import: the lines of the import
// file decoded by the import, beside the plain UTF-8 decoding as baseline.
std::vector<QByteArray> importLines()
{
    std::vector<QByteArray> lines;
    for (int n = 0; n < 100000; ++n)
        lines.push_back(bench::sourceWord(n).toLatin1() + '\t' + bench::targetWord(n).toUtf8());
    return lines;
}

void BM_DecodeUtf8Lines_WithoutComposing(benchmark::State &state)
{
    const std::vector<QByteArray> lines = importLines();
    for (auto _ : state) {
        for (const QByteArray &line : lines)
            benchmark::DoNotOptimize(QString::fromUtf8(line).size());
    }
    state.SetItemsProcessed(state.iterations() * qint64(lines.size()));
}
BENCHMARK(BM_DecodeUtf8Lines_WithoutComposing)->Unit(benchmark::kMillisecond);

void BM_DecodeImportLines(benchmark::State &state)
{
    const std::vector<QByteArray> lines = importLines();
    for (auto _ : state) {
        for (const QByteArray &line : lines)
            benchmark::DoNotOptimize(
                dictimport::DecodeImportLine(line, platform::TextEncoding::Utf8).size());
    }
    state.SetItemsProcessed(state.iterations() * qint64(lines.size()));
}
BENCHMARK(BM_DecodeImportLines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

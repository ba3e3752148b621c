// LookUpWord on a generated dictionary of 1,000,000 rows and on the converted
// English–Hungarian and Hungarian–English dictionaries, beside the same number
// of raw SQLite indexed lookups. Every call is timed; p50 and p99 are reported
// as counters.
#include "generated_dictionary.h"
#include "lookup_timings.h"

#include "store/engine/collation.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/built_dictionary.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

constexpr int kGeneratedRows = 1000000;
constexpr int kSamples = 20000;

enum class Words {
    Headwords, // the entries' own source texts
    Inflected, // with a plural, -ed or -ing ending
    Typing,    // every beginning of a word, as the word box sees it while typing
};

struct Dictionary {
    QString folder;
    QString file = QStringLiteral("Angol_Magyar.DB");
    QString source = QStringLiteral("Angol");
    QString target = QStringLiteral("Magyar");
};

struct OpenLookup {
    store::Session session;
    store::Table table{session};
    std::unique_ptr<translator::WordLookup> lookup;

    // forms: the word-form stage's analysers, null for the lookup without it.
    explicit OpenLookup(const Dictionary &dictionary, translator::WordForms *forms = nullptr)
    {
        table.setDatabaseName(dictionary.folder);
        table.setTableName(dictionary.file);
        store::Field *source = table.addField(dictionary.source);
        store::Field *target = table.addField(dictionary.target);
        table.setIndexFieldNames(dictionary.source);
        table.open();
        lookup = std::make_unique<translator::WordLookup>(table, *source, *target);
        lookup->setWordForms(forms);
    }
};

// The exact, case-insensitive locate of the engine as one raw statement.
class RawLookup {
public:
    explicit RawLookup(const Dictionary &dictionary)
    {
        const QString path = QDir(dictionary.folder).filePath(dictionary.file);
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READONLY, nullptr);
        store::collation::registerWith(m_db);
        const QString table = QFileInfo(dictionary.file).completeBaseName();
        const QByteArray sql = QStringLiteral("SELECT Azon, %2 FROM %3 WHERE %1 = ?1 COLLATE HU_CI "
                                              "ORDER BY %1 COLLATE HU_CI, %1, Azon LIMIT 1")
                                   .arg(dictionary.source, dictionary.target, table)
                                   .toUtf8();
        sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_stmt, nullptr);
        m_distinct = QStringLiteral("SELECT DISTINCT %1 FROM %2").arg(dictionary.source, table);
    }
    ~RawLookup()
    {
        sqlite3_finalize(m_stmt);
        sqlite3_close(m_db);
    }
    RawLookup(const RawLookup &) = delete;
    RawLookup &operator=(const RawLookup &) = delete;

    bool find(const QString &word)
    {
        const QByteArray key = word.toUtf8();
        sqlite3_bind_text(m_stmt, 1, key.constData(), int(key.size()), SQLITE_TRANSIENT);
        const bool found = sqlite3_step(m_stmt) == SQLITE_ROW;
        if (found)
            benchmark::DoNotOptimize(sqlite3_column_text(m_stmt, 1));
        sqlite3_reset(m_stmt);
        return found;
    }

    QStringList distinctSources()
    {
        QStringList words;
        sqlite3_stmt *stmt = nullptr;
        sqlite3_prepare_v2(m_db, m_distinct.toUtf8().constData(), -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            words << QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
        return words;
    }

private:
    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_stmt = nullptr;
    QString m_distinct;
};

QStringList inflect(const QStringList &headwords)
{
    static const QString kEndings[] = {QStringLiteral("s"), QStringLiteral("ed"),
                                       QStringLiteral("ing")};
    QStringList words;
    for (const QString &headword : headwords) {
        if (headword.contains(u' '))
            continue; // phrases are not inflected
        for (const QString &ending : kEndings)
            words << headword + ending;
    }
    return words;
}

QStringList typed(const QStringList &headwords)
{
    QStringList words;
    for (const QString &headword : headwords) {
        for (qsizetype length = 1; length <= headword.size(); ++length)
            words << headword.left(length);
    }
    return words;
}

QStringList generatedWords(Words kind)
{
    QStringList headwords;
    const int count = kind == Words::Typing ? kSamples / 8 : kSamples;
    for (int n = 0; n < count; ++n)
        headwords << bench::sourceWord(int((qint64(n) * 7919) % kGeneratedRows));
    switch (kind) {
    case Words::Headwords:
        return headwords;
    case Words::Inflected:
        return inflect(headwords).mid(0, kSamples);
    case Words::Typing:
        return typed(headwords);
    }
    return headwords;
}

Dictionary generated()
{
    return {bench::generatedDictionary(kGeneratedRows)};
}

// A converted dictionary of a build (Angol_Magyar.DB or Magyar_Angol.DB),
// copied once so that a converter still writing it is not disturbed.
std::optional<Dictionary> converted(const QString &file)
{
    const auto built = bench::builtDictionary(file);
    if (!built)
        return std::nullopt;
    const QString folder = QDir(bench::benchFolder()).filePath(file);
    QDir().mkpath(folder);
    const QString target = QDir(folder).filePath(file);
    QFile::remove(target);
    if (QFile::copy(*built, target)) {
        const QStringList languages = QFileInfo(file).completeBaseName().split(u'_');
        return Dictionary{folder, file, languages.value(0), languages.value(1)};
    }
    return std::nullopt;
}

std::optional<Dictionary> english()
{
    static const std::optional<Dictionary> copy = converted(QStringLiteral("Angol_Magyar.DB"));
    return copy;
}

std::optional<Dictionary> hungarian()
{
    static const std::optional<Dictionary> copy = converted(QStringLiteral("Magyar_Angol.DB"));
    return copy;
}

// The source language's analysers, loaded before any timing as the program
// loads them in the background.
translator::WordForms *formsFor(const QString &language)
{
    static translator::WordForms forms;
    return forms.analyser(language) ? &forms : nullptr;
}

void timeLookups(benchmark::State &state, const Dictionary &dictionary, const QStringList &words,
                 bool stem = false)
{
    translator::WordForms *forms = stem ? formsFor(dictionary.source) : nullptr;
    if (stem && !forms) {
        state.SkipWithError("Nincs Hunspell- vagy WordNet-állomány");
        return;
    }
    OpenLookup open(dictionary, forms);
    for (auto _ : state) {
        LookupTimings timings(std::size_t(words.size()));
        for (const QString &word : words)
            timings.time([&] { benchmark::DoNotOptimize(open.lookup->LookUpWord(word)); });
        timings.report(state);
    }
}

void timeRaw(benchmark::State &state, const Dictionary &dictionary, const QStringList &words)
{
    RawLookup raw(dictionary);
    for (auto _ : state) {
        LookupTimings timings(std::size_t(words.size()));
        for (const QString &word : words)
            timings.time([&] { benchmark::DoNotOptimize(raw.find(word)); });
        timings.report(state);
    }
}

void BM_LookUpWord_Generated1M(benchmark::State &state, Words kind)
{
    timeLookups(state, generated(), generatedWords(kind));
}

void BM_LookUpWord_Stem_Generated1M(benchmark::State &state, Words kind)
{
    timeLookups(state, generated(), generatedWords(kind), true);
}

void BM_Raw_IndexedLookup_Generated1M(benchmark::State &state, Words kind)
{
    timeRaw(state, generated(), generatedWords(kind));
}

// Hungarian endings by the last vowel: plural, accusative, inessive, dative
// and the definite past.
QStringList inflectHungarian(const QString &headword)
{
    static const QString kBack = QStringLiteral("aáoóuú");
    static const QString kFront = QStringLiteral("eéiíöőüű");
    for (qsizetype i = headword.size() - 1; i >= 0; --i) {
        if (kBack.contains(headword[i]))
            return {headword + u"ok"_s, headword + u"ot"_s, headword + u"ban"_s,
                    headword + u"nak"_s, headword + u"otta"_s};
        if (kFront.contains(headword[i]))
            return {headword + u"ek"_s, headword + u"et"_s, headword + u"ben"_s,
                    headword + u"nek"_s, headword + u"ette"_s};
    }
    return {};
}

QStringList convertedWords(const Dictionary &dictionary, Words kind)
{
    const QStringList headwords = RawLookup(dictionary).distinctSources();
    switch (kind) {
    case Words::Headwords:
        return headwords;
    case Words::Inflected: {
        if (dictionary.source == u"Angol")
            return inflect(headwords);
        // An evenly spread sample: Hungarian analysis is slower.
        QStringList words;
        const qsizetype step = std::max<qsizetype>(1, headwords.size() / (kSamples / 5));
        for (qsizetype i = 0; i < headwords.size(); i += step) {
            if (!headwords[i].contains(u' '))
                words << inflectHungarian(headwords[i]);
        }
        return words;
    }
    case Words::Typing: {
        // Every beginning of an evenly spread sample of the headwords.
        QStringList sample;
        const qsizetype step = std::max<qsizetype>(1, headwords.size() / (kSamples / 8));
        for (qsizetype i = 0; i < headwords.size(); i += step)
            sample << headwords[i];
        return typed(sample);
    }
    }
    return headwords;
}

using Converted = std::optional<Dictionary> (*)();

void timeConverted(benchmark::State &state, Converted which, Words kind, bool stem)
{
    const auto dictionary = which();
    if (!dictionary) {
        state.SkipWithError(
            "Nincs átalakított szótár (build*/bin/Angol_Magyar.DB, Magyar_Angol.DB)");
        return;
    }
    timeLookups(state, *dictionary, convertedWords(*dictionary, kind), stem);
}

void BM_LookUpWord_English(benchmark::State &state, Words kind)
{
    timeConverted(state, english, kind, false);
}

void BM_LookUpWord_Stem_English(benchmark::State &state, Words kind)
{
    timeConverted(state, english, kind, true);
}

void BM_Raw_IndexedLookup_English(benchmark::State &state, Words kind)
{
    const auto dictionary = english();
    if (!dictionary) {
        state.SkipWithError("Nincs átalakított angol-magyar szótár (build*/bin/Angol_Magyar.DB)");
        return;
    }
    timeRaw(state, *dictionary, convertedWords(*dictionary, kind));
}

void BM_LookUpWord_Hungarian(benchmark::State &state, Words kind)
{
    timeConverted(state, hungarian, kind, false);
}

void BM_LookUpWord_Stem_Hungarian(benchmark::State &state, Words kind)
{
    timeConverted(state, hungarian, kind, true);
}

void BM_Raw_IndexedLookup_Hungarian(benchmark::State &state, Words kind)
{
    const auto dictionary = hungarian();
    if (!dictionary) {
        state.SkipWithError("Nincs átalakított magyar-angol szótár (build*/bin/Magyar_Angol.DB)");
        return;
    }
    timeRaw(state, *dictionary, convertedWords(*dictionary, kind));
}

#define LOOKUP_BENCH(fn, kind)                                                                     \
    BENCHMARK_CAPTURE(fn, kind, Words::kind)->Iterations(1)->Unit(benchmark::kMillisecond)

LOOKUP_BENCH(BM_LookUpWord_Generated1M, Headwords);
LOOKUP_BENCH(BM_LookUpWord_Stem_Generated1M, Headwords);
LOOKUP_BENCH(BM_Raw_IndexedLookup_Generated1M, Headwords);
LOOKUP_BENCH(BM_LookUpWord_Generated1M, Inflected);
LOOKUP_BENCH(BM_LookUpWord_Stem_Generated1M, Inflected);
LOOKUP_BENCH(BM_Raw_IndexedLookup_Generated1M, Inflected);
LOOKUP_BENCH(BM_LookUpWord_Generated1M, Typing);
LOOKUP_BENCH(BM_LookUpWord_Stem_Generated1M, Typing);
LOOKUP_BENCH(BM_Raw_IndexedLookup_Generated1M, Typing);
LOOKUP_BENCH(BM_LookUpWord_English, Headwords);
LOOKUP_BENCH(BM_LookUpWord_Stem_English, Headwords);
LOOKUP_BENCH(BM_Raw_IndexedLookup_English, Headwords);
LOOKUP_BENCH(BM_LookUpWord_English, Inflected);
LOOKUP_BENCH(BM_LookUpWord_Stem_English, Inflected);
LOOKUP_BENCH(BM_Raw_IndexedLookup_English, Inflected);
LOOKUP_BENCH(BM_LookUpWord_English, Typing);
LOOKUP_BENCH(BM_LookUpWord_Stem_English, Typing);
LOOKUP_BENCH(BM_Raw_IndexedLookup_English, Typing);
LOOKUP_BENCH(BM_LookUpWord_Hungarian, Inflected);
LOOKUP_BENCH(BM_LookUpWord_Stem_Hungarian, Inflected);
LOOKUP_BENCH(BM_Raw_IndexedLookup_Hungarian, Inflected);

} // namespace

BENCHMARK_MAIN();

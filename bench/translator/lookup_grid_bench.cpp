// LookUpWord on the generated dictionary of 1,000,000 rows while the
// dictionary tab's grid model follows the same table, as in the program,
// where the translator and the grid share one table component: every move
// of the current row is also a move of the grid's current row. Its baseline
// in the same run is the same lookup with no grid on the table (grid:0).
#include "generated_dictionary.h"
#include "lookup_timings.h"

#include "browser/dictionarygridmodel.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "translator/wordlookup.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

constexpr int kGeneratedRows = 1000000;
constexpr int kHeadwords = 2500;

// Every beginning of a spread of headwords, as the word box sees them.
QStringList typedWords()
{
    QStringList words;
    for (int n = 0; n < kHeadwords; ++n) {
        const QString headword = bench::sourceWord(int((qint64(n) * 7919) % kGeneratedRows));
        for (qsizetype length = 1; length <= headword.size(); ++length)
            words << headword.left(length);
    }
    return words;
}

void BM_LookUpWord_Generated1M_Typing(benchmark::State &state)
{
    const bool withGrid = state.range(0) != 0;
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(bench::generatedDictionary(kGeneratedRows));
    table.setTableName(QStringLiteral("Angol_Magyar.DB"));
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    table.setIndexFieldNames(QStringLiteral("Angol"));
    table.open();
    std::optional<DictionaryGridModel> grid;
    if (withGrid)
        grid.emplace(table);
    translator::WordLookup lookup(table, *source, *target);
    const QStringList words = typedWords();
    for (auto _ : state) {
        LookupTimings timings(std::size_t(words.size()));
        for (const QString &word : words)
            timings.time([&] { benchmark::DoNotOptimize(lookup.LookUpWord(word)); });
        timings.report(state);
    }
}
BENCHMARK(BM_LookUpWord_Generated1M_Typing)
    ->ArgName("grid")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

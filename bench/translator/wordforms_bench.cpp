// What the word-form stage costs at start-up: creating the analysers' holder
// and starting the background load (all the start-up waits for), and the
// background load itself per language.
#include "translator/wordforms.h"

#include <benchmark/benchmark.h>

namespace {

void BM_WordForms_StartUpShare(benchmark::State &state)
{
    for (auto _ : state) {
        auto forms = std::make_unique<translator::WordForms>();
        forms->preload(QStringLiteral("Angol"));
        state.PauseTiming();
        forms.reset(); // waits for the load, outside the timing
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WordForms_StartUpShare)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WordForms_Load(benchmark::State &state, const char *language)
{
    for (auto _ : state) {
        translator::WordForms forms;
        benchmark::DoNotOptimize(forms.analyser(QLatin1String(language)));
    }
}
BENCHMARK_CAPTURE(BM_WordForms_Load, Angol, "Angol")->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_WordForms_Load, Magyar, "Magyar")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK_CAPTURE(BM_WordForms_Load, Nemet, "Nemet")->Unit(benchmark::kMillisecond)->Iterations(3);

// One word's lemmas, once loaded: the stage's own share of a lookup, beside
// the locates it makes.
void BM_WordForms_Lemmas(benchmark::State &state, const char *language, const char16_t *text)
{
    translator::WordForms forms;
    const QString name = QString::fromUtf8(language);
    forms.analyser(name);
    const QStringList words = QString::fromUtf16(text).split(u' ');
    for (auto _ : state) {
        for (const QString &word : words)
            benchmark::DoNotOptimize(forms.lemmas(name, word));
    }
    state.SetItemsProcessed(state.iterations() * words.size());
}
BENCHMARK_CAPTURE(BM_WordForms_Lemmas, Angol, "Angol",
                  u"walked stood children running studies xqzvw licensors better");
BENCHMARK_CAPTURE(BM_WordForms_Lemmas, Magyar, "Magyar",
                  u"almát kezemet lovat ősszel kutyáknak iskolába xqzvw vasútállomáson");

} // namespace

BENCHMARK_MAIN();

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

} // namespace

BENCHMARK_MAIN();

// The dictionary tab on generated dictionaries of up to 1,000,000 rows: what
// one keystroke in the search box costs with the grid's jump to the found
// row and its repaint, scrolling, and switching the order.
#include "generated_dictionary.h"

#include "browser/dictionarypage.h"
#include "store/appstate.h"
#include "store/dm1.h"

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QWheelEvent>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <random>

namespace {

// The tab shown on screen with the dictionary open, as the program opens it.
struct Harness {
    TDM1 dm;
    AppState state;
    std::unique_ptr<DictionaryPage> page;
    QTableView *grid = nullptr;
    QLineEdit *search = nullptr;

    explicit Harness(int rows)
    {
        const QString folder = bench::generatedDictionary(rows);
        page = std::make_unique<DictionaryPage>(dm, state, nullptr);
        grid = page->findChild<QTableView *>(QStringLiteral("dbgrSzotar"));
        search = page->findChild<QLineEdit *>(QStringLiteral("edtKeres"));
        page->resize(900, 600);
        page->show();
        state.FromColumn = QStringLiteral("Angol");
        state.ToColumn = QStringLiteral("Magyar");
        dm.ApplyDirection(state, false);
        dm.tblSzotarP.setDatabaseName(folder);
        dm.tblSzotarP.setTableName(QStringLiteral("Angol_Magyar.DB"));
        dm.tblSzotarP.open();
        page->OrderBySource();
        dm.tblSzotarP.first();
        QCoreApplication::processEvents();
    }

    // What the user sees after each step: the grid painted at once.
    void paint() const { grid->viewport()->repaint(); }
};

// One harness a size for the run; released before the application ends.
std::map<int, std::unique_ptr<Harness>> &harnesses()
{
    static std::map<int, std::unique_ptr<Harness>> made;
    return made;
}

Harness &harness(int rows)
{
    auto &made = harnesses();
    // The widgets must go before the application does.
    if (made.empty())
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { harnesses().clear(); });
    auto &slot = made[rows];
    if (!slot)
        slot = std::make_unique<Harness>(rows);
    return *slot;
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(100000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
}

// The floor of every figure below: one repaint of the grid, rows cached.
void BM_RepaintOnly(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    for (auto _ : state)
        h.paint();
}
BENCHMARK(BM_RepaintOnly)->Apply(sizes);

// Words of the dictionary typed letter by letter; every word starts from an
// empty box, as after Esc.
void BM_KeystrokeSearch(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> pick(0, int(state.range(0)) - 1);
    QString word;
    int typed = 0;
    for (auto _ : state) {
        if (typed == word.size()) {
            word = bench::sourceWord(pick(random));
            typed = 0;
            h.search->clear();
        }
        QTest::keyClick(h.search, word.at(typed++).toLatin1());
        h.paint();
    }
    state.counters["rows"] = double(state.range(0));
}
BENCHMARK(BM_KeystrokeSearch)->Apply(sizes);

// A keystroke after a typing error: the text is shortened one character
// at a time until some row begins with it.
void BM_KeystrokeAfterTypo(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    std::mt19937 random(11);
    std::uniform_int_distribution<int> pick(0, int(state.range(0)) - 1);
    for (auto _ : state) {
        state.PauseTiming();
        h.search->setText(bench::sourceWord(pick(random)) + QStringLiteral("qqqqqqqqqqqqqqq"));
        state.ResumeTiming();
        QTest::keyClick(h.search, 'q');
        h.paint();
    }
}
BENCHMARK(BM_KeystrokeAfterTypo)->Apply(sizes);

void BM_WheelOneRow(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    h.search->setText(bench::sourceWord(12345));
    int turn = 0;
    for (auto _ : state) {
        const QPointF at = h.grid->viewport()->rect().center();
        QWheelEvent wheel(at, h.grid->viewport()->mapToGlobal(at), QPoint(),
                          QPoint(0, (turn++ / 50) % 2 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(h.grid->viewport(), &wheel);
        h.paint();
    }
}
BENCHMARK(BM_WheelOneRow)->Apply(sizes);

void BM_PageDown(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    h.search->setText(bench::sourceWord(777));
    for (auto _ : state) {
        QTest::keyClick(h.grid, Qt::Key_PageDown);
        h.paint();
    }
}
BENCHMARK(BM_PageDown)->Apply(sizes);

// Dragging the scroll bar far away: rows never read before are shown.
void BM_ScrollBarJump(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    std::mt19937 random(3);
    QScrollBar *bar = h.grid->verticalScrollBar();
    std::uniform_int_distribution<int> pick(0, bar->maximum());
    for (auto _ : state) {
        bar->setValue(pick(random));
        h.paint();
    }
}
BENCHMARK(BM_ScrollBarJump)->Apply(sizes);

void BM_OrderSwitch(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    h.search->setText(bench::sourceWord(4242));
    bool byTarget = false;
    for (auto _ : state) {
        byTarget = !byTarget;
        byTarget ? h.page->OrderByTarget() : h.page->OrderBySource();
        h.paint();
    }
    h.page->OrderBySource();
}
BENCHMARK(BM_OrderSwitch)->Apply(sizes);

// "Új szó" shows a new row after the last one; leaving it unchanged drops it.
void BM_NewWordThenDrop(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    h.search->setText(bench::sourceWord(99));
    for (auto _ : state) {
        h.page->bbtnUjSzoClick();
        h.paint();
        h.dm.tblSzotarP.cancel();
        h.paint();
    }
}
BENCHMARK(BM_NewWordThenDrop)->Apply(sizes);

// A word stored and deleted again, with the grid in step after each.
void BM_StoreAndDeleteWord(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    store::Table &table = h.dm.tblSzotarP;
    int n = 0;
    for (auto _ : state) {
        table.append();
        h.dm.tblSzotarPAngol->setAsString(QStringLiteral("benchword%1").arg(n++));
        h.dm.tblSzotarPMagyar->setAsString(QStringLiteral("mérő"));
        table.post();
        h.paint();
        table.remove();
        h.paint();
    }
}
BENCHMARK(BM_StoreAndDeleteWord)->Apply(sizes);

// Closing and opening the dictionary under the shown grid, ordered by
// source: the grid empties, then takes all its rows at once.
void BM_ReopenDictionary(benchmark::State &state)
{
    Harness &h = harness(int(state.range(0)));
    store::Table &table = h.dm.tblSzotarP;
    for (auto _ : state) {
        table.close();
        table.open();
        h.page->OrderBySource();
        table.first();
        h.paint();
    }
}
BENCHMARK(BM_ReopenDictionary)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReopenDictionary)->Arg(5000000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

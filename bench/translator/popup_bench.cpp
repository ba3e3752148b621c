// Drawing the result popup with 2 x 200 lines, as every key release in the
// word box redraws it.
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "translator/translationpopup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void fill(translator::TTalalat &list, const QString &stem)
{
    for (int i = 0; i < translator::kResultSlots; ++i)
        list.Items[std::size_t(i)] = QStringLiteral("%1 %2 fordítás szövege").arg(stem).arg(i);
    list.Count = translator::kResultSlots;
    list.HeadText = stem;
    list.TailText = QStringLiteral("vég");
    list.HeadColor = translator::kLime;
    list.TailColor = translator::kMagenta;
}

void BM_DrawResultPopup_2x200(benchmark::State &state)
{
    // The popup draws only; its table is never asked here.
    store::Session session;
    store::Table table(session);
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    QWidget area;
    area.resize(900, 700);
    translator::TranslationPopup popup(table, *source, *target, nullptr, &area);
    fill(popup.ResultLists()[0], QStringLiteral("walk"));
    fill(popup.ResultLists()[1], QStringLiteral("walker"));
    area.show();
    popup.show();
    for (auto _ : state)
        popup.DrawResultPopup();
    benchmark::DoNotOptimize(popup.PopupCanvas().constBits());
}
BENCHMARK(BM_DrawResultPopup_2x200)->Unit(benchmark::kMicrosecond);

} // namespace

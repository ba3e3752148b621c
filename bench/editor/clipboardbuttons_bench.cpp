// The main window refreshes the clipboard buttons of both editor frames
// every 20 ms for the whole run, so one refresh must cost next to nothing:
// at 50 ticks a second, 200 ns a tick is 0.001 % of one core.

#include "editor/fraREEszkTar.h"

#include <QApplication>
#include <QClipboard>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

// Both frames with their editors, as in the main window: a long text pane
// with a selection and a help page without one.
struct TwoFrames {
    TwoFrames()
    {
        InitToolbarFrame(textFrame, 1);
        InitToolbarFrame(helpFrame, 2);
        QString story;
        for (int i = 0; i < 2000; ++i)
            story += QStringLiteral("Egyszer volt, hol nem volt, volt egyszer egy szó.\n");
        textPane.setPlainText(story);
        QTextCursor cursor(textPane.document());
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        textPane.setTextCursor(cursor);
        helpPane.setPlainText(story);
        QApplication::clipboard()->setText(QStringLiteral("szó"));
    }

    TfraREEszkTar textFrame;
    TfraREEszkTar helpFrame;
    QTextEdit textPane;
    QTextEdit helpPane;
};

void BM_TimerTickBothFrames(benchmark::State &state)
{
    TwoFrames frames;
    for (auto _ : state) {
        UpdateClipboardButtons(frames.textFrame, frames.textPane);
        UpdateClipboardButtons(frames.helpFrame, frames.helpPane);
    }
}
BENCHMARK(BM_TimerTickBothFrames);

// Start-up share of one frame: its controls, both file dialogs, the fonts.
void BM_CreateAndInitFrame(benchmark::State &state)
{
    for (auto _ : state) {
        TfraREEszkTar frame;
        InitToolbarFrame(frame, 1);
        benchmark::DoNotOptimize(frame.height());
    }
}
BENCHMARK(BM_CreateAndInitFrame)->Unit(benchmark::kMillisecond);

} // namespace

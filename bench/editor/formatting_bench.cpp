// The formatting row on a selection of a whole 1 MB document whose format
// changes every few words, as in a long styled text: each command must
// stay well under the 100 ms a user waits for a button without noticing;
// choosing a font (with its size list) under a 16 ms frame; the format
// painter's apply under 1 ms.
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "platform/fonts/fontsubstitutes.h"

#include <QComboBox>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

constexpr int kDocumentBytes = 1'000'000;

// A text frame bound to a pane holding about 1 MB of text in runs of 40 to
// 60 characters, each run in another size, some bold and some italic.
struct StyledDocument {
    StyledDocument()
    {
        InstallFontSubstitutes(); // as the program does at start-up
        InitToolbarFrame(frame, 1);
        frame.setHosts(&hosts);
        hosts.binding = HostBinding{&pane, 1, &name, &hasFile, {}, {}};
        QTextCursor cursor(pane.document());
        const QString words = QStringLiteral("Egyszer volt, hol nem volt, volt egyszer egy szó. ");
        int written = 0;
        for (int run = 0; written < kDocumentBytes; ++run) {
            QTextCharFormat f;
            f.setFontPointSize(9 + run % 5);
            f.setFontWeight(run % 3 == 0 ? QFont::Bold : QFont::Normal);
            f.setFontItalic(run % 4 == 1);
            const QString text = words.left(40 + run % 20);
            cursor.insertText(text, f);
            written += int(text.size());
            if (run % 12 == 11) {
                cursor.insertBlock();
                ++written;
            }
        }
        pane.document()->clearUndoRedoStacks();
        pane.selectAll();
    }

    TfraREEszkTar frame;
    EditorHosts hosts;
    QTextEdit pane;
    QString name = QStringLiteral("Dokumentum1");
    bool hasFile = false;
};

template <typename Command> void runOnWholeDocument(benchmark::State &state, Command command)
{
    StyledDocument doc;
    for (auto _ : state) {
        command(doc);
        state.PauseTiming();
        doc.pane.document()->clearUndoRedoStacks();
        state.ResumeTiming();
    }
    state.counters["chars"] = doc.pane.document()->characterCount();
}

void BM_Bold(benchmark::State &state)
{
    runOnWholeDocument(state, [](StyledDocument &d) { d.frame.spbFelkovMouseDown(); });
}
BENCHMARK(BM_Bold)->Unit(benchmark::kMillisecond);

void BM_Italic(benchmark::State &state)
{
    runOnWholeDocument(state, [](StyledDocument &d) { d.frame.spbDoltMouseDown(); });
}
BENCHMARK(BM_Italic)->Unit(benchmark::kMillisecond);

void BM_Underline(benchmark::State &state)
{
    runOnWholeDocument(state, [](StyledDocument &d) { d.frame.spbAlahuzottMouseDown(); });
}
BENCHMARK(BM_Underline)->Unit(benchmark::kMillisecond);

void BM_Bigger(benchmark::State &state)
{
    runOnWholeDocument(state, [](StyledDocument &d) { d.frame.spbNagyobbBetuMouseDown(); });
}
BENCHMARK(BM_Bigger)->Unit(benchmark::kMillisecond);

void BM_Smaller(benchmark::State &state)
{
    runOnWholeDocument(state, [](StyledDocument &d) { d.frame.spbKisebbBetuMouseDown(); });
}
BENCHMARK(BM_Smaller)->Unit(benchmark::kMillisecond);

void BM_SizeBox(benchmark::State &state)
{
    int size = 14;
    runOnWholeDocument(state, [&size](StyledDocument &d) {
        d.frame.cobBetuMeretChange(QString::number(size));
        size = size == 14 ? 15 : 14;
    });
}
BENCHMARK(BM_SizeBox)->Unit(benchmark::kMillisecond);

void BM_FontChoiceWithSizeList(benchmark::State &state)
{
    StyledDocument doc;
    QComboBox *names = doc.frame.cobBetuTipNev();
    const int first = names->findText(QStringLiteral("Arial"));
    const int second = names->findText(QStringLiteral("Times New Roman"));
    if (first < 0 || second < 0 || first == second) {
        state.SkipWithError("the font box lacks Arial or Times New Roman");
        return;
    }
    bool flip = false;
    for (auto _ : state) {
        names->setCurrentIndex(flip ? first : second); // rebuilds the size list
        doc.frame.cobBetuTipNevCloseUp();              // and sets the font
        flip = !flip;
        state.PauseTiming();
        doc.pane.document()->clearUndoRedoStacks();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_FontChoiceWithSizeList)->Unit(benchmark::kMillisecond);

void BM_FormatPainterApply(benchmark::State &state)
{
    StyledDocument doc;
    QTextCursor caret(doc.pane.document());
    caret.setPosition(3);
    doc.pane.setTextCursor(caret);
    doc.frame.PickUpFormat();
    caret.setPosition(kDocumentBytes / 2);
    doc.pane.setTextCursor(caret);
    doc.hosts.painter.FormatPainterSticky = true;
    for (auto _ : state)
        ApplyPickedFormat(doc.frame, doc.pane);
}
BENCHMARK(BM_FormatPainterApply)->Unit(benchmark::kMicrosecond);

} // namespace

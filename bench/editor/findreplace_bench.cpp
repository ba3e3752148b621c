// Find and replace on a 5 MB text: the next match must come within 20 ms,
// whole words and match case included, and replacing 10,000 matches must
// take under 1 s and come back whole with one undo.

#include "editor/documentreplace.h"
#include "editor/frmSzoKeres.h"
#include "editor/textsearch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

constexpr int kTextSize = 5'000'000;
constexpr int kMatches = 10'000;

// About 5 MB of words in lines, "alma" standing alone kMatches times and
// "Almafa", a near miss for whole words and for case, in every line.
QString fiveMegabytes()
{
    const QString line =
        QStringLiteral("Egyszer volt, hol nem volt, az Almafa alatt egy öreg kertész pihent meg. ");
    const QString filler = line.repeated(6);
    QString text = QStringLiteral("Szilva ");
    text.reserve(kTextSize + 1000);
    for (int i = 0; i < kMatches; ++i) {
        text += filler;
        text += QStringLiteral("alma\n");
    }
    while (text.size() < kTextSize)
        text += line;
    text += QStringLiteral("körte.");
    return text;
}

const QString &sharedText()
{
    static const QString text = fiveMegabytes();
    return text;
}

// The dialog over an editor holding the text; each press finds the one
// "körte" at the very end, so the whole text is scanned.
struct OpenDialog {
    explicit OpenDialog(bool matchCase, bool wholeWord)
    {
        editor.setPlainText(sharedText());
        dialog.ShowFindDialog(editor);
        dialog.findChild<QCheckBox *>(QStringLiteral("chbKisNagyKul"))->setChecked(matchCase);
        dialog.findChild<QCheckBox *>(QStringLiteral("chbTeljSzo"))->setChecked(wholeWord);
        dialog.findChild<QComboBox *>(QStringLiteral("cobMit"))
            ->setEditText(QStringLiteral("körte"));
        next = dialog.findChild<QPushButton *>(QStringLiteral("bbtnKovKer"));
    }

    QTextEdit editor;
    TfrmSzoKeres dialog;
    QPushButton *next = nullptr;
};

void BM_NextMatchThroughTheDialog(benchmark::State &state)
{
    OpenDialog open(state.range(0) != 0, state.range(1) != 0);
    const int expected = int(sharedText().size()) - 6;
    for (auto _ : state) {
        QTextCursor caret = open.editor.textCursor();
        caret.setPosition(0);
        open.editor.setTextCursor(caret);
        open.next->click();
        if (open.editor.textCursor().selectionStart() != expected)
            state.SkipWithError("the match was not selected");
    }
    state.counters["chars"] = double(sharedText().size());
}
BENCHMARK(BM_NextMatchThroughTheDialog)
    ->ArgNames({"case", "word"})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

// The matching alone: "Almaf" as a whole word is rejected in every line,
// the worst case of the whole-word check, and found nowhere.
void BM_FindForwardWholeWordNearMisses(benchmark::State &state)
{
    const QString &text = sharedText();
    const SearchOptions options{state.range(0) != 0, true};
    for (auto _ : state)
        if (FindForward(text, u"Almaf", 0, options) != -1)
            state.SkipWithError("a near miss was taken for a match");
}
BENCHMARK(BM_FindForwardWholeWordNearMisses)
    ->ArgName("case")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// "Felfelé" from the end to the one "Szilva" at the start.
void BM_FindBackwardWholeText(benchmark::State &state)
{
    const QString &text = sharedText();
    const SearchOptions options{state.range(0) != 0, true};
    for (auto _ : state)
        if (FindBackward(text, u"Szilva", int(text.size()), options) != 0)
            state.SkipWithError("the match at the start was not found");
}
BENCHMARK(BM_FindBackwardWholeText)->ArgName("case")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllTenThousand(benchmark::State &state)
{
    QTextEdit editor;
    editor.setPlainText(sharedText());
    QTextDocument &document = *editor.document();
    const SearchOptions options{true, true};
    for (auto _ : state) {
        const int count = ReplaceAll(document, QStringLiteral("alma"), QStringLiteral("szilvafa"),
                                     0, document.characterCount(), options);
        state.PauseTiming();
        if (count != kMatches)
            state.SkipWithError("wrong number of replacements");
        document.undo();
        if (document.toPlainText() != sharedText())
            state.SkipWithError("one undo did not restore the text");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReplaceAllTenThousand)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_UndoOfReplaceAll(benchmark::State &state)
{
    QTextEdit editor;
    editor.setPlainText(sharedText());
    QTextDocument &document = *editor.document();
    for (auto _ : state) {
        state.PauseTiming();
        ReplaceAll(document, QStringLiteral("alma"), QStringLiteral("szilvafa"), 0,
                   document.characterCount(), SearchOptions{true, true});
        state.ResumeTiming();
        document.undo();
    }
}
BENCHMARK(BM_UndoOfReplaceAll)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

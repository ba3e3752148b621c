// Picking the word at the caret in a 1 MB text, on the plain text and on a
// rich text pane's document.
#include "platform/text/word_span.h"
#include "translator/panewordpick.h"

#include <QApplication>
#include <QTextEdit>

#include <benchmark/benchmark.h>

namespace {

QString megabyteOfText()
{
    static const QString text = [] {
        const QString sentence = QStringLiteral(
            "The keeper climbed the hundred and twelve steps, trimmed the wick and lit the lamp. ");
        QString t;
        while (t.size() < 1024 * 1024)
            t += sentence;
        return t;
    }();
    return text;
}

void BM_WordAtCaret_PlainText(benchmark::State &state)
{
    const QString text = megabyteOfText();
    int caret = 0;
    for (auto _ : state) {
        caret = (caret + 7919) % int(text.size());
        benchmark::DoNotOptimize(WordSpanAt(text, caret));
    }
}
BENCHMARK(BM_WordAtCaret_PlainText);

void BM_WordAtCaret_Pane(benchmark::State &state)
{
    QTextEdit pane;
    pane.setPlainText(megabyteOfText());
    int caret = 0;
    for (auto _ : state) {
        caret = (caret + 7919) % (1024 * 1024);
        QTextCursor cursor(pane.document());
        cursor.setPosition(caret);
        pane.setTextCursor(cursor);
        benchmark::DoNotOptimize(WordAtCaret(pane));
    }
}
BENCHMARK(BM_WordAtCaret_Pane)->Unit(benchmark::kMicrosecond);

} // namespace

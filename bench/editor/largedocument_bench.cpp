// Large plain-text documents in the text pane: opening a 5 MB and a 20 MB
// file, showing its end and the memory the pane then holds, a window resize,
// and clicking a word anywhere in it.
#include "editor/richtextpane.h"
#include "platform/rtf/documentio.h"
#include "translator/panewordpick.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <map>
#include <memory>

namespace {

// A story file of about megabytes MB in UTF-8: lines of 40 to 90
// characters as a text editor wraps them, an empty line between
// paragraphs, Hungarian and English words.
QString writeStory(const QTemporaryDir &dir, int megabytes)
{
    static const char16_t *const words[] = {
        u"Árvíztűrő", u"tükörfúrógép", u"szótár", u"the",      u"keeper", u"climbed",
        u"hundred",   u"és",           u"lamp",   u"gyönyörű", u"kérdés", u"válasz",
        u"könyvtár",  u"over",         u"a",      u"levél",    u"őszi",   u"steps"};
    constexpr int kWords = int(std::size(words));
    QString text;
    const qsizetype target = qsizetype(megabytes) * 1024 * 1024;
    text.reserve(target + 200);
    QByteArray bytes;
    for (int line = 0; bytes.size() + text.size() < target; ++line) {
        const int count = 6 + (line * 7) % 8;
        for (int w = 0; w < count; ++w) {
            text += QStringView(words[(line * 13 + w * 7) % kWords]);
            text += u' ';
        }
        text += u"\r\n";
        if (line % 6 == 5)
            text += u"\r\n";
        if (text.size() > (1 << 20)) {
            bytes += text.toUtf8();
            text.clear();
        }
    }
    bytes += text.toUtf8();
    const QString path = dir.filePath(QStringLiteral("story-%1MB.txt").arg(megabytes));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

const QString &storyPath(int megabytes)
{
    static QTemporaryDir dir;
    static std::map<int, QString> paths;
    auto it = paths.find(megabytes);
    if (it == paths.end())
        it = paths.emplace(megabytes, writeStory(dir, megabytes)).first;
    return it->second;
}

// Bytes of the heap in use, large blocks of their own included.
double heapBytes()
{
    const struct mallinfo2 heap = mallinfo2();
    return double(heap.uordblks + heap.hblkhd);
}

// The text pane as the main window shows it.
std::unique_ptr<RichTextPane> shownPane()
{
    auto pane = std::make_unique<RichTextPane>();
    pane->resize(800, 600);
    pane->show();
    QApplication::processEvents();
    return pane;
}

// The document's size, as the pane's scroll bars ask for it; Qt's own
// layout lays out the whole text to answer.
void askDocumentSize(QTextEdit &pane)
{
    benchmark::DoNotOptimize(pane.document()->documentLayout()->documentSize());
    QApplication::processEvents();
}

// Opening the file until the pane shows its first screen.
void BM_OpenPlainText(benchmark::State &state)
{
    const int megabytes = int(state.range(0));
    const QString &path = storyPath(megabytes);
    const qint64 size = QFile(path).size();
    auto pane = shownPane();
    for (auto _ : state) {
        if (!documentio::loadDocument(path, *pane->document()))
            state.SkipWithError("load failed");
        pane->viewport()->repaint();
        state.PauseTiming();
        pane->document()->clear();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_OpenPlainText)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: reading the file and decoding it as UTF-8, nothing more.
void BM_RawReadAndDecode(benchmark::State &state)
{
    const QString &path = storyPath(int(state.range(0)));
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(QString::fromUtf8(file.readAll()).size());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_RawReadAndDecode)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: the decoded text put into a document that no pane shows, as
// QTextDocument::setPlainText does it, reading included.
void BM_RawDocumentSetPlainText(benchmark::State &state)
{
    const QString &path = storyPath(int(state.range(0)));
    const qint64 size = QFile(path).size();
    for (auto _ : state) {
        QTextDocument doc;
        doc.setUndoRedoEnabled(false);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        doc.setPlainText(QString::fromUtf8(file.readAll()));
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_RawDocumentSetPlainText)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(3);

// Showing the end of the text right after opening it: what Qt's own layout
// can only do after laying out everything above. The memory the pane holds
// then is given as a multiple of the file's size.
void BM_ShowEndOfPlainText(benchmark::State &state)
{
    const int megabytes = int(state.range(0));
    const QString &path = storyPath(megabytes);
    const double size = double(QFile(path).size());
    double memory = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const double before = heapBytes();
        auto pane = shownPane();
        if (!documentio::loadDocument(path, *pane->document())) {
            state.SkipWithError("load failed");
            return;
        }
        state.ResumeTiming();
        askDocumentSize(*pane);
        pane->verticalScrollBar()->setValue(pane->verticalScrollBar()->maximum());
        pane->viewport()->repaint();
        state.PauseTiming();
        memory = (heapBytes() - before) / size;
        pane.reset();
        state.ResumeTiming();
    }
    state.counters["memory_x_file"] = memory;
    state.SetBytesProcessed(state.iterations() * qint64(size));
}
BENCHMARK(BM_ShowEndOfPlainText)->Arg(5)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(2);

// A change of the window's width while the middle of the text is shown:
// the resize event and the repaint of the screen.
void BM_ResizeWithPlainText(benchmark::State &state)
{
    const QString &path = storyPath(int(state.range(0)));
    auto pane = shownPane();
    if (!documentio::loadDocument(path, *pane->document())) {
        state.SkipWithError("load failed");
        return;
    }
    askDocumentSize(*pane);
    QScrollBar *bar = pane->verticalScrollBar();
    bar->setValue(bar->maximum() / 2);
    int width = 800;
    for (auto _ : state) {
        width = width == 800 ? 700 : 800;
        pane->resize(width, 600);
        pane->viewport()->repaint();
    }
}
BENCHMARK(BM_ResizeWithPlainText)->Arg(5)->Unit(benchmark::kMillisecond)->Iterations(4);

// A click on a word anywhere in a fully laid out 20 MB text: the position
// under the mouse and the word around it.
void BM_ClickWordInPlainText(benchmark::State &state)
{
    const QString &path = storyPath(int(state.range(0)));
    auto pane = shownPane();
    if (!documentio::loadDocument(path, *pane->document())) {
        state.SkipWithError("load failed");
        return;
    }
    askDocumentSize(*pane);
    QScrollBar *bar = pane->verticalScrollBar();
    int step = 0;
    for (auto _ : state) {
        state.PauseTiming();
        step = (step + 7) % 10;
        bar->setValue(bar->maximum() / 10 * step);
        state.ResumeTiming();
        pane->setTextCursor(pane->cursorForPosition(QPoint(200, 300)));
        benchmark::DoNotOptimize(WordAtCaret(*pane));
    }
}
BENCHMARK(BM_ClickWordInPlainText)->Arg(20)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

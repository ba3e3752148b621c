// Loading and saving a 1 MB RTF document, and reading hostile input of the same size.
#include "platform/rtf/documentio.h"
#include "platform/rtf/rtf.h"

#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <benchmark/benchmark.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kTargetSize = 1024 * 1024;

// Paragraphs of Hungarian text in mixed formats, with a short bullet list now
// and then, until the RTF of the document is 1 MB.
void fillDocument(QTextDocument &doc)
{
    const QString words[] = {u"Árvíztűrő"_s, u"tükörfúrógép"_s, u"szótár"_s, u"fordító"_s,
                             u"működés"_s,   u"hűség"_s,        u"őszi"_s,   u"levél"_s,
                             u"gyönyörű"_s,  u"kérdés"_s,       u"válasz"_s, u"könyvtár"_s};
    const QColor colours[] = {QColor(200, 0, 0), QColor(0, 120, 0), QColor(0, 0, 180)};
    const QString families[] = {u"Arial"_s, u"Times New Roman"_s, u"Courier New"_s};
    QTextCursor c(&doc);
    int n = 0;
    for (;;) {
        for (int p = 0; p < 200; ++p, ++n) {
            QTextBlockFormat bf;
            bf.setAlignment(n % 7 == 0   ? Qt::AlignHCenter
                            : n % 5 == 0 ? Qt::AlignJustify
                                         : Qt::AlignLeft);
            bf.setLeftMargin((n % 3) * 18.0);
            c.insertBlock(bf, QTextCharFormat());
            if (n % 10 == 0)
                c.createList(QTextListFormat::ListDisc);
            for (int r = 0; r < 8; ++r) {
                QTextCharFormat f;
                f.setFontFamilies({families[(n + r) % 3]});
                f.setFontPointSize(10 + (r % 4) * 2);
                if (r % 2)
                    f.setFontWeight(QFont::Bold);
                if (r % 3 == 1)
                    f.setFontItalic(true);
                if (r == 5)
                    f.setFontUnderline(true);
                if (r % 4 == 3)
                    f.setForeground(colours[(n + r) % 3]);
                QString run;
                for (int w = 0; w < 4; ++w)
                    run += words[(n * 7 + r * 3 + w) % 12] + u' ';
                c.insertText(run, f);
            }
        }
        if (rtf::write(doc).size() >= kTargetSize)
            return;
    }
}

struct Sample {
    QTextDocument doc;
    QByteArray rtf;
    Sample()
    {
        fillDocument(doc);
        rtf = rtf::write(doc);
    }
};

const Sample &sample()
{
    static const std::unique_ptr<Sample> s = std::make_unique<Sample>();
    return *s;
}

void BM_ReadRtf(benchmark::State &state)
{
    const QByteArray &bytes = sample().rtf;
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
        benchmark::DoNotOptimize(doc.blockCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["bytes"] = double(bytes.size());
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMillisecond);

void BM_WriteRtf(benchmark::State &state)
{
    const QTextDocument &doc = sample().doc;
    qsizetype size = 0;
    for (auto _ : state) {
        const QByteArray bytes = rtf::write(doc);
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(state.iterations() * size);
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMillisecond);

void BM_LoadDocumentFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sample.rtf"_s);
    if (!documentio::saveRtf(path, sample().doc)) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        QTextDocument doc;
        if (!documentio::loadDocument(path, doc).ok())
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(state.iterations() * sample().rtf.size());
}
BENCHMARK(BM_LoadDocumentFile)->Unit(benchmark::kMillisecond);

void BM_SaveRtfFile(benchmark::State &state)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"sample.rtf"_s);
    for (auto _ : state) {
        if (!documentio::saveRtf(path, sample().doc).ok())
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * sample().rtf.size());
}
BENCHMARK(BM_SaveRtfFile)->Unit(benchmark::kMillisecond);

// Hostile input must cost time in proportion to its size: doubling the size
// should double the time.
void BM_ReadDeepNesting(benchmark::State &state)
{
    const auto depth = state.range(0);
    const QByteArray bytes =
        "{\\rtf1 " + QByteArray(depth, '{') + "x" + QByteArray(depth, '}') + "}";
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadDeepNesting)
    ->Arg(256 << 10)
    ->Arg(512 << 10)
    ->Arg(1 << 20)
    ->Unit(benchmark::kMillisecond);

void BM_ReadBulletFlood(benchmark::State &state)
{
    const QByteArray bytes =
        "{\\rtf1{\\*\\pn\\pnlvlblt}" + QByteArray("a\\par ").repeated(state.range(0)) + "}";
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadBulletFlood)->Arg(50000)->Arg(100000)->Arg(200000)->Unit(benchmark::kMillisecond);

// Long bullet lists as word processors write them (a numbering group and
// a line of text an item), beside the same lines as plain paragraphs: both
// must read at the same rate whatever the length. The document written
// again must stay about the size of the one read.
QByteArray listLines(qsizetype count, bool bullets)
{
    const QByteArray item =
        bullets
            ? "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent360{\\pntxtb\\'B7}}"
              "\\fi-360\\li720 "
            : "\\pard\\li720 ";
    const QByteArray text =
        "Egy sor a list\\'e1ban, amely egy \\'f6n\\'e1ll\\'f3 gondolatot mond el.\\par\r\n";
    return "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0 Arial;}{\\f1 Symbol;}}" +
           (item + text).repeated(count) + "}";
}

void readLines(benchmark::State &state, bool bullets)
{
    const QByteArray bytes = listLines(state.range(0), bullets);
    QTextDocument doc;
    for (auto _ : state)
        rtf::read(bytes, doc);
    state.SetBytesProcessed(state.iterations() * bytes.size());
    state.counters["written_x_read"] = double(rtf::write(doc).size()) / double(bytes.size());
}

void BM_ReadBulletList(benchmark::State &state)
{
    readLines(state, true);
}
BENCHMARK(BM_ReadBulletList)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadIndentedLines(benchmark::State &state)
{
    readLines(state, false);
}
BENCHMARK(BM_ReadIndentedLines)->Arg(25000)->Arg(50000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ReadParagraphFlood(benchmark::State &state)
{
    const QByteArray bytes = "{\\rtf1 " + QByteArray("a\\par ").repeated(state.range(0)) + "}";
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadParagraphFlood)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Unit(benchmark::kMillisecond);

// Table rows as converters write them (a paragraph per cell) and nested
// lists of the list table: both must read in time linear in their size.
void BM_ReadTableRows(benchmark::State &state)
{
    const QByteArray row = "{\\trowd\\cellx2000\\cellx4000\\intbl{\\pard\\intbl N\\'e9v\\par}\\cell"
                           "{\\pard\\intbl\\qr 12\\par}\\cell\\intbl\\row}\r\n";
    const QByteArray bytes = "{\\rtf1 " + row.repeated(state.range(0)) + "}";
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadTableRows)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

void BM_ReadNestedLists(benchmark::State &state)
{
    const QByteArray items =
        "\\pard\\ls1\\ilvl0 a\\par\\pard\\ls1\\ilvl1 b\\par\\pard\\ls1\\ilvl2 c\\par\r\n";
    const QByteArray bytes =
        "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23}{\\listlevel\\levelnfc0}"
        "{\\listlevel\\levelnfc4}\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}"
        "}" +
        items.repeated(state.range(0)) + "}";
    for (auto _ : state) {
        QTextDocument doc;
        rtf::read(bytes, doc);
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_ReadNestedLists)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

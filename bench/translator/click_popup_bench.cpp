// A click on a word of the text pane until the translation popup is painted:
// the word under the caret, the lookup with its word-form stage, the drawing
// and placing of the popup and the paint of the window, offscreen. Beside it
// the bare lookup of the same words. Each run starts with a popup never shown
// before, so that its first showing is among the clicks, as in the program.
#include "generated_dictionary.h"
#include "lookup_timings.h"
#include "store/engine/field.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/built_dictionary.h"
#include "translator/panewordpick.h"
#include "translator/translationpopup.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

struct Dictionary {
    QString folder;
    QString file = QStringLiteral("Angol_Magyar.DB");
    bool converted = false;
};

// The converted English–Hungarian dictionary of a build, copied once; else
// a generated one of 1,000,000 rows.
Dictionary dictionary()
{
    static const Dictionary chosen = [] {
        const QString file = QStringLiteral("Angol_Magyar.DB");
        if (const auto built = bench::builtDictionary(file)) {
            const QString folder = QDir(bench::benchFolder()).filePath(QStringLiteral("click"));
            QDir().mkpath(folder);
            const QString target = QDir(folder).filePath(file);
            QFile::remove(target);
            if (QFile::copy(*built, target))
                return Dictionary{folder, file, true};
        }
        return Dictionary{bench::generatedDictionary(1'000'000)};
    }();
    return chosen;
}

bool isConverted()
{
    return dictionary().converted;
}

// Running English text: plain words, inflected ones and a few that are in
// no dictionary, as a reader clicks them.
QStringList clickedWords()
{
    if (!isConverted()) {
        QStringList words;
        for (int n = 0; n < 60; ++n)
            words << bench::sourceWord(int((qint64(n) * 7919) % 1'000'000));
        return words;
    }
    return QString(QStringLiteral(
                       "The keeper climbed the hundred steps of the lighthouse every evening "
                       "and lit the lamp while the ships waited beyond the rocks. His daughter "
                       "was reading old letters about storms, wrecked boats and sailors who "
                       "never returned; she wondered whether the brightest lights guided "
                       "anybody home. Tomorrow the inspectors arrive with newer lenses, "
                       "heavier batteries and unexpectedly cheerful reports."))
        .split(u' ', Qt::SkipEmptyParts);
}

struct OpenTable {
    store::Session session;
    store::Table table{session};
    store::Field *source = nullptr;
    store::Field *target = nullptr;

    OpenTable()
    {
        const Dictionary d = dictionary();
        table.setDatabaseName(d.folder);
        table.setTableName(d.file);
        source = table.addField(QStringLiteral("Angol"));
        target = table.addField(QStringLiteral("Magyar"));
        table.setIndexFieldNames(QStringLiteral("Angol"));
        table.open();
    }
};

// The word-form analysers of English, loaded once before any timing, as the
// program loads them in the background after the start.
translator::WordForms &englishForms()
{
    static translator::WordForms forms;
    forms.analyser(QStringLiteral("Angol"));
    return forms;
}

// The text pane in its panel with the popup floating over it, as on the
// translator tab, the popup never shown yet.
struct Pane {
    QWidget panel;
    QTextEdit *text = new QTextEdit(&panel);
    std::unique_ptr<translator::TranslationPopup> popup;
    bench::PaintWatch watch;
    QString content;
    QList<QPoint> points; // the middle of every word, in the viewport

    Pane(OpenTable &open, const QStringList &words)
    {
        content = words.join(u' ');
        panel.resize(760, 360);
        text->setGeometry(0, 0, 760, 360);
        text->setPlainText(content);
        popup = std::make_unique<translator::TranslationPopup>(open.table, *open.source,
                                                               *open.target, text, &panel);
        popup->wordForms().analyser(QStringLiteral("Angol"));
        panel.show();
        QApplication::processEvents();
        qsizetype at = 0;
        for (const QString &word : words) {
            at = content.indexOf(word, at);
            QTextCursor cursor(text->document());
            cursor.setPosition(int(at + word.size() / 2));
            points << text->cursorRect(cursor).center();
            at += word.size();
        }
        // The paint of the result area tells that the popup has been drawn.
        popup->findChild<QWidget *>(QStringLiteral("imgFord"))->installEventFilter(&watch);
    }

    // Press and release on the word at index, then the event loop until the
    // popup's result area is painted; the release is what the pane answers.
    template <typename Timed> void click(int index, Timed &&timed)
    {
        QWidget *viewport = text->viewport();
        const QPoint point = points[index];
        QTest::mousePress(viewport, Qt::LeftButton, {}, point);
        popup->hide(); // the pane's handler of the press
        QApplication::processEvents();
        const int before = watch.paints;
        timed([&] {
            QTest::mouseRelease(viewport, Qt::LeftButton, {}, point);
            popup->setKeepWordBoxText(false);
            const QPoint inPane = viewport->mapTo(text, point);
            popup->setPopupAnchor(inPane.x(), inPane.y());
            const QString word = WordAtCaret(*text);
            if (!word.isEmpty())
                popup->lookUpGuarded(word);
            while (watch.paints == before && !word.isEmpty())
                QApplication::processEvents();
        });
    }
};

void BM_ClickToPaintedPopup(benchmark::State &state)
{
    OpenTable open;
    const QStringList words = clickedWords();
    for (auto _ : state) {
        state.PauseTiming();
        Pane pane(open, words);
        LookupTimings timings(std::size_t(words.size()));
        state.ResumeTiming();
        for (int i = 0; i < words.size(); ++i)
            pane.click(i, [&](auto &&fn) { timings.time(fn); });
        state.PauseTiming();
        timings.report(state);
        state.ResumeTiming();
    }
    state.SetLabel(isConverted() ? "Angol_Magyar.DB" : "generated 1M");
}
BENCHMARK(BM_ClickToPaintedPopup)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: the bare lookup of the same words, word-form stage included.
void BM_Raw_LookUpWordOfClick(benchmark::State &state)
{
    OpenTable open;
    translator::WordLookup lookup(open.table, *open.source, *open.target);
    lookup.setWordForms(&englishForms());
    const QStringList words = clickedWords();
    for (auto _ : state) {
        LookupTimings timings(std::size_t(words.size()));
        for (const QString &word : words) {
            const QString bare = word.toLower().remove(QRegularExpression(QStringLiteral("\\W")));
            timings.time([&] { benchmark::DoNotOptimize(lookup.LookUpWord(bare)); });
        }
        timings.report(state);
    }
    state.SetLabel(isConverted() ? "Angol_Magyar.DB" : "generated 1M");
}
BENCHMARK(BM_Raw_LookUpWordOfClick)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

// A click on a word of the translator tab's text until the translation
// popup is painted, in the whole main window offscreen: the press and the
// release as the pane gets them, the word under the caret, the lookup with
// its word-form stage, the drawing and placing of the popup and the paint.
// Beside it the bare lookup of the same words. Each run starts a window of
// its own, so that the popup's first showing is among the clicks.
#include "app/frmszotarqiv.h"
#include "dialogs/frmvalasz.h"
#include "generated_dictionary.h"
#include "lookup_timings.h"
#include "store/dm1.h"
#include "store/engine/field.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/built_dictionary.h"
#include "translator/translationpopup.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <memory>
#include <optional>

namespace {

// A program directory with the shipped documents and the default
// dictionary, and the windows as the entry creates them.
struct Program {
    QTemporaryDir home;
    QTemporaryDir directory;
    QByteArray savedHome = qgetenv("HOME");
    std::unique_ptr<TfrmSzotarQIV> window;
    std::unique_ptr<TfrmValasz> dialog;
    std::unique_ptr<TDM1> dm;

    explicit Program(const QString &dictionary)
    {
        qputenv("HOME", home.path().toUtf8());
        const QDir docs(QStringLiteral(VELKOR_DOCUMENTS_DIR));
        for (const QString &name : docs.entryList({QStringLiteral("*.rtf")}, QDir::Files))
            QFile::copy(docs.filePath(name), directory.filePath(name));
        QFile::copy(dictionary, directory.filePath(QStringLiteral("Angol_Magyar.DB")));
        window = std::make_unique<TfrmSzotarQIV>(
            QStringList{}, directory.filePath(QStringLiteral("velkor-szotar")));
        dialog = std::make_unique<TfrmValasz>(window.get());
        dm = std::make_unique<TDM1>();
        window->setDataModule(dm.get());
        window->setDictionaryFileChooser(
            [](const QString &, const QString &) { return QString(); });
        window->show();
        // A left click looks up, as with the right button chosen off.
        window->findChild<QCheckBox *>(QStringLiteral("chbJobb"))->setChecked(false);

        QApplication::setActiveWindow(window.get());
        (void)QTest::qWaitForWindowExposed(window.get());
        // The analysers load in the background after the start, as while the
        // user reads the first lines.
        window->popup()->wordForms().analyser(QStringLiteral("Angol"));
        QApplication::processEvents();
    }
    ~Program()
    {
        window->close();
        dialog.reset();
        window.reset();
        dm.reset();
        qputenv("HOME", savedHome);
    }
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    QTextEdit &pane() const { return *window->findChild<QTextEdit *>(QStringLiteral("reSzov")); }

    // The middle of every whole word on the pane's first screen, at most count.
    QList<QPoint> wordPoints(int count, QStringList *words = nullptr) const
    {
        QTextEdit &text = pane();
        QList<QPoint> points;
        QTextCursor cursor(text.document());
        const QRect screen = text.viewport()->rect();
        while (points.size() < count && !cursor.atEnd()) {
            cursor.movePosition(QTextCursor::StartOfWord);
            QTextCursor end = cursor;
            end.movePosition(QTextCursor::EndOfWord, QTextCursor::KeepAnchor);
            const QString word = end.selectedText();
            if (word.size() > 1 && word.front().isLetter()) {
                QTextCursor middle(text.document());
                middle.setPosition((cursor.position() + end.position()) / 2);
                const QPoint point = text.cursorRect(middle).center();
                if (!screen.contains(point))
                    break;
                points << point;
                if (words)
                    *words << word;
            }
            if (!cursor.movePosition(QTextCursor::NextWord))
                break;
        }
        return points;
    }
};

constexpr int kClicks = 60;

void BM_ClickToPaintedPopup_MainWindow(benchmark::State &state)
{
    const std::optional<QString> dictionary =
        bench::builtDictionary(QStringLiteral("Angol_Magyar.DB"));
    if (!dictionary) {
        state.SkipWithError("Nincs átalakított szótár (build*/bin/Angol_Magyar.DB)");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        Program program(*dictionary);
        QWidget *viewport = program.pane().viewport();
        const QList<QPoint> points = program.wordPoints(kClicks);
        auto *canvas = program.window->popup()->findChild<QWidget *>(QStringLiteral("imgFord"));
        bench::PaintWatch watch;
        canvas->installEventFilter(&watch);
        LookupTimings timings(std::size_t(points.size()));
        int missed = 0;
        state.ResumeTiming();
        for (const QPoint &point : points) {
            timings.time([&] {
                const int before = watch.paints;
                QTest::mouseClick(viewport, Qt::LeftButton, {}, point);
                // A click that shows nothing must not hang the run.
                QDeadlineTimer limit(2000);
                while (watch.paints == before && !limit.hasExpired())
                    QApplication::processEvents();
                if (watch.paints == before)
                    ++missed;
            });
        }
        state.PauseTiming();
        timings.report(state);
        state.counters["unpainted"] = missed;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ClickToPaintedPopup_MainWindow)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: the bare lookup of the same words, word-form stage included.
void BM_Raw_LookUpWordOfClick(benchmark::State &state)
{
    const std::optional<QString> dictionary =
        bench::builtDictionary(QStringLiteral("Angol_Magyar.DB"));
    if (!dictionary) {
        state.SkipWithError("Nincs átalakított szótár (build*/bin/Angol_Magyar.DB)");
        return;
    }
    QStringList words;
    {
        Program program(*dictionary);
        program.wordPoints(kClicks, &words);
    }
    store::Session session;
    store::Table table(session);
    table.setDatabaseName(QFileInfo(*dictionary).absolutePath());
    table.setTableName(QFileInfo(*dictionary).fileName());
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    table.setIndexFieldNames(QStringLiteral("Angol"));
    table.open();
    translator::WordForms forms;
    forms.analyser(QStringLiteral("Angol"));
    translator::WordLookup lookup(table, *source, *target);
    lookup.setWordForms(&forms);
    for (auto _ : state) {
        LookupTimings timings(std::size_t(words.size()));
        for (const QString &word : words)
            timings.time([&] { benchmark::DoNotOptimize(lookup.LookUpWord(word.toLower())); });
        timings.report(state);
    }
}
BENCHMARK(BM_Raw_LookUpWordOfClick)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

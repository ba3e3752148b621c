// Large documents of plain paragraphs are laid out only where they are
// shown, and the pane still finds, shows and edits every word in them.
#include "editor/lazytextlayout.h"
#include "editor/richtextpane.h"
#include "support/printers.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// Lines of 20 to 120 characters, every one different, and an empty line
// now and then: enough characters for the lazy layout.
QString largeText()
{
    QString text;
    for (int line = 0; text.size() < RichTextPane::kLazyLayoutFrom + 1000; ++line) {
        text += u"sor%1"_s.arg(line);
        for (int w = 0; w < 2 + line % 11; ++w)
            text += u" szó%1"_s.arg(w);
        text += line % 9 == 8 ? u"\n\n"_s : u"\n"_s;
    }
    return text;
}

class LazyLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        pane = std::make_unique<RichTextPane>();
        pane->resize(600, 400);
        pane->show();
        QApplication::processEvents();
    }
    LazyTextLayout *lazy() const
    {
        return qobject_cast<LazyTextLayout *>(pane->document()->documentLayout());
    }
    void load() const
    {
        pane->document()->setPlainText(text());
        QApplication::processEvents();
    }
    static const QString &text()
    {
        static const QString t = largeText();
        return t;
    }
    // Shows position, then clicks where the pane draws it.
    int clickAt(int position) const
    {
        QTextCursor cursor(pane->document());
        cursor.setPosition(position);
        pane->setTextCursor(cursor);
        pane->ensureCursorVisible();
        QApplication::processEvents();
        const QRect at = pane->cursorRect(cursor);
        return pane->cursorForPosition(at.center() + QPoint(1, 0)).position();
    }

    std::unique_ptr<RichTextPane> pane;
};

TEST_F(LazyLayout, ALargePlainDocumentIsLaidOutOnlyWhereShown)
{
    load();
    ASSERT_NE(lazy(), nullptr);
    EXPECT_LT(lazy()->LaidOutBlocks(), 200);
    EXPECT_GT(pane->document()->blockCount(), 20000);
    // The pane scrolls through the whole text.
    EXPECT_GT(pane->verticalScrollBar()->maximum(), pane->document()->blockCount() * 5);
}

TEST_F(LazyLayout, SmallDocumentsKeepQtsLayout)
{
    pane->setPlainText(u"kis szöveg"_s);
    EXPECT_EQ(lazy(), nullptr);
}

// Every change that brings in what only Qt's layout can draw gives the
// document back to it.
struct Addition {
    const char *name;
    void (*add)(QTextCursor &);
};

void PrintTo(const Addition &a, std::ostream *os)
{
    *os << a.name;
}

class LazyLayoutAddition : public LazyLayout, public ::testing::WithParamInterface<Addition> {};

TEST_P(LazyLayoutAddition, GivesTheDocumentBackToQtsLayout)
{
    load();
    ASSERT_NE(lazy(), nullptr);
    QTextCursor cursor(pane->document());
    cursor.setPosition(5000);
    GetParam().add(cursor);
    EXPECT_EQ(lazy(), nullptr);
    // The text is all there and still answers clicks.
    EXPECT_EQ(clickAt(5002), 5002);
}

INSTANTIATE_TEST_SUITE_P(
    Additions, LazyLayoutAddition,
    ::testing::Values(Addition{"List",
                               [](QTextCursor &c) { c.createList(QTextListFormat::ListDisc); }},
                      Addition{"Table", [](QTextCursor &c) { c.insertTable(2, 2); }},
                      Addition{"Picture", [](QTextCursor &c) { c.insertImage(u"kep"_s); }},
                      Addition{"Rule", [](QTextCursor &c) { c.insertHtml(u"<hr/>"_s); }}),
    [](const auto &info) { return std::string(info.param.name); });

// A click finds the character drawn there, at the start, in the middle and
// at the end of the text, before and after the pane's width changed.
struct Spot {
    const char *name;
    double share; // of the text's length
};

void PrintTo(const Spot &s, std::ostream *os)
{
    *os << s.name;
}

class LazyLayoutClick : public LazyLayout, public ::testing::WithParamInterface<Spot> {};

TEST_P(LazyLayoutClick, FindsTheCharacterDrawnThere)
{
    load();
    ASSERT_NE(lazy(), nullptr);
    const int length = pane->document()->characterCount() - 1;
    const int position = std::min(length - 3, int(length * GetParam().share) + 1);
    EXPECT_EQ(clickAt(position), position);
    pane->resize(450, 400);
    QApplication::processEvents();
    EXPECT_EQ(clickAt(position), position);
    EXPECT_LT(lazy()->LaidOutBlocks(), 400);
}

INSTANTIATE_TEST_SUITE_P(Spots, LazyLayoutClick,
                         ::testing::Values(Spot{"Start", 0.0}, Spot{"Middle", 0.5},
                                           Spot{"End", 0.999}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LazyLayout, EditsKeepEveryLineInItsPlace)
{
    load();
    ASSERT_NE(lazy(), nullptr);
    QTextCursor cursor(pane->document());
    // New paragraphs, joined paragraphs and a removed run of them.
    cursor.setPosition(2000);
    cursor.insertText(u"új\nbekezdés\nitt"_s);
    cursor.setPosition(8000);
    cursor.deletePreviousChar();
    cursor.setPosition(9000);
    cursor.setPosition(12000, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    ASSERT_NE(lazy(), nullptr);
    qreal previousTop = -1;
    for (int number : {0, 40, 41, 42, 100, 300, 301, 2000}) {
        const QTextBlock block = pane->document()->findBlockByNumber(number);
        const QRectF rect = lazy()->blockBoundingRect(block);
        EXPECT_GT(rect.top(), previousTop) << number;
        previousTop = rect.top();
        EXPECT_EQ(lazy()->hitTest(rect.topLeft() + QPointF(1, 2), Qt::FuzzyHit), block.position())
            << number;
    }
    EXPECT_EQ(clickAt(2003), 2003);
}

TEST_F(LazyLayout, ShrinkingBelowHalfGivesTheDocumentBack)
{
    load();
    ASSERT_NE(lazy(), nullptr);
    QTextCursor cursor(pane->document());
    cursor.setPosition(0);
    cursor.setPosition(pane->document()->characterCount() * 3 / 4, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    EXPECT_EQ(lazy(), nullptr);
}

} // namespace

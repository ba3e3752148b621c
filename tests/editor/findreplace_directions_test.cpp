// "Felfelé", "Mindenütt" and "Mindet": the directions of searching and
// replacing, and replacing in a document as one undo step.
#include "editor/documentreplace.h"
#include "editor/fraREEszkTar.h"
#include "editortestsupport.h"
#include "findreplace_fixture.h"
#include "support/printers.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QToolButton>

#include <string>
#include <vector>

namespace {

const QString kNoMore = QStringLiteral("Nem található több ilyen kifejezés");

using DirectionTest = FindDialogFixture;

TEST_F(DirectionTest, UpwardsFindsTheMatchesBeforeTheSelection)
{
    setText(QStringLiteral("alma körte alma körte alma"));
    select(26, 0);
    dialog.ShowFindDialog(*editor);
    choose("rbFel");
    std::vector<int> starts;
    for (int i = 0; i < 3; ++i) {
        press("bbtnKovKer");
        starts.push_back(selectionStart());
    }
    EXPECT_EQ(starts, (std::vector<int>{22, 11, 0}));
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNoMore);
    EXPECT_EQ(selectionStart(), 0);
}

TEST_F(DirectionTest, UpwardsReplaceStartsWithTheSeededWord)
{
    setText(QStringLiteral("alma alma alma"));
    select(14, 0);
    dialog.ShowReplaceDialog(*editor);
    choose("rbFel");
    setReplacement(QStringLiteral("körte"));
    for (int i = 0; i < 4; ++i)
        press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("körte körte körte"));
    EXPECT_EQ(takeMessage(), kNoMore);
}

TEST_F(DirectionTest, EverywhereWrapsOnceAndStopsWhereItBegan)
{
    setText(QStringLiteral("alma x alma x alma"));
    select(8, 0); // inside the second alma
    dialog.ShowFindDialog(*editor);
    choose("rbMindenutt");
    std::vector<int> starts;
    for (int i = 0; i < 3; ++i) {
        press("bbtnKovKer");
        starts.push_back(selectionStart());
    }
    EXPECT_EQ(starts, (std::vector<int>{14, 0, 7}));
    EXPECT_TRUE(messages.messages.isEmpty());
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNoMore);
    // A new round begins with the next press.
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 14);
}

TEST_F(DirectionTest, EverywhereFollowsItsStartWhenReplacingBeforeIt)
{
    // The skipped second alma must not come round again after the first one
    // has been shortened.
    setText(QStringLiteral("alma alma"));
    select(5, 0);
    dialog.ShowReplaceDialog(*editor);
    choose("rbMindenutt");
    setReplacement(QStringLiteral("a"));
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 5);
    press("bbtnKihagy");
    EXPECT_EQ(selectionStart(), 0);
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("a alma"));
    EXPECT_EQ(takeMessage(), kNoMore);
}

struct ReplaceAllCase {
    const char *name;
    const char *direction;
    int selectionStart;
    int selectionLength;
    const char16_t *expected;
    int count;
};

void PrintTo(const ReplaceAllCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReplaceAllTest : public FindDialogFixture,
                       public testing::WithParamInterface<ReplaceAllCase> {};

// "alma körte alma körte alma": the almas stand at 0, 11 and 22.
TEST_P(ReplaceAllTest, ReplacesInTheDirectionAsOneUndoStep)
{
    const ReplaceAllCase &c = GetParam();
    const QString original = QStringLiteral("alma körte alma körte alma");
    setText(original);
    select(c.selectionStart, c.selectionLength);
    dialog.ShowReplaceDialog(*editor);
    choose(c.direction);
    setSearch(QStringLiteral("alma"));
    setReplacement(QStringLiteral("szilva"));
    press("bbtnMind");
    EXPECT_EQ(text(), QString::fromUtf16(c.expected));
    EXPECT_EQ(takeMessage(), QString::number(c.count) + QStringLiteral(" csere történt"));
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
    editor->undo();
    EXPECT_EQ(text(), original);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, ReplaceAllTest,
    testing::Values(
        ReplaceAllCase{"DownFromTheSeededWord", "rbLe", 13, 0, u"alma körte szilva körte szilva",
                       2},
        ReplaceAllCase{"DownFromASelection", "rbLe", 11, 4, u"alma körte szilva körte szilva", 2},
        ReplaceAllCase{"UpToTheSeededWord", "rbFel", 13, 0, u"szilva körte szilva körte alma", 2},
        ReplaceAllCase{"UpFromTheEnd", "rbFel", 26, 0, u"szilva körte szilva körte szilva", 3},
        ReplaceAllCase{"Everywhere", "rbMindenutt", 13, 0, u"szilva körte szilva körte szilva", 3},
        ReplaceAllCase{"DownFromALaterSelection", "rbLe", 16, 5, u"alma körte alma körte szilva",
                       1}),
    [](const testing::TestParamInfo<ReplaceAllCase> &info) {
        return std::string(info.param.name);
    });

TEST_F(DirectionTest, AfterReplaceAllTheNextPressSearches)
{
    setText(QStringLiteral("x x x"));
    select(0, 1);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("xx"));
    press("bbtnMind");
    EXPECT_EQ(text(), QStringLiteral("xx xx xx"));
    EXPECT_EQ(takeMessage(), QStringLiteral("3 csere történt"));
    const QString after = text();
    select(0, 0);
    press("bbtnKovKer");
    EXPECT_EQ(text(), after);
    EXPECT_EQ(selectionStart(), 0);
}

TEST(DocumentReplace, ReplacementTakesTheFormatOfTheReplacedText)
{
    QTextDocument document;
    QTextCursor cursor(&document);
    cursor.insertText(QStringLiteral("az "));
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    cursor.insertText(QStringLiteral("alma"), bold);
    cursor.insertText(QStringLiteral(" fa"), QTextCharFormat());

    EXPECT_EQ(ReplaceAll(document, QStringLiteral("alma"), QStringLiteral("körte"), 0,
                         document.characterCount(), SearchOptions{}),
              1);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("az körte fa"));
    QTextCursor probe(&document);
    for (const auto &[position, weight] :
         {std::pair{3, QFont::Normal}, {4, QFont::Bold}, {8, QFont::Bold}, {10, QFont::Normal}}) {
        probe.setPosition(position);
        EXPECT_EQ(probe.charFormat().fontWeight(), weight) << "position " << position;
    }
}

TEST(DocumentReplace, PositionsCountParagraphEndsAsTheCursorDoes)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("alma\nkörte\u00a0fa\nalma"));
    const QString text = SearchableText(document);
    EXPECT_EQ(text.indexOf(u"körte"), 5);
    EXPECT_EQ(text.indexOf(QChar(0x00a0)), 10); // the no-break space stays itself
    EXPECT_EQ(document.findBlockByNumber(2).position(), text.lastIndexOf(u"alma"));
    EXPECT_EQ(ReplaceAll(document, QStringLiteral("alma"), QStringLiteral("x"), 0,
                         document.characterCount(), SearchOptions{true, true}),
              2);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("x\nkörte fa\nx"));
}

TEST(DocumentReplace, NothingReplacedLeavesNoUndoStep)
{
    QTextDocument document;
    document.setPlainText(QStringLiteral("alma"));
    for (const char16_t *pattern : {u"", u"körte", u"alm"}) {
        EXPECT_EQ(ReplaceAll(document, QString::fromUtf16(pattern), QStringLiteral("x"), 0,
                             document.characterCount(), SearchOptions{false, true}),
                  0);
        EXPECT_FALSE(document.isUndoAvailable());
    }
}

TEST(FrameButtons, FindAndReplaceOpenTheDialogOnTheBoundEditor)
{
    QWidget window;
    EditorHosts hosts;
    TfraREEszkTar frame(&window);
    TestHost host(frame, hosts, 1);
    host.bind();
    host.setText(QStringLiteral("an apple"), false);
    host.editor.moveCursor(QTextCursor::End);
    TfrmSzoKeres dialog(&window);
    ASSERT_EQ(TfrmSzoKeres::instance(), &dialog);

    frame.button("spbKeres")->click();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.SearchEditor(), &host.editor);
    EXPECT_FALSE(dialog.ReplaceMode());
    EXPECT_EQ(dialog.findChild<QComboBox *>(QStringLiteral("cobMit"))->currentText(),
              QStringLiteral("apple"));
    frame.button("spbCserel")->click();
    EXPECT_TRUE(dialog.ReplaceMode());
}

} // namespace

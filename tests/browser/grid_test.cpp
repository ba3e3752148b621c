#include "browser_fixture.h"
#include "support/modal_answerer.h"
#include "support/printers.h"

#include <QMessageBox>
#include <QWheelEvent>

using namespace Qt::StringLiterals;

namespace {

// In source order: apple, cat, hour, house, housing.
const BrowserFixture::Pairs kWords = {{u"house"_s, u"ház"_s},
                                      {u"apple"_s, u"alma"_s},
                                      {u"housing"_s, u"lakás"_s},
                                      {u"hour"_s, u"óra"_s},
                                      {u"cat"_s, u"macska"_s}};

class GridTest : public BrowserFixture {
protected:
    // The open cell editor; closed ones are hidden until they are deleted.
    QLineEdit *cellEditor() const
    {
        for (auto *editor : grid()->findChildren<QLineEdit *>(u"dbgrSzotarEditor"_s)) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    bool editorOpen() const { return cellEditor() != nullptr; }
    void doubleClickGrid()
    {
        const QRect cellRect = grid()->visualRect(grid()->currentIndex());
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cellRect.center());
    }
    void turnWheel(int delta)
    {
        const QPointF at = grid()->viewport()->rect().center();
        QWheelEvent wheel(at, grid()->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid()->viewport(), &wheel);
    }
    static ModalAnswerer::Action pressMessageBoxButton(QMessageBox::StandardButton which,
                                                       QString *text)
    {
        return [which, text](QWidget &dialog) {
            if (auto *box = qobject_cast<QMessageBox *>(&dialog)) {
                *text = box->text();
                box->button(which)->click();
            }
        };
    }
};

TEST_F(GridTest, ShowsTheRowsInOrderWithTheIndicatorOnTheCurrentRow)
{
    open(kWords);
    ASSERT_EQ(model()->rowCount(), 5);
    EXPECT_EQ(cell(0, sourceColumn()), u"apple"_s);
    EXPECT_EQ(cell(4, targetColumn()), u"lakás"_s);
    typeSearch(u"hour"_s);
    EXPECT_EQ(gridRow(), 2);
    EXPECT_EQ(model()->headerData(2, Qt::Vertical).toString(), u"\u25B6"_s);
    EXPECT_EQ(model()->headerData(1, Qt::Vertical).toString(), QString());
    EXPECT_TRUE(grid()->selectionModel()->isRowSelected(2, QModelIndex()));
}

TEST_F(GridTest, ClickingARowMovesTheTable)
{
    open(kWords);
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualRect(model()->index(3, 0)).center());
    EXPECT_EQ(source(), u"house"_s);
    EXPECT_EQ(gridRow(), 3);
}

TEST_F(GridTest, TypingInBrowseModeInsertsAtTheRememberedCaret)
{
    open(kWords);
    QTest::keyClicks(searchBox(), u"hse"_s);
    QTest::keyClick(searchBox(), Qt::Key_Left);
    QTest::keyClick(searchBox(), Qt::Key_Left); // the caret stands after "h"
    grid()->setFocus();
    QTest::keyClick(grid(), 'o');
    EXPECT_EQ(searchBox()->text(), u"hose"_s);
    EXPECT_EQ(searchBox()->cursorPosition(), 2);
    EXPECT_FALSE(searchBox()->hasSelectedText());
    EXPECT_TRUE(searchBox()->hasFocus());
    EXPECT_EQ(source(), u"hour"_s); // the search ran: "ho" is its longest match
}

TEST_F(GridTest, TypingInEditModeGoesToTheCell)
{
    open(kWords);
    grid()->setFocus();
    doubleClickGrid();
    ASSERT_TRUE(editorOpen());
    QTest::keyClicks(cellEditor(), u"x"_s);
    EXPECT_TRUE(searchBox()->text().isEmpty());
}

TEST_F(GridTest, UpAndDownInTheSearchBoxMoveTheTableAndKeepTheCaret)
{
    open(kWords);
    typeSearch(u"hour"_s);
    QTest::keyClick(searchBox(), Qt::Key_Left); // remembered caret: 3
    QTest::keyClick(searchBox(), Qt::Key_Down);
    EXPECT_EQ(source(), u"house"_s);
    EXPECT_EQ(gridRow(), 3);
    EXPECT_EQ(searchBox()->cursorPosition(), 3);
    QTest::keyClick(searchBox(), Qt::Key_Up);
    QTest::keyClick(searchBox(), Qt::Key_Up);
    EXPECT_EQ(source(), u"cat"_s);
    EXPECT_EQ(searchBox()->cursorPosition(), 3);

    QTest::keyClick(searchBox(), Qt::Key_PageDown);
    EXPECT_TRUE(grid()->hasFocus());
}

TEST_F(GridTest, OneRowPerWheelMessageWhateverTheDelta)
{
    open(kWords);
    typeSearch(u"hour"_s);
    turnWheel(-360);
    EXPECT_EQ(source(), u"house"_s);
    turnWheel(120);
    turnWheel(960);
    EXPECT_EQ(source(), u"cat"_s);
    EXPECT_EQ(gridRow(), 1);
}

TEST_F(GridTest, DoubleClickTogglesTheModeAndLeavingTheGridEndsEditing)
{
    open(kWords);
    grid()->setFocus();
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectRows);
    doubleClickGrid();
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_TRUE(editorOpen());
    searchBox()->setFocus();
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_FALSE(editorOpen());
}

TEST_F(GridTest, EditingACellIsStoredWhenMovingToAnotherRow)
{
    open(kWords);
    typeSearch(u"cat"_s);
    grid()->setFocus();
    grid()->setCurrentIndex(model()->index(1, targetColumn()));
    doubleClickGrid();
    ASSERT_TRUE(editorOpen());
    cellEditor()->selectAll();
    QTest::keyClicks(cellEditor(), u"cica"_s);
    EXPECT_EQ(table().state(), store::TableState::Browse) << "not written before it is left";
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(table().state(), store::TableState::Browse);
    EXPECT_EQ(source(), u"hour"_s);
    ASSERT_TRUE(table().locate(u"Angol"_s, u"cat"_s, {}));
    EXPECT_EQ(target(), u"cica"_s);
}

TEST_F(GridTest, EditingARowThatMovesKeepsItsRowCurrent)
{
    open(kWords);
    grid()->setFocus();
    doubleClickGrid(); // on apple, the first row
    ASSERT_TRUE(editorOpen());
    grid()->setCurrentIndex(model()->index(0, sourceColumn()));
    cellEditor()->selectAll();
    QTest::keyClicks(cellEditor(), u"zoo"_s);
    // Storing moves "zoo" to the end: the clicked row must still be the one
    // that becomes current, though its position changes.
    QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                      grid()->visualRect(model()->index(2, 0)).center());
    EXPECT_EQ(source(), u"hour"_s);
    EXPECT_EQ(gridRow(), 1);
    EXPECT_EQ(cell(4, sourceColumn()), u"zoo"_s);
    EXPECT_EQ(cell(1, sourceColumn()), u"hour"_s);
    EXPECT_EQ(cellEditor()->text(), cell(1, grid()->currentIndex().column()))
        << "the open editor belongs to its cell";
}

// The row deleted under an open editor is replaced by the next one at the
// same position; the editor must not carry the deleted row's text into it.
TEST_F(GridTest, AnEditorNeverWritesIntoTheRowThatTakesItsPlace)
{
    open(kWords);
    typeSearch(u"cat"_s);
    grid()->setFocus();
    grid()->setCurrentIndex(model()->index(1, targetColumn()));
    doubleClickGrid();
    ASSERT_TRUE(editorOpen());
    ASSERT_EQ(cellEditor()->text(), u"macska"_s);

    table().remove(); // as another part of the program would
    ASSERT_EQ(source(), u"hour"_s);
    ASSERT_TRUE(editorOpen());
    EXPECT_EQ(cellEditor()->text(), u"óra"_s);
    QTest::keyClick(grid(), Qt::Key_Down);
    ASSERT_TRUE(table().locate(u"Angol"_s, u"hour"_s, {}));
    EXPECT_EQ(target(), u"óra"_s);
}

struct CtrlDeleteCase {
    QMessageBox::StandardButton answer;
    int rowsLeft;
};

void PrintTo(const CtrlDeleteCase &c, std::ostream *os)
{
    *os << velkor_test::describe(int(c.answer), c.rowsLeft);
}

class CtrlDeleteTest : public GridTest, public ::testing::WithParamInterface<CtrlDeleteCase> {};

TEST_P(CtrlDeleteTest, AsksTheGridsQuestion)
{
    open(kWords);
    typeSearch(u"hour"_s);
    grid()->setFocus();
    QString asked;
    ModalAnswerer answer(pressMessageBoxButton(GetParam().answer, &asked));
    QTest::keyClick(grid(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(asked, u"Delete record?"_s);
    EXPECT_EQ(table().recordCount(), GetParam().rowsLeft);
    EXPECT_EQ(model()->rowCount(), GetParam().rowsLeft);
    EXPECT_EQ(source(), GetParam().rowsLeft == 4 ? u"house"_s : u"hour"_s);
}

INSTANTIATE_TEST_SUITE_P(Answers, CtrlDeleteTest,
                         ::testing::Values(CtrlDeleteCase{QMessageBox::Ok, 4},
                                           CtrlDeleteCase{QMessageBox::Cancel, 5}),
                         [](const auto &info) {
                             return velkor_test::caseName(
                                 info.param.answer == QMessageBox::Ok ? "Ok" : "Cancel");
                         });

TEST_F(GridTest, CtrlDeleteWorksWhileACellIsEdited)
{
    open(kWords);
    grid()->setFocus();
    doubleClickGrid();
    ASSERT_TRUE(editorOpen());
    QString asked;
    ModalAnswerer answer(pressMessageBoxButton(QMessageBox::Ok, &asked));
    QTest::keyClick(cellEditor(), Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(table().recordCount(), 4);
    EXPECT_EQ(source(), u"cat"_s);
}

} // namespace

#include "browser_fixture.h"
#include "support/modal_answerer.h"
#include "support/printers.h"

#include <QLabel>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

const BrowserFixture::Pairs kWords = {
    {u"house"_s, u"ház"_s}, {u"apple"_s, u"alma"_s}, {u"cat"_s, u"macska"_s}};

class WordsTest : public BrowserFixture {
protected:
    QPushButton *newWord() const { return find<QPushButton>(u"bbtnUjSzo"); }
    QPushButton *deleteWord() const { return find<QPushButton>(u"bbtnSzoTorl"); }
    QLineEdit *cellEditor() const
    {
        for (auto *editor : grid()->findChildren<QLineEdit *>(u"dbgrSzotarEditor"_s)) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    // Clicks the question dialog's button and keeps the question's text.
    static ModalAnswerer::Action answer(const char16_t *button, QString *asked)
    {
        return [button, asked](QWidget &dialog) {
            if (auto *label = dialog.findChild<QLabel *>(u"lblKerdes"_s))
                *asked = label->text();
            ModalAnswerer::clickButton(QString::fromUtf16(button))(dialog);
        };
    }
};

struct NewWordCase {
    bool byTarget;
    const char16_t *typedAfter; // the other text, typed into the other cell
};

void PrintTo(const NewWordCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.byTarget, c.typedAfter);
}

class NewWordTest : public WordsTest, public ::testing::WithParamInterface<NewWordCase> {};

TEST_P(NewWordTest, StartsWithTheSearchedWordInTheOrderedColumn)
{
    open(kWords);
    if (GetParam().byTarget)
        page->OrderByTarget();
    typeSearch(u"apricot"_s);
    QTest::mouseClick(newWord(), Qt::LeftButton);

    const int ordered = GetParam().byTarget ? targetColumn() : sourceColumn();
    const int other = 1 - ordered;
    ASSERT_EQ(table().state(), store::TableState::Insert);
    const int row = model()->rowCount() - 1;
    EXPECT_EQ(row, 3) << "the new row is shown after the stored ones";
    EXPECT_EQ(grid()->currentIndex(), model()->index(row, ordered));
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectItems);
    EXPECT_EQ(model()->headerData(row, Qt::Vertical).toString(), u"*"_s);
    EXPECT_EQ(cell(row, ordered), u"apricot"_s);
    EXPECT_EQ(cell(row, other), QString());
    ASSERT_NE(cellEditor(), nullptr);
    EXPECT_EQ(cellEditor()->text(), u"apricot"_s);

    // The user types the other text and moves on: the row is stored.
    grid()->setCurrentIndex(model()->index(row, other));
    ASSERT_NE(cellEditor(), nullptr);
    typeInto(cellEditor(), QString::fromUtf16(GetParam().typedAfter));
    grid()->setCurrentIndex(model()->index(0, 0));
    EXPECT_EQ(table().state(), store::TableState::Browse);
    EXPECT_EQ(table().recordCount(), 4);
    EXPECT_EQ(model()->rowCount(), 4);
    const QString field = GetParam().byTarget ? u"Magyar"_s : u"Angol"_s;
    ASSERT_TRUE(table().locate(field, u"apricot"_s, {}));
    EXPECT_EQ(GetParam().byTarget ? source() : target(), QString::fromUtf16(GetParam().typedAfter));
}

INSTANTIATE_TEST_SUITE_P(Orders, NewWordTest,
                         ::testing::Values(NewWordCase{false, u"sárgabarack"},
                                           NewWordCase{true, u"apricot tree"}),
                         [](const auto &info) {
                             return velkor_test::caseName(info.param.byTarget ? "ByTarget"
                                                                              : "BySource");
                         });

TEST_F(WordsTest, ALongSearchTextIsCutToFiftyCharacters)
{
    open(kWords);
    const QString longText = QString(60, u'x');
    searchBox()->setText(longText);
    QTest::mouseClick(newWord(), Qt::LeftButton);
    EXPECT_EQ(cell(model()->rowCount() - 1, sourceColumn()), longText.left(50));
    table().post();
    ASSERT_TRUE(table().locate(u"Angol"_s, longText.left(50), {}));
    EXPECT_EQ(source().size(), 50);
}

TEST_F(WordsTest, AnUntouchedNewRowIsDroppedWhenTheGridIsLeft)
{
    open(kWords);
    QTest::mouseClick(newWord(), Qt::LeftButton); // with an empty search box
    ASSERT_EQ(model()->rowCount(), 4);
    searchBox()->setFocus();
    EXPECT_EQ(table().state(), store::TableState::Browse);
    EXPECT_EQ(table().recordCount(), 3);
    EXPECT_EQ(model()->rowCount(), 3);
    EXPECT_EQ(grid()->selectionBehavior(), QAbstractItemView::SelectRows);
}

TEST_F(WordsTest, EscInTheCellEditorDropsTheNewRow)
{
    open(kWords);
    typeSearch(u"apricot"_s);
    QTest::mouseClick(newWord(), Qt::LeftButton);
    ASSERT_NE(cellEditor(), nullptr);
    QTest::keyClick(cellEditor(), Qt::Key_Escape);
    EXPECT_EQ(table().state(), store::TableState::Browse);
    EXPECT_EQ(model()->rowCount(), 3);
    EXPECT_FALSE(table().locate(u"Angol"_s, u"apricot"_s, {}));
}

struct DeleteCase {
    const char16_t *button;
    int rowsLeft;
};

void PrintTo(const DeleteCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.button, c.rowsLeft);
}

class DeleteButtonTest : public WordsTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteButtonTest, AsksBeforeDeletingTheCurrentRow)
{
    open(kWords);
    typeSearch(u"cat"_s);
    QString asked;
    ModalAnswerer answerer(answer(GetParam().button, &asked));
    QTest::mouseClick(deleteWord(), Qt::LeftButton);
    EXPECT_TRUE(answerer.answered());
    EXPECT_EQ(asked, u"cat <=> macska\nTörlöd a szót?"_s);
    EXPECT_EQ(table().recordCount(), GetParam().rowsLeft);
    EXPECT_EQ(source(), GetParam().rowsLeft == 2 ? u"house"_s : u"cat"_s);
    EXPECT_EQ(cell(gridRow(), sourceColumn()), source());
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteButtonTest,
                         ::testing::Values(DeleteCase{u"bbtnOk", 2}, // Igen
                                           DeleteCase{u"bbtnMegsem", 3}),
                         [](const auto &info) { return velkor_test::caseName(info.param.button); });

// The button follows the rows: deleting the last disables it, and a word
// added afterwards, or another dictionary opened, enables it again.
TEST_F(WordsTest, DeleteButtonFollowsTheRowCount)
{
    open({{u"house"_s, u"ház"_s}});
    ASSERT_TRUE(deleteWord()->isEnabled());
    {
        QString asked;
        ModalAnswerer answerer(answer(u"bbtnOk", &asked));
        QTest::mouseClick(deleteWord(), Qt::LeftButton);
        ASSERT_TRUE(answerer.answered());
    }
    EXPECT_EQ(table().recordCount(), 0);
    EXPECT_FALSE(deleteWord()->isEnabled());

    typeSearch(u"mouse"_s);
    QTest::mouseClick(newWord(), Qt::LeftButton);
    table().post();
    EXPECT_TRUE(deleteWord()->isEnabled());

    table().close();
    EXPECT_FALSE(deleteWord()->isEnabled());
    createDictionary(u"Angol_Magyar1.DB"_s);
    {
        auto other = makeTable(u"Angol_Magyar1.DB"_s);
        other->open();
        add(*other, u"dog"_s, u"kutya"_s);
    }
    table().setTableName(u"Angol_Magyar1.DB"_s);
    table().open();
    EXPECT_TRUE(deleteWord()->isEnabled());
}

TEST_F(WordsTest, DeletingOnAnEmptyTableShowsTheEnginesMessage)
{
    open({});
    EXPECT_FALSE(deleteWord()->isEnabled());
    QString asked;
    QString info;
    std::optional<ModalAnswerer> second;
    ModalAnswerer first([&](QWidget &dialog) {
        answer(u"bbtnOk", &asked)(dialog);
        second.emplace(answer(u"bbtnOk", &info));
    });
    page->bbtnSzoTorlClick();
    EXPECT_TRUE(first.answered());
    ASSERT_TRUE(second && second->answered());
    EXPECT_EQ(asked, u" <=> \nTörlöd a szót?"_s);
    EXPECT_TRUE(info.contains(u"Nincs törölhető sor"_s)) << info.toStdString();
    EXPECT_EQ(table().recordCount(), 0);
}

} // namespace

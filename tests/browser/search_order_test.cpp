#include "browser_fixture.h"
#include "support/printers.h"

#include <ostream>

using namespace Qt::StringLiterals;

namespace {

const QString kMarker = u"               A"_s;

const BrowserFixture::Pairs kWords = {{u"house"_s, u"ház"_s},
                                      {u"apple"_s, u"alma"_s},
                                      {u"housing"_s, u"lakás"_s},
                                      {u"hour"_s, u"óra"_s},
                                      {u"cat"_s, u"macska"_s}};

struct TypingCase {
    const char16_t *typed;
    bool green;
    const char16_t *landsOn;
};

std::ostream &operator<<(std::ostream &os, const TypingCase &c)
{
    return os << '"' << QString::fromUtf16(c.typed).toStdString() << '"';
}

class SearchBoxTest : public BrowserFixture, public ::testing::WithParamInterface<TypingCase> {};

// Typed key by key from the row "hour": every keystroke searches again.
TEST_P(SearchBoxTest, ColoursTheBoxAndMovesTheGrid)
{
    open(kWords);
    ASSERT_TRUE(table().locate(u"Angol"_s, u"hour"_s, {}));
    const TypingCase &c = GetParam();
    typeSearch(QString::fromUtf16(c.typed));
    EXPECT_EQ(searchBoxGreen(), c.green);
    EXPECT_EQ(searchBoxWhite(), !c.green);
    EXPECT_EQ(source(), QString::fromUtf16(c.landsOn));
    EXPECT_EQ(cell(gridRow(), sourceColumn()), QString::fromUtf16(c.landsOn));
}

INSTANTIATE_TEST_SUITE_P(Texts, SearchBoxTest,
                         ::testing::Values(TypingCase{u"House", true, u"house"},
                                           TypingCase{u"hous", false, u"house"},
                                           TypingCase{u"housx", false, u"house"},
                                           TypingCase{u"zebra", false, u"hour"}),
                         [](const auto &info) { return velkor_test::caseName(info.param.typed); });

class OrderTest : public BrowserFixture {};

TEST_F(OrderTest, ByTargetSearchesTheTargetColumnAndBackBySource)
{
    open(kWords);
    page->OrderByTarget();
    EXPECT_EQ(table().indexFieldNames(), u"Magyar"_s);
    EXPECT_TRUE(find<QRadioButton>(u"rbMagyar")->isChecked());
    EXPECT_EQ(title(targetColumn()), u"Magyar"_s + kMarker);
    EXPECT_EQ(title(sourceColumn()), u"Angol"_s);
    // alma, ház, lakás, macska, óra
    EXPECT_EQ(cell(0, sourceColumn()), u"apple"_s);
    EXPECT_EQ(cell(3, targetColumn()), u"macska"_s);

    typeSearch(u"macska"_s);
    EXPECT_TRUE(searchBoxGreen());
    EXPECT_EQ(source(), u"cat"_s);
    EXPECT_EQ(gridRow(), 3);

    // The same text now searches the source column, where nothing begins
    // with its "m": the row stays.
    page->OrderBySource();
    EXPECT_TRUE(find<QRadioButton>(u"rbAngol")->isChecked());
    EXPECT_EQ(title(sourceColumn()), u"Angol"_s + kMarker);
    EXPECT_TRUE(searchBoxWhite());
    EXPECT_EQ(source(), u"cat"_s);
    typeSearch(u"hou"_s);
    EXPECT_EQ(source(), u"hour"_s);
}

TEST_F(OrderTest, RadioButtonsOrder)
{
    open(kWords);
    QTest::mouseClick(find<QRadioButton>(u"rbMagyar"), Qt::LeftButton);
    EXPECT_EQ(table().indexFieldNames(), u"Magyar"_s);
    QTest::mouseClick(find<QRadioButton>(u"rbAngol"), Qt::LeftButton);
    EXPECT_EQ(table().indexFieldNames(), u"Angol"_s);
}

TEST_F(OrderTest, TitleClickOnTheMarkedColumnChangesNothing)
{
    open(kWords);
    typeSearch(u"hour"_s);
    clickTitle(sourceColumn());
    EXPECT_EQ(table().indexFieldNames(), u"Angol"_s);
    EXPECT_EQ(title(sourceColumn()), u"Angol"_s + kMarker);
    EXPECT_EQ(source(), u"hour"_s);

    clickTitle(targetColumn());
    EXPECT_EQ(table().indexFieldNames(), u"Magyar"_s);
    EXPECT_EQ(title(targetColumn()), u"Magyar"_s + kMarker);
    EXPECT_EQ(title(sourceColumn()), u"Angol"_s);
    // The search ran again in the target column: "hour" shortens to "h", ház.
    EXPECT_EQ(source(), u"house"_s);
}

TEST_F(OrderTest, AfterAColumnDragTheSourceOrderStillMarksTheSourceColumn)
{
    open(kWords);
    const int sourceWidth = titles()->sectionSize(sourceColumn());
    titles()->resizeSection(targetColumn(), sourceWidth + 40);

    titles()->moveSection(0, 1); // what dragging the left title over the right does
    EXPECT_EQ(state.ToColumnIndex, 0);
    EXPECT_EQ(titles()->logicalIndex(0), 0) << "columns keep counting from the left";
    EXPECT_EQ(titles()->sectionSize(1), sourceWidth) << "the widths move with the columns";
    EXPECT_EQ(cell(0, 0), u"alma"_s);
    EXPECT_EQ(cell(0, 1), u"apple"_s);

    page->OrderBySource(); // F3
    EXPECT_EQ(title(1), u"Angol"_s + kMarker);
    EXPECT_EQ(title(0), u"Magyar"_s);
    EXPECT_EQ(table().indexFieldNames(), u"Angol"_s);
}

TEST_F(OrderTest, SecondToFirstKeepsTheFirstLanguageOnTheLeft)
{
    open(kWords, true);
    EXPECT_EQ(state.ToColumnIndex, 0);
    EXPECT_EQ(title(0), u"Angol"_s);
    EXPECT_EQ(title(1), u"Magyar"_s + kMarker);
    EXPECT_EQ(find<QRadioButton>(u"rbAngol")->text(), u"Magyar"_s);
    typeSearch(u"ház"_s);
    EXPECT_TRUE(searchBoxGreen());
    EXPECT_EQ(cell(gridRow(), 0), u"house"_s);
}

TEST_F(OrderTest, EmptyingTheBoxOnlyResetsTheColour)
{
    open(kWords);
    typeSearch(u"House"_s);
    ASSERT_TRUE(searchBoxGreen());
    page->EmptySearchBox();
    EXPECT_TRUE(searchBoxWhite());
    EXPECT_EQ(source(), u"house"_s);
}

TEST_F(OrderTest, EnteringTheTabSearchesThePopupsWord)
{
    open(kWords);
    page->tsSzotarEnter(false, u"cat"_s);
    EXPECT_TRUE(searchBox()->hasFocus());
    EXPECT_TRUE(searchBox()->text().isEmpty());
    page->tsSzotarEnter(true, u"cat"_s);
    EXPECT_EQ(searchBox()->text(), u"cat"_s);
    EXPECT_EQ(source(), u"cat"_s);
}

TEST_F(OrderTest, SearchWithoutADictionaryStaysWhite)
{
    QTest::keyClicks(searchBox(), u"house"_s);
    EXPECT_TRUE(searchBoxWhite());
    EXPECT_EQ(model()->rowCount(), 0);
}

} // namespace

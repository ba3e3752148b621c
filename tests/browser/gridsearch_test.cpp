#include "support/dictionary_fixture.h"

#include "browser/gridsearch.h"
#include "support/printers.h"

#include <ostream>

using namespace Qt::StringLiterals;

namespace {

struct SearchCase {
    const char16_t *text;
    SearchOutcome outcome;
    const char16_t *landsOn; // source text of the current row afterwards
};

std::ostream &operator<<(std::ostream &os, const SearchCase &c)
{
    return os << '"' << QString::fromUtf16(c.text).toStdString() << '"';
}

class SearchDictionaryTest : public DictionaryFixture,
                             public ::testing::WithParamInterface<SearchCase> {};

// Rows in source order: apple, hour, house, house boat, housing, ökör.
TEST_P(SearchDictionaryTest, LandsOnTheBestRow)
{
    createDictionary();
    auto table = makeTable();
    table->setIndexFieldNames(u"Angol"_s);
    table->open();
    addAll(*table, {{u"housing"_s, u"lakás"_s},
                    {u"house boat"_s, u"lakóhajó"_s},
                    {u"apple"_s, u"alma"_s},
                    {u"house"_s, u"ház"_s},
                    {u"hour"_s, u"óra"_s},
                    {u"ökör"_s, u"ox"_s}});
    ASSERT_TRUE(table->locate(u"Angol"_s, u"hour"_s, {}));

    const SearchCase &c = GetParam();
    EXPECT_EQ(SearchDictionary(*table, u"Angol"_s, QString::fromUtf16(c.text)), c.outcome);
    EXPECT_EQ(source(*table), QString::fromUtf16(c.landsOn));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SearchDictionaryTest,
    ::testing::Values(SearchCase{u"House", SearchOutcome::Exact, u"house"},
                      SearchCase{u"ÖKÖR", SearchOutcome::Exact, u"ökör"},
                      SearchCase{u"hous", SearchOutcome::Prefix, u"house"},
                      SearchCase{u"ho", SearchOutcome::Prefix, u"hour"},
                      // The blank is kept: it is the beginning of "house boat".
                      SearchCase{u"house ", SearchOutcome::Prefix, u"house boat"},
                      SearchCase{u"housx", SearchOutcome::Shortened, u"house"},
                      SearchCase{u"applesauce", SearchOutcome::Shortened, u"apple"},
                      // Nothing begins with q: the row does not move.
                      SearchCase{u"quince", SearchOutcome::NotFound, u"hour"},
                      SearchCase{u"   ", SearchOutcome::Blank, u"hour"},
                      SearchCase{u"", SearchOutcome::Blank, u"hour"}),
    [](const auto &info) { return velkor_test::caseName(info.param.text); });

TEST(SearchField, TargetOnlyWhenOrderedExactlyByIt)
{
    EXPECT_EQ(SearchFieldFor(u"Magyar"_s, u"Angol"_s, u"Magyar"_s), u"Magyar"_s);
    EXPECT_EQ(SearchFieldFor(u"Angol"_s, u"Angol"_s, u"Magyar"_s), u"Angol"_s);
    EXPECT_EQ(SearchFieldFor(QString(), u"Angol"_s, u"Magyar"_s), u"Angol"_s);
    EXPECT_EQ(SearchFieldFor(u"magyar"_s, u"Angol"_s, u"Magyar"_s), u"Angol"_s);
}

} // namespace

#include "support/dictionary_fixture.h"

#include "store/dictionaryname.h"
#include "store/dm1.h"
#include "support/printers.h"

using namespace Qt::StringLiterals;

namespace {

struct SplitCase {
    const char16_t *name;
    const char16_t *first;
    const char16_t *second;
};

void PrintTo(const SplitCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.first, c.second);
}

class SplitTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitTest, SplitsIntoTheTwoLanguageNames)
{
    const auto [first, second] = SplitDictionaryName(QString::fromUtf16(GetParam().name));
    EXPECT_EQ(first, QString::fromUtf16(GetParam().first));
    EXPECT_EQ(second, QString::fromUtf16(GetParam().second));
}

INSTANTIATE_TEST_SUITE_P(Names, SplitTest,
                         ::testing::Values(SplitCase{u"Angol_Magyar.DB", u"Angol", u"Magyar"},
                                           SplitCase{u"Nemet_Portugal3.DB", u"Nemet", u"Portugal"},
                                           SplitCase{u"Angol_Magyar2", u"Angol", u"Magyar"},
                                           SplitCase{u"Szotar.DB", u"", u"Szotar"},
                                           SplitCase{u"A_B_C.x.DB", u"A", u"B_C"},
                                           SplitCase{u"Angol_Magyar", u"Angol", u"Magyar"}),
                         [](const auto &info) { return velkor_test::caseName(info.param.name); });

TEST(DictionaryName, NamesOfDigitsOnlyAreNoDictionaries)
{
    EXPECT_FALSE(IsDictionaryName(u"2024.DB"_s));
    EXPECT_FALSE(IsDictionaryName(u".DB"_s));
    EXPECT_TRUE(IsDictionaryName(u"Angol_Magyar1.DB"_s));
}

class DirectionTest : public DictionaryFixture {};

TEST_F(DirectionTest, SourceFieldReadsTheChosenSourceLanguage)
{
    createDictionary();
    {
        auto table = makeTable();
        table->open();
        add(*table, u"house"_s, u"ház"_s);
    }
    for (const bool secondToFirst : {false, true}) {
        TDM1 dm;
        AppState state;
        state.FromColumn = u"Angol"_s;
        state.ToColumn = u"Magyar"_s;
        dm.ApplyDirection(state, secondToFirst);
        EXPECT_EQ(state.ToColumnIndex, secondToFirst ? 0 : 1);
        dm.tblSzotarP.setDatabaseName(dir.path());
        dm.tblSzotarP.setTableName(u"Angol_Magyar.DB"_s);
        dm.tblSzotarP.open();
        EXPECT_EQ(dm.tblSzotarPAngol->asString(), secondToFirst ? u"ház"_s : u"house"_s);
        EXPECT_EQ(dm.tblSzotarPMagyar->asString(), secondToFirst ? u"house"_s : u"ház"_s);
        EXPECT_EQ(dm.tblSzotarPAngol->displayLabel(), state.FromColumn);
    }
}

} // namespace

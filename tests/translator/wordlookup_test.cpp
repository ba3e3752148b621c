// The lookup against small dictionaries: which lists it fills, under which
// headers, and the colour of the word box.
#include "lookup_fixture.h"
#include "platform/text/textfunctions.h"
#include "translator/resultsort.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using translator::Colour;
using translator::WordMatch;
using namespace translator; // the colour names

// One expected list; colours are checked only where a header is shown.
struct ListExpect {
    QString head;
    QString tail;
    Colour headColor = 0;
    Colour tailColor = 0;
    QStringList items;
};

struct LookupCase {
    const char *name;
    std::vector<std::pair<QString, QString>> rows;
    QString word;
    WordMatch match;
    ListExpect list1;
    ListExpect list2;
};

void PrintTo(const LookupCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kNothing = QStringLiteral("Nincs ilyen szó a szótárban...");
const ListExpect kEmpty{};

QString s(const char16_t *text)
{
    return QString::fromUtf16(text);
}

class Lookup : public LookupFixture, public ::testing::WithParamInterface<LookupCase> {};

void expectList(const translator::TTalalat &list, const QStringList &lines,
                const ListExpect &expected, const char *which)
{
    SCOPED_TRACE(which);
    EXPECT_EQ(lines.join(u'|').toStdString(), expected.items.join(u'|').toStdString());
    if (list.Count == 0)
        return;
    EXPECT_EQ(list.HeadText.toStdString(), expected.head.toStdString());
    EXPECT_EQ(list.TailText.toStdString(), expected.tail.toStdString());
    if (!expected.head.isEmpty()) {
        EXPECT_EQ(list.HeadColor, expected.headColor);
        EXPECT_EQ(list.TailColor, expected.tailColor);
    }
}

TEST_P(Lookup, FillsTheListsAndColoursTheWordBox)
{
    const LookupCase &c = GetParam();
    openWith(c.rows);
    const auto outcome = lookup->LookUpWord(c.word);

    EXPECT_EQ(outcome.match, c.match);
    EXPECT_EQ(outcome.colour, colourOf(c.match));
    EXPECT_EQ(outcome.word, LowerHungarian(c.word));
    EXPECT_EQ(lookup->LastLookupWord(), outcome.word);
    expectList(lookup->ResultLists()[0], items(0), c.list1, "list 1");
    expectList(lookup->ResultLists()[1], items(1), c.list2, "list 2");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Lookup,
    ::testing::Values(LookupCase{"CapitalAccentedLetterIsLowerCased",
                                 {{s(u"eg"), s(u"egy")}, {s(u"ég"), s(u"sky")}},
                                 s(u"Ég"),
                                 WordMatch::Exact,
                                 {{}, {}, 0, 0, {s(u"sky")}},
                                 kEmpty},
                      LookupCase{"AllCapitalsWithDoubleAcute",
                                 {{s(u"ősz"), s(u"autumn")}, {s(u"ősz"), s(u"grey")}},
                                 s(u"ŐSZ"),
                                 WordMatch::Exact,
                                 {{}, {}, 0, 0, {s(u"autumn"), s(u"grey")}},
                                 kEmpty},
                      LookupCase{"VerbStoredWithInfinitiveMarker",
                                 {{s(u"to walk"), s(u"sétál")}, {s(u"walker"), s(u"sétáló")}},
                                 s(u"walk"),
                                 WordMatch::Exact,
                                 {s(u"to "), s(u"walk"), kAqua, kLime, {s(u"sétál")}},
                                 kEmpty},
                      LookupCase{"EveryRowOfOneSourceInTableOrder",
                                 {{s(u"run"), s(u"fut")},
                                  {s(u"rung"), s(u"fok")},
                                  {s(u"run"), s(u"szalad")},
                                  {s(u"runner"), s(u"futó")},
                                  {s(u"run"), s(u"működik")}},
                                 s(u"run"),
                                 WordMatch::Exact,
                                 {{}, {}, 0, 0, {s(u"fut"), s(u"szalad"), s(u"működik")}},
                                 kEmpty},
                      LookupCase{"SourcesDifferingInCaseAreSeparateGroups",
                                 {{s(u"polish"), s(u"fényesít")},
                                  {s(u"Polish"), s(u"lengyel")},
                                  {s(u"polish"), s(u"csiszol")}},
                                 s(u"polish"),
                                 WordMatch::Exact,
                                 {{}, {}, 0, 0, {s(u"lengyel")}},
                                 kEmpty},
                      LookupCase{"ShortenedToStemAndCompletedToLongerEntry",
                                 {{s(u"walk"), s(u"sétál")}, {s(u"walker"), s(u"sétáló")}},
                                 s(u"walked"),
                                 WordMatch::Found,
                                 {s(u"walk"), {}, kLime, kAqua, {s(u"sétál")}},
                                 {s(u"walke"), s(u"r"), kLime, kMagenta, {s(u"sétáló")}}},
                      LookupCase{"CompletionEqualToTheMatchIsNotRepeated",
                                 {{s(u"walk"), s(u"sétál")}, {s(u"wall"), s(u"fal")}},
                                 s(u"walked"),
                                 WordMatch::Found,
                                 {s(u"walk"), {}, kLime, kAqua, {s(u"sétál")}},
                                 kEmpty},
                      LookupCase{"CapitalisedStemIsNotRepeatedEither",
                                 {{s(u"Walk"), s(u"sétál")}},
                                 s(u"walked"),
                                 WordMatch::Found,
                                 {s(u"walk"), {}, kLime, kAqua, {s(u"sétál")}},
                                 kEmpty},
                      LookupCase{"ShortenedFormWithInfinitiveMarker",
                                 {{s(u"to walk"), s(u"sétál")}},
                                 s(u"walks"),
                                 WordMatch::Found,
                                 {s(u"to "), s(u"walk"), kAqua, kLime, {s(u"sétál")}},
                                 kEmpty},
                      LookupCase{"CompletionThroughInfinitiveMarker",
                                 {{s(u"to walker"), s(u"gyalogol")}},
                                 s(u"walke"),
                                 WordMatch::Found,
                                 kEmpty,
                                 {s(u"to walke"), s(u"r"), kLime, kMagenta, {s(u"gyalogol")}}},
                      LookupCase{"PhraseSkipsTheTrailingSpaceWhenShortened",
                                 {{s(u"give "), s(u"ad (szóközzel)")}, {s(u"give"), s(u"ad")}},
                                 s(u"give up"),
                                 WordMatch::Found,
                                 {s(u"give"), {}, kLime, kAqua, {s(u"ad")}},
                                 // Completion keeps the space: "give " begins only "give ".
                                 {s(u"give "), {}, kLime, kMagenta, {s(u"ad (szóközzel)")}}},
                      LookupCase{"GiveUpFallsBackToGive",
                                 {{s(u"give"), s(u"ad")}, {s(u"gift"), s(u"ajándék")}},
                                 s(u"give up"),
                                 WordMatch::Found,
                                 {s(u"give"), {}, kLime, kAqua, {s(u"ad")}},
                                 kEmpty},
                      LookupCase{"EmptyWordShowsTheNothingFoundLine",
                                 {{s(u"walk"), s(u"sétál")}},
                                 {},
                                 WordMatch::None,
                                 {{}, {}, 0, 0, {kNothing}},
                                 kEmpty},
                      LookupCase{"EmptyWordListsEmptySourcesAboveTheLine",
                                 {{s(u""), s(u"üres")}, {s(u"walk"), s(u"sétál")}},
                                 {},
                                 WordMatch::None,
                                 {{}, {}, 0, 0, {s(u"üres"), kNothing}},
                                 kEmpty},
                      LookupCase{"NothingMatchesNotEvenTheFirstLetter",
                                 {{s(u"walk"), s(u"sétál")}, {s(u"talk"), s(u"beszél")}},
                                 s(u"xyz"),
                                 WordMatch::None,
                                 {{}, {}, 0, 0, {kNothing}},
                                 kEmpty},
                      // "to" is a beginning of "to be" itself: its header is "to" + " be",
                      // not the marker again.
                      LookupCase{"BeginningOfTheMarkerCompletesPlainly",
                                 {{s(u"to be"), s(u"lenni")}},
                                 s(u"to"),
                                 WordMatch::Found,
                                 kEmpty,
                                 {s(u"to"), s(u" be"), kLime, kMagenta, {s(u"lenni")}}},
                      // Ä is no Hungarian capital, yet the entry is the word itself.
                      LookupCase{"ForeignCapitalMatchesWithoutMarkerHeader",
                                 {{s(u"Äpfel"), s(u"almák")}},
                                 s(u"äpfel"),
                                 WordMatch::Exact,
                                 {{}, {}, 0, 0, {s(u"almák")}},
                                 kEmpty}),
    [](const auto &info) { return std::string(info.param.name); });

class LookupCapacity : public LookupFixture {
protected:
    static std::vector<Pair> many(const QString &source, int count)
    {
        std::vector<Pair> rows;
        for (int i = 0; i < count; ++i)
            rows.emplace_back(source, QStringLiteral("t%1").arg(i, 3, 10, QLatin1Char('0')));
        return rows;
    }
};

TEST_F(LookupCapacity, ListsStopAtTwoHundredLines)
{
    auto rows = many(QStringLiteral("set"), 250);
    const auto settle = many(QStringLiteral("settle"), 230);
    rows.insert(rows.end(), settle.begin(), settle.end());
    openWith(rows);

    lookup->LookUpWord(QStringLiteral("sett"));
    ASSERT_EQ(lookup->ResultLists()[0].Count, 200);
    ASSERT_EQ(lookup->ResultLists()[1].Count, 200);
    EXPECT_EQ(items(0).front(), QStringLiteral("t000"));
    EXPECT_EQ(items(0).back(), QStringLiteral("t199"));
    EXPECT_EQ(lookup->ResultLists()[1].HeadText, QStringLiteral("sett"));

    // A full list takes no more rows.
    table->locate(QStringLiteral("Angol"), QStringLiteral("set"),
                  store::LocateOption::CaseInsensitive);
    lookup->AddResultRows(1);
    EXPECT_EQ(lookup->ResultLists()[0].Count, 200);
    EXPECT_THROW(lookup->AddResultRows(3), std::out_of_range);
}

TEST_F(LookupCapacity, NothingFoundLineTakesTheLastSlotOfAFullList)
{
    openWith(many(QString(), 230));
    const auto outcome = lookup->LookUpWord(QString());
    EXPECT_EQ(outcome.match, WordMatch::None);
    ASSERT_EQ(lookup->ResultLists()[0].Count, 200);
    EXPECT_EQ(items(0)[198], QStringLiteral("t198"));
    EXPECT_EQ(items(0)[199], kNothing);
}

TEST_F(LookupFixture, EachLookupStartsFromEmptyLists)
{
    openWith({{QStringLiteral("walk"), QStringLiteral("sétál")},
              {QStringLiteral("walker"), QStringLiteral("sétáló")}});
    lookup->LookUpWord(QStringLiteral("walked"));
    ASSERT_EQ(lookup->ResultLists()[1].Count, 1);
    lookup->LookUpWord(QStringLiteral("walk"));
    EXPECT_EQ(items(0), QStringList{QStringLiteral("sétál")});
    EXPECT_EQ(lookup->ResultLists()[1].Count, 0);
}

TEST_F(LookupFixture, SortingThenLookingUpAgainGivesTheTableOrderBack)
{
    openWith({{QStringLiteral("run"), QStringLiteral("szalad")},
              {QStringLiteral("run"), QStringLiteral("Fut")},
              {QStringLiteral("run"), QStringLiteral("működik")},
              {QStringLiteral("runner"), QStringLiteral("futó")},
              {QStringLiteral("runner"), QStringLiteral("Alkalmazás")}});
    lookup->LookUpWord(QStringLiteral("runne"));
    const QStringList match = items(0), completion = items(1);
    const auto headers = lookup->ResultLists();

    SortResultLines(lookup->ResultLists());
    EXPECT_EQ(items(0), (QStringList{QStringLiteral("Fut"), QStringLiteral("működik"),
                                     QStringLiteral("szalad")}));
    EXPECT_EQ(items(1), (QStringList{QStringLiteral("Alkalmazás"), QStringLiteral("futó")}));
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(lookup->ResultLists()[i].HeadText, headers[i].HeadText);
        EXPECT_EQ(lookup->ResultLists()[i].TailText, headers[i].TailText);
    }

    lookup->LookUpWord(lookup->LastLookupWord());
    EXPECT_EQ(items(0), match);
    EXPECT_EQ(items(1), completion);
}

} // namespace

#include "platform/text/textfunctions.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t *input;
    const char16_t *expected;
};

void PrintTo(const Case &c, std::ostream *os)
{
    *os << velkor_test::describe(c.input, c.expected);
}

class LowerHungarianTest : public ::testing::TestWithParam<Case> {};

TEST_P(LowerHungarianTest, MapsOnlyTheHungarianCapitalsAndAscii)
{
    const QString input = QString::fromUtf16(GetParam().input);
    const QString result = LowerHungarian(input);
    EXPECT_EQ(result, QString::fromUtf16(GetParam().expected));
    EXPECT_EQ(result.size(), input.size());
}

INSTANTIATE_TEST_SUITE_P(Cases, LowerHungarianTest,
                         ::testing::Values(Case{u"ŐSZ", u"ősz"}, Case{u"Ég", u"ég"},
                                           Case{u"ÄRGER", u"Ärger"},
                                           Case{u"ÁÉÍÓŐÖÚŰÜ", u"áéíóőöúűü"},
                                           Case{u"1,5-ÖS?", u"1,5-ös?"}, Case{u"ÔÛŠ Ł", u"ÔÛŠ Ł"},
                                           Case{u"", u""}, Case{u"To Walk", u"to walk"}),
                         [](const auto &info) { return velkor_test::caseName(info.param.input); });

class WithArticleTest : public ::testing::TestWithParam<Case> {};

TEST_P(WithArticleTest, ChoosesTheArticleByTheFirstTrimmedCharacter)
{
    EXPECT_EQ(WithArticle(QString::fromUtf16(GetParam().input)),
              QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WithArticleTest,
    ::testing::Values(Case{u"Angol", u"Az Angol"}, Case{u"Magyar", u"A Magyar"},
                      Case{u"Úr", u"Az Úr"}, Case{u"Őz", u"Az Őz"}, Case{u"ydict", u"A ydict"},
                      Case{u"1.rtf", u"A 1.rtf"}, Case{u"  Angol", u"Az   Angol"},
                      Case{u"ügy", u"Az ügy"}, Case{u"Ärger", u"A Ärger"}, Case{u"Yak", u"A Yak"},
                      Case{u"\tEgér ", u"Az \tEgér "}, Case{u"", u"A "}, Case{u"   ", u"A    "}),
    [](const auto &info) { return velkor_test::caseName(info.param.input); });

TEST(TrimBlanks, RemovesEverythingUpToTheSpaceAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(u"\t\r\n  alma \x01"), QStringLiteral("alma"));
    EXPECT_EQ(TrimBlanks(u" a b "), QStringLiteral("a b"));
    EXPECT_EQ(TrimBlanks(u" \x1f "), QString());
    // A no-break space (U+00A0) is above the space and stays.
    EXPECT_EQ(TrimBlanks(u"\u00a0x"), QString::fromUtf16(u"\u00a0x"));
}

} // namespace

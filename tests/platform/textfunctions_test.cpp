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

struct TrimCase {
    const char *name;
    const char16_t *input;
    const char16_t *expected;
};

void PrintTo(const TrimCase &c, std::ostream *os)
{
    *os << c.name;
}

class TrimBlanksTest : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimBlanksTest, RemovesBlanksAndLineEndsAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(GetParam().input), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TrimBlanksTest,
    ::testing::Values(TrimCase{"ControlsAndSpaces", u"\t\r\n  alma \x01", u"alma"},
                      TrimCase{"InnerSpaceStays", u" a b ", u"a b"},
                      TrimCase{"OnlyBlanks", u" \x1f ", u""},
                      // A no-break space (U+00A0) is above the space and stays.
                      TrimCase{"NoBreakSpaceStays", u"\u00a0x", u"\u00a0x"},
                      // A selection up to a line end carries the paragraph end.
                      TrimCase{"ParagraphSeparator", u"house\u2029", u"house"},
                      TrimCase{"LineSeparator", u"\u2028big house\u2028", u"big house"},
                      TrimCase{"SeparatorInsideStays", u" a\u2029b ", u"a\u2029b"},
                      TrimCase{"MixedLineEnds", u"\u2029 \r\nx\u2029\t", u"x"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

// English headwords written with their irregular forms are stored by their
// first item; phrases with commas and other languages are left whole.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/irregular_headword.h"
#include "support/dictionary_files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace dictd;

namespace {

struct HeadwordCase {
    const char *name;
    const char *headword;
    const char *stored;
};

void PrintTo(const HeadwordCase &c, std::ostream *os)
{
    *os << c.name;
}

class IrregularHeadword : public ::testing::TestWithParam<HeadwordCase> {};

TEST_P(IrregularHeadword, KeepsTheFirstItemOfAWordWithItsForms)
{
    const HeadwordCase &c = GetParam();
    ConvertReport report;
    report.sourceField = QStringLiteral("Angol");
    const QString headword = QString::fromUtf8(c.headword);
    const QString stored = WithoutIrregularForms(headword, report);
    EXPECT_EQ(stored.toStdString(), c.stored);
    EXPECT_EQ(report.headwordsSplit, stored == headword ? 0 : 1);

    // Another source language keeps every headword whole.
    report = ConvertReport{};
    report.sourceField = QStringLiteral("Magyar");
    EXPECT_EQ(WithoutIrregularForms(headword, report), headword);
    EXPECT_EQ(report.headwordsSplit, 0);
}

INSTANTIATE_TEST_SUITE_P(
    FreeDictHeadwords, IrregularHeadword,
    ::testing::Values(
        HeadwordCase{"VerbWithTwoForms", "to eat, ate, eaten", "to eat"},
        HeadwordCase{"VerbWithOneForm", "to seek, sought", "to seek"},
        HeadwordCase{"VerbWithUnchangedForms", "to cost, cost", "to cost"},
        HeadwordCase{"FormWithTwoSpellings", "to be, was/were, been", "to be"},
        HeadwordCase{"SlashInTheBase", "either/or, both", "either/or, both"},
        HeadwordCase{"NounWithPlural", "child, children", "child"},
        HeadwordCase{"CapitalisedNoun", "Woman, women", "Woman"},
        HeadwordCase{"PhraseWithCommaAndMark", "now, now!", "now, now!"},
        HeadwordCase{"PhraseWithApostrophe", "well, i`m a dutchman!", "well, i`m a dutchman!"},
        HeadwordCase{"TwoWordItems", "bon vivant, bons vivants", "bon vivant, bons vivants"},
        HeadwordCase{"LongList", "neither fish, flesh, nor good red herring",
                     "neither fish, flesh, nor good red herring"},
        HeadwordCase{"FourFormsAreAList", "to a, b, c, d, e", "to a, b, c, d, e"},
        HeadwordCase{"CommaWithoutSpace", "to eat,ate", "to eat,ate"},
        HeadwordCase{"PlainWord", "eat", "eat"},
        HeadwordCase{"HyphenatedPlural", "crow`s-foot, crow`s-feet", "crow`s-foot, crow`s-feet"}),
    [](const auto &info) { return std::string(info.param.name); });

// End to end: the English side is split and counted, the translations stay.
TEST(IrregularHeadwordConversion, SplitsTheSourceAndCountsIt)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto dictionary = dictd_fixture::build({
        {QStringLiteral("to eat, ate, eaten"),
         QStringLiteral("to eat, ate, eaten /tˈuː ˈiːt/\n1. eszik\n2. étkezik\n")},
        {QStringLiteral("now, now!"), QStringLiteral("now, now!\nno, no!\n")},
        {QStringLiteral("to eat"), QStringLiteral("to eat\neszik\n")},
    });
    ConvertOptions options;
    options.indexPath = dir.filePath(QStringLiteral("p.index"));
    options.dictPath = dir.filePath(QStringLiteral("p.dict"));
    options.outputPath = dir.filePath(QStringLiteral("Angol_Magyar.DB"));
    dictd_fixture::writeFile(options.indexPath, dictionary.index);
    dictd_fixture::writeFile(options.dictPath, dictionary.data);
    const auto report = convertDictd(options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(report.value().headwordsSplit, 1);
    EXPECT_EQ(report.value().duplicatesSkipped, 1);

    QStringList rows;
    for (const auto &[source, target] : velkor_test::readPairs(options.outputPath))
        rows << source + u'=' + target;
    EXPECT_EQ(rows, (QStringList{QStringLiteral("to eat=eszik"), QStringLiteral("to eat=étkezik"),
                                 QStringLiteral("now, now!=no, no!")}));
}

} // namespace

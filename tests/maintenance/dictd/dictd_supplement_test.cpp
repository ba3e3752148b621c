// A word list added to a converted dictionary: its pairs follow the
// dictionary's own, those the table holds by then are left out, its heading
// puts the columns into the right fields, and a bad list fails the whole
// conversion.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/supplement.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dictd;

namespace {

using Pair = std::pair<QString, QString>;

Pair pair(const char16_t *first, const char16_t *second)
{
    return {QString::fromUtf16(first), QString::fromUtf16(second)};
}

// The rows of the tiny dictionary alone, in key order.
const std::vector<Pair> &dictionaryRows()
{
    static const std::vector<Pair> rows{pair(u"apple", u"alma"), pair(u"apple", u"almafa"),
                                        pair(u"file", u"reszelő")};
    return rows;
}

using velkor_test::readPairs;

struct SupplementCase {
    const char *name;
    const char *list;        // UTF-8 bytes of the list; nullptr: no such file
    std::vector<Pair> added; // rows after the dictionary's own
    int pairs;               // of the list
    const char *failure;     // part of the message; nullptr when it must succeed
};

void PrintTo(const SupplementCase &c, std::ostream *os)
{
    *os << c.name;
}

class Supplement : public ::testing::TestWithParam<SupplementCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const auto dictionary = dictd_fixture::build(
            {{QStringLiteral("apple"), QStringLiteral("apple\n1. alma\n2. almafa\n")},
             {QStringLiteral("file"), QStringLiteral("file\nreszelő\n")}});
        m_options.indexPath = m_dir.filePath(QStringLiteral("proba.index"));
        m_options.dictPath = m_dir.filePath(QStringLiteral("proba.dict.dz"));
        dictd_fixture::writeFile(m_options.indexPath, dictionary.index);
        dictd_fixture::writeFile(m_options.dictPath, dictd_fixture::dictzip(dictionary.data));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
        m_options.outputPath = m_dir.filePath(QStringLiteral("out/Angol_Magyar.DB"));
        m_options.supplementPath = m_dir.filePath(QStringLiteral("alapszavak.tsv"));
    }

    QTemporaryDir m_dir;
    ConvertOptions m_options;
};

TEST_P(Supplement, AddsTheNewPairsAfterTheDictionarysOwn)
{
    const SupplementCase &c = GetParam();
    if (c.list)
        dictd_fixture::writeFile(m_options.supplementPath, QByteArray(c.list));
    const auto report = convertDictd(m_options);
    if (c.failure) {
        ASSERT_FALSE(report.ok());
        EXPECT_TRUE(report.error().contains(QString::fromUtf8(c.failure)))
            << report.error().toStdString();
        EXPECT_TRUE(QDir(m_dir.filePath(QStringLiteral("out")))
                        .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                        .isEmpty());
        return;
    }
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    std::vector<Pair> expected = dictionaryRows();
    expected.insert(expected.end(), c.added.begin(), c.added.end());
    EXPECT_EQ(readPairs(m_options.outputPath), expected);
    EXPECT_EQ(report->supplementPairs, c.pairs);
    EXPECT_EQ(report->supplementWritten, std::int64_t(c.added.size()));
    EXPECT_EQ(report->rowsWritten, std::int64_t(expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, Supplement,
    ::testing::Values(
        SupplementCase{"NewPairsFollowInListOrder",
                       "Angol\tMagyar\nof\t-nak, -nek\nfile\tfájl\n",
                       {pair(u"of", u"-nak, -nek"), pair(u"file", u"fájl")},
                       2,
                       nullptr},
        SupplementCase{"PairTheDictionaryHoldsInAnyCaseLeftOut",
                       "Angol\tMagyar\nApple\tALMA\nfile\tfájl\n",
                       {pair(u"file", u"fájl")},
                       2,
                       nullptr},
        SupplementCase{"PairRepeatedInTheListWrittenOnce",
                       "Angol\tMagyar\nof\tból\nOF\tBÓL\n",
                       {pair(u"of", u"ból")},
                       2,
                       nullptr},
        SupplementCase{"ColumnsInTheOtherOrder",
                       "Magyar\tAngol\nfájl\tfile\n",
                       {pair(u"file", u"fájl")},
                       1,
                       nullptr},
        SupplementCase{"HeadingInOtherLetterCase",
                       "angol\tMAGYAR\nyou\tte\n",
                       {pair(u"you", u"te")},
                       1,
                       nullptr},
        SupplementCase{"SidesStoredLikeTheDictionarys",
                       "Angol\tMagyar\n  You \t TE \n",
                       {pair(u"you", u"te")},
                       1,
                       nullptr},
        SupplementCase{"CommentsBlankLinesAndCrLf",
                       "# alapszavak\r\n\r\nAngol\tMagyar\r\n# névmás\r\nyou\tte\r\n",
                       {pair(u"you", u"te")},
                       1,
                       nullptr},
        SupplementCase{"EmptySideLeftOut", "Angol\tMagyar\nof\t \n", {}, 1, nullptr},
        SupplementCase{"HeadingOnly", "Angol\tMagyar\n", {}, 0, nullptr},
        SupplementCase{"HeadingNamesOtherLanguages",
                       "Német\tMagyar\nof\tból\n",
                       {},
                       0,
                       "az első sor a két nyelv neve legyen"},
        SupplementCase{"HeadingMissing", "of\tból\n", {}, 0, "az első sor a két nyelv neve legyen"},
        SupplementCase{"LineWithoutTab", "Angol\tMagyar\nof ból\n", {}, 0, "2. sor"},
        SupplementCase{"LineWithThreeParts", "Angol\tMagyar\nof\tból\tből\n", {}, 0, "2. sor"},
        SupplementCase{"NotUtf8", "Angol\tMagyar\nof\t\xe9\n", {}, 0, "nem érvényes UTF-8"},
        SupplementCase{"OnlyComments", "# semmi\n\n", {}, 0, "üres"},
        SupplementCase{"Missing", nullptr, {}, 0, "nem nyitható meg"}),
    [](const auto &info) { return std::string(info.param.name); });

struct DirectionCase {
    const char *first;
    const char *second;
};

void PrintTo(const DirectionCase &c, std::ostream *os)
{
    *os << c.first << "_" << c.second;
}

class BasicWordList : public ::testing::TestWithParam<DirectionCase> {};

// The list the default dictionaries are made with reads for either table,
// and every pair of it would be stored whole.
TEST_P(BasicWordList, ReadsForTheTableOfEitherDirection)
{
    const QString first = QString::fromUtf8(GetParam().first);
    const QString second = QString::fromUtf8(GetParam().second);
    const auto pairs =
        readSupplement(QStringLiteral(VELKOR_WORD_LISTS_DIR "/alapszavak.tsv"), first, second);
    ASSERT_TRUE(pairs.ok()) << pairs.error().toStdString();
    ASSERT_FALSE(pairs->empty());
    const auto english = [&](const Pair &p) { return first == u"Angol" ? p.first : p.second; };
    EXPECT_EQ(english(pairs->front()), QStringLiteral("of"));
    for (const auto &[a, b] : pairs.value()) {
        for (const QString &side : {a, b}) {
            EXPECT_FALSE(side.trimmed().isEmpty()) << a.toStdString() << " | " << b.toStdString();
            EXPECT_LE(side.size(), 50) << side.toStdString();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Directions, BasicWordList,
                         ::testing::Values(DirectionCase{"Angol", "Magyar"},
                                           DirectionCase{"Magyar", "Angol"}),
                         [](const auto &info) {
                             return std::string(info.param.first) + info.param.second;
                         });

} // namespace

// Crafted dictd dictionaries that point the index at the same data again and
// again, or at entries absurdly long: the reader must end quickly with a
// message instead of inflating without bound.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_reader.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace dictd;
using dictd_fixture::indexNumber;

namespace {

QByteArray indexLine(const QByteArray &headword, std::int64_t offset, std::int64_t length)
{
    return headword + '\t' + indexNumber(offset) + '\t' + indexNumber(length) + '\n';
}

// Lines of a thousand letters: compresses to almost nothing, as a crafted
// file would, yet every entry cut from it has few translations.
QByteArray longLines(qsizetype bytes)
{
    const QByteArray line = QByteArray(999, 'a') + '\n';
    QByteArray data;
    while (data.size() < bytes)
        data += line;
    data.truncate(bytes);
    return data;
}

struct CraftedCase {
    const char *name;
    QByteArray data;                       // uncompressed, stored as dictzip
    std::function<QByteArray()> makeIndex; // the index file
    const char *expected;                  // part of the message; null when it must succeed
    int visits;                            // entries handed out on success
};

void PrintTo(const CraftedCase &c, std::ostream *os)
{
    *os << c.name;
}

class CraftedDictionary : public ::testing::TestWithParam<CraftedCase> {};

// Ends with the expected outcome, and never works through more than a small
// multiple of the data, whatever the index asks for.
TEST_P(CraftedDictionary, EndsWithinTheWorkBudget)
{
    const CraftedCase &c = GetParam();
    QTemporaryDir dir;
    const QString indexPath = dir.filePath(QStringLiteral("k.index"));
    const QString dictPath = dir.filePath(QStringLiteral("k.dict.dz"));
    dictd_fixture::writeFile(indexPath, c.makeIndex());
    dictd_fixture::writeFile(dictPath, dictd_fixture::dictzip(c.data, {.chunkLength = 60000}));

    auto index = readIndexFile(indexPath);
    ASSERT_TRUE(index.ok()) << index.error().toStdString();
    auto data = openDictData(dictPath);
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    const DictData &dataRef = *data.value();
    DictdReader reader(std::move(index.value()), std::move(data.value()), dictPath);

    std::vector<QString> headwords;
    const Status walked =
        reader.forEachEntry([&](const DictdEntry &e) { headwords.push_back(e.headword); });
    if (c.expected) {
        ASSERT_FALSE(walked.ok());
        EXPECT_TRUE(walked.error().contains(QString::fromUtf8(c.expected)))
            << walked.error().toStdString();
    } else {
        ASSERT_TRUE(walked.ok()) << walked.error().toStdString();
        EXPECT_EQ(int(headwords.size()), c.visits);
    }
    // Four times the data and a few megabytes of slack, plus the entry that
    // crossed the line.
    EXPECT_LE(dataRef.bytesProcessed(), 4 * c.data.size() + (std::int64_t(7) << 20));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CraftedDictionary,
    ::testing::Values(
        CraftedCase{"RepeatedRangeIsReadOnce", longLines(1 << 20),
                    [] {
                        QByteArray index;
                        for (int i = 0; i < 5000; ++i)
                            index += indexLine("a", 0, (1 << 20) - 1);
                        return index;
                    },
                    nullptr, 1},
        CraftedCase{"OverlappingRangesStopAtTheBudget", longLines(3 << 19),
                    [] {
                        QByteArray index;
                        for (int i = 0; i < 5000; ++i)
                            index += indexLine("a", i * 97, (1 << 20) - 1);
                        return index;
                    },
                    "újra meg újra ugyanazokra az adatokra mutat", 0},
        CraftedCase{"EntryLongerThanAnyReal", longLines(3 << 20),
                    [] { return indexLine("a", 0, (1 << 20) + 1); }, "hossza túl nagy", 0},
        // Once overflowed the hash of the ranges already read.
        CraftedCase{"OffsetNearTheLargestNumber", "a\nb\n",
                    [] { return indexLine("a", std::int64_t(1) << 62, 4); }, "nem olvasható", 0},
        CraftedCase{"EntryWithTooManyTranslations", "sok\n" + QByteArray("x\n").repeated(10001),
                    [] { return indexLine("sok", 0, 4 + 2 * 10001); },
                    "túl sok fordítást tartalmaz: 10001", 0}),
    [](const auto &info) { return std::string(info.param.name); });

// A repeated range whose entry has no headword line of its own gives a
// different pair for each index headword, so each is still read.
TEST(CraftedDictionary, RepeatedRangeWithoutHeadwordKeepsEachIndexHeadword)
{
    QTemporaryDir dir;
    const QString indexPath = dir.filePath(QStringLiteral("k.index"));
    const QString dictPath = dir.filePath(QStringLiteral("k.dict"));
    const QByteArray data = "\nalma\n";
    dictd_fixture::writeFile(indexPath, indexLine("apple", 0, data.size()) +
                                            indexLine("pomme", 0, data.size()) +
                                            indexLine("apple", 0, data.size()));
    dictd_fixture::writeFile(dictPath, data);
    auto reader = DictdReader::open(indexPath, dictPath);
    ASSERT_TRUE(reader.ok()) << reader.error().toStdString();
    QStringList headwords;
    ASSERT_TRUE(reader->forEachEntry([&](const DictdEntry &e) { headwords << e.headword; }).ok());
    EXPECT_EQ(headwords, (QStringList{QStringLiteral("apple"), QStringLiteral("pomme"),
                                      QStringLiteral("apple")}));
}

} // namespace

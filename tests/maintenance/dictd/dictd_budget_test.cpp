// Crafted dictd dictionaries that point the index at the same data again and
// again, or at entries absurdly long: the reader must end quickly with a
// message instead of inflating without bound.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_reader.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

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
    QByteArray data;                       // uncompressed, stored as the storage says
    std::function<QByteArray()> makeIndex; // the index file
    const char *expected;                  // part of the message; null when it must succeed
    int visits;                            // entries handed out on success
};

void PrintTo(const CraftedCase &c, std::ostream *os)
{
    *os << c.name;
}

// How the data file is stored: each kind of DictData counts its own work.
struct Storage {
    const char *name;
    std::function<QByteArray(QByteArrayView)> pack;
};

void PrintTo(const Storage &s, std::ostream *os)
{
    *os << s.name;
}

const Storage kStorages[] = {
    {"Dictzip", [](QByteArrayView d) { return dictd_fixture::dictzip(d, {.chunkLength = 60000}); }},
    {"Gzip", [](QByteArrayView d) { return dictd_fixture::gzip(d); }},
    {"Uncompressed", [](QByteArrayView d) { return d.toByteArray(); }},
};

class CraftedDictionary : public ::testing::TestWithParam<std::tuple<CraftedCase, Storage>> {};

// Ends with the expected outcome, and never works through more than a small
// multiple of the data, whatever the index asks for and however the data is
// stored. Uncompressed data once had no budget at all: ranges sliding over
// it were read and parsed for minutes.
TEST_P(CraftedDictionary, EndsWithinTheWorkBudget)
{
    const auto &[c, storage] = GetParam();
    QTemporaryDir dir;
    const QString indexPath = dir.filePath(QStringLiteral("k.index"));
    const QString dictPath = dir.filePath(QStringLiteral("k.dict.dz"));
    dictd_fixture::writeFile(indexPath, c.makeIndex());
    dictd_fixture::writeFile(dictPath, storage.pack(c.data));

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
    ::testing::
        Combine(::testing::Values(CraftedCase{"RepeatedRangeIsReadOnce", longLines(1 << 20),
                                              [] {
                                                  QByteArray index;
                                                  for (int i = 0; i < 5000; ++i)
                                                      index += indexLine("a", 0, (1 << 20) - 1);
                                                  return index;
                                              },
                                              nullptr, 1},
                                  CraftedCase{
                                      "OverlappingRangesStopAtTheBudget", longLines(3 << 19),
                                      [] {
                                          QByteArray index;
                                          for (int i = 0; i < 5000; ++i)
                                              index += indexLine("a", i * 97, (1 << 20) - 1);
                                          return index;
                                      },
                                      "újra meg újra ugyanazokra az adatokra mutat", 0},
                                  CraftedCase{"EntryLongerThanAnyReal", longLines(3 << 20),
                                              [] { return indexLine("a", 0, (1 << 20) + 1); },
                                              "hossza túl nagy", 0},
                                  // Once overflowed the hash of the ranges already read.
                                  CraftedCase{
                                      "OffsetNearTheLargestNumber", "a\nb\n",
                                      [] { return indexLine("a", std::int64_t(1) << 62, 4); },
                                      "nem olvasható", 0},
                                  CraftedCase{"EntryWithTooManyTranslations",
                                              "sok\n" + QByteArray("x\n").repeated(10001),
                                              [] { return indexLine("sok", 0, 4 + 2 * 10001); },
                                              "túl sok fordítást tartalmaz: 10001", 0},
                                  // Ranges nested in one another, each a little shorter, all inside
                                  // the first megabyte: no two alike, so none is skipped as a
                                  // repeat.
                                  CraftedCase{"NestedRangesStopAtTheBudget", longLines(1 << 20),
                                              [] {
                                                  QByteArray index;
                                                  for (int i = 0; i < 2000; ++i)
                                                      index += indexLine("a", 0, (1 << 20) - 1 - i);
                                                  return index;
                                              },
                                              "újra meg újra ugyanazokra az adatokra mutat", 0}),
                ::testing::ValuesIn(kStorages)),
    [](const auto &info) {
        return std::string(std::get<0>(info.param).name) + "_" + std::get<1>(info.param).name;
    });

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

// A word list that was not sorted, as dictfmt lays it out: the data in the
// list's order, the index sorted by headword. Read in index order, each
// entry inflated a chunk again (and a compressed file was refused as
// damaged), or re-read a megabyte of uncompressed data.
std::vector<dictd_fixture::Entry> unsortedList(int count)
{
    std::vector<dictd_fixture::Entry> entries;
    for (int n = 0; n < count; ++n) {
        // A fixed shuffle of the numbers below count.
        const QString headword = QStringLiteral("w%1").arg((std::int64_t(n) * 7919) % count);
        entries.push_back(
            {headword, headword + QStringLiteral("\nfordítás ") + headword + QStringLiteral("\n")});
    }
    return entries;
}

class UnsortedDictionary : public ::testing::TestWithParam<Storage> {};

TEST_P(UnsortedDictionary, IsReadOnceInDataOrder)
{
    constexpr int kEntries = 60000;
    const auto entries = unsortedList(kEntries);
    const auto dictionary = dictd_fixture::build(entries, dictd_fixture::IndexOrder::Headwords);
    ASSERT_GT(dictionary.data.size(), std::int64_t(1) << 20); // more than the read-ahead window
    QTemporaryDir dir;
    const QString indexPath = dir.filePath(QStringLiteral("u.index"));
    const QString dictPath = dir.filePath(QStringLiteral("u.dict.dz"));
    dictd_fixture::writeFile(indexPath, dictionary.index);
    dictd_fixture::writeFile(dictPath, GetParam().pack(dictionary.data));

    auto index = readIndexFile(indexPath);
    ASSERT_TRUE(index.ok()) << index.error().toStdString();
    auto data = openDictData(dictPath);
    ASSERT_TRUE(data.ok()) << data.error().toStdString();
    const DictData &dataRef = *data.value();
    DictdReader reader(std::move(index.value()), std::move(data.value()), dictPath);
    std::vector<QString> headwords;
    const Status walked =
        reader.forEachEntry([&](const DictdEntry &e) { headwords.push_back(e.headword); });
    ASSERT_TRUE(walked.ok()) << walked.error().toStdString();

    std::vector<QString> listOrder;
    for (const auto &entry : entries)
        listOrder.push_back(entry.indexHeadword);
    EXPECT_EQ(headwords, listOrder);
    // Each byte handed out once and inflated or read from the file about once.
    EXPECT_LE(dataRef.bytesProcessed(), 3 * dictionary.data.size());
}

INSTANTIATE_TEST_SUITE_P(Storages, UnsortedDictionary,
                         ::testing::Values(
                             // Chunks far smaller than the data, as in a real file.
                             Storage{"Dictzip",
                                     [](QByteArrayView d) {
                                         return dictd_fixture::dictzip(d, {.chunkLength = 4096});
                                     }},
                             kStorages[1], kStorages[2]),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

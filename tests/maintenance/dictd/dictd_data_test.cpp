// Reading dictd data files by byte range: dictzip with its chunk table, plain
// gzip, uncompressed text, and the same files broken on purpose.
#include "dictd_fixture.h"
#include "maintenance/dictd/dict_data.h"
#include "support/printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace dictd;

namespace {

// About 2.5 KB of varied text, with multi-byte characters across chunk
// edges; its length is a multiple of 100.
QByteArray sampleData()
{
    QByteArray data;
    for (int i = 0; i < 60; ++i)
        data += QStringLiteral("%1. szó /ˈpron/\n1. árvíztűrő\n2. tükörfúró %2\n")
                    .arg(i)
                    .arg(i * 7919 % 1000)
                    .toUtf8();
    data.truncate(data.size() / 100 * 100);
    return data;
}

struct FormatCase {
    const char *name;
    std::function<QByteArray(QByteArrayView)> make;
    const char *description;
};

void PrintTo(const FormatCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class DataFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(DataFormat, ReadsEveryRangeAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("szotar.dict.dz"));
    const QByteArray data = sampleData();
    dictd_fixture::writeFile(path, GetParam().make(data));

    auto opened = openDictData(path);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    DictData &dict = *opened.value();
    EXPECT_EQ(dict.size(), data.size());
    EXPECT_TRUE(dict.description().contains(QString::fromUtf8(GetParam().description)))
        << dict.description().toStdString();

    // Forwards, then backwards so the chunk cache is missed, in ranges that
    // start and end on every side of the chunk edges.
    std::vector<std::pair<qsizetype, qsizetype>> ranges;
    for (qsizetype offset = 0; offset < data.size(); offset += 37)
        ranges.push_back({offset, std::min<qsizetype>(113, data.size() - offset)});
    ranges.push_back({0, data.size()});
    ranges.push_back({data.size(), 0});
    const auto forward = ranges;
    ranges.insert(ranges.end(), forward.rbegin(), forward.rend());
    for (const auto &[offset, length] : ranges) {
        const auto bytes = dict.read(offset, length);
        ASSERT_TRUE(bytes.ok()) << offset << "+" << length << ": " << bytes.error().toStdString();
        ASSERT_EQ(bytes.value(), data.mid(offset, length)) << offset << "+" << length;
    }
}

TEST_P(DataFormat, RefusesRangesPastTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("szotar.dict"));
    const QByteArray data = sampleData();
    dictd_fixture::writeFile(path, GetParam().make(data));
    auto opened = openDictData(path);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    for (const auto &[offset, length] :
         std::vector<std::pair<std::int64_t, std::int64_t>>{{data.size() - 1, 2},
                                                            {data.size() + 1, 0},
                                                            {0, data.size() + 1},
                                                            {INT64_MAX, 1},
                                                            {1, INT64_MAX},
                                                            {-1, 1}}) {
        const auto bytes = opened.value()->read(offset, length);
        ASSERT_FALSE(bytes.ok()) << offset << "+" << length;
        EXPECT_TRUE(bytes.error().contains(QStringLiteral("túlnyúlik")))
            << bytes.error().toStdString();
    }
}

QByteArray makeDictzip(QByteArrayView data, dictd_fixture::DictzipOptions options)
{
    return dictd_fixture::dictzip(data, options);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, DataFormat,
    ::testing::Values(
        FormatCase{"Uncompressed", [](QByteArrayView d) { return d.toByteArray(); },
                   "tömörítetlen"},
        FormatCase{"Gzip", [](QByteArrayView d) { return dictd_fixture::gzip(d); },
                   "darabolás nélkül"},
        FormatCase{"GzipTwoMembers",
                   [](QByteArrayView d) {
                       return dictd_fixture::gzip(d.first(500)) +
                              dictd_fixture::gzip(d.sliced(500));
                   },
                   "darabolás nélkül"},
        FormatCase{"DictzipSmallChunks",
                   [](QByteArrayView d) { return makeDictzip(d, {.chunkLength = 7}); }, "dictzip"},
        FormatCase{"DictzipAllHeaderFields",
                   [](QByteArrayView d) {
                       return makeDictzip(d, {.chunkLength = 64,
                                              .withName = true,
                                              .withComment = true,
                                              .withHeaderCrc = true});
                   },
                   "× 64 bájt"},
        FormatCase{"DictzipOneChunk",
                   [](QByteArrayView d) { return makeDictzip(d, {.chunkLength = 60000}); },
                   "1 darab"},
        FormatCase{"DictzipFinishedInLastChunk",
                   [](QByteArrayView d) {
                       return makeDictzip(d, {.chunkLength = 64, .finishInLastChunk = true});
                   },
                   "dictzip"},
        FormatCase{"DictzipExactMultiple",
                   [](QByteArrayView d) { return makeDictzip(d, {.chunkLength = 50}); },
                   "dictzip"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DataFormat, DictzipRangeSpanningManyChunks)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.dict.dz"));
    const QByteArray data = sampleData();
    dictd_fixture::writeFile(path, dictd_fixture::dictzip(data, {.chunkLength = 5}));
    auto opened = openDictData(path);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    const auto bytes = opened.value()->read(3, 500);
    ASSERT_TRUE(bytes.ok()) << bytes.error().toStdString();
    EXPECT_EQ(bytes.value(), data.mid(3, 500));
}

// Offsets in the fixture's dictzip header.
constexpr int kRaVersion = 16;
constexpr int kRaChunkCount = 20;
constexpr int kRaFirstSize = 22;

struct DamageCase {
    const char *name;
    bool dictzip; // damage a dictzip file, else a plain gzip file
    std::function<void(QByteArray &)> damage;
    const char *expected; // part of the message
};

void PrintTo(const DamageCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class DamagedData : public ::testing::TestWithParam<DamageCase> {};

// Opens and reads everything; returns the first failure's message.
QString firstFailure(const QString &path, qsizetype size)
{
    auto opened = openDictData(path);
    if (!opened)
        return opened.error();
    const auto bytes =
        opened.value()->read(0, std::min<std::int64_t>(size, opened.value()->size()));
    return bytes.ok() ? QString() : bytes.error();
}

TEST_P(DamagedData, FailsWithAClearMessage)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sérült.dict.dz"));
    const QByteArray data = sampleData();
    QByteArray file = GetParam().dictzip ? dictd_fixture::dictzip(data, {.chunkLength = 64})
                                         : dictd_fixture::gzip(data);
    GetParam().damage(file);
    dictd_fixture::writeFile(path, file);
    const QString message = firstFailure(path, data.size());
    EXPECT_TRUE(message.contains(QString::fromUtf8(GetParam().expected)))
        << "message: " << message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedData,
    ::testing::Values(
        DamageCase{"DictzipTruncatedAtEnd", true, [](QByteArray &f) { f.chop(5); },
                   "csonka állomány"},
        DamageCase{"DictzipTruncatedInHalf", true, [](QByteArray &f) { f.truncate(f.size() / 2); },
                   "csonka állomány"},
        DamageCase{"DictzipTrailerCut", true, [](QByteArray &f) { f.chop(2); }, "gzip-zárás"},
        DamageCase{"DictzipHeaderOnly", true, [](QByteArray &f) { f.truncate(11); },
                   "csonka gzip-fejléc"},
        DamageCase{"DictzipRaTableCut", true, [](QByteArray &f) { f.truncate(kRaFirstSize + 3); },
                   "csonka gzip-fejléc"},
        DamageCase{"RaUnknownVersion", true, [](QByteArray &f) { f[kRaVersion] = 2; },
                   "ismeretlen RA-változat"},
        DamageCase{"RaMoreChunksThanListed", true,
                   [](QByteArray &f) { f[kRaChunkCount + 1] = char(0x7f); }, "a darabtábla csonka"},
        DamageCase{"RaChunkSizeTooLarge", true,
                   [](QByteArray &f) { f[kRaFirstSize + 1] = char(0x70); }, "csonka állomány"},
        DamageCase{"CorruptChunk", true,
                   [](QByteArray &f) {
                       for (int i = 0; i < 30; ++i)
                           f[kRaFirstSize + 60 + 200 + i] = char(0xff);
                   },
                   "darab"},
        DamageCase{"NotDeflate", true, [](QByteArray &f) { f[2] = 7; },
                   "ismeretlen tömörítési mód"},
        DamageCase{"GzipTruncated", false, [](QByteArray &f) { f.chop(40); },
                   "csonka gzip-adatfolyam"},
        DamageCase{"GzipBadCrc", false,
                   [](QByteArray &f) { f[f.size() - 6] = char(f[f.size() - 6] ^ 0x55); },
                   "hibás tömörített adat"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DamagedData, OpenFailuresNameTheFile)
{
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("nincs.dict.dz"));
    auto opened = openDictData(missing);
    ASSERT_FALSE(opened.ok());
    EXPECT_TRUE(opened.error().startsWith(QStringLiteral("Az adatállomány nem nyitható meg")));
    EXPECT_TRUE(opened.error().contains(missing));

    const QString truncated = dir.filePath(QStringLiteral("csonka.dict.dz"));
    QByteArray file = dictd_fixture::dictzip(sampleData());
    file.chop(100);
    dictd_fixture::writeFile(truncated, file);
    opened = openDictData(truncated);
    ASSERT_FALSE(opened.ok());
    EXPECT_TRUE(opened.error().startsWith(QStringLiteral("Sérült adatállomány: ") + truncated))
        << opened.error().toStdString();
}

} // namespace

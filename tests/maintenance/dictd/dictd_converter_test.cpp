// The conversion of a dictd dictionary into a dictionary table, end to end
// through the table engine.
#include "dictd_fixture.h"
#include "maintenance/dictd/dictd_converter.h"
#include "maintenance/dictd/dictd_reader.h"
#include "maintenance/dictd/stored_text.h"
#include "sample_dictionary.h"
#include "store/engine/collation.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <sys/stat.h>

#include <functional>

using namespace dictd;
using sample_dictionary::Pair;

namespace {

using velkor_test::readPairs;

// Input files in their own folder, the output in another, so that a test
// can check the output folder holds nothing but the result.
class Conversion : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("in")));
        ASSERT_TRUE(QDir(m_dir.path()).mkdir(QStringLiteral("out")));
        m_options.indexPath = in(QStringLiteral("proba.index"));
        m_options.dictPath = in(QStringLiteral("proba.dict.dz"));
        m_options.outputPath = out(QStringLiteral("Angol_Magyar.DB"));
        m_options.repairHungarianTarget = true;
    }

    QString in(const QString &name) const { return m_dir.filePath(QStringLiteral("in/") + name); }
    QString out(const QString &name) const { return m_dir.filePath(QStringLiteral("out/") + name); }
    QStringList outputFolder() const
    {
        return QDir(m_dir.filePath(QStringLiteral("out")))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    void writeSample(const std::function<QByteArray(QByteArrayView)> &pack,
                     dictd_fixture::IndexOrder order = dictd_fixture::IndexOrder::AsData)
    {
        const auto dictionary = dictd_fixture::build(sample_dictionary::entries(), order);
        dictd_fixture::writeFile(m_options.indexPath, dictionary.index);
        dictd_fixture::writeFile(m_options.dictPath, pack(dictionary.data));
    }

    QTemporaryDir m_dir;
    ConvertOptions m_options;
};

QByteArray smallChunks(QByteArrayView data)
{
    return dictd_fixture::dictzip(data, {.chunkLength = 32});
}

struct PackCase {
    const char *name;
    std::function<QByteArray(QByteArrayView)> pack;
    dictd_fixture::IndexOrder order = dictd_fixture::IndexOrder::AsData;
};

QByteArray gzipped(QByteArrayView data)
{
    return dictd_fixture::gzip(data);
}

QByteArray uncompressed(QByteArrayView data)
{
    return data.toByteArray();
}

void PrintTo(const PackCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class ConversionOfFormat : public Conversion, public ::testing::WithParamInterface<PackCase> {};

// An index sorted otherwise than its data gives the rows of the data's
// order, as the same data indexed in order does.
TEST_P(ConversionOfFormat, WritesTheExpectedRowsAndFigures)
{
    writeSample(GetParam().pack, GetParam().order);
    const auto report = convertDictd(m_options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();

    EXPECT_EQ(readPairs(m_options.outputPath), sample_dictionary::expectedRows());
    const ConvertReport &r = report.value();
    EXPECT_EQ(r.sourceField, QStringLiteral("Angol"));
    EXPECT_EQ(r.targetField, QStringLiteral("Magyar"));
    EXPECT_EQ(r.indexEntries, sample_dictionary::kIndexEntries);
    EXPECT_EQ(r.infoEntries, sample_dictionary::kInfoEntries);
    EXPECT_EQ(r.translations, sample_dictionary::kTranslations);
    EXPECT_EQ(r.rowsWritten, std::int64_t(sample_dictionary::expectedRows().size()));
    EXPECT_EQ(r.duplicatesSkipped, sample_dictionary::kDuplicates);
    EXPECT_EQ(r.emptySkipped, sample_dictionary::kEmpty);
    EXPECT_EQ(r.textsCut, sample_dictionary::kCut);
    EXPECT_EQ(r.textsRepaired, sample_dictionary::kRepaired);
    EXPECT_EQ(outputFolder(), QStringList{QStringLiteral("Angol_Magyar.DB")});
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ConversionOfFormat,
    ::testing::Values(PackCase{"DictzipManyChunks", &smallChunks}, PackCase{"Gzip", &gzipped},
                      PackCase{"Uncompressed", &uncompressed},
                      PackCase{"DictzipManyChunksUnsortedIndex", &smallChunks,
                               dictd_fixture::IndexOrder::Headwords},
                      PackCase{"GzipUnsortedIndex", &gzipped, dictd_fixture::IndexOrder::Headwords},
                      PackCase{"UncompressedUnsortedIndex", &uncompressed,
                               dictd_fixture::IndexOrder::Headwords}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Conversion, TableHasTheProgramsFieldsAndIndexes)
{
    writeSample(&smallChunks);
    m_options.outputPath = out(QStringLiteral("Magyar_Angol.DB"));
    ASSERT_TRUE(convertDictd(m_options).ok());
    store::Session session;
    store::Table table(session);
    velkor_test::bindTable(table, m_options.outputPath);
    table.open();
    EXPECT_EQ(table.columnNames(), (QStringList{QStringLiteral("Azon"), QStringLiteral("Magyar"),
                                                QStringLiteral("Angol")}));
    QStringList indexes = table.indexNames();
    indexes.sort();
    EXPECT_EQ(indexes, (QStringList{QStringLiteral("Angol"), QStringLiteral("Magyar")}));
    // The headwords went into the first field, whatever its name.
    EXPECT_EQ(table.rowAt(0, {QStringLiteral("Magyar")}).values,
              QStringList{QStringLiteral("apple")});
    // The secondary indexes order case-insensitively.
    table.setIndexFieldNames(QStringLiteral("Magyar"));
    EXPECT_TRUE(table.locate(QStringLiteral("Magyar"), QStringLiteral("ÄRGER"),
                             store::LocateOption::CaseInsensitive));
}

TEST_F(Conversion, WithoutRepairTheHungarianSideKeepsItsCircumflexes)
{
    writeSample(&smallChunks);
    m_options.repairHungarianTarget = false;
    const auto report = convertDictd(m_options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    const auto rows = readPairs(m_options.outputPath);
    EXPECT_NE(
        std::find(rows.begin(), rows.end(), Pair{QStringLiteral("fire"), QStringLiteral("tûz")}),
        rows.end());
    EXPECT_NE(
        std::find(rows.begin(), rows.end(), Pair{QStringLiteral("forest"), QStringLiteral("erdô")}),
        rows.end());
    // "TÛZ" lower-cases by LowerHungarian to "tÛz", which the table takes
    // for "tûz": still one row.
    EXPECT_EQ(report->rowsWritten, std::int64_t(sample_dictionary::expectedRows().size()));
    EXPECT_EQ(report->textsRepaired, 0);
}

// The program's own one-pair import: a locate per pair, an append when the
// table holds no equal row. The converter's result must not differ from it.
std::vector<Pair> referenceImport(const QString &directory, const ConvertOptions &options)
{
    const QString file = QDir(directory).filePath(QStringLiteral("Angol_Magyar.DB"));
    velkor_test::makeDictionary(file);
    store::Session session;
    store::Table table(session);
    velkor_test::bindTable(table, file);
    store::Field *source = table.addField(QStringLiteral("Angol"));
    store::Field *target = table.addField(QStringLiteral("Magyar"));
    table.open();
    table.setIndexFieldNames(QStringLiteral("Angol"));
    auto reader = DictdReader::open(options.indexPath, options.dictPath);
    EXPECT_TRUE(reader.ok());
    const Status walked = reader->forEachEntry([&](const DictdEntry &entry) {
        const QString s = storedText(entry.headword, false);
        for (const QString &translation : entry.translations) {
            const QString t = storedText(translation, options.repairHungarianTarget);
            if (s.isEmpty() || t.isEmpty())
                continue;
            if (table.locate(QStringLiteral("Angol;Magyar"), QStringList{s, t},
                             store::LocateOption::CaseInsensitive))
                continue;
            table.append();
            source->setAsString(s);
            target->setAsString(t);
            table.post();
        }
    });
    EXPECT_TRUE(walked.ok());
    table.close();
    return readPairs(file);
}

TEST_F(Conversion, EqualsTheOnePairImport)
{
    writeSample(&smallChunks);
    for (const bool repair : {true, false}) {
        m_options.repairHungarianTarget = repair;
        m_options.overwrite = true;
        ASSERT_TRUE(convertDictd(m_options).ok());
        QTemporaryDir reference;
        EXPECT_EQ(readPairs(m_options.outputPath), referenceImport(reference.path(), m_options))
            << "repair " << repair;
    }
}

// Entries whose later pairs repeat, in other letter cases, pairs written
// thousands of rows before, and repeat within the entry too.
std::vector<dictd_fixture::Entry> longStream()
{
    std::vector<dictd_fixture::Entry> entries;
    constexpr int kEntries = 4000;
    for (int n = 0; n < kEntries; ++n) {
        const int first = n < kEntries / 2 ? n : n - kEntries / 2;
        const QString headword = n < kEntries / 2 ? QStringLiteral("word%1").arg(first)
                                                  : QStringLiteral("Word%1").arg(first);
        QString text = headword + QStringLiteral("\n");
        const QStringList translations{
            QStringLiteral("szó%1").arg(first), QStringLiteral("SZÓ%1").arg(first),
            QStringLiteral("kifejezés%1").arg(n), QStringLiteral("Ärger%1").arg(first % 50)};
        for (int i = 0; i < translations.size(); ++i)
            text += QStringLiteral("%1. %2\n").arg(i + 1).arg(translations[i]);
        entries.push_back({headword.toLower(), text});
    }
    return entries;
}

std::vector<std::int32_t> tableKeys(const QString &path)
{
    std::vector<std::int32_t> keys;
    for (const store::RowValues &row : velkor_test::readRows(path))
        keys.push_back(row.azon);
    return keys;
}

TEST_F(Conversion, DuplicatesFarApartInTheStreamAreJudgedAsByTheOnePairImport)
{
    const auto dictionary = dictd_fixture::build(longStream());
    dictd_fixture::writeFile(m_options.indexPath, dictionary.index);
    dictd_fixture::writeFile(m_options.dictPath, smallChunks(dictionary.data));
    const auto report = convertDictd(m_options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();

    QTemporaryDir reference;
    const auto expected = referenceImport(reference.path(), m_options);
    EXPECT_EQ(readPairs(m_options.outputPath), expected);
    EXPECT_EQ(report->rowsWritten, std::int64_t(expected.size()));
    EXPECT_EQ(report->rowsWritten + report->duplicatesSkipped, report->translations);
    // Keys run on without a gap, in the order of the rows, from the one
    // the table engine gives a first row.
    const auto keys = tableKeys(m_options.outputPath);
    const auto referenceKeys =
        tableKeys(QDir(reference.path()).filePath(QStringLiteral("Angol_Magyar.DB")));
    EXPECT_EQ(keys, referenceKeys);
}

TEST_F(Conversion, OverwriteReplacesAnExistingTable)
{
    writeSample(&smallChunks);
    dictd_fixture::writeFile(m_options.outputPath, "régi tartalom");
    auto report = convertDictd(m_options);
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.error().contains(QStringLiteral("már létezik")))
        << report.error().toStdString();
    QFile old(m_options.outputPath);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("régi tartalom"));
    old.close();

    m_options.overwrite = true;
    report = convertDictd(m_options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(readPairs(m_options.outputPath), sample_dictionary::expectedRows());
    EXPECT_EQ(outputFolder(), QStringList{QStringLiteral("Angol_Magyar.DB")});
}

// A killed writer's log left beside the output name must not be replayed
// into the new table: the converted table is whole and holds exactly its rows.
TEST_F(Conversion, StaleWriteAheadLogDoesNotCorruptTheConvertedTable)
{
    writeSample(&smallChunks);
    const QString old = in(QStringLiteral("Regi_Tabla.DB"));
    velkor_test::makeDictionary(old, QStringLiteral("Regi"), QStringLiteral("Tabla"));
    sqlite3 *writer = nullptr;
    ASSERT_EQ(sqlite3_open(old.toUtf8().constData(), &writer), SQLITE_OK);
    store::collation::registerWith(writer);
    ASSERT_EQ(sqlite3_exec(writer,
                           "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n "
                           "WHERE i<500) INSERT INTO Regi_Tabla(Regi, Tabla) "
                           "SELECT 'régi'||i, 'old'||i FROM n",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    for (const char *suffix : {"-wal", "-shm"}) {
        QFile from(old + QLatin1String(suffix));
        ASSERT_TRUE(from.open(QIODevice::ReadOnly));
        dictd_fixture::writeFile(m_options.outputPath + QLatin1String(suffix), from.readAll());
    }
    sqlite3_close(writer);

    const auto report = convertDictd(m_options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    EXPECT_EQ(readPairs(m_options.outputPath), sample_dictionary::expectedRows());
    sqlite3 *probe = nullptr;
    ASSERT_EQ(sqlite3_open_v2(m_options.outputPath.toUtf8().constData(), &probe,
                              SQLITE_OPEN_READONLY, nullptr),
              SQLITE_OK);
    store::collation::registerWith(probe);
    sqlite3_stmt *check = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(probe, "PRAGMA integrity_check", -1, &check, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(check), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char *>(sqlite3_column_text(check, 0)), "ok");
    sqlite3_finalize(check);
    sqlite3_close(probe);
}

struct FailureCase {
    const char *name;
    // Breaks the written sample or the options.
    std::function<void(ConvertOptions &)> breakIt;
    const char *expected; // part of the message
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class FailedConversion : public Conversion, public ::testing::WithParamInterface<FailureCase> {};

// The message, and that nothing was left in the output folder.
TEST_P(FailedConversion, ReportsAndLeavesNoTable)
{
    writeSample(&smallChunks);
    GetParam().breakIt(m_options);
    const auto report = convertDictd(m_options);
    ASSERT_FALSE(report.ok());
    EXPECT_TRUE(report.error().contains(QString::fromUtf8(GetParam().expected)))
        << report.error().toStdString();
    EXPECT_EQ(outputFolder(), QStringList());
}

void rewrite(const QString &path, const std::function<void(QByteArray &)> &change)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    change(bytes);
    dictd_fixture::writeFile(path, bytes);
}

// An index line added after all good ones, so rows are being written when
// the fault is met.
void appendIndexLine(ConvertOptions &o, const QByteArray &line)
{
    rewrite(o.indexPath, [&](QByteArray &b) { b += line; });
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FailedConversion,
    ::testing::Values(
        FailureCase{"MissingIndex", [](ConvertOptions &o) { QFile::remove(o.indexPath); },
                    "Az indexállomány nem nyitható meg"},
        FailureCase{"MissingData", [](ConvertOptions &o) { QFile::remove(o.dictPath); },
                    "Az adatállomány nem nyitható meg"},
        FailureCase{
            "EmptyIndex",
            [](ConvertOptions &o) { rewrite(o.indexPath, [](QByteArray &b) { b.clear(); }); },
            "Az indexállomány üres"},
        FailureCase{
            "TruncatedDictzip",
            [](ConvertOptions &o) { rewrite(o.dictPath, [](QByteArray &b) { b.chop(20); }); },
            "Sérült adatállomány"},
        FailureCase{"BadBase64Offset",
                    [](ConvertOptions &o) { appendIndexLine(o, "zulu\tA.B\tC\n"); },
                    "16. sor: érvénytelen kezdőcím: „A.B”"},
        FailureCase{"OffsetBeyondData",
                    [](ConvertOptions &o) { appendIndexLine(o, "zulu\tBAAA\tC\n"); },
                    "„zulu” szócikk (index 16. sor) nem olvasható"},
        FailureCase{"LengthBeyondData",
                    [](ConvertOptions &o) { appendIndexLine(o, "zulu\tA\tBAAA\n"); },
                    "túlnyúlik az adat végén"},
        FailureCase{"EntryAbsurdlyLong",
                    [](ConvertOptions &o) { appendIndexLine(o, "zulu\tA\tBAAAAA\n"); },
                    "hossza túl nagy: 1073741824 bájt"},
        FailureCase{"EntryNotUtf8",
                    [](ConvertOptions &o) {
                        const auto d = dictd_fixture::build(sample_dictionary::entries());
                        dictd_fixture::writeFile(
                            o.dictPath, dictd_fixture::dictzip(d.data + "r\xf4le\nszerep\n"));
                        appendIndexLine(o, "role\t" + dictd_fixture::indexNumber(d.data.size()) +
                                               "\tM\n");
                    },
                    "nem érvényes UTF-8"},
        // A named pipe would block the reader until a writer came; a device
        // would never end.
        FailureCase{"IndexIsANamedPipe",
                    [](ConvertOptions &o) {
                        o.indexPath += QStringLiteral(".fifo");
                        ASSERT_EQ(mkfifo(QFile::encodeName(o.indexPath).constData(), 0600), 0);
                    },
                    "nem fájl, hanem csővezeték (FIFO)"},
        FailureCase{"DataIsADevice",
                    [](ConvertOptions &o) { o.dictPath = QStringLiteral("/dev/zero"); },
                    "nem fájl, hanem eszköz"},
        // Crafted: index lines sliding over data that inflates from almost
        // nothing, each asking for a megabyte of it.
        FailureCase{"IndexRepeatingHugeRanges",
                    [](ConvertOptions &o) {
                        const QByteArray data = (QByteArray(999, 'a') + '\n').repeated(4096);
                        dictd_fixture::writeFile(
                            o.dictPath, dictd_fixture::dictzip(data, {.chunkLength = 60000}));
                        QByteArray index;
                        for (int i = 0; i < 2000; ++i)
                            index += "a\t" + dictd_fixture::indexNumber(i * 1000) + "\tEAAA\n";
                        dictd_fixture::writeFile(o.indexPath, index);
                    },
                    "újra meg újra ugyanazokra az adatokra mutat"},
        FailureCase{"OutputNameWithoutLanguages",
                    [](ConvertOptions &o) {
                        o.outputPath =
                            QFileInfo(o.outputPath).absolutePath() + QStringLiteral("/szotar.DB");
                    },
                    "Elso_Masodik.DB"},
        FailureCase{"OutputFolderMissing",
                    [](ConvertOptions &o) {
                        o.outputPath = QFileInfo(o.outputPath).absolutePath() +
                                       QStringLiteral("/nincs/Angol_Magyar.DB");
                    },
                    "A kimeneti könyvtár nem létezik"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

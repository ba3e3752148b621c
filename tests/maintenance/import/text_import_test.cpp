// The tab-separated text import: the line rules, the duplicate test, the
// temporary index, the refusals and the failures in the middle.
#include "maintenance/import/text_import.h"
#include "maintenance/import/text_line_reader.h"
#include "platform/text/formatthousands.h"
#include "support/dictionary_fixture.h"
#include "support/fail_device.h"
#include "support/failing_vfs.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QBuffer>
#include <QFile>

#include <sys/resource.h>

#include <algorithm>
#include <set>

using namespace Qt::StringLiterals;

namespace {

using Pairs = std::set<std::pair<QString, QString>>;

// A dictionary with its table open, as the maintenance panel finds it.
class TextImportTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionary();
        openTable();
    }

    void openTable()
    {
        table = makeTable();
        table->open();
    }

    // The same dictionary opened for reading only, as a file the user may
    // not write is.
    void reopenReadOnly()
    {
        table.reset();
        session.setReadOnly(true);
        openTable();
    }

    dictimport::ImportTarget target()
    {
        return {*table, *table->findField(u"Angol"_s), *table->findField(u"Magyar"_s)};
    }

    QString writeText(const QByteArray &bytes, const QString &name = u"szavak.txt"_s)
    {
        const QString file = path(name);
        QFile out(file);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return file;
    }

    platform::Result<dictimport::TextImportReport> import(const QString &file)
    {
        return dictimport::ImportTextFile(target(), file, prompts);
    }

    Pairs stored()
    {
        Pairs pairs;
        table->first();
        while (!table->eof()) {
            pairs.emplace(source(*table), DictionaryFixture::target(*table));
            table->next();
        }
        return pairs;
    }

    std::unique_ptr<store::Table> table;
    ScriptedPrompts prompts;
};

// --- Counters of the progress lines.

struct Thousands {
    qint64 value;
    const char16_t *text;
};

class FormatThousandsTest : public ::testing::TestWithParam<Thousands> {};

TEST_P(FormatThousandsTest, GroupsDigitsByThreeWithSpaces)
{
    EXPECT_EQ(FormatThousands(GetParam().value), QString::fromUtf16(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Values, FormatThousandsTest,
                         ::testing::Values(Thousands{0, u"0"}, Thousands{999, u"999"},
                                           Thousands{1000, u"1 000"},
                                           Thousands{1234567, u"1 234 567"},
                                           Thousands{-12345, u"-12 345"}, Thousands{-999, u"-999"},
                                           Thousands{100000, u"100 000"},
                                           Thousands{INT64_MIN, u"-9 223 372 036 854 775 808"},
                                           Thousands{INT64_MAX, u"9 223 372 036 854 775 807"}),
                         [](const auto &info) { return velkor_test::caseName(info.param.value); });

// --- What a file's lines become.

struct LineCase {
    const char *name;
    QByteArray bytes;
    Pairs expected;
};

class ImportLinesTest : public TextImportTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(ImportLinesTest, StoresTheTrimmedLowerCasedPairsOfTheLines)
{
    const auto imported = import(writeText(GetParam().bytes));
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(stored(), GetParam().expected);
    EXPECT_EQ(prompts.log().last(), u"finish: Feltöltés kész"_s);
}

const QByteArray kLongBlankTarget =
    "x\t" + QByteArray(1000, ' ') + "y\r\n" + "z\t" + QByteArray(999, ' ') + "y\r\n";

INSTANTIATE_TEST_SUITE_P(
    Lines, ImportLinesTest,
    ::testing::Values(
        LineCase{"empty_file", "", {}},
        LineCase{
            "letter_case_collapses", "Apple\tAlma\r\napple\talma\r\n", {{u"apple"_s, u"alma"_s}}},
        LineCase{"inner_tab_belongs_to_the_target",
                 "to go\tmegy\tj\xE1r\r\n",
                 {{u"to go"_s, u"megy\tjár"_s}}},
        LineCase{"empty_sides_and_lines_without_tab_are_skipped",
                 "\talma\r\nalma\t   \r\nno tab here\r\n\r\nk\xF6rte\tpear\r\n",
                 {{u"körte"_s, u"pear"_s}}},
        LineCase{"blanks_and_controls_are_trimmed",
                 "  Apple \x01\t\x02 Alma  \r\n",
                 {{u"apple"_s, u"alma"_s}}},
        LineCase{
            "lf_only_and_no_final_line_end", "a\tb\nc\td", {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}}},
        LineCase{"cr_only_ends_the_text_up_to_the_next_lf",
                 "a\tb\rc\td\rE\tF\ng\th\r\n",
                 {{u"a"_s, u"b"_s}, {u"g"_s, u"h"_s}}},
        LineCase{"ctrl_z_between_lines_ends_the_file",
                 "a\tb\r\n\x1a"
                 "c\td\r\n",
                 {{u"a"_s, u"b"_s}}},
        LineCase{"ctrl_z_inside_a_line_ends_the_file",
                 "a\tb\x1a"
                 "c\r\nd\te\r\n",
                 {{u"a"_s, u"b"_s}}},
        LineCase{"windows_1250_hungarian_capitals",
                 "\xD5SZ\t\xC9G\r\n\xC4RGER\tbaj\r\n",
                 {{u"ősz"_s, u"ég"_s}, {u"Ärger"_s, u"baj"_s}}},
        LineCase{"utf8_with_mark", "\xEF\xBB\xBF\xC5\x90SZ\tautumn\r\n", {{u"ősz"_s, u"autumn"_s}}},
        LineCase{"utf8_without_mark", "\xC5\x91sz\t\xC3\xA9g\n", {{u"ősz"_s, u"ég"_s}}},
        LineCase{"invalid_utf8_reads_as_windows_1250",
                 "\xF5sz\tautumn\r\n\xC3\xA9g\tsky\r\n",
                 {{u"ősz"_s, u"autumn"_s}, {u"Ă©g"_s, u"sky"_s}}},
        LineCase{"unassigned_windows_1250_byte_is_kept", "a\x81\tb\r\n", {{u"a\u0081"_s, u"b"_s}}},
        LineCase{"target_cut_to_1000_before_trimming", kLongBlankTarget, {{u"z"_s, u"y"_s}}},
        // The bytes after a Ctrl+Z used to decide the encoding.
        LineCase{"encoding_is_decided_by_the_bytes_before_ctrl_z",
                 "k\xC3\xA9s\tknife\r\n\x1a\xFF\xFE",
                 {{u"kés"_s, u"knife"_s}}},
        // Every line after the first used to be lost.
        LineCase{"cr_only_file_is_read_as_cr_separated_lines",
                 "a\tb\rc\td\r\xE9\t\xE1\r",
                 {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}, {u"é"_s, u"á"_s}}},
        LineCase{
            "cr_only_file_without_a_last_cr", "a\tb\rc\td", {{u"a"_s, u"b"_s}, {u"c"_s, u"d"_s}}},
        // The mark used to be glued to the first source text.
        LineCase{"mark_before_windows_1250_is_dropped",
                 "\xEF\xBB\xBF"
                 "apple\t\xE1lma\r\n",
                 {{u"apple"_s, u"álma"_s}}},
        LineCase{"mark_alone_on_the_first_line", "\xEF\xBB\xBF\r\na\tb\r\n", {{u"a"_s, u"b"_s}}},
        // A decomposed accent used to add a second pair that looks the same.
        LineCase{"decomposed_accents_are_composed",
                 "ke\xCC\x81s\tknife\r\nk\xC3\xA9s\tknife\r\n",
                 {{u"kés"_s, u"knife"_s}}}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Text dropped after a lone CR is counted for the warning.

struct CrCutCase {
    const char *name;
    QByteArray bytes;
    qint64 cutAtCr;
};

class CrCutTest : public TextImportTest, public ::testing::WithParamInterface<CrCutCase> {};

TEST_P(CrCutTest, LinesThatLoseTextAfterALoneCrAreCounted)
{
    const auto imported = import(writeText(GetParam().bytes));
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(imported->linesCutAtCr, GetParam().cutAtCr);
    EXPECT_EQ(dictimport::ImportWarnings(*imported).contains(u"CR"_s), GetParam().cutAtCr > 0)
        << dictimport::ImportWarnings(*imported).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Lines, CrCutTest,
    ::testing::Values(CrCutCase{"cr_lf_only", "a\tb\r\nc\td\r\n", 0},
                      CrCutCase{"text_after_a_lone_cr", "a\tb\rc\td\r\nE\tF\rG\nx\ty\r\n", 2},
                      CrCutCase{"only_crs_before_the_lf", "a\tb\r\r\r\n", 0},
                      CrCutCase{"lone_cr_in_the_last_line", "a\tb\r\nc\td\re", 1},
                      CrCutCase{"cr_only_file_loses_nothing", "a\tb\rc\td\r", 0}),
    [](const auto &info) { return std::string(info.param.name); });

// --- The duplicate test.

TEST_F(TextImportTest, PairsTheDictionaryHoldsInAnyLetterCaseAreNotAddedAgain)
{
    // Ä is no Hungarian capital: lower-casing leaves it, the comparison does not.
    addAll(*table, {{u"Apple"_s, u"ALMA"_s}, {u"ÄRGER"_s, u"baj"_s}});
    const auto imported = import(writeText("apple\talma\r\napple\tm\xE1s\r\n\xE4rger\tBAJ\r\n"));
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(imported->added, 1);
    EXPECT_EQ(imported->present, 2);
    EXPECT_EQ(stored(),
              (Pairs{{u"Apple"_s, u"ALMA"_s}, {u"ÄRGER"_s, u"baj"_s}, {u"apple"_s, u"más"_s}}));
}

// A text longer than its column is stored cut; the next import must find the
// cut entry instead of appending the pair once more.
TEST_F(TextImportTest, OverLongPairIsFoundAgainByTheNextImport)
{
    const QByteArray longSource(70, 'a');
    const QByteArray longTarget(60, 'b');
    const QString file = writeText(longSource + "\t" + longTarget + "\r\n");
    ASSERT_TRUE(import(file).ok());
    const auto again = import(file);
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again->added, 0);
    EXPECT_EQ(stored(), (Pairs{{QString(50, u'a'), QString(50, u'b')}}));
}

TEST_F(TextImportTest, ProgressLinesShowEveryHundredthLineWithAPair)
{
    QByteArray bytes;
    for (int n = 1; n <= 250; ++n)
        bytes += n == 200 ? QByteArray("no tab\r\n") : "w" + QByteArray::number(n) + "\tx\r\n";
    QStringList shown;
    const auto imported = dictimport::ImportTextFile(
        target(), writeText(bytes), prompts, {},
        [&](const QString &text, const QString &counter) { shown << text + u'|' + counter; });
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(shown, QStringList{u"w100|100"_s});
    EXPECT_EQ(imported->lines, 250);
    EXPECT_EQ(imported->added, 249);
}

TEST_F(TextImportTest, LeavesTheIndexesAsTheyWereAndTheTableOpenInSourceOrder)
{
    const QStringList before = table->indexNames();
    const auto imported = import(writeText("a\tb\r\n"));
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(table->indexNames(), before);
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->indexFieldNames(), u"Angol"_s);
    EXPECT_EQ(prompts.log(), (QStringList{u"busy: Feltöltés folyamatban.\nVárj türelemmel..."_s,
                                          u"finish: Feltöltés kész"_s}));
}

// An import killed before its clean-up leaves the index behind.
TEST_F(TextImportTest, LeftoverTemporaryIndexIsDroppedBeforeTheNextImport)
{
    table->close();
    table->addIndex(u"AM"_s, u"Angol;Magyar"_s);
    table->open();
    const auto imported = import(writeText("a\tb\r\n"));
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(stored(), (Pairs{{u"a"_s, u"b"_s}}));
    EXPECT_FALSE(table->indexNames().contains(u"AM"_s));
}

// Reading keeps at most one piece and one cut line in memory.
TEST_F(TextImportTest, HundredMegabyteLineWithoutBreakIsCutAndReadInBoundedMemory)
{
    const QString file = path(u"egy_sor.txt"_s);
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("Hossz\t");
        const QByteArray piece(1024 * 1024, 'x');
        for (int i = 0; i < 100; ++i)
            ASSERT_EQ(out.write(piece), piece.size());
    }
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto imported = import(file);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    ASSERT_TRUE(imported.ok()) << imported.error().toStdString();
    EXPECT_EQ(imported->linesCut, 1);
    EXPECT_EQ(stored(), (Pairs{{u"hossz"_s, QString(50, u'x')}}));
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 40 * 1024) << "kilobytes more at the peak";
}

// --- Refusals: nothing changes.

class ImportRefusalTest;

struct Refusal {
    const char *name;
    std::function<QString(ImportRefusalTest &)> prepare; // returns the file to import
    const char16_t *messagePart;
};

class ImportRefusalTest : public TextImportTest, public ::testing::WithParamInterface<Refusal> {
public:
    using TextImportTest::path;
    using TextImportTest::reopenReadOnly;
    using TextImportTest::writeText;
};

TEST_P(ImportRefusalTest, IsRefusedWithAMessageBeforeAnythingChanges)
{
    addAll(*table, {{u"meglévő"_s, u"existing"_s}});
    const QString file = GetParam().prepare(*this);
    if (!table->isOpen())
        table->open();
    const auto imported = import(file);
    ASSERT_FALSE(imported.ok());
    EXPECT_TRUE(imported.error().contains(QString::fromUtf16(GetParam().messagePart)))
        << imported.error().toStdString();
    EXPECT_TRUE(prompts.log().isEmpty()) << "no busy notice for a refusal";
    EXPECT_EQ(stored(), (Pairs{{u"meglévő"_s, u"existing"_s}}));
    EXPECT_FALSE(table->indexNames().contains(u"AM"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ImportRefusalTest,
    ::testing::Values(
        Refusal{"missing_file", [](auto &t) { return t.path(u"nincs.txt"_s); }, u"nem található"},
        Refusal{"folder",
                [](auto &t) {
                    QDir().mkpath(t.path(u"mappa.txt"_s));
                    return t.path(u"mappa.txt"_s);
                },
                u"mappa"},
        Refusal{"binary_file",
                [](auto &t) { return t.writeText(QByteArray("PK\x03\x04\0\0a\tb\r\n", 12)); },
                u"nem szövegfájl"},
        // Only the first piece used to be looked at.
        Refusal{"nul_byte_after_the_first_piece",
                [](auto &t) {
                    QByteArray bytes;
                    while (bytes.size() <= dictimport::TextLineReader::kPieceBytes)
                        bytes += "word\tsz\xF3\r\n";
                    return t.writeText(bytes + QByteArray("a\0b\tc\r\n", 8));
                },
                u"nem szövegfájl"},
        Refusal{"read_only_dictionary",
                [](auto &t) {
                    t.reopenReadOnly();
                    return t.writeText("a\tb\r\n");
                },
                u"csak olvasható"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Failures in the middle: the busy notice goes, the table stays open
// without the temporary index, and what was committed before stays.

TEST_F(TextImportTest, FileThatFailsToReadMidwayKeepsThePairsBeforeIt)
{
    QByteArray bytes;
    for (int n = 0; n < 20000; ++n)
        bytes += "w" + QByteArray::number(n) + "\tx\r\n";
    const QString file = writeText(bytes);
    const FailingFiles files(bytes.size() / 2, -1);
    const auto imported = dictimport::ImportTextFile(target(), file, prompts, {}, {}, files);
    ASSERT_FALSE(imported.ok());
    EXPECT_TRUE(imported.error().contains(u"Hiba a fájl olvasása közben"_s))
        << imported.error().toStdString();
    EXPECT_EQ(prompts.log().last(), u"hide"_s);
    EXPECT_FALSE(prompts.busy());
    EXPECT_TRUE(table->isOpen());
    EXPECT_FALSE(table->indexNames().contains(u"AM"_s));
    // The lines read before the failure (a piece is read at a time).
    EXPECT_GT(table->recordCount(), 0);
    EXPECT_LT(table->recordCount(), 20000);
    // Reopened elsewhere, the file holds them too.
    store::Session other;
    store::Table check(other);
    velkor_test::bindTable(check, path());
    check.open();
    EXPECT_EQ(check.recordCount(), table->recordCount());
}

TEST_F(TextImportTest, FullDiskEndsTheImportWithTheEngineMessageAndKeepsCommittedBatches)
{
    failing_vfs::install();
    table.reset();
    session.setVfs(failing_vfs::kFailingVfsName);
    openTable();
    QByteArray bytes;
    for (int n = 0; n < 30000; ++n)
        bytes += "szo" + QByteArray::number(n) + "\tword\r\n";
    const QString file = writeText(bytes);
    platform::Result<dictimport::TextImportReport> imported = dictimport::TextImportReport{};
    {
        failing_vfs::ArmedScope full(400 * 1024, failing_vfs::Failure::DiskFull);
        imported = import(file);
    }
    ASSERT_FALSE(imported.ok());
    EXPECT_FALSE(imported.error().isEmpty());
    EXPECT_EQ(prompts.log().last(), u"hide"_s);
    table.reset();
    session.setVfs({});
    openTable();
    const int kept = table->recordCount();
    EXPECT_LT(kept, 30000);
    // The next import, with room on the disk, completes the dictionary.
    const auto again = import(file);
    ASSERT_TRUE(again.ok()) << again.error().toStdString();
    EXPECT_EQ(again->present, kept);
    EXPECT_EQ(table->recordCount(), 30000);
    EXPECT_FALSE(table->indexNames().contains(u"AM"_s));
}

// A failed post used to stay pending and be posted by the next close,
// after its batch was rolled back: a lone late line committed. Whatever the
// point of failure, what stays is the first lines of the file.
class FullDiskPrefixTest : public TextImportTest, public ::testing::WithParamInterface<int> {};

TEST_P(FullDiskPrefixTest, FullDiskImportCommitsOnlyAPrefixOfTheFile)
{
    failing_vfs::install();
    table.reset();
    session.setVfs(failing_vfs::kFailingVfsName);
    openTable();
    constexpr int kLines = 30000;
    QByteArray bytes;
    for (int n = 0; n < kLines; ++n)
        bytes += "szo" + QByteArray::number(n) + "\tword\r\n";
    const QString file = writeText(bytes);
    {
        failing_vfs::ArmedScope full(qint64(GetParam()) * 1024, failing_vfs::Failure::DiskFull);
        ASSERT_FALSE(import(file).ok());
    }
    table.reset(); // with room again: a pending row would be posted now
    session.setVfs({});
    openTable();
    std::set<int> numbers;
    for (const auto &pair : stored())
        numbers.insert(pair.first.sliced(3).toInt());
    ASSERT_LT(numbers.size(), std::size_t(kLines));
    if (!numbers.empty()) {
        EXPECT_EQ(*numbers.rbegin(), int(numbers.size()) - 1) << "rows kept: " << numbers.size();
    }
}

INSTANTIATE_TEST_SUITE_P(Budgets, FullDiskPrefixTest, ::testing::Values(40, 400, 1200),
                         [](const auto &info) { return std::to_string(info.param) + "KiB"; });

// --- The line reader on its own: pieces and bounds.

TEST(TextLineReaderTest, LineSplitAcrossPiecesIsWhole)
{
    // Empty lines up to three bytes before the end of the first piece.
    const QByteArray blank(dictimport::TextLineReader::kPieceBytes - 3, '\n');
    QByteArray bytes = blank + "ab\tbcd\r\nx\ty";
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    dictimport::TextLineReader reader(buffer);
    QByteArray line;
    for (qsizetype i = 0; i < blank.size(); ++i)
        ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
    ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
    EXPECT_EQ(line, "ab\tbcd");
    EXPECT_FALSE(reader.lastLineCut());
    ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
    EXPECT_EQ(line, "x\ty");
    EXPECT_EQ(reader.next(line), dictimport::TextLineReader::Next::End);
}

TEST(TextLineReaderTest, FailingDeviceIsReportedAfterTheLinesBeforeIt)
{
    FailDevice device(6, "a\tb\r\nc\td\r\n");
    ASSERT_TRUE(device.open(QIODevice::ReadOnly));
    dictimport::TextLineReader reader(device);
    QByteArray line;
    // The first piece ends inside the second line.
    ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
    EXPECT_EQ(line, "a\tb");
    EXPECT_EQ(reader.next(line), dictimport::TextLineReader::Next::Failed);
    EXPECT_FALSE(reader.errorString().isEmpty());
}

// A mark read over short reads is still found and dropped; lines end at
// CR alone when told so.
TEST(TextLineReaderTest, MarkOverShortReadsIsDropped)
{
    for (const qint64 step : {qint64(1), qint64(2), qint64(3)}) {
        ShortReadDevice device("\xEF\xBB\xBF"
                               "a\tb\r\nc\td",
                               step);
        ASSERT_TRUE(device.open(QIODevice::ReadOnly | QIODevice::Unbuffered));
        dictimport::TextLineReader reader(device);
        QByteArray line;
        ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
        EXPECT_EQ(line, "a\tb") << "reads of " << step;
        ASSERT_EQ(reader.next(line), dictimport::TextLineReader::Next::Line);
        EXPECT_EQ(line, "c\td");
        EXPECT_EQ(reader.next(line), dictimport::TextLineReader::Next::End);
    }
}

TEST(TextLineReaderTest, CrOnlyLinesEndAtEveryCr)
{
    QByteArray bytes = "a\tb\r\rc\td\x1a"
                       "e\tf\r";
    QBuffer buffer(&bytes);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    dictimport::TextLineReader reader(buffer, dictimport::LineBreaks::CrOnly);
    QByteArray line;
    QList<QByteArray> lines;
    while (reader.next(line) == dictimport::TextLineReader::Next::Line)
        lines << line;
    EXPECT_EQ(lines, (QList<QByteArray>{"a\tb", "", "c\td"}));
}

} // namespace

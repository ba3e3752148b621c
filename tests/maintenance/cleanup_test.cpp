// The clean-ups of the open dictionary: "to" removal, lone letters and the
// DOS accent conversion, with their backup and their failures.
#include "support/dictionary_fixture.h"

#include "maintenance/cleanup/cleanups.h"
#include "maintenance/cleanup/dosaccents.h"
#include "store/dictionary_backup.h"
#include "support/failing_vfs.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QFile>

#include <algorithm>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using platform::Prompts;
using Pairs = std::vector<std::pair<QString, QString>>;

Pairs sorted(Pairs pairs)
{
    std::sort(pairs.begin(), pairs.end());
    return pairs;
}

Pairs content(store::Table &table)
{
    Pairs pairs;
    table.clearIndexName();
    table.first();
    while (!table.eof()) {
        pairs.emplace_back(table.findField(u"Angol"_s)->asString(),
                           table.findField(u"Magyar"_s)->asString());
        table.next();
    }
    return sorted(pairs);
}

void makeReadOnly(const QString &path)
{
    QFile::setPermissions(path,
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

// --- DosToWindowsAccents

struct ByteCase {
    const char *name;
    QByteArray dos;
    QByteArray windows;
};

class DosBytesTest : public ::testing::TestWithParam<ByteCase> {};

TEST_P(DosBytesTest, MapsTheAccentedLettersAndNothingElse)
{
    EXPECT_EQ(cleanup::DosToWindowsAccents(GetParam().dos), GetParam().windows);
}

const ByteCase kByteCases[] = {
    {"AllFifteenLetters", "\x81\x82\x84\x8E\x8F\x90\x93\x94\x96\x99\xA0\xA1\xA2\xA3\xE1",
     "\xFC\xE9\xE4\xC4\xC1\xC9\xF5\xF6\xFB\xD6\xE1\xED\xF3\xFA\xDF"},
    {"PlainAsciiStays", "to walk (b)", "to walk (b)"},
    {"OtherCapitalsStay", "\x8D\x95\x97\x9A\x98", "\x8D\x95\x97\x9A\x98"},
    {"EmbeddedNulKeepsLength", QByteArray("a\0\xA0", 3), QByteArray("a\0\xE1", 3)},
    {"SecondRunTurnsAIntoSharpS", "\xE1", "\xDF"},
    {"Empty", "", ""},
};
INSTANTIATE_TEST_SUITE_P(Bytes, DosBytesTest, ::testing::ValuesIn(kByteCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TextCase {
    QString dos;
    QString windows;
};

class DosTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(DosTextTest, WorksOnTheWindows1250BytesOfTheText)
{
    EXPECT_EQ(cleanup::DosToWindowsAccents(GetParam().dos), GetParam().windows);
}

// DOS bytes read as Windows-1250: 81 is U+0081, A0 the no-break space, 82
// the low quote, 8E Ž, E1 á.
const TextCase kTextCases[] = {
    {u"\u0081ber"_s, u"über"_s},   {u"\u00A0llat"_s, u"állat"_s}, {u"k\u201Az"_s, u"kéz"_s},
    {u"\u017Drger"_s, u"Ärger"_s}, {u"\u00E1"_s, u"ß"_s},         {u"Őz ж €"_s, u"Őz ж €"_s},
};
INSTANTIATE_TEST_SUITE_P(Texts, DosTextTest, ::testing::ValuesIn(kTextCases), [](const auto &info) {
    return velkor_test::exactCaseName(info.param.dos);
});

// --- "to" removal

struct ToCase {
    const char *name;
    Pairs before;
    Pairs after;
};

class ToRemovalTest : public DictionaryFixture, public ::testing::WithParamInterface<ToCase> {};

TEST_P(ToRemovalTest, LeavesTheExpectedEntries)
{
    createDictionaryWith(GetParam().before);
    auto main = makeTable();
    auto second = makeTable();
    main->open();
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = cleanup::RemoveToPrefixes(*main, *second, {prompts});
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_FALSE(second->isOpen());
    EXPECT_EQ(content(*main), sorted(GetParam().after));
}

const ToCase kToCases[] = {
    {"ExistingEntryDeletesTheToRow",
     {{u"to walk"_s, u"sétál"_s}, {u"walk"_s, u"sétál"_s}},
     {{u"walk"_s, u"sétál"_s}}},
    {"OtherMeaningOnlyShortensTheToRow",
     {{u"to walk"_s, u"sétál"_s}, {u"walk"_s, u"jár"_s}},
     {{u"walk"_s, u"sétál"_s}, {u"walk"_s, u"jár"_s}}},
    {"TwoWordsStay", {{u"to look for"_s, u"keres"_s}}, {{u"to look for"_s, u"keres"_s}}},
    {"CapitalToAndTowelStay",
     {{u"To walk"_s, u"sétál"_s}, {u"towel"_s, u"törölköző"_s}},
     {{u"To walk"_s, u"sétál"_s}, {u"towel"_s, u"törölköző"_s}}},
    {"EntryInOtherLetterCaseDoesNotCount",
     {{u"to walk"_s, u"sétál"_s}, {u"Walk"_s, u"sétál"_s}},
     {{u"walk"_s, u"sétál"_s}, {u"Walk"_s, u"sétál"_s}}},
    {"ExactEntryAfterOneInOtherCaseIsFound",
     {{u"to walk"_s, u"sétál"_s}, {u"Walk"_s, u"jár"_s}, {u"walk"_s, u"sétál"_s}},
     {{u"Walk"_s, u"jár"_s}, {u"walk"_s, u"sétál"_s}}},
    {"BlanksAroundAreTrimmed",
     {{u"  to walk  "_s, u" sétál "_s}, {u"walk"_s, u"sétál"_s}},
     {{u"walk"_s, u"sétál"_s}}},
    {"SearchStopsAtTheEndOfTheTable",
     {{u"to zoo"_s, u"állatkert"_s}, {u"zoo"_s, u"x"_s}, {u"zoo"_s, u"y"_s}},
     {{u"zoo"_s, u"állatkert"_s}, {u"zoo"_s, u"x"_s}, {u"zoo"_s, u"y"_s}}},
    {"ManyToRowsInARow",
     {{u"to a"_s, u"1"_s}, {u"to b"_s, u"2"_s}, {u"to c"_s, u"3"_s}, {u"b"_s, u"2"_s}},
     {{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}}},
};
INSTANTIATE_TEST_SUITE_P(Entries, ToRemovalTest, ::testing::ValuesIn(kToCases),
                         [](const auto &info) { return std::string(info.param.name); });

class CleanupRunTest : public DictionaryFixture {
protected:
    Pairs kToRows{{u"to walk"_s, u"sétál"_s}, {u"walk"_s, u"sétál"_s}};
};

TEST_F(CleanupRunTest, ToRemovalAsksShowsBusyAndFinishes)
{
    createDictionaryWith(kToRows);
    auto main = makeTable();
    auto second = makeTable();
    main->open();
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = cleanup::RemoveToPrefixes(*main, *second, {prompts});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->deleted, 1);
    EXPECT_EQ(prompts.log(), (QStringList{u"ask: Biztosan törlöd to-kat?"_s,
                                          u"busy: to törlése folyamatban.\nVárj türelemmel..."_s,
                                          u"finish: to törlése kész"_s}));
}

TEST_F(CleanupRunTest, DeclinedQuestionsChangeNothingAndTakeNoBackup)
{
    createDictionaryWith(kToRows);
    auto main = makeTable();
    auto second = makeTable();
    main->open();
    ScriptedPrompts toPrompts({Prompts::kCancel});
    const auto to = cleanup::RemoveToPrefixes(*main, *second, {toPrompts});
    ASSERT_TRUE(to.ok());
    EXPECT_EQ(to->command, store::FileCommand::Cancelled);
    ScriptedPrompts dosPrompts({Prompts::kNo});
    const auto dos = cleanup::ConvertDosAccents(*main, {dosPrompts});
    ASSERT_TRUE(dos.ok());
    EXPECT_EQ(dos->command, store::FileCommand::Cancelled);
    EXPECT_EQ(content(*main), sorted(kToRows));
    EXPECT_FALSE(store::HasBackup(path()));
}

TEST_F(CleanupRunTest, LoneLettersGoWhateverElseStays)
{
    createDictionaryWith({{u"B"_s, u"x"_s},
                          {u"b"_s, u"b"_s},
                          {u"b"_s, u"b (betű)"_s},
                          {u"b"_s, u"bé"_s},
                          {u"B"_s, u"B"_s},
                          {u"z"_s, u"z"_s},
                          {u"bb"_s, u"bb"_s}});
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts;
    const auto result = cleanup::RemoveLoneLetters(*table, {prompts});
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(result->deleted, 3);
    EXPECT_TRUE(prompts.log().isEmpty()) << "the lone-letter clean-up says nothing";
    EXPECT_EQ(content(*table),
              sorted({{u"B"_s, u"x"_s}, {u"b"_s, u"bé"_s}, {u"B"_s, u"B"_s}, {u"bb"_s, u"bb"_s}}));
    EXPECT_TRUE(store::HasBackup(path()));
}

// "Magányos betű törlése" asks nothing, and when it deleted nothing it still
// replaced the backup: the DOS conversion before could no longer be undone.
TEST_F(CleanupRunTest, ARunThatChangesNothingKeepsTheBackupOfTheRunBefore)
{
    createDictionaryWith({{u"h\u00E1z"_s, u"house"_s}});
    auto table = makeTable();
    auto second = makeTable();
    table->open();
    ScriptedPrompts dosPrompts({Prompts::kYes});
    const auto dos = cleanup::ConvertDosAccents(*table, {dosPrompts});
    ASSERT_TRUE(dos.ok()) << dos.error().toStdString();
    ASSERT_EQ(content(*table), (Pairs{{u"h\u00DFz"_s, u"house"_s}}));
    ScriptedPrompts quiet({Prompts::kYes});
    const auto letters = cleanup::RemoveLoneLetters(*table, {quiet});
    ASSERT_TRUE(letters.ok()) << letters.error().toStdString();
    ASSERT_EQ(letters->deleted, 0);
    const auto to = cleanup::RemoveToPrefixes(*table, *second, {quiet});
    ASSERT_TRUE(to.ok()) << to.error().toStdString();
    ASSERT_EQ(to->changed + to->deleted, 0);
    table->close();
    store::RestoreTableFile(path());
    table->open();
    EXPECT_EQ(content(*table), (Pairs{{u"h\u00E1z"_s, u"house"_s}}));
}

// "clean --dos" and "clean --to" at once: the "to" removal found no short
// entry yet (its accents not yet converted), shortened its row, and then
// the conversion turned the short entry into the same pair.
TEST_F(CleanupRunTest, TwoCleanUpsAtOnceLeaveNoDuplicatePairs)
{
    createDictionary();
    {
        auto table = makeTable();
        table->open();
        table->disableControls();
        // The short entries come after every "to" row in key order, the
        // order of the conversion.
        for (const bool to : {true, false}) {
            for (int i = 0; i < 20000; ++i) {
                const QString word = u"k"_s + QChar(0x81) + u"s"_s + QString::number(i);
                add(*table, to ? u"to "_s + word : word, u"m"_s + QString::number(i));
            }
        }
        table->enableControls();
    }
    std::vector<pid_t> children;
    for (const bool dos : {true, false}) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            store::Session own;
            store::Table main(own);
            store::Table second(own);
            for (store::Table *table : {&main, &second}) {
                velkor_test::bindTable(*table, path(), {u"Angol"_s, u"Magyar"_s});
            }
            main.open();
            ScriptedPrompts prompts({Prompts::kYes});
            const auto result = dos ? cleanup::ConvertDosAccents(main, {prompts})
                                    : cleanup::RemoveToPrefixes(main, second, {prompts});
            // Refused because the other one runs: fine, and nothing else is.
            _exit(result.ok() ? 0 : result.error().contains(u"karbantartást végez"_s) ? 2 : 1);
        }
        children.push_back(child);
    }
    int finished = 0;
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_NE(WEXITSTATUS(status), 1);
        finished += WEXITSTATUS(status) == 0;
    }
    EXPECT_GE(finished, 1);
    auto table = makeTable();
    table->open();
    const Pairs all = content(*table);
    EXPECT_EQ(std::adjacent_find(all.begin(), all.end()), all.end()) << "a pair is there twice";
}

TEST_F(CleanupRunTest, DosConversionConvertsBothColumnsWithProgressPerPass)
{
    Pairs rows;
    for (int i = 0; i < 250; ++i)
        rows.emplace_back(u"\u00A0"_s + QString::number(i), u"\u0081"_s);
    createDictionaryWith(rows);
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes});
    QStringList lines;
    std::vector<std::pair<qint64, qint64>> progress;
    cleanup::Reporting reporting{
        prompts,
        [&](qint64 done, qint64 total) { progress.emplace_back(done, total); },
        [&](const QString &text, const QString &counter) { lines << text + u'|' + counter; },
        {}};
    const auto result = cleanup::ConvertDosAccents(*table, reporting);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(lines, (QStringList{u"100/250A|"_s, u"200/250A|"_s, u"100/250M|"_s, u"200/250M|"_s}));
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), (std::pair<qint64, qint64>{450, 500}));
    EXPECT_EQ(prompts.log().front(), u"ask: Biztos elindítod a DOS ékezet konvertálást?"_s);
    EXPECT_EQ(prompts.log().back(), u"finish: Konvertálás kész"_s);
    for (const auto &[source, target] : content(*table)) {
        EXPECT_TRUE(source.startsWith(u'á')) << source.toStdString();
        EXPECT_EQ(target, u"ü"_s);
    }
}

TEST_F(CleanupRunTest, DosConversionOfAFewRowsShowsNoProgressLine)
{
    createDictionaryWith({{u"\u00A0"_s, u"plain"_s}});
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes});
    QStringList lines;
    const auto result = cleanup::ConvertDosAccents(
        *table, {prompts, {}, [&](const QString &a, const QString &b) { lines << a << b; }, {}});
    ASSERT_TRUE(result.ok());
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(content(*table), (Pairs{{u"á"_s, u"plain"_s}}));
}

// Each operation against a read-only dictionary: refused before any
// question, nothing written, not even a backup.
struct Operation {
    const char *name;
    platform::Result<cleanup::Outcome> (*run)(store::Table &main, store::Table &second,
                                              Prompts &prompts);
};

const Operation kOperations[] = {
    {"ToRemoval",
     [](store::Table &main, store::Table &second, Prompts &prompts) {
         return cleanup::RemoveToPrefixes(main, second, {prompts});
     }},
    {"LoneLetters", [](store::Table &main, store::Table &,
                       Prompts &prompts) { return cleanup::RemoveLoneLetters(main, {prompts}); }},
    {"DosConversion", [](store::Table &main, store::Table &,
                         Prompts &prompts) { return cleanup::ConvertDosAccents(main, {prompts}); }},
};

class OperationFailureTest : public DictionaryFixture,
                             public ::testing::WithParamInterface<Operation> {};

TEST_P(OperationFailureTest, AReadOnlyDictionaryIsRefusedBeforeAnything)
{
    createDictionaryWith({{u"to a"_s, u"a"_s}, {u"a"_s, u"a"_s}, {u"\u00A0"_s, u"x"_s}});
    makeReadOnly(path());
    auto main = makeTable();
    auto second = makeTable();
    main->open();
    ASSERT_TRUE(main->isReadOnly());
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
    const auto result = GetParam().run(*main, *second, prompts);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(u"csak olvasható"_s)) << result.error().toStdString();
    EXPECT_TRUE(prompts.log().isEmpty());
    EXPECT_FALSE(store::HasBackup(path()));
    EXPECT_EQ(main->recordCount(), 3);
}

INSTANTIATE_TEST_SUITE_P(Operations, OperationFailureTest, ::testing::ValuesIn(kOperations),
                         [](const auto &info) { return std::string(info.param.name); });

// The operations that write many rows, run into a disk that fills up after
// the first committed batch.
struct BatchOperation {
    const char *name;
    platform::Result<cleanup::Outcome> (*run)(store::Table &main, store::Table &second,
                                              const cleanup::Reporting &reporting);
};

const BatchOperation kBatchOperations[] = {
    {"ToRemoval",
     [](store::Table &main, store::Table &second, const cleanup::Reporting &reporting) {
         return cleanup::RemoveToPrefixes(main, second, reporting);
     }},
    {"DosConversion",
     [](store::Table &main, store::Table &, const cleanup::Reporting &reporting) {
         return cleanup::ConvertDosAccents(main, reporting);
     }},
};

class FullDiskTest : public DictionaryFixture,
                     public ::testing::WithParamInterface<BatchOperation> {};

TEST_P(FullDiskTest, KeepsCommittedBatchesClosesTheNoticeAndCanBeUndone)
{
    Pairs rows;
    for (int i = 0; i < 40000; ++i)
        rows.emplace_back(u"to w"_s + QString::number(i) + u"\u00A0"_s, u"x"_s);
    createDictionaryWith(rows);
    const Pairs before = sorted(rows);
    failing_vfs::install();
    {
        failing_vfs::DefaultScope vfs;
        store::Session failing;
        store::Table main(failing), second(failing);
        for (store::Table *table : {&main, &second}) {
            velkor_test::bindTable(*table, path());
            table->addField(u"Azon"_s, store::FieldType::Integer);
            table->addField(u"Angol"_s);
            table->addField(u"Magyar"_s);
        }
        main.open();
        ScriptedPrompts prompts({Prompts::kYes});
        // The disk fills up once more rows are done than one batch holds.
        const auto fillUp = [](qint64 done, qint64) {
            if (done == 20000)
                failing_vfs::armAfter(0, failing_vfs::Failure::DiskFull);
        };
        const auto result = GetParam().run(main, second, {prompts, fillUp, {}, {}});
        failing_vfs::disarm();
        ASSERT_FALSE(result.ok());
        EXPECT_TRUE(result.error().contains(u"Betelt a lemez"_s)) << result.error().toStdString();
        EXPECT_TRUE(result.error().contains(u"Utolsó karbantartás visszavonása"_s));
        EXPECT_EQ(prompts.log().back(), u"hide"_s);
        EXPECT_FALSE(prompts.busy());
        EXPECT_FALSE(second.isOpen());
        main.close();
    }
    {
        auto reader = makeTable();
        reader->open();
        const Pairs after = content(*reader);
        EXPECT_EQ(after.size(), rows.size());
        EXPECT_NE(after, before) << "the committed batches stay";
    }
    ASSERT_TRUE(store::HasBackup(path()));
    store::RestoreTableFile(path());
    auto reader = makeTable();
    reader->open();
    EXPECT_EQ(content(*reader), before);
}

INSTANTIATE_TEST_SUITE_P(Operations, FullDiskTest, ::testing::ValuesIn(kBatchOperations),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

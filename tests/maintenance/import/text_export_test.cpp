// The tab-separated text export: the file name rule, the bytes written, the
// overwrite question and a write that fails.
#include "maintenance/import/text_export.h"
#include "maintenance/import/text_import.h"
#include "support/dictionary_fixture.h"
#include "support/fail_device.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(nincs)");
}

class TextExportTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionary();
        table = makeTable();
        table->open();
    }

    dictimport::ImportTarget target()
    {
        return {*table, *table->findField(u"Angol"_s), *table->findField(u"Magyar"_s)};
    }

    platform::Result<dictimport::TextExportReport> exportTo(const QString &chosen,
                                                            bool confirmed = true)
    {
        return dictimport::ExportTextFile(target(), chosen, confirmed, prompts);
    }

    std::unique_ptr<store::Table> table;
    ScriptedPrompts prompts;
};

struct NameCase {
    const char16_t *chosen;
    const char16_t *written;
};

class ExportFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(ExportFileNameTest, AppendsTxtUnlessTheExtensionIsTxtInAnyCase)
{
    EXPECT_EQ(dictimport::ExportFileName(QString::fromUtf16(GetParam().chosen)),
              QString::fromUtf16(GetParam().written));
}

INSTANTIATE_TEST_SUITE_P(Names, ExportFileNameTest,
                         ::testing::Values(NameCase{u"szavak", u"szavak.txt"},
                                           NameCase{u"szavak.dat", u"szavak.dat.txt"},
                                           NameCase{u"SZAVAK.TXT", u"SZAVAK.TXT"},
                                           NameCase{u"lista.Txt", u"lista.Txt"},
                                           NameCase{u"/tmp/a.txt/lista", u"/tmp/a.txt/lista.txt"},
                                           NameCase{u"txt", u"txt.txt"}),
                         [](const auto &info) {
                             return velkor_test::exactCaseName(
                                 QString::fromUtf16(info.param.chosen));
                         });

TEST_F(TextExportTest, WritesEveryEntryInKeyOrderAsWindows1250WithCrLf)
{
    addAll(*table, {{u"ősz"_s, u"autumn"_s}, {u"Apple"_s, u"alma\tfa"_s}, {u"b"_s, u""_s}});
    table->setIndexFieldNames(u"Angol"_s);
    const auto written = exportTo(path(u"lista"_s));
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    EXPECT_EQ(written->path, path(u"lista.txt"_s));
    EXPECT_EQ(written->rows, 3);
    EXPECT_EQ(contentOf(path(u"lista.txt"_s)), "\xF5sz\tautumn\r\nApple\talma\tfa\r\nb\t\r\n");
    EXPECT_EQ(prompts.log(), (QStringList{u"busy: Mentés folyamatban.\nVárj türelemmel..."_s,
                                          u"finish: Mentés kész"_s}));
    // Left in key order on the last row.
    EXPECT_TRUE(table->indexFieldNames().isEmpty());
    EXPECT_EQ(source(*table), u"b"_s);
}

TEST_F(TextExportTest, EmptyDictionaryGivesAnEmptyFile)
{
    const auto written = exportTo(path(u"ures.txt"_s));
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(contentOf(path(u"ures.txt"_s)), QByteArray());
    EXPECT_EQ(prompts.log().last(), u"finish: Mentés kész"_s);
}

TEST_F(TextExportTest, CharacterWithoutAWindows1250ByteIsCounted)
{
    addAll(*table, {{u"дом"_s, u"ház"_s}, {u"a"_s, u"b"_s}});
    const auto written = exportTo(path(u"x.txt"_s));
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written->rowsWithLoss, 1);
    EXPECT_EQ(contentOf(path(u"x.txt"_s)), "???\th\xE1z\r\na\tb\r\n");
}

// Read back under the same direction into an empty dictionary: the same
// pairs, lower-cased and trimmed, without those with an empty side.
TEST_F(TextExportTest, ExportedFileReadBackGivesThePairsLowerCased)
{
    addAll(*table,
           {{u"Ég"_s, u"Sky"_s}, {u"ég"_s, u"sky"_s}, {u" fa "_s, u"tree"_s}, {u"üres"_s, u""_s}});
    ASSERT_TRUE(exportTo(path(u"vissza.txt"_s)).ok());
    createDictionary(u"Nemet_Magyar.DB"_s);
    store::Table other(session);
    other.setDatabaseName(dir.path());
    other.setTableName(u"Nemet_Magyar.DB"_s);
    store::Field *from = other.addField(u"Angol"_s);
    store::Field *to = other.addField(u"Magyar"_s);
    other.open();
    ASSERT_TRUE(
        dictimport::ImportTextFile({other, *from, *to}, path(u"vissza.txt"_s), prompts).ok());
    QStringList pairs;
    for (other.first(); !other.eof(); other.next())
        pairs << from->asString() + u'|' + to->asString();
    pairs.sort();
    EXPECT_EQ(pairs, (QStringList{u"fa|tree"_s, u"ég|sky"_s}));
}

// --- An existing file.

struct OverwriteCase {
    const char *name;
    bool chosenConfirmed;
    std::deque<QChar> answers;
    bool replaced;
    bool asked;
};

class ExportOverwriteTest : public TextExportTest,
                            public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(ExportOverwriteTest, ExistingFileIsReplacedOnlyWhenConfirmed)
{
    addAll(*table, {{u"a"_s, u"b"_s}});
    {
        QFile old(path(u"regi.txt"_s));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    prompts = ScriptedPrompts(GetParam().answers);
    const auto written = exportTo(path(u"regi"_s), GetParam().chosenConfirmed);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written->declined, !GetParam().replaced);
    EXPECT_EQ(contentOf(path(u"regi.txt"_s)), GetParam().replaced ? "a\tb\r\n" : "old\r\n");
    const bool asked = !prompts.log().isEmpty() && prompts.log().front().startsWith(u"ask: "_s);
    EXPECT_EQ(asked, GetParam().asked);
    if (asked) {
        EXPECT_EQ(prompts.log().front(), u"ask: A regi.txt fájl már létezik.\nFelülírod?"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExportOverwriteTest,
    ::testing::Values(OverwriteCase{"yes_replaces", false, {u'I'}, true, true},
                      OverwriteCase{"no_keeps_the_file", false, {u'N'}, false, true},
                      OverwriteCase{"nobody_to_ask_keeps_the_file", false, {}, false, true},
                      // The dialog asked about "regi", not about "regi.txt".
                      OverwriteCase{"appended_name_is_asked_about", true, {u'N'}, false, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TextExportTest, ConfirmedNameIsNotAskedAgain)
{
    addAll(*table, {{u"a"_s, u"b"_s}});
    QFile(path(u"regi.txt"_s)).open(QIODevice::WriteOnly);
    ASSERT_TRUE(exportTo(path(u"regi.txt"_s), true).ok());
    EXPECT_EQ(contentOf(path(u"regi.txt"_s)), "a\tb\r\n");
    EXPECT_FALSE(prompts.log().front().startsWith(u"ask: "_s));
}

// A failed write ends the busy notice, says why, and leaves the old file.
TEST_F(TextExportTest, FailedWriteKeepsTheOldFileAndSaysWhy)
{
    for (int n = 0; n < 5000; ++n)
        add(*table, u"szo"_s + QString::number(n), u"word"_s);
    {
        QFile old(path(u"regi.txt"_s));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    for (const qint64 limit : {qint64(0), qint64(1000), qint64(60000)}) {
        SCOPED_TRACE(limit);
        prompts = ScriptedPrompts();
        const FailingFiles files(-1, limit);
        const auto written =
            dictimport::ExportTextFile(target(), path(u"regi.txt"_s), true, prompts, {}, {}, files);
        ASSERT_FALSE(written.ok());
        EXPECT_TRUE(written.error().contains(u"A fájl nem írható"_s))
            << written.error().toStdString();
        EXPECT_TRUE(written.error().contains(u"Írási hiba a lemezen"_s))
            << written.error().toStdString();
        EXPECT_EQ(prompts.log().last(), u"hide"_s);
        EXPECT_EQ(contentOf(path(u"regi.txt"_s)), "old\r\n");
        EXPECT_EQ(files.commits(), 0);
    }
}

// An export onto a full disk used to abort the program (exit 134) when
// the safe write was given up.
TEST_F(TextExportTest, FullDiskExportDoesNotAbortAndKeepsTheOldFile)
{
    for (int n = 0; n < 5000; ++n)
        add(*table, u"szo"_s + QString::number(n), u"word"_s);
    {
        QFile old(path(u"regi.txt"_s));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old\r\n");
    }
    for (const qint64 limit : {qint64(0), qint64(60000)}) {
        SCOPED_TRACE(limit);
        prompts = ScriptedPrompts();
        const FullDiskFiles full(limit);
        const auto written =
            dictimport::ExportTextFile(target(), path(u"regi.txt"_s), true, prompts, {}, {}, full);
        ASSERT_FALSE(written.ok());
        EXPECT_TRUE(written.error().contains(u"A fájl nem írható"_s))
            << written.error().toStdString();
        EXPECT_EQ(prompts.log().last(), u"hide"_s);
        EXPECT_EQ(contentOf(path(u"regi.txt"_s)), "old\r\n");
        EXPECT_EQ(QDir(dir.path()).entryList({u"regi.txt*"_s}, QDir::Files | QDir::Hidden),
                  QStringList{u"regi.txt"_s});
    }
}

// A decomposed accent stored by an older import used to be written "e?".
TEST_F(TextExportTest, DecomposedAccentIsWrittenAsItsLetter)
{
    addAll(*table, {{u"ke\u0301s"_s, u"knife"_s}, {u"\u0101"_s, u"a with macron"_s}});
    const auto written = exportTo(path(u"ki.txt"_s));
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    EXPECT_EQ(contentOf(path(u"ki.txt"_s)), "k\xE9s\tknife\r\n?\ta with macron\r\n");
    EXPECT_EQ(written->rowsWithLoss, 1);
}

// More than the megabyte written at a time, with rows that need composing on
// both sides of each write: every row whole, in order, and the table left on
// its last row.
TEST_F(TextExportTest, LongExportKeepsEveryRowAcrossWrites)
{
    std::vector<Pair> pairs;
    QByteArray expected;
    for (int i = 0; i < 24000; ++i) {
        const QString number = QString::number(100000 + i);
        const bool decomposed = i % 997 == 0;
        const QString source =
            (decomposed ? u"ke\u0301s"_s : u"word"_s) + number + QString(36, u'x');
        const QString target = u"sz\u00f3"_s + number + QString(36, u'y');
        pairs.push_back({source, target});
        expected += (decomposed ? "k\xE9s" : "word") + number.toLatin1() + QByteArray(36, 'x') +
                    "\tsz\xF3" + number.toLatin1() + QByteArray(36, 'y') + "\r\n";
    }
    addAll(*table, pairs);
    const auto written = exportTo(path(u"hosszu.txt"_s));
    ASSERT_TRUE(written.ok()) << written.error().toStdString();
    ASSERT_GT(expected.size(), 2 * 1024 * 1024);
    EXPECT_EQ(contentOf(path(u"hosszu.txt"_s)), expected);
    EXPECT_EQ(written->rows, 24000);
    EXPECT_EQ(written->rowsWithLoss, 0);
    EXPECT_EQ(table->recordCount(), 24000);
    EXPECT_EQ(source(*table), pairs.back().first);
}

// A place where no file can be made used to be explained by the system's
// English message alone.
struct UnmakeableCase {
    const char *name;
    const char *folderFile; // made as a regular file first; "" for none
    const char *chosen;
    const char16_t *reason;
};

class UnmakeableExportTest : public TextExportTest,
                             public ::testing::WithParamInterface<UnmakeableCase> {};

TEST_P(UnmakeableExportTest, ExportThatCannotCreateItsFileSaysWhyInHungarian)
{
    const UnmakeableCase &c = GetParam();
    addAll(*table, {{u"a"_s, u"b"_s}});
    if (*c.folderFile) {
        QFile file(path(QString::fromUtf8(c.folderFile)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const auto written = exportTo(path(QString::fromUtf8(c.chosen)));
    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(written.error().startsWith(u"A fájl nem hozható létre:"_s))
        << written.error().toStdString();
    EXPECT_TRUE(written.error().contains(QString::fromUtf16(c.reason)))
        << written.error().toStdString();
    EXPECT_EQ(prompts.log().last(), u"hide"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Places, UnmakeableExportTest,
    ::testing::Values(UnmakeableCase{"missing_folder", "", "nincs/ki.txt", u"mappa nem létezik"},
                      UnmakeableCase{"missing_folders", "", "nincs/sincs/ki.txt",
                                     u"mappa nem létezik"},
                      UnmakeableCase{"under_a_regular_file", "lista.txt", "lista.txt/ki.txt",
                                     u"nem mappa, hanem fájl"},
                      UnmakeableCase{"deep_under_a_regular_file", "lista.txt", "lista.txt/a/ki.txt",
                                     u"nem mappa, hanem fájl"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(TextExportTest, FolderInThePlaceOfTheFileIsRefused)
{
    QDir().mkpath(path(u"mappa.txt"_s));
    const auto written = exportTo(path(u"mappa.txt"_s));
    ASSERT_FALSE(written.ok());
    EXPECT_TRUE(prompts.log().isEmpty() || prompts.log().last() == u"hide"_s);
}

} // namespace

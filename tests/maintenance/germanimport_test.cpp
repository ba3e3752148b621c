// The German word-list import: the line rules, the file names and folder,
// the encodings and line ends of the files, and its failures.
#include "support/dictionary_fixture.h"

#include "maintenance/cleanup/germanimport.h"
#include "platform/codepage.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QFile>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

using platform::Prompts;
using Pairs = std::vector<std::pair<QString, QString>>;

// --- One line

struct LineCase {
    QString line;
    QString german;
    QString hungarian;
};

class GermanLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(GermanLineTest, SplitsAtTheFirstDoubleSpace)
{
    const cleanup::GermanPair pair = cleanup::SplitGermanLine(GetParam().line);
    EXPECT_EQ(pair.german, GetParam().german);
    EXPECT_EQ(pair.hungarian, GetParam().hungarian);
}

const LineCase kLines[] = {
    {u"Hallo !  szia"_s, u"Hallo!"_s, u"szia"_s},
    {u"//Haus   ház//"_s, u"Haus"_s, u"ház"_s},
    {u"Haus ház"_s, QString(), u"Haus ház"_s},
    {u"Auto  autó  kocsi"_s, u"Auto"_s, u"autó  kocsi"_s},
    {u"Wer  ?  ki"_s, u"Wer ?"_s, u"ki"_s},
    {u"Was ?!  mi ?"_s, u"Was?!"_s, u"mi?"_s},
    {u"Wie bitte ?  tessék ?  !"_s, u"Wie bitte?"_s, u"tessék? !"_s},
    {u"//  ház"_s, QString(), u"ház"_s},
    {u"Haus  ház ez //  "_s, u"Haus"_s, u"ház ez "_s},
    {u"  Haus  ház"_s, QString(), u"Haus  ház"_s},
    {QString(), QString(), QString()},
};
INSTANTIATE_TEST_SUITE_P(Lines, GermanLineTest, ::testing::ValuesIn(kLines), [](const auto &info) {
    return velkor_test::exactCaseName(info.param.line);
});

TEST(GermanLine, TheHungarianTextIsCutTo1000CharactersBeforeTrimming)
{
    const QString line = u"x  "_s + QString(1500, u'y');
    // The cut text starts with the two spaces.
    EXPECT_EQ(cleanup::SplitGermanLine(line).hungarian, QString(998, u'y'));
}

TEST(GermanFiles, TwoDigitsAndTheOrderOfTheFiles)
{
    EXPECT_EQ(cleanup::TwoDigits(1), u"01"_s);
    EXPECT_EQ(cleanup::TwoDigits(0), u"00"_s);
    EXPECT_EQ(cleanup::TwoDigits(12), u"12"_s);
    EXPECT_EQ(cleanup::TwoDigits(123), u"123"_s);
    const QStringList files = cleanup::GermanWordListFiles();
    ASSERT_EQ(files.size(), 52);
    EXPECT_EQ(files.front(), u"A01.TXT"_s);
    EXPECT_EQ(files[25], u"Z01.TXT"_s);
    EXPECT_EQ(files[26], u"A02.TXT"_s);
    EXPECT_EQ(files.back(), u"Z02.TXT"_s);
}

TEST(GermanFiles, TheFixedFolderLiesWhereTheDictionaryFolderWould)
{
    EXPECT_EQ(cleanup::GermanWordListFolder(),
              QDir::home().filePath(u"Vegyes/Német-Magyar szótár"_s) + u'/');
}

// --- Whole runs on a folder of word lists

class GermanImportTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        folder = QDir(dir.path()).filePath(u"lists"_s);
        ASSERT_TRUE(QDir().mkpath(folder));
        // Every file there, skipped whole, unless a test says otherwise.
        for (const QString &name : cleanup::GermanWordListFiles())
            write(name, "\xE9\xE9\xE9\r\nNicht  nem\r\n");
        createDictionary();
        table = makeTable();
        table->open();
    }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    platform::Result<cleanup::Outcome> run(ScriptedPrompts &prompts,
                                           const platform::ProgressLines &lines = {})
    {
        return cleanup::ImportGermanWordLists(*table, u"Angol"_s, u"Magyar"_s, folder,
                                              u"Nemet_Magyar.DB"_s, {prompts, {}, lines, {}});
    }

    Pairs pairs()
    {
        Pairs all;
        table->clearIndexName();
        table->first();
        while (!table->eof()) {
            all.emplace_back(source(*table), target(*table));
            table->next();
        }
        return all;
    }

    QString folder;
    std::unique_ptr<store::Table> table;
};

TEST_F(GermanImportTest, AsksShowsBusyAndFinishes)
{
    write(u"C01.TXT"_s, "Haus  h\xE1z\r\n");
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = run(prompts);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(prompts.log(),
              (QStringList{u"ask: Feltöltöd a Nemet_Magyar.DB szótárat német szavakkal?"_s,
                           u"busy: Német szavak feltöltése folyamatban.\nVárj türelemmel..."_s,
                           u"finish: Feltöltés kész"_s}));
    EXPECT_EQ(pairs(), (Pairs{{u"Haus"_s, u"ház"_s}}));
}

TEST_F(GermanImportTest, DeclinedChangesNothing)
{
    write(u"C01.TXT"_s, "Haus  h\xE1z\r\n");
    ScriptedPrompts prompts({Prompts::kCancel});
    const auto result = run(prompts);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result->command, store::FileCommand::Cancelled);
    EXPECT_TRUE(pairs().empty());
}

struct FileCase {
    const char *name;
    QByteArray bytes;
    Pairs added;
};

class GermanFileTest : public GermanImportTest, public ::testing::WithParamInterface<FileCase> {};

TEST_P(GermanFileTest, AddsThePairsOfTheFile)
{
    write(u"A01.TXT"_s, GetParam().bytes);
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = run(prompts);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(pairs(), GetParam().added);
}

const FileCase kFiles[] = {
    {"SkipMarkerWithBlanks", "  \xE9\xE9\xE9  \r\nHaus  h\xE1z\r\n", {}},
    {"LastLineWithoutBreak",
     "Haus  h\xE1z\r\nAuto  aut\xF3",
     {{u"Haus"_s, u"ház"_s}, {u"Auto"_s, u"autó"_s}}},
    {"OneLineThatIsNoMarker", "Haus  h\xE1z", {{u"Haus"_s, u"ház"_s}}},
    {"LoneCarriageReturns",
     "Haus  h\xE1z\rAuto  aut\xF3\r",
     {{u"Haus"_s, u"ház"_s}, {u"Auto"_s, u"autó"_s}}},
    {"LineFeedsAndEmptyLines",
     "Haus  h\xE1z\n\n\nAuto  aut\xF3\n",
     {{u"Haus"_s, u"ház"_s}, {u"Auto"_s, u"autó"_s}}},
    {"CtrlZEndsTheFile",
     "Haus  h\xE1z\r\n\x1a"
     "Auto  aut\xF3\r\n",
     {{u"Haus"_s, u"ház"_s}}},
    {"Windows1250", "H\xE4nde  k\xE9z\r\n", {{u"Hände"_s, u"kéz"_s}}},
    {"Utf8", "H\xC3\xA4nde  k\xC3\xA9z\n", {{u"Hände"_s, u"kéz"_s}}},
    {"Utf8WithMark", "\xEF\xBB\xBFHaus  h\xC3\xA1z\n", {{u"Haus"_s, u"ház"_s}}},
    {"InvalidUtf8ReadAsWindows1250",
     "Stra\xC3\x9F"
     "e\xFF  utca\n",
     {{u"StraĂźe˙"_s, u"utca"_s}}},
    {"PairsDifferingInCaseAddOne", "Haus  h\xE1z\nhaus  H\xE1Z\n", {{u"Haus"_s, u"ház"_s}}},
    {"Empty", "", {}},
    // The mark before Windows-1250 bytes used to defeat the skip marker.
    {"MarkBeforeWindows1250DoesNotDefeatTheSkipMarker",
     "\xEF\xBB\xBF\xE9\xE9\xE9\r\nHaus  h\xE1z\r\n",
     {}},
    {"MarkBeforeWindows1250IsDropped",
     "\xEF\xBB\xBFH\xE4nde  k\xE9z\r\n",
     {{u"Hände"_s, u"kéz"_s}}},
    {"DecomposedAccentsAreComposed",
     "Ha\xCC\x88nde  k\xC3\xA9z\nH\xC3\xA4nde  ke\xCC\x81z\n",
     {{u"Hände"_s, u"kéz"_s}}},
    {"EncodingIsDecidedBeforeCtrlZ",
     "H\xC3\xA4nde  k\xC3\xA9z\r\n\x1a\xFF",
     {{u"Hände"_s, u"kéz"_s}}},
    // With line feeds in the file, a lone CR ends the text, as in the import.
    {"LoneCarriageReturnBesideLineFeeds",
     "Haus  h\xE1z\rAuto  aut\xF3\nBaum  fa\n",
     {{u"Haus"_s, u"ház"_s}, {u"Baum"_s, u"fa"_s}}},
    {"HugeLineIsStoredCut",
     "Haus  " + QByteArray(3 * 1024 * 1024, 'y') + "\r\nAuto  aut\xF3\r\n",
     {{u"Haus"_s, QString(50, u'y')}, {u"Auto"_s, u"autó"_s}}},
};
INSTANTIATE_TEST_SUITE_P(Files, GermanFileTest, ::testing::ValuesIn(kFiles),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(GermanImportTest, AMissingFileEndsTheRunNamingItAndKeepsWhatWasAdded)
{
    write(u"Z01.TXT"_s, "Haus  h\xE1z\r\n");
    write(u"A02.TXT"_s, "Auto  aut\xF3\r\n");
    write(u"C02.TXT"_s, "Baum  fa\r\n");
    ASSERT_TRUE(QFile::remove(QDir(folder).filePath(u"B02.TXT"_s)));
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = run(prompts);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(u"Nem található"_s));
    EXPECT_TRUE(result.error().contains(u"B02.TXT"_s)) << result.error().toStdString();
    EXPECT_EQ(prompts.log().back(), u"hide"_s);
    EXPECT_FALSE(prompts.busy());
    EXPECT_EQ(pairs(), (Pairs{{u"Haus"_s, u"ház"_s}, {u"Auto"_s, u"autó"_s}}));
}

TEST_F(GermanImportTest, TheLineCounterRunsOnAcrossFiles)
{
    QByteArray first, second;
    for (int i = 0; i < 60; ++i) {
        first += "eins" + QByteArray::number(i) + "  egy\r\n";
        second += "zwei" + QByteArray::number(i) + "  kett\xF5\r\n";
    }
    write(u"A01.TXT"_s, first);
    write(u"B01.TXT"_s, second);
    ScriptedPrompts prompts({Prompts::kYes});
    QStringList lines;
    const auto result = run(
        prompts, [&](const QString &text, const QString &count) { lines << text + u'|' + count; });
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(lines, (QStringList{u"zwei39|100"_s}));
    EXPECT_EQ(pairs().size(), 120u);
}

TEST_F(GermanImportTest, LinesCutAtALoneCrAreToldAfterTheFinish)
{
    write(u"A01.TXT"_s, "Haus  h\xE1z\rAuto\nBaum  fa\r\n");
    write(u"B01.TXT"_s, "Hund  kutya\rKatze\n");
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = run(prompts);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    ASSERT_GE(prompts.log().size(), 2);
    EXPECT_EQ(prompts.log()[prompts.log().size() - 2], u"finish: Feltöltés kész"_s);
    EXPECT_TRUE(prompts.log().last().startsWith(u"info: 2 sorban"_s))
        << prompts.log().last().toStdString();
}

TEST_F(GermanImportTest, AReadOnlyDictionaryIsRefusedBeforeTheQuestion)
{
    table->close();
    QFile::setPermissions(path(),
                          QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
    table->open();
    ScriptedPrompts prompts({Prompts::kYes});
    const auto result = run(prompts);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(u"csak olvasható"_s));
    EXPECT_TRUE(prompts.log().isEmpty());
}

} // namespace

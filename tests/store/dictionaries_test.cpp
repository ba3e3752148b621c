// Creating, listing and opening dictionaries without any window.
#include "support/dictionary_fixture.h"

#include "store/appstate.h"
#include "store/dictionaries.h"
#include "store/dictionaryfile.h"
#include "store/dictionaryformat.h"
#include "store/dm1.h"
#include "store/engine/engine_error.h"
#include "store/opendictionary.h"
#include "support/failing_vfs.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QFile>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

bool touch(const QString &path, const QByteArray &content = "x")
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

// --- CreateDictionaryFile: the one schema.

class CreateFileTest : public DictionaryFixture {};

TEST_F(CreateFileTest, HasTheKeyTheTwoFieldsAndTheirIndexes)
{
    store::CreateDictionaryFile(path(u"Nemet_Portugal.DB"_s), u"Nemet"_s, u"Portugal"_s);
    store::Table table(session);
    velkor_test::bindTable(table, path(u"Nemet_Portugal.DB"_s));
    EXPECT_EQ(table.columnNames(), (QStringList{u"Azon"_s, u"Nemet"_s, u"Portugal"_s}));
    EXPECT_EQ(table.indexNames(), (QStringList{u"Nemet"_s, u"Portugal"_s}));
    // The texts are cut to the field size, and the indexes ignore case.
    store::Field *first = table.addField(u"Nemet"_s);
    store::Field *second = table.addField(u"Portugal"_s);
    table.open();
    table.append();
    first->setAsString(QString(store::kTextFieldSize + 7, u'a'));
    second->setAsString(u"Casa"_s);
    table.post();
    table.setIndexFieldNames(u"Portugal"_s);
    EXPECT_TRUE(table.locate(u"Portugal"_s, u"CASA"_s, store::LocateOption::CaseInsensitive));
    EXPECT_EQ(first->asString().size(), store::kTextFieldSize);
}

TEST_F(CreateFileTest, AnExistingFileIsRefusedAndKept)
{
    ASSERT_TRUE(touch(path(), "nem tábla"));
    EXPECT_THROW(store::CreateDictionaryFile(path(), u"Angol"_s, u"Magyar"_s), store::EngineError);
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("nem tábla"));
}

// --- CreateDictionaryTable: the file name rule and the names it refuses.

struct NameCase {
    const char *label;
    QStringList existing; // entries already in the folder
    const char16_t *expected;
};

void PrintTo(const NameCase &c, std::ostream *os)
{
    *os << c.label;
}

class NewFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NewFileNameTest, TakesTheFirstFreeName)
{
    QTemporaryDir dir;
    for (const QString &name : GetParam().existing)
        ASSERT_TRUE(touch(QDir(dir.path()).filePath(name)));
    const auto created = store::CreateDictionaryTable(dir.path(), u"Nemet"_s, u"Portugal"_s);
    ASSERT_TRUE(created.ok()) << created.error().toStdString();
    EXPECT_EQ(*created, QDir(dir.path()).filePath(QString::fromUtf16(GetParam().expected)));
    EXPECT_TRUE(QFileInfo(*created).isFile());
}

INSTANTIATE_TEST_SUITE_P(
    Folders, NewFileNameTest,
    ::testing::Values(
        NameCase{"Empty", {}, u"Nemet_Portugal.DB"},
        NameCase{"PlainAndFirstNumberTaken",
                 {u"Nemet_Portugal.DB"_s, u"Nemet_Portugal1.DB"_s},
                 u"Nemet_Portugal2.DB"},
        NameCase{"OnlyNumberedTaken", {u"Nemet_Portugal1.DB"_s}, u"Nemet_Portugal.DB"},
        NameCase{"TakenInOtherLetterCase", {u"nemet_portugal.db"_s}, u"Nemet_Portugal1.DB"},
        NameCase{"OtherPairDoesNotCount", {u"Angol_Magyar.DB"_s}, u"Nemet_Portugal.DB"}),
    [](const ::testing::TestParamInfo<NameCase> &info) { return std::string(info.param.label); });

TEST(CreateDictionaryTable, TrimsTheNamesAndTheNewTableOpensWithThem)
{
    QTemporaryDir dir;
    const auto created = store::CreateDictionaryTable(dir.path(), u"  Nemet "_s, u"\tPortugal  "_s);
    ASSERT_TRUE(created.ok()) << created.error().toStdString();
    EXPECT_EQ(QFileInfo(*created).fileName(), u"Nemet_Portugal.DB"_s);
    TDM1 dm;
    AppState state;
    ScriptedPrompts prompts;
    const auto opened = store::OpenDictionary(dm, state, *created, {}, prompts);
    ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
    EXPECT_EQ(state.FromColumn, u"Nemet"_s);
    EXPECT_EQ(state.ToColumn, u"Portugal"_s);
    EXPECT_EQ(dm.tblSzotarP.recordCount(), 0);
}

struct BadNamesCase {
    const char *label;
    const char16_t *first;
    const char16_t *second;
};

void PrintTo(const BadNamesCase &c, std::ostream *os)
{
    *os << c.label;
}

class BadNamesTest : public ::testing::TestWithParam<BadNamesCase> {};

// Such names gave a table whose file name does not give back its fields, so
// it could never be opened; now nothing is written.
TEST_P(BadNamesTest, AreRefusedBeforeAnythingIsWritten)
{
    QTemporaryDir dir;
    const auto created = store::CreateDictionaryTable(
        dir.path(), QString::fromUtf16(GetParam().first), QString::fromUtf16(GetParam().second));
    ASSERT_FALSE(created.ok());
    EXPECT_TRUE(created.error().startsWith(u"Nem sikerült létrehozni az állományt\n"_s))
        << created.error().toStdString();
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Names, BadNamesTest,
    ::testing::Values(BadNamesCase{"EmptyFirst", u"", u"Magyar"},
                      BadNamesCase{"BlankSecond", u"Angol", u"   "},
                      BadNamesCase{"UnderscoreInFirst", u"Nemet_Svajci", u"Magyar"},
                      BadNamesCase{"DotInName", u"Angol", u"Magyar.regi"},
                      BadNamesCase{"TrailingDigits", u"Angol", u"Magyar2"},
                      BadNamesCase{"Slash", u"../Angol", u"Magyar"},
                      BadNamesCase{"Backslash", u"Angol", u"Ma\\gyar"},
                      BadNamesCase{"EqualNames", u"Angol", u"angol"},
                      BadNamesCase{"KeyFieldName", u"Azon", u"Magyar"},
                      // Names that no common file system takes, or
                      // that show otherwise than they are stored.
                      BadNamesCase{"Asterisk", u"Angol*", u"Magyar"},
                      BadNamesCase{"QuestionMark", u"Angol", u"Ma?gyar"},
                      BadNamesCase{"Quote", u"\"Angol\"", u"Magyar"},
                      BadNamesCase{"AngleBrackets", u"<Angol>", u"Magyar"},
                      BadNamesCase{"Bar", u"Angol|", u"Magyar"},
                      BadNamesCase{"Colon", u"Angol", u"C:Magyar"},
                      BadNamesCase{"InnerTab", u"Angol", u"Ma\tgyar"},
                      BadNamesCase{"RightToLeftOverride", u"Angol\u202E", u"Magyar"},
                      BadNamesCase{"LeftToRightEmbedding", u"\u202AAngol", u"Magyar"},
                      BadNamesCase{"DirectionIsolate", u"Angol", u"Mag\u2067yar"},
                      BadNamesCase{"RightToLeftMark", u"Angol", u"Magyar\u200F"},
                      BadNamesCase{"ZeroWidthSpace", u"An\u200Bgol", u"Magyar"},
                      BadNamesCase{"ZeroWidthJoiner", u"Angol", u"Ma\u200Dgyar"},
                      BadNamesCase{"ByteOrderMark", u"An\uFEFFgol", u"Magyar"},
                      BadNamesCase{"LoneSurrogate", u"Angol\xD800", u"Magyar"}),
    [](const ::testing::TestParamInfo<BadNamesCase> &info) {
        return std::string(info.param.label);
    });

TEST(CreateDictionaryTable, AMissingFolderIsAFailure)
{
    QTemporaryDir dir;
    const auto created =
        store::CreateDictionaryTable(QDir(dir.path()).filePath(u"nincs"_s), u"A"_s, u"B"_s);
    ASSERT_FALSE(created.ok());
    EXPECT_TRUE(created.error().startsWith(u"Nem sikerült létrehozni az állományt"_s));
}

// --- ListDictionaries.

TEST(ListDictionaries, RegularDictionaryFilesOnlySortedByTheCollation)
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const QString &name : {u"Zulu_Angol.DB"_s, u"Angol_Magyar.DB"_s, u"Észt_Magyar.db"_s,
                                u"Ezt_Magyar.DB"_s, u"2024.DB"_s, u"jegyzet.txt"_s})
        ASSERT_TRUE(touch(folder.filePath(name)));
    ASSERT_TRUE(folder.mkdir(u"Mappa_Nev.DB"_s));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.filePath(u"Cso_Vezetek.DB"_s)).constData(), 0600), 0);
    ASSERT_TRUE(
        QFile::link(folder.filePath(u"Angol_Magyar.DB"_s), folder.filePath(u"Link_Angol.DB"_s)));
    ASSERT_TRUE(QFile::link(folder.filePath(u"nincs.DB"_s), folder.filePath(u"Torott_Link.DB"_s)));

    EXPECT_EQ(store::ListDictionaries(dir.path()),
              (QStringList{u"Angol_Magyar"_s, u"Ezt_Magyar"_s, u"Észt_Magyar"_s, u"Link_Angol"_s,
                           u"Zulu_Angol"_s}));
}

TEST(ListDictionaries, AMissingFolderListsNothing)
{
    QTemporaryDir dir;
    EXPECT_TRUE(store::ListDictionaries(QDir(dir.path()).filePath(u"nincs"_s)).isEmpty());
    EXPECT_TRUE(store::ListDictionaries(QString()).isEmpty());
}

// --- OpenDictionary.

class OpenTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionary();
        auto table = makeTable();
        table->open();
        addAll(*table, {{u"pear"_s, u"körte"_s}, {u"apple"_s, u"alma"_s}, {u"cat"_s, u"macska"_s}});
    }

    platform::Status open(const QString &name = u"Angol_Magyar.DB"_s, bool reversed = false)
    {
        return store::OpenDictionary(
            dm, state, path(name),
            [&](const QString &fileName) {
                asked << fileName;
                return reversed;
            },
            prompts);
    }

    QStringList indexNames()
    {
        store::Table table(session);
        velkor_test::bindTable(table, path());
        return table.indexNames();
    }

    TDM1 dm;
    AppState state;
    ScriptedPrompts prompts;
    QStringList asked;
};

TEST_F(OpenTest, OpensInSourceOrderOnTheFirstRowInBothDirections)
{
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed);
        const auto opened = open(u"Angol_Magyar.DB"_s, reversed);
        ASSERT_TRUE(opened.ok()) << opened.error().toStdString();
        EXPECT_EQ(state.DictionaryFile, path());
        EXPECT_EQ(state.DatabaseDir, dir.path());
        EXPECT_EQ(state.DatabasePath, dir.path() + u'/');
        EXPECT_EQ(state.FromColumn, reversed ? u"Magyar"_s : u"Angol"_s);
        EXPECT_EQ(state.ToColumnIndex, reversed ? 0 : 1);
        EXPECT_TRUE(dm.tblSzotarP.isOpen());
        EXPECT_EQ(dm.tblSzotarP.indexFieldNames(), state.FromColumn);
        EXPECT_EQ(dm.tblSzotarPAngol->asString(), reversed ? u"alma"_s : u"apple"_s);
        EXPECT_FALSE(dm.tblSzotarP2.isOpen());
        EXPECT_EQ(dm.tblSzotarP2.tableName(), u"Angol_Magyar.DB"_s);
        EXPECT_EQ(dm.tblSzotarP2.indexFieldNames(), state.FromColumn);
    }
    EXPECT_EQ(asked, (QStringList{u"Angol_Magyar.DB"_s, u"Angol_Magyar.DB"_s}));
    // The indexes the program creates serve without a rebuild.
    EXPECT_TRUE(prompts.log().isEmpty()) << prompts.log().join(u" | "_s).toStdString();
}

TEST_F(OpenTest, TheRebuildMarkerRebuildsOnceAndIsRemoved)
{
    const QString marker = store::sideFile(path(), store::kRebuildMarkerExtension);
    ASSERT_TRUE(touch(marker));
    ASSERT_TRUE(open().ok());
    EXPECT_FALSE(QFileInfo::exists(marker));
    EXPECT_EQ(indexNames(), (QStringList{u"iAngol"_s, u"iMagyar"_s}));
    EXPECT_EQ(prompts.log().filter(u"finish: "_s), QStringList{u"finish: Indexelés kész"_s});
    EXPECT_EQ(dm.tblSzotarP.indexFieldNames(), u"Angol"_s);
    EXPECT_EQ(dm.tblSzotarPAngol->asString(), u"apple"_s);

    dm.tblSzotarP.close();
    ASSERT_TRUE(open().ok());
    EXPECT_EQ(prompts.log().filter(u"finish: "_s).size(), 1);
}

TEST_F(OpenTest, MissingIndexesAreRebuilt)
{
    {
        auto table = makeTable();
        table->deleteIndex(u"Magyar"_s);
    }
    ASSERT_TRUE(open(u"Angol_Magyar.DB"_s, true).ok());
    // The source language of the direction is indexed first.
    EXPECT_EQ(indexNames(), (QStringList{u"iMagyar"_s, u"iAngol"_s}));
    EXPECT_EQ(dm.tblSzotarP.indexFieldNames(), u"Magyar"_s);
}

TEST_F(OpenTest, AFileThatWillNotOpenChangesNothing)
{
    ASSERT_TRUE(open().ok());
    const AppState before = state;
    ASSERT_TRUE(touch(path(u"Szoveg_Fajl.DB"_s), "nem tábla"));
    for (const QString &name : {u"Nincs_Ilyen.DB"_s, u"Szoveg_Fajl.DB"_s}) {
        SCOPED_TRACE(name.toStdString());
        const auto opened = open(name);
        ASSERT_FALSE(opened.ok());
        EXPECT_FALSE(opened.error().isEmpty());
        EXPECT_EQ(state.DictionaryFile, before.DictionaryFile);
        EXPECT_EQ(state.FromColumn, before.FromColumn);
        EXPECT_TRUE(dm.tblSzotarP.isOpen()); // the dictionary open before stays open
    }
    EXPECT_EQ(asked.size(), 1);
}

TEST_F(OpenTest, FieldsThatDoNotMatchTheNameFailWithTheTableClosed)
{
    ASSERT_TRUE(QFile::copy(path(), path(u"Nemet_Portugal.DB"_s)));
    const auto opened = open(u"Nemet_Portugal.DB"_s);
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(dm.tblSzotarP.isOpen());
    EXPECT_EQ(state.DictionaryFile, path(u"Nemet_Portugal.DB"_s));
}

TEST_F(OpenTest, AFailingRebuildFailsTheOpenAndKeepsTheMarker)
{
    const QString marker = store::sideFile(path(), store::kRebuildMarkerExtension);
    ASSERT_TRUE(touch(marker));
    failing_vfs::DefaultScope vfs;
    TDM1 failing; // its connections go through the failing VFS
    failing_vfs::armAfter(0, failing_vfs::Failure::IoError);
    const auto opened = store::OpenDictionary(failing, state, path(), {}, prompts);
    failing_vfs::disarm();
    ASSERT_FALSE(opened.ok());
    EXPECT_FALSE(opened.error().isEmpty());
    EXPECT_FALSE(failing.tblSzotarP.isOpen());
    EXPECT_TRUE(QFileInfo::exists(marker));
    EXPECT_FALSE(prompts.busy());
    EXPECT_EQ(prompts.log().last(), u"hide"_s);
}

} // namespace

// Dropping and rebuilding the language indexes of a dictionary.
#include "store/dictionaryformat.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "store/indexupkeep.h"
#include "support/dictionary_files.h"
#include "support/failing_vfs.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

void runSql(const QString &path, const char *sql)
{
    sqlite3 *db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(path).constData(), &db), SQLITE_OK);
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << sql;
}

class IndexUpkeep : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        velkor_test::makeDictionary(path());
        table = makeTable();
        table->open();
        velkor_test::appendPairs(*table, {{u"house"_s, u"ház"_s}, {u"apple"_s, u"alma"_s}});
    }

    QString path(const QString &extension = u".DB"_s) const
    {
        return QDir(dir.path()).filePath(u"Angol_Magyar"_s + extension);
    }

    std::unique_ptr<store::Table> makeTable()
    {
        auto made = std::make_unique<store::Table>(session);
        velkor_test::bindTable(*made, path());
        made->addField(u"Angol"_s);
        made->addField(u"Magyar"_s);
        return made;
    }

    QStringList languageIndexes()
    {
        return store::LanguageIndexes(*table, u"Angol"_s, u"Magyar"_s);
    }

    // Replaces the program's indexes by the given ones (name, fields).
    void setIndexes(const std::vector<std::pair<QString, QString>> &indexes)
    {
        table->close();
        for (const QString &name : table->indexNames())
            table->deleteIndex(name);
        for (const auto &[name, fields] : indexes)
            table->addIndex(name, fields);
        table->open();
    }

    QTemporaryDir dir;
    store::Session session;
    std::unique_ptr<store::Table> table;
};

// --- Index sets a dictionary may carry, and what drop and rebuild leave.

struct IndexSetCase {
    const char *label;
    std::vector<std::pair<const char16_t *, const char16_t *>> indexes;
};

void PrintTo(const IndexSetCase &c, std::ostream *os)
{
    *os << c.label;
}

const IndexSetCase kIndexSets[] = {
    {"FieldNamed", {{u"Angol", u"Angol"}, {u"Magyar", u"Magyar"}}},
    {"RebuiltNames", {{u"iAngol", u"Angol"}, {u"iMagyar", u"Magyar"}}},
    {"BothKinds",
     {{u"Angol", u"Angol"},
      {u"Magyar", u"Magyar"},
      {u"iAngol", u"Angol"},
      {u"iMagyar", u"Magyar"}}},
    {"OtherNamesAndAPair", {{u"Kereses", u"Magyar"}, {u"Par", u"Angol;Magyar"}}},
    {"OnlyOne", {{u"iMagyar", u"Magyar"}}},
    {"None", {}},
};

class IndexSets : public IndexUpkeep, public ::testing::WithParamInterface<IndexSetCase> {
protected:
    void SetUp() override
    {
        IndexUpkeep::SetUp();
        std::vector<std::pair<QString, QString>> indexes;
        for (const auto &[name, fields] : GetParam().indexes)
            indexes.emplace_back(QString::fromUtf16(name), QString::fromUtf16(fields));
        setIndexes(indexes);
    }
};

TEST_P(IndexSets, DropLeavesNoIndexOnALanguageColumn)
{
    ScriptedPrompts prompts({platform::Prompts::kYes});
    EXPECT_EQ(store::DropIndexes(*table, u"Angol"_s, u"Magyar"_s, prompts),
              store::DropOutcome::Dropped);
    EXPECT_EQ(prompts.log(),
              (QStringList{u"ask: Biztosan törlöd az indexeket?"_s, u"info: Indexek törölve"_s}));
    EXPECT_TRUE(languageIndexes().isEmpty()) << languageIndexes().join(u", "_s).toStdString();
    // Open again, shared, in key order, with its rows.
    EXPECT_TRUE(table->isOpen());
    EXPECT_TRUE(table->indexFieldNames().isEmpty());
    EXPECT_EQ(table->recordCount(), 2);
    EXPECT_THROW(table->setIndexFieldNames(u"Angol"_s), store::EngineError);
}

TEST_P(IndexSets, RebuildLeavesExactlyTheTwoRebuiltIndexes)
{
    ScriptedPrompts prompts;
    const platform::Status rebuilt =
        store::RebuildIndexes(*table, u"Angol"_s, u"Magyar"_s, prompts);
    ASSERT_TRUE(rebuilt.ok()) << rebuilt.error().toStdString();
    EXPECT_EQ(table->indexNames(), (QStringList{u"iAngol"_s, u"iMagyar"_s}));
    EXPECT_TRUE(table->isOpen());
    table->setIndexFieldNames(u"Magyar"_s);
    table->first();
    EXPECT_EQ(table->findField(u"Magyar"_s)->asString(), u"alma"_s);
}

INSTANTIATE_TEST_SUITE_P(Dictionaries, IndexSets, ::testing::ValuesIn(kIndexSets),
                         [](const ::testing::TestParamInfo<IndexSetCase> &info) {
                             return std::string(info.param.label);
                         });

// --- Dropping.

TEST_F(IndexUpkeep, AnIndexOnTheKeyIsNoLanguageIndexAndStays)
{
    table->close();
    runSql(path(), "CREATE INDEX Kulcs ON \"Angol_Magyar\" (Azon)");
    ScriptedPrompts prompts({platform::Prompts::kYes});
    EXPECT_EQ(store::DropIndexes(*table, u"Angol"_s, u"Magyar"_s, prompts),
              store::DropOutcome::Dropped);
    EXPECT_EQ(table->indexNames(), QStringList{u"Kulcs"_s});
}

TEST_F(IndexUpkeep, AnyAnswerButIgenLeavesTheTableOpenAndUntouched)
{
    table->setIndexFieldNames(u"Magyar"_s);
    for (const QChar answer : {platform::Prompts::kCancel, platform::Prompts::kNo, QChar(u'x')}) {
        ScriptedPrompts prompts({answer});
        EXPECT_EQ(store::DropIndexes(*table, u"Angol"_s, u"Magyar"_s, prompts),
                  store::DropOutcome::Declined);
        EXPECT_EQ(prompts.log(), QStringList{u"ask: Biztosan törlöd az indexeket?"_s});
        EXPECT_TRUE(table->isOpen());
        EXPECT_EQ(table->indexFieldNames(), u"Magyar"_s);
        EXPECT_EQ(languageIndexes(), (QStringList{u"Angol"_s, u"Magyar"_s}));
    }
}

// Dropping used to swallow every engine error and report success.
TEST_F(IndexUpkeep, AFailedDropIsReportedNotCalledDone)
{
    failing_vfs::DefaultScope vfs;
    store::Session failingSession; // opens its file through the failing VFS
    store::Table failing(failingSession);
    failing.setDatabaseName(dir.path());
    failing.setTableName(u"Angol_Magyar.DB"_s);
    table->close();
    failing.open();
    failing_vfs::armAfter(0, failing_vfs::Failure::IoError);
    ScriptedPrompts prompts({platform::Prompts::kYes});
    EXPECT_EQ(store::DropIndexes(failing, u"Angol"_s, u"Magyar"_s, prompts),
              store::DropOutcome::Failed);
    failing_vfs::disarm();
    ASSERT_EQ(prompts.log().size(), 2);
    EXPECT_TRUE(prompts.log()[1].startsWith(u"info: "_s));
    EXPECT_FALSE(prompts.log().contains(u"info: Indexek törölve"_s));
    EXPECT_TRUE(failing.isOpen());
}

// --- Rebuilding.

TEST_F(IndexUpkeep, RebuildShowsBusyProgressAndDoneAndRemovesTheSideFiles)
{
    QStringList sideFiles{path(u".nip"_s)};
    for (const char *extension : store::kIndexFileExtensions)
        sideFiles << store::sideFile(path(), extension);
    for (const QString &file : sideFiles)
        ASSERT_TRUE(touch(file));
    ScriptedPrompts prompts;
    ASSERT_TRUE(store::RebuildIndexes(*table, u"Angol"_s, u"Magyar"_s, prompts).ok());
    EXPECT_EQ(prompts.log(),
              (QStringList{u"busy: Az Angol-Magyar szótár indexelése folyamatban van.\n"
                           "Ez több percig is tarthat.\nVárj türelemmel..."_s,
                           u"progress: 50% kész..."_s, u"finish: Indexelés kész"_s}));
    for (const QString &file : sideFiles)
        EXPECT_FALSE(QFileInfo::exists(file)) << file.toStdString();
}

struct BusyCase {
    const char *label;
    const char16_t *from;
    const char16_t *to;
    const char16_t *start;
};

void PrintTo(const BusyCase &c, std::ostream *os)
{
    *os << c.label;
}

class BusyTextTest : public ::testing::TestWithParam<BusyCase> {};

// The article follows the first column's initial, accented vowels included;
// the first column's index is built first.
TEST_P(BusyTextTest, NamesTheDirectionWithItsArticle)
{
    QTemporaryDir dir;
    const QString from = QString::fromUtf16(GetParam().from);
    const QString to = QString::fromUtf16(GetParam().to);
    const QString name = to + u'_' + from + u".DB"_s;
    const QString file = QDir(dir.path()).filePath(name);
    velkor_test::makeDictionary(file, to, from);
    store::Session session;
    store::Table table(session);
    velkor_test::bindTable(table, file);
    ScriptedPrompts prompts;
    ASSERT_TRUE(store::RebuildIndexes(table, from, to, prompts).ok());
    EXPECT_TRUE(
        prompts.log().front().startsWith(u"busy: "_s + QString::fromUtf16(GetParam().start)))
        << prompts.log().front().toStdString();
    EXPECT_EQ(table.indexNames(), (QStringList{u"i"_s + from, u"i"_s + to}));
}

INSTANTIATE_TEST_SUITE_P(
    Columns, BusyTextTest,
    ::testing::Values(BusyCase{"MagyarAngol", u"Magyar", u"Angol", u"A Magyar-Angol "},
                      BusyCase{"EsztAngol", u"Észt", u"Angol", u"Az Észt-Angol "},
                      BusyCase{"AngolEszt", u"Angol", u"Észt", u"Az Angol-Észt "},
                      BusyCase{"NemetOlasz", u"Nemet", u"Olasz", u"A Nemet-Olasz "}),
    [](const ::testing::TestParamInfo<BusyCase> &info) { return std::string(info.param.label); });

TEST_F(IndexUpkeep, AFailedRebuildKeepsTheMarkerHidesTheNoticeAndReopens)
{
    ASSERT_TRUE(touch(path(u".nip"_s)));
    failing_vfs::DefaultScope vfs;
    store::Session failingSession;
    store::Table failing(failingSession);
    failing.setDatabaseName(dir.path());
    failing.setTableName(u"Angol_Magyar.DB"_s);
    table->close();
    failing.open();
    failing_vfs::armAfter(0, failing_vfs::Failure::IoError);
    ScriptedPrompts prompts;
    const platform::Status rebuilt =
        store::RebuildIndexes(failing, u"Angol"_s, u"Magyar"_s, prompts);
    failing_vfs::disarm();
    ASSERT_FALSE(rebuilt.ok());
    EXPECT_FALSE(rebuilt.error().isEmpty());
    EXPECT_FALSE(prompts.busy());
    EXPECT_EQ(prompts.log().last(), u"hide"_s);
    EXPECT_TRUE(QFileInfo::exists(path(u".nip"_s)));
    EXPECT_TRUE(failing.isOpen());
}

} // namespace

// Emptying and deleting dictionary files and changing the database folder.
#include "support/dictionary_fixture.h"

#include "store/appstate.h"
#include "store/dictionaryfiles.h"
#include "support/failing_vfs.h"
#include "support/scripted_prompts.h"

#include <QFile>
#include <QLockFile>

#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using platform::Prompts;
using store::FileCommand;

bool touch(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
}

const std::vector<std::pair<QString, QString>> kPairs{{u"dog"_s, u"kutya"_s},
                                                      {u"cat"_s, u"macska"_s}};

// The answers that must change nothing: a no to either question.
struct Refusal {
    const char *name;
    std::deque<QChar> answers;
    int questions; // how many were asked
};

const Refusal kRefusals[] = {
    {"MegsemFirst", {Prompts::kCancel}, 1},
    {"IgenThenMegsem", {Prompts::kYes, Prompts::kCancel}, 2},
    {"IgenThenOther", {Prompts::kYes, Prompts::kNo}, 2},
};

class DictionaryFilesTest : public DictionaryFixture,
                            public ::testing::WithParamInterface<Refusal> {};

TEST_P(DictionaryFilesTest, EmptyingChangesNothingWithoutTwoYeses)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts(GetParam().answers);
    const auto result = store::EmptyDictionary(*table, path(), prompts);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, FileCommand::Cancelled);
    EXPECT_EQ(prompts.log().size(), GetParam().questions);
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->recordCount(), 2);
}

TEST_P(DictionaryFilesTest, DeletingChangesNothingWithoutTwoYeses)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    bool closed = false;
    ScriptedPrompts prompts(GetParam().answers);
    const auto result = store::DeleteDictionary(
        *table, path(), [&] { closed = true; }, prompts);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(*result, FileCommand::Cancelled);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->recordCount(), 2);
    EXPECT_TRUE(QFile::exists(path()));
}

INSTANTIATE_TEST_SUITE_P(Answers, DictionaryFilesTest, ::testing::ValuesIn(kRefusals),
                         [](const auto &info) { return std::string(info.param.name); });

class EmptyDictionaryTest : public DictionaryFixture {};

TEST_F(EmptyDictionaryTest, AsksTwiceThenLeavesTheTableOpenWithNoRowsAndItsIndexes)
{
    createDictionaryWith(kPairs);
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
    const auto result = store::EmptyDictionary(*table, path(), prompts);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(*result, FileCommand::Done);
    EXPECT_EQ(prompts.log(), (QStringList{u"ask: "_s + path() + u"\nTörlöd a szótár tartalmát?"_s,
                                          u"ask: Biztosan törlöd a teljes tartalmat?\n"
                                          "(Minden adat el fog veszni!)"_s}));
    EXPECT_TRUE(table->isOpen());
    EXPECT_EQ(table->recordCount(), 0);
    EXPECT_EQ(table->indexNames(), (QStringList{u"Angol"_s, u"Magyar"_s}));
    add(*table, u"new"_s, u"új"_s); // still usable
    EXPECT_EQ(table->recordCount(), 1);
}

TEST_F(EmptyDictionaryTest, AFullDiskKeepsEveryRowAndSaysWhy)
{
    createDictionaryWith(kPairs);
    failing_vfs::install();
    std::unique_ptr<store::Table> table;
    {
        failing_vfs::DefaultScope vfs; // the table's connection writes through it
        store::Session failingSession;
        table = std::make_unique<store::Table>(failingSession);
        velkor_test::bindTable(*table, path());
        table->open();
        ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
        std::optional<platform::Result<FileCommand>> result;
        {
            failing_vfs::ArmedScope full(0, failing_vfs::Failure::DiskFull);
            result.emplace(store::EmptyDictionary(*table, path(), prompts));
        }
        ASSERT_FALSE(result->ok());
        EXPECT_FALSE(result->error().isEmpty());
        table->close();
        table.reset();
    }
    auto reader = makeTable();
    reader->open();
    EXPECT_EQ(reader->recordCount(), 2);
}

class DeleteDictionaryTest : public DictionaryFixture {};

TEST_F(DeleteDictionaryTest, RemovesTheTableWithEveryFileKeptForItAndNothingElse)
{
    createDictionaryWith(kPairs);
    const QString base = QDir(dir.path()).filePath(u"Angol_Magyar"_s);
    const QStringList sideFiles{base + u".DB-journal"_s,
                                base + u".XG0"_s,
                                base + u".YG0"_s,
                                base + u".XG1"_s,
                                base + u".YG1"_s,
                                base + u".nip"_s,
                                base + u".mentes"_s,
                                base + u".mentes-wal"_s,
                                base + u".mentes-shm"_s,
                                base + u".DB.mentes"_s,
                                base + u".DB.mentes-wal"_s,
                                base + u".DB.mentes-shm"_s,
                                base + u".DB.mentes-journal"_s};
    for (const QString &file : sideFiles)
        ASSERT_TRUE(touch(file));
    // The lock file of a clean-up whose program was killed.
    const QString lock = base + u".DB.zar"_s;
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        QLockFile held(lock);
        _exit(held.tryLock(0) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(QFile::exists(lock));
    const QStringList others{path(u"Angol_Magyar1.DB"_s), path(u"Angol_Magyar.txt"_s),
                             path(u"Nemet_Magyar.XG0"_s)};
    for (const QString &file : others)
        ASSERT_TRUE(touch(file));
    auto table = makeTable();
    table->open();
    int closeCalls = 0;
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
    const auto result = store::DeleteDictionary(
        *table, path(),
        [&] {
            ++closeCalls;
            table->close();
        },
        prompts);
    ASSERT_TRUE(result.ok()) << result.error().toStdString();
    EXPECT_EQ(*result, FileCommand::Done);
    EXPECT_EQ(closeCalls, 1);
    EXPECT_EQ(prompts.log(),
              (QStringList{u"ask: "_s + path() + u"\nTörlöd a teljes szótárt a lemezről?"_s,
                           u"ask: Biztosan törlöd a teljes szótárt a lemezről?\n"
                           "(Minden adat el fog veszni!)"_s}));
    EXPECT_FALSE(QFile::exists(path()));
    for (const QString &file : sideFiles)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
    EXPECT_FALSE(QFile::exists(lock));
    for (const QString &file : others)
        EXPECT_TRUE(QFile::exists(file)) << file.toStdString();
}

TEST_F(DeleteDictionaryTest, RefusesAFileAnotherConnectionHoldsAndLosesNothing)
{
    createDictionaryWith(kPairs);
    store::Session otherProgram;
    store::Table held(otherProgram);
    velkor_test::bindTable(held, path());
    held.open();
    auto table = makeTable();
    table->open();
    ScriptedPrompts prompts({Prompts::kYes, Prompts::kYes});
    const auto result = store::DeleteDictionary(*table, path(), {}, prompts);
    ASSERT_FALSE(result.ok());
    EXPECT_FALSE(result.error().isEmpty());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_EQ(held.recordCount(), 2);
    table->open();
    EXPECT_EQ(table->recordCount(), 2);
}

TEST(ChangeDatabaseFolder, AddsOneSeparatorUnlessThePathEndsInOne)
{
    const struct {
        QString chosen, path;
    } cases[] = {
        {u"/srv/szotar"_s, u"/srv/szotar/"_s},
        {u"/srv/szotar/"_s, u"/srv/szotar/"_s},
        {u"/"_s, u"/"_s},
    };
    for (const auto &c : cases) {
        AppState state;
        store::ChangeDatabaseFolder(state, c.chosen);
        EXPECT_EQ(state.DatabaseDir, c.chosen);
        EXPECT_EQ(state.DatabasePath, c.path);
    }
}

} // namespace

// Two connections writing one dictionary at once: a new row's key is chosen
// while its writer holds the write lock.
#include "support/dictionary_fixture.h"

#include <QSet>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

using namespace std::chrono_literals;

class ConcurrentWritersTest : public DictionaryFixture {
protected:
    // A table of its own session on the dictionary: another program.
    std::unique_ptr<store::Table> otherProgram(store::Session &own)
    {
        auto table = std::make_unique<store::Table>(own);
        table->setDatabaseName(dir.path());
        table->setTableName(u"Angol_Magyar.DB"_s);
        table->addField(u"Azon"_s, store::FieldType::Integer);
        table->addField(u"Angol"_s);
        table->addField(u"Magyar"_s);
        return table;
    }
};

// The key came from the largest key read before the lock was held: a word
// added in the grid while an import held its batch got the import's key and
// failed with "UNIQUE constraint failed".
TEST_F(ConcurrentWritersTest, ARowAddedWhileAnotherWriterHoldsItsBatchGetsAFreeKey)
{
    createDictionaryWith({{u"dog"_s, u"kutya"_s}});
    store::Session importSession;
    auto import = otherProgram(importSession);
    import->open();
    auto grid = makeTable();
    grid->open();
    ASSERT_EQ(grid->recordCount(), 1); // the grid has seen the largest key

    import->disableControls(); // the import's batch holds the write lock
    add(*import, u"cat"_s, u"macska"_s);
    std::thread finisher([&] {
        std::this_thread::sleep_for(300ms);
        import->enableControls();
    });
    // Waits for the lock, then must take the next key after the import's.
    EXPECT_NO_THROW(add(*grid, u"bird"_s, u"madár"_s));
    finisher.join();

    auto reader = makeTable();
    reader->open();
    QSet<int> keys;
    for (reader->first(); !reader->eof(); reader->next())
        keys << reader->findField(u"Azon"_s)->asInteger();
    EXPECT_EQ(walk(*reader), (QStringList{u"dog"_s, u"cat"_s, u"bird"_s}));
    EXPECT_EQ(keys.size(), 3);
}

// Two imports at once both stopped, one at line 65,540, one at line 1.
TEST_F(ConcurrentWritersTest, TwoImportingProgramsBothFinishAndKeepEveryRow)
{
    createDictionary();
    constexpr int kRows = 40000; // more than two of the engine's transactions
    std::vector<pid_t> children;
    for (const char side : {'a', 'b'}) {
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            int code = 0;
            try {
                store::Session own;
                auto table = otherProgram(own);
                table->open();
                table->disableControls();
                for (int i = 0; i < kRows; ++i)
                    add(*table, QString::number(i) + QLatin1Char(side), u"x"_s);
                table->enableControls();
            } catch (const store::EngineError &error) {
                fprintf(stderr, "%c: %s\n", side, qPrintable(error.message()));
                code = 1;
            }
            _exit(code);
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "an import stopped";
    }
    auto reader = makeTable();
    reader->open();
    EXPECT_EQ(reader->recordCount(), 2 * kRows);
}

} // namespace

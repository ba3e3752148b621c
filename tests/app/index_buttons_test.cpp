// The maintenance panel's index buttons, answered through the question
// dialog as the user answers them.
#include "app/index_buttons.h"
#include "store/appstate.h"
#include "store/dm1.h"
#include "store/indexupkeep.h"
#include "support/dictionary_files.h"
#include "support/failing_vfs.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class IndexButtons : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        // Named like the fields, as every new dictionary and the converted
        // ones are.
        velkor_test::makeDictionary(QDir(dir.path()).filePath(u"Angol_Magyar.DB"_s));
        state.FromColumn = u"Angol"_s;
        state.ToColumn = u"Magyar"_s;
        state.DictionaryFile = QDir(dir.path()).filePath(u"Angol_Magyar.DB"_s);
    }

    // Makes the data module after any failing VFS, so that it opens through it.
    void openDictionary()
    {
        dm = std::make_unique<TDM1>();
        dm->ApplyDirection(state, false);
        dm->tblSzotarP.setDatabaseName(dir.path());
        dm->tblSzotarP.setTableName(u"Angol_Magyar.DB"_s);
        dm->tblSzotarP.open();
    }

    QStringList languageIndexes()
    {
        return store::LanguageIndexes(dm->tblSzotarP, u"Angol"_s, u"Magyar"_s);
    }

    QTemporaryDir dir;
    AppState state;
    std::unique_ptr<TDM1> dm;
};

// The drop used to look for "iAngol" and "iMagyar" only, found nothing on
// such a dictionary and said "Indexek törölve" all the same.
TEST_F(IndexButtons, DropRemovesTheFieldNamedIndexes)
{
    openDictionary();
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});
    bbtnIndTorlClick(*dm, state);
    EXPECT_EQ(script.messages,
              (QStringList{u"Biztosan törlöd az indexeket?"_s, u"Indexek törölve"_s}));
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_TRUE(languageIndexes().isEmpty());
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(IndexButtons, AFailedDropShowsTheEnginesMessage)
{
    failing_vfs::DefaultScope vfs;
    openDictionary();
    failing_vfs::armAfter(0, failing_vfs::Failure::IoError);
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});
    bbtnIndTorlClick(*dm, state);
    failing_vfs::disarm();
    ASSERT_EQ(script.messages.size(), 2);
    EXPECT_NE(script.messages[1], u"Indexek törölve"_s);
    EXPECT_FALSE(script.messages[1].isEmpty());
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    dm.reset();
}

TEST_F(IndexButtons, RebuildEndsWithDoneTheTwoIndexesAndTheArrowCursor)
{
    openDictionary();
    ModalScript script({u"bbtnOk"_s});
    bbtnUjraIndClick(*dm, state);
    EXPECT_EQ(script.messages, QStringList{u"Indexelés kész"_s});
    EXPECT_EQ(dm->tblSzotarP.indexNames(), (QStringList{u"iAngol"_s, u"iMagyar"_s}));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(IndexButtons, AFailedRebuildIsShownAndLeavesNoHourglass)
{
    failing_vfs::DefaultScope vfs;
    openDictionary();
    failing_vfs::armAfter(0, failing_vfs::Failure::IoError);
    ModalScript script({u"bbtnOk"_s});
    bbtnUjraIndClick(*dm, state);
    failing_vfs::disarm();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_NE(script.messages[0], u"Indexelés kész"_s);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    dm.reset();
}

} // namespace

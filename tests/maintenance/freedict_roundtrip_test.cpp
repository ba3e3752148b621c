// Index upkeep on the real English–Hungarian dictionary as the program ships
// it, converted from the Debian package's dictd files.
#include "maintenance/dictd/dictd_converter.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "store/indexupkeep.h"
#include "support/printers.h"
#include "support/scripted_prompts.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kDictdDir = u"/usr/share/dictd"_s;

// The table file with its write-ahead log, if one is left.
qint64 fileSize(const QString &path)
{
    return QFileInfo(path).size() + QFileInfo(path + u"-wal"_s).size();
}

TEST(FreeDictRoundTrip, DropThenRebuildLeavesTheTwoIndexesAndNoLargerFile)
{
    dictd::ConvertOptions options;
    options.indexPath = QDir(kDictdDir).filePath(u"freedict-eng-hun.index"_s);
    options.dictPath = QDir(kDictdDir).filePath(u"freedict-eng-hun.dict.dz"_s);
    if (!QFileInfo(options.indexPath).isReadable() || !QFileInfo(options.dictPath).isReadable())
        GTEST_SKIP() << "The dictd files of dict-freedict-eng-hun are missing from "
                     << kDictdDir.toStdString() << "; scripts/install-deps.sh installs them.";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    options.outputPath = QDir(dir.path()).filePath(u"Angol_Magyar.DB"_s);
    options.repairHungarianTarget = true;
    const auto report = dictd::convertDictd(options);
    ASSERT_TRUE(report.ok()) << report.error().toStdString();
    const qint64 converted = fileSize(options.outputPath);

    {
        store::Session session;
        store::Table table(session);
        table.setDatabaseName(dir.path());
        table.setTableName(u"Angol_Magyar.DB"_s);
        // The converter names the indexes after their fields.
        EXPECT_EQ(store::LanguageIndexes(table, u"Angol"_s, u"Magyar"_s),
                  (QStringList{u"Angol"_s, u"Magyar"_s}));
        table.open();
        const int rows = table.recordCount();

        ScriptedPrompts prompts({platform::Prompts::kYes});
        ASSERT_EQ(store::DropIndexes(table, u"Angol"_s, u"Magyar"_s, prompts),
                  store::DropOutcome::Dropped);
        EXPECT_TRUE(store::LanguageIndexes(table, u"Angol"_s, u"Magyar"_s).isEmpty());

        const platform::Status rebuilt =
            store::RebuildIndexes(table, u"Angol"_s, u"Magyar"_s, prompts);
        ASSERT_TRUE(rebuilt.ok()) << rebuilt.error().toStdString();
        EXPECT_EQ(table.indexNames(), (QStringList{u"iAngol"_s, u"iMagyar"_s}));
        EXPECT_EQ(table.recordCount(), rows);
        table.close();
    }
    // The pages the dropped indexes freed hold the new ones.
    const qint64 rebuiltSize = fileSize(options.outputPath);
    EXPECT_LE(rebuiltSize, converted) << "converted: " << converted << ", rebuilt: " << rebuiltSize;
}

} // namespace

// szotar reindex and szotar drop-indexes: the index upkeep of the program,
// run from the command line.
#include "cli/commands.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/cli_run.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

using velkor_test::CliRun;

struct IndexCommandCase {
    const char *label;
    QStringList arguments;    // "@" + name stands for that file in the test folder
    int code;                 // the exit code
    const char16_t *out;      // expected on standard output (a part of it)
    const char16_t *err;      // expected on standard error (a part of it)
    QStringList indexesAfter; // of Angol_Magyar.DB
};

void PrintTo(const IndexCommandCase &c, std::ostream *os)
{
    *os << c.label;
}

class IndexCommands : public ::testing::TestWithParam<IndexCommandCase> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        velkor_test::makeDictionary(path(u"Angol_Magyar.DB"_s));
        ASSERT_TRUE(QFile::copy(path(u"Angol_Magyar.DB"_s), path(u"Nemet_Portugal.DB"_s)));
        QFile text(path(u"Szoveg_Fajl.DB"_s));
        ASSERT_TRUE(text.open(QIODevice::WriteOnly));
        text.write("nem tábla\n");
        text.close();
        ASSERT_TRUE(QFile::copy(path(u"Angol_Magyar.DB"_s), path(u"szotar.DB"_s)));
        ASSERT_EQ(mkfifo(QFile::encodeName(path(u"Cso_Vezetek.DB"_s)).constData(), 0600), 0);
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    CliRun run(const QStringList &arguments) const
    {
        return velkor_test::runCommandLine(velkor_test::inFolder(m_dir.path(), arguments));
    }

    QStringList indexes()
    {
        store::Session session;
        store::Table table(session);
        velkor_test::bindTable(table, path(u"Angol_Magyar.DB"_s));
        return table.indexNames();
    }

    QTemporaryDir m_dir;
};

TEST_P(IndexCommands, ExitCodeReportAndIndexes)
{
    const IndexCommandCase &c = GetParam();
    const CliRun result = run(c.arguments);
    EXPECT_EQ(result.code, c.code) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QString::fromUtf16(c.out))) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf16(c.err))) << result.err.toStdString();
    EXPECT_EQ(indexes(), c.indexesAfter);
}

const QStringList kCreated{u"Angol"_s, u"Magyar"_s};
const QStringList kRebuilt{u"iAngol"_s, u"iMagyar"_s};

INSTANTIATE_TEST_SUITE_P(
    Cases, IndexCommands,
    ::testing::Values(
        IndexCommandCase{"Reindex",
                         {u"reindex"_s, u"@Angol_Magyar.DB"_s},
                         0,
                         u"Indexek: iAngol, iMagyar",
                         u"Indexelés kész",
                         kRebuilt},
        IndexCommandCase{"DropWithoutYesChangesNothing",
                         {u"drop-indexes"_s, u"@Angol_Magyar.DB"_s},
                         1,
                         u"",
                         u"Biztosan törlöd az indexeket? – Mégsem",
                         kCreated},
        IndexCommandCase{"DropWithYes",
                         {u"drop-indexes"_s, u"--yes"_s, u"@Angol_Magyar.DB"_s},
                         0,
                         u"Indexek: nincs",
                         u"Indexek törölve",
                         {}},
        IndexCommandCase{"ReindexWithoutFile", {u"reindex"_s}, 2, u"", u"Hiányzik", kCreated},
        IndexCommandCase{"DropTwoFiles",
                         {u"drop-indexes"_s, u"--yes"_s, u"@Angol_Magyar.DB"_s, u"@szotar.DB"_s},
                         2,
                         u"",
                         u"Egyszerre egy tábla",
                         kCreated},
        IndexCommandCase{"ReindexUnknownOption",
                         {u"reindex"_s, u"--yes"_s, u"@Angol_Magyar.DB"_s},
                         2,
                         u"",
                         u"",
                         kCreated},
        IndexCommandCase{
            "ReindexMissingFile", {u"reindex"_s, u"@Nincs_Ilyen.DB"_s}, 1, u"", u"Hiba:", kCreated},
        IndexCommandCase{
            "ReindexPipe", {u"reindex"_s, u"@Cso_Vezetek.DB"_s}, 1, u"", u"csővezeték", kCreated},
        IndexCommandCase{"ReindexNoLanguageInName",
                         {u"reindex"_s, u"@szotar.DB"_s},
                         1,
                         u"",
                         u"Elso_Masodik.DB",
                         kCreated},
        IndexCommandCase{
            "ReindexNoTable", {u"reindex"_s, u"@Szoveg_Fajl.DB"_s}, 1, u"", u"Hiba:", kCreated},
        IndexCommandCase{"DropFieldsNotOfTheName",
                         {u"drop-indexes"_s, u"--yes"_s, u"@Nemet_Portugal.DB"_s},
                         1,
                         u"",
                         u"Hiba:",
                         kCreated}),
    [](const ::testing::TestParamInfo<IndexCommandCase> &info) {
        return std::string(info.param.label);
    });

} // namespace

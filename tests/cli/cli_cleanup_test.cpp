// szotar clean, german-import and restore-backup: the questions, the exit
// codes and the round trip through the backup.
#include "cli/cmd_cleanup.h"
#include "maintenance/cleanup/germanimport.h"
#include "support/cli_run.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

using Runner = int (*)(const QStringList &, cli::CliIo &, QTextStream *);

using velkor_test::CliRun;

class CleanupCommandsBase {
protected:
    CleanupCommandsBase()
    {
        velkor_test::makeDictionary(path(u"Angol_Magyar.DB"_s), {{u"to walk"_s, u"sétál"_s},
                                                                 {u"walk"_s, u"sétál"_s},
                                                                 {u"b"_s, u"b"_s},
                                                                 {u"\u00A0lma"_s, u"x"_s}});
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    QStringList sources() const
    {
        QStringList all;
        for (const auto &[source, target] : velkor_test::readPairs(path(u"Angol_Magyar.DB"_s)))
            all << source;
        all.sort();
        return all;
    }

    CliRun run(Runner command, const QStringList &arguments, const std::optional<QString> &tty)
    {
        QString typed = tty.value_or(QString());
        QTextStream terminal(&typed, QIODevice::ReadOnly);
        const QStringList full =
            QStringList{u"szotar"_s} + velkor_test::inFolder(m_dir.path(), arguments);
        return velkor_test::captureCli(
            [&](cli::CliIo &io) { return command(full, io, tty ? &terminal : nullptr); });
    }

    QTemporaryDir m_dir;
};

const QStringList kAll{u"b"_s, u"to walk"_s, u"walk"_s, u"\u00A0lma"_s};

struct CommandCase {
    const char *label;
    Runner command;
    QStringList arguments; // "@" + name: a file of the folder
    std::optional<QString> tty;
    int code;
    QStringList sourcesAfter;
    const char16_t *output; // a part of standard output or error
};

void PrintTo(const CommandCase &c, std::ostream *os)
{
    *os << c.label;
}

class CleanupCommands : public CleanupCommandsBase, public ::testing::TestWithParam<CommandCase> {};

TEST_P(CleanupCommands, AskOrRefuseAndChangeOnlyWhenConfirmed)
{
    const CommandCase &c = GetParam();
    const CliRun result = run(c.command, c.arguments, c.tty);
    EXPECT_EQ(result.code, c.code) << result.err.toStdString();
    EXPECT_TRUE((result.out + result.err).contains(QString::fromUtf16(c.output)))
        << result.out.toStdString() << result.err.toStdString();
    EXPECT_EQ(sources(), c.sourcesAfter);
}

const QString kDict = u"@Angol_Magyar.DB"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, CleanupCommands,
    ::testing::Values(CommandCase{"ToWithoutTerminalOrYes",
                                  &cli::runCleanAsking,
                                  {u"--to"_s, kDict},
                                  std::nullopt,
                                  1,
                                  kAll,
                                  u"add meg a --yes"},
                      CommandCase{"ToWithYes",
                                  &cli::runCleanAsking,
                                  {u"--to"_s, u"--yes"_s, kDict},
                                  std::nullopt,
                                  0,
                                  QStringList{u"b"_s, u"walk"_s, u"\u00A0lma"_s},
                                  u"1 törölve"},
                      CommandCase{"LettersAnsweredIgen",
                                  &cli::runCleanAsking,
                                  {u"--letters"_s, kDict},
                                  u"igen\n"_s,
                                  0,
                                  QStringList{u"to walk"_s, u"walk"_s, u"\u00A0lma"_s},
                                  u"Törlöd a magányos betűket"},
                      CommandCase{"LettersAnsweredNem",
                                  &cli::runCleanAsking,
                                  {u"--letters"_s, kDict},
                                  u"n\n"_s,
                                  1,
                                  kAll,
                                  u"Nem történt változás."},
                      CommandCase{"DosWithYes",
                                  &cli::runCleanAsking,
                                  {u"--dos"_s, u"-y"_s, kDict},
                                  std::nullopt,
                                  0,
                                  QStringList{u"b"_s, u"to walk"_s, u"walk"_s, u"álma"_s},
                                  u"Kész: 8 sor átnézve, 3 módosítva"},
                      CommandCase{"TwoCleanUpsAtOnce",
                                  &cli::runCleanAsking,
                                  {u"--to"_s, u"--dos"_s, u"--yes"_s, kDict},
                                  std::nullopt,
                                  2,
                                  kAll,
                                  u"Pontosan egyet"},
                      CommandCase{"NoCleanUpChosen",
                                  &cli::runCleanAsking,
                                  {u"--yes"_s, kDict},
                                  std::nullopt,
                                  2,
                                  kAll,
                                  u"Pontosan egyet"},
                      CommandCase{"MissingDictionary",
                                  &cli::runCleanAsking,
                                  {u"--to"_s, u"--yes"_s, u"@Nincs_Ilyen.DB"_s},
                                  std::nullopt,
                                  1,
                                  kAll,
                                  u"Nincs_Ilyen.DB"},
                      CommandCase{"RestoreWithoutBackup",
                                  &cli::runRestoreBackupAsking,
                                  {u"--yes"_s, kDict},
                                  std::nullopt,
                                  1,
                                  kAll,
                                  u"Nincs visszavonható karbantartás"},
                      CommandCase{"GermanImportWithoutItsFiles",
                                  &cli::runGermanImportAsking,
                                  {u"--yes"_s, u"--dir"_s, u"@nincs"_s, kDict},
                                  std::nullopt,
                                  1,
                                  kAll,
                                  u"Nem található a német szólista"},
                      CommandCase{"GermanImportWithoutTerminalOrYes",
                                  &cli::runGermanImportAsking,
                                  {u"--dir"_s, u"@nincs"_s, kDict},
                                  std::nullopt,
                                  1,
                                  kAll,
                                  u"add meg a --yes"}),
    [](const auto &info) { return std::string(info.param.label); });

class CleanupCommandRuns : public CleanupCommandsBase, public ::testing::Test {};

TEST_F(CleanupCommandRuns, RestoreBackupUndoesTheLastCleanUp)
{
    ASSERT_EQ(run(&cli::runCleanAsking, {u"--dos"_s, u"--yes"_s, kDict}, std::nullopt).code, 0);
    ASSERT_NE(sources(), kAll);
    const CliRun declined = run(&cli::runRestoreBackupAsking, {kDict}, u"m\n"_s);
    EXPECT_EQ(declined.code, 1);
    EXPECT_NE(sources(), kAll);
    const CliRun restored = run(&cli::runRestoreBackupAsking, {u"--yes"_s, kDict}, std::nullopt);
    EXPECT_EQ(restored.code, 0) << restored.err.toStdString();
    EXPECT_TRUE(restored.out.contains(u"visszaállt"_s));
    EXPECT_EQ(sources(), kAll);
}

TEST_F(CleanupCommandRuns, GermanImportFillsTheFirstLanguagesColumn)
{
    const QString folder = path(u"listak"_s);
    ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString &name : cleanup::GermanWordListFiles()) {
        QFile file(QDir(folder).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(name == u"A01.TXT"_s ? "Haus  h\xE1z\r\n" : "\xE9\xE9\xE9\r\n");
    }
    const CliRun result =
        run(&cli::runGermanImportAsking, {u"--yes"_s, u"--dir"_s, folder, kDict}, std::nullopt);
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(u"1 új szópár"_s)) << result.out.toStdString();
    EXPECT_TRUE(sources().contains(u"Haus"_s));
}

} // namespace

// The szotar commands as the user runs them: arguments in, report or error
// and exit code out.
#include "cli/commands.h"
#include "dictd_fixture.h"
#include "sample_dictionary.h"
#include "support/cli_run.h"
#include "support/printers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using velkor_test::CliRun;

class Cli : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        const auto dictionary = dictd_fixture::build(sample_dictionary::entries());
        dictd_fixture::writeFile(path(QStringLiteral("proba.index")), dictionary.index);
        dictd_fixture::writeFile(path(QStringLiteral("proba.dict.dz")),
                                 dictd_fixture::dictzip(dictionary.data));
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    static CliRun run(const QStringList &arguments)
    {
        return velkor_test::runCommandLine(arguments);
    }

    QStringList convertArguments(const QString &table)
    {
        return {QStringLiteral("convert-dictd"),
                QStringLiteral("--index"),
                path(QStringLiteral("proba.index")),
                QStringLiteral("--dict"),
                path(QStringLiteral("proba.dict.dz")),
                QStringLiteral("--out"),
                path(table),
                QStringLiteral("--repair-hungarian-target")};
    }

    QTemporaryDir m_dir;
};

struct UsageCase {
    const char *name;
    QStringList arguments;
    int code;
    const char *expected; // part of stdout (code 0) or stderr
};

void PrintTo(const UsageCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class CliUsage : public Cli, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(CliUsage, AnswersWithTheRightStreamAndCode)
{
    const CliRun result = run(GetParam().arguments);
    EXPECT_EQ(result.code, GetParam().code);
    const QString &stream = GetParam().code == cli::kExitOk ? result.out : result.err;
    EXPECT_TRUE(stream.contains(QString::fromUtf8(GetParam().expected)))
        << "out: " << result.out.toStdString() << "\nerr: " << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsage,
    ::testing::Values(
        UsageCase{"NoCommand", {}, cli::kExitUsage, "Parancsok:"},
        UsageCase{"Help", {QStringLiteral("--help")}, cli::kExitOk, "convert-dictd"},
        UsageCase{"UnknownCommand",
                  {QStringLiteral("translate")},
                  cli::kExitUsage,
                  "Ismeretlen parancs: translate"},
        UsageCase{"UnknownOptionBeforeCommand",
                  {QStringLiteral("--x"), QStringLiteral("info")},
                  cli::kExitUsage,
                  "Hibás parancssor"},
        UsageCase{"ConvertHelp",
                  {QStringLiteral("convert-dictd"), QStringLiteral("-h")},
                  cli::kExitOk,
                  "--repair-hungarian-target"},
        UsageCase{"ConvertMissingDict",
                  {QStringLiteral("convert-dictd"), QStringLiteral("--index"), QStringLiteral("a"),
                   QStringLiteral("--out"), QStringLiteral("Angol_Magyar.DB")},
                  cli::kExitUsage,
                  "Hiányzik a --dict kapcsoló."},
        UsageCase{"ConvertExtraArgument",
                  {QStringLiteral("convert-dictd"), QStringLiteral("--index"), QStringLiteral("a"),
                   QStringLiteral("--dict"), QStringLiteral("b"), QStringLiteral("--out"),
                   QStringLiteral("Angol_Magyar.DB"), QStringLiteral("c")},
                  cli::kExitUsage,
                  "Fölösleges argumentum: c"},
        UsageCase{
            "InfoWithoutFile", {QStringLiteral("info")}, cli::kExitUsage, "Hiányzik a tábla neve."},
        UsageCase{"InfoMissingFile",
                  {QStringLiteral("info"), QStringLiteral("/nincs/A_B.DB")},
                  cli::kExitFailure,
                  "Hiba: a tábla nem található: /nincs/A_B.DB"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Cli, ConvertReportsItsFiguresAndInfoReadsTheTable)
{
    const CliRun converted = run(convertArguments(QStringLiteral("Angol_Magyar.DB")));
    ASSERT_EQ(converted.code, cli::kExitOk) << converted.err.toStdString();
    for (const QString &line :
         {QStringLiteral("beírt sorok: 14\n"),
          QStringLiteral("kihagyott párok: 6 (ismétlődő: 5, üres oldalú: 1)\n"),
          QStringLiteral("szócikkek: 13 (kihagyott leíró szócikk: 2)\n"),
          QStringLiteral("javított (ô/û → ő/ű) fordítás: 3\n"), QStringLiteral(" mp\n")})
        EXPECT_TRUE(converted.out.contains(line)) << converted.out.toStdString();

    const CliRun info = run({QStringLiteral("info"), path(QStringLiteral("Angol_Magyar.DB"))});
    ASSERT_EQ(info.code, cli::kExitOk) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("Sorok: 14\n"))) << info.out.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("Mezők: Azon, Angol, Magyar\n")));
    EXPECT_TRUE(info.out.contains(QStringLiteral("Indexek: ")));
}

TEST_F(Cli, ConvertAddsTheSupplementListAndCountsIt)
{
    const QString list = path(QStringLiteral("alapszavak.tsv"));
    dictd_fixture::writeFile(list, QByteArray("Magyar\tAngol\nte\tyou\nalma\tapple\n"));
    const CliRun converted = run(convertArguments(QStringLiteral("Angol_Magyar.DB"))
                                 << QStringLiteral("--supplement") << list);
    ASSERT_EQ(converted.code, cli::kExitOk) << converted.err.toStdString();
    for (const QString &line :
         {QStringLiteral("beírt sorok: 15\n"), QStringLiteral("kiegészítő párok: 2 (beírt: 1)\n")})
        EXPECT_TRUE(converted.out.contains(line)) << converted.out.toStdString();

    dictd_fixture::writeFile(list, QByteArray("Angol\tNemet\n"));
    const CliRun refused = run(convertArguments(QStringLiteral("Magyar_Angol.DB"))
                               << QStringLiteral("--supplement") << list);
    EXPECT_EQ(refused.code, cli::kExitFailure);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("kiegészítő szólista")))
        << refused.err.toStdString();
}

TEST_F(Cli, ConvertRefusesToReplaceATableUnlessAsked)
{
    ASSERT_EQ(run(convertArguments(QStringLiteral("Angol_Magyar.DB"))).code, cli::kExitOk);
    const CliRun again = run(convertArguments(QStringLiteral("Angol_Magyar.DB")));
    EXPECT_EQ(again.code, cli::kExitFailure);
    EXPECT_TRUE(again.err.contains(QStringLiteral("--overwrite"))) << again.err.toStdString();
    const CliRun replaced =
        run(convertArguments(QStringLiteral("Angol_Magyar.DB")) << QStringLiteral("--overwrite"));
    EXPECT_EQ(replaced.code, cli::kExitOk) << replaced.err.toStdString();
}

TEST_F(Cli, DamagedInputAndNonTableFail)
{
    dictd_fixture::writeFile(path(QStringLiteral("proba.dict.dz")), "\x1f\x8b\x08");
    const CliRun converted = run(convertArguments(QStringLiteral("Angol_Magyar.DB")));
    EXPECT_EQ(converted.code, cli::kExitFailure);
    EXPECT_TRUE(converted.err.startsWith(QStringLiteral("Hiba: Sérült adatállomány")))
        << converted.err.toStdString();
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("Angol_Magyar.DB"))));

    dictd_fixture::writeFile(path(QStringLiteral("Szoveg_Fajl.DB")), "ez nem tábla\n");
    const CliRun info = run({QStringLiteral("info"), path(QStringLiteral("Szoveg_Fajl.DB"))});
    EXPECT_EQ(info.code, cli::kExitFailure);
    EXPECT_TRUE(info.err.startsWith(QStringLiteral("Hiba: "))) << info.err.toStdString();
}

// The program itself: exit codes and Hungarian parser messages.
TEST_F(Cli, ProgramExitCodes)
{
    const CliRun usage =
        velkor_test::runProgram({QStringLiteral("convert-dictd"), QStringLiteral("--bogus")});
    ASSERT_TRUE(usage.finished);
    EXPECT_EQ(usage.code, cli::kExitUsage);
    EXPECT_TRUE(usage.err.contains(QStringLiteral("Ismeretlen kapcsoló: „bogus”")));

    const CliRun converted =
        velkor_test::runProgram(convertArguments(QStringLiteral("Angol_Magyar.DB")));
    ASSERT_TRUE(converted.finished);
    EXPECT_EQ(converted.code, cli::kExitOk) << converted.err.toStdString();
    EXPECT_TRUE(converted.out.contains(QStringLiteral("beírt sorok: 14")));
}

} // namespace

// szotar import and export: tab-separated text files from the command line,
// and an import killed in the middle.
#include "cli/cmd_textfiles.h"
#include "cli/commands.h"
#include "support/cli_run.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

using velkor_test::CliRun;

class TextFileCommandsBase {
protected:
    TextFileCommandsBase()
    {
        velkor_test::makeDictionary(path(u"Angol_Magyar.DB"_s));
        writeFile(u"szavak.txt"_s, "Dog\tkutya\r\ncat\tmacska\r\nno tab\r\n");
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }

    QByteArray contentOf(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(nincs)");
    }

    CliRun run(const QStringList &arguments, QTextStream *answers = nullptr)
    {
        const QStringList full =
            QStringList{u"szotar"_s} + velkor_test::inFolder(m_dir.path(), arguments);
        return velkor_test::captureCli([&](cli::CliIo &io) {
            if (full.size() > 1 && full[1] == u"export")
                return cli::runExportAsking(full.mid(1), io, answers);
            return cli::runCommandLine(full, io);
        });
    }

    int rowCount(const QString &name = u"Angol_Magyar.DB"_s) const
    {
        return velkor_test::rowCount(path(name));
    }

    QTemporaryDir m_dir;
};

class TextFileCommandsTest : public TextFileCommandsBase, public ::testing::Test {};

TEST_F(TextFileCommandsTest, ImportAddsThePairsAndSaysWhatItDid)
{
    const CliRun result = run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@szavak.txt"_s});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out, u"3 sor: 2 új pár felvéve, 0 már megvolt, 1 sor kihagyva "
                          u"(nincs benne TAB, vagy üres az egyik oldala).\n"_s);
    EXPECT_TRUE(result.err.contains(u"Feltöltés kész"_s));
    EXPECT_EQ(rowCount(), 2);
    // Again: nothing new.
    const CliRun again = run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@szavak.txt"_s});
    EXPECT_TRUE(again.out.contains(u"0 új pár felvéve, 2 már megvolt"_s));
}

TEST_F(TextFileCommandsTest, ExportWritesTheFileAndReverseSwapsTheColumns)
{
    ASSERT_EQ(run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@szavak.txt"_s}).code, 0);
    const CliRun forward = run({u"export"_s, u"@Angol_Magyar.DB"_s, u"@ki"_s});
    EXPECT_EQ(forward.code, 0) << forward.err.toStdString();
    EXPECT_EQ(forward.out, u"2 sor kiírva: "_s + path(u"ki.txt"_s) + u'\n');
    EXPECT_EQ(contentOf(u"ki.txt"_s), "dog\tkutya\r\ncat\tmacska\r\n");
    const CliRun reverse = run({u"export"_s, u"--reverse"_s, u"@Angol_Magyar.DB"_s, u"@vissza"_s});
    EXPECT_EQ(reverse.code, 0);
    EXPECT_EQ(contentOf(u"vissza.txt"_s), "kutya\tdog\r\nmacska\tcat\r\n");
}

// A decomposed accent used to add a second pair beside the composed one, be
// exported as "e?" and miss the lookup of the composed word, and the other
// way round.
TEST_F(TextFileCommandsTest, DecomposedAccentsAreOneWordEverywhere)
{
    writeFile(u"nfd.txt"_s, "ke\xCC\x81s\tknife\r\nk\xC3\xA9s\tknife\r\n");
    const CliRun imported = run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@nfd.txt"_s});
    EXPECT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_TRUE(imported.out.startsWith(u"2 sor: 1 új pár felvéve, 1 már megvolt"_s))
        << imported.out.toStdString();
    ASSERT_EQ(run({u"export"_s, u"@Angol_Magyar.DB"_s, u"@ki"_s}).code, 0);
    EXPECT_EQ(contentOf(u"ki.txt"_s), "k\xE9s\tknife\r\n");
    for (const QString &word : {u"ke\u0301s"_s, u"k\u00E9s"_s}) {
        const CliRun looked = run({u"lookup"_s, u"--dict"_s, u"@Angol_Magyar.DB"_s, word});
        EXPECT_EQ(looked.code, 0) << looked.err.toStdString();
        EXPECT_TRUE(looked.out.contains(u"knife"_s)) << looked.out.toStdString();
    }
}

// Text after a lone CR used to be dropped without a word.
TEST_F(TextFileCommandsTest, ImportWarnsOfTextDroppedAfterALoneCr)
{
    writeFile(u"cr.txt"_s, "a\tb\rc\td\r\ne\tf\r\n");
    const CliRun result = run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@cr.txt"_s});
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(u"Figyelem: 1 sorban egy magában álló CR"_s))
        << result.err.toStdString();
    EXPECT_EQ(rowCount(), 2);
}

// --- An existing export file.

struct OverwriteCase {
    const char *name;
    QStringList options;
    const char *terminal; // nullptr: no terminal
    int code;
    bool replaced;
};

class ExportOverwriteCommandTest : public TextFileCommandsBase,
                                   public ::testing::TestWithParam<OverwriteCase> {};

TEST_P(ExportOverwriteCommandTest, ReplacesAnExistingFileOnlyWhenTold)
{
    writeFile(u"regi.txt"_s, "old\r\n");
    QString typed = QString::fromUtf8(GetParam().terminal ? GetParam().terminal : "");
    QTextStream terminal(&typed);
    const CliRun result = run(QStringList{u"export"_s} + GetParam().options +
                                  QStringList{u"@Angol_Magyar.DB"_s, u"@regi.txt"_s},
                              GetParam().terminal ? &terminal : nullptr);
    EXPECT_EQ(result.code, GetParam().code) << result.err.toStdString();
    EXPECT_EQ(contentOf(u"regi.txt"_s), GetParam().replaced ? QByteArray() : "old\r\n");
    EXPECT_TRUE(result.err.contains(u"fájl már létezik"_s)) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ExportOverwriteCommandTest,
    ::testing::Values(OverwriteCase{"yes_option", {u"--yes"_s}, nullptr, 0, true},
                      OverwriteCase{"no_terminal_keeps", {}, nullptr, 1, false},
                      OverwriteCase{"terminal_igen", {}, "igen\n", 0, true},
                      OverwriteCase{"terminal_enter_keeps", {}, "\n", 1, false}),
    [](const auto &info) { return std::string(info.param.name); });

// --- Wrong command lines and files.

struct BadCall {
    const char *name;
    QStringList arguments;
    int code;
    const char16_t *messagePart;
};

class TextFileBadCallTest : public TextFileCommandsBase,
                            public ::testing::TestWithParam<BadCall> {};

TEST_P(TextFileBadCallTest, EndsWithAMessageAndTheExitCode)
{
    const CliRun result = run(GetParam().arguments);
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_TRUE(result.err.contains(QString::fromUtf16(GetParam().messagePart)))
        << result.err.toStdString();
    EXPECT_EQ(rowCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, TextFileBadCallTest,
    ::testing::Values(
        BadCall{
            "import_without_text_file", {u"import"_s, u"@Angol_Magyar.DB"_s}, 2, u"szövegfájlt"},
        BadCall{"import_three_files",
                {u"import"_s, u"@Angol_Magyar.DB"_s, u"@a.txt"_s, u"@b.txt"_s},
                2,
                u"Egy tábla"},
        BadCall{"import_missing_table",
                {u"import"_s, u"@Nemet_Magyar.DB"_s, u"@szavak.txt"_s},
                1,
                u"nem található"},
        BadCall{"import_missing_text",
                {u"import"_s, u"@Angol_Magyar.DB"_s, u"@nincs.txt"_s},
                1,
                u"A fájl nem található"},
        BadCall{"import_folder_as_text", {u"import"_s, u"@Angol_Magyar.DB"_s, u"@"_s}, 1, u"mappa"},
        BadCall{
            "export_without_text_file", {u"export"_s, u"@Angol_Magyar.DB"_s}, 2, u"szövegfájlt"},
        BadCall{"export_into_missing_folder",
                {u"export"_s, u"@Angol_Magyar.DB"_s, u"@nincs/ki.txt"_s},
                1,
                u"nem hozható létre"},
        // Only the system's English reason used to be given.
        BadCall{"export_under_a_regular_file",
                {u"export"_s, u"@Angol_Magyar.DB"_s, u"@szavak.txt/ki.txt"_s},
                1,
                u"nem mappa, hanem fájl"}),
    [](const auto &info) { return std::string(info.param.name); });

// --- The process killed in the middle of an import.

TEST_F(TextFileCommandsTest, ImportKilledMidwayKeepsCommittedBatchesAndTheNextImportCompletes)
{
    constexpr int kLines = 1000000;
    {
        QFile file(path(u"nagy.txt"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray bytes;
        for (int n = 0; n < kLines; ++n)
            bytes += "szo" + QByteArray::number(n) + "\tword" + QByteArray::number(n % 97) + "\r\n";
        file.write(bytes);
    }
    const QStringList arguments{u"import"_s, path(u"Angol_Magyar.DB"_s), path(u"nagy.txt"_s)};
    QProcess program;
    program.start(velkor_test::szotarProgram(), arguments);
    ASSERT_TRUE(program.waitForStarted());
    // Until some batches are in the file.
    QElapsedTimer waited;
    waited.start();
    int seen = 0;
    while (waited.elapsed() < 60000 && program.state() == QProcess::Running) {
        QThread::msleep(20);
        try {
            seen = rowCount();
        } catch (...) {
            seen = 0; // the file is being changed under the schema: look again
        }
        if (seen > 10000)
            break;
    }
    ASSERT_EQ(program.state(), QProcess::Running) << "the import ended before it could be killed";
    ::kill(pid_t(program.processId()), SIGKILL);
    program.waitForFinished();
    const int kept = rowCount();
    EXPECT_GE(kept, seen);
    EXPECT_LT(kept, kLines);
    // The next import drops the leftover temporary index and completes the rest.
    const CliRun next = run({u"import"_s, u"@Angol_Magyar.DB"_s, u"@nagy.txt"_s});
    EXPECT_EQ(next.code, 0) << next.err.toStdString();
    EXPECT_TRUE(next.out.contains(QStringLiteral("%1 már megvolt").arg(kept)))
        << next.out.toStdString();
    EXPECT_EQ(rowCount(), kLines);
}

} // namespace

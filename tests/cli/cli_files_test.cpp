// szotar create, empty and delete: dictionary files from the command line.
#include "cli/cmd_files.h"
#include "cli/commands.h"
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

using velkor_test::CliRun;

class FileCommandsBase {
protected:
    FileCommandsBase()
    {
        velkor_test::makeDictionary(path(u"Angol_Magyar.DB"_s),
                                    {{u"dog"_s, u"állat"_s}, {u"cat"_s, u"állat"_s}});
        QFile text(path(u"Szoveg_Fajl.DB"_s));
        if (text.open(QIODevice::WriteOnly))
            text.write("nem tábla\n");
    }

    QString path(const QString &name) const { return m_dir.filePath(name); }

    std::optional<int> rows() const
    {
        if (!QFile::exists(path(u"Angol_Magyar.DB"_s)))
            return std::nullopt;
        return velkor_test::rowCount(path(u"Angol_Magyar.DB"_s));
    }

    QTemporaryDir m_dir;
};

// --- empty and delete: the questions, the terminal and --yes.

enum class Cmd { Empty, Delete };

struct DestructiveCase {
    const char *label;
    Cmd command;
    QStringList arguments;      // after the command name; "@" + name: a file of the folder
    std::optional<QString> tty; // what the person types; none: no terminal
    int code;
    std::optional<int> rowsAfter; // none: the file is gone
    const char16_t *err;          // a part of standard error
};

void PrintTo(const DestructiveCase &c, std::ostream *os)
{
    *os << c.label;
}

class DestructiveCommands : public FileCommandsBase,
                            public ::testing::TestWithParam<DestructiveCase> {};

TEST_P(DestructiveCommands, AskOrRefuseAndChangeOnlyWhenConfirmed)
{
    const DestructiveCase &c = GetParam();
    QString typed = c.tty.value_or(QString());
    QTextStream terminal(&typed, QIODevice::ReadOnly);
    QTextStream *answers = c.tty ? &terminal : nullptr;
    const QStringList arguments =
        QStringList{u"szotar"_s} + velkor_test::inFolder(m_dir.path(), c.arguments);
    const CliRun result = velkor_test::captureCli([&](cli::CliIo &io) {
        return c.command == Cmd::Empty ? cli::runEmptyAsking(arguments, io, answers)
                                       : cli::runDeleteAsking(arguments, io, answers);
    });
    EXPECT_EQ(result.code, c.code) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf16(c.err))) << result.err.toStdString();
    EXPECT_EQ(rows(), c.rowsAfter);
    EXPECT_TRUE(QFile::exists(path(u"Szoveg_Fajl.DB"_s)));
}

const QString kDict = u"@Angol_Magyar.DB"_s;

INSTANTIATE_TEST_SUITE_P(
    Cases, DestructiveCommands,
    ::testing::Values(
        DestructiveCase{
            "EmptyNoTerminalNoYes", Cmd::Empty, {kDict}, std::nullopt, 1, 2, u"add meg a --yes"},
        DestructiveCase{"EmptyYes",
                        Cmd::Empty,
                        {u"--yes"_s, kDict},
                        std::nullopt,
                        0,
                        0,
                        u"Minden adat el fog veszni"},
        DestructiveCase{"EmptyTwiceIgen",
                        Cmd::Empty,
                        {kDict},
                        u"i\nIgen\n"_s,
                        0,
                        0,
                        u"Törlöd a szótár tartalmát? [i/M]"},
        DestructiveCase{
            "EmptyIgenThenEnter", Cmd::Empty, {kDict}, u"i\n\n"_s, 1, 2, u"Nem történt változás"},
        DestructiveCase{
            "EmptyInputEnds", Cmd::Empty, {kDict}, u"i\n"_s, 1, 2, u"Nem történt változás"},
        DestructiveCase{
            "DeleteNoTerminalNoYes", Cmd::Delete, {kDict}, std::nullopt, 1, 2, u"add meg a --yes"},
        DestructiveCase{"DeleteYes",
                        Cmd::Delete,
                        {u"-y"_s, kDict},
                        std::nullopt,
                        0,
                        std::nullopt,
                        u"Törlöd a teljes szótárt a lemezről? – Igen"},
        DestructiveCase{
            "DeleteTwiceIgen", Cmd::Delete, {kDict}, u" igen \nI\n"_s, 0, std::nullopt, u"[i/M]"},
        DestructiveCase{"DeleteIgenThenNem",
                        Cmd::Delete,
                        {kDict},
                        u"i\nnem\n"_s,
                        1,
                        2,
                        u"Nem történt változás"},
        DestructiveCase{"DeleteNotADictionary",
                        Cmd::Delete,
                        {u"--yes"_s, u"@Szoveg_Fajl.DB"_s},
                        std::nullopt,
                        1,
                        2,
                        u"Hiba:"},
        DestructiveCase{"DeleteMissingFile",
                        Cmd::Delete,
                        {u"--yes"_s, u"@Nincs_Ilyen.DB"_s},
                        std::nullopt,
                        1,
                        2,
                        u"nem található"},
        DestructiveCase{"EmptyWithoutFile",
                        Cmd::Empty,
                        {u"--yes"_s},
                        std::nullopt,
                        2,
                        2,
                        u"Hiányzik a tábla neve"}),
    [](const auto &info) { return std::string(info.param.label); });

class DeleteCommand : public FileCommandsBase, public ::testing::Test {};

TEST_F(DeleteCommand, TakesTheIndexFilesAndTheMarkerAlong)
{
    const QStringList side{path(u"Angol_Magyar.XG0"_s), path(u"Angol_Magyar.YG1"_s),
                           path(u"Angol_Magyar.nip"_s)};
    for (const QString &file : side) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    const CliRun result = velkor_test::captureCli([&](cli::CliIo &io) {
        return cli::runCommandLine(
            {u"szotar"_s, u"delete"_s, u"--yes"_s, path(u"Angol_Magyar.DB"_s)}, io);
    });
    EXPECT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(u"A szótár törölve a lemezről"_s));
    for (const QString &file : side)
        EXPECT_FALSE(QFile::exists(file)) << file.toStdString();
}

// --- create.

struct CreateCase {
    const char *label;
    QStringList arguments; // after "create"; "@" + name: a file of the folder
    int code;
    const char16_t *created; // the new file; empty when none
    const char16_t *err;
};

void PrintTo(const CreateCase &c, std::ostream *os)
{
    *os << c.label;
}

class CreateCommand : public FileCommandsBase, public ::testing::TestWithParam<CreateCase> {};

TEST_P(CreateCommand, CreatesUnderTheFirstFreeName)
{
    const CreateCase &c = GetParam();
    for (const QString &taken : {u"Nemet_Portugal.DB"_s, u"Nemet_Portugal1.DB"_s})
        QFile::copy(path(u"Angol_Magyar.DB"_s), path(taken));
    const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
    const QStringList arguments =
        QStringList{u"szotar"_s, u"create"_s} + velkor_test::inFolder(m_dir.path(), c.arguments);
    const CliRun result =
        velkor_test::captureCli([&](cli::CliIo &io) { return cli::runCommandLine(arguments, io); });
    EXPECT_EQ(result.code, c.code) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf16(c.err))) << result.err.toStdString();
    const QString created = QString::fromUtf16(c.created);
    QStringList after = QDir(m_dir.path()).entryList(QDir::Files);
    if (created.isEmpty()) {
        EXPECT_EQ(after, before);
        return;
    }
    EXPECT_EQ(result.out, u"Az új tábla elkészült: "_s + path(created) + u'\n');
    after.removeOne(created);
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CreateCommand,
    ::testing::Values(
        CreateCase{"Numbered",
                   {u"Nemet"_s, u"Portugal"_s, u"--dir"_s, u"@"_s},
                   0,
                   u"Nemet_Portugal2.DB",
                   u""},
        CreateCase{
            "Trimmed", {u" Svéd "_s, u"Magyar "_s, u"--dir"_s, u"@"_s}, 0, u"Svéd_Magyar.DB", u""},
        CreateCase{"OneLanguage", {u"Nemet"_s, u"--dir"_s, u"@"_s}, 2, u"", u"Két nyelvet"},
        CreateCase{"UnderscoreInName",
                   {u"Ne_met"_s, u"Portugal"_s, u"--dir"_s, u"@"_s},
                   1,
                   u"",
                   u"Nem sikerült létrehozni az állományt"},
        CreateCase{"MissingFolder",
                   {u"Nemet"_s, u"Portugal"_s, u"--dir"_s, u"@nincs"_s},
                   1,
                   u"",
                   u"Nem sikerült létrehozni az állományt"}),
    [](const auto &info) { return std::string(info.param.label); });

} // namespace

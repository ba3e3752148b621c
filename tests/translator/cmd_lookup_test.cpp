// The command-line lookup: the same lookup as the popup on a dictionary
// file, printed as text or as JSON lines.
#include "cli/cmd_lookup.h"
#include "support/cli_run.h"
#include "support/dictionary_fixture.h"
#include "support/printers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using CommandRun = velkor_test::CliRun;

class LookupCommand : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionaryWith({{QStringLiteral("walk"), QStringLiteral("sétál")},
                              {QStringLiteral("walker"), QStringLiteral("sétáló")},
                              {QStringLiteral("-x"), QStringLiteral("mínusz iksz")},
                              {QStringLiteral("ég"), QStringLiteral("sky")},
                              {QStringLiteral("walk"), QStringLiteral("gyalogol")}});
    }

    CommandRun run(const QStringList &arguments, const QString &stdinText = {})
    {
        QString inputText = stdinText;
        QTextStream input(&inputText, QIODevice::ReadOnly);
        return velkor_test::captureCli([&](cli::CliIo &io) {
            return cli::runLookup(QStringList{QStringLiteral("szotar")} + arguments, io, input);
        });
    }

    QStringList dictArgs() const { return {QStringLiteral("--dict"), path()}; }

    static QJsonObject jsonLine(const QString &line)
    {
        QJsonParseError error;
        const auto document = QJsonDocument::fromJson(line.toUtf8(), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
        return document.object();
    }

    static QStringList items(const QJsonObject &list)
    {
        QStringList lines;
        for (const auto &item : list.value(QStringLiteral("items")).toArray())
            lines << item.toString();
        return lines;
    }
};

TEST_F(LookupCommand, PrintsOutcomeHeadersAndLines)
{
    const CommandRun result = run(dictArgs() << QStringLiteral("walked") << QStringLiteral("Walk"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.toStdString(),
              QStringLiteral("„walked”: közelítő találat (szín: 16777215)\n"
                             "  1. lista: „walk” (65280) + „” (16777000)\n"
                             "    sétál\n"
                             "    gyalogol\n"
                             "  2. lista: „walke” (65280) + „r” (16732671)\n"
                             "    sétáló\n"
                             "„Walk”: pontos találat (szín: 65280)\n"
                             "  1. lista, fejléc nélkül\n"
                             "    sétál\n"
                             "    gyalogol\n")
                  .toStdString());
}

TEST_F(LookupCommand, JsonGivesOneObjectPerWord)
{
    const CommandRun result = run(dictArgs() << QStringLiteral("--json") << QStringLiteral("walked")
                                             << QStringLiteral("qqq"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);

    const QJsonObject walked = jsonLine(lines[0]);
    EXPECT_EQ(walked.value(QStringLiteral("word")).toString(), QStringLiteral("walked"));
    EXPECT_EQ(walked.value(QStringLiteral("outcome")).toString(), QStringLiteral("found"));
    EXPECT_EQ(walked.value(QStringLiteral("colour")).toInteger(), 16777215);
    const QJsonObject list1 = walked.value(QStringLiteral("list1")).toObject();
    EXPECT_EQ(list1.value(QStringLiteral("head")).toString(), QStringLiteral("walk"));
    EXPECT_EQ(list1.value(QStringLiteral("tail")).toString(), QString());
    EXPECT_EQ(list1.value(QStringLiteral("headColor")).toInteger(), 65280);
    EXPECT_EQ(list1.value(QStringLiteral("tailColor")).toInteger(), 16777000);
    EXPECT_EQ(items(list1), (QStringList{QStringLiteral("sétál"), QStringLiteral("gyalogol")}));
    const QJsonObject list2 = walked.value(QStringLiteral("list2")).toObject();
    EXPECT_EQ(list2.value(QStringLiteral("head")).toString(), QStringLiteral("walke"));
    EXPECT_EQ(list2.value(QStringLiteral("tail")).toString(), QStringLiteral("r"));
    EXPECT_EQ(list2.value(QStringLiteral("tailColor")).toInteger(), 16732671);
    EXPECT_EQ(items(list2), QStringList{QStringLiteral("sétáló")});

    const QJsonObject miss = jsonLine(lines[1]);
    EXPECT_EQ(miss.value(QStringLiteral("outcome")).toString(), QStringLiteral("none"));
    EXPECT_EQ(miss.value(QStringLiteral("colour")).toInteger(), 2631935);
    const QJsonObject missList1 = miss.value(QStringLiteral("list1")).toObject();
    EXPECT_EQ(items(missList1), QStringList{QStringLiteral("Nincs ilyen szó a szótárban...")});
    EXPECT_TRUE(missList1.value(QStringLiteral("headColor")).isNull());
    EXPECT_TRUE(items(miss.value(QStringLiteral("list2")).toObject()).isEmpty());
}

TEST_F(LookupCommand, NoStemLeavesOutTheWordForms)
{
    {
        auto table = makeTable();
        table->open();
        addAll(*table, {{QStringLiteral("a"), QStringLiteral("egy")},
                        {QStringLiteral("to eat"), QStringLiteral("eszik")}});
    }
    const auto list1 = [this](const QStringList &options) {
        const CommandRun result =
            run(dictArgs() << options << QStringLiteral("--json") << QStringLiteral("ate"));
        EXPECT_EQ(result.code, 0) << result.err.toStdString();
        const QJsonObject list =
            jsonLine(result.out.trimmed()).value(QStringLiteral("list1")).toObject();
        return list.value(QStringLiteral("head")).toString() + u'+' +
               list.value(QStringLiteral("tail")).toString() + u'=' + items(list).join(u'|');
    };
    EXPECT_EQ(list1({}), QStringLiteral("to +eat=eszik"));
    EXPECT_EQ(list1({QStringLiteral("--no-stem")}), QStringLiteral("a+=egy"));
}

TEST_F(LookupCommand, EverythingAfterDoubleDashIsAWord)
{
    const CommandRun result =
        run(dictArgs() << QStringLiteral("--json") << QStringLiteral("--") << QStringLiteral("-x")
                       << QString() << QStringLiteral("--json"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(items(jsonLine(lines[0]).value(QStringLiteral("list1")).toObject()),
              QStringList{QStringLiteral("mínusz iksz")});
    EXPECT_EQ(jsonLine(lines[1]).value(QStringLiteral("word")).toString(), QString());
    EXPECT_EQ(jsonLine(lines[1]).value(QStringLiteral("outcome")).toString(),
              QStringLiteral("none"));
    EXPECT_EQ(jsonLine(lines[2]).value(QStringLiteral("word")).toString(),
              QStringLiteral("--json"));
}

TEST_F(LookupCommand, ReadsWordsFromInputWhenNoneIsGiven)
{
    const CommandRun result =
        run(dictArgs() << QStringLiteral("--json"), QStringLiteral("ÉG\r\nwalk\n"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(jsonLine(lines[0]).value(QStringLiteral("lookupWord")).toString(),
              QStringLiteral("ég"));
    EXPECT_EQ(items(jsonLine(lines[0]).value(QStringLiteral("list1")).toObject()),
              QStringList{QStringLiteral("sky")});
    EXPECT_EQ(jsonLine(lines[1]).value(QStringLiteral("outcome")).toString(),
              QStringLiteral("exact"));
}

TEST_F(LookupCommand, ReverseLooksUpTheSecondLanguage)
{
    const CommandRun result =
        run(dictArgs() << QStringLiteral("--reverse") << QStringLiteral("Sétál"));
    ASSERT_EQ(result.code, 0) << result.err.toStdString();
    EXPECT_EQ(result.out.toStdString(), QStringLiteral("„Sétál”: pontos találat (szín: 65280)\n"
                                                       "  1. lista, fejléc nélkül\n"
                                                       "    walk\n")
                                            .toStdString());
}

struct FailureCase {
    const char *name;
    QStringList arguments; // "@" + name: a file of the fixture's folder
    int code;
    const char *message; // the start of the error text
};

void PrintTo(const FailureCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class LookupCommandFailure : public LookupCommand,
                             public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LookupCommandFailure, ReportsInHungarian)
{
    const QStringList arguments = velkor_test::inFolder(dir.path(), GetParam().arguments);
    // A file that is no table at all.
    QFile broken(path(QStringLiteral("Angol_Nemet.DB")));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("nem tábla");
    broken.close();
    // A table whose name names no languages.
    ASSERT_TRUE(QFile::copy(path(), path(QStringLiteral("Szotar.DB"))));

    const CommandRun result = run(arguments);
    EXPECT_EQ(result.code, GetParam().code);
    EXPECT_TRUE(result.err.startsWith(QString::fromUtf8(GetParam().message)))
        << result.err.toStdString();
    EXPECT_TRUE(result.out.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LookupCommandFailure,
    ::testing::Values(
        FailureCase{
            "MissingDictionary",
            {QStringLiteral("--dict"), QStringLiteral("@Angol_Francia.DB"), QStringLiteral("walk")},
            1,
            "Hiba: a szótár nem található"},
        FailureCase{
            "NotATable",
            {QStringLiteral("--dict"), QStringLiteral("@Angol_Nemet.DB"), QStringLiteral("walk")},
            1,
            "Hiba: "},
        FailureCase{"FolderGiven",
                    {QStringLiteral("--dict"), QStringLiteral("@"), QStringLiteral("walk")},
                    1,
                    "Hiba: a szótár nem található"},
        FailureCase{"NameWithoutLanguages",
                    {QStringLiteral("--dict"), QStringLiteral("@Szotar.DB")},
                    1,
                    "Hiba: a szótár neve nem"},
        FailureCase{
            "NoDictionaryOption", {QStringLiteral("walk")}, 2, "Hiányzik a szótár (--dict)."},
        FailureCase{
            "UnknownOption",
            {QStringLiteral("--dict"), QStringLiteral("@Angol_Magyar.DB"), QStringLiteral("-x")},
            2,
            "Hibás parancssor"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LookupCommand, FieldsComeFromTheFileName)
{
    // A copy under another pair of language names has no such columns.
    ASSERT_TRUE(QFile::copy(path(), path(QStringLiteral("Nemet_Magyar.DB"))));
    const CommandRun result = run(QStringList{
        QStringLiteral("--dict"), path(QStringLiteral("Nemet_Magyar.DB")), QStringLiteral("walk")});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.err.startsWith(QStringLiteral("Hiba: "))) << result.err.toStdString();
}

} // namespace

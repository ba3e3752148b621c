// Loading a new dictionary in one go gives the same file, row for row, key
// for key and index for index, as creating it and appending through a Table.
#include "store/dictionaryloader.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/dictionary_files.h"
#include "support/printers.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct LoadCase {
    const char *name;
    QString first;
    QString second;
};

void PrintTo(const LoadCase &c, std::ostream *os)
{
    *os << c.name;
}

const QString kFirst = QStringLiteral("Angol");
const QString kSecond = QStringLiteral("Magyar");

// Every row of the table with its key, in key order.
std::vector<std::pair<std::int32_t, QStringList>> rowsOf(const QString &directory)
{
    std::vector<std::pair<std::int32_t, QStringList>> rows;
    for (const store::RowValues &row : velkor_test::readRows(
             QDir(directory).filePath(QStringLiteral("Angol_Magyar.DB")), {kFirst, kSecond}))
        rows.emplace_back(row.azon, row.values);
    return rows;
}

class DictionaryLoad : public ::testing::TestWithParam<LoadCase> {
protected:
    std::vector<std::pair<QString, QString>> pairs() const
    {
        return {{QStringLiteral("apple"), QStringLiteral("alma")},
                {GetParam().first, GetParam().second},
                {QStringLiteral("zebra"), QStringLiteral("zebra")}};
    }

    QTemporaryDir m_loaded;
    QTemporaryDir m_appended;
};

TEST_P(DictionaryLoad, EqualsCreatingAndAppendingThroughATable)
{
    {
        store::DictionaryLoader loader(
            QDir(m_loaded.path()).filePath(QStringLiteral("Angol_Magyar.DB")), kFirst, kSecond);
        std::vector<std::int32_t> keys;
        for (const auto &[first, second] : pairs())
            keys.push_back(loader.append(first, second));
        // What a row reads back as, before the load is finished.
        EXPECT_EQ(loader.row(keys[1]).first, QString::fromUtf8(GetParam().first.toUtf8()));
        EXPECT_EQ(loader.row(keys[1]).second, QString::fromUtf8(GetParam().second.toUtf8()));
        loader.finish();
    }
    velkor_test::makeDictionary(QDir(m_appended.path()).filePath(QStringLiteral("Angol_Magyar.DB")),
                                kFirst, kSecond, pairs());
    EXPECT_EQ(rowsOf(m_loaded.path()), rowsOf(m_appended.path()));

    store::Session session;
    store::Table table(session);
    table.setDatabaseName(m_loaded.path());
    table.setTableName(QStringLiteral("Angol_Magyar.DB"));
    table.open();
    EXPECT_EQ(table.indexNames(), (QStringList{kFirst, kSecond}));
    // The indexes hold the rows: a case-insensitive search in either order finds it.
    for (const QString &field : {kFirst, kSecond}) {
        table.setIndexFieldNames(field);
        const QString wanted =
            QString::fromUtf8((field == kFirst ? GetParam().first : GetParam().second).toUtf8());
        EXPECT_TRUE(table.locate(field, wanted.toUpper(), store::LocateOption::CaseInsensitive))
            << field.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DictionaryLoad,
    ::testing::Values(
        LoadCase{"Ascii", QStringLiteral("bank"), QStringLiteral("part")},
        LoadCase{"HungarianLetters", QStringLiteral("őrült"), QStringLiteral("ŰRHAJÓ")},
        LoadCase{"QuotesAndApostrophes", QStringLiteral("it's"), QStringLiteral("\"idéz\"")},
        LoadCase{"OutsideTheBasicPlane", QStringLiteral("\U0001F600 smile"),
                 QStringLiteral("\U00010400")},
        LoadCase{"LoneSurrogate", QString(QChar(0xD800)) + QStringLiteral("x"),
                 QStringLiteral("y") + QString(QChar(0xDC00))}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

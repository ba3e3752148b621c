#include "support/dictionary_fixture.h"

#include "store/engine/collation.h"
#include "support/printers.h"

#include <QFile>

#include <algorithm>
#include <map>
#include <random>
#include <set>

using namespace Qt::StringLiterals;

namespace {

using store::LocateOption;
using Opts = store::LocateOptions;
const Opts kCi = LocateOption::CaseInsensitive;

class TableTest : public DictionaryFixture {
protected:
    void SetUp() override
    {
        DictionaryFixture::SetUp();
        createDictionary();
        table = makeTable();
        table->open();
    }
    std::unique_ptr<store::Table> table;
};

TEST_F(TableTest, OrdersBySourceWithAccentsCaseAndTies)
{
    addAll(*table, {{u"ő"_s, u"1"_s},
                    {u"house"_s, u"ház"_s},
                    {u"House"_s, u"Ház"_s},
                    {u"o"_s, u"2"_s},
                    {u"ó"_s, u"3"_s},
                    {u"p"_s, u"4"_s},
                    {u"house"_s, u"otthon"_s},
                    {u"ö"_s, u"5"_s}});
    table->setIndexFieldNames(u"Angol"_s);
    // Ties: exact text (code point order, "House" before "house"), then key.
    EXPECT_EQ(walk(*table), (QStringList{u"House"_s, u"house"_s, u"house"_s, u"o"_s, u"ó"_s, u"ö"_s,
                                         u"ő"_s, u"p"_s}));
    table->locate(u"Angol"_s, u"house"_s, LocateOption::CaseInsensitive);
    table->next();
    EXPECT_EQ(target(*table), u"ház"_s);
    table->next();
    EXPECT_EQ(target(*table), u"otthon"_s);
}

TEST_F(TableTest, WalksBackwardsAndReportsPositions)
{
    addAll(*table, {{u"c"_s, u"3"_s}, {u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}});
    table->setIndexFieldNames(u"Angol"_s);
    table->last();
    EXPECT_TRUE(table->eof());
    EXPECT_EQ(table->recNo(), 2);
    QStringList seen;
    while (!table->bof()) {
        seen << source(*table);
        table->prior();
    }
    EXPECT_EQ(seen, (QStringList{u"c"_s, u"b"_s, u"a"_s}));
    EXPECT_EQ(table->recNo(), 0);
    EXPECT_EQ(table->rowAt(1).values.front(), u"b"_s);
    table->moveTo(1);
    EXPECT_EQ(source(*table), u"b"_s);
    EXPECT_EQ(table->recordCount(), 3);
}

struct LocateCase {
    const char16_t *value;
    bool caseInsensitive;
    bool partial;
    bool found;
    const char16_t *landsOn; // target text of the row found
};

void PrintTo(const LocateCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.value, c.caseInsensitive, c.partial, c.found, c.landsOn);
}

class LocateTest : public TableTest, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocateTest, FindsTheFirstMatchingRowInTheCurrentOrder)
{
    addAll(*table, {{u"walker"_s, u"sétáló"_s},
                    {u"Walk"_s, u"séta"_s},
                    {u"walk"_s, u"sétál"_s},
                    {u"walk"_s, u"jár"_s},
                    {u"ősz"_s, u"autumn"_s},
                    {u"osztály"_s, u"class"_s},
                    {u"to walk"_s, u"gyalogol"_s}});
    table->setIndexFieldNames(u"Angol"_s);
    table->locate(u"Angol"_s, u"osztály"_s, {});
    const LocateCase c = GetParam();
    Opts options;
    if (c.caseInsensitive)
        options |= LocateOption::CaseInsensitive;
    if (c.partial)
        options |= LocateOption::PartialKey;
    EXPECT_EQ(table->locate(u"Angol"_s, QString::fromUtf16(c.value), options), c.found);
    // Not found: the row stays where it was.
    EXPECT_EQ(target(*table), QString::fromUtf16(c.landsOn));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocateTest,
    ::testing::Values(LocateCase{u"walk", true, false, true, u"séta"},    // "Walk" first
                      LocateCase{u"walk", false, false, true, u"sétál"},  // exact case
                      LocateCase{u"WALKE", true, true, true, u"sétáló"},  // prefix
                      LocateCase{u"wal", true, true, true, u"séta"},      // first of the run
                      LocateCase{u"walke", true, false, false, u"class"}, // no exact match
                      LocateCase{u"ŐSZ", true, false, true, u"autumn"},   // accented capital
                      LocateCase{u"osz", true, true, true, u"class"},     // o is not ő
                      LocateCase{u"ősza", true, true, false, u"class"},   // longer than any
                      LocateCase{u"x", true, true, false, u"class"},      // total miss
                      LocateCase{u"to w", true, true, true, u"gyalogol"},
                      LocateCase{u"", true, true, true, u"class"}),
    [](const auto &info) {
        return velkor_test::caseName(info.param.value,
                                     info.param.caseInsensitive ? "Case" : "Exact",
                                     info.param.partial ? "Partial" : "Whole");
    }); // everything matches

TEST_F(TableTest, LocatesOverTwoFieldsAndInAnotherOrder)
{
    addAll(*table, {{u"b"_s, u"x"_s}, {u"a"_s, u"z"_s}, {u"A"_s, u"y"_s}});
    table->setIndexFieldNames(u"Magyar"_s);
    ASSERT_TRUE(table->locate(u"Angol;Magyar"_s, {u"a"_s, u"Z"_s}, kCi));
    EXPECT_EQ(target(*table), u"z"_s);
    // The first match in the current (target) order: y before z.
    ASSERT_TRUE(table->locate(u"Angol"_s, u"a"_s, kCi));
    EXPECT_EQ(target(*table), u"y"_s);
    EXPECT_FALSE(table->locate(u"Angol;Magyar"_s, {u"b"_s, u"z"_s}, kCi));
}

TEST_F(TableTest, OrderingByAFieldWithoutIndexFails)
{
    table->deleteIndex(u"Magyar"_s);
    table->setIndexFieldNames(u"Angol"_s);
    try {
        table->setIndexFieldNames(u"Magyar"_s);
        FAIL() << "ordering without an index must fail";
    } catch (const store::EngineError &error) {
        EXPECT_TRUE(error.message().contains(u"Magyar"_s));
    }
    EXPECT_EQ(table->indexFieldNames(), u"Angol"_s); // order unchanged
    table->setIndexFieldNames(QString());            // "Azon" order always works
    EXPECT_THROW(table->deleteIndex(u"Magyar"_s), store::EngineError);
    table->addIndex(u"iMagyar"_s, u"Magyar"_s);
    EXPECT_NO_THROW(table->setIndexFieldNames(u"Magyar"_s));
    EXPECT_THROW(table->addIndex(u"iMagyar"_s, u"Magyar"_s), store::EngineError);
}

TEST_F(TableTest, KeepsRowsAcrossReopenAndGivesUniqueKeys)
{
    addAll(*table, {{u"alma"_s, u"apple"_s}, {u"körte"_s, u"pear"_s}});
    table->first();
    const auto firstKey = table->findField(u"Azon"_s)->asInteger();
    EXPECT_EQ(firstKey, 1000000);
    table->close();
    table->open();
    EXPECT_EQ(table->recordCount(), 2);
    add(*table, u"szilva"_s, u"plum"_s);
    std::set<int> keys;
    table->first();
    while (!table->eof()) {
        keys.insert(table->findField(u"Azon"_s)->asInteger());
        table->next();
    }
    EXPECT_EQ(keys.size(), 3u);
    // A deleted top key is not handed out again while larger ones exist.
    table->last();
    table->remove();
    add(*table, u"dió"_s, u"nut"_s);
    EXPECT_EQ(table->recordCount(), 3);
}

TEST_F(TableTest, CutsTextsToTheFieldSize)
{
    const QString longText(60, QLatin1Char('x'));
    add(*table, longText, u"y"_s);
    table->first();
    EXPECT_EQ(source(*table), longText.left(50));
    // A surrogate pair straddling the limit is dropped whole.
    const QString emoji = QString(49, QLatin1Char('a')) + QString::fromUcs4(U"\U0001F600");
    add(*table, emoji, u"y"_s);
    ASSERT_TRUE(table->locate(u"Angol"_s, QString(49, QLatin1Char('a')), {}));
}

TEST_F(TableTest, TwoComponentsOnOneFileSeeEachOthersRows)
{
    auto other = makeTable();
    other->open();
    other->setIndexFieldNames(u"Angol"_s);
    table->setIndexFieldNames(u"Angol"_s);
    add(*table, u"b"_s, u"1"_s);
    EXPECT_EQ(other->recordCount(), 1);
    add(*other, u"a"_s, u"2"_s);
    EXPECT_EQ(walk(*table), (QStringList{u"a"_s, u"b"_s}));
    // Deleting the other's current row moves it to the next one.
    other->locate(u"Angol"_s, u"a"_s, kCi);
    table->locate(u"Angol"_s, u"a"_s, kCi);
    table->remove();
    EXPECT_EQ(source(*other), u"b"_s);
    table->first();
    other->first();
    other->gotoCurrent(*table);
    EXPECT_EQ(other->currentKey(), table->currentKey());
}

TEST_F(TableTest, EditingMovesTheRowToItsNewPlace)
{
    addAll(*table, {{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}});
    table->setIndexFieldNames(u"Angol"_s);
    EXPECT_EQ(table->recNo(), 2); // the order changes, the current row stays
    table->locate(u"Angol"_s, u"a"_s, kCi);
    table->edit();
    table->findField(u"Angol"_s)->setAsString(u"d"_s);
    table->post();
    EXPECT_EQ(table->recNo(), 2);
    EXPECT_EQ(walk(*table), (QStringList{u"b"_s, u"c"_s, u"d"_s}));
    // Moving away posts a modified row; an untouched append is dropped.
    table->first();
    table->edit();
    table->findField(u"Magyar"_s)->setAsString(u"kettő"_s);
    table->next();
    table->first();
    EXPECT_EQ(target(*table), u"kettő"_s);
    table->append();
    table->first();
    EXPECT_EQ(table->recordCount(), 3);
    EXPECT_THROW(table->findField(u"Angol"_s)->setAsString(u"x"_s), store::EngineError);
}

TEST_F(TableTest, DeletingMakesTheNextRowCurrent)
{
    addAll(*table, {{u"a"_s, u"1"_s}, {u"b"_s, u"2"_s}, {u"c"_s, u"3"_s}});
    table->setIndexFieldNames(u"Angol"_s);
    table->locate(u"Angol"_s, u"b"_s, kCi);
    table->remove();
    EXPECT_EQ(source(*table), u"c"_s);
    table->remove(); // the last one: the new last becomes current
    EXPECT_EQ(source(*table), u"a"_s);
    table->remove();
    EXPECT_EQ(table->recordCount(), 0);
    EXPECT_TRUE(table->eof());
    EXPECT_THROW(table->remove(), store::EngineError);
}

TEST_F(TableTest, FieldNamesChangeOnlyWhileClosed)
{
    EXPECT_THROW(table->findField(u"Angol"_s)->setFieldName(u"X"_s), store::EngineError);
    table->close();
    table->findField(u"Angol"_s)->setFieldName(u"Nincs"_s);
    EXPECT_THROW(table->open(), store::EngineError); // no such column
    EXPECT_FALSE(table->isOpen());
}

TEST_F(TableTest, EmptiesTheTableAndDeletesItsFiles)
{
    addAll(*table, {{u"a"_s, u"1"_s}});
    table->emptyTable();
    EXPECT_EQ(table->recordCount(), 0);
    EXPECT_THROW(table->deleteTable(), store::EngineError); // still open
    table->close();
    QFile(path(u"Angol_Magyar.XG0"_s)).open(QIODevice::WriteOnly);
    table->deleteTable();
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_FALSE(QFile::exists(path(u"Angol_Magyar.XG0"_s)));
}

TEST_F(TableTest, OpensANameThatDiffersInLetterCase)
{
    table->close();
    auto other = makeTable(u"angol_magyar.db"_s);
    EXPECT_NO_THROW(other->open());
}

TEST_F(TableTest, BatchesTellViewsOnceAtTheEnd)
{
    int changes = 0;
    QObject guard;
    QObject::connect(table.get(), &store::Table::dataChanged, &guard, [&] { ++changes; });
    table->disableControls();
    for (int i = 0; i < 100; ++i)
        add(*table, QString::number(i), u"x"_s);
    EXPECT_EQ(changes, 0);
    table->enableControls();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(table->recordCount(), 100);
}

// Random edits through two components, checked against a plain sorted model.
TEST_F(TableTest, MatchesAReferenceModelUnderRandomChanges)
{
    auto other = makeTable();
    other->open();
    table->setIndexFieldNames(u"Angol"_s);
    other->setIndexFieldNames(u"Magyar"_s);
    std::mt19937 random(7);
    const QStringList words{u"a"_s, u"A"_s, u"á"_s,    u"b"_s, u"ab"_s, u"ő"_s,
                            u"ö"_s, u"o"_s, u"to a"_s, u"Ő"_s, u""_s};
    std::map<int, std::pair<QString, QString>> model;
    auto pick = [&] { return words[int(random() % words.size())]; };
    for (int step = 0; step < 400; ++step) {
        store::Table &t = (random() % 2) ? *table : *other;
        const int action = int(random() % 4);
        if (action < 2 || model.empty()) {
            const QString s = pick(), m = pick();
            add(t, s, m);
            model[t.findField(u"Azon"_s)->asInteger()] = {s, m};
        } else if (action == 2) {
            t.moveTo(int(random() % model.size()));
            model.erase(t.findField(u"Azon"_s)->asInteger());
            t.remove();
        } else {
            t.moveTo(int(random() % model.size()));
            const QString s = pick();
            t.edit();
            t.findField(u"Angol"_s)->setAsString(s);
            t.post();
            model[t.findField(u"Azon"_s)->asInteger()].first = s;
        }
        if (step % 25 != 0)
            continue;
        std::vector<std::tuple<QString, QString, int>> expected;
        for (const auto &[key, pair] : model)
            expected.emplace_back(pair.first, pair.second, key);
        std::sort(expected.begin(), expected.end(), [](const auto &x, const auto &y) {
            const int c = store::collation::compare(std::get<0>(x), std::get<0>(y));
            if (c != 0)
                return c < 0;
            const QByteArray a = std::get<0>(x).toUtf8(), b = std::get<0>(y).toUtf8();
            if (a != b)
                return a < b;
            return std::get<2>(x) < std::get<2>(y);
        });
        ASSERT_EQ(table->recordCount(), int(expected.size()));
        for (int pos = 0; pos < int(expected.size()); ++pos)
            ASSERT_EQ(table->rowAt(pos).azon, std::get<2>(expected[std::size_t(pos)])) << pos;
        // A fresh connection has no key lists: walking it goes by index seeks.
        if (!expected.empty()) {
            store::Session fresh;
            store::Table seeker(fresh);
            velkor_test::bindTable(seeker, path());
            seeker.setIndexFieldNames(u"Angol"_s);
            seeker.open();
            ASSERT_TRUE(seeker.locate(u"Angol"_s, std::get<0>(expected.front()), {}));
            for (std::size_t i = 1; i < expected.size(); ++i) {
                seeker.next();
                ASSERT_EQ(seeker.currentKey(), std::get<2>(expected[i]));
            }
            seeker.next();
            EXPECT_TRUE(seeker.eof());
            for (std::size_t i = expected.size() - 1; i > 0; --i) {
                seeker.prior();
                ASSERT_EQ(seeker.currentKey(), std::get<2>(expected[i - 1]));
            }
        }
    }
}

} // namespace

// Stepping through an order with next() and prior() between writes,
// repositions and other cursors on the same file.
#include "support/dictionary_fixture.h"

#include "store/engine/table_file.h"
#include "support/printers.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sqlite3.h>

#include <chrono>
#include <functional>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

using store::LocateOption;

// In source order: A/6, a/2, a/4, B/7, b/5, b/1, c/3 (case ties, then
// exact text, then key); in target order the targets count 1 to 7.
const std::vector<std::pair<QString, QString>> kRows{
    {u"b"_s, u"5"_s}, {u"a"_s, u"2"_s}, {u"B"_s, u"7"_s}, {u"b"_s, u"1"_s},
    {u"c"_s, u"3"_s}, {u"A"_s, u"6"_s}, {u"a"_s, u"4"_s}};

struct Cursors {
    store::Table &a;
    store::Table &b;
    QStringList seen;
    std::function<void(const QString &, const QString &)> addFromOutside;
    // The target of a's row, marked at either end.
    void look(const store::Table &t)
    {
        seen << t.findField(u"Magyar"_s)->asString() + (t.eof() ? u"$"_s : u""_s) +
                    (t.bof() ? u"^"_s : u""_s);
    }
};

struct StepCase {
    const char *name;
    std::function<void(Cursors &)> script;
    QStringList seen;
};

void PrintTo(const StepCase &c, std::ostream *os)
{
    *os << c.name;
}

class SteppingTest : public DictionaryFixture, public ::testing::WithParamInterface<StepCase> {};

TEST_P(SteppingTest, GivesTheRowsOfTheOrderInTurn)
{
    createDictionaryWith(kRows);
    auto a = makeTable();
    auto b = makeTable();
    a->setIndexFieldNames(u"Angol"_s);
    b->setIndexFieldNames(u"Angol"_s);
    a->open();
    b->open();
    Cursors cursors{*a, *b, {}, [this](const QString &source, const QString &target) {
                        store::Session outside;
                        store::Table other(outside);
                        velkor_test::bindTable(other, path(), {u"Angol"_s, u"Magyar"_s});
                        other.open();
                        add(other, source, target);
                    }};
    GetParam().script(cursors);
    EXPECT_EQ(cursors.seen, GetParam().seen);
}

void steps(Cursors &c, store::Table &t, const char *moves)
{
    for (const char *m = moves; *m; ++m) {
        *m == '+' ? t.next() : t.prior();
        c.look(t);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SteppingTest,
    ::testing::Values(StepCase{"ForwardAndBackAcrossCaseTies",
                               [](Cursors &c) {
                                   c.a.first();
                                   steps(c, c.a, "++++---");
                               },
                               {u"2"_s, u"4"_s, u"7"_s, u"5"_s, u"7"_s, u"4"_s, u"2"_s}},
                      StepCase{"StaysOnTheRowAtEitherEnd",
                               [](Cursors &c) {
                                   c.a.last();
                                   steps(c, c.a, "+-");
                                   c.a.first();
                                   steps(c, c.a, "-+");
                               },
                               {u"3$"_s, u"1"_s, u"6^"_s, u"2"_s}},
                      StepCase{"KeepsItsRowWhenAnotherCursorStepsBetween",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.b.first();
                                   c.b.next();
                                   c.b.next();
                                   c.look(c.a);
                                   c.look(c.b);
                                   steps(c, c.a, "+");
                               },
                               {u"2"_s, u"4"_s, u"4"_s}},
                      StepCase{"StepsOntoARowAnotherCursorPosted",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.b.append();
                                   c.b.findField(u"Angol"_s)->setAsString(u"a"_s);
                                   c.b.findField(u"Magyar"_s)->setAsString(u"8"_s);
                                   c.b.post();
                                   steps(c, c.a, "++-");
                               },
                               {u"4"_s, u"8"_s, u"4"_s}},
                      StepCase{"StepsOverARowAnotherCursorDeleted",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.b.locate(u"Magyar"_s, u"4"_s, {});
                                   c.b.remove();
                                   steps(c, c.a, "+-");
                               },
                               {u"7"_s, u"2"_s}},
                      StepCase{"SeesAnotherProgramsRowAfterAPause",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.addFromOutside(u"a"_s, u"9"_s);
                                   // A step after the pause reads the file anew.
                                   std::this_thread::sleep_for(std::chrono::milliseconds(
                                       2 * store::TableFile::kSteppingPauseMs));
                                   steps(c, c.a, "++");
                               },
                               {u"4"_s, u"9"_s}},
                      StepCase{"FollowsANewOrder",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.a.setIndexFieldNames(u"Magyar"_s);
                                   steps(c, c.a, "+---");
                               },
                               {u"3"_s, u"2"_s, u"1"_s, u"1^"_s}},
                      StepCase{"WalksTheKeyOrder",
                               [](Cursors &c) {
                                   c.a.clearIndexName();
                                   c.a.first();
                                   steps(c, c.a, "++-");
                               },
                               {u"2"_s, u"7"_s, u"2"_s}},
                      StepCase{"GoesOnFromTheNewPlaceOfAnEditedRow",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.a.edit();
                                   c.a.findField(u"Angol"_s)->setAsString(u"c"_s);
                                   steps(c, c.a, "+--");
                               },
                               {u"3"_s, u"2"_s, u"1"_s}},
                      StepCase{"ComesBackAfterALocate",
                               [](Cursors &c) {
                                   c.a.first();
                                   c.a.next();
                                   c.a.locate(u"Angol"_s, u"B"_s, LocateOption::CaseInsensitive);
                                   steps(c, c.a, "-+");
                               },
                               {u"4"_s, u"7"_s}}),
    [](const auto &info) { return velkor_test::caseName(QString::fromLatin1(info.param.name)); });

// How many readers kept another connection from resetting the file's log:
// 0 when nobody holds a snapshot.
int checkpointBlockedBy(const QString &path)
{
    sqlite3 *db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt *checkpoint = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA wal_checkpoint(TRUNCATE)", -1, &checkpoint, nullptr);
    const int busy =
        sqlite3_step(checkpoint) == SQLITE_ROW ? sqlite3_column_int(checkpoint, 0) : -1;
    sqlite3_finalize(checkpoint);
    sqlite3_close(db);
    return busy;
}

TEST_F(DictionaryFixture, ACursorLeftStandingLetsGoOfItsSnapshot)
{
    // The idle time is noticed by the program's event loop.
    int argc = 0;
    std::optional<QCoreApplication> app;
    if (!QCoreApplication::instance())
        app.emplace(argc, nullptr);
    createDictionaryWith(kRows);
    auto a = makeTable();
    a->setIndexFieldNames(u"Angol"_s);
    a->open();
    // Log frames that a checkpoint would have to copy back.
    add(*a, u"d"_s, u"8"_s);
    a->first();
    a->next();
    const QString path = QDir(dir.path()).filePath(u"Angol_Magyar.DB"_s);
    EXPECT_EQ(checkpointBlockedBy(path), 1) << "the walk reads one snapshot while stepping";
    // The program goes back to its event loop and the user does nothing.
    QElapsedTimer idle;
    idle.start();
    while (idle.elapsed() < 400)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(checkpointBlockedBy(path), 0);
    a->next();
    EXPECT_EQ(a->findField(u"Magyar"_s)->asString(), u"4"_s);
}

} // namespace

namespace {

// A table large enough to build its key lists in the background gives the
// same positions and rows, counted and walked, as one with the list.
class PositionsTest : public DictionaryFixture,
                      public ::testing::WithParamInterface<const char16_t *> {};

TEST_P(PositionsTest, AreTheSameWithoutTheKeyList)
{
    createDictionary();
    {
        auto filler = makeTable();
        filler->open();
        filler->disableControls();
        const QStringList sources{u"a"_s, u"A"_s, u"á"_s, u"b"_s, u"ab"_s, u"B"_s, u""_s};
        for (int i = 0; i < 60; ++i)
            add(*filler, sources[(i * 5) % sources.size()], QString::number((i * 37) % 23));
        filler->enableControls();
    }
    const QString order = QString::fromUtf16(GetParam());
    auto reference = makeTable();
    reference->setIndexFieldNames(order);
    reference->open();
    const int rows = reference->recordCount();

    store::Session background;
    background.setBackgroundKeysFrom(1);
    store::Table table(background);
    velkor_test::bindTable(table, path());
    table.setIndexFieldNames(order);
    table.open();
    for (const int at : {37, 0, rows - 1, 12}) {
        reference->moveTo(at);
        ASSERT_TRUE(table.locate(u"Azon"_s, QString::number(*reference->currentKey()), {}));
        EXPECT_EQ(table.recNo(), at);
        for (int pos = 0; pos < rows; ++pos)
            ASSERT_EQ(table.rowAt(pos).azon, reference->rowAt(pos).azon) << at << " " << pos;
    }
    table.moveTo(45);
    EXPECT_EQ(table.currentKey(), reference->rowAt(45).azon);
    EXPECT_EQ(table.rowAt(rows).azon, 0);
}

INSTANTIATE_TEST_SUITE_P(Orders, PositionsTest, ::testing::Values(u"Angol", u"Magyar", u""),
                         [](const auto &info) {
                             return velkor_test::caseName(QString::fromUtf16(info.param));
                         });

} // namespace

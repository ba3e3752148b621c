// Reading a run of rows with one source text at once, in the field's order
// and in others, and where it leaves the table.
#include "support/dictionary_fixture.h"
#include "support/printers.h"

#include <gtest/gtest.h>

#include <array>
#include <ostream>

namespace {

struct RunCase {
    const char *name;
    const char *order; // the current order's field; empty: "Azon"
    const char *start; // located exactly, case and all
    std::size_t room;  // texts the caller takes at most
    QStringList read;
    const char *currentTarget; // of the row current afterwards
    bool eof;
};

void PrintTo(const RunCase &c, std::ostream *os)
{
    *os << c.name;
}

class ReadRun : public DictionaryFixture, public ::testing::WithParamInterface<RunCase> {};

TEST_P(ReadRun, ReadsTheRunAndStandsWhereNextWouldHaveLeftIt)
{
    const RunCase &c = GetParam();
    createDictionaryWith({{QStringLiteral("run"), QStringLiteral("fut")},
                          {QStringLiteral("rung"), QStringLiteral("fok")},
                          {QStringLiteral("run"), QStringLiteral("szalad")},
                          {QStringLiteral("Run"), QStringLiteral("Fut")},
                          {QStringLiteral("run"), QStringLiteral("működik")},
                          {QStringLiteral("runner"), QStringLiteral("futó")},
                          {QStringLiteral("zz"), QStringLiteral("utolsó előtti")},
                          {QStringLiteral("zz"), QStringLiteral("utolsó")}});
    auto table = makeTable();
    table->setIndexFieldNames(QString::fromUtf8(c.order));
    table->open();
    ASSERT_TRUE(table->locate(QStringLiteral("Angol"), QString::fromUtf8(c.start), {}));

    std::array<QString, 8> out;
    const int read = table->readRun(QStringLiteral("Angol"), QStringLiteral("Magyar"),
                                    std::span<QString>(out.data(), c.room));
    EXPECT_EQ(QStringList(out.begin(), out.begin() + read), c.read);
    EXPECT_EQ(target(*table), QString::fromUtf8(c.currentTarget));
    EXPECT_EQ(table->eof(), c.eof);

    // Once a view has asked for positions, the order's key list is loaded
    // and the run's end gets its position from it: the right one.
    ASSERT_TRUE(table->locate(QStringLiteral("Angol"), QString::fromUtf8(c.start), {}));
    table->recNo();
    table->readRun(QStringLiteral("Angol"), QStringLiteral("Magyar"),
                   std::span<QString>(out.data(), c.room));
    const auto key = table->currentKey();
    table->moveTo(table->recNo());
    EXPECT_EQ(table->currentKey(), key);
    EXPECT_EQ(target(*table), QString::fromUtf8(c.currentTarget));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadRun,
    ::testing::Values(
        RunCase{"WholeRunThenTheNextText",
                "Angol",
                "run",
                8,
                {QStringLiteral("fut"), QStringLiteral("szalad"), QStringLiteral("működik")},
                "fok",
                false},
        RunCase{"OtherCaseIsAnotherRun", "Angol", "Run", 8, {QStringLiteral("Fut")}, "fut", false},
        RunCase{"NoRoomLeftStopsInsideTheRun",
                "Angol",
                "run",
                2,
                {QStringLiteral("fut"), QStringLiteral("szalad")},
                "működik",
                false},
        RunCase{
            "RoomForOneTakesOneStep", "Angol", "run", 1, {QStringLiteral("fut")}, "szalad", false},
        RunCase{"NoRoomReadsNothingAndStays", "Angol", "run", 0, {}, "fut", false},
        RunCase{"RunAtTheEndStaysOnItsLastRow",
                "Angol",
                "zz",
                8,
                {QStringLiteral("utolsó előtti"), QStringLiteral("utolsó")},
                "utolsó",
                true},
        RunCase{"KeyOrderHasOnlyAdjacentRows", "", "run", 8, {QStringLiteral("fut")}, "fok", false},
        RunCase{"TargetOrderReadsOnlyAdjacentRows",
                "Magyar",
                "run",
                8,
                {QStringLiteral("fut")},
                "futó",
                false}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

} // namespace

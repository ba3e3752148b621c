// The size box's number reader, the format painter's states and the
// geometry of dragging a toolbar panel, without widgets.
#include "editor/painterstate.h"
#include "editor/paneldrag.h"
#include "editor/strtofloatloose.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

// StrToFloatLoose -------------------------------------------------------------

struct LooseCase {
    const char *name;
    const char16_t *text;
    double expected;
};

void PrintTo(const LooseCase &c, std::ostream *os)
{
    *os << c.name;
}

const LooseCase kLooseCases[] = {
    {"BlanksAround", u"  12  ", 12},
    {"CommaAndUnit", u"1,5pt", 1.5},
    {"SecondSeparatorDropped", u"1.2.3", 1.23},
    {"Minus", u"-3", -3},
    {"Letters", u"abc", 0},
    {"Empty", u"", 0},
    {"OnlyBlanksAndControls", u" \t\r\n", 0},
    {"UnitAfterBlank", u"14 pt", 14},
    {"MinusInsideIsDropped", u"1-2", 12},
    {"MinusAfterLettersIsDropped", u"x-4", 4},
    {"LoneSeparator", u",", 0},
    {"LeadingSeparator", u".5", 0.5},
    {"MinusThenLetters", u"-pt7", -7},
    {"NonAsciiDigitsDropped", u"\u0661\u0662", 0},
    {"ExponentLetterDropped", u"1e400", 1400},
};

class StrToFloatLooseTest : public ::testing::TestWithParam<LooseCase> {};

TEST_P(StrToFloatLooseTest, ReadsTheNumberOutOfTheText)
{
    const LooseCase &c = GetParam();
    EXPECT_DOUBLE_EQ(StrToFloatLoose(QString::fromUtf16(c.text)), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Examples, StrToFloatLooseTest, ::testing::ValuesIn(kLooseCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct RoundCase {
    double value;
    int expected;
};

class RoundHalfEvenTest : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTest, HalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEvenTest,
                         ::testing::Values(RoundCase{2.5, 2}, RoundCase{3.5, 4},
                                           RoundCase{13.6, 14}, RoundCase{-2.5, -2},
                                           RoundCase{1e30, 2147483647}),
                         [](const auto &info) {
                             return velkor_test::caseName(QString::number(info.param.value));
                         });

TEST(StrToFloatLooseSizeBox, TypedSizeIsTheSizeApplied)
{
    EXPECT_EQ(RoundHalfEven(StrToFloatLoose(u"14 pt")), 14);
    EXPECT_EQ(RoundHalfEven(StrToFloatLoose(u"abc")), 0);
}

// Format painter --------------------------------------------------------------

constexpr PainterState kIdle{PainterMode::Idle, false};
constexpr PainterState kIdleTimer{PainterMode::Idle, true};
constexpr PainterState kSingle{PainterMode::Single, false};
constexpr PainterState kSingleTimer{PainterMode::Single, true};
constexpr PainterState kSticky{PainterMode::Sticky, false};
constexpr PainterState kStickyTimer{PainterMode::Sticky, true};

constexpr PainterActions kNothing{};
constexpr PainterActions kPickUpAndTime{true, false, true};
constexpr PainterActions kPickUp{true, false, false};
constexpr PainterActions kDisarm{false, true, false};

struct PainterCase {
    const char *name;
    PainterState from;
    PainterEvent event;
    PainterState to;
    PainterActions actions;
};

void PrintTo(const PainterCase &c, std::ostream *os)
{
    *os << c.name;
}

const PainterCase kPainterCases[] = {
    {"IdleClickPicksUpSingleAndStartsTheTimer", kIdle, PainterEvent::Click, kSingleTimer,
     kPickUpAndTime},
    {"IdleDoubleClickActsAsAClick", kIdle, PainterEvent::DoubleClick, kSingleTimer, kPickUpAndTime},
    {"IdleApplyDoesNothing", kIdle, PainterEvent::Applied, kIdle, kNothing},
    {"IdleFocusLossDoesNothing", kIdle, PainterEvent::FocusLost, kIdle, kNothing},
    {"SingleApplyDisarms", kSingle, PainterEvent::Applied, kIdle, kDisarm},
    {"SingleClickAfterTheTimerDisarms", kSingle, PainterEvent::Click, kIdle, kDisarm},
    {"SingleClickWithinTheTimerIsIgnored", kSingleTimer, PainterEvent::Click, kSingleTimer,
     kNothing},
    {"SingleDoubleClickWithinTheTimerMakesItSticky", kSingleTimer, PainterEvent::DoubleClick,
     kStickyTimer, kPickUp},
    {"SingleFocusLossDisarms", kSingle, PainterEvent::FocusLost, kIdle, kDisarm},
    {"SingleTimerRunsOut", kSingleTimer, PainterEvent::TimerElapsed, kSingle, kNothing},
    {"StickyApplyStaysSticky", kSticky, PainterEvent::Applied, kSticky, kNothing},
    {"StickyClickAfterTheTimerDisarms", kSticky, PainterEvent::Click, kIdle, kDisarm},
    {"StickyClickWithinTheTimerIsIgnored", kStickyTimer, PainterEvent::Click, kStickyTimer,
     kNothing},
    {"StickyFocusLossDisarms", kSticky, PainterEvent::FocusLost, kIdle, kDisarm},
    {"StickyDoubleClickPicksUpAgain", kSticky, PainterEvent::DoubleClick, kSticky, kPickUp},
    {"IdleTimerRunsOut", kIdleTimer, PainterEvent::TimerElapsed, kIdle, kNothing},
};

class PainterTransitionTest : public ::testing::TestWithParam<PainterCase> {};

TEST_P(PainterTransitionTest, FollowsTheStateTable)
{
    const PainterCase &c = GetParam();
    const PainterStep step = PainterTransition(c.from, c.event);
    EXPECT_TRUE(step.next == c.to);
    EXPECT_TRUE(step.actions == c.actions);
}

INSTANTIATE_TEST_SUITE_P(Transitions, PainterTransitionTest, ::testing::ValuesIn(kPainterCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A double click as the button delivers it: a click, then the double-click
// event; its own second click is swallowed.
PainterState doubleClick(PainterState s)
{
    s = PainterTransition(s, PainterEvent::Click).next;
    return PainterTransition(s, PainterEvent::DoubleClick).next;
}

struct SequenceCase {
    const char *name;
    PainterState from;
    PainterMode ends;
};

class PainterDoubleClickTest : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(PainterDoubleClickTest, EndsInTheTablesState)
{
    EXPECT_EQ(doubleClick(GetParam().from).mode, GetParam().ends);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, PainterDoubleClickTest,
    ::testing::Values(SequenceCase{"FromIdleSticky", kIdle, PainterMode::Sticky},
                      SequenceCase{"FromSingleAfterTheTimerSingle", kSingle, PainterMode::Single},
                      SequenceCase{"FromStickyAfterTheTimerSingle", kSticky, PainterMode::Single}),
    [](const auto &info) { return std::string(info.param.name); });

// Panel dragging ----------------------------------------------------------------

constexpr int kBarWidth = 600;
constexpr int kPanelHeight = 30;

struct DragCase {
    const char *name;
    QPoint panelAt;
    QPoint grab;
    QPoint mouse;
    QPoint expectedAt;
    QPoint expectedGrab;
    int expectedBarHeight;
};

void PrintTo(const DragCase &c, std::ostream *os)
{
    *os << c.name;
}

const DragCase kDragCases[] = {
    {"SidewaysFollowsTheMouse", {100, 0}, {4, 10}, {54, 10}, {150, 0}, {4, 10}, 70},
    {"FarLeftStopsAtZeroAndReanchors", {20, 0}, {4, 10}, {-50, 10}, {0, 0}, {-30, 10}, 70},
    {"FarRightStops15Short", {500, 0}, {4, 10}, {300, 10}, {585, 0}, {215, 10}, 70},
    {"HalfAHeightDownStaysInItsRow", {0, 40}, {4, 10}, {4, 25}, {0, 40}, {4, 10}, 70},
    {"MoreThanHalfDownGoesOneRowDown", {0, 40}, {4, 10}, {4, 26}, {0, 70}, {4, 10}, 100},
    {"MoreThanHalfUpGoesOneRowUp", {0, 40}, {4, 10}, {4, -6}, {0, 10}, {4, 10}, 70},
    {"UpFromTheTopRowStaysAtZero", {0, 10}, {4, 10}, {4, -20}, {0, 0}, {4, -10}, 70},
    {"NeverBelowTheLowestRow", {0, 90}, {4, 10}, {4, 40}, {0, 90}, {4, 40}, 120},
};

class PanelDragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(PanelDragTest, MovesThePanelWithinItsLimits)
{
    const DragCase &c = GetParam();
    PanelDrag drag;
    ASSERT_TRUE(drag.press(Qt::LeftButton, true, c.grab));
    const PanelDrag::Placement place =
        drag.move(c.mouse, QRect(c.panelAt, QSize(300, kPanelHeight)), kBarWidth, 70);
    EXPECT_EQ(place.topLeft, c.expectedAt);
    EXPECT_EQ(drag.grabPoint(), c.expectedGrab);
    EXPECT_EQ(place.barHeight, c.expectedBarHeight);
}

INSTANTIATE_TEST_SUITE_P(Rules, PanelDragTest, ::testing::ValuesIn(kDragCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PanelDragStart, OnlyTheLeftButtonOnAnEnabledGripDrags)
{
    PanelDrag drag;
    EXPECT_FALSE(drag.press(Qt::RightButton, true, {1, 1}));
    EXPECT_FALSE(drag.press(Qt::LeftButton, false, {1, 1}));
    EXPECT_FALSE(drag.dragging());
    const QRect panel(50, 40, 300, kPanelHeight);
    EXPECT_EQ(drag.move({90, 90}, panel, kBarWidth, 70).topLeft, panel.topLeft());
    EXPECT_TRUE(drag.press(Qt::LeftButton, true, {1, 1}));
    EXPECT_FALSE(drag.release(Qt::RightButton));
    EXPECT_TRUE(drag.dragging());
    EXPECT_TRUE(drag.release(Qt::LeftButton));
    EXPECT_FALSE(drag.dragging());
}

TEST(PanelDragReanchor, FollowsAgainAsSoonAsTheMouseTurnsBack)
{
    PanelDrag drag;
    drag.press(Qt::LeftButton, true, {4, 10});
    QRect panel(10, 0, 300, kPanelHeight);
    panel.moveTopLeft(drag.move({-40, 10}, panel, kBarWidth, 70).topLeft); // stops at 0
    EXPECT_EQ(panel.left(), 0);
    // The grip moved 10 to the left with the panel, so the mouse is at -30
    // on it now; it turns back by 5 and the panel follows by 5 at once.
    panel.moveTopLeft(drag.move({-25, 10}, panel, kBarWidth, 70).topLeft);
    EXPECT_EQ(panel.left(), 5);
}

} // namespace

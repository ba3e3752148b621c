// The drawing and placement of the result popup on a recording surface whose
// characters are all 6 pixels wide.
#include "support/printers.h"
#include "translator/popuplayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace translator;

constexpr int kCharWidth = 6;
constexpr int kLh = 13;

struct Op {
    enum Kind { Fill, Text, Rule } kind;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    QString text;
    Colour colour = 0;
};

class RecordingSurface final : public PopupSurface {
public:
    int textWidth(const QString &text) override { return int(text.size()) * kCharWidth; }
    void fill(Colour colour) override { ops.push_back({Op::Fill, 0, 0, 0, 0, {}, colour}); }
    int drawText(int x, int y, const QString &text, Colour background) override
    {
        ops.push_back({Op::Text, x, y, 0, 0, text, background});
        return textWidth(text);
    }
    void drawRule(int x1, int y1, int x2, int y2) override
    {
        ops.push_back({Op::Rule, x1, y1, x2, y2, {}, 0});
    }

    std::vector<Op> of(Op::Kind kind) const
    {
        std::vector<Op> result;
        for (const Op &op : ops) {
            if (op.kind == kind)
                result.push_back(op);
        }
        return result;
    }
    const Op *text(const QString &t) const
    {
        for (const Op &op : ops) {
            if (op.kind == Op::Text && op.text == t)
                return &op;
        }
        return nullptr;
    }
    // Vertical rules: the column separators.
    std::vector<int> columnRules() const
    {
        std::vector<int> xs;
        for (const Op &op : of(Op::Rule)) {
            if (op.x1 == op.x2)
                xs.push_back(op.x1);
        }
        return xs;
    }
    std::vector<int> horizontalRules() const
    {
        std::vector<int> ys;
        for (const Op &op : of(Op::Rule)) {
            if (op.y1 == op.y2) {
                EXPECT_EQ(op.x1, 0);
                EXPECT_EQ(op.x2, 10000);
                ys.push_back(op.y1);
            }
        }
        return ys;
    }

    std::vector<Op> ops;
};

// Lines "a1", "a2", ... of equal width 12 in list 1, no header.
TResultLists linesOfList1(int count)
{
    TResultLists lists;
    for (int i = 0; i < count; ++i)
        lists[0].Items[std::size_t(i)] = QStringLiteral("a%1").arg(i + 1);
    lists[0].Count = count;
    return lists;
}

PopupLayoutInput roomyPane()
{
    PopupLayoutInput input;
    input.wordBoxText = QStringLiteral("a");
    input.lineHeight = kLh;
    input.anchorX = 50;
    input.anchorY = 40;
    input.paneWidth = 800;
    input.paneHeight = 600;
    return input;
}

struct ColumnCase {
    int lines;
    int rows;                    // lines per column
    std::vector<int> lineX;      // x of each line
    std::vector<int> lineRow;    // row of each line, 0-based
    std::vector<int> columnRule; // x of each vertical rule
};

void PrintTo(const ColumnCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.lines, c.rows);
}

class Columns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Columns, FillTopToBottomThenLeftToRight)
{
    const ColumnCase &c = GetParam();
    RecordingSurface surface;
    const auto geometry = DrawResultLists(linesOfList1(c.lines), surface, roomyPane());

    // A header-less list: a rule at 0, the lines 3 pixels lower.
    const int top = 0;
    for (int g = 0; g < c.lines; ++g) {
        const Op *line = surface.text(QStringLiteral("a%1").arg(g + 1));
        ASSERT_NE(line, nullptr);
        EXPECT_EQ(line->x1, c.lineX[std::size_t(g)]) << "line " << g + 1;
        EXPECT_EQ(line->y1, top + 3 + c.lineRow[std::size_t(g)] * kLh) << "line " << g + 1;
        EXPECT_EQ(line->colour, kPopupYellow);
    }
    EXPECT_EQ(surface.columnRules(), c.columnRule);
    for (const Op &rule : surface.of(Op::Rule)) {
        if (rule.x1 == rule.x2) {
            EXPECT_EQ(rule.y1, top);
            EXPECT_EQ(rule.y2, top + c.rows * kLh + 6);
        }
    }
    const int bottomRule = top + c.rows * kLh + 6;
    EXPECT_EQ(surface.horizontalRules(), (std::vector<int>{0, bottomRule}));
    EXPECT_EQ(geometry.height, kWordBarHeight + bottomRule + 2);
    const int columns = int(c.columnRule.size()) + 1;
    EXPECT_EQ(geometry.width, std::max(columns * (12 + 20), 6 + 39 + 20));
}

// Every line is 12 pixels wide, so a further column starts 32 pixels on.
INSTANTIATE_TEST_SUITE_P(
    Counts, Columns,
    ::testing::Values(ColumnCase{1, 1, {5}, {0}, {}}, ColumnCase{2, 1, {5, 37}, {0, 0}, {30}},
                      ColumnCase{3, 1, {5, 37, 69}, {0, 0, 0}, {30, 62}},
                      ColumnCase{4, 2, {5, 5, 37, 37}, {0, 1, 0, 1}, {30}},
                      ColumnCase{7, 3, {5, 5, 5, 37, 37, 37, 69}, {0, 1, 2, 0, 1, 2, 0}, {30, 62}}),
    [](const auto &info) { return velkor_test::caseName(info.param.lines, "Lines"); });

TEST(PopupLayout, HeaderDrawsOnItsColoursBetweenRules)
{
    TResultLists lists = linesOfList1(1);
    lists[1].Items[0] = QStringLiteral("b1");
    lists[1].Count = 1;
    lists[1].HeadText = QStringLiteral("completion");
    lists[1].TailText = QStringLiteral("s");
    lists[1].HeadColor = kLime;
    lists[1].TailColor = kMagenta;
    RecordingSurface surface;
    const auto geometry = DrawResultLists(lists, surface, roomyPane());

    // List 1 ends at 0 + 13 + 6 + 2 = 21; list 2 starts there with its rule.
    const int start = kLh + 8;
    const Op *head = surface.text(QStringLiteral("completion"));
    const Op *tail = surface.text(QStringLiteral("s"));
    ASSERT_TRUE(head && tail);
    EXPECT_EQ(head->x1, 5);
    EXPECT_EQ(head->y1, start + 1);
    EXPECT_EQ(head->colour, kLime);
    EXPECT_EQ(tail->x1, 5 + 10 * kCharWidth);
    EXPECT_EQ(tail->y1, start + 1);
    EXPECT_EQ(tail->colour, kMagenta);
    const int top = start + 1 + kLh;
    EXPECT_EQ(surface.text(QStringLiteral("b1"))->y1, top + 3);
    EXPECT_EQ(surface.horizontalRules(), (std::vector<int>{0, kLh + 6, start, top, top + kLh + 6}));
    EXPECT_EQ(geometry.height, kWordBarHeight + top + kLh + 6 + 2);
    // The header is wider than the line and the word bar: 11 characters + 10.
    EXPECT_EQ(geometry.width, 11 * kCharWidth + 10);
    EXPECT_EQ(surface.ops.front().kind, Op::Fill);
    EXPECT_EQ(surface.ops.front().colour, kPopupYellow);
}

TEST(PopupLayout, EmptyListsDrawNothing)
{
    TResultLists lists = linesOfList1(0);
    lists[0].HeadText = QStringLiteral("stale");
    RecordingSurface surface;
    const auto geometry = DrawResultLists(lists, surface, roomyPane());
    EXPECT_EQ(surface.ops.size(), 1u); // the fill
    EXPECT_EQ(geometry.height, kWordBarHeight);
}

struct WidthCase {
    const char *name;
    QString word;
    int keptWidth;
    int expected;
};

void PrintTo(const WidthCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name, c.word, c.keptWidth);
}

class Width : public ::testing::TestWithParam<WidthCase> {};

TEST_P(Width, IsTheWidestOfWordBarListAndKeptWidth)
{
    PopupLayoutInput input = roomyPane();
    input.wordBoxText = GetParam().word;
    input.keptWidth = GetParam().keptWidth;
    RecordingSurface surface;
    EXPECT_EQ(DrawResultLists(linesOfList1(3), surface, input).width, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, Width,
                         ::testing::Values(
                             // Three columns of 12 + 20.
                             WidthCase{"List", QStringLiteral("a"), 0, 96},
                             // 20 characters in the word box: 120 + 39 + 20.
                             WidthCase{"WordBar", QStringLiteral("abcdefghijklmnopqrst"), 0, 179},
                             // An open popup does not shrink when the result gets narrower.
                             WidthCase{"KeptWhileOpen", QStringLiteral("a"), 300, 300},
                             WidthCase{"KeptNarrowerThanList", QStringLiteral("a"), 50, 96},
                             // Never wider than the 800-pixel pane.
                             WidthCase{"WordBarWiderThanPane", QString(300, u'w'), 0, 800},
                             WidthCase{"KeptWiderThanPane", QStringLiteral("a"), 1000, 800}),
                         [](const auto &info) { return std::string(info.param.name); });

struct PlaceCase {
    const char *name;
    int anchorX, anchorY;
    int paneWidth, paneHeight;
    int lines;
    int left, top;
};

void PrintTo(const PlaceCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class Placement : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(Placement, FollowsTheAnchorInsideThePane)
{
    const PlaceCase &c = GetParam();
    PopupLayoutInput input = roomyPane();
    input.anchorX = c.anchorX;
    input.anchorY = c.anchorY;
    input.paneWidth = c.paneWidth;
    input.paneHeight = c.paneHeight;
    RecordingSurface surface;
    const auto geometry = DrawResultLists(linesOfList1(c.lines), surface, input);
    EXPECT_EQ(geometry.left, c.left);
    EXPECT_EQ(geometry.top, c.top);
}

// One line: 65 wide (the word bar), 18 + 21 = 39 high. 60 lines: 20 rows,
// 18 + 266 + 2 = 286 high, 3 columns of 3-character lines: 3 x 38 = 114 wide.
INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    ::testing::Values(PlaceCase{"BelowTheClick", 50, 40, 800, 600, 1, 50, 70},
                      // 600 - 39 - 30 = 531 is the lowest anchor that still opens below.
                      PlaceCase{"LowestBelow", 50, 531, 800, 600, 1, 50, 561},
                      PlaceCase{"NearTheBottomOpensAbove", 50, 532, 800, 600, 1, 50, 463},
                      PlaceCase{"RightEdgeAligns", 760, 40, 800, 600, 1, 735, 70},
                      PlaceCase{"JustLeftOfTheRightEdge", 734, 40, 800, 600, 1, 734, 70},
                      PlaceCase{"TallerThanThePaneSitsAtTop3", 50, 200, 800, 250, 60, 50, 3},
                      PlaceCase{"TallAboveWhenRoomAbove", 50, 400, 800, 450, 60, 50, 84}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PopupLayout, LongSelectionStaysInsideThePane)
{
    // A 300-character selection in the word box, clicked near the right edge.
    PopupLayoutInput input = roomyPane();
    input.wordBoxText = QString(300, u'w');
    input.anchorX = 700;
    RecordingSurface surface;
    const PopupGeometry geometry = DrawResultLists(linesOfList1(3), surface, input);
    EXPECT_EQ(geometry.left, 0);
    EXPECT_EQ(geometry.width, input.paneWidth);
    EXPECT_EQ(geometry.top, 70);
}

} // namespace

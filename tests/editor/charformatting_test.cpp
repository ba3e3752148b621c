// Character and paragraph formatting of a document, and the format the
// painter carries, without the frame.
#include "editor/charformatting.h"
#include "editor/paragraphformatting.h"
#include "editor/pickedformat.h"
#include "platform/rtf/lengths.h"
#include "support/printers.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <vector>

namespace {

using charformat::Range;
using charformat::Style;

// One character of a test document.
struct Char {
    int points = 10;
    bool bold = false;
    bool italic = false;
};

// "abcd..." with one fragment per character, each in its own format.
void fill(QTextDocument &doc, const std::vector<Char> &chars)
{
    QTextCursor cursor(&doc);
    for (size_t i = 0; i < chars.size(); ++i) {
        QTextCharFormat f;
        f.setFontPointSize(chars[i].points);
        f.setFontWeight(chars[i].bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(chars[i].italic);
        cursor.insertText(QString(QChar(u'a' + int(i))), f);
    }
}

std::vector<int> sizes(const QTextDocument &doc, int count)
{
    std::vector<int> out;
    for (int p = 0; p < count; ++p)
        out.push_back(charformat::PointSizeAt(doc, p));
    return out;
}

std::vector<bool> styles(const QTextDocument &doc, int count, Style style)
{
    std::vector<bool> out;
    for (int p = 0; p < count; ++p)
        out.push_back(charformat::HasStyle(charformat::FormatAt(doc, p), style));
    return out;
}

// Bold, italic and underline -------------------------------------------------------

struct StyleCase {
    const char *name;
    std::vector<Char> chars;
    std::vector<bool> bold;
    std::vector<bool> italic;
};

void PrintTo(const StyleCase &c, std::ostream *os)
{
    *os << c.name;
}

class ToggleBoldTest : public ::testing::TestWithParam<StyleCase> {};

TEST_P(ToggleBoldTest, FirstCharacterDecidesOtherStylesStay)
{
    const StyleCase &c = GetParam();
    QTextDocument doc;
    fill(doc, c.chars);
    const int n = int(c.chars.size());
    charformat::ToggleStyle(doc, {0, n}, Style::Bold);
    EXPECT_EQ(styles(doc, n, Style::Bold), c.bold);
    EXPECT_EQ(styles(doc, n, Style::Italic), c.italic);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ToggleBoldTest,
    ::testing::Values(StyleCase{"OnlySecondBoldMakesBothBold",
                                {{10, false, false}, {10, true, true}},
                                {true, true},
                                {false, true}},
                      StyleCase{"OnlyFirstBoldMakesBothPlain",
                                {{10, true, false}, {10, false, true}},
                                {false, false},
                                {false, true}},
                      StyleCase{"MixedRunAfterPlainStartAllBold",
                                {{10, false, false}, {12, true, false}, {12, false, true}},
                                {true, true, true},
                                {false, false, true}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ToggleStyle, ItalicAndUnderlineKeepBold)
{
    for (const Style style : {Style::Italic, Style::Underline}) {
        QTextDocument doc;
        fill(doc, {{10, true, false}, {10, false, false}});
        charformat::ToggleStyle(doc, {0, 2}, style);
        EXPECT_EQ(styles(doc, 2, style), (std::vector<bool>{true, true}));
        EXPECT_EQ(styles(doc, 2, Style::Bold), (std::vector<bool>{true, false}));
    }
}

// Sizes -------------------------------------------------------------------------

enum class SizeCommand { Grow, Shrink, ShrinkWithout9, Set14, Set0 };

struct SizeCase {
    const char *name;
    std::vector<int> before;
    Range range;
    SizeCommand command;
    std::vector<int> after;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.name;
}

void run(QTextDocument &doc, Range range, SizeCommand command)
{
    switch (command) {
    case SizeCommand::Grow:
        charformat::GrowByOnePoint(doc, range);
        break;
    case SizeCommand::Shrink:
        charformat::ShrinkByOnePoint(doc, range, [](const QString &, int) { return true; });
        break;
    case SizeCommand::ShrinkWithout9:
        charformat::ShrinkByOnePoint(doc, range,
                                     [](const QString &, int points) { return points != 9; });
        break;
    case SizeCommand::Set14:
        charformat::SetPointSize(doc, range, 14);
        break;
    case SizeCommand::Set0:
        charformat::SetPointSize(doc, range, 0);
        break;
    }
}

class SizeCommandTest : public ::testing::TestWithParam<SizeCase> {};

TEST_P(SizeCommandTest, EveryCharacterGetsItsSize)
{
    const SizeCase &c = GetParam();
    QTextDocument doc;
    std::vector<Char> chars;
    for (int points : c.before)
        chars.push_back({points});
    fill(doc, chars);
    run(doc, c.range, c.command);
    EXPECT_EQ(sizes(doc, int(c.before.size())), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SizeCommandTest,
    ::testing::Values(
        SizeCase{"GrowRunByRun", {10, 10, 12, 12}, {0, 4}, SizeCommand::Grow, {11, 11, 13, 13}},
        SizeCase{
            "GrowOnlyTheSelection", {10, 10, 12, 12}, {1, 2}, SizeCommand::Grow, {10, 11, 13, 12}},
        SizeCase{"ShrinkEach", {10, 12}, {0, 2}, SizeCommand::Shrink, {9, 11}},
        SizeCase{
            "ShrinkSkipsASizeNotShown", {10, 12}, {0, 2}, SizeCommand::ShrinkWithout9, {8, 11}},
        SizeCase{"ShrinkKeepsOnePoint", {1, 2}, {0, 2}, SizeCommand::Shrink, {1, 1}},
        SizeCase{"SizeBoxSetsTheTypedSize", {10, 20}, {0, 2}, SizeCommand::Set14, {14, 14}},
        SizeCase{"SizeBoxBelowOneDoesNothing", {10, 20}, {0, 2}, SizeCommand::Set0, {10, 20}},
        SizeCase{"EmptySelectionGrowsNothing", {10, 12}, {1, 0}, SizeCommand::Grow, {10, 12}},
        SizeCase{"EmptySelectionShrinksNothing", {10, 12}, {1, 0}, SizeCommand::Shrink, {10, 12}},
        SizeCase{"EmptySelectionSetsNothing", {10, 12}, {1, 0}, SizeCommand::Set14, {10, 12}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ToggleStyle, EmptySelectionChangesNothing)
{
    QTextDocument doc;
    fill(doc, {{10, false, false}, {10, false, false}});
    charformat::ToggleStyle(doc, {1, 0}, Style::Bold);
    EXPECT_EQ(styles(doc, 2, Style::Bold), (std::vector<bool>{false, false}));
}

TEST(SizeCommands, DefaultFontInPixelsCountsInPoints)
{
    QTextDocument doc;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17); // 12.75 points at 96 pixels to the inch
    doc.setDefaultFont(font);
    QTextCursor(&doc).insertText(QStringLiteral("ab"));
    EXPECT_EQ(charformat::PointSizeAt(doc, 0), 13);
    charformat::GrowByOnePoint(doc, {0, 2});
    EXPECT_EQ(sizes(doc, 2), (std::vector<int>{14, 14}));
}

TEST(SizeCommands, OneCommandIsOneUndoStep)
{
    QTextDocument doc;
    fill(doc, {{10}, {10}, {12}, {12}});
    charformat::GrowByOnePoint(doc, {0, 4});
    doc.undo();
    EXPECT_EQ(sizes(doc, 4), (std::vector<int>{10, 10, 12, 12}));
}

// Paragraphs ---------------------------------------------------------------------

// Two paragraphs "one" and "two".
void twoParagraphs(QTextDocument &doc)
{
    doc.setPlainText(QStringLiteral("one\ntwo"));
}

struct IndentCase {
    const char *name;
    std::vector<double> steps;
    double expected;
};

class IndentTest : public ::testing::TestWithParam<IndentCase> {};

TEST_P(IndentTest, WholeParagraphsMoveByTheSteps)
{
    QTextDocument doc;
    twoParagraphs(doc);
    // The second paragraph hangs: its other lines start 5 points further in.
    QTextCursor cursor(doc.findBlock(5));
    QTextBlockFormat hanging;
    hanging.setTextIndent(rtf::PixelsFromPoints(-5));
    hanging.setLeftMargin(rtf::PixelsFromPoints(5));
    cursor.setBlockFormat(hanging);
    for (double step : GetParam().steps)
        paragraphformat::StepFirstIndent(doc, 0, 6, step);
    for (const QTextBlock &block : {doc.firstBlock(), doc.lastBlock()})
        EXPECT_DOUBLE_EQ(paragraphformat::FirstIndent(block), GetParam().expected);
    EXPECT_DOUBLE_EQ(paragraphformat::LeftIndent(doc.firstBlock()), 0);
    EXPECT_DOUBLE_EQ(paragraphformat::LeftIndent(doc.lastBlock()), 5);
}

INSTANTIATE_TEST_SUITE_P(Steps, IndentTest,
                         ::testing::Values(IndentCase{"LargerTwice", {10, 10}, 20},
                                           IndentCase{"LargerWithShift", {40}, 40},
                                           IndentCase{"SmallerHasNoBound", {-10}, -10}),
                         [](const auto &info) { return std::string(info.param.name); });

struct BulletCase {
    const char *name;
    bool firstBullet;
    bool secondBullet;
    bool expected;
};

class BulletTest : public ::testing::TestWithParam<BulletCase> {};

TEST_P(BulletTest, TheFirstParagraphDecides)
{
    const BulletCase &c = GetParam();
    QTextDocument doc;
    twoParagraphs(doc);
    if (c.firstBullet)
        paragraphformat::SetBullets(doc, 0, 0, true);
    if (c.secondBullet)
        paragraphformat::SetBullets(doc, 5, 0, true);
    paragraphformat::ToggleBullets(doc, 1, 5);
    EXPECT_EQ(paragraphformat::HasBullet(doc.firstBlock()), c.expected);
    EXPECT_EQ(paragraphformat::HasBullet(doc.lastBlock()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BulletTest,
                         ::testing::Values(BulletCase{"FirstWithoutSecondWith", false, true, true},
                                           BulletCase{"FirstWithSecondWithout", true, false, false},
                                           BulletCase{"NoneHaveThem", false, false, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Alignment, GoesToEveryParagraphTouched)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("one\ntwo\nthree"));
    paragraphformat::SetAlignment(doc, 2, 3, Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(doc.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_NE(doc.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignHCenter);
}

// The painter's format ----------------------------------------------------------------

TEST(PickedFormat, CarriesCharacterAndParagraphFormat)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("Bold word\nplain text"));
    QTextCursor source(&doc);
    source.setPosition(0);
    source.setPosition(4, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    f.setFontPointSize(15);
    f.setFontFamilies({QStringLiteral("Times New Roman")});
    f.setForeground(QColor(200, 0, 0));
    source.mergeCharFormat(f);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setRightMargin(7);
    centred.setTabPositions({QTextOption::Tab(36, QTextOption::LeftTab)});
    source.mergeBlockFormat(centred);

    const PickedFormat picked = PickUpFormatAt(doc, 0);
    EXPECT_EQ(picked.character.family, QStringLiteral("Times New Roman"));
    EXPECT_TRUE(picked.character.bold);
    ApplyFormat(doc, 10, 5, picked); // "plain"

    const QTextBlock target = doc.lastBlock();
    EXPECT_EQ(target.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(target.blockFormat().rightMargin(), 7);
    EXPECT_EQ(target.blockFormat().tabPositions().size(), 1);
    for (int p : {10, 14}) {
        const QTextCharFormat applied = charformat::FormatAt(doc, p);
        EXPECT_TRUE(charformat::HasStyle(applied, Style::Bold)) << p;
        EXPECT_EQ(charformat::PointSizeAt(doc, p), 15) << p;
        EXPECT_EQ(charformat::FamilyAt(doc, p), QStringLiteral("Times New Roman")) << p;
        EXPECT_EQ(applied.foreground().color(), QColor(200, 0, 0)) << p;
    }
    EXPECT_FALSE(charformat::HasStyle(charformat::FormatAt(doc, 15), Style::Bold));
}

TEST(PickedFormat, AutomaticColourStaysAutomatic)
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("plain red"));
    QTextCursor red(&doc);
    red.setPosition(6);
    red.setPosition(9, QTextCursor::KeepAnchor);
    QTextCharFormat f;
    f.setForeground(Qt::red);
    red.mergeCharFormat(f);
    ApplyFormat(doc, 6, 3, PickUpFormatAt(doc, 0));
    EXPECT_FALSE(charformat::FormatAt(doc, 7).hasProperty(QTextFormat::ForegroundBrush));
}

} // namespace

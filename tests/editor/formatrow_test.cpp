// The formatting row and the format painter, driven through the frame's
// controls by their object names.
#include "editortestsupport.h"

#include "editor/charformatting.h"
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/paragraphformatting.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class FormatRowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitToolbarFrame(frame, 1);
        host.bind();
        FormatPainter() = FormatPainterStore{};
    }

    void TearDown() override
    {
        ActiveBinding() = HostBinding{};
        FormatPainter() = FormatPainterStore{};
    }

    QToolButton &button(const char *name)
    {
        QToolButton *b = frame.button(name);
        EXPECT_NE(b, nullptr) << name;
        return *b;
    }

    void select(int from, int to)
    {
        QTextCursor cursor(host.editor.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        host.editor.setTextCursor(cursor);
    }

    void caretAt(int position) { select(position, position); }

    QTextDocument &doc() { return *host.editor.document(); }

    TfraREEszkTar frame;
    TestHost host{frame, 1};
};

// Press and click ---------------------------------------------------------------

struct PressCase {
    const char *name;
    const char *button;
    Qt::MouseButton mouse;
};

void PrintTo(const PressCase &c, std::ostream *os)
{
    *os << c.name;
}

class FormatPressTest : public FormatRowTest, public ::testing::WithParamInterface<PressCase> {
protected:
    // Whether the button's command has changed the first paragraph.
    bool done(QByteArrayView name)
    {
        if (name == "spbFelkov")
            return charformat::HasStyle(charformat::FormatAt(doc(), 0), charformat::Style::Bold);
        if (name == "spbNagyobbBetu")
            return charformat::PointSizeAt(doc(), 0) == charformat::PointSizeAt(doc(), 6) + 1;
        if (name == "spbFelsorol")
            return paragraphformat::HasBullet(doc().firstBlock());
        if (name == "spbBehuzNov")
            return paragraphformat::FirstIndent(doc().firstBlock()) == 10;
        return false;
    }
};

TEST_P(FormatPressTest, ActsAsSoonAsAnyMouseButtonGoesDown)
{
    host.setText(QStringLiteral("alma\nkorte"), false);
    select(0, 4);
    QTest::mousePress(&button(GetParam().button), GetParam().mouse);
    EXPECT_TRUE(done(GetParam().button));
    QTest::mouseRelease(&button(GetParam().button), GetParam().mouse);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, FormatPressTest,
    ::testing::Values(PressCase{"BoldLeft", "spbFelkov", Qt::LeftButton},
                      PressCase{"BoldRight", "spbFelkov", Qt::RightButton},
                      PressCase{"BiggerMiddle", "spbNagyobbBetu", Qt::MiddleButton},
                      PressCase{"BulletsRight", "spbFelsorol", Qt::RightButton},
                      PressCase{"IndentLeft", "spbBehuzNov", Qt::LeftButton}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormatRowTest, BoldButtonShowsTheResultNotItsOwnToggle)
{
    host.setText(QStringLiteral("alma"), false);
    select(0, 4);
    QTest::mouseClick(&button("spbFelkov"), Qt::LeftButton);
    EXPECT_TRUE(button("spbFelkov").isChecked());
    QTest::mouseClick(&button("spbFelkov"), Qt::LeftButton);
    EXPECT_FALSE(button("spbFelkov").isChecked());
    EXPECT_FALSE(charformat::HasStyle(charformat::FormatAt(doc(), 0), charformat::Style::Bold));
}

TEST_F(FormatRowTest, AlignmentActsOnTheClickNotThePress)
{
    host.setText(QStringLiteral("alma"), false);
    caretAt(1);
    QTest::mousePress(&button("spbIgazitKozep"), Qt::LeftButton);
    EXPECT_NE(doc().firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    QTest::mouseRelease(&button("spbIgazitKozep"), Qt::LeftButton);
    EXPECT_EQ(doc().firstBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_TRUE(button("spbIgazitKozep").isChecked());
    EXPECT_FALSE(button("spbIgazitBal").isChecked());
}

struct IndentPressCase {
    const char *name;
    const char *button;
    int presses;
    Qt::KeyboardModifiers modifiers;
    double expected;
};

class IndentPressTest : public FormatRowTest,
                        public ::testing::WithParamInterface<IndentPressCase> {};

TEST_P(IndentPressTest, StepsTenPointsOrFortyWithShift)
{
    const IndentPressCase &c = GetParam();
    host.setText(QStringLiteral("alma\nkorte"), false);
    select(2, 8);
    for (int i = 0; i < c.presses; ++i) {
        QTest::mousePress(&button(c.button), Qt::LeftButton, c.modifiers);
        QTest::mouseRelease(&button(c.button), Qt::LeftButton, c.modifiers);
    }
    EXPECT_DOUBLE_EQ(paragraphformat::FirstIndent(doc().firstBlock()), c.expected);
    EXPECT_DOUBLE_EQ(paragraphformat::FirstIndent(doc().lastBlock()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, IndentPressTest,
    ::testing::Values(IndentPressCase{"LargerTwice", "spbBehuzNov", 2, Qt::NoModifier, 20},
                      IndentPressCase{"LargerOnceWithShift", "spbBehuzNov", 1, Qt::ShiftModifier,
                                      40},
                      IndentPressCase{"SmallerOnce", "spbBehuzCsokk", 1, Qt::NoModifier, -10}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormatRowTest, WordWrapFollowsTheButton)
{
    host.setText(QStringLiteral("alma"), false);
    EXPECT_TRUE(button("spbSorTor").isChecked());
    QTest::mouseClick(&button("spbSorTor"), Qt::LeftButton);
    EXPECT_EQ(host.editor.lineWrapMode(), QTextEdit::NoWrap);
    QTest::mouseClick(&button("spbSorTor"), Qt::LeftButton);
    EXPECT_EQ(host.editor.lineWrapMode(), QTextEdit::WidgetWidth);
}

// The size and font boxes ---------------------------------------------------------

struct SizeTypingCase {
    const char *name;
    const char *typed;
    int expected;
};

class SizeBoxTest : public FormatRowTest, public ::testing::WithParamInterface<SizeTypingCase> {};

TEST_P(SizeBoxTest, AppliesTheTypedSize)
{
    host.setText(QStringLiteral("alma korte"), false);
    select(0, 10);
    QComboBox *box = frame.cobBetuMeret();
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), QString::fromLatin1(GetParam().typed));
    EXPECT_EQ(charformat::PointSizeAt(doc(), 0), GetParam().expected);
    EXPECT_EQ(charformat::PointSizeAt(doc(), 9), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Typed, SizeBoxTest,
                         ::testing::Values(SizeTypingCase{"Fourteen", "14", 14},
                                           SizeTypingCase{"WithUnit", "14 pt", 14},
                                           SizeTypingCase{"HalfToEven", "12,5", 12},
                                           SizeTypingCase{"HalfUpToEven", "13.5", 14}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormatRowTest, SizeBoxShowsThePaneFontsPixelSizeInPoints)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(17);
    host.editor.setFont(font);
    host.setText(QStringLiteral("alma"), false);
    select(0, 2);
    SyncToolbarWithSelection(frame, host.editor);
    EXPECT_EQ(frame.cobBetuMeret()->currentText(), QStringLiteral("13"));
    EXPECT_EQ(frame.cobBetuTipNev()->currentText(), QStringLiteral("Arial"));
}

TEST_F(FormatRowTest, ChoosingAScalableFontListsEverySizeAndTheCloseUpAppliesIt)
{
    host.setText(QStringLiteral("alma korte"), false);
    select(0, 4);
    QComboBox *names = frame.cobBetuTipNev();
    const int arial = names->findText(QStringLiteral("Arial"));
    ASSERT_GE(arial, 0);
    names->setCurrentIndex(arial);
    QComboBox *sizes = frame.cobBetuMeret();
    ASSERT_EQ(sizes->count(), 260);
    EXPECT_EQ(sizes->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(sizes->itemText(259), QStringLiteral("260"));
    // The choice alone does not change the text; closing the list does.
    EXPECT_NE(charformat::FamilyAt(doc(), 0), QStringLiteral("Arial"));
    names->showPopup();
    names->hidePopup();
    EXPECT_EQ(charformat::FamilyAt(doc(), 0), QStringLiteral("Arial"));
    EXPECT_NE(charformat::FamilyAt(doc(), 6), QStringLiteral("Arial"));
}

TEST_F(FormatRowTest, SyncShowsTheFirstParagraphsAlignmentForABackwardSelection)
{
    host.setText(QStringLiteral("alma\nkorte"), false);
    QTextCursor second(doc().lastBlock());
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    second.mergeBlockFormat(right);
    QTextCursor cursor(&doc());
    cursor.setPosition(8);
    cursor.setPosition(1, QTextCursor::KeepAnchor); // the caret ends in the first paragraph
    host.editor.setTextCursor(cursor);
    SyncToolbarWithSelection(frame, host.editor);
    EXPECT_TRUE(button("spbIgazitBal").isChecked());
    cursor.setPosition(1);
    cursor.setPosition(8, QTextCursor::KeepAnchor); // the caret ends in the second
    host.editor.setTextCursor(cursor);
    SyncToolbarWithSelection(frame, host.editor);
    EXPECT_TRUE(button("spbIgazitBal").isChecked());
    EXPECT_FALSE(button("spbIgazitJobb").isChecked());
}

TEST_F(FormatRowTest, ColourAndFontDialogsSetTheirChoice)
{
    host.setText(QStringLiteral("alma"), false);
    select(0, 2);
    QColor offered;
    QFont offeredFont;
    FormatDialogs dialogs;
    dialogs.chooseColour = [&offered](const QColor &c) {
        offered = c;
        return std::optional<QColor>(QColor(0, 128, 0));
    };
    dialogs.chooseFont = [&offeredFont](const QFont &f) {
        offeredFont = f;
        QFont chosen(QStringLiteral("Times New Roman"));
        chosen.setPointSize(20);
        chosen.setItalic(true);
        return std::optional<QFont>(chosen);
    };
    frame.setFormatDialogs(dialogs);
    QTest::mousePress(&button("spbSzin"), Qt::LeftButton);
    EXPECT_EQ(charformat::FormatAt(doc(), 0).foreground().color(), QColor(0, 128, 0));
    QTest::mouseClick(&button("spbBetuTip"), Qt::LeftButton);
    EXPECT_EQ(charformat::FamilyAt(doc(), 1), QStringLiteral("Times New Roman"));
    EXPECT_EQ(charformat::PointSizeAt(doc(), 1), 20);
    EXPECT_TRUE(charformat::HasStyle(charformat::FormatAt(doc(), 1), charformat::Style::Italic));
    EXPECT_EQ(charformat::FormatAt(doc(), 1).foreground().color(), QColor(0, 128, 0));
    EXPECT_FALSE(charformat::HasStyle(charformat::FormatAt(doc(), 2), charformat::Style::Italic));
}

// The format painter --------------------------------------------------------------

class FormatPainterTest : public FormatRowTest {
protected:
    void SetUp() override
    {
        FormatRowTest::SetUp();
        host.setText(QStringLiteral("Bold here\nplain word and more"), false);
        QTextCursor bold(&doc());
        bold.setPosition(0);
        bold.setPosition(4, QTextCursor::KeepAnchor);
        QTextCharFormat f;
        f.setFontWeight(QFont::Bold);
        bold.mergeCharFormat(f);
        QTextBlockFormat centred;
        centred.setAlignment(Qt::AlignHCenter);
        bold.mergeBlockFormat(centred);
        select(0, 4);
    }

    void clickPainter() { QTest::mouseClick(&button("spbFormFest"), Qt::LeftButton); }
    void doubleClickPainter()
    {
        clickPainter();
        QTest::mouseDClick(&button("spbFormFest"), Qt::LeftButton);
    }
    void expireTimer()
    {
        frame.tmrDupKatt()->stop();
        frame.notePainterEvent(PainterEvent::TimerElapsed);
    }
    bool boldAt(int p)
    {
        return charformat::HasStyle(charformat::FormatAt(doc(), p), charformat::Style::Bold);
    }
};

TEST_F(FormatPainterTest, SingleClickPaintsTheWordAtTheCaretOnce)
{
    clickPainter();
    EXPECT_TRUE(FormatPainter().FormatPainterArmed);
    EXPECT_TRUE(button("spbFormFest").isChecked());
    EXPECT_TRUE(frame.tmrDupKatt()->isActive());
    caretAt(17); // inside "word"
    ApplyPickedFormat(frame, host.editor);
    for (int p = 16; p < 20; ++p)
        EXPECT_TRUE(boldAt(p)) << p;
    EXPECT_FALSE(boldAt(10)); // "plain" stays
    EXPECT_FALSE(boldAt(20)); // the blank after it stays
    EXPECT_EQ(doc().lastBlock().blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(host.editor.textCursor().position(), 17);
    EXPECT_FALSE(host.editor.textCursor().hasSelection());
    EXPECT_FALSE(FormatPainter().FormatPainterArmed);
    EXPECT_FALSE(button("spbFormFest").isChecked());
}

TEST_F(FormatPainterTest, SelectionIsTheTarget)
{
    clickPainter();
    select(10, 12);
    ApplyPickedFormat(frame, host.editor);
    EXPECT_TRUE(boldAt(10));
    EXPECT_TRUE(boldAt(11));
    EXPECT_FALSE(boldAt(12));
}

TEST_F(FormatPainterTest, DoubleClickStaysArmedThroughApplies)
{
    doubleClickPainter();
    EXPECT_TRUE(FormatPainter().FormatPainterSticky);
    for (int caret : {12, 17, 22}) {
        caretAt(caret);
        ApplyPickedFormat(frame, host.editor);
        EXPECT_TRUE(FormatPainter().FormatPainterArmed) << caret;
        EXPECT_TRUE(button("spbFormFest").isChecked()) << caret;
    }
    EXPECT_TRUE(boldAt(10) && boldAt(16) && boldAt(21));
    expireTimer();
    clickPainter();
    EXPECT_FALSE(FormatPainter().FormatPainterArmed);
    EXPECT_FALSE(button("spbFormFest").isChecked());
}

TEST_F(FormatPainterTest, SecondClickWithin700MsDoesNotDisarm)
{
    clickPainter();
    clickPainter();
    EXPECT_TRUE(FormatPainter().FormatPainterArmed);
    EXPECT_TRUE(button("spbFormFest").isChecked());
    expireTimer();
    clickPainter();
    EXPECT_FALSE(FormatPainter().FormatPainterArmed);
}

TEST_F(FormatPainterTest, TimerRunsOutAfter700Ms)
{
    clickPainter();
    EXPECT_EQ(frame.tmrDupKatt()->interval(), 700);
    EXPECT_TRUE(frame.tmrDupKatt()->isSingleShot());
}

TEST_F(FormatRowTest, ArmedWithNothingPickedUpLeavesTheTextAlone)
{
    host.setText(QStringLiteral("alma korte"), false);
    FormatPainter().FormatPainterArmed = true;
    caretAt(2);
    ApplyPickedFormat(frame, host.editor);
    EXPECT_FALSE(doc().isModified());
    EXPECT_FALSE(FormatPainter().FormatPainterArmed);
}

TEST_F(FormatPainterTest, DisarmKeepsThePickedFormat)
{
    doubleClickPainter();
    DisarmFormatPainter(frame); // the pane lost the focus
    EXPECT_FALSE(FormatPainter().FormatPainterArmed);
    EXPECT_FALSE(FormatPainter().FormatPainterSticky);
    EXPECT_FALSE(button("spbFormFest").isChecked());
    EXPECT_TRUE(FormatPainter().picked.character.bold);
}

} // namespace

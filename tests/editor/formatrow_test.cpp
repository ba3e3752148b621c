// The formatting row and the format painter, driven through the frame's
// controls by their object names.
#include "editortestsupport.h"

#include "editor/charformatting.h"
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/paragraphformatting.h"
#include "platform/rtf/rtf.h"

#include <QAbstractItemView>
#include <QAbstractTextDocumentLayout>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
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

    EditorHosts hosts;
    TfraREEszkTar frame;
    TestHost host{frame, hosts, 1};
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

TEST_F(FormatRowTest, IndentStepIsTenPointsOnScreenAndInTheFile)
{
    host.setText(QStringLiteral("alma"), false);
    caretAt(1);
    QTest::mousePress(&button("spbBehuzNov"), Qt::LeftButton);
    QTest::mouseRelease(&button("spbBehuzNov"), Qt::LeftButton);
    // 10 points are 13 1/3 pixels at 96 to the inch, and 200 twips in RTF.
    const QTextBlock block = doc().firstBlock();
    EXPECT_NEAR(block.blockFormat().leftMargin() + block.blockFormat().textIndent(), 40.0 / 3,
                1e-9);
    host.editor.resize(300, 100);
    host.editor.show(); // lays the paragraph out as on the screen
    doc().documentLayout()->blockBoundingRect(block);
    ASSERT_GT(block.layout()->lineCount(), 0);
    EXPECT_NEAR(block.layout()->lineAt(0).x(), 40.0 / 3, 0.05);
    const QByteArray written = rtf::write(doc());
    EXPECT_TRUE(written.contains("\\li200")) << written.toStdString();

    QTextDocument reread;
    ASSERT_TRUE(rtf::read(written, reread));
    EXPECT_DOUBLE_EQ(paragraphformat::FirstIndent(reread.firstBlock()), 10);
    EXPECT_DOUBLE_EQ(reread.firstBlock().blockFormat().leftMargin(),
                     block.blockFormat().leftMargin());
}

// The alignment buttons follow the caret: the hosts sync the toolbar on
// every caret move.
struct AlignmentCase {
    const char *name;
    const char *pressed; // on the first paragraph
    const char *other;   // on the second
};

void PrintTo(const AlignmentCase &c, std::ostream *os)
{
    *os << c.name;
}

class AlignmentFollowsTheCaret : public FormatRowTest,
                                 public ::testing::WithParamInterface<AlignmentCase> {
protected:
    void SetUp() override
    {
        FormatRowTest::SetUp();
        QObject::connect(&host.editor, &QTextEdit::cursorPositionChanged, &host.editor,
                         [this] { SyncToolbarWithSelection(frame, host.editor); });
    }

    // The alignment buttons that are down.
    QStringList down()
    {
        QStringList names;
        for (const char *name :
             {"spbIgazitBal", "spbIgazitKozep", "spbIgazitJobb", "spbIgazitSorkiz"})
            if (button(name).isChecked())
                names << QString::fromLatin1(name);
        return names;
    }
};

TEST_P(AlignmentFollowsTheCaret, LastPressedButtonDoesNotStayDownElsewhere)
{
    const AlignmentCase &c = GetParam();
    host.setText(QStringLiteral("alma\nkorte"), false);
    caretAt(7);
    QTest::mouseClick(&button(c.other), Qt::LeftButton);
    caretAt(1);
    QTest::mouseClick(&button(c.pressed), Qt::LeftButton);
    EXPECT_EQ(down(), QStringList{QString::fromLatin1(c.pressed)});

    QTest::keyClick(&host.editor, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(down(), QStringList{QString::fromLatin1(c.other)});
    QTest::keyClick(&host.editor, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(down(), QStringList{QString::fromLatin1(c.pressed)});
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, AlignmentFollowsTheCaret,
    ::testing::Values(AlignmentCase{"Left", "spbIgazitBal", "spbIgazitKozep"},
                      AlignmentCase{"Right", "spbIgazitJobb", "spbIgazitKozep"},
                      AlignmentCase{"Centre", "spbIgazitKozep", "spbIgazitJobb"},
                      AlignmentCase{"Justify", "spbIgazitSorkiz", "spbIgazitBal"}),
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

// The font box's real list, opened and answered with simulated keys and
// clicks, in the order Qt delivers them: the list closes before the box
// takes the chosen entry.
class FontListTest : public FormatRowTest {
protected:
    void SetUp() override
    {
        FormatRowTest::SetUp();
        host.setText(QStringLiteral("alma korte"), false);
        QTextCursor all(&doc());
        all.select(QTextCursor::Document);
        QTextCharFormat sans;
        sans.setFontFamilies(QStringList{kStart});
        all.mergeCharFormat(sans);
        select(0, 4);
        SyncToolbarWithSelection(frame, host.editor); // the host's selection change
        ASSERT_EQ(names().currentText(), kStart);
        ASSERT_GE(names().findText(kChosen), 0);
    }

    QComboBox &names() { return *frame.cobBetuTipNev(); }
    QAbstractItemView &list() { return *names().view(); }
    QWidget &popup() { return *list().window(); }

    void openWithKeyboard()
    {
        QTest::keyClick(&names(), Qt::Key_Down, Qt::AltModifier);
        ASSERT_TRUE(popup().isVisible());
    }
    void openWithMouse()
    {
        QTest::mouseClick(&names(), Qt::LeftButton);
        ASSERT_TRUE(popup().isVisible());
    }
    // Arrow keys in the open list until kChosen is highlighted.
    void highlightChosenWithArrows()
    {
        for (int i = 0; i < names().count() && list().currentIndex().data() != kChosen; ++i)
            QTest::keyClick(&list(), Qt::Key_Down);
        ASSERT_EQ(list().currentIndex().data().toString(), kChosen);
    }
    void clickChosen()
    {
        const QModelIndex item = list().model()->index(names().findText(kChosen), 0);
        list().scrollTo(item);
        const QPoint centre = list().visualRect(item).center();
        QTest::mouseMove(list().viewport(), centre);
        QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, centre);
    }
    // What the pane shows once every pending event is handled.
    QString familyAfterClose(int position)
    {
        QCoreApplication::processEvents();
        return charformat::FamilyAt(doc(), position);
    }

    const QString kStart = QStringLiteral("DejaVu Sans");
    const QString kChosen = QStringLiteral("DejaVu Serif");
};

TEST_F(FontListTest, EnterInTheListAppliesTheChosenFontNotThePreviousOne)
{
    openWithKeyboard();
    highlightChosenWithArrows();
    QTest::keyClick(&list(), Qt::Key_Return);
    EXPECT_FALSE(popup().isVisible());
    EXPECT_EQ(names().currentText(), kChosen);
    EXPECT_EQ(charformat::FamilyAt(doc(), 0), kChosen); // at once, not one closing later
    EXPECT_EQ(familyAfterClose(3), kChosen);
    EXPECT_EQ(familyAfterClose(5), kStart); // outside the selection
}

TEST_F(FontListTest, ClickOnAnEntryAppliesTheChosenFontNotThePreviousOne)
{
    openWithMouse();
    clickChosen();
    EXPECT_FALSE(popup().isVisible());
    EXPECT_EQ(names().currentText(), kChosen);
    EXPECT_EQ(charformat::FamilyAt(doc(), 0), kChosen);
    EXPECT_EQ(familyAfterClose(3), kChosen);
    EXPECT_EQ(familyAfterClose(5), kStart);
}

struct ListDismissal {
    const char *name;
    void (*dismiss)(QWidget &popup, QAbstractItemView &list);
};

void PrintTo(const ListDismissal &c, std::ostream *os)
{
    *os << c.name;
}

class FontListDismissed : public FontListTest,
                          public ::testing::WithParamInterface<ListDismissal> {};

TEST_P(FontListDismissed, AppliesNothingThatWasOnlyHighlighted)
{
    openWithKeyboard();
    highlightChosenWithArrows();
    GetParam().dismiss(popup(), list());
    EXPECT_FALSE(popup().isVisible());
    EXPECT_EQ(names().currentText(), kStart);
    EXPECT_EQ(familyAfterClose(0), kStart);
    EXPECT_EQ(familyAfterClose(3), kStart);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FontListDismissed,
    ::testing::Values(ListDismissal{"Escape",
                                    [](QWidget &, QAbstractItemView &list) {
                                        QTest::keyClick(&list, Qt::Key_Escape);
                                    }},
                      // A popup receives the clicks outside itself, and closes.
                      ListDismissal{"ClickOutside",
                                    [](QWidget &popup, QAbstractItemView &) {
                                        QTest::mouseClick(&popup, Qt::LeftButton, {},
                                                          QPoint(-20, -20));
                                    }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FontListTest, AFontChosenWithTheListClosedWaitsForTheListToCloseUp)
{
    // Arrow keys on the closed box change its entry and rebuild the size
    // list; the text takes the font when the list is next opened and closed.
    const int before = names().currentIndex();
    QTest::keyClick(&names(), Qt::Key_Down);
    ASSERT_EQ(names().currentIndex(), before + 1);
    const QString next = names().currentText();
    EXPECT_EQ(familyAfterClose(0), kStart);
    openWithKeyboard();
    QTest::keyClick(&list(), Qt::Key_Escape);
    EXPECT_EQ(familyAfterClose(0), next);
}

TEST_F(FontListTest, ChoosingAScalableFontListsEverySize)
{
    openWithKeyboard();
    while (list().currentIndex().data() != QStringLiteral("Arial") &&
           list().currentIndex().row() > 0)
        QTest::keyClick(&list(), Qt::Key_Up);
    ASSERT_EQ(list().currentIndex().data().toString(), QStringLiteral("Arial"));
    QTest::keyClick(&list(), Qt::Key_Return);
    QComboBox *sizes = frame.cobBetuMeret();
    ASSERT_EQ(sizes->count(), 260);
    EXPECT_EQ(sizes->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(sizes->itemText(259), QStringLiteral("260"));
    EXPECT_EQ(familyAfterClose(0), QStringLiteral("Arial"));
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
    EXPECT_TRUE(hosts.painter.FormatPainterArmed);
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
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
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
    EXPECT_TRUE(hosts.painter.FormatPainterSticky);
    for (int caret : {12, 17, 22}) {
        caretAt(caret);
        ApplyPickedFormat(frame, host.editor);
        EXPECT_TRUE(hosts.painter.FormatPainterArmed) << caret;
        EXPECT_TRUE(button("spbFormFest").isChecked()) << caret;
    }
    EXPECT_TRUE(boldAt(10) && boldAt(16) && boldAt(21));
    expireTimer();
    clickPainter();
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
    EXPECT_FALSE(button("spbFormFest").isChecked());
}

TEST_F(FormatPainterTest, SecondClickWithin700MsDoesNotDisarm)
{
    clickPainter();
    clickPainter();
    EXPECT_TRUE(hosts.painter.FormatPainterArmed);
    EXPECT_TRUE(button("spbFormFest").isChecked());
    expireTimer();
    clickPainter();
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
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
    hosts.painter.FormatPainterArmed = true;
    caretAt(2);
    ApplyPickedFormat(frame, host.editor);
    EXPECT_FALSE(doc().isModified());
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
}

TEST_F(FormatPainterTest, DisarmKeepsThePickedFormat)
{
    doubleClickPainter();
    DisarmFormatPainter(frame); // the pane lost the focus
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
    EXPECT_FALSE(hosts.painter.FormatPainterSticky);
    EXPECT_FALSE(button("spbFormFest").isChecked());
    EXPECT_TRUE(hosts.painter.picked.character.bold);
}

} // namespace

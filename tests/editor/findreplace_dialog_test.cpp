// The find and replace dialog driven through its controls.
#include "editor/hideselection.h"
#include "findreplace_fixture.h"
#include "support/printers.h"

#include <QApplication>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <string>

using namespace Qt::StringLiterals;

namespace {

const QString kNotFound = QStringLiteral("Nem található ilyen kifejezés");
const QString kNoMore = QStringLiteral("Nem található több ilyen kifejezés");

using FindDialogTest = FindDialogFixture;

TEST_F(FindDialogTest, EveryControlAtItsPlaceWithItsCaption)
{
    const struct {
        const char *name;
        QPoint position;
        const char16_t *caption;
    } controls[] = {
        {"Label1", {16, 16}, u"Mit keres:"},
        {"cobMit", {96, 8}, nullptr},
        {"lblMire", {16, 48}, u"Mire cseréli:"},
        {"cobMire", {96, 40}, nullptr},
        {"spbCsere", {440, 40}, u"Csere"},
        {"chbKisNagyKul", {16, 72}, u"Kis- és nagybetűk különböznek"},
        {"chbTeljSzo", {16, 96}, u"Csak ha ez a teljes szó"},
        {"GroupBox1", {240, 72}, nullptr},
        {"rbLe", {8, 18}, u"Lefelé"},
        {"Panel1", {503, 0}, nullptr},
        {"bbtnKovKer", {8, 8}, u"Következő"},
        {"bbtnKihagy", {8, 35}, u"Kihagy"},
        {"bbtnMind", {8, 62}, u"Mindet"},
        {"bbtnMegsem", {8, 89}, u"Bezár"},
    };
    EXPECT_EQ(dialog.size(), QSize(607, 121));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    for (const auto &c : controls) {
        auto *widget = child<QWidget>(c.name);
        EXPECT_EQ(widget->pos(), c.position) << c.name;
        if (!c.caption)
            continue;
        const QString expected = QString::fromUtf16(c.caption);
        if (auto *label = qobject_cast<QLabel *>(widget)) {
            EXPECT_EQ(label->text(), expected);
        } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
            EXPECT_EQ(button->text(), expected);
        }
    }
    EXPECT_EQ(child<QComboBox>("cobMit")->width(), 393);
    EXPECT_EQ(child<QComboBox>("cobMire")->width(), 337);
    EXPECT_EQ(child<QWidget>("Panel1")->width(), 104);
    EXPECT_EQ(child<QWidget>("GroupBox1")->size(), QSize(249, 41));
    EXPECT_EQ(child<QWidget>("bbtnKovKer")->size(), QSize(89, 25));
    EXPECT_TRUE(child<QPushButton>("bbtnKovKer")->isDefault());
    EXPECT_TRUE(child<QRadioButton>("rbLe")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chbKisNagyKul")->isChecked());
    EXPECT_FALSE(child<QCheckBox>("chbTeljSzo")->isChecked());
}

TEST_F(FindDialogTest, ModesShowTheirControls)
{
    setText(QStringLiteral("alma"));
    dialog.ShowFindDialog(*editor);
    ASSERT_TRUE(dialog.isVisible());
    for (const char *name : {"bbtnKihagy", "bbtnMind", "lblMire", "cobMire"})
        EXPECT_FALSE(child<QWidget>(name)->isVisible()) << name;
    child<QToolButton>("spbCsere")->click();
    EXPECT_TRUE(dialog.ReplaceMode());
    EXPECT_EQ(child<QToolButton>("spbCsere")->text(), QStringLiteral("Keres"));
    for (const char *name : {"bbtnKihagy", "bbtnMind", "lblMire", "cobMire"})
        EXPECT_TRUE(child<QWidget>(name)->isVisible()) << name;
    // Opening again resets to find mode.
    dialog.ShowFindDialog(*editor);
    EXPECT_FALSE(dialog.ReplaceMode());
    EXPECT_FALSE(child<QWidget>("cobMire")->isVisible());
}

struct OpeningCase {
    const char *name;
    int selectionStart;
    int selectionLength;
    const char16_t *seed;
    int startPos;
};

void PrintTo(const OpeningCase &c, std::ostream *os)
{
    *os << c.name;
}

class SeedingTest : public FindDialogFixture, public testing::WithParamInterface<OpeningCase> {};

// "an apple pie, apple": positions 3 and 14 hold the two apples.
TEST_P(SeedingTest, SeedsFromSelectionOrCaretWithoutChangingTheSelection)
{
    const OpeningCase &c = GetParam();
    setText(QStringLiteral("an apple pie, apple"));
    select(c.selectionStart, c.selectionLength);
    dialog.ShowFindDialog(*editor);
    EXPECT_EQ(child<QComboBox>("cobMit")->currentText(), QString::fromUtf16(c.seed));
    EXPECT_EQ(dialog.SearchStartPos(), c.startPos);
    EXPECT_EQ(selectionStart(), c.selectionStart);
    EXPECT_EQ(selectedText().size(), c.selectionLength);
}

INSTANTIATE_TEST_SUITE_P(Openings, SeedingTest,
                         testing::Values(OpeningCase{"Selection", 3, 5, u"apple", 3},
                                         OpeningCase{"CaretInsideWord", 5, 0, u"apple", 3},
                                         OpeningCase{"CaretBeforeWord", 3, 0, u"apple", 3},
                                         OpeningCase{"CaretBehindWord", 8, 0, u"apple", 3},
                                         OpeningCase{"CaretBehindBlank", 9, 0, u"pie", 9},
                                         OpeningCase{"CaretBetweenDelimiters", 13, 0, u" ", 13}),
                         [](const testing::TestParamInfo<OpeningCase> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(FindDialogTest, SeedAtTheEndBehindABlankIsEmpty)
{
    setText(QStringLiteral("apple "));
    select(6, 0);
    dialog.ShowFindDialog(*editor);
    EXPECT_EQ(child<QComboBox>("cobMit")->currentText(), QString());
}

TEST_F(FindDialogTest, FindFromASelectedWordFindsTheNextOne)
{
    setText(QStringLiteral("an apple pie, apple"));
    select(3, 5);
    dialog.ShowFindDialog(*editor);
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 14);
    EXPECT_EQ(selectedText(), QStringLiteral("apple"));
    EXPECT_EQ(dialog.NotFoundPrefix(), QStringLiteral("több "));
}

TEST_F(FindDialogTest, ReplaceFromTheCaretFindsTheWordUnderIt)
{
    setText(QStringLiteral("an apple pie"));
    select(5, 0);
    dialog.ShowReplaceDialog(*editor);
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
    setReplacement(QStringLiteral("pear"));
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("an apple pie"));
    EXPECT_EQ(selectionStart(), 3);
    EXPECT_EQ(selectedText(), QStringLiteral("apple"));
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));
    EXPECT_TRUE(enabled("bbtnKihagy"));
}

TEST_F(FindDialogTest, NotFoundMessageSaysMoreOnlyAfterAMatch)
{
    setText(QStringLiteral("alma alma"));
    select(0, 0);
    dialog.ShowFindDialog(*editor);
    setSearch(QStringLiteral("körte"));
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNotFound);

    dialog.ShowFindDialog(*editor);
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 0);
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 5);
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNoMore);
    // The last match stays selected, and the dialog is ready to search.
    EXPECT_EQ(selectionStart(), 5);
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
}

TEST_F(FindDialogTest, OptionsReachTheSearch)
{
    const struct {
        const char *name;
        bool matchCase;
        bool wholeWord;
        const char16_t *pattern;
        int expected; // -1: not found
    } cases[] = {
        {"CaseOffFindsCapital", false, false, u"Apple", 0},
        {"CaseOnSkipsLowerCase", true, false, u"Apple", 10},
        {"WholeWordSkipsPrefix", false, true, u"app", 16},
        {"WholeWordNotFound", false, true, u"appl", -1},
    };
    setText(QStringLiteral("apple pie Apple app"));
    for (const auto &c : cases) {
        select(0, 0);
        dialog.ShowFindDialog(*editor);
        child<QCheckBox>("chbKisNagyKul")->setChecked(c.matchCase);
        child<QCheckBox>("chbTeljSzo")->setChecked(c.wholeWord);
        setSearch(QString::fromUtf16(c.pattern));
        press("bbtnKovKer");
        if (c.expected < 0)
            EXPECT_EQ(takeMessage(), kNotFound) << c.name;
        else
            EXPECT_EQ(selectionStart(), c.expected) << c.name;
        dialog.hide();
    }
    // The check boxes keep their state from one opening to the next.
    dialog.ShowFindDialog(*editor);
    EXPECT_TRUE(child<QCheckBox>("chbTeljSzo")->isChecked());
}

TEST_F(FindDialogTest, EnterInTheSearchBoxSearches)
{
    setText(QStringLiteral("alma alma"));
    select(0, 4);
    dialog.ShowFindDialog(*editor);
    QTest::keyClick(child<QComboBox>("cobMit")->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(selectionStart(), 5);
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(FindDialogTest, TheFiftyFirstTextPushesTheOldestOutOfBothHistories)
{
    setText(QStringLiteral("x"));
    dialog.ShowFindDialog(*editor);
    for (int i = 1; i <= 51; ++i) {
        setSearch(QString::number(i));
        press("bbtnKovKer");
    }
    messages.messages.clear();
    for (const char *box : {"cobMit", "cobMire"}) {
        const QStringList items = history(box);
        ASSERT_EQ(items.size(), 50) << box;
        EXPECT_EQ(items.front(), QStringLiteral("51")) << box;
        EXPECT_EQ(items.back(), QStringLiteral("2")) << box;
    }
    // Searching an old text again moves it up without a duplicate.
    setSearch(QStringLiteral("30"));
    press("bbtnKovKer");
    EXPECT_EQ(history("cobMit").size(), 50);
    EXPECT_EQ(history("cobMit").front(), QStringLiteral("30"));
    EXPECT_EQ(history("cobMit").count(QStringLiteral("30")), 1);
    EXPECT_EQ(child<QComboBox>("cobMit")->currentText(), QStringLiteral("30"));
}

TEST_F(FindDialogTest, BothHistoriesReceiveTheSearchAndTheReplacement)
{
    setText(QStringLiteral("x x"));
    select(0, 1);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("y"));
    press("bbtnKovKer");
    const QStringList expected{QStringLiteral("y"), QStringLiteral("x")};
    EXPECT_EQ(history("cobMit"), expected);
    EXPECT_EQ(history("cobMire"), expected);
    // The edit texts stay what the user typed.
    EXPECT_EQ(child<QComboBox>("cobMit")->currentText(), QStringLiteral("x"));
    EXPECT_EQ(child<QComboBox>("cobMire")->currentText(), QStringLiteral("y"));
}

TEST_F(FindDialogTest, ReplaceCycleReplacesSkipsAndSearchesOn)
{
    setText(QStringLiteral("x1 x2 x3"));
    select(0, 1);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("yy"));
    press("bbtnKovKer"); // finds the selected x: the first search of replace mode
    EXPECT_EQ(selectionStart(), 0);
    press("bbtnKovKer"); // replaces it and finds x2
    EXPECT_EQ(text(), QStringLiteral("yy1 x2 x3"));
    EXPECT_EQ(selectionStart(), 4);
    press("bbtnKihagy"); // leaves x2, finds x3
    EXPECT_EQ(selectionStart(), 7);
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("yy1 x2 yy3"));
    EXPECT_EQ(takeMessage(), kNoMore);
}

TEST_F(FindDialogTest, ButtonStatesFollowTheStateTable)
{
    setText(QStringLiteral("alma alma"));
    select(0, 0);
    dialog.ShowReplaceDialog(*editor);
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
    press("bbtnKovKer");
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));
    EXPECT_TRUE(enabled("bbtnKihagy"));
    // Back to find mode and into replace mode again with the match selected.
    child<QToolButton>("spbCsere")->click();
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    child<QToolButton>("spbCsere")->click();
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));
    EXPECT_TRUE(enabled("bbtnKihagy"));
}

TEST_F(FindDialogTest, ClickIntoTheEditorInterruptsAndTheNextPressSearchesFirst)
{
    setText(QStringLiteral("alma körte alma"));
    select(0, 4);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("szilva"));
    press("bbtnKovKer");
    ASSERT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));

    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.SearchInterrupted());
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));

    // The user selects "körte" meanwhile: it is not replaced; the next
    // match from the selection is found instead.
    select(5, 5);
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("alma körte alma"));
    EXPECT_EQ(selectionStart(), 11);
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));

    // A match the user selected is found first too, then replaced.
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    select(11, 4);
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("alma körte alma"));
    EXPECT_EQ(selectionStart(), 11);
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("alma körte szilva"));
}

struct EditCase {
    const char *name;
    void (*edit)(QComboBox &);
};

void PrintTo(const EditCase &c, std::ostream *os)
{
    *os << c.name;
}

class SearchTextEditTest : public FindDialogFixture,
                           public testing::WithParamInterface<EditCase> {};

TEST_P(SearchTextEditTest, InterruptsAndMovesTheStart)
{
    setText(QStringLiteral("alma körte alma"));
    select(5, 5);
    dialog.ShowFindDialog(*editor);
    setSearch(QStringLiteral("körte"));
    press("bbtnKovKer"); // the history gets "körte"
    setSearch(QStringLiteral("alma"));
    press("bbtnKovKer"); // and "alma"; the second alma is selected
    child<QToolButton>("spbCsere")->click();
    ASSERT_EQ(selectionStart(), 11);
    ASSERT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));
    GetParam().edit(*child<QComboBox>("cobMit"));
    EXPECT_TRUE(dialog.SearchInterrupted());
    EXPECT_EQ(dialog.SearchStartPos(), 12); // the selection start, plus 1 in replace mode
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
    EXPECT_EQ(text(), QStringLiteral("alma körte alma"));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, SearchTextEditTest,
    testing::Values(EditCase{"Typed",
                             [](QComboBox &box) {
                                 QTest::keyClicks(box.lineEdit(), QStringLiteral("x"));
                             }},
                    EditCase{"PickedFromHistory",
                             [](QComboBox &box) {
                                 QTest::keyClick(box.lineEdit(), Qt::Key_Down);
                                 EXPECT_EQ(box.currentText(), QStringLiteral("körte"));
                             }}),
    [](const testing::TestParamInfo<EditCase> &info) { return std::string(info.param.name); });

TEST_F(FindDialogTest, AnotherWindowBecomingActiveInterrupts)
{
    setText(QStringLiteral("alma alma"));
    select(0, 0);
    dialog.ShowReplaceDialog(*editor);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    press("bbtnKovKer");
    ASSERT_EQ(caption("bbtnKovKer"), QStringLiteral("Cserél"));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_TRUE(dialog.SearchInterrupted());
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    EXPECT_FALSE(enabled("bbtnKihagy"));
}

TEST_F(FindDialogTest, ItsOwnMessageIsNoInterruptionAndTheSearchBoxGetsTheFocus)
{
    setText(QStringLiteral("alma"));
    select(0, 0);
    dialog.ShowFindDialog(*editor);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    setSearch(QStringLiteral("körte"));
    child<QCheckBox>("chbTeljSzo")->setFocus();
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNotFound);
    EXPECT_FALSE(dialog.SearchInterrupted());
    auto *box = child<QComboBox>("cobMit");
    EXPECT_TRUE(dialog.focusWidget() == box || dialog.focusWidget() == box->lineEdit());
}

TEST_F(FindDialogTest, ReadOnlyTextIsSearchedButNotChanged)
{
    setText(QStringLiteral("alma alma"));
    editor->setReadOnly(true);
    select(0, 4);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("körte"));
    press("bbtnKovKer");
    press("bbtnKovKer");
    EXPECT_EQ(selectionStart(), 5);
    press("bbtnMind");
    EXPECT_EQ(takeMessage(), QStringLiteral("0 csere történt"));
    EXPECT_EQ(text(), QStringLiteral("alma alma"));
}

TEST_F(FindDialogTest, OpensCentredOnTheMainWindow)
{
    window.move(100, 50);
    dialog.ShowFindDialog(*editor);
    const QPoint offset = dialog.frameGeometry().center() - window.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
}

TEST_F(FindDialogTest, AfterAFailedSearchTheNextPressDoesNotReplace)
{
    setText(QStringLiteral("alma és alma"));
    select(8, 4);
    dialog.ShowReplaceDialog(*editor);
    setReplacement(QStringLiteral("körte"));
    press("bbtnKovKer");
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("alma és körte"));
    EXPECT_EQ(takeMessage(), kNoMore);
    EXPECT_EQ(caption("bbtnKovKer"), QStringLiteral("Következő"));
    press("bbtnKovKer");
    EXPECT_EQ(text(), QStringLiteral("alma és körte"));
    EXPECT_EQ(takeMessage(), kNoMore);
}

TEST_F(FindDialogTest, EmptySearchTextFindsAndReplacesNothing)
{
    setText(QStringLiteral("alma"));
    select(2, 0);
    dialog.ShowReplaceDialog(*editor);
    setSearch(QString());
    setReplacement(QStringLiteral("x"));
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNotFound);
    press("bbtnKovKer");
    EXPECT_EQ(takeMessage(), kNotFound);
    press("bbtnMind");
    EXPECT_EQ(takeMessage(), QStringLiteral("0 csere történt"));
    EXPECT_EQ(text(), QStringLiteral("alma"));
}

struct HideCase {
    const char *name;
    int ownSetting; // -1: never set
    void (*close)(TfrmSzoKeres &);
};

void PrintTo(const HideCase &c, std::ostream *os)
{
    *os << c.name;
}

void clickBezar(TfrmSzoKeres &d)
{
    d.findChild<QPushButton *>(QStringLiteral("bbtnMegsem"))->click();
}

class HideSelectionTest : public FindDialogFixture, public testing::WithParamInterface<HideCase> {};

TEST_P(HideSelectionTest, ClosingRestoresTheControlsOwnSetting)
{
    const HideCase &c = GetParam();
    if (c.ownSetting >= 0)
        SetHideSelection(*editor, c.ownSetting != 0);
    const QVariant setting = editor->property("HideSelection");
    const QColor inactive = editor->palette().color(QPalette::Inactive, QPalette::Highlight);
    setText(QStringLiteral("alma"));
    dialog.ShowFindDialog(*editor);
    EXPECT_FALSE(HidesSelection(*editor));
    c.close(dialog);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(editor->property("HideSelection"), setting);
    EXPECT_EQ(editor->palette().color(QPalette::Inactive, QPalette::Highlight), inactive);
}

INSTANTIATE_TEST_SUITE_P(
    Closings, HideSelectionTest,
    testing::Values(HideCase{"HidingByBezar", 1, clickBezar},
                    HideCase{"KeepingByBezar", 0, clickBezar},
                    HideCase{"NeverSetByBezar", -1, clickBezar},
                    HideCase{"HidingByEsc", 1,
                             [](TfrmSzoKeres &d) {
                                 QTest::keyClick(d.findChild<QComboBox *>(QStringLiteral("cobMit")),
                                                 Qt::Key_Escape);
                             }},
                    HideCase{"HidingByCloseIcon", 1, [](TfrmSzoKeres &d) { d.close(); }}),
    [](const testing::TestParamInfo<HideCase> &info) { return std::string(info.param.name); });

TEST_F(FindDialogTest, MovingToAnotherControlWhileOpenGivesEachItsOwnSetting)
{
    QTextEdit help(&window);
    SetHideSelection(*editor, false);
    SetHideSelection(help, true);
    dialog.ShowFindDialog(*editor);
    dialog.ShowFindDialog(help);
    EXPECT_FALSE(HidesSelection(*editor));
    EXPECT_FALSE(HidesSelection(help));
    EXPECT_EQ(dialog.SearchEditor(), &help);
    dialog.hide();
    EXPECT_TRUE(HidesSelection(help));
    EXPECT_FALSE(HidesSelection(*editor));

    SetHideSelection(*editor, true);
    dialog.ShowFindDialog(*editor);
    dialog.ShowFindDialog(help);
    EXPECT_TRUE(HidesSelection(*editor));
}

// The history boxes typed into key by key, as the user does. The history
// holds texts that differ from the typed ones in letter case or length; the
// text searched and inserted must be exactly the typed text.
struct TypedTextCase {
    const char *name;
    const char16_t *history; // searched before, so both boxes list it
    bool matchCase;
    const char16_t *text;
    const char16_t *search;
    const char16_t *replacement; // nullptr: find mode
    int foundAt;
    const char16_t *result; // the text after the replacement
};

void PrintTo(const TypedTextCase &c, std::ostream *os)
{
    *os << c.name;
}

class TypedHistoryText : public FindDialogFixture,
                         public testing::WithParamInterface<TypedTextCase> {
protected:
    void type(const char *box, const QString &typed)
    {
        auto *combo = child<QComboBox>(box);
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo, Qt::Key_Backspace);
        QTest::keyClicks(combo, typed);
        EXPECT_EQ(combo->currentText(), typed) << box;
    }
    // Enter goes where the keyboard is: to the list of matching history
    // texts while it is open, else to the box typed into.
    void pressEnter(const char *box)
    {
        QWidget *offered = QApplication::activePopupWidget();
        QTest::keyClick(offered ? offered : child<QComboBox>(box)->lineEdit(), Qt::Key_Return);
    }
};

TEST_P(TypedHistoryText, IsSearchedAndInsertedAsTyped)
{
    const TypedTextCase &c = GetParam();
    setText(QString::fromUtf16(c.text));
    select(0, 0);
    dialog.ShowFindDialog(*editor);
    type("cobMit", QString::fromUtf16(c.history));
    pressEnter("cobMit");
    messages.messages.clear();
    select(0, 0);
    child<QCheckBox>("chbKisNagyKul")->setChecked(c.matchCase);
    if (c.replacement)
        dialog.ShowReplaceDialog(*editor);
    else
        dialog.ShowFindDialog(*editor);

    const QString search = QString::fromUtf16(c.search);
    type("cobMit", search);
    const char *last = c.replacement ? "cobMire" : "cobMit";
    if (c.replacement)
        type("cobMire", QString::fromUtf16(c.replacement));
    pressEnter(last);
    EXPECT_EQ(selectionStart(), c.foundAt);
    EXPECT_EQ(selectedText(), search);
    EXPECT_EQ(child<QComboBox>("cobMit")->currentText(), search);
    if (c.replacement) {
        pressEnter(last); // "Cserél"
        EXPECT_EQ(text(), QString::fromUtf16(c.result));
        EXPECT_EQ(child<QComboBox>("cobMire")->currentText(), QString::fromUtf16(c.replacement));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedHistoryText,
    testing::Values(TypedTextCase{"CapitalReplacementIsNotTheLowerCaseEntry", u"the", false,
                                  u"b a the", u"a", u"THE", 2, u"b THE the"},
                    TypedTextCase{"CapitalSearchWithMatchCaseIsNotTheEntry", u"Thomas", true,
                                  u"Thomas THOMAS", u"THOMAS", nullptr, 7, nullptr},
                    TypedTextCase{"TypedBeginningIsNotCompletedToTheEntry", u"Thomas", false,
                                  u"Thor Thomas", u"Tho", nullptr, 0, nullptr}),
    [](const testing::TestParamInfo<TypedTextCase> &info) { return std::string(info.param.name); });

TEST_F(FindDialogTest, HistoryTextsStartingWithTheTypedTextAreOffered)
{
    setText(QStringLiteral("x"));
    dialog.ShowFindDialog(*editor);
    for (const QString &searched : {u"Thomas"_s, u"thorn"_s, u"Thor"_s}) {
        setSearch(searched);
        press("bbtnKovKer");
    }
    messages.messages.clear();
    auto *box = child<QComboBox>("cobMit");
    box->lineEdit()->clear();
    QTest::keyClicks(box, u"Tho"_s);
    QCompleter *offer = box->completer();
    ASSERT_NE(offer, nullptr);
    QStringList offered;
    for (int i = 0; i < offer->completionCount(); ++i) {
        offer->setCurrentRow(i);
        offered << offer->currentCompletion();
    }
    EXPECT_EQ(offered, (QStringList{u"Thor"_s, u"Thomas"_s}));
    EXPECT_EQ(box->currentText(), u"Tho"_s);
}

} // namespace

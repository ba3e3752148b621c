// The help page on its own: edit mode, caption, the protected stock file,
// its bottom bar.
#include "help/helppage.h"

#include "dialogs/frmnevjegy.h"
#include "dialogs/frmvalasz.h"
#include "editor/filedialogs.h"
#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "platform/rtf/documentio.h"
#include "store/appstate.h"
#include "support/modal_answerer.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <deque>
#include <memory>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const QString kRefusal = u"A módosított súgófájl nem menthető ezen a néven.\nAdj meg más nevet"_s;

// Save and open dialogs answered in advance; an empty name cancels.
class ScriptedDialogs final : public FileDialogs {
public:
    std::optional<QString> chooseOpen(const QString &directory, const QString &fileName) override
    {
        opened << directory + u'|' + fileName;
        return next(openAnswers);
    }
    std::optional<SaveChoice> chooseSave(const QString &directory, const QString &fileName) override
    {
        saved << directory + u'|' + fileName;
        const std::optional<QString> name = next(saveAnswers);
        if (!name)
            return std::nullopt;
        return SaveChoice{*name, 1};
    }

    std::deque<QString> openAnswers;
    std::deque<QString> saveAnswers;
    QStringList opened;
    QStringList saved;

private:
    static std::optional<QString> next(std::deque<QString> &answers)
    {
        if (answers.empty() || answers.front().isEmpty())
            return std::nullopt;
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program directory with the shipped stock help, loaded into the page as
// at start-up: bound, read-only, caption from the file name.
class HelpPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(program.isValid() && elsewhere.isValid());
        ASSERT_TRUE(QFile::copy(QStringLiteral(VELKOR_DOCUMENTS_DIR) + u"/"_s + stockName,
                                program.filePath(stockName)));
        state.ProgramDir = program.path() + u'/';
        state.HelpDocName = stock();
        page = std::make_unique<HelpPage>(state, hosts);
        textFrame = std::make_unique<TfraREEszkTar>();
        page->setSaveDialogFrame(textFrame.get());
        auto dialogs = std::make_unique<ScriptedDialogs>();
        saveDialogs = dialogs.get();
        textFrame->setFileDialogs(std::move(dialogs));
        auto own = std::make_unique<ScriptedDialogs>();
        frameDialogs = own.get();
        page->setFileDialogs(std::move(own));
        captions = std::make_unique<QSignalSpy>(page.get(), &HelpPage::captionChanged);

        ASSERT_TRUE(documentio::loadDocument(stock(), *pane()->document()));
        state.HelpDocHasFile = true;
        page->HelpDocumentLoaded();
        pane()->document()->setModified(false);
        page->BindHelpPage();
        page->ToggleHelpEditMode();
        page->resize(700, 500);
        page->show();
    }

    QString stock() const { return program.filePath(stockName); }
    QTextEdit *pane() const { return page->findChild<QTextEdit *>(u"reSugo"_s); }
    QPushButton *editSwitch() const { return page->findChild<QPushButton *>(u"spbSugoSzerk"_s); }
    QToolButton *tool(const char *name) const { return page->frame()->button(name); }
    QList<QWidget *> toolbarControls() const
    {
        return page->frame()->pnlToolBar()->findChildren<QWidget *>();
    }

    const QString stockName = HelpPage::StockHelpName();
    QTemporaryDir program;
    QTemporaryDir elsewhere;
    AppState state;
    EditorHosts hosts;
    TfrmValasz questions;
    std::unique_ptr<TfraREEszkTar> textFrame;
    std::unique_ptr<HelpPage> page;
    std::unique_ptr<QSignalSpy> captions;
    ScriptedDialogs *saveDialogs = nullptr;
    ScriptedDialogs *frameDialogs = nullptr;
};

TEST_F(HelpPageTest, StartsReadOnlyWithEveryToolbarControlOff)
{
    EXPECT_TRUE(pane()->isReadOnly());
    EXPECT_EQ(editSwitch()->text(), u"Szerkesztés"_s);
    EXPECT_EQ(page->caption(), u"Súgó (Eredeti)"_s);
    ASSERT_FALSE(toolbarControls().isEmpty());
    for (QWidget *control : toolbarControls())
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(page->frame()->pnlToolBar()->isEnabled());
}

struct PressCase {
    const char *name;
    Qt::MouseButton button;
};

class EditSwitchPress : public HelpPageTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(EditSwitchPress, OnePressOfAnyButtonTogglesOnce)
{
    QTest::mousePress(editSwitch(), GetParam().button);
    QTest::mouseRelease(editSwitch(), GetParam().button);
    EXPECT_FALSE(pane()->isReadOnly());
    EXPECT_EQ(editSwitch()->text(), u"Csak olvasás"_s);
    for (QWidget *control : toolbarControls()) {
        const QString name = control->objectName();
        if (name == u"spbMegis"_s || name == u"spbMegsem"_s)
            continue;
        EXPECT_TRUE(control->isEnabled()) << name.toStdString();
    }
    EXPECT_FALSE(tool("spbMegis")->isEnabled());
    EXPECT_EQ(tool("spbMegsem")->isEnabled(), pane()->document()->isUndoAvailable());

    QTest::mousePress(editSwitch(), GetParam().button);
    EXPECT_TRUE(pane()->isReadOnly());
    EXPECT_EQ(editSwitch()->text(), u"Szerkesztés"_s);
}

INSTANTIATE_TEST_SUITE_P(Buttons, EditSwitchPress,
                         ::testing::Values(PressCase{"Left", Qt::LeftButton},
                                           PressCase{"Right", Qt::RightButton},
                                           PressCase{"Middle", Qt::MiddleButton}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HelpPageTest, UndoFollowsThePaneWhenEditingStartsAgain)
{
    page->ToggleHelpEditMode();
    QTest::keyClick(pane(), Qt::Key_X);
    page->ToggleHelpEditMode();
    page->ToggleHelpEditMode();
    EXPECT_TRUE(tool("spbMegsem")->isEnabled());
    EXPECT_FALSE(tool("spbMegis")->isEnabled());
}

TEST_F(HelpPageTest, OneTypedCharacterMarksTheHelpModified)
{
    captions->clear();
    page->ToggleHelpEditMode();
    pane()->setFocus();
    QTest::keyClick(pane(), Qt::Key_A);
    EXPECT_EQ(page->caption(), u"Súgó (Módosított)"_s);
    ASSERT_EQ(captions->count(), 1);
    EXPECT_EQ(captions->at(0).at(0).toString(), u"Súgó (Módosított)"_s);
}

TEST_F(HelpPageTest, StockNameIsRefusedAndTheDialogComesBackWithTheNameChosen)
{
    const QString other = program.filePath(u"saját súgó.rtf"_s);
    const QString before = QString::fromLatin1(bytesOf(stock()).toBase64());
    saveDialogs->saveAnswers = {stock(), stock(), other};
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});

    EXPECT_TRUE(page->SaveHelpDocument());

    EXPECT_EQ(script.messages, (QStringList{kRefusal, kRefusal}));
    EXPECT_EQ(saveDialogs->saved, (QStringList{program.path() + u"|Súgó (módosított).rtf"_s,
                                               program.path() + u"|Súgó (eredeti).rtf"_s,
                                               program.path() + u"|Súgó (eredeti).rtf"_s}));
    EXPECT_TRUE(frameDialogs->saved.isEmpty());
    EXPECT_EQ(state.HelpDocName, other);
    EXPECT_TRUE(QFile::exists(other));
    EXPECT_EQ(QString::fromLatin1(bytesOf(stock()).toBase64()), before);
}

TEST_F(HelpPageTest, CancelAfterARefusalSavesNothingAndKeepsTheName)
{
    saveDialogs->saveAnswers = {stock(), QString()};
    ModalScript script({u"bbtnOk"_s});
    const QByteArray before = bytesOf(stock());

    EXPECT_FALSE(page->SaveHelpDocument());

    EXPECT_EQ(script.messages, QStringList{kRefusal});
    EXPECT_EQ(state.HelpDocName, stock());
    EXPECT_EQ(bytesOf(stock()), before);
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), QStringList{stockName});
}

TEST_F(HelpPageTest, TheStockNameWrittenOtherwiseIsNotTheStockFile)
{
    // Exact comparison: another letter case names another file.
    const QString upper = program.filePath(u"SÚGÓ (EREDETI).rtf"_s);
    saveDialogs->saveAnswers = {upper};
    EXPECT_TRUE(page->SaveHelpDocument());
    EXPECT_EQ(state.HelpDocName, upper);
}

TEST_F(HelpPageTest, SaveButtonAsksOnlyWhileTheStockHelpIsShown)
{
    page->ToggleHelpEditMode();
    const QString other = elsewhere.filePath(u"súgó.rtf"_s);
    saveDialogs->saveAnswers = {other};
    tool("spbMent")->click();
    ASSERT_EQ(saveDialogs->saved.size(), 1);
    EXPECT_EQ(state.HelpDocName, other);

    // From now on the Save button writes to that name without a dialog.
    pane()->setPlainText(u"új súgó"_s);
    tool("spbMent")->click();
    EXPECT_EQ(saveDialogs->saved.size(), 1);
    EXPECT_TRUE(frameDialogs->saved.isEmpty());
    QTextDocument reread;
    ASSERT_TRUE(documentio::loadDocument(other, reread));
    EXPECT_EQ(reread.toPlainText().trimmed(), u"új súgó"_s);
}

struct OpenCase {
    const char *name;
    QString fileName;
    QString caption;
};

class OpenIntoHelp : public HelpPageTest, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpenIntoHelp, CaptionComesFromTheFileNamePart)
{
    const QString path = elsewhere.filePath(GetParam().fileName);
    ASSERT_TRUE(QFile::copy(stock(), path));
    page->ToggleHelpEditMode();
    frameDialogs->openAnswers = {path};
    tool("spbMegnyit")->click();
    EXPECT_EQ(state.HelpDocName, path);
    EXPECT_EQ(page->caption(), GetParam().caption);
    EXPECT_FALSE(tool("spbMegsem")->isEnabled());
    EXPECT_FALSE(tool("spbMegis")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Files, OpenIntoHelp,
                         ::testing::Values(OpenCase{"StockNameInAnotherFolder",
                                                    u"Súgó (eredeti).rtf"_s, u"Súgó (Eredeti)"_s},
                                           OpenCase{"OtherName", u"jegyzet.rtf"_s,
                                                    u"Súgó (Módosított)"_s},
                                           OpenCase{"StockNameInOtherCase", u"súgó (eredeti).rtf"_s,
                                                    u"Súgó (Módosított)"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(HelpPageTest, SaveAsMarksTheHelpModified)
{
    page->ToggleHelpEditMode();
    frameDialogs->saveAnswers = {elsewhere.filePath(u"Súgó (eredeti).rtf"_s)};
    tool("spbMentMask")->click();
    EXPECT_EQ(page->caption(), u"Súgó (Módosított)"_s);
}

struct StockNameCase {
    const char *name;
    QString typed; // in the program directory
};

class SaveAsOverStock : public HelpPageTest, public ::testing::WithParamInterface<StockNameCase> {};

TEST_P(SaveAsOverStock, IsRefusedAndTheDialogComesBack)
{
    page->ToggleHelpEditMode();
    pane()->setPlainText(u"átírt súgó"_s);
    const QByteArray before = bytesOf(stock());
    const QString typed = program.filePath(GetParam().typed);
    const QString other = elsewhere.filePath(u"más.rtf"_s);
    frameDialogs->saveAnswers = {typed, other};
    ModalScript script({u"bbtnOk"_s});

    tool("spbMentMask")->click();

    EXPECT_EQ(script.messages, QStringList{kRefusal});
    ASSERT_EQ(frameDialogs->saved.size(), 2);
    EXPECT_EQ(frameDialogs->saved[1], program.path() + u'|' + GetParam().typed);
    EXPECT_EQ(bytesOf(stock()), before);
    EXPECT_EQ(state.HelpDocName, other);
    EXPECT_TRUE(QFile::exists(other));
}

INSTANTIATE_TEST_SUITE_P(Names, SaveAsOverStock,
                         ::testing::Values(StockNameCase{"Exact", u"Súgó (eredeti).rtf"_s},
                                           StockNameCase{"ExtensionAddedOnSave",
                                                         u"Súgó (eredeti)"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

// The stock help opened on the translator tab's toolbar is protected as
// on the help tab: every save there asks for another name.
struct TextPaneSaveCase {
    const char *name;
    const char *button;
    QStringList answers;  // of the question dialogs, in order
    QStringList messages; // they show
    bool renamed;         // the text pane's document takes the new name
};

void PrintTo(const TextPaneSaveCase &c, std::ostream *os)
{
    *os << c.name;
}

class StockHelpInTheTextPane : public HelpPageTest,
                               public ::testing::WithParamInterface<TextPaneSaveCase> {};

TEST_P(StockHelpInTheTextPane, IsSavedUnderAnotherNameOnly)
{
    const TextPaneSaveCase &c = GetParam();
    QTextEdit reSzov;
    QString textDocName = elsewhere.filePath(u"szöveg.rtf"_s);
    bool textDocHasFile = false;
    struct Unbind {
        EditorHosts &hosts;
        ~Unbind() { hosts.binding = HostBinding{}; }
    } unbind{hosts};
    textFrame->setHosts(&hosts);
    hosts.binding = HostBinding{&reSzov, 1, &textDocName, &textDocHasFile, {}, {}};
    saveDialogs->openAnswers = {stock()};
    textFrame->button("spbMegnyit")->click();
    ASSERT_EQ(textDocName, stock());
    reSzov.moveCursor(QTextCursor::End);
    QTest::keyClicks(&reSzov, u" kiegeszites"_s);
    ASSERT_TRUE(reSzov.document()->isModified());
    const QByteArray before = bytesOf(stock());
    const QString other = program.filePath(u"saját súgó.rtf"_s);
    saveDialogs->saveAnswers = {stock(), other};
    ModalScript script(c.answers);

    textFrame->button(c.button)->click();

    EXPECT_EQ(script.messages, c.messages);
    EXPECT_EQ(saveDialogs->saved, (QStringList{program.path() + u"|Súgó (módosított).rtf"_s,
                                               program.path() + u"|Súgó (eredeti).rtf"_s}));
    EXPECT_EQ(bytesOf(stock()), before);
    QTextDocument written;
    ASSERT_TRUE(documentio::loadDocument(other, written));
    EXPECT_TRUE(written.toPlainText().contains(u" kiegeszites"_s));
    if (c.renamed) {
        EXPECT_EQ(textDocName, other);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, StockHelpInTheTextPane,
    ::testing::Values(TextPaneSaveCase{"Save", "spbMent", {u"bbtnOk"_s}, {kRefusal}, true},
                      TextPaneSaveCase{"SaveAs", "spbMentMask", {u"bbtnOk"_s}, {kRefusal}, true},
                      TextPaneSaveCase{
                          "SaveChangesBeforeNew",
                          "spbUj",
                          {u"bbtnOk"_s, u"bbtnOk"_s},
                          {u"A Súgó (eredeti).rtf tartalma megváltozott.\nMented a változásokat?"_s,
                           kRefusal},
                          false}),
    [](const auto &info) { return std::string(info.param.name); });

// WCAG contrast ratio of two colours.
double contrast(const QColor &a, const QColor &b)
{
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a) + 0.05;
    const double lb = luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

TEST_F(HelpPageTest, EditSwitchCaptionIsLegibleOnTheNavyBar)
{
    const QColor bar = page->findChild<QWidget *>(u"pnlSugo"_s)->palette().color(QPalette::Window);
    EXPECT_EQ(bar, QColor(0, 0, 0x80));
    for (int press = 0; press < 2; ++press) {
        const QColor text = editSwitch()->palette().color(QPalette::Active, QPalette::ButtonText);
        EXPECT_GE(contrast(text, bar), 4.5) << editSwitch()->text().toStdString();
        QTest::mousePress(editSwitch(), Qt::LeftButton);
    }
}

TEST_F(HelpPageTest, FirstRowClickTellsWhetherItSizesItselfThenMakesItSo)
{
    QWidget *row = page->frame()->pnlSzokas();
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});
    row->resize(row->width() + 40, row->height());
    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseClick(row, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(script.messages, (QStringList{u"pnlSzokas 2   NEM auto"_s, u"pnlSzokas 2   Auto"_s}));
}

TEST_F(HelpPageTest, FocusEnteringTheBottomBarDisarmsTheFormatPainter)
{
    page->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(page.get()));
    pane()->setFocus();
    hosts.painter.FormatPainterArmed = true;
    page->findChild<QPushButton *>(u"SPBNevjegy"_s)->setFocus();
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
}

TEST_F(HelpPageTest, AboutButtonShowsTheAboutBoxModally)
{
    TfrmNevjegy about;
    QString seen;
    ModalAnswerer answer([&seen](QWidget &dialog) {
        seen = dialog.objectName();
        QTest::mouseClick(dialog.findChild<QPushButton *>(u"BitBtn1"_s), Qt::LeftButton);
    });
    QTest::mouseClick(page->findChild<QPushButton *>(u"SPBNevjegy"_s), Qt::LeftButton);
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(seen, u"frmNevjegy"_s);
    EXPECT_FALSE(about.isVisible());
}

} // namespace

namespace {

// The shipped help keeps up with the program: a heading for every tab and
// the shortcuts and the command-line tool named.
TEST(StockHelpDocument, DescribesEveryTabTheShortcutsAndTheCommandLine)
{
    QTextDocument doc;
    ASSERT_TRUE(documentio::loadDocument(
        QStringLiteral(VELKOR_DOCUMENTS_DIR) + u"/"_s + HelpPage::StockHelpName(), doc));
    QStringList headings;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        const QTextCursor cursor(block);
        if (cursor.charFormat().fontWeight() >= QFont::Bold)
            headings << block.text().trimmed();
    }
    for (const QString &tab :
         {u"Fordító fül"_s, u"Szótár fül"_s, u"Nyelv váltás fül"_s, u"Karbantartás fül"_s,
          u"Súgó fül"_s, u"Billentyűk"_s, u"Parancssor"_s})
        EXPECT_TRUE(headings.contains(tab)) << tab.toStdString();
    const QString text = doc.toPlainText();
    for (const QString &named :
         {u"F3"_s, u"F4"_s, u"Ctrl+F10"_s, u"Ctrl+Alt+F7"_s, u"Ctrl+Shift+F7"_s, u"szotar lookup"_s,
          u"szotar convert-dictd"_s, u"szotar info"_s, u"Nincs ilyen szó a szótárban..."_s})
        EXPECT_TRUE(text.contains(named)) << named.toStdString();
}

} // namespace

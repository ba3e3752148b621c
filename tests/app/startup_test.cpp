// Start-up: the defaults of a first start, a settings file of the Windows
// program, the command line and missing documents.
#include "mainwindow_fixture.h"

#include "dialogs/frmkonyvtbeker.h"
#include "dialogs/frmsorbeker.h"
#include "help/helppage.h"

#include "support/modal_script.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QTabWidget>
#include <QTextEdit>
#include <QWidget>

#include <ostream>

using namespace Qt::StringLiterals;

namespace {

using StartupTest = MainWindowTest;

// A file dialog starts reading its folder (the one Qt remembers from the
// last run) as soon as it exists; one made at start-up froze every start
// once that folder held a file whose read blocks.
TEST_F(StartupTest, StartUpMakesNoFileDialog)
{
    start();
    TfrmSorBeker frmSorBeker(window.get());
    TfrmKonyvtBeker frmKonyvtBeker(window.get());
    QCoreApplication::processEvents();
    EXPECT_TRUE(window->findChildren<QFileDialog *>().isEmpty());
}

TEST_F(StartupTest, FirstStartWithoutSettingsUsesTheDefaults)
{
    start();
    const AppState &state = window->state();
    EXPECT_EQ(window->placement().NormalBounds, QRect(100, 100, 500, 300));
    EXPECT_FALSE(window->placement().WindowMaximized);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(QDir::cleanPath(state.DictionaryFile),
              QDir::cleanPath(program.filePath(u"Angol_Magyar.DB"_s)));
    EXPECT_TRUE(child<QCheckBox>(u"chbFord"_s)->isChecked());
    EXPECT_TRUE(child<QCheckBox>(u"chbJobb"_s)->isChecked());
    EXPECT_EQ(state.TextDocName, state.ProgramDir + TfrmSzotarQIV::SampleDocumentName());
    EXPECT_TRUE(textPane()->toPlainText().contains(u"lighthouse"_s));
    EXPECT_EQ(textPane()->textCursor().selectedText().size(), 20);
    EXPECT_EQ(window->windowTitle(), u"Velkor szótár és fordító: Olvasmány (angol).rtf"_s);
    EXPECT_EQ(tabs()->tabText(4), u"Súgó (Eredeti)"_s);
    EXPECT_TRUE(helpPane()->isReadOnly());
    EXPECT_EQ(tabs()->tabText(0), u"Fordítás: Angol --> Magyar"_s);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(StartupTest, ReadsASettingsFileOfTheWindowsProgram)
{
    // CR LF lines, Windows-1250 bytes, paths with drive letters.
    writeIni("[FoAblak]\r\nBal=10\r\nTeto=20\r\nSzel=640\r\nMag=480\r\nMax=1\r\nAktFul=1\r\n"
             "[SzovFormazPanel]\r\nFordit=0\r\nJobbGomb=1\r\n"
             "[Dok]\r\nDokNev=C:\\Nincs ilyen\\sz\xf6veg.rtf\r\nAktPoz=5\r\n");
    start();
    const AppState &state = window->state();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(window->placement().WindowMaximized);
    EXPECT_EQ(window->placement().NormalBounds, QRect(10, 20, 640, 480));
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_FALSE(child<QCheckBox>(u"chbFord"_s)->isChecked());
    // The remembered document is gone: the sample story takes its place.
    EXPECT_EQ(state.TextDocName, state.ProgramDir + TfrmSzotarQIV::SampleDocumentName());
    EXPECT_EQ(textPane()->textCursor().selectionStart(), 5);
}

struct ArgumentCase {
    const char *name;
    QStringList arguments;
    bool shown;
};

// The case's name in ctest output instead of its bytes.
void PrintTo(const ArgumentCase &c, std::ostream *os)
{
    *os << c.name;
}

class ZomviTest : public MainWindowTest, public ::testing::WithParamInterface<ArgumentCase> {};

TEST_P(ZomviTest, OnlyTheExactFirstArgumentShowsTheHiddenPanels)
{
    start(GetParam().arguments);
    EXPECT_EQ(!child<QWidget>(u"pnlKarb"_s)->isHidden(), GetParam().shown);
    EXPECT_EQ(!child<QWidget>(u"pnlKarb2"_s)->isHidden(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ZomviTest,
    ::testing::Values(ArgumentCase{"Zomvi", {u"Zomvi"_s}, true},
                      ArgumentCase{"ZomviThenMore", {u"Zomvi"_s, u"x"_s}, true},
                      ArgumentCase{"LowerCase", {u"zomvi"_s}, false},
                      ArgumentCase{"UpperCase", {u"ZOMVI"_s}, false},
                      ArgumentCase{"SecondArgument", {u"x"_s, u"Zomvi"_s}, false},
                      ArgumentCase{"None", {}, false}),
    [](const ::testing::TestParamInfo<ArgumentCase> &info) { return info.param.name; });

TEST_F(StartupTest, WithoutAnyTextDocumentThePaneStartsAsANewDocument)
{
    QFile::remove(program.filePath(TfrmSzotarQIV::SampleDocumentName()));
    start();
    EXPECT_TRUE(textPane()->document()->isEmpty());
    EXPECT_FALSE(window->state().TextDocHasFile);
    // The window's own count of new documents: the first one of this window.
    EXPECT_EQ(window->editorHosts().newDocCounter, 1);
    EXPECT_EQ(QFileInfo(window->state().TextDocName).fileName(), u"Dokumentum1"_s);
    EXPECT_FALSE(textPane()->document()->isModified());
}

TEST_F(StartupTest, EachWindowBindsItsOwnEditorFrames)
{
    start();
    TfrmSzotarQIV other({}, program.filePath(u"velkor-szotar"_s));
    other.findChild<HelpPage *>(u"tsSugo"_s)->BindHelpPage();
    EXPECT_EQ(window->editorHosts().binding.ActiveEditor, textPane());
    EXPECT_EQ(other.editorHosts().binding.ActiveEditor, other.findChild<QTextEdit *>(u"reSugo"_s));
    EXPECT_EQ(other.editorHosts().newDocCounter, 0);
}

TEST_F(StartupTest, AMissingPrimingFileLeavesBothPanesEmptyWithoutAMessage)
{
    QFile::remove(program.filePath(TfrmSzotarQIV::PrimingFileName()));
    ModalScript script;
    start();
    EXPECT_TRUE(textPane()->document()->isEmpty());
    EXPECT_TRUE(helpPane()->document()->isEmpty());
    EXPECT_FALSE(textPane()->document()->isModified());
    EXPECT_TRUE(script.messages.isEmpty());
}

} // namespace

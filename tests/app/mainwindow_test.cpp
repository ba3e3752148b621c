#include "app/frmszotarqiv.h"
#include "app/windowbounds.h"
#include "dialogs/frmvalasz.h"
#include "store/dm1.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// A program directory of its own, with the shipped documents and a small
// dictionary, and a home directory without the default dictionary folder.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && program.isValid());
        qputenv("HOME", home.path().toUtf8());
        const QDir docs(QStringLiteral(VELKOR_DOCUMENTS_DIR));
        for (const QString &name : docs.entryList({u"*.rtf"_s}, QDir::Files))
            QFile::copy(docs.filePath(name), program.filePath(name));
        makeDictionary(u"Angol_Magyar.DB"_s, u"Angol"_s, u"Magyar"_s);
    }

    void makeDictionary(const QString &file, const QString &first, const QString &second)
    {
        store::Session session;
        store::Table table(session);
        table.setDatabaseName(program.path());
        table.setTableName(file);
        table.createTable(
            {{u"Azon"_s, store::FieldType::Integer, 0, true},
             {first, store::FieldType::String, 50, false},
             {second, store::FieldType::String, 50, false}},
            {{u"i"_s + first, first, false, true}, {u"i"_s + second, second, false, true}});
        table.addField(first);
        table.addField(second);
        table.open();
        table.append();
        table.fields()[0]->setAsString(u"house"_s);
        table.fields()[1]->setAsString(u"ház"_s);
        table.post();
    }

    // Creates the windows as the entry does and shows the main window.
    void start(const QStringList &arguments = {})
    {
        window = std::make_unique<TfrmSzotarQIV>(arguments, program.filePath(u"velkor-szotar"_s));
        dialog = std::make_unique<TfrmValasz>(window.get());
        dm = std::make_unique<TDM1>();
        window->setDataModule(dm.get());
        window->setDictionaryFileChooser(
            [](const QString &, const QString &) { return QString(); });
        window->show();
    }

    void stop()
    {
        if (window && window->isVisible())
            window->close();
        // The pages work on the data module until they are gone.
        dialog.reset();
        window.reset();
        dm.reset();
    }

    void TearDown() override { stop(); }

    QString iniPath() const { return program.filePath(u"velkor-szotar.ini"_s); }

    void writeIni(const QByteArray &bytes) const
    {
        QFile file(iniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir home;
    QTemporaryDir program;
    std::unique_ptr<TfrmSzotarQIV> window;
    std::unique_ptr<TfrmValasz> dialog;
    std::unique_ptr<TDM1> dm;
};

TEST_F(MainWindowTest, FirstStartWithoutSettingsUsesTheDefaults)
{
    start();
    const AppState &state = window->state();
    EXPECT_EQ(state.NormalBounds, QRect(100, 100, 500, 300));
    EXPECT_FALSE(state.WindowMaximized);
    EXPECT_EQ(window->pcFo->currentIndex(), 0);
    EXPECT_EQ(QDir::cleanPath(state.DictionaryFile),
              QDir::cleanPath(program.filePath(u"Angol_Magyar.DB"_s)));
    EXPECT_TRUE(window->chbFord->isChecked());
    EXPECT_TRUE(window->chbJobb->isChecked());
    EXPECT_EQ(state.TextDocName, state.ProgramDir + TfrmSzotarQIV::SampleDocumentName());
    EXPECT_TRUE(window->reSzov->toPlainText().contains(u"lighthouse"_s));
    EXPECT_EQ(window->reSzov->textCursor().selectedText().size(), 20);
    EXPECT_EQ(window->windowTitle(), u"Velkor szótár és fordító: Olvasmány (angol).rtf"_s);
    EXPECT_EQ(window->pcFo->tabText(4), u"Súgó (Eredeti)"_s);
    EXPECT_TRUE(window->reSugo->isReadOnly());
    EXPECT_EQ(window->pcFo->tabText(0), u"Fordítás: Angol --> Magyar"_s);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(MainWindowTest, ReadsASettingsFileOfTheWindowsProgram)
{
    // CR LF lines, Windows-1250 bytes, paths with drive letters.
    writeIni("[FoAblak]\r\nBal=10\r\nTeto=20\r\nSzel=640\r\nMag=480\r\nMax=1\r\nAktFul=1\r\n"
             "[SzovFormazPanel]\r\nFordit=0\r\nJobbGomb=1\r\n"
             "[Dok]\r\nDokNev=C:\\Nincs ilyen\\sz\xf6veg.rtf\r\nAktPoz=5\r\n");
    start();
    const AppState &state = window->state();
    EXPECT_TRUE(window->isMaximized());
    EXPECT_TRUE(state.WindowMaximized);
    EXPECT_EQ(state.NormalBounds, QRect(10, 20, 640, 480));
    EXPECT_EQ(window->pcFo->currentIndex(), 1);
    EXPECT_FALSE(window->chbFord->isChecked());
    // The remembered document is gone: the sample story takes its place.
    EXPECT_EQ(state.TextDocName, state.ProgramDir + TfrmSzotarQIV::SampleDocumentName());
    EXPECT_EQ(window->reSzov->textCursor().selectionStart(), 5);
}

TEST_F(MainWindowTest, MaximizedCloseKeepsTheNormalBounds)
{
    start();
    window->move(30, 40);
    window->resize(600, 400);
    QTest::qWait(60);
    window->showMaximized();
    QTest::qWait(60);
    stop();
    start();
    EXPECT_TRUE(window->state().WindowMaximized);
    EXPECT_EQ(window->state().NormalBounds, QRect(30, 40, 600, 400));
    window->showNormal();
    QTest::qWait(60);
    EXPECT_EQ(window->size(), QSize(600, 400));
}

TEST_F(MainWindowTest, ClosePromptsRunInOrder)
{
    start();
    window->reSzov->insertPlainText(u"x"_s);
    window->reSugo->document()->setModified(true);
    {
        ModalScript script({u"bbtnMegsem"_s}); // Mégsem on the text question
        EXPECT_FALSE(window->close());
        EXPECT_EQ(script.messages,
                  QStringList{u"A szöveg tartalma megváltozott.\nMented a változásokat?"_s});
    }
    EXPECT_TRUE(window->isVisible());
    {
        ModalScript script({u"bbtnNem"_s, u"bbtnNem"_s});
        EXPECT_TRUE(window->close());
        ASSERT_EQ(script.messages.size(), 2);
        EXPECT_EQ(script.messages[1], u"A súgó szövege megváltozott.\nMented a változásokat?"_s);
    }
}

TEST_F(MainWindowTest, UnchangedDocumentsCloseWithoutQuestions)
{
    start();
    ModalScript script;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_TRUE(QFile::exists(iniPath()));
}

TEST_F(MainWindowTest, MaintenanceShortcutsWorkOnlyOnTheMaintenanceTab)
{
    start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window.get(), key, modifiers);
    };
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_TRUE(window->pnlKarb->isHidden()); // translator tab
    window->pcFo->setCurrentWidget(window->tsKarb);
    press(Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(window->pnlKarb2->isHidden()); // pnlKarb still hidden
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_FALSE(window->pnlKarb->isHidden());
    press(Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(window->pnlKarb2->isHidden());
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_TRUE(window->pnlKarb->isHidden());
}

struct ArgumentCase {
    QStringList arguments;
    bool shown;
};

void PrintTo(const ArgumentCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.arguments.join(u' '), c.shown);
}

class ZomviTest : public MainWindowTest, public ::testing::WithParamInterface<ArgumentCase> {};

TEST_P(ZomviTest, OnlyTheExactFirstArgumentShowsTheHiddenPanels)
{
    start(GetParam().arguments);
    EXPECT_EQ(!window->pnlKarb->isHidden(), GetParam().shown);
    EXPECT_EQ(!window->pnlKarb2->isHidden(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, ZomviTest,
    ::testing::Values(ArgumentCase{{u"Zomvi"_s}, true}, ArgumentCase{{u"Zomvi"_s, u"x"_s}, true},
                      ArgumentCase{{u"zomvi"_s}, false}, ArgumentCase{{u"ZOMVI"_s}, false},
                      ArgumentCase{{u"x"_s, u"Zomvi"_s}, false}, ArgumentCase{{}, false}),
    [](const auto &info) {
        return velkor_test::exactCaseName(info.param.arguments.isEmpty()
                                              ? QStringLiteral("None")
                                              : info.param.arguments.join(u'_'));
    });

TEST_F(MainWindowTest, RestoreDefaultsDeletesTheSettingsAndTheNextStartIsAFirstStart)
{
    writeIni("[FoAblak]\r\nBal=10\r\nTeto=20\r\nSzel=640\r\nMag=480\r\nAktFul=2\r\n");
    start();
    {
        ModalScript script({u"bbtnOk"_s});
        window->bbtnAlapBeall->click();
        EXPECT_EQ(
            script.messages,
            QStringList{
                u"A program most leáll.\nA következő futtatáskor alapbeállításokkal indul."_s});
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(iniPath()));
    stop();
    start();
    EXPECT_EQ(window->state().NormalBounds, QRect(100, 100, 500, 300));
    EXPECT_EQ(window->pcFo->currentIndex(), 0);
}

struct BoundsCase {
    QRect stored;
    bool kept;
};

void PrintTo(const BoundsCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.stored.x(), c.stored.y(), c.stored.width(), c.stored.height(),
                                 c.kept);
}

class ReachableBoundsTest : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(ReachableBoundsTest, KeepsBoundsThatAScreenShows)
{
    const QList<QRect> screens{QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    const QRect fallback(100, 100, 500, 300);
    const QRect result = ReachableBounds(GetParam().stored, screens, fallback);
    EXPECT_EQ(result, GetParam().kept ? GetParam().stored : fallback);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReachableBoundsTest,
    ::testing::Values(BoundsCase{QRect(10, 20, 640, 480), true},
                      BoundsCase{QRect(2000, 100, 800, 600), true},  // second screen
                      BoundsCase{QRect(3300, 100, 800, 600), false}, // a removed screen
                      BoundsCase{QRect(-700, 100, 800, 600), true},  // caption partly visible
                      BoundsCase{QRect(100, -500, 800, 600), false}, // caption above every screen
                      BoundsCase{QRect(100, 100, 0, 300), false}),
    [](const auto &info) {
        return velkor_test::caseName("At", info.param.stored.x(), info.param.stored.y(), "Size",
                                     info.param.stored.width(), info.param.stored.height());
    });

} // namespace

namespace {

class OpeningTest : public MainWindowTest {};

TEST_F(OpeningTest, ADeletedRememberedDictionaryFallsBackToTheFirstListed)
{
    writeIni("[Szotar]\r\nNev=" + program.filePath(u"Nemet_Magyar.DB"_s).toUtf8() + "\r\n");
    ModalScript script({u"bbtnOk"_s});
    start();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A Nemet_Magyar.DB szótárt nem sikerült megnyitni, másik szótárra váltok"_s});
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(window->lbNyelvek->currentItem()->text(), u"Angol_Magyar"_s);
}

TEST_F(OpeningTest, AnEmptyDirectoryAsksAtOnceAndACancelLeavesNoDictionary)
{
    QFile::remove(program.filePath(u"Angol_Magyar.DB"_s));
    ModalScript script({u"bbtnOk"_s});
    start();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(
        script.messages[0].endsWith(u"nem nyitható meg\nAdj meg egy másik adatbázis-fájlt"_s));
    EXPECT_FALSE(dm->tblSzotarP.isOpen());
    EXPECT_TRUE(window->rbAM->isHidden());
    EXPECT_TRUE(window->rbMA->isHidden());
    EXPECT_EQ(window->pcFo->tabText(0), u"Fordító"_s);
}

TEST_F(OpeningTest, ARebuildMarkerRebuildsTheIndexesOnce)
{
    QFile marker(program.filePath(u"Angol_Magyar.nip"_s));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    ModalScript script({u"bbtnOk"_s}); // "Indexelés kész"
    start();
    EXPECT_EQ(script.messages, QStringList{u"Indexelés kész"_s});
    EXPECT_FALSE(QFile::exists(program.filePath(u"Angol_Magyar.nip"_s)));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.indexFieldNames(), u"Angol"_s);
    EXPECT_TRUE(dm->tblSzotarP.indexNames().contains(u"iMagyar"_s));
}

TEST_F(OpeningTest, ANameDifferingInLetterCaseSelectsTheListEntry)
{
    writeIni("[Szotar]\r\nNev=" + program.filePath(u"angol_magyar.db"_s).toUtf8() + "\r\n");
    start();
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(window->lbNyelvek->currentItem()->text(), u"Angol_Magyar"_s);
}

TEST_F(OpeningTest, TheChosenDirectionIsUsedAndRemembered)
{
    start();
    window->pcFo->setCurrentWidget(window->tsNyelvValt);
    window->rbMA->click();
    window->pcFo->setCurrentWidget(window->tsBongesz);
    EXPECT_EQ(window->pcFo->tabText(0), u"Fordítás: Magyar --> Angol"_s);
    EXPECT_EQ(window->state().ToColumnIndex, 0);
    EXPECT_EQ(dm->tblSzotarPAngol->fieldName(), u"Magyar"_s);
    stop();
    start();
    EXPECT_EQ(window->pcFo->tabText(0), u"Fordítás: Magyar --> Angol"_s);
    EXPECT_TRUE(window->rbMA->isChecked());
}

TEST_F(OpeningTest, DroppedIndexesAreRebuiltAtTheNextOpen)
{
    start();
    {
        ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s}); // Igen, then "Indexek törölve"
        window->bbtnIndTorl->click();
        EXPECT_EQ(script.messages.value(1), u"Indexek törölve"_s);
    }
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_FALSE(QFile::exists(program.filePath(u"Angol_Magyar.nip"_s)));
    ModalScript script({u"bbtnOk"_s}); // "Indexelés kész"
    window->pcFo->setCurrentWidget(window->tsNyelvValt);
    window->pcFo->setCurrentWidget(window->tsBongesz);
    EXPECT_EQ(script.messages, QStringList{u"Indexelés kész"_s});
    EXPECT_TRUE(dm->tblSzotarP.indexNames().contains(u"iAngol"_s));
}

} // namespace

#include "translator/translationpopup.h"

#include <QTextCursor>

namespace {

class TextPaneTest : public MainWindowTest {
protected:
    // Releases the mouse button over the middle of the given word of the pane.
    void releaseOn(const QString &word, Qt::MouseButton button)
    {
        QTextEdit &pane = *window->reSzov;
        const int at = int(pane.toPlainText().indexOf(word));
        ASSERT_GE(at, 0);
        QTextCursor cursor(pane.document());
        cursor.setPosition(at + int(word.size()) / 2);
        const QPoint point = pane.cursorRect(cursor).center();
        QTest::mouseClick(pane.viewport(), button, Qt::NoModifier, point);
    }

    bool popupShows(const QString &translation)
    {
        translator::TranslationPopup *popup = window->popup();
        if (!popup || !popup->isPopupShown())
            return false;
        const auto &list = popup->ResultLists()[0];
        for (int i = 0; i < list.Count; ++i) {
            if (list.Items[std::size_t(i)] == translation)
                return true;
        }
        return false;
    }
};

struct ClickCase {
    bool rightButtonSetting;
    bool translate;
    Qt::MouseButton button;
    bool looksUp;
};

void PrintTo(const ClickCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.rightButtonSetting, c.translate, int(c.button), c.looksUp);
}

class TextPaneClickTest : public TextPaneTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(TextPaneClickTest, AReleaseOnAWordShowsItsTranslations)
{
    start();
    window->reSzov->setPlainText(u"The old house stood by the sea."_s);
    window->chbJobb->setChecked(GetParam().rightButtonSetting);
    window->chbFord->setChecked(GetParam().translate);
    releaseOn(u"house"_s, GetParam().button);
    EXPECT_EQ(popupShows(u"ház"_s), GetParam().looksUp);
    if (GetParam().looksUp) {
        EXPECT_EQ(window->popup()->popupWord(), u"house"_s);
        EXPECT_EQ(window->reSzov->textCursor().selectedText(), u"house"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, TextPaneClickTest,
                         ::testing::Values(ClickCase{false, true, Qt::LeftButton, true},
                                           ClickCase{false, true, Qt::RightButton, false},
                                           ClickCase{true, true, Qt::RightButton, true},
                                           ClickCase{true, true, Qt::LeftButton, false},
                                           ClickCase{false, false, Qt::LeftButton, false}),
                         [](const auto &info) {
                             return velkor_test::caseName(
                                 info.param.rightButtonSetting ? "RightSetting" : "LeftSetting",
                                 info.param.translate ? "Translate" : "NoTranslate",
                                 info.param.button == Qt::LeftButton ? "LeftClick" : "RightClick");
                         });

TEST_F(TextPaneTest, TheShippedStoryOpensAndItsWordsAreLookedUp)
{
    start();
    window->chbJobb->setChecked(false);
    ASSERT_TRUE(window->reSzov->toPlainText().contains(u"house"_s) ||
                window->reSzov->toPlainText().contains(u"lighthouse"_s));
    window->reSzov->setPlainText(window->reSzov->toPlainText() + u" house"_s);
    releaseOn(u" house"_s.mid(1), Qt::LeftButton);
    EXPECT_TRUE(window->popup()->isPopupShown());
    // A press anywhere hides the popup again.
    QTest::mousePress(window->reSzov->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window->popup()->isPopupShown());
    QTest::mouseRelease(window->reSzov->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

} // namespace

#include <QLineEdit>

namespace {

TEST_F(MainWindowTest, EscEmptiesTheSearchBoxOnEveryTab)
{
    start();
    auto *search = window->findChild<QLineEdit *>(u"edtKeres"_s);
    ASSERT_NE(search, nullptr);
    for (int page = 0; page < window->pcFo->count(); ++page) {
        window->pcFo->setCurrentIndex(page);
        search->setText(u"hou"_s);
        QWidget *target = window->pcFo->currentWidget();
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target,
                        Qt::Key_Escape);
        EXPECT_TRUE(search->text().isEmpty()) << "page " << page;
    }
}

} // namespace

#include "editor/formatpainter.h"

namespace {

TEST_F(TextPaneTest, AnArmedFormatPainterTakesTheReleaseInsteadOfTheLookup)
{
    start();
    window->chbJobb->setChecked(false);
    window->reSzov->setPlainText(u"The old house stood by the sea."_s);
    FormatPainter().FormatPainterArmed = true;
    releaseOn(u"house"_s, Qt::LeftButton);
    EXPECT_FALSE(window->popup()->isPopupShown());
    EXPECT_FALSE(FormatPainter().FormatPainterArmed); // applied once, then disarmed
    releaseOn(u"house"_s, Qt::LeftButton);
    EXPECT_TRUE(window->popup()->isPopupShown());
}

} // namespace

#include <QCryptographicHash>

#include "editor/hostbinding.h"

namespace {

TEST_F(MainWindowTest, WithoutAnyTextDocumentThePaneStartsAsANewDocument)
{
    QFile::remove(program.filePath(TfrmSzotarQIV::SampleDocumentName()));
    const int before = NewDocCounter();
    start();
    EXPECT_TRUE(window->reSzov->document()->isEmpty());
    EXPECT_FALSE(window->state().TextDocHasFile);
    EXPECT_EQ(QFileInfo(window->state().TextDocName).fileName(),
              u"Dokumentum"_s + QString::number(before + 1));
    EXPECT_FALSE(window->reSzov->document()->isModified());
}

TEST_F(MainWindowTest, AMissingPrimingFileLeavesBothPanesEmptyWithoutAMessage)
{
    QFile::remove(program.filePath(TfrmSzotarQIV::PrimingFileName()));
    ModalScript script;
    start();
    EXPECT_TRUE(window->reSzov->document()->isEmpty());
    EXPECT_TRUE(window->reSugo->document()->isEmpty());
    EXPECT_FALSE(window->reSzov->document()->isModified());
    EXPECT_TRUE(script.messages.isEmpty());
}

TEST_F(OpeningTest, AFileThatIsNoDictionaryIsReplacedAndLeftUnchanged)
{
    const QString broken = program.filePath(u"Nemet_Magyar.DB"_s);
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, '\x5a'));
    }
    auto digest = [&] {
        QFile file(broken);
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();
    writeIni("[Szotar]\r\nNev=" + broken.toUtf8() + "\r\n");
    ModalScript script({u"bbtnOk"_s});
    start();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A Nemet_Magyar.DB szótárt nem sikerült megnyitni, másik szótárra váltok"_s});
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.tableName(), u"Angol_Magyar.DB"_s);
    EXPECT_EQ(digest(), before);
}

} // namespace

#include "editor/filedialogs.h"
#include "editor/fraREEszkTar.h"

#include <deque>

namespace {

// The text frame's save dialog, answered from a list; records how it was prepared.
class AnsweredSaveDialog final : public FileDialogs {
public:
    std::optional<QString> chooseOpen(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<SaveChoice> chooseSave(const QString &directory, const QString &name) override
    {
        asked.push_back(directory + u'|' + name);
        if (answers.empty())
            return std::nullopt;
        SaveChoice choice{answers.front(), 1};
        answers.pop_front();
        return choice;
    }
    std::deque<QString> answers;
    QStringList asked;
};

TEST_F(MainWindowTest, TheStockHelpIsNeverOverwritten)
{
    start();
    const QString stock = program.filePath(TfrmSzotarQIV::StockHelpName());
    const QString modified = program.filePath(u"Súgó (módosított).rtf"_s);
    ASSERT_EQ(window->state().HelpDocName, stock);
    auto dialogs = std::make_unique<AnsweredSaveDialog>();
    AnsweredSaveDialog &answered = *dialogs;
    answered.answers = {stock, modified};
    window->fraREEszkTarSzov->setFileDialogs(std::move(dialogs));
    const QByteArray before = [&] {
        QFile file(stock);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    ModalScript script({u"bbtnOk"_s});
    window->SaveHelpDocument();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A módosított súgófájl nem menthető ezen a néven.\nAdj meg más nevet"_s});
    ASSERT_EQ(answered.asked.size(), 2);
    EXPECT_EQ(answered.asked[0], program.path() + u"|Súgó (módosított).rtf"_s);
    EXPECT_EQ(window->state().HelpDocName, modified);
    EXPECT_TRUE(QFile::exists(modified));
    QFile file(stock);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

} // namespace

// The clean-up, German import and undo buttons of the maintenance panels,
// and the panels' layout.
#include "mainwindow_fixture.h"

#include "store/dictionary_backup.h"
#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/dictionary_files.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace {

// --- Layout

struct Placement {
    const char *name;
    const char *panel;
    QRect geometry;
    QString caption;
};

void PrintTo(const Placement &p, std::ostream *os)
{
    *os << p.name;
}

class PanelLayoutTest : public MainWindowTest, public ::testing::WithParamInterface<Placement> {};

TEST_P(PanelLayoutTest, EveryControlSitsAtItsPlaceWithItsCaption)
{
    start({u"Zomvi"_s});
    const Placement &p = GetParam();
    const QString name = QString::fromLatin1(p.name);
    QWidget *widget = child<QWidget>(name);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget()->objectName(), QString::fromLatin1(p.panel));
    EXPECT_EQ(widget->geometry(), p.geometry);
    if (auto *button = qobject_cast<QPushButton *>(widget)) {
        EXPECT_EQ(button->text(), p.caption);
    } else if (auto *label = qobject_cast<QLabel *>(widget)) {
        EXPECT_EQ(label->text(), p.caption);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, PanelLayoutTest,
    ::testing::Values(
        Placement{"bbtnUjTabla", "pnlKarb", {8, 16, 241, 25}, u"Új (üres) adatbázis létrehozása"_s},
        Placement{"bbtnIndTorl", "pnlKarb", {8, 112, 241, 25}, u"Indexek törlése"_s},
        Placement{"bbtnUjraInd", "pnlKarb", {8, 144, 241, 25}, u"(Újra)indexelés"_s},
        Placement{"bbtnMasDBKonyvtar",
                  "pnlKarb",
                  {8, 208, 241, 25},
                  u"Másik adatbázis-könyvtárra váltás"_s},
        Placement{
            "bbtnKarbVissza", "pnlKarb", {8, 240, 241, 25}, u"Utolsó karbantartás visszavonása"_s},
        Placement{
            "bbtnSzotUrit", "pnlKarb", {8, 288, 241, 25}, u"A szótár minden szavának törlése"_s},
        Placement{"bbtnSzotarTorl",
                  "pnlKarb",
                  {8, 320, 241, 25},
                  u"A szótár-állomány törlése a lemezről"_s},
        Placement{"bbtnDOSEkezet",
                  "pnlKarb",
                  {296, 288, 241, 25},
                  u"DOS ékezet konvertálás Windows-ra"_s},
        Placement{
            "bbtnAlapBeall", "pnlKarb", {296, 320, 241, 25}, u"Alapbeállítások visszaállítása"_s},
        Placement{"Label2", "pnlKarb", {264, 24, 369, 16}, u"l"_s},
        Placement{"Label3", "pnlKarb", {264, 48, 377, 16}, u"I"_s},
        Placement{"pnlKarb2", "pnlKarb", {296, 72, 249, 177}, QString()},
        Placement{"bbtnToTorl", "pnlKarb2", {16, 16, 217, 25}, u"\"to\" törlése"_s},
        Placement{"bbtnBetuTorl", "pnlKarb2", {16, 48, 217, 25}, u"Magányos betű törlése"_s},
        Placement{"bbtnNemetFelt", "pnlKarb2", {16, 80, 217, 25}, u"Német szavak feltöltése"_s},
        Placement{"bbtnMasol", "pnlKarb2", {16, 144, 217, 25}, u"MSSQL-be másolás"_s}),
    [](const auto &info) { return std::string(info.param.name); });

class MaintenancePanelTest : public MainWindowTest {
protected:
    void showMaintenance()
    {
        tabs()->setCurrentWidget(child<QWidget>(u"tsKarb"_s));
        QApplication::processEvents();
    }

    // The pairs of the test dictionary, read beside the program.
    QStringList sources() const
    {
        QStringList all;
        for (const auto &[source, target] :
             velkor_test::readPairs(program.filePath(u"Angol_Magyar.DB"_s)))
            all << source;
        all.sort();
        return all;
    }

    void addRows(const std::vector<velkor_test::Pair> &rows)
    {
        velkor_test::addPairs(program.filePath(u"Angol_Magyar.DB"_s), rows);
    }

    void click(const char *name) { child<QPushButton>(QString::fromLatin1(name))->click(); }
};

TEST_F(MaintenancePanelTest, ThePanelCoversTheWarningWhenShown)
{
    start();
    showMaintenance();
    auto *warning = child<QLabel>(u"lblKarbFigy"_s);
    auto *panel = child<QWidget>(u"pnlKarb"_s);
    auto *area = child<QWidget>(u"Panel1"_s);
    const QPoint middle = warning->geometry().center();
    EXPECT_EQ(area->childAt(middle), warning);
    window->findChild<QAction *>(u"alCtrlF10"_s)->trigger();
    QApplication::processEvents();
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->geometry(), warning->geometry());
    QWidget *top = area->childAt(middle);
    EXPECT_TRUE(top == panel || panel->isAncestorOf(top));
}

TEST_F(MaintenancePanelTest, DosConversionAndItsUndo)
{
    addRows({{u"\u00A0llat"_s, u"x"_s}});
    start({u"Zomvi"_s});
    showMaintenance();
    {
        ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s}); // Igen, then Ok on "Konvertálás kész"
        click("bbtnDOSEkezet");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(script.unexpected, 0);
        EXPECT_EQ(script.messages.back(), u"Konvertálás kész"_s);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(sources(), (QStringList{u"house"_s, u"állat"_s}));
    {
        ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s}); // Igen, then Ok on the result
        click("bbtnKarbVissza");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(script.unexpected, 0);
        EXPECT_TRUE(script.messages.back().contains(u"visszaállt"_s));
    }
    EXPECT_EQ(sources(), (QStringList{u"house"_s, u"\u00A0llat"_s}));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(MaintenancePanelTest, ToRemovalGoesBackToTheNaturalDirection)
{
    addRows({{u"to walk"_s, u"sétál"_s}});
    start({u"Zomvi"_s});
    child<QRadioButton>(u"rbMA"_s)->setChecked(true);
    showMaintenance();
    {
        ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});
        click("bbtnToTorl");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(script.unexpected, 0);
        EXPECT_EQ(script.messages.back(), u"to törlése kész"_s);
    }
    EXPECT_EQ(sources(), (QStringList{u"house"_s, u"walk"_s}));
    EXPECT_TRUE(child<QRadioButton>(u"rbAM"_s)->isChecked());
    EXPECT_EQ(window->state().FromColumn, u"Angol"_s);
}

TEST_F(MaintenancePanelTest, TheLoneLetterCleanUpWorksWithoutAWord)
{
    addRows({{u"b"_s, u"b"_s}, {u"b"_s, u"b (betű)"_s}, {u"b"_s, u"bé"_s}});
    start({u"Zomvi"_s});
    showMaintenance();
    ModalScript script;
    click("bbtnBetuTorl");
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(sources(), (QStringList{u"b"_s, u"house"_s}));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(MaintenancePanelTest, UndoWithoutABackupSaysSo)
{
    start({u"Zomvi"_s});
    showMaintenance();
    ModalScript script({u"bbtnOk"_s});
    click("bbtnKarbVissza");
    EXPECT_TRUE(script.done());
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages.front().contains(u"Nincs visszavonható"_s));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
}

TEST_F(MaintenancePanelTest, GermanImportWithoutItsFilesNamesTheFirstAndEndsTheBusyNotice)
{
    start({u"Zomvi"_s});
    showMaintenance();
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s}); // Igen, then Ok on the message
    click("bbtnNemetFelt");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.unexpected, 0);
    ASSERT_EQ(script.messages.size(), 2);
    EXPECT_TRUE(script.messages.back().contains(u"A01.TXT"_s))
        << script.messages.back().toStdString();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(sources(), QStringList{u"house"_s});
}

} // namespace

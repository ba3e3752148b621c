// The settings file: window placement across runs, restoring the defaults,
// and stored bounds that no screen shows any more.
#include "mainwindow_fixture.h"

#include "app/windowbounds.h"
#include "editor/fraREEszkTar.h"
#include "support/modal_script.h"
#include "translator/translationpopup.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include <ostream>

using namespace Qt::StringLiterals;

namespace {

using SettingsTest = MainWindowTest;

TEST_F(SettingsTest, StemCheckBoxIsStoredAndSwitchesTheLookup)
{
    writeIni("[SzovFormazPanel]\r\nSzotoelemzes=0\r\n");
    start();
    auto *box = window->findChild<QCheckBox *>(u"chbSzoto"_s);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), u"Szótő"_s);
    // On the text toolbar, right after "Jobb gomb".
    auto *jobb = window->findChild<QCheckBox *>(u"chbJobb"_s);
    ASSERT_NE(jobb, nullptr);
    EXPECT_EQ(box->parentWidget(), jobb->parentWidget());
    EXPECT_GT(box->x(), jobb->x());
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(window->popup()->stemming());

    box->setChecked(true);
    EXPECT_TRUE(window->popup()->stemming());
    stop();
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("Szotoelemzes=1"));
}

// Drags a frame's formatting row by its grip: by (dx, dy) in one move.
void dragFormattingRow(TfraREEszkTar &frame, QPoint by)
{
    auto *grip = frame.findChild<QWidget *>(u"imgFormazEleje"_s);
    ASSERT_NE(grip, nullptr);
    const QPointF at(4, 11);
    QMouseEvent press(QEvent::MouseButtonPress, at, grip->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &press);
    const QPointF to = at + QPointF(by);
    QMouseEvent move(QEvent::MouseMove, to, grip->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(grip, &move);
    // Where the button is released does not matter.
    QMouseEvent release(QEvent::MouseButtonRelease, to, grip->mapToGlobal(to), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grip, &release);
}

TEST_F(SettingsTest, DraggedPanelsAreWhereTheyWereLeftAfterARestart)
{
    start();
    auto *text = child<TfraREEszkTar>(u"fraREEszkTarSzov"_s);
    auto *help = child<TfraREEszkTar>(u"fraREEszkTarSugo"_s);
    ASSERT_TRUE(text && help);
    EXPECT_EQ(help->pnlFormaz()->pos(), QPoint(0, 32));
    const int rowHeight = text->pnlFormaz()->height();
    // The text frame's second row goes up one row and to the right.
    dragFormattingRow(*text, QPoint(120, -(rowHeight / 2) - 1));
    const QPoint left = text->pnlFormaz()->pos();
    ASSERT_EQ(left, QPoint(120, std::max(0, 40 - rowHeight)));
    stop();

    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray ini = file.readAll();
    for (const char *section :
         {"[SzovSzokasPanel]", "[SzovFormazPanel]", "[SugoSzokasPanel]", "[SugoFormazPanel]"})
        EXPECT_TRUE(ini.contains(section)) << section;

    start();
    text = child<TfraREEszkTar>(u"fraREEszkTarSzov"_s);
    help = child<TfraREEszkTar>(u"fraREEszkTarSugo"_s);
    ASSERT_TRUE(text && help);
    EXPECT_EQ(text->pnlFormaz()->pos(), left);
    EXPECT_EQ(help->pnlFormaz()->pos(), QPoint(0, 32));
    // The frame fits the rows where they now stand.
    EXPECT_EQ(text->pnlToolBar()->height(), std::max(text->pnlSzokas()->geometry().bottom(),
                                                     text->pnlFormaz()->geometry().bottom()) +
                                                1);
}

TEST_F(SettingsTest, StemCheckBoxIsOnWithoutSettings)
{
    start();
    auto *box = window->findChild<QCheckBox *>(u"chbSzoto"_s);
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(window->popup()->stemming());
}

TEST_F(SettingsTest, MaximizedCloseKeepsTheNormalBounds)
{
    start();
    window->move(30, 40);
    window->resize(600, 400);
    // The 20 ms timer tracks the normal bounds.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->placement().NormalBounds == QRect(30, 40, 600, 400); }));
    window->showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->placement().WindowMaximized; }));
    stop();
    start();
    EXPECT_TRUE(window->placement().WindowMaximized);
    EXPECT_EQ(window->placement().NormalBounds, QRect(30, 40, 600, 400));
    window->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->size() == QSize(600, 400); }))
        << window->size().width() << "x" << window->size().height();
}

TEST_F(SettingsTest, RestoreDefaultsDeletesTheSettingsAndTheNextStartIsAFirstStart)
{
    writeIni("[FoAblak]\r\nBal=10\r\nTeto=20\r\nSzel=640\r\nMag=480\r\nAktFul=2\r\n");
    start();
    {
        ModalScript script({u"bbtnOk"_s});
        child<QPushButton>(u"bbtnAlapBeall"_s)->click();
        EXPECT_EQ(
            script.messages,
            QStringList{
                u"A program most leáll.\nA következő futtatáskor alapbeállításokkal indul."_s});
    }
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(QFile::exists(iniPath()));
    stop();
    start();
    EXPECT_EQ(window->placement().NormalBounds, QRect(100, 100, 500, 300));
    EXPECT_EQ(tabs()->currentIndex(), 0);
}

struct BoundsCase {
    const char *name;
    QRect stored;
    bool kept;
};

// The case's name in ctest output instead of its bytes.
void PrintTo(const BoundsCase &c, std::ostream *os)
{
    *os << c.name;
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
    ::testing::Values(BoundsCase{"FirstScreen", QRect(10, 20, 640, 480), true},
                      BoundsCase{"SecondScreen", QRect(2000, 100, 800, 600), true},
                      BoundsCase{"RemovedScreen", QRect(3300, 100, 800, 600), false},
                      BoundsCase{"CaptionPartlyVisible", QRect(-700, 100, 800, 600), true},
                      BoundsCase{"CaptionAboveEveryScreen", QRect(100, -500, 800, 600), false},
                      BoundsCase{"NoWidth", QRect(100, 100, 0, 300), false}),
    [](const ::testing::TestParamInfo<BoundsCase> &info) { return info.param.name; });

} // namespace

// The window's keyboard shortcuts and its key preview.
#include "mainwindow_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using KeysTest = MainWindowTest;

TEST_F(KeysTest, MaintenanceShortcutsWorkOnlyOnTheMaintenanceTab)
{
    start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(window.get(), key, modifiers);
    };
    QWidget *pnlKarb = child<QWidget>(u"pnlKarb"_s);
    QWidget *pnlKarb2 = child<QWidget>(u"pnlKarb2"_s);
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_TRUE(pnlKarb->isHidden()); // translator tab
    tabs()->setCurrentWidget(child<QWidget>(u"tsKarb"_s));
    press(Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(pnlKarb2->isHidden()); // pnlKarb still hidden
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_FALSE(pnlKarb->isHidden());
    press(Qt::Key_F7, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_FALSE(pnlKarb2->isHidden());
    press(Qt::Key_F10, Qt::ControlModifier);
    EXPECT_TRUE(pnlKarb->isHidden());
}

// Ctrl+Alt+F7 never reaches a program on a Linux desktop (the X server
// switches to a virtual terminal), so Ctrl+Shift+F7 opens the panel too.
class HiddenPanelKeyTest : public MainWindowTest,
                           public ::testing::WithParamInterface<Qt::KeyboardModifiers> {};

TEST_P(HiddenPanelKeyTest, HiddenPanelKeyReachableOnLinuxDesktops)
{
    start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QWidget *pnlKarb2 = child<QWidget>(u"pnlKarb2"_s);
    tabs()->setCurrentWidget(child<QWidget>(u"tsKarb"_s));
    QTest::keyClick(window.get(), Qt::Key_F10, Qt::ControlModifier);
    ASSERT_FALSE(child<QWidget>(u"pnlKarb"_s)->isHidden());
    QTest::keyClick(window.get(), Qt::Key_F7, GetParam());
    EXPECT_FALSE(pnlKarb2->isHidden());
    QTest::keyClick(window.get(), Qt::Key_F7, GetParam());
    EXPECT_TRUE(pnlKarb2->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Keys, HiddenPanelKeyTest,
                         ::testing::Values(Qt::ControlModifier | Qt::AltModifier,
                                           Qt::ControlModifier | Qt::ShiftModifier),
                         [](const auto &info) {
                             return std::string(info.param.testFlag(Qt::AltModifier)
                                                    ? "CtrlAltF7"
                                                    : "CtrlShiftF7");
                         });

TEST_F(KeysTest, EscEmptiesTheSearchBoxOnEveryTab)
{
    start();
    auto *search = child<QLineEdit>(u"edtKeres"_s);
    ASSERT_NE(search, nullptr);
    for (int page = 0; page < tabs()->count(); ++page) {
        tabs()->setCurrentIndex(page);
        search->setText(u"hou"_s);
        QWidget *target = tabs()->currentWidget();
        target->setFocus();
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target,
                        Qt::Key_Escape);
        EXPECT_TRUE(search->text().isEmpty()) << "page " << page;
    }
}

} // namespace

// How the main window looks: its title, the language list's height, the
// text area's frame, the translator check boxes, and the popup's place for
// long and multi-line selections.
#include "mainwindow_fixture.h"

#include "app/applicationsetup.h"
#include "support/printers.h"
#include "translator/translationpopup.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace {

class LookAndFeelTest : public MainWindowTest {
protected:
    // SetUpApplication renames the application; the later tests get the
    // test program's name back.
    void TearDown() override
    {
        MainWindowTest::TearDown();
        QCoreApplication::setApplicationName(m_applicationName);
    }

    translator::TranslationPopup *popup() const { return window->popup(); }

    // Selects [from, to) of the pane and right-clicks inside the selection:
    // with "Jobb gomb" ticked (the default) that looks the selection up.
    void lookUpSelection(int from, int to)
    {
        QTextEdit &pane = *textPane();
        QTextCursor cursor(pane.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        pane.setTextCursor(cursor);
        QTextCursor inside(pane.document());
        inside.setPosition(from + 1);
        const QPoint point = pane.cursorRect(inside).center();
        QTest::mouseClick(pane.viewport(), Qt::RightButton, Qt::NoModifier, point);
    }

private:
    const QString m_applicationName = QCoreApplication::applicationName();
};

TEST_F(LookAndFeelTest, TitleIsExactlyTheCaption)
{
    SetUpApplication(*qApp);
    start();
    EXPECT_EQ(window->windowTitle(), u"Velkor szótár és fordító: Olvasmány (angol).rtf"_s);
    // No display name of its own: the window system would append it to the
    // title. Without one it follows the application name.
    const QString name = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(u"másik"_s);
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), u"másik"_s);
    QCoreApplication::setApplicationName(name);
}

TEST_F(LookAndFeelTest, WindowHasTheProgramIcon)
{
    SetUpApplication(*qApp);
    start();
    const QIcon icon = window->windowIcon();
    ASSERT_FALSE(icon.isNull()) << "Qt's SVG plugin (libqt6svg6) is missing";
    EXPECT_FALSE(icon.pixmap(32, 32).isNull());
}

TEST_F(LookAndFeelTest, StandardButtonsSpeakHungarian)
{
    ASSERT_TRUE(InstallHungarianQtTranslations(*qApp));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Mégse"_s);
}

struct SizeCase {
    const char *name;
    int width, height;
};

void PrintTo(const SizeCase &c, std::ostream *os)
{
    *os << c.name;
}

class LanguageListTest : public LookAndFeelTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(LanguageListTest, FillsThePanelDownTo16PixelsFromItsBottom)
{
    start();
    tabs()->setCurrentWidget(child<QWidget>(u"tsNyelvValt"_s));
    window->resize(GetParam().width, GetParam().height);
    QApplication::processEvents();
    const auto *panel = child<QWidget>(u"pnlNyelvValt"_s);
    const auto *list = child<QListWidget>(u"lbNyelvek"_s);
    EXPECT_EQ(list->height(), panel->height() - list->y() - 16);
    EXPECT_GT(list->height(), 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, LanguageListTest,
                         ::testing::Values(SizeCase{"Taller", 773, 700},
                                           SizeCase{"Shorter", 773, 400},
                                           SizeCase{"Wide", 1200, 500}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(LookAndFeelTest, LanguageListFollowsTheFirstShowOfItsPage)
{
    start();
    window->resize(800, 650);
    QApplication::processEvents();
    tabs()->setCurrentWidget(child<QWidget>(u"tsNyelvValt"_s));
    QApplication::processEvents();
    const auto *panel = child<QWidget>(u"pnlNyelvValt"_s);
    const auto *list = child<QListWidget>(u"lbNyelvek"_s);
    EXPECT_EQ(list->height(), panel->height() - list->y() - 16);
}

TEST_F(LookAndFeelTest, TextAreaFrameIsOneGreyLine)
{
    start();
    auto *area = child<QFrame>(u"pnlSzov"_s);
    const QImage image = area->grab().toImage();
    const QColor grey(0x77, 0x77, 0x77);
    for (const QPoint &p : {QPoint(0, image.height() / 2), QPoint(image.width() / 2, 0),
                            QPoint(image.width() - 1, image.height() / 2),
                            QPoint(image.width() / 2, image.height() - 1)})
        EXPECT_EQ(image.pixelColor(p), grey) << p.x() << "," << p.y();
    // Inside the line: the white margin strip.
    EXPECT_EQ(image.pixelColor(2, image.height() / 2), QColor(Qt::white));
}

TEST_F(LookAndFeelTest, TranslatorCheckBoxesHaveTheirSize)
{
    start();
    EXPECT_EQ(child<QCheckBox>(u"chbFord"_s)->size(), QSize(97, 17));
    EXPECT_EQ(child<QCheckBox>(u"chbJobb"_s)->size(), QSize(97, 17));
}

// A selection that reaches over a line end carries the pane's separator.
struct SelectionCase {
    const char *name;
    const char16_t *text;
    const char16_t *selected; // the part of text to select
};

void PrintTo(const SelectionCase &c, std::ostream *os)
{
    *os << c.name;
}

class LineEndSelectionTest : public LookAndFeelTest,
                             public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(LineEndSelectionTest, IsLookedUpWithoutTheLineEnd)
{
    start();
    QTextEdit &pane = *textPane();
    pane.setPlainText(QString::fromUtf16(GetParam().text));
    const QString plain = pane.document()->toRawText();
    const QString selected = QString::fromUtf16(GetParam().selected);
    const int from = int(plain.indexOf(selected));
    ASSERT_GE(from, 0);
    lookUpSelection(from, from + int(selected.size()));
    ASSERT_TRUE(popup()->isPopupShown());
    EXPECT_EQ(popup()->wordBox()->text(), u"house"_s);
    EXPECT_EQ(popup()->ResultLists()[0].Items[0], u"ház"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LineEndSelectionTest,
    ::testing::Values(SelectionCase{"UpToParagraphEnd", u"the house\nstood", u"house\u2029"},
                      SelectionCase{"FromParagraphEnd", u"old\nhouse stood", u"\u2029house"},
                      SelectionCase{"UpToLineBreak", u"the house\u2028stood", u"house\u2028"},
                      SelectionCase{"LastLine", u"a\nhouse\n", u"house\u2029"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LookAndFeelTest, LongSelectionKeepsThePopupInsideThePane)
{
    start();
    window->resize(773, 439);
    QApplication::processEvents();
    QString text;
    while (text.size() < 300)
        text += u"house "_s;
    text.truncate(300);
    textPane()->setPlainText(text);
    lookUpSelection(0, 300);
    ASSERT_TRUE(popup()->isPopupShown());
    const QRect area = child<QWidget>(u"pnlSzov"_s)->rect();
    EXPECT_GE(popup()->x(), 0);
    EXPECT_LE(popup()->geometry().right(), textPane()->width());
    EXPECT_TRUE(area.intersects(popup()->geometry()));
    EXPECT_LE(popup()->width(), textPane()->width());
}

TEST_F(LookAndFeelTest, SecondPressOfADoubleClickHidesThePopup)
{
    start();
    textPane()->setPlainText(u"the house"_s);
    lookUpSelection(4, 9);
    ASSERT_TRUE(popup()->isPopupShown());
    QWidget *viewport = textPane()->viewport();
    const QPoint point(5, 5);
    QMouseEvent second(QEvent::MouseButtonDblClick, point, viewport->mapToGlobal(point),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &second);
    EXPECT_FALSE(popup()->isPopupShown());
}

} // namespace

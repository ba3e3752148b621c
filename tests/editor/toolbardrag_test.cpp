// Dragging the editor frame's toolbar panels by their grips.
#include "editor/fraREEszkTar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

class ToolbarDragTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto *column = new QVBoxLayout(&host);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        frame = new TfraREEszkTar(&host);
        column->addWidget(frame);
        editor = new QTextEdit(&host);
        column->addWidget(editor, 1);
        InitToolbarFrame(*frame, 1);
        host.resize(800, 400);
        host.show();
        settle();
        height = frame->pnlFormaz()->height();
    }

    void settle()
    {
        QCoreApplication::sendPostedEvents();
        host.layout()->activate();
    }

    QWidget &grip() { return *frame->findChild<QWidget *>(QStringLiteral("imgFormazEleje")); }

    // The mouse at a point of the frame, in the grip's coordinates now.
    void send(QEvent::Type type, QPoint inFrame, Qt::MouseButton button = Qt::LeftButton,
              QWidget *target = nullptr)
    {
        QWidget &w = target ? *target : grip();
        const QPointF local = w.mapFrom(frame, inFrame);
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, local, w.mapToGlobal(local), button,
                          type == QEvent::MouseMove ? held : Qt::MouseButtons(button),
                          Qt::NoModifier);
        QApplication::sendEvent(&w, &event);
    }

    QPoint gripCentre() { return grip().mapTo(frame, QPoint(4, 11)); }

    // Presses the formatting row's grip and moves the mouse by each step.
    void drag(std::initializer_list<QPoint> steps, bool release = true)
    {
        QPoint at = gripCentre();
        send(QEvent::MouseButtonPress, at);
        for (QPoint step : steps) {
            at += step;
            send(QEvent::MouseMove, at);
        }
        if (release)
            send(QEvent::MouseButtonRelease, at);
        settle();
    }

    QWidget &panel() { return *frame->pnlFormaz(); }
    int barWidth() { return frame->pnlToolBar()->width(); }

    QWidget host;
    TfraREEszkTar *frame = nullptr;
    QTextEdit *editor = nullptr;
    int height = 0;
};

TEST_F(ToolbarDragTest, FarLeftStopsAtZeroAndTurningBackFollowsAtOnce)
{
    QPoint mouse = gripCentre();
    send(QEvent::MouseButtonPress, mouse);
    mouse += QPoint(150, 0);
    send(QEvent::MouseMove, mouse);
    EXPECT_EQ(panel().x(), 150);
    mouse += QPoint(-400, 0);
    send(QEvent::MouseMove, mouse);
    EXPECT_EQ(panel().x(), 0);
    mouse += QPoint(7, 0); // back by 7: the panel follows at once
    send(QEvent::MouseMove, mouse);
    EXPECT_EQ(panel().x(), 7);
    send(QEvent::MouseButtonRelease, mouse);
}

TEST_F(ToolbarDragTest, FarRightStopsFifteenPixelsShortOfTheEnd)
{
    drag({{5000, 0}});
    EXPECT_EQ(panel().x(), barWidth() - 15);
}

TEST_F(ToolbarDragTest, MoreThanHalfAHeightUpIsOneRowUp)
{
    ASSERT_EQ(panel().y(), 40);
    drag({{0, -(height / 2)}}, false);
    EXPECT_EQ(panel().y(), 40);
    send(QEvent::MouseMove, gripCentre() + QPoint(0, -(height / 2) - 1));
    EXPECT_EQ(panel().y(), std::max(0, 40 - height));
    send(QEvent::MouseButtonRelease, gripCentre());
}

TEST_F(ToolbarDragTest, NeverBelowTheLowestRowAndTheBarGrowsMeanwhile)
{
    const int step = height / 2 + 1;
    drag({{0, step}, {0, step}, {0, step}, {0, step}, {0, step}, {0, step}, {0, step}}, false);
    EXPECT_EQ(panel().y(), 3 * height);
    EXPECT_GE(frame->pnlToolBar()->height(), 4 * height);
    send(QEvent::MouseButtonRelease, gripCentre());
}

TEST_F(ToolbarDragTest, ReleaseShrinksTheBarToOneRowAndTheEditorGrows)
{
    const int editorBefore = editor->height();
    const int firstRowWidth = frame->pnlSzokas()->width();
    // Up into row 0 (two row steps from 40), then beside the first row.
    drag({{0, -(height / 2) - 1}, {0, -height}, {firstRowWidth + 10, 0}}, false);
    ASSERT_EQ(panel().y(), 0);
    EXPECT_EQ(frame->pnlToolBar()->height(), 40 + height); // no shrinking while dragging
    send(QEvent::MouseButtonRelease, gripCentre());
    settle();
    EXPECT_EQ(frame->pnlToolBar()->height(), frame->pnlSzokas()->height());
    EXPECT_GT(editor->height(), editorBefore);
    EXPECT_FALSE(frame->toolbarDragging());
}

struct NoDragCase {
    const char *name;
    Qt::MouseButton button;
    bool disabled;
};

class ToolbarNoDragTest : public ToolbarDragTest,
                          public ::testing::WithParamInterface<NoDragCase> {};

TEST_P(ToolbarNoDragTest, PanelStaysPut)
{
    frame->pnlFormaz()->setEnabled(!GetParam().disabled);
    QPoint at = gripCentre();
    send(QEvent::MouseButtonPress, at, GetParam().button);
    send(QEvent::MouseMove, at + QPoint(60, 60), GetParam().button);
    EXPECT_FALSE(frame->toolbarDragging());
    EXPECT_EQ(panel().pos(), QPoint(0, 40));
    send(QEvent::MouseButtonRelease, at + QPoint(60, 60), GetParam().button);
}

INSTANTIATE_TEST_SUITE_P(Cases, ToolbarNoDragTest,
                         ::testing::Values(NoDragCase{"RightButton", Qt::RightButton, false},
                                           NoDragCase{"DisabledGrip", Qt::LeftButton, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ToolbarDragTest, FirstRowDragsByItsOwnGrip)
{
    QWidget *first = frame->findChild<QWidget *>(QStringLiteral("imgSzokasEleje"));
    ASSERT_NE(first, nullptr);
    const QPoint at = first->mapTo(frame, QPoint(4, 11));
    send(QEvent::MouseButtonPress, at, Qt::LeftButton, first);
    send(QEvent::MouseMove, at + QPoint(30, 0), Qt::LeftButton, first);
    send(QEvent::MouseButtonRelease, at + QPoint(30, 0), Qt::LeftButton, first);
    EXPECT_EQ(frame->pnlSzokas()->pos(), QPoint(30, 0));
    EXPECT_EQ(panel().pos(), QPoint(0, 40));
}

TEST_F(ToolbarDragTest, HelpFrameStartsItsSecondRowAt32WithoutTheLastSeparator)
{
    TfraREEszkTar help;
    InitToolbarFrame(help, 2);
    EXPECT_EQ(help.pnlFormaz()->pos(), QPoint(0, 32));
    help.show();
    EXPECT_FALSE(help.findChild<QWidget *>(QStringLiteral("Image1"))->isVisible());
    EXPECT_TRUE(frame->findChild<QWidget *>(QStringLiteral("Image1"))->isVisible());
}

TEST_F(ToolbarDragTest, PanelPlacedFromTheSettingsRefitsTheBar)
{
    frame->pnlFormaz()->move(200, 0);
    settle();
    EXPECT_EQ(frame->pnlToolBar()->height(), frame->pnlSzokas()->height());
}

} // namespace

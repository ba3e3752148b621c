// The walk that switches the help toolbar off and on.
#include "help/childcontrols.h"

#include <QFrame>
#include <QGroupBox>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// container ─┬ panel (QWidget) ── inPanel
//            ├ frame (QFrame) ─── inFrame
//            ├ bar (QToolBar) ─── inBar
//            ├ box (QGroupBox) ── inBox   (a control of its own: not walked)
//            └ loose
struct Tree {
    QWidget container;
    QWidget *panel = new QWidget(&container);
    QFrame *frame = new QFrame(&container);
    QToolBar *bar = new QToolBar(&container);
    QGroupBox *box = new QGroupBox(&container);
    QToolButton *loose = new QToolButton(&container);
    QToolButton *inPanel = new QToolButton(panel);
    QToolButton *inFrame = new QToolButton(frame);
    QToolButton *inBar = new QToolButton;
    QToolButton *inBox = new QToolButton(box);

    Tree() { bar->addWidget(inBar); }
};

// Set by the walk itself, not only inherited from a disabled parent.
bool explicitlyDisabled(const QWidget *w)
{
    return w->testAttribute(Qt::WA_ForceDisabled);
}

TEST(ChildControls, DisableWalksIntoPanelsAndToolbarsOnly)
{
    Tree t;
    DisableChildControls(&t.container);

    EXPECT_TRUE(t.container.isEnabled());
    for (QWidget *w : {static_cast<QWidget *>(t.panel), static_cast<QWidget *>(t.frame),
                       static_cast<QWidget *>(t.bar), static_cast<QWidget *>(t.box),
                       static_cast<QWidget *>(t.loose), static_cast<QWidget *>(t.inPanel),
                       static_cast<QWidget *>(t.inFrame), static_cast<QWidget *>(t.inBar)})
        EXPECT_TRUE(explicitlyDisabled(w)) << w->metaObject()->className();
    // Off with its box, but the box's own children are not walked.
    EXPECT_FALSE(t.inBox->isEnabled());
    EXPECT_FALSE(explicitlyDisabled(t.inBox));
}

TEST(ChildControls, EnableSetsEveryWalkedControlWhateverItWas)
{
    Tree t;
    t.inPanel->setEnabled(false);
    t.inBar->setEnabled(false);
    t.inBox->setEnabled(false);
    DisableChildControls(&t.container);
    EnableChildControls(&t.container);

    for (QWidget *w : {static_cast<QWidget *>(t.panel), static_cast<QWidget *>(t.frame),
                       static_cast<QWidget *>(t.bar), static_cast<QWidget *>(t.box),
                       static_cast<QWidget *>(t.loose), static_cast<QWidget *>(t.inPanel),
                       static_cast<QWidget *>(t.inFrame), static_cast<QWidget *>(t.inBar)})
        EXPECT_TRUE(w->isEnabled()) << w->metaObject()->className();
    // Not walked into: keeps what it was set to.
    EXPECT_FALSE(t.inBox->isEnabled());
}

TEST(ChildControls, ContainerOfItsOwnStateAndNullAreLeftAlone)
{
    QWidget container;
    container.setEnabled(false);
    auto *child = new QToolButton(&container);
    EnableChildControls(&container);
    EXPECT_FALSE(container.isEnabled());
    EXPECT_FALSE(explicitlyDisabled(child));
    DisableChildControls(nullptr);
    EnableChildControls(nullptr);
}

} // namespace

// The text pane's handlers on their own: the binding, the format painter
// around the pane, and a frame that goes before the pane.
#include "translator/textpane.h"

#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "store/appstate.h"

#include <QCheckBox>
#include <QFocusEvent>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

struct TextPaneFixture : ::testing::Test {
    // The frame acts on the hosts, as the window attaches it.
    TextPaneFixture() { frame->setHosts(&hosts); }

    AppState state;
    EditorHosts hosts;
    QWidget window;
    QPointer<TfraREEszkTar> frame = new TfraREEszkTar(&window);
    QTextEdit *pane = new QTextEdit(&window);
    QCheckBox *chbFord = new QCheckBox(&window);
    QCheckBox *chbJobb = new QCheckBox(&window);
    translator::TextPane handlers{state, hosts, *frame, *pane, *chbFord, *chbJobb};
};

TEST_F(TextPaneFixture, BindingNamesThePaneItsDocumentAndItsCallbacks)
{
    int loaded = 0;
    int savedAs = 0;
    handlers.setDocumentCallbacks([&] { ++loaded; }, [&] { ++savedAs; });
    handlers.BindTextPane();
    const HostBinding &b = hosts.binding;
    EXPECT_EQ(b.ActiveEditor, pane);
    EXPECT_EQ(b.ActiveHostIndex, 1);
    EXPECT_EQ(b.ActiveDocName, &state.TextDocName);
    EXPECT_EQ(b.ActiveDocHasFile, &state.TextDocHasFile);
    b.OnDocumentLoaded(nullptr);
    b.OnDocumentSavedAs(nullptr);
    b.OnDocumentSavedAs(nullptr);
    EXPECT_EQ(loaded, 1);
    EXPECT_EQ(savedAs, 2);
}

TEST_F(TextPaneFixture, FocusLeavingThePaneDisarmsThePainter)
{
    hosts.painter.FormatPainterArmed = true;
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(pane, &out);
    EXPECT_FALSE(hosts.painter.FormatPainterArmed);
}

TEST_F(TextPaneFixture, ATextChangeUnlocksUndo)
{
    pane->setPlainText(u"alma"_s);
    EXPECT_TRUE(frame->button("spbMegsem")->isEnabled());
    EXPECT_FALSE(frame->button("spbMegis")->isEnabled());
}

TEST_F(TextPaneFixture, AFrameGoneBeforeThePaneIsNotReached)
{
    delete frame.data();
    ASSERT_TRUE(frame.isNull());
    hosts.painter.FormatPainterArmed = true;
    pane->setPlainText(u"körte"_s);
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(pane, &out);
    QTest::mouseClick(pane->viewport(), Qt::LeftButton);
    EXPECT_TRUE(hosts.painter.FormatPainterArmed);
}

} // namespace

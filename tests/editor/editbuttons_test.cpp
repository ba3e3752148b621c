// Clipboard buttons, undo and redo of the editor frame.

#include "editortestsupport.h"

#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"

#include <QApplication>
#include <QClipboard>
#include <QTextCursor>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class EditButtonsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InitToolbarFrame(frame, 1);
        text.bind();
        QApplication::clipboard()->clear();
    }

    QToolButton &button(const char *name)
    {
        QToolButton *b = frame.button(name);
        EXPECT_NE(b, nullptr) << name;
        return *b;
    }

    void select(int from, int to)
    {
        QTextCursor cursor(text.editor.document());
        cursor.setPosition(from);
        cursor.setPosition(to, QTextCursor::KeepAnchor);
        text.editor.setTextCursor(cursor);
    }

    void type(const QString &s)
    {
        QTextCursor cursor = text.editor.textCursor();
        cursor.insertText(s);
        text.editor.setTextCursor(cursor);
    }

    bool enabled(const char *name) { return button(name).isEnabled(); }

    EditorHosts hosts;
    TfraREEszkTar frame;
    TestHost text{frame, hosts, 1};
};

TEST_F(EditButtonsTest, UndoThenRedoSwapTheButtonsAndReapplyTheEdit)
{
    EXPECT_TRUE(enabled("spbMegsem"));
    EXPECT_TRUE(enabled("spbMegis"));
    type(QStringLiteral("alma"));
    EXPECT_TRUE(enabled("spbMegsem"));
    EXPECT_FALSE(enabled("spbMegis"));

    button("spbMegsem").click();
    EXPECT_EQ(text.editor.toPlainText(), QString());
    EXPECT_FALSE(enabled("spbMegsem"));
    EXPECT_TRUE(enabled("spbMegis"));

    button("spbMegis").click();
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("alma"));
    EXPECT_TRUE(enabled("spbMegsem"));
    EXPECT_FALSE(enabled("spbMegis"));

    button("spbMegsem").click();
    type(QStringLiteral("körte"));
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("körte"));
    EXPECT_TRUE(enabled("spbMegsem"));
    EXPECT_FALSE(enabled("spbMegis"));
}

TEST_F(EditButtonsTest, CutAndCopyFollowTheSelection)
{
    text.setText(QStringLiteral("alma körte"), false);
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_FALSE(enabled("spbKivag"));
    EXPECT_FALSE(enabled("spbMasol"));

    select(0, 4);
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_TRUE(enabled("spbKivag"));
    EXPECT_TRUE(enabled("spbMasol"));

    select(2, 2);
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_FALSE(enabled("spbKivag"));
    EXPECT_FALSE(enabled("spbMasol"));
}

// The selection state is cached: a document replaced underneath the editor
// must not leave the buttons showing a selection that is gone.
TEST_F(EditButtonsTest, SelectionCacheFollowsAReplacedDocument)
{
    text.setText(QStringLiteral("alma körte"), false);
    select(10, 0);
    UpdateClipboardButtons(frame, text.editor);
    ASSERT_TRUE(enabled("spbMasol"));
    text.editor.document()->setPlainText(QStringLiteral("új"));
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_FALSE(enabled("spbKivag"));
    EXPECT_FALSE(enabled("spbMasol"));
}

TEST_F(EditButtonsTest, PasteFollowsTheClipboard)
{
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_FALSE(enabled("spbBeill"));
    QApplication::clipboard()->setText(QStringLiteral("szó"));
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_TRUE(enabled("spbBeill"));
    QApplication::clipboard()->clear();
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_FALSE(enabled("spbBeill"));
}

TEST_F(EditButtonsTest, DisabledFirstPanelKeepsTheButtonsAsTheHostLeftThem)
{
    text.setText(QStringLiteral("alma"), false);
    QApplication::clipboard()->setText(QStringLiteral("szó"));
    frame.pnlSzokas()->setEnabled(false);
    button("spbKivag").setEnabled(false);
    button("spbBeill").setEnabled(false);
    UpdateClipboardButtons(frame, text.editor);
    frame.pnlSzokas()->setEnabled(true);
    EXPECT_FALSE(enabled("spbKivag"));
    EXPECT_FALSE(enabled("spbBeill"));
    UpdateClipboardButtons(frame, text.editor);
    EXPECT_TRUE(enabled("spbBeill"));
}

TEST_F(EditButtonsTest, ClipboardButtonsMoveTextThroughTheClipboard)
{
    text.setText(QStringLiteral("alma körte"), false);
    select(5, 10);
    button("spbMasol").click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("körte"));
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("alma körte"));

    select(0, 5);
    button("spbKivag").click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("alma "));
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("körte"));

    select(5, 5);
    button("spbBeill").click();
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("körtealma "));
}

// The buttons act on the bound editor, whichever frame they sit on.
TEST_F(EditButtonsTest, ButtonsActOnTheBoundEditor)
{
    TestHost help{frame, hosts, 2};
    text.setText(QStringLiteral("szöveg"), false);
    help.setText(QStringLiteral("súgó"), false);
    help.bind();
    QTextCursor all(help.editor.document());
    all.select(QTextCursor::Document);
    help.editor.setTextCursor(all);
    button("spbKivag").click();
    EXPECT_EQ(help.editor.toPlainText(), QString());
    EXPECT_EQ(text.editor.toPlainText(), QStringLiteral("szöveg"));
    text.bind();
}

} // namespace

// The help tab inside the main window: its caption on the tab, the frames'
// binding when tabs change, and the close while the help is changed.
#include "mainwindow_fixture.h"

#include "editor/filedialogs.h"
#include "editor/fraREEszkTar.h"
#include "help/helppage.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QFile>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

using HelpTabTest = MainWindowTest;

// A save dialog that is always cancelled.
class CancelledSave final : public FileDialogs {
public:
    std::optional<QString> chooseOpen(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<SaveChoice> chooseSave(const QString &, const QString &) override
    {
        ++asked;
        return std::nullopt;
    }
    int asked = 0;
};

TEST_F(HelpTabTest, TheTabCaptionFollowsTheHelp)
{
    start();
    EXPECT_EQ(tabs()->tabText(4), u"Súgó (Eredeti)"_s);
    tabs()->setCurrentIndex(4);
    QTest::mousePress(child<QPushButton>(u"spbSugoSzerk"_s), Qt::LeftButton);
    helpPane()->setFocus();
    QTest::keyClick(helpPane(), Qt::Key_A);
    EXPECT_EQ(tabs()->tabText(4), u"Súgó (Módosított)"_s);
    ModalScript script({u"bbtnNem"_s}); // leave the changed help unsaved
    EXPECT_TRUE(window->close());
}

TEST_F(HelpTabTest, EnteringATabRebindsTheFramesToItsPane)
{
    start();
    auto *helpFrame = child<TfraREEszkTar>(u"fraREEszkTarSugo"_s);
    const QString text = textPane()->toPlainText();
    ASSERT_FALSE(text.isEmpty());
    for (int round = 0; round < 2; ++round) {
        tabs()->setCurrentIndex(4);
        EXPECT_EQ(window->editorHosts().binding.ActiveEditor, helpPane()) << round;
        EXPECT_EQ(window->editorHosts().binding.ActiveHostIndex, 2) << round;
        tabs()->setCurrentIndex(0);
        EXPECT_EQ(window->editorHosts().binding.ActiveEditor, textPane()) << round;
        EXPECT_EQ(window->editorHosts().binding.ActiveHostIndex, 1) << round;
    }
    // New on the help frame acts on the help pane, not on the text.
    tabs()->setCurrentIndex(4);
    QTest::mousePress(child<QPushButton>(u"spbSugoSzerk"_s), Qt::LeftButton);
    helpPane()->document()->setModified(false);
    helpFrame->button("spbUj")->click();
    EXPECT_TRUE(helpPane()->document()->isEmpty());
    EXPECT_EQ(textPane()->toPlainText(), text);
}

TEST_F(HelpTabTest, ACancelledHelpSaveKeepsTheWindowOpen)
{
    start();
    auto dialogs = std::make_unique<CancelledSave>();
    CancelledSave &cancelled = *dialogs;
    child<TfraREEszkTar>(u"fraREEszkTarSzov"_s)->setFileDialogs(std::move(dialogs));
    helpPane()->document()->setModified(true);
    {
        ModalScript script({u"bbtnOk"_s}); // Igen: save the help
        EXPECT_FALSE(window->close());
        EXPECT_EQ(script.messages,
                  QStringList{u"A súgó szövege megváltozott.\nMented a változásokat?"_s});
    }
    EXPECT_EQ(cancelled.asked, 1);
    EXPECT_TRUE(window->isVisible());
    ModalScript script({u"bbtnNem"_s});
    EXPECT_TRUE(window->close());
}

} // namespace

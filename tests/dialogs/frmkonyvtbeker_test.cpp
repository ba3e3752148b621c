// The folder chooser through AskFolder.
#include "dialogs/frmkonyvtbeker.h"
#include "dialogs/frmvalasz.h"

#include "support/modal_answerer.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class AskFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath(u"Szótár/Német"_s));
    }

    QString sub(const QString &name) const { return QDir(dir.path()).filePath(name); }

    QTemporaryDir dir;
    TfrmKonyvtBeker dialog;
};

TEST_F(AskFolderTest, OkGivesTheStartFolderOrTheOneChosenInTheTree)
{
    QString shown;
    ModalAnswerer answer([&](QWidget &d) {
        shown = static_cast<TfrmKonyvtBeker &>(d).selectedFolder();
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    QString folder;
    EXPECT_TRUE(AskFolder(QString(), sub(u"Szótár"_s), folder));
    EXPECT_EQ(shown, sub(u"Szótár"_s));
    EXPECT_EQ(folder, sub(u"Szótár"_s));

    ModalAnswerer pick([&](QWidget &d) {
        auto *tree = d.findChild<QTreeView *>(u"stv1"_s);
        auto *model = static_cast<QFileSystemModel *>(tree->model());
        tree->setCurrentIndex(model->index(sub(u"Szótár/Német"_s)));
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    EXPECT_TRUE(AskFolder(QString(), sub(u"Szótár"_s), folder));
    EXPECT_EQ(folder, sub(u"Szótár/Német"_s));
}

TEST_F(AskFolderTest, TheListShowsTheFolderSelectedInTheTree)
{
    QString listed;
    ModalAnswerer answer([&](QWidget &d) {
        auto *list = d.findChild<QTreeView *>(u"slv1"_s);
        listed = static_cast<QFileSystemModel *>(list->model())->filePath(list->rootIndex());
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QString folder;
    AskFolder(QString(), sub(u"Szótár"_s), folder);
    EXPECT_EQ(listed, sub(u"Szótár"_s));
}

TEST_F(AskFolderTest, EscAndMegsemLeaveTheFolderAlone)
{
    const ModalAnswerer::Action ways[] = {ModalAnswerer::pressKey(Qt::Key_Escape),
                                          ModalAnswerer::clickButton(u"bbtnMegsem"_s)};
    for (const auto &way : ways) {
        ModalAnswerer answer(way);
        QString folder = u"unchanged"_s;
        EXPECT_FALSE(AskFolder(u"Válassz"_s, sub(u"Szótár"_s), folder));
        EXPECT_TRUE(answer.answered());
        EXPECT_EQ(folder, u"unchanged"_s);
    }
}

TEST_F(AskFolderTest, TheMessageStripShowsOnlyWithAMessage)
{
    for (const QString &message : {QString(), u"Hová költözzön a szótár?"_s}) {
        bool stripShown = !message.isEmpty();
        QString text;
        ModalAnswerer answer([&](QWidget &d) {
            stripShown = d.findChild<QWidget *>(u"pnlUzen"_s)->isVisible();
            text = d.findChild<QLabel *>(u"lblUzen"_s)->text();
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QString folder;
        AskFolder(message, sub(u"Szótár"_s), folder);
        EXPECT_EQ(stripShown, !message.isEmpty());
        EXPECT_EQ(text, message);
    }
}

TEST_F(AskFolderTest, AMissingStartFolderIsReportedByNameAndNothingIsChosen)
{
    TfrmValasz messages;
    QString reported;
    ModalAnswerer answer([&](QWidget &d) {
        if (auto *label = d.findChild<QLabel *>(u"lblKerdes"_s))
            reported = label->text();
        QTest::keyClick(&d, Qt::Key_Return);
    });
    QString folder = u"unchanged"_s;
    EXPECT_FALSE(AskFolder(QString(), sub(u"Nincs ilyen"_s), folder));
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(folder, u"unchanged"_s);
    EXPECT_TRUE(reported.simplified().contains(u"Nincs ilyen"_s)) << reported.toStdString();
    EXPECT_FALSE(dialog.isVisible());
}

} // namespace

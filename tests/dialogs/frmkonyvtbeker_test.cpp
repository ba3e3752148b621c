// The folder chooser through AskFolder.
#include "dialogs/frmkonyvtbeker.h"
#include "dialogs/frmvalasz.h"

#include "special_files_folder.h"
#include "support/modal_answerer.h"

#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <gtest/gtest.h>

#include <optional>

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

// A home folder of its own holding the installed program's hidden data
// folder, and a folder outside it; the chooser is made as at start-up,
// with that home.
class ChooserHomeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid() && outside.isValid());
        m_hadHome = qEnvironmentVariableIsSet("HOME");
        m_savedHome = qgetenv("HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        ASSERT_TRUE(QDir(home.path()).mkpath(u".local/share/velkor-szotar"_s));
        ASSERT_TRUE(QDir(home.path()).mkpath(u"Dokumentumok"_s));
        dialog.emplace();
    }

    void TearDown() override
    {
        dialog.reset();
        if (m_hadHome)
            qputenv("HOME", m_savedHome);
        else
            qunsetenv("HOME");
    }

    QString inHome(const QString &name) const { return QDir(home.path()).filePath(name); }

    static QTreeView *tree(QWidget &d) { return d.findChild<QTreeView *>(u"stv1"_s); }
    static QFileSystemModel *folders(QWidget &d)
    {
        return static_cast<QFileSystemModel *>(tree(d)->model());
    }
    static QString current(QWidget &d) { return folders(d)->filePath(tree(d)->currentIndex()); }

    // Clicks the folder in the tree as a user would, once it is in view.
    static void clickFolder(QWidget &d, const QString &path)
    {
        QTreeView *view = tree(d);
        const QModelIndex index = folders(d)->index(path);
        view->scrollTo(index);
        (void)QTest::qWaitFor([&] { return view->visualRect(index).isValid(); }, 3000);
        const QRect place = view->visualRect(index);
        ASSERT_TRUE(place.isValid()) << path.toStdString();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    }

    QTemporaryDir home;
    QTemporaryDir outside;
    std::optional<TfrmKonyvtBeker> dialog;

private:
    QByteArray m_savedHome;
    bool m_hadHome = false;
};

TEST_F(ChooserHomeTest, HiddenStartFolderIsShownSelectedAndKeptByOk)
{
    const QString data = inHome(u".local/share/velkor-szotar"_s);
    {
        // Looked at home first, so the tree knows the home folder's contents.
        ModalAnswerer look(ModalAnswerer::pressKey(Qt::Key_Escape), 500);
        QString unused;
        AskFolder(QString(), home.path(), unused);
    }
    QString selected;
    bool inView = false;
    // Looked at once the tree has read the folders on the way.
    ModalAnswerer answer(
        [&](QWidget &d) {
            selected = current(d);
            inView = tree(d)->visualRect(tree(d)->currentIndex()).isValid();
            // A click with Ctrl on the selected folder takes the selection away.
            const QRect place = tree(d)->visualRect(tree(d)->currentIndex());
            QTest::mouseClick(tree(d)->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              place.center());
            QTest::keyClick(ModalAnswerer::focusedIn(d), Qt::Key_Return);
        },
        500);
    QString folder;
    EXPECT_TRUE(AskFolder(QString(), data, folder));
    EXPECT_TRUE(answer.answered());
    EXPECT_EQ(selected, data);
    EXPECT_TRUE(inView);
    EXPECT_EQ(folder, data);
}

TEST_F(ChooserHomeTest, AFolderUnderHomeLeavesTheRestOfTheFileSystemReachable)
{
    QString folder;
    {
        ModalAnswerer pick([&](QWidget &d) {
            clickFolder(d, inHome(u"Dokumentumok"_s));
            QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
        });
        ASSERT_TRUE(AskFolder(QString(), home.path(), folder));
        EXPECT_EQ(folder, inHome(u"Dokumentumok"_s));
    }
    ModalAnswerer pickOutside([&](QWidget &d) {
        clickFolder(d, outside.path());
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    ASSERT_TRUE(AskFolder(QString(), folder, folder));
    EXPECT_EQ(folder, outside.path());
}

TEST_F(ChooserHomeTest, FolderWithSpecialFilesIsListedWithoutOpeningThem)
{
    SpecialFilesFolder special;
    QString typeOfAdat;
    ModalAnswerer answer(
        [&](QWidget &d) {
            auto *list = d.findChild<QTreeView *>(u"slv1"_s);
            auto *contents = static_cast<QFileSystemModel *>(list->model());
            const QModelIndex adat = contents->index(special.path(u"adat"_s));
            (void)QTest::qWaitFor([&] { return !contents->type(adat).isEmpty(); }, 3000);
            typeOfAdat = contents->type(adat);
            QTest::keyClick(&d, Qt::Key_Escape);
        },
        300);
    QString folder;
    AskFolder(QString(), special.folder(), folder);
    EXPECT_TRUE(answer.answered());
    EXPECT_FALSE(typeOfAdat.isEmpty());
    EXPECT_FALSE(typeOfAdat.contains(u"PDF"_s)) << typeOfAdat.toStdString();
    EXPECT_FALSE(special.readerWasBlocked());
}

} // namespace

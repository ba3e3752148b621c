// The input-line dialog through AskLine and AskLineEx.
#include "dialogs/frmsorbeker.h"

#include "special_files_folder.h"
#include "support/modal_answerer.h"

#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

class AskLineTest : public ::testing::Test {
protected:
    // The run's dialog, as the program creates it at start-up.
    TfrmSorBeker dialog;

    static QLineEdit *edtVal(QWidget &d) { return d.findChild<QLineEdit *>(u"edtVal"_s); }
};

TEST_F(AskLineTest, BlankLinesCannotBeConfirmedButAWordCan)
{
    bool closedOnEmpty = true;
    bool closedOnSpace = true;
    ModalAnswerer answer([&](QWidget &d) {
        QLineEdit *line = edtVal(d);
        QTest::keyClick(line, Qt::Key_Return);
        closedOnEmpty = !d.isVisible();
        QTest::keyClicks(line, u" "_s);
        QTest::keyClick(line, Qt::Key_Return);
        closedOnSpace = !d.isVisible();
        line->clear();
        QTest::keyClicks(line, u"Nemet"_s);
        QTest::keyClick(line, Qt::Key_Return);
    });
    QString result = u"unchanged"_s;
    EXPECT_TRUE(AskLine(u"Add meg az első nyelvet"_s, QString(), result, false, false));
    EXPECT_TRUE(answer.answered());
    EXPECT_FALSE(closedOnEmpty);
    EXPECT_FALSE(closedOnSpace);
    EXPECT_EQ(result, u"Nemet"_s);
}

TEST_F(AskLineTest, AllowEmptyConfirmsABlankLine)
{
    ModalAnswerer answer(ModalAnswerer::clickButton(u"bbtnOk"_s));
    QString result = u"unchanged"_s;
    EXPECT_TRUE(AskLine(u"Kérdés"_s, QString(), result, false, true));
    EXPECT_TRUE(result.isEmpty());
}

TEST_F(AskLineTest, TheAnswerKeepsItsBlanks)
{
    ModalAnswerer answer([](QWidget &d) {
        QTest::keyClicks(edtVal(d), u"  Portugal "_s);
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    QString result;
    EXPECT_TRUE(AskLine(u"Kérdés"_s, QString(), result, false, false));
    EXPECT_EQ(result, u"  Portugal "_s);
}

TEST_F(AskLineTest, EscAndMegsemLeaveTheAnswerAlone)
{
    const ModalAnswerer::Action ways[] = {ModalAnswerer::pressKey(Qt::Key_Escape),
                                          ModalAnswerer::clickButton(u"bbtnMegsem"_s)};
    for (const auto &way : ways) {
        ModalAnswerer answer(way);
        QString result = u"unchanged"_s;
        EXPECT_FALSE(AskLine(u"Kérdés"_s, u"alap"_s, result, false, false));
        EXPECT_TRUE(answer.answered());
        EXPECT_EQ(result, u"unchanged"_s);
    }
}

TEST_F(AskLineTest, ShowsTheQuestionAndTheDefaultWhollySelected)
{
    QString question, selected;
    bool focused = false;
    ModalAnswerer answer([&](QWidget &d) {
        question = d.findChild<QLabel *>(u"lblKerd"_s)->text();
        selected = edtVal(d)->selectedText();
        focused = d.focusWidget() == edtVal(d);
        QTest::keyClick(edtVal(d), Qt::Key_Return);
    });
    QString result;
    EXPECT_TRUE(AskLine(u"Melyik nyelv?"_s, u"Angol"_s, result, false, false));
    EXPECT_EQ(question, u"Melyik nyelv?"_s);
    EXPECT_EQ(selected, u"Angol"_s);
    EXPECT_TRUE(focused);
    EXPECT_EQ(result, u"Angol"_s);
}

TEST_F(AskLineTest, EachCallReusesTheOneDialog)
{
    const QWidget *first = nullptr;
    const QWidget *second = nullptr;
    {
        ModalAnswerer answer([&](QWidget &d) {
            first = &d;
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QString result;
        AskLine(u"Egy"_s, QString(), result, false, false);
    }
    {
        ModalAnswerer answer([&](QWidget &d) {
            second = &d;
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QString result;
        AskLine(u"Kettő"_s, QString(), result, false, false);
    }
    EXPECT_EQ(first, &dialog);
    EXPECT_EQ(second, &dialog);
}

// The browse button: where the chooser starts and what lands in the line.
struct BrowseCase {
    const char *name;
    bool foldersOnly;
    QString line;        // the line's text when the button is pressed
    QString chosen;      // the chooser's answer; empty: cancelled
    QString startFolder; // expected start folder
    QString startName;   // expected pre-filled name
    QString lineAfter;   // expected text of the line afterwards
};

class BrowseTest : public AskLineTest, public ::testing::WithParamInterface<BrowseCase> {};

TEST_P(BrowseTest, FillsTheLine)
{
    const BrowseCase &c = GetParam();
    QString folder, name;
    dialog.setFileChooser([&](const QString &f, const QString &n) {
        folder = f;
        name = n;
        return c.chosen;
    });
    bool browseShown = false;
    ModalAnswerer answer([&](QWidget &d) {
        auto *browse = d.findChild<QPushButton *>(u"bbtnTalloz"_s);
        browseShown = browse->isVisible();
        QTest::mouseClick(browse, Qt::LeftButton);
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnOk"_s), Qt::LeftButton);
    });
    QString result;
    EXPECT_TRUE(AskLineEx(u"Fájl?"_s, c.line, result, true, false, c.foldersOnly));
    EXPECT_TRUE(browseShown);
    EXPECT_EQ(folder, c.startFolder);
    EXPECT_EQ(name, c.startName);
    EXPECT_EQ(result, c.lineAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, BrowseTest,
    ::testing::Values(BrowseCase{"FilePicked", false, u"/srv/a/szavak.txt"_s, u"/srv/b/uj.txt"_s,
                                 u"/srv/a"_s, u"szavak.txt"_s, u"/srv/b/uj.txt"_s},
                      BrowseCase{"FileCancelled", false, u"/srv/a/szavak.txt"_s, QString(),
                                 u"/srv/a"_s, u"szavak.txt"_s, u"/srv/a/szavak.txt"_s},
                      BrowseCase{"FolderPicked", true, u"/srv/a"_s, u"/srv/b/Csak könyvtár!"_s,
                                 u"/srv/a"_s, u"Csak könyvtár!"_s, u"/srv/b"_s},
                      BrowseCase{"FolderCancelled", true, u"/srv/a"_s, QString(), u"/srv/a"_s,
                                 u"Csak könyvtár!"_s, u"/srv/a"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// The dialog is made at start-up; a file dialog inside it would start
// reading the folder Qt remembers, which may hold files whose read blocks.
TEST_F(AskLineTest, MakesNoFileDialogBeforeTheBrowseButtonIsPressed)
{
    EXPECT_TRUE(dialog.findChildren<QFileDialog *>().isEmpty());
}

TEST_F(AskLineTest, BrowsingAFolderWithSpecialFilesOpensNoneOfThem)
{
    SpecialFilesFolder folder;
    bool fileDialogShown = false;
    QString typeOfAdat;
    ModalAnswerer answer([&](QWidget &d) {
        // The browse button's own dialog, answered inside its loop.
        ModalAnswerer browse(
            [&](QWidget &fileDialog) {
                fileDialogShown = qobject_cast<QFileDialog *>(&fileDialog) != nullptr;
                auto *model = fileDialog.findChild<QFileSystemModel *>();
                ASSERT_NE(model, nullptr);
                const QModelIndex adat = model->index(folder.path(u"adat"_s));
                (void)QTest::qWaitFor([&] { return !model->type(adat).isEmpty(); }, 3000);
                typeOfAdat = model->type(adat);
                QTest::keyClick(&fileDialog, Qt::Key_Escape);
            },
            300);
        QTest::mouseClick(d.findChild<QPushButton *>(u"bbtnTalloz"_s), Qt::LeftButton);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QString result;
    AskLineEx(u"Mappa?"_s, folder.folder(), result, true, false, true);
    EXPECT_TRUE(fileDialogShown);
    EXPECT_FALSE(typeOfAdat.isEmpty());
    EXPECT_FALSE(typeOfAdat.contains(u"PDF"_s)) << typeOfAdat.toStdString();
    EXPECT_FALSE(folder.readerWasBlocked());
    EXPECT_TRUE(dialog.findChildren<QFileDialog *>().isEmpty());
}

TEST_F(AskLineTest, TheBrowseButtonShowsOnlyWhenAskedFor)
{
    bool browseShown = true;
    ModalAnswerer answer([&](QWidget &d) {
        browseShown = d.findChild<QPushButton *>(u"bbtnTalloz"_s)->isVisible();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QString result;
    AskLine(u"Kérdés"_s, QString(), result, false, false);
    EXPECT_FALSE(browseShown);
}

} // namespace

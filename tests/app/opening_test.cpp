// Opening the remembered dictionary at start-up, and what happens when it
// cannot be opened.
#include "mainwindow_fixture.h"

#include "support/modal_script.h"

#include <QCryptographicHash>
#include <QFile>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

using OpeningTest = MainWindowTest;

TEST_F(OpeningTest, ADeletedRememberedDictionaryFallsBackToTheFirstListed)
{
    writeIni("[Szotar]\r\nNev=" + program.filePath(u"Nemet_Magyar.DB"_s).toUtf8() + "\r\n");
    ModalScript script({u"bbtnOk"_s});
    start();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A Nemet_Magyar.DB szótárt nem sikerült megnyitni, másik szótárra váltok"_s});
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(child<QListWidget>(u"lbNyelvek"_s)->currentItem()->text(), u"Angol_Magyar"_s);
}

TEST_F(OpeningTest, AnEmptyDirectoryAsksAtOnceAndACancelLeavesNoDictionary)
{
    QFile::remove(program.filePath(u"Angol_Magyar.DB"_s));
    ModalScript script({u"bbtnOk"_s});
    start();
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(
        script.messages[0].endsWith(u"nem nyitható meg\nAdj meg egy másik adatbázis-fájlt"_s));
    EXPECT_FALSE(dm->tblSzotarP.isOpen());
    EXPECT_TRUE(child<QRadioButton>(u"rbAM"_s)->isHidden());
    EXPECT_TRUE(child<QRadioButton>(u"rbMA"_s)->isHidden());
    EXPECT_EQ(tabs()->tabText(0), u"Fordító"_s);
}

TEST_F(OpeningTest, ARebuildMarkerRebuildsTheIndexesOnce)
{
    QFile marker(program.filePath(u"Angol_Magyar.nip"_s));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    ModalScript script({u"bbtnOk"_s}); // "Indexelés kész"
    start();
    EXPECT_EQ(script.messages, QStringList{u"Indexelés kész"_s});
    EXPECT_FALSE(QFile::exists(program.filePath(u"Angol_Magyar.nip"_s)));
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.indexFieldNames(), u"Angol"_s);
    EXPECT_TRUE(dm->tblSzotarP.indexNames().contains(u"iMagyar"_s));
}

TEST_F(OpeningTest, ANameDifferingInLetterCaseSelectsTheListEntry)
{
    writeIni("[Szotar]\r\nNev=" + program.filePath(u"angol_magyar.db"_s).toUtf8() + "\r\n");
    start();
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(child<QListWidget>(u"lbNyelvek"_s)->currentItem()->text(), u"Angol_Magyar"_s);
}

TEST_F(OpeningTest, AFileThatIsNoDictionaryIsReplacedAndLeftUnchanged)
{
    const QString broken = program.filePath(u"Nemet_Magyar.DB"_s);
    {
        QFile file(broken);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, '\x5a'));
    }
    auto digest = [&] {
        QFile file(broken);
        file.open(QIODevice::ReadOnly);
        return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    };
    const QByteArray before = digest();
    writeIni("[Szotar]\r\nNev=" + broken.toUtf8() + "\r\n");
    ModalScript script({u"bbtnOk"_s});
    start();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A Nemet_Magyar.DB szótárt nem sikerült megnyitni, másik szótárra váltok"_s});
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.tableName(), u"Angol_Magyar.DB"_s);
    EXPECT_EQ(digest(), before);
}

} // namespace

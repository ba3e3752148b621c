// The language tab and the other ways of choosing a dictionary.
#include "mainwindow_fixture.h"

#include "support/modal_script.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

using namespace Qt::StringLiterals;

namespace {

using LanguageTest = MainWindowTest;

TEST_F(LanguageTest, TheChosenDirectionIsUsedAndRemembered)
{
    start();
    tabs()->setCurrentWidget(child<QWidget>(u"tsNyelvValt"_s));
    child<QRadioButton>(u"rbMA"_s)->click();
    tabs()->setCurrentWidget(child<QWidget>(u"tsBongesz"_s));
    EXPECT_EQ(tabs()->tabText(0), u"Fordítás: Magyar --> Angol"_s);
    EXPECT_EQ(window->state().ToColumnIndex, 0);
    EXPECT_EQ(dm->tblSzotarPAngol->fieldName(), u"Magyar"_s);
    stop();
    start();
    EXPECT_EQ(tabs()->tabText(0), u"Fordítás: Magyar --> Angol"_s);
    EXPECT_TRUE(child<QRadioButton>(u"rbMA"_s)->isChecked());
}

TEST_F(LanguageTest, DroppedIndexesAreRebuiltAtTheNextOpen)
{
    start();
    {
        ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s}); // Igen, then "Indexek törölve"
        child<QPushButton>(u"bbtnIndTorl"_s)->click();
        EXPECT_EQ(script.messages.value(1), u"Indexek törölve"_s);
    }
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_FALSE(QFile::exists(program.filePath(u"Angol_Magyar.nip"_s)));
    ModalScript script({u"bbtnOk"_s}); // "Indexelés kész"
    tabs()->setCurrentWidget(child<QWidget>(u"tsNyelvValt"_s));
    tabs()->setCurrentWidget(child<QWidget>(u"tsBongesz"_s));
    EXPECT_EQ(script.messages, QStringList{u"Indexelés kész"_s});
    EXPECT_TRUE(dm->tblSzotarP.indexNames().contains(u"iAngol"_s));
}

// The settings file is Windows-1250: a dictionary path it cannot hold would
// be lost at the close, and the next start would open another dictionary.
TEST_F(LanguageTest, APathTheSettingsCannotHoldIsToldOnceWhenChosen)
{
    const QString hungarian = program.filePath(u"Szótárak ő"_s);
    const QString clef = program.filePath(u"Kotta 𝄞"_s);
    for (const QString &folder : {hungarian, clef}) {
        ASSERT_TRUE(QDir().mkpath(folder));
        CreateTestDictionary(folder, u"Angol_Magyar.DB"_s, u"Angol"_s, u"Magyar"_s,
                             {{u"house"_s, u"ház"_s}});
    }
    start();
    QString chosen;
    window->setDictionaryFileChooser([&](const QString &, const QString &) { return chosen; });
    struct Choice {
        QString folder;
        int messages;
    };
    for (const Choice &choice : {Choice{hungarian, 0}, Choice{clef, 1}, Choice{clef, 0}}) {
        chosen = QDir(choice.folder).filePath(u"Angol_Magyar.DB"_s);
        ModalScript script({u"bbtnOk"_s});
        window->OpenDictionary(true);
        EXPECT_EQ(window->state().DictionaryFile, chosen);
        ASSERT_EQ(script.messages.size(), choice.messages) << choice.folder.toStdString();
        if (choice.messages > 0) {
            EXPECT_TRUE(QString(script.messages[0]).remove(u'\n').contains(u"nem tud tárolni"_s))
                << script.messages[0].toStdString();
        }
    }
}

TEST_F(LanguageTest, AProgramFolderTheSettingsCannotHoldIsNotToldAtStartUp)
{
    // The next start opens the same default dictionary: nothing is lost.
    programDirectory = program.filePath(u"Kotta 𝄞"_s);
    ASSERT_TRUE(QDir().mkpath(programDirectory));
    for (const QString &file : {u"Angol_Magyar.DB"_s, u"Nemet_Magyar.DB"_s})
        CreateTestDictionary(programDirectory, file, file.section(u'_', 0, 0), u"Magyar"_s,
                             {{u"house"_s, u"ház"_s}});
    ModalScript script;
    start();
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_TRUE(dm->tblSzotarP.isOpen());

    // Another dictionary of that folder is lost at the next start.
    tabs()->setCurrentWidget(child<QWidget>(u"tsNyelvValt"_s));
    auto *list = child<QListWidget>(u"lbNyelvek"_s);
    ASSERT_EQ(list->count(), 2);
    list->setCurrentRow(1);
    ModalScript told({u"bbtnOk"_s});
    tabs()->setCurrentWidget(child<QWidget>(u"tsBongesz"_s));
    EXPECT_EQ(window->state().DictionaryFile,
              QDir(programDirectory).filePath(u"Nemet_Magyar.DB"_s));
    EXPECT_EQ(told.messages.size(), 1);
}

} // namespace

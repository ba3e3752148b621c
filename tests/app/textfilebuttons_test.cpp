// The maintenance buttons that fill the open dictionary from a text file and
// write it to one.
#include "mainwindow_fixture.h"

#include "support/modal_script.h"
#include "support/printers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

// Messages compared without blanks and line breaks: the question dialog
// breaks long lines where it likes.
QStringList flat(QStringList messages)
{
    for (QString &message : messages)
        message.removeIf([](QChar c) { return c.isSpace(); });
    return messages;
}

class TextFileButtonsTest : public MainWindowTest {
protected:
    QString file(const QString &name) const { return QDir(program.path()).filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile out(file(name));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    }

    QByteArray contentOf(const QString &name) const
    {
        QFile in(file(name));
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("(nincs)");
    }

    void click(const char *button) { child<QPushButton>(QString::fromLatin1(button))->click(); }

    // od2 and sd2 answer with these names, relative to the program folder
    // (empty: cancelled); sd2 gives the next of its names each time it is
    // shown, and is cancelled once they run out. What they were shown is
    // recorded.
    void answerDialogsSaving(const QString &open, const QStringList &saves)
    {
        window->setDictionaryFileChooser([this, open](const QString &folder, const QString &name) {
            shown << u"od2: "_s + folder + u" | "_s + name;
            return open.isEmpty() ? QString() : file(open);
        });
        window->setTextSaveChooser(
            [this, saves, next = 0](const QString &folder, const QString &name) mutable {
                shown << u"sd2: "_s + folder + (name.isEmpty() ? QString() : u" | "_s + name);
                const QString save = saves.value(next++);
                return save.isEmpty() ? QString() : file(save);
            });
    }
    void answerDialogs(const QString &open, const QString &save)
    {
        answerDialogsSaving(open, save.isEmpty() ? QStringList() : QStringList{save});
    }

    QStringList shown;
};

struct ButtonPlace {
    const char *name;
    const char16_t *caption;
    QRect geometry;
};

class TextFileButtonPlaceTest : public TextFileButtonsTest,
                                public ::testing::WithParamInterface<ButtonPlace> {};

TEST_P(TextFileButtonPlaceTest, SitsOnTheMaintenancePanel)
{
    start();
    const auto *button = child<QPushButton>(QString::fromLatin1(GetParam().name));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QString::fromUtf16(GetParam().caption));
    EXPECT_EQ(button->geometry(), GetParam().geometry);
    EXPECT_EQ(button->parentWidget()->objectName(), u"pnlKarb"_s);
}

INSTANTIATE_TEST_SUITE_P(Buttons, TextFileButtonPlaceTest,
                         ::testing::Values(ButtonPlace{"bbtnFeltTxtbol", u"Feltöltés textfájlból",
                                                       QRect(8, 48, 241, 25)},
                                           ButtonPlace{"bbtnMentTextbe", u"Mentés textfájlba",
                                                       QRect(8, 80, 241, 25)}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(TextFileButtonsTest, ImportAddsTheNewPairsAndSaysDone)
{
    start();
    writeFile(u"szavak.txt"_s, "House\tH\xC1Z\r\nDog\tkutya\r\n");
    answerDialogs(u"szavak.txt"_s, {});
    ModalScript script({u"bbtnOk"_s});
    click("bbtnFeltTxtbol");
    EXPECT_EQ(flat(script.messages), flat({u"Feltöltés kész"_s}));
    EXPECT_EQ(script.unexpected, 0);
    // od2 starts in the dictionary's folder with its name filled in.
    EXPECT_EQ(shown,
              QStringList{u"od2: "_s + window->state().DatabaseDir + u" | Angol_Magyar.DB"_s});
    EXPECT_EQ(dm->tblSzotarP.recordCount(), 2);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_FALSE(dm->tblSzotarP.indexNames().contains(u"AM"_s));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TextFileButtonsTest, CancelledDialogsChangeNothing)
{
    start();
    answerDialogs({}, {});
    ModalScript script;
    click("bbtnFeltTxtbol");
    click("bbtnMentTextbe");
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_EQ(shown.size(), 2);
    EXPECT_EQ(dm->tblSzotarP.recordCount(), 1);
}

TEST_F(TextFileButtonsTest, BinaryFileIsRefusedWithAMessageAndTheCursorBack)
{
    start();
    writeFile(u"kep.txt"_s, QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    answerDialogs(u"kep.txt"_s, {});
    ModalScript script({u"bbtnOk"_s});
    click("bbtnFeltTxtbol");
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(flat(script.messages).front().contains(u"nemszövegfájl"_s))
        << script.messages.front().toStdString();
    EXPECT_EQ(dm->tblSzotarP.recordCount(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TextFileButtonsTest, ExportWritesTheDictionaryWithTxtAppended)
{
    start();
    answerDialogs({}, u"lista"_s);
    ModalScript script({u"bbtnOk"_s});
    click("bbtnMentTextbe");
    EXPECT_EQ(flat(script.messages), flat({u"Mentés kész"_s}));
    EXPECT_EQ(contentOf(u"lista.txt"_s), "house\th\xE1z\r\n");
    EXPECT_EQ(shown, QStringList{u"sd2: "_s + window->state().DatabaseDir});
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(TextFileButtonsTest, ExportAsksBeforeReplacingAFile)
{
    start();
    writeFile(u"regi.txt"_s, "old\r\n");
    answerDialogs({}, u"regi.txt"_s);
    {
        ModalScript script({u"bbtnMegsem"_s});
        click("bbtnMentTextbe");
        EXPECT_EQ(flat(script.messages), flat({u"A regi.txt fájl már létezik.\nFelülírod?"_s}));
        EXPECT_EQ(contentOf(u"regi.txt"_s), "old\r\n");
    }
    answerDialogs({}, u"regi.txt"_s);
    ModalScript script({u"bbtnOk"_s, u"bbtnOk"_s});
    click("bbtnMentTextbe");
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(contentOf(u"regi.txt"_s), "house\th\xE1z\r\n");
}

// "Nem" to replacing a file is no cancel: the save dialog comes back on the
// declined name, and the name chosen next is written.
TEST_F(TextFileButtonsTest, ExportOverwriteNemReturnsToTheSaveDialog)
{
    start();
    writeFile(u"regi.txt"_s, "old\r\n");
    answerDialogsSaving({}, {u"regi.txt"_s, u"uj"_s});
    ModalScript script({u"bbtnMegsem"_s, u"bbtnOk"_s});
    click("bbtnMentTextbe");
    EXPECT_EQ(flat(script.messages),
              flat({u"A regi.txt fájl már létezik.\nFelülírod?"_s, u"Mentés kész"_s}));
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(shown, (QStringList{u"sd2: "_s + window->state().DatabaseDir,
                                  u"sd2: "_s + program.path() + u" | regi.txt"_s}));
    EXPECT_EQ(contentOf(u"regi.txt"_s), "old\r\n");
    EXPECT_EQ(contentOf(u"uj.txt"_s), "house\th\xE1z\r\n");
}

} // namespace

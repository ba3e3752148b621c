// The maintenance buttons that create, empty and delete dictionary files and
// change the database folder.
#include "mainwindow_fixture.h"

#include "store/engine/session.h"
#include "store/engine/table.h"
#include "support/printers.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <deque>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

// Works through the modal dialogs the code under test shows, one action per
// dialog in order, and records the question dialog's messages. A dialog
// beyond the script is counted and cancelled, so that a wrong test fails
// instead of hanging.
class DialogScript final : public QObject {
public:
    using Action = std::function<void(QWidget &dialog)>;

    explicit DialogScript(std::deque<Action> actions) : m_actions(std::move(actions))
    {
        qApp->installEventFilter(this);
    }
    ~DialogScript() override { qApp->removeEventFilter(this); }

    static Action click(const QString &button)
    {
        return [button](QWidget &d) { d.findChild<QPushButton *>(button)->click(); };
    }
    static Action type(const QString &text)
    {
        return [text](QWidget &d) {
            QTest::keyClicks(d.findChild<QLineEdit *>(u"edtVal"_s), text);
            d.findChild<QPushButton *>(u"bbtnOk"_s)->click();
        };
    }

    QStringList messages;
    int unexpected = 0;
    bool done() const { return m_actions.empty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            const auto *widget = static_cast<QWidget *>(watched);
            if (widget->isWindow() && widget->isModal())
                QTimer::singleShot(0, this, [this] { act(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void act()
    {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || !dialog->isVisible())
            return;
        if (const auto *label = dialog->findChild<QLabel *>(u"lblKerdes"_s))
            messages << label->text();
        if (m_actions.empty()) {
            ++unexpected;
            dialog->close();
            return;
        }
        const Action action = m_actions.front();
        m_actions.pop_front();
        action(*dialog);
    }

    std::deque<Action> m_actions;
};

// The question dialog breaks long lines where it likes, inside a word too:
// messages are compared without blanks and line breaks.
QStringList flat(QStringList messages)
{
    for (QString &message : messages)
        message.removeIf([](QChar c) { return c.isSpace(); });
    return messages;
}

const QString kYes = u"bbtnOk"_s;
const QString kCancel = u"bbtnMegsem"_s;

class FileButtonsTest : public MainWindowTest {
protected:
    QString dbPath() const { return window->state().DatabasePath; }
    QStringList listed() const
    {
        QStringList names;
        const auto *list = child<QListWidget>(u"lbNyelvek"_s);
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }
    void click(const char *button) { child<QPushButton>(QString::fromLatin1(button))->click(); }
};

TEST_F(FileButtonsTest, ANewDictionaryGetsTheFirstFreeNumberAndIsOpened)
{
    for (const QString &file : {u"Nemet_Portugal.DB"_s, u"Nemet_Portugal1.DB"_s})
        CreateTestDictionary(program.path(), file, u"Nemet"_s, u"Portugal"_s, {});
    start();
    DialogScript script({DialogScript::type(u"  Nemet "_s), DialogScript::type(u"Portugal\t"_s),
                         DialogScript::click(kYes)});
    click("bbtnUjTabla");
    EXPECT_TRUE(script.done());
    EXPECT_EQ(script.unexpected, 0);
    const QString created = dbPath() + u"Nemet_Portugal2.DB"_s;
    EXPECT_EQ(flat(script.messages), flat({u"Az új tábla elkészült:\n"_s + created}));
    EXPECT_TRUE(QFile::exists(created));
    EXPECT_EQ(window->state().DictionaryFile, created);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(window->state().FromColumn, u"Nemet"_s);
    EXPECT_TRUE(listed().contains(u"Nemet_Portugal2"_s));
}

TEST_F(FileButtonsTest, CancellingEitherLanguageCreatesNothing)
{
    start();
    const QStringList before = QDir(program.path()).entryList(QDir::Files);
    for (auto script : {std::deque<DialogScript::Action>{DialogScript::click(kCancel)},
                        std::deque<DialogScript::Action>{DialogScript::type(u"Nemet"_s),
                                                         DialogScript::click(kCancel)}}) {
        DialogScript run(std::move(script));
        click("bbtnUjTabla");
        EXPECT_TRUE(run.done());
        EXPECT_EQ(run.unexpected, 0);
    }
    EXPECT_EQ(QDir(program.path()).entryList(QDir::Files), before);
    EXPECT_EQ(window->state().FromColumn, u"Angol"_s);
}

TEST_F(FileButtonsTest, EmptyingAsksTwiceAndKeepsTheDictionaryOpen)
{
    start();
    const QString file = window->state().DictionaryFile;
    {
        DialogScript script({DialogScript::click(kYes), DialogScript::click(kCancel)});
        click("bbtnSzotUrit");
        EXPECT_EQ(flat(script.messages),
                  flat({file + u"\nTörlöd a szótár tartalmát?"_s,
                        u"Biztosan törlöd a teljes tartalmat?\n(Minden adat el fog veszni!)"_s}));
        EXPECT_EQ(dm->tblSzotarP.recordCount(), 1);
    }
    DialogScript script({DialogScript::click(kYes), DialogScript::click(kYes)});
    click("bbtnSzotUrit");
    EXPECT_EQ(script.unexpected, 0); // no message follows
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.recordCount(), 0);
}

TEST_F(FileButtonsTest, DeletingTheOnlyDictionaryLeavesNoneToOpen)
{
    start();
    const QString file = window->state().DictionaryFile;
    {
        DialogScript script({DialogScript::click(kYes), DialogScript::click(kCancel)});
        click("bbtnSzotarTorl");
        EXPECT_TRUE(QFile::exists(file));
        EXPECT_TRUE(dm->tblSzotarP.isOpen());
    }
    DialogScript script(
        {DialogScript::click(kYes), DialogScript::click(kYes), DialogScript::click(kYes)});
    click("bbtnSzotarTorl");
    EXPECT_EQ(flat(script.messages),
              flat({file + u"\nTörlöd a teljes szótárt a lemezről?"_s,
                    u"Biztosan törlöd a teljes szótárt a lemezről?\n(Minden adat el fog veszni!)"_s,
                    u"Nincs megnyitható szótár"_s}));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(listed().isEmpty());
    EXPECT_EQ(tabs()->currentWidget(), child<QWidget>(u"tsNyelvValt"_s));
    EXPECT_EQ(tabs()->tabText(0), u"Fordító"_s);
    EXPECT_FALSE(dm->tblSzotarP.isOpen());
}

TEST_F(FileButtonsTest, AfterDeletingTheFirstRemainingDictionaryIsNext)
{
    CreateTestDictionary(program.path(), u"Nemet_Magyar.DB"_s, u"Nemet"_s, u"Magyar"_s,
                         {{u"Haus"_s, u"ház"_s}});
    start();
    DialogScript script({DialogScript::click(kYes), DialogScript::click(kYes)});
    click("bbtnSzotarTorl");
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_EQ(listed(), QStringList{u"Nemet_Magyar"_s});
    EXPECT_EQ(window->state().DictionaryFile, dbPath() + u"Nemet_Magyar.DB"_s);
    EXPECT_FALSE(dm->tblSzotarP.isOpen());
    tabs()->setCurrentWidget(child<QWidget>(u"tsBongesz"_s)); // leaving the tab opens it
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(window->state().FromColumn, u"Nemet"_s);
}

TEST_F(FileButtonsTest, AnotherFolderBecomesTheDatabaseFolder)
{
    const QString other = program.filePath(u"Masik"_s);
    ASSERT_TRUE(QDir().mkpath(other));
    CreateTestDictionary(other, u"Nemet_Magyar.DB"_s, u"Nemet"_s, u"Magyar"_s, {});
    start();
    {
        DialogScript script({DialogScript::click(kCancel)});
        click("bbtnMasDBKonyvtar");
        EXPECT_TRUE(script.done());
        EXPECT_EQ(window->state().DatabaseDir, program.path());
        EXPECT_TRUE(dm->tblSzotarP.isOpen());
    }
    QString startedAt;
    DialogScript script({[&](QWidget &d) {
        auto *tree = d.findChild<QTreeView *>(u"stv1"_s);
        auto *model = static_cast<QFileSystemModel *>(tree->model());
        startedAt = model->filePath(tree->currentIndex());
        tree->setCurrentIndex(model->index(other));
        d.findChild<QPushButton *>(u"bbtnOk"_s)->click();
    }});
    click("bbtnMasDBKonyvtar");
    EXPECT_EQ(startedAt, program.path());
    EXPECT_EQ(window->state().DatabaseDir, other);
    EXPECT_EQ(window->state().DatabasePath, other + u"/"_s);
    EXPECT_EQ(listed(), QStringList{u"Nemet_Magyar"_s});
    EXPECT_EQ(tabs()->currentWidget(), child<QWidget>(u"tsNyelvValt"_s));
    EXPECT_FALSE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(tabs()->tabText(0), u"Fordító"_s);
}

TEST_F(FileButtonsTest, AVanishedDatabaseFolderIsReportedAndNothingChanges)
{
    const QString other = program.filePath(u"Masik"_s);
    ASSERT_TRUE(QDir().mkpath(other));
    CreateTestDictionary(other, u"Angol_Magyar.DB"_s, u"Angol"_s, u"Magyar"_s, {});
    start();
    window->state().DictionaryFile = QDir(other).filePath(u"Angol_Magyar.DB"_s);
    window->OpenDictionary(false);
    ASSERT_EQ(window->state().DatabaseDir, other);
    dm->tblSzotarP.close();
    ASSERT_TRUE(QDir(other).removeRecursively());
    DialogScript script({DialogScript::click(kYes)});
    click("bbtnMasDBKonyvtar");
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].simplified().contains(u"Masik"_s))
        << script.messages[0].toStdString();
    EXPECT_EQ(window->state().DatabaseDir, other);
}

TEST_F(FileButtonsTest, ADictionaryAnotherProgramHoldsIsKeptAndStaysInUse)
{
    start();
    const QString file = window->state().DictionaryFile;
    store::Session otherProgram;
    store::Table held(otherProgram);
    held.setDatabaseName(program.path());
    held.setTableName(u"Angol_Magyar.DB"_s);
    held.open();
    DialogScript script(
        {DialogScript::click(kYes), DialogScript::click(kYes), DialogScript::click(kYes)});
    click("bbtnSzotarTorl");
    EXPECT_EQ(script.messages.size(), 3);
    EXPECT_EQ(script.unexpected, 0);
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(held.recordCount(), 1);
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(tabs()->tabText(0), u"Fordítás: Angol --> Magyar"_s);
}

// After a deletion or a folder change the table may still be bound to a file
// the user no longer sees: neither button may touch it.
TEST_F(FileButtonsTest, WithoutAnOpenDictionaryNothingIsEmptiedOrDeleted)
{
    start();
    const QString file = window->state().DictionaryFile;
    window->CloseDictionary();
    for (const char *button : {"bbtnSzotUrit", "bbtnSzotarTorl"}) {
        DialogScript script({DialogScript::click(kYes)});
        click(button);
        EXPECT_EQ(script.messages, QStringList{u"Nincs megnyitott szótár"_s}) << button;
        EXPECT_EQ(script.unexpected, 0);
    }
    ASSERT_TRUE(QFile::exists(file));
    dm->tblSzotarP.open();
    EXPECT_EQ(dm->tblSzotarP.recordCount(), 1);
}

TEST_F(FileButtonsTest, ServerCopyTellsItIsNotAvailable)
{
    start();
    DialogScript script({DialogScript::click(kYes)});
    click("bbtnMasol");
    ASSERT_EQ(script.messages.size(), 1);
    EXPECT_TRUE(script.messages[0].contains(u"még nem"_s));
}

} // namespace

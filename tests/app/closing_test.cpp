// The close: the save prompts, a grid row still being edited, and the
// protected stock help.
#include "mainwindow_fixture.h"

#include "help/helppage.h"

#include "editor/filedialogs.h"
#include "editor/fraREEszkTar.h"
#include "support/dictionary_files.h"
#include "support/modal_script.h"
#include "support/printers.h"

#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextEdit>

#include <sqlite3.h>

#include <deque>

using namespace Qt::StringLiterals;

namespace {

using ClosingTest = MainWindowTest;

TEST_F(ClosingTest, ClosePromptsRunInOrder)
{
    start();
    textPane()->insertPlainText(u"x"_s);
    helpPane()->document()->setModified(true);
    {
        ModalScript script({u"bbtnMegsem"_s}); // Mégsem on the text question
        EXPECT_FALSE(window->close());
        EXPECT_EQ(script.messages,
                  QStringList{u"A szöveg tartalma megváltozott.\nMented a változásokat?"_s});
    }
    EXPECT_TRUE(window->isVisible());
    {
        ModalScript script({u"bbtnNem"_s, u"bbtnNem"_s});
        EXPECT_TRUE(window->close());
        ASSERT_EQ(script.messages.size(), 2);
        EXPECT_EQ(script.messages[1], u"A súgó szövege megváltozott.\nMented a változásokat?"_s);
    }
}

TEST_F(ClosingTest, UnchangedDocumentsCloseWithoutQuestions)
{
    start();
    ModalScript script;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(script.messages.isEmpty());
    EXPECT_TRUE(QFile::exists(iniPath()));
}

// "Igen" at the close writes the text pane by its name's extension, as Save
// does: a story kept as plain text stays plain text.
struct CloseSaveCase {
    const char16_t *name;
    QByteArray written; // the file's bytes; empty: RTF is expected
};

void PrintTo(const CloseSaveCase &c, std::ostream *os)
{
    *os << velkor_test::describe(c.name);
}

class CloseSave : public MainWindowTest, public ::testing::WithParamInterface<CloseSaveCase> {};

TEST_P(CloseSave, WritesByTheNamesExtension)
{
    start();
    const QString path = program.filePath(QString::fromUtf16(GetParam().name));
    window->state().TextDocName = path;
    textPane()->clear();
    textPane()->insertPlainText(u"tűz\nő 😀"_s);
    ModalScript script({u"bbtnOk"_s}); // Igen
    EXPECT_TRUE(window->close());
    EXPECT_EQ(script.messages,
              QStringList{u"A szöveg tartalma megváltozott.\nMented a változásokat?"_s});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    if (GetParam().written.isEmpty())
        EXPECT_TRUE(bytes.startsWith("{\\rtf1")) << bytes.left(40).toStdString();
    else
        EXPECT_EQ(bytes, GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Names, CloseSave,
    ::testing::Values(CloseSaveCase{u"story.txt", "t\xC5\xB1z\r\n\xC5\x91 \xF0\x9F\x98\x80\r\n"},
                      CloseSaveCase{u"Dokumentum1", "t\xC5\xB1z\r\n\xC5\x91 \xF0\x9F\x98\x80\r\n"},
                      CloseSaveCase{u"story.RTF", {}}),
    [](const auto &info) { return velkor_test::caseName(info.param.name); });

// Another program holds the write lock of the dictionary file while it lives.
class FileLock {
public:
    explicit FileLock(const QString &path)
    {
        sqlite3_open(path.toUtf8().constData(), &m_db);
        m_locked = sqlite3_exec(m_db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~FileLock() { release(); }
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool locked() const { return m_locked; }
    void release()
    {
        if (!m_db)
            return;
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
        m_db = nullptr;
    }

private:
    sqlite3 *m_db = nullptr;
    bool m_locked = false;
};

// The grid row being edited when the window is closed, with the cell
// editor still open.
class PendingRowTest : public MainWindowTest {
protected:
    QTableView *grid() const { return child<QTableView>(u"dbgrSzotar"_s); }
    QLineEdit *cellEditor() const
    {
        for (auto *editor : grid()->findChildren<QLineEdit *>(u"dbgrSzotarEditor"_s)) {
            if (editor->isVisible())
                return editor;
        }
        return nullptr;
    }
    // Opens the target cell of "house" and types text over it.
    void editTarget(const QString &text)
    {
        tabs()->setCurrentIndex(1);
        grid()->setFocus();
        grid()->setCurrentIndex(grid()->model()->index(0, window->state().ToColumnIndex));
        const QRect cell = grid()->visualRect(grid()->currentIndex());
        QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_NE(cellEditor(), nullptr);
        cellEditor()->selectAll();
        QTest::keyClicks(cellEditor(), text);
    }
    QString storedTarget() const
    {
        return velkor_test::readRows(program.filePath(u"Angol_Magyar.DB"_s), {u"Magyar"_s})
            .at(0)
            .values.at(0);
    }
};

TEST_F(PendingRowTest, TheEditedRowIsStoredAtTheClose)
{
    start();
    editTarget(u"lak"_s);
    ModalScript script;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(script.messages.isEmpty());
    stop();
    EXPECT_EQ(storedTarget(), u"lak"_s);
}

TEST_F(PendingRowTest, ALockedFileKeepsTheWindowOpenAndTheRow)
{
    start();
    editTarget(u"lak"_s);
    FileLock lock(program.filePath(u"Angol_Magyar.DB"_s));
    ASSERT_TRUE(lock.locked());
    {
        ModalScript script({u"bbtnOk"_s});
        EXPECT_FALSE(window->close());
        ASSERT_EQ(script.messages.size(), 1);
        EXPECT_TRUE(script.messages[0].contains(u"zárolva"_s)) << script.messages[0].toStdString();
    }
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(dm->tblSzotarP.isOpen());
    EXPECT_EQ(dm->tblSzotarP.state(), store::TableState::Edit);
    EXPECT_EQ(dm->tblSzotarPMagyar->asString(), u"lak"_s);
    EXPECT_EQ(grid()->model()->index(0, window->state().ToColumnIndex).data().toString(), u"lak"_s);

    // Once the other program lets go, the next close stores the row.
    lock.release();
    ModalScript script;
    EXPECT_TRUE(window->close());
    EXPECT_TRUE(script.messages.isEmpty());
    stop();
    EXPECT_EQ(storedTarget(), u"lak"_s);
}

// The text frame's save dialog, answered from a list; records how it was prepared.
class AnsweredSaveDialog final : public FileDialogs {
public:
    std::optional<QString> chooseOpen(const QString &, const QString &) override
    {
        return std::nullopt;
    }
    std::optional<SaveChoice> chooseSave(const QString &directory, const QString &name) override
    {
        asked.push_back(directory + u'|' + name);
        if (answers.empty())
            return std::nullopt;
        SaveChoice choice{answers.front(), 1};
        answers.pop_front();
        return choice;
    }
    std::deque<QString> answers;
    QStringList asked;
};

TEST_F(ClosingTest, TheStockHelpIsNeverOverwritten)
{
    start();
    const QString stock = program.filePath(TfrmSzotarQIV::StockHelpName());
    const QString modified = program.filePath(u"Súgó (módosított).rtf"_s);
    ASSERT_EQ(window->state().HelpDocName, stock);
    auto dialogs = std::make_unique<AnsweredSaveDialog>();
    AnsweredSaveDialog &answered = *dialogs;
    answered.answers = {stock, modified};
    child<TfraREEszkTar>(u"fraREEszkTarSzov"_s)->setFileDialogs(std::move(dialogs));
    const QByteArray before = [&] {
        QFile file(stock);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }();
    ModalScript script({u"bbtnOk"_s});
    child<HelpPage>(u"tsSugo"_s)->SaveHelpDocument();
    EXPECT_EQ(
        script.messages,
        QStringList{u"A módosított súgófájl nem menthető ezen a néven.\nAdj meg más nevet"_s});
    ASSERT_EQ(answered.asked.size(), 2);
    EXPECT_EQ(answered.asked[0], program.path() + u"|Súgó (módosított).rtf"_s);
    EXPECT_EQ(window->state().HelpDocName, modified);
    EXPECT_TRUE(QFile::exists(modified));
    QFile file(stock);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

// The stock help opened in the text pane and changed there: "Igen" at the
// close asks for another name instead of writing over it, and a cancelled
// name keeps the window open.
TEST_F(ClosingTest, TheCloseNeverWritesTheStockHelpFromTheTextPane)
{
    start();
    const QString stock = program.filePath(TfrmSzotarQIV::StockHelpName());
    const QString modified = program.filePath(u"Súgó (módosított).rtf"_s);
    const auto bytesOf = [](const QString &path) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    };
    const QByteArray before = bytesOf(stock);
    window->state().TextDocName = stock;
    window->state().TextDocHasFile = true;
    textPane()->insertPlainText(u"x"_s);
    auto dialogs = std::make_unique<AnsweredSaveDialog>();
    AnsweredSaveDialog &answered = *dialogs;
    child<TfraREEszkTar>(u"fraREEszkTarSzov"_s)->setFileDialogs(std::move(dialogs));
    {
        ModalScript script({u"bbtnOk"_s}); // Igen, then the dialog is cancelled
        EXPECT_FALSE(window->close());
    }
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(answered.asked.size(), 1);
    EXPECT_EQ(answered.asked[0], program.path() + u"|Súgó (módosított).rtf"_s);
    answered.answers = {modified};
    {
        ModalScript script({u"bbtnOk"_s});
        EXPECT_TRUE(window->close());
    }
    EXPECT_EQ(bytesOf(stock), before);
    EXPECT_TRUE(QFile::exists(modified));
}

} // namespace

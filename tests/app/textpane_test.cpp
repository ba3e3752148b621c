// The text pane: a mouse release on a word looks it up and shows the popup.
#include "mainwindow_fixture.h"

#include "app/reportingapplication.h"
#include "editor/formatpainter.h"
#include "editor/richtextpane.h"
#include "store/engine/collation.h"
#include "support/modal_script.h"
#include "translator/translationpopup.h"

#include <QCheckBox>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>

#include <sqlite3.h>

#include <ostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

class TextPaneTest : public MainWindowTest {
protected:
    // Releases the mouse button over the middle of the given word of the pane.
    void releaseOn(const QString &word, Qt::MouseButton button)
    {
        QTextEdit &pane = *textPane();
        const int at = int(pane.toPlainText().indexOf(word));
        ASSERT_GE(at, 0);
        QTextCursor cursor(pane.document());
        cursor.setPosition(at + int(word.size()) / 2);
        const QPoint point = pane.cursorRect(cursor).center();
        QTest::mouseClick(pane.viewport(), button, Qt::NoModifier, point);
    }

    bool popupShows(const QString &translation)
    {
        translator::TranslationPopup *popup = window->popup();
        if (!popup || !popup->isPopupShown())
            return false;
        const auto &list = popup->ResultLists()[0];
        for (int i = 0; i < list.Count; ++i) {
            if (list.Items[std::size_t(i)] == translation)
                return true;
        }
        return false;
    }

    QCheckBox *translate() const { return child<QCheckBox>(u"chbFord"_s); }
    QCheckBox *rightButton() const { return child<QCheckBox>(u"chbJobb"_s); }
};

struct ClickCase {
    const char *name;
    bool rightButtonSetting;
    bool translate;
    Qt::MouseButton button;
    bool looksUp;
};

// The case's name in ctest output instead of its bytes.
void PrintTo(const ClickCase &c, std::ostream *os)
{
    *os << c.name;
}

class TextPaneClickTest : public TextPaneTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(TextPaneClickTest, AReleaseOnAWordShowsItsTranslations)
{
    start();
    textPane()->setPlainText(u"The old house stood by the sea."_s);
    rightButton()->setChecked(GetParam().rightButtonSetting);
    translate()->setChecked(GetParam().translate);
    releaseOn(u"house"_s, GetParam().button);
    EXPECT_EQ(popupShows(u"ház"_s), GetParam().looksUp);
    if (GetParam().looksUp) {
        EXPECT_EQ(window->popup()->popupWord(), u"house"_s);
        EXPECT_EQ(textPane()->textCursor().selectedText(), u"house"_s);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Settings, TextPaneClickTest,
    ::testing::Values(ClickCase{"LeftButtonLooksUp", false, true, Qt::LeftButton, true},
                      ClickCase{"RightButtonIgnored", false, true, Qt::RightButton, false},
                      ClickCase{"RightButtonChosen", true, true, Qt::RightButton, true},
                      ClickCase{"LeftButtonNotChosen", true, true, Qt::LeftButton, false},
                      ClickCase{"TranslationOff", false, false, Qt::LeftButton, false}),
    [](const ::testing::TestParamInfo<ClickCase> &info) { return info.param.name; });

TEST_F(TextPaneTest, TheShippedStoryOpensAndItsWordsAreLookedUp)
{
    start();
    rightButton()->setChecked(false);
    ASSERT_TRUE(textPane()->toPlainText().contains(u"house"_s) ||
                textPane()->toPlainText().contains(u"lighthouse"_s));
    textPane()->setPlainText(textPane()->toPlainText() + u" house"_s);
    releaseOn(u" house"_s.mid(1), Qt::LeftButton);
    EXPECT_TRUE(window->popup()->isPopupShown());
    // A press anywhere hides the popup again.
    QTest::mousePress(textPane()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_FALSE(window->popup()->isPopupShown());
    QTest::mouseRelease(textPane()->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

TEST_F(TextPaneTest, AnArmedFormatPainterTakesTheReleaseInsteadOfTheLookup)
{
    start();
    rightButton()->setChecked(false);
    textPane()->setPlainText(u"The old house stood by the sea."_s);
    window->editorHosts().painter.FormatPainterArmed = true;
    releaseOn(u"house"_s, Qt::LeftButton);
    EXPECT_FALSE(window->popup()->isPopupShown());
    EXPECT_FALSE(window->editorHosts().painter.FormatPainterArmed); // applied once, then disarmed
    releaseOn(u"house"_s, Qt::LeftButton);
    EXPECT_TRUE(window->popup()->isPopupShown());
}

// Another program renames the table inside the dictionary file while it lives.
class TableRenamed {
public:
    explicit TableRenamed(const QString &path)
    {
        sqlite3_open(path.toUtf8().constData(), &m_db);
        store::collation::registerWith(m_db); // the indexes name it
        sqlite3_stmt *query = nullptr;
        sqlite3_prepare_v2(m_db, "SELECT name FROM sqlite_master WHERE type='table' LIMIT 1", -1,
                           &query, nullptr);
        if (sqlite3_step(query) == SQLITE_ROW)
            m_name = reinterpret_cast<const char *>(sqlite3_column_text(query, 0));
        sqlite3_finalize(query);
        m_renamed = !m_name.empty() && rename(m_name, "elvitt");
    }
    ~TableRenamed()
    {
        if (m_renamed)
            rename("elvitt", m_name);
        sqlite3_close(m_db);
    }
    TableRenamed(const TableRenamed &) = delete;
    TableRenamed &operator=(const TableRenamed &) = delete;
    bool renamed() const { return m_renamed; }

private:
    bool rename(const std::string &from, const std::string &to)
    {
        const std::string sql = "ALTER TABLE \"" + from + "\" RENAME TO \"" + to + "\"";
        return sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    }

    sqlite3 *m_db = nullptr;
    std::string m_name;
    bool m_renamed = false;
};

TEST_F(TextPaneTest, AFailedLookupIsReportedByTheClickItself)
{
    start();
    rightButton()->setChecked(false);
    textPane()->setPlainText(u"The old house stood by the sea."_s);
    auto *app = qobject_cast<ReportingApplication *>(qApp);
    ASSERT_NE(app, nullptr);
    const int escapedBefore = app->unhandledErrors();
    {
        TableRenamed renamed(program.filePath(u"Angol_Magyar.DB"_s));
        ASSERT_TRUE(renamed.renamed());
        ModalScript script({u"bbtnOk"_s});
        releaseOn(u"house"_s, Qt::LeftButton);
        EXPECT_EQ(script.messages.size(), 1);
    }
    // Handled where it happened, not by the application's last resort.
    EXPECT_EQ(app->unhandledErrors(), escapedBefore);
    releaseOn(u"house"_s, Qt::LeftButton);
    EXPECT_TRUE(popupShows(u"ház"_s));
}

TEST_F(TextPaneTest, BothPanesAreGuardedAgainstPastedResources)
{
    start();
    EXPECT_NE(qobject_cast<RichTextPane *>(textPane()), nullptr);
    EXPECT_NE(qobject_cast<RichTextPane *>(helpPane()), nullptr);
}

} // namespace

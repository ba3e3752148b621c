// The popup driven through its controls: icons, keys and mouse.
#include "lookup_fixture.h"
#include "translator/colorref.h"
#include "translator/timage.h"
#include "translator/translationpopup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace translator;

// The text area panel; counts the Esc presses that reach it.
class TextArea final : public QWidget {
public:
    int escapes = 0;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Escape)
            ++escapes;
        QWidget::keyPressEvent(event);
    }
};

class Popup : public LookupFixture {
protected:
    void SetUp() override
    {
        LookupFixture::SetUp();
        openWith({{QStringLiteral("walk"), QStringLiteral("sétál")},
                  {QStringLiteral("walk"), QStringLiteral("Gyalogol")},
                  {QStringLiteral("walk"), QStringLiteral("andalog")},
                  {QStringLiteral("walker"), QStringLiteral("sétáló")},
                  {QStringLiteral("walkers"), QStringLiteral("sétálók a parkban")}});
        area.resize(600, 400);
        pane = new QWidget(&area);
        pane->setObjectName(QStringLiteral("reSzov"));
        pane->setFocusPolicy(Qt::StrongFocus);
        pane->setGeometry(0, 0, 600, 400);
        popup = new TranslationPopup(*table, *table->findField(QStringLiteral("Angol")),
                                     *table->findField(QStringLiteral("Magyar")), pane, &area);
        area.show();
        area.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    }

    template <typename T> T *child(const char *name) const
    {
        return popup->findChild<T *>(QLatin1String(name));
    }
    QLineEdit *wordBox() const { return child<QLineEdit>("edtSzo"); }

    void clickLookup(const QString &word, int x = 40, int y = 30)
    {
        popup->setKeepWordBoxText(false);
        popup->setPopupAnchor(x, y);
        popup->LookUpWord(word);
    }

    QStringList lines(int index) const
    {
        return listLines(popup->ResultLists()[std::size_t(index)]);
    }

    TextArea area;
    QWidget *pane = nullptr;
    TranslationPopup *popup = nullptr;
};

TEST_F(Popup, ControlsCarryTheirNamesAndStartHidden)
{
    EXPECT_EQ(popup->objectName(), QStringLiteral("pnlUzen"));
    EXPECT_TRUE(popup->isHidden());
    for (const char *name : {"pnlSzo", "pnlSarok", "pnlFord", "lblMinta"})
        EXPECT_NE(child<QWidget>(name), nullptr) << name;
    for (const char *name : {"imgBezar", "imgRendez", "imgCikCakk"}) {
        const auto *icon = child<TImage>(name);
        ASSERT_NE(icon, nullptr) << name;
        EXPECT_EQ(icon->size(), QSize(19, 18)) << name;
        EXPECT_EQ(icon->picture().size(), QSize(19, 18)) << name;
    }
    EXPECT_TRUE(child<TImage>("imgCikCakk")->isHidden());
    EXPECT_EQ(child<TImage>("imgFord")->size(), QSize(1024, 768));
    EXPECT_EQ(popup->PopupCanvas().size(), QSize(1024, 768));
    EXPECT_GT(popup->PopupLineHeight(), 0);
    EXPECT_EQ(wordBox()->text(), QStringLiteral("Ég"));
}

TEST_F(Popup, ClickLookupShowsTheLowerCasedWordAndItsColour)
{
    clickLookup(QStringLiteral("WALKED"));
    ASSERT_TRUE(popup->isVisible());
    EXPECT_EQ(wordBox()->text(), QStringLiteral("walked"));
    EXPECT_EQ(wordBox()->cursorPosition(), 6);
    EXPECT_TRUE(wordBox()->hasFocus());
    EXPECT_TRUE(popup->KeepWordBoxText());
    EXPECT_EQ(wordBox()->palette().color(QPalette::Base), toQColor(kWhite));
    EXPECT_EQ(child<QWidget>("pnlSzo")->palette().color(QPalette::Window), toQColor(kWhite));
    EXPECT_EQ(popup->pos(), QPoint(40, 60));
    // Two lists of one row each under their headers.
    EXPECT_EQ(popup->height(), 18 + 2 * (2 * popup->PopupLineHeight() + 9));
    // The first rule lies along the canvas's top edge.
    EXPECT_EQ(popup->PopupCanvas().pixelColor(500, 0), toQColor(kRuleBlue));
    EXPECT_EQ(popup->PopupCanvas().pixelColor(2, 5), toQColor(kPopupYellow));
}

TEST_F(Popup, TypedLookupsKeepTheWordBoxText)
{
    clickLookup(QStringLiteral("qqq"));
    EXPECT_EQ(wordBox()->palette().color(QPalette::Base), toQColor(kNothingRed));
    wordBox()->selectAll();
    QTest::keyClick(wordBox(), Qt::Key_Backspace);
    QTest::keyClicks(wordBox(), QStringLiteral(" walk "));
    EXPECT_EQ(wordBox()->text(), QStringLiteral(" walk "));
    EXPECT_EQ(popup->LastLookupWord(), QStringLiteral("walk"));
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("sétál"), QStringLiteral("Gyalogol"),
                                     QStringLiteral("andalog")}));
    EXPECT_EQ(wordBox()->palette().color(QPalette::Base), toQColor(kLime));
    EXPECT_EQ(child<QWidget>("pnlSzo")->palette().color(QPalette::Window), toQColor(kLime));
}

TEST_F(Popup, OpenPopupDoesNotShrink)
{
    clickLookup(QStringLiteral("walkers"));
    const int wide = popup->width();
    wordBox()->setText(QStringLiteral("walker"));
    QTest::keyRelease(wordBox(), Qt::Key_R);
    EXPECT_EQ(popup->LastLookupWord(), QStringLiteral("walker"));
    EXPECT_EQ(popup->width(), wide);

    // Once closed, the next lookup sizes it afresh.
    popup->closePopup();
    clickLookup(QStringLiteral("walker"));
    EXPECT_LT(popup->width(), wide);
}

TEST_F(Popup, EscClosesAndGivesTheFocusToThePane)
{
    clickLookup(QStringLiteral("walk"));
    ASSERT_TRUE(wordBox()->hasFocus());
    QTest::keyClick(wordBox(), Qt::Key_Escape);
    EXPECT_TRUE(popup->isHidden());
    EXPECT_TRUE(pane->hasFocus());
    EXPECT_EQ(area.escapes, 0); // consumed by the word box
}

TEST_F(Popup, CloseIconClosesAndGivesTheFocusToThePane)
{
    clickLookup(QStringLiteral("walk"));
    QTest::mouseClick(child<TImage>("imgBezar"), Qt::LeftButton);
    EXPECT_TRUE(popup->isHidden());
    EXPECT_TRUE(pane->hasFocus());
}

TEST_F(Popup, RightButtonReleaseOnTheResultCloses)
{
    clickLookup(QStringLiteral("walk"));
    auto *result = child<TImage>("imgFord");
    QTest::mouseClick(result, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(popup->isVisible());
    QTest::mouseRelease(result, Qt::RightButton, {}, QPoint(20, 10));
    EXPECT_TRUE(popup->isHidden());
}

TEST_F(Popup, LeftDragMovesThePopupButNotItsAnchor)
{
    clickLookup(QStringLiteral("walk"));
    const QPoint start = popup->pos();
    auto *result = child<TImage>("imgFord");
    QTest::mousePress(result, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(popup->PopupDragging());
    QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), result->mapToGlobal(QPointF(45, 25)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(result, &move);
    EXPECT_EQ(popup->pos(), start + QPoint(25, 15));
    QTest::mouseRelease(result, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_FALSE(popup->PopupDragging());
    EXPECT_EQ(popup->PopupAnchorX(), 40);
    EXPECT_EQ(popup->PopupAnchorY(), 30);
}

TEST_F(Popup, SortThenRestoreGivesTheTableOrderBack)
{
    clickLookup(QStringLiteral("walke"));
    const QStringList match = lines(0), completion = lines(1);
    const QPoint at = popup->pos();
    auto *sort = child<TImage>("imgRendez");
    auto *restore = child<TImage>("imgCikCakk");

    QTest::mousePress(sort, Qt::RightButton); // any button
    EXPECT_EQ(lines(0), (QStringList{QStringLiteral("andalog"), QStringLiteral("Gyalogol"),
                                     QStringLiteral("sétál")}));
    EXPECT_TRUE(sort->isHidden());
    EXPECT_TRUE(restore->isVisible());
    EXPECT_EQ(popup->pos(), at);

    QTest::mousePress(restore, Qt::LeftButton);
    EXPECT_EQ(lines(0), match);
    EXPECT_EQ(lines(1), completion);
    EXPECT_TRUE(sort->isVisible());
    EXPECT_TRUE(restore->isHidden());
    EXPECT_EQ(popup->pos(), at);
    EXPECT_EQ(wordBox()->text(), QStringLiteral("walke"));
}

TEST_F(Popup, TableErrorDuringTypingIsReportedNotThrown)
{
    clickLookup(QStringLiteral("walk"));
    QSignalSpy failures(popup, &TranslationPopup::lookupFailed);
    table->close();
    QTest::keyClick(wordBox(), Qt::Key_S);
    ASSERT_EQ(failures.count(), 1);
    EXPECT_FALSE(failures.front().front().toString().isEmpty());
}

} // namespace

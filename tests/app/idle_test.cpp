// An idle main window does not wake the program, and the tracking it does
// instead still follows the window and the text pane.
#include "mainwindow_fixture.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimerEvent>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {

// Counts the timer events the whole program receives while it is alive.
class TimerEventCounter final : public QObject {
public:
    TimerEventCounter() { qApp->installEventFilter(this); }
    ~TimerEventCounter() override { qApp->removeEventFilter(this); }
    int count = 0;
    QStringList receivers;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Timer) {
            ++count;
            const QString name = watched->objectName();
            receivers.append(QString::fromLatin1(watched->metaObject()->className()) +
                             (name.isEmpty() ? QString() : u' ' + name));
        }
        return QObject::eventFilter(watched, event);
    }
};

using IdleTest = MainWindowTest;

TEST_F(IdleTest, IdleWindowWakesAtMostTwiceASecond)
{
    start();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(300); // the start-up's own deferred steps
    TimerEventCounter counter;
    constexpr int kSeconds = 3;
    QTest::qWait(kSeconds * 1000);
    // The caret's blinking (twice a second) is all that may run.
    EXPECT_LE(counter.count, 2 * kSeconds + 1) << counter.receivers.join(u", "_s).toStdString();
}

TEST_F(IdleTest, TrackingFollowsTheWindowAndTheSelectionWithoutAPeriodicTimer)
{
    start();
    QApplication::clipboard()->clear();
    window->move(30, 40);
    window->resize(600, 400);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->placement().NormalBounds == QRect(30, 40, 600, 400); }));

    QTextEdit *pane = textPane();
    pane->setPlainText(u"house and garden"_s);
    auto *frame = child<QWidget>(u"fraREEszkTarSzov"_s);
    ASSERT_NE(frame, nullptr);
    auto *cut = frame->findChild<QToolButton *>(u"spbKivag"_s);
    auto *paste = frame->findChild<QToolButton *>(u"spbBeill"_s);
    ASSERT_NE(cut, nullptr);
    ASSERT_NE(paste, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cut->isEnabled(); }));
    QTextCursor cursor(pane->document());
    cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
    pane->setTextCursor(cursor);
    EXPECT_TRUE(QTest::qWaitFor([&] { return cut->isEnabled(); }));
    EXPECT_FALSE(paste->isEnabled());
    QApplication::clipboard()->setText(u"garden"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return paste->isEnabled(); }));
    cursor.clearSelection();
    pane->setTextCursor(cursor);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !cut->isEnabled(); }));
}

} // namespace

#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <utility>

// Answers the next modal dialog that the code under test opens. It watches
// for a modal widget from the event loop (the dialog's own nested loop once
// it runs), waits until that dialog has been shown for at least the delay,
// then runs the action on it: inspect it, press a key, click a button. Gives
// up after a few seconds so that a dialog that never comes fails the test
// (answered() stays false) instead of hanging it; a dialog that is shown but
// not modal is then closed.
//
//     ModalAnswerer answer(ModalAnswerer::pressKey(Qt::Key_Escape));
//     EXPECT_EQ(AskYesNo(u"Törlöd?"_s), u'N');
//     EXPECT_TRUE(answer.answered());
class ModalAnswerer final {
public:
    using Action = std::function<void(QWidget &dialog)>;

    explicit ModalAnswerer(Action action, int delayMs = 0)
        : m_action(std::move(action)), m_delayMs(delayMs)
    {
        m_giveUp.start();
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
        m_poll.start();
    }

    ModalAnswerer(const ModalAnswerer &) = delete;
    ModalAnswerer &operator=(const ModalAnswerer &) = delete;

    bool answered() const { return m_answered; }

    // Clicks the dialog's button of that object name with the mouse.
    static Action clickButton(const QString &objectName)
    {
        return [objectName](QWidget &dialog) {
            if (auto *button = dialog.findChild<QPushButton *>(objectName))
                QTest::mouseClick(button, Qt::LeftButton);
        };
    }

    // Presses a key on the dialog's focused control.
    static Action pressKey(Qt::Key key)
    {
        return [key](QWidget &dialog) { QTest::keyClick(focusedIn(dialog), key); };
    }

    static QWidget *focusedIn(QWidget &dialog)
    {
        QWidget *focused = dialog.focusWidget();
        return focused ? focused : &dialog;
    }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            m_seen.invalidate();
            if (m_giveUp.elapsed() > kGiveUpMs) {
                m_poll.stop();
                endStrayDialogs();
            }
            return;
        }
        if (!m_seen.isValid())
            m_seen.start();
        if (m_seen.elapsed() < m_delayMs)
            return;
        m_poll.stop();
        m_answered = true;
        m_action(*modal);
    }

    // A dialog shown without becoming modal would keep its caller waiting
    // for ever: end it, so that the test fails instead of hanging.
    static void endStrayDialogs()
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *dialog = qobject_cast<QDialog *>(window); dialog && dialog->isVisible())
                dialog->done(QDialog::Rejected);
        }
    }

    static constexpr qint64 kGiveUpMs = 5000;

    Action m_action;
    int m_delayMs;
    QTimer m_poll;
    QElapsedTimer m_seen;
    QElapsedTimer m_giveUp;
    bool m_answered = false;
};

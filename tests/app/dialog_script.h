#pragma once

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <utility>
#include <vector>

// Answers the modal dialogs the code under test opens, in order: each step
// names the button to press (by object name) and records the dialog's
// message. A dialog beyond the script is answered with its Ok/Igen button
// and counted as unexpected.
class DialogScript final {
public:
    explicit DialogScript(std::vector<QString> buttons) : m_buttons(std::move(buttons))
    {
        m_poll.setInterval(5);
        QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
        m_poll.start();
    }

    const QStringList &messages() const { return m_messages; }
    int unexpected() const { return m_unexpected; }
    bool done() const { return m_next >= m_buttons.size(); }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == m_last)
            return;
        m_last = modal;
        auto *label = modal->findChild<QLabel *>(QStringLiteral("lblKerdes"));
        m_messages << (label ? label->text() : modal->objectName());
        QString button = QStringLiteral("bbtnOk");
        if (m_next < m_buttons.size())
            button = m_buttons[m_next++];
        else
            ++m_unexpected;
        QTimer::singleShot(0, modal, [this, modal, button] {
            if (auto *b = modal->findChild<QPushButton *>(button))
                QTest::mouseClick(b, Qt::LeftButton);
            else
                modal->close();
            m_last = nullptr;
        });
    }

    std::vector<QString> m_buttons;
    std::size_t m_next = 0;
    QStringList m_messages;
    int m_unexpected = 0;
    QWidget *m_last = nullptr;
    QTimer m_poll;
};

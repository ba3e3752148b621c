#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <deque>

// Answers the program's question dialogs in order: when a modal dialog
// shows, a zero timer clicks the next button of the script (by object name:
// bbtnOk for Igen and Ok, bbtnNem, bbtnMegsem) in
// QApplication::activeModalWidget() and records the dialog's message. A
// dialog beyond the script is recorded as unexpected and closed with Mégsem
// or Ok, so a wrong test fails instead of hanging.
class ModalScript final : public QObject {
    Q_OBJECT
public:
    explicit ModalScript(QStringList buttons = {});
    ~ModalScript() override;

    QStringList messages; // every dialog's message, in order
    int unexpected = 0;   // dialogs shown after the script ran out
    bool done() const { return m_buttons.empty(); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void answer(int attempt);

    std::deque<QString> m_buttons;
};

#pragma once

#include "editor/filedialogs.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextEdit>

#include <deque>
#include <optional>
#include <vector>

class TfraREEszkTar;

// One host of the editor frame: its editor, document name and flag, and
// counts of the callbacks the frame made. Text changes reach the frame
// through NoteTextChanged, as in the program.
struct TestHost {
    TestHost(TfraREEszkTar &frame, int index);

    void bind();
    void setText(const QString &text, bool modified);

    TfraREEszkTar &frame;
    int index;
    QTextEdit editor;
    QString docName;
    bool hasFile = false;
    int loaded = 0;
    int savedAs = 0;
};

// File dialogs with answers given in advance; each call takes the next one
// (no answer left cancels too) and records what the dialog was prepared with.
class ScriptedDialogs final : public FileDialogs {
public:
    struct Call {
        QString directory;
        QString fileName;
    };

    std::optional<QString> chooseOpen(const QString &directory, const QString &fileName) override;
    std::optional<SaveChoice> chooseSave(const QString &directory,
                                         const QString &fileName) override;

    std::deque<QString> openAnswers;    // an empty name cancels
    std::deque<SaveChoice> saveAnswers; // an empty file name cancels
    std::vector<Call> openCalls;
    std::vector<Call> saveCalls;
};

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

// Reads a whole file; empty when it cannot.
QByteArray fileBytes(const QString &path);

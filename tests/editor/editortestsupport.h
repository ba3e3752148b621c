#pragma once

#include "editor/filedialogs.h"
#include "editor/hostbinding.h"
#include "support/modal_script.h"

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
// counts of the callbacks the frame made. Attaches the frame to hosts, the
// test's stand-in for a window's own, and clears their binding when it goes
// while bound, as the window does. Text changes reach the frame through
// NoteTextChanged, as in the program.
struct TestHost {
    TestHost(TfraREEszkTar &frame, EditorHosts &hosts, int index);
    ~TestHost();
    TestHost(const TestHost &) = delete;
    TestHost &operator=(const TestHost &) = delete;

    void bind();
    void setText(const QString &text, bool modified);

    TfraREEszkTar &frame;
    EditorHosts &hosts;
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

// Reads a whole file; empty when it cannot.
QByteArray fileBytes(const QString &path);

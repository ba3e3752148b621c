#pragma once

#include <QString>

#include <functional>

class QObject;
class QTextEdit;

// The editor frames own no document: every frame command acts on the host
// that is bound now, the text pane or the help page. The hosts rewrite the
// whole binding when their tab is entered.
struct HostBinding {
    QTextEdit *ActiveEditor = nullptr;
    int ActiveHostIndex = 0;                                // 1: text pane, 2: help page
    QString *ActiveDocName = nullptr;                       // the host's own document name
    bool *ActiveDocHasFile = nullptr;                       // the host's own "has a file" flag
    std::function<void(QObject *sender)> OnDocumentLoaded;  // after New and Open
    std::function<void(QObject *sender)> OnDocumentSavedAs; // after a successful Save as
};

// The run's one binding, shared by both frames.
HostBinding &ActiveBinding();

// Base name of new documents, and the count of New commands of the run
// (both hosts together).
inline const QString DefaultDocName = QStringLiteral("Dokumentum");
int &NewDocCounter();

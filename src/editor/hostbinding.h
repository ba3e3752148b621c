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

// What the editor frames of one window share: the one binding, and the
// count of New commands of the run (both hosts together). The window that
// holds the frames owns it and clears the binding before its editors go.
struct EditorHosts {
    HostBinding binding;
    int newDocCounter = 0;
};

// Base name of new documents.
inline const QString DefaultDocName = QStringLiteral("Dokumentum");

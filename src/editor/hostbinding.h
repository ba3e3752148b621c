#pragma once

#include "editor/pickedformat.h"

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

// A file that no document command of the frames writes over (the stock
// help): a document of that name is saved under another name, and the save
// dialog refuses it, in either pane.
struct ProtectedFile {
    std::function<bool(const QString &path)> matches; // empty: no file is protected
    // The full name the save dialog offers for a document of the protected name.
    std::function<QString()> suggestedName;
    QString refusal; // shown when the protected name is chosen in the dialog
};

// The format painter's store, shared by both frames: while armed, the next
// mouse release in a host pane applies the picked-up format instead of
// doing anything else. The picked-up format stays after disarming; only a
// new pick-up replaces it.
struct FormatPainterStore {
    bool FormatPainterArmed = false;
    bool FormatPainterSticky = false;
    bool pickedUp = false; // until the first pick-up there is nothing to apply
    PickedFormat picked;
};

// What the editor frames of one window share: the one binding, the count of
// New commands of the run (both hosts together), the protected file and the
// format painter. The window that holds the frames owns it and clears the
// binding before its editors go.
struct EditorHosts {
    HostBinding binding;
    int newDocCounter = 0;
    ProtectedFile protectedFile;
    FormatPainterStore painter;
};

// Base name of new documents.
inline const QString DefaultDocName = QStringLiteral("Dokumentum");

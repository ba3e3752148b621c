#pragma once

#include <QString>

#include <optional>

// What the save dialog gave: the name as typed or picked, before any
// extension fix-up, and the file type selected when it closed (the position
// of the filter, 1: Rich Text, 2: plain text).
struct SaveChoice {
    QString fileName;
    int filterIndex = 1;
};

// The editor's open and save dialogs, the one seam between its document
// commands and the user's choice of a file; tests put scripted answers in
// its place. Directories come without a trailing separator and may be empty
// (then the dialog starts where it likes).
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // The full name of the file chosen to open, or nullopt when cancelled.
    virtual std::optional<QString> chooseOpen(const QString &directory,
                                              const QString &fileName) = 0;
    // The name chosen to save under, or nullopt when cancelled. Asks nothing
    // about existing files: the caller does.
    virtual std::optional<SaveChoice> chooseSave(const QString &directory,
                                                 const QString &fileName) = 0;
};

#pragma once

#include "editor/filedialogs.h"

#include <QFileDialog>
#include <QPointer>

// The real dialogs: Qt's own (not the platform's) open dialog `odREET` and
// save dialog `sdREET` (SafeFileDialog: they never open the files they list),
// children of owner, each made when it is first needed
// (a file dialog costs more to make than the rest of the frame). Each keeps
// the file type the user chose last for the rest of the run; the open dialog
// starts with "Szöveg fájl", the save dialog with "Rich Text formátum". The save dialog
// asks nothing about existing files and adds no extension; changing its file
// type changes the extension of the name in it (sdREETTypeChange).
class QtFileDialogs final : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget &owner);

    std::optional<QString> chooseOpen(const QString &directory, const QString &fileName) override;
    std::optional<SaveChoice> chooseSave(const QString &directory,
                                         const QString &fileName) override;

    QFileDialog &odREET();
    QFileDialog &sdREET();

private:
    QWidget &m_owner;
    QPointer<QFileDialog> m_odREET; // owned by m_owner
    QPointer<QFileDialog> m_sdREET;
};

// Changes the extension of the file name shown in a save dialog to the one
// of its filterIndex-th file type (1: ".rtf", 2: ".txt").
void sdREETTypeChange(QFileDialog &dialog, int filterIndex);

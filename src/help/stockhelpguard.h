#pragma once

#include "editor/filedialogs.h"

#include <functional>
#include <memory>

// The help frame's file dialogs: as the inner ones, except that a save name
// that would be written over the stock help file (after the frame's
// extension fix-up) is refused with the Save button's message, and the
// dialog comes back with the name the user chose.
class StockHelpGuard final : public FileDialogs {
public:
    // isStock tells, at the time of asking, whether a full name is the stock help file.
    StockHelpGuard(std::unique_ptr<FileDialogs> inner,
                   std::function<bool(const QString &)> isStock);

    std::optional<QString> chooseOpen(const QString &directory, const QString &fileName) override;
    std::optional<SaveChoice> chooseSave(const QString &directory,
                                         const QString &fileName) override;

private:
    std::unique_ptr<FileDialogs> m_inner;
    std::function<bool(const QString &)> m_isStock;
};

// Shown when the stock help file's name is chosen to save the help under.
QString StockHelpRefusal();

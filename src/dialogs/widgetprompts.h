#pragma once

#include "platform/gui/busy_cursor.h"
#include "platform/prompts.h"

#include <optional>

// The program's Prompts: the question dialog's wrappers, with the hourglass
// cursor over the whole application while a busy notice is shown.
class WidgetPrompts final : public platform::Prompts {
public:
    QChar askYesNo(const QString &question) override;
    QChar askYesCancel(const QString &question) override;
    QChar askYesNoCancel(const QString &question) override;
    void info(const QString &message) override;
    // Shows the notice and lets the pending window messages through, so that
    // it is painted before the long work starts.
    void showBusy(const QString &text) override;
    void progress(const QString &line) override;
    void finishBusy(const QString &message) override;
    void hideBusy() override;

private:
    // The hourglass from showBusy until finishBusy or hideBusy.
    std::optional<platform::BusyCursor> m_busyCursor;
};

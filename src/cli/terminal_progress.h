#pragma once

#include "platform/progress.h"

#include <QTextStream>

namespace cli {

// The progress of a long command as a bar on standard error, redrawn in
// place ("\r") when the whole percent changes. When standard error is not
// a terminal (a pipe, a log file) it writes nothing, so logs stay clean.
class TerminalProgress {
public:
    TerminalProgress(QTextStream &err, bool isTerminal) : m_err(err), m_enabled(isTerminal) {}
    ~TerminalProgress() { finish(); }
    TerminalProgress(const TerminalProgress &) = delete;
    TerminalProgress &operator=(const TerminalProgress &) = delete;

    void update(qint64 done, qint64 total);
    // Clears the bar's line, so that messages start at its left edge.
    void finish();

    // A callback for operations that report through platform::Progress.
    platform::Progress callback()
    {
        return [this](qint64 done, qint64 total) { update(done, total); };
    }

private:
    QTextStream &m_err;
    bool m_enabled;
    bool m_drawn = false;
    int m_lastShown = -1; // percent, or units done / 1000 when the total is unknown
};

// True when the program's standard error is a terminal.
bool StandardErrorIsTerminal();

} // namespace cli

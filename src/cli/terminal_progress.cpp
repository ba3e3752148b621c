#include "cli/terminal_progress.h"

#include <QString>

#include <climits>

#include <unistd.h>

namespace cli {

namespace {
constexpr int kBarWidth = 40;
}

void TerminalProgress::update(qint64 done, qint64 total)
{
    if (!m_enabled)
        return;
    QString line;
    if (total > 0) {
        const int percent = int(qBound(qint64(0), done * 100 / total, qint64(100)));
        if (percent == m_lastShown)
            return;
        m_lastShown = percent;
        const int filled = percent * kBarWidth / 100;
        line = QStringLiteral("\r[%1%2] %3%")
                   .arg(QString(filled, u'#'), QString(kBarWidth - filled, u' '))
                   .arg(percent, 3);
    } else {
        const int thousands = int(qMin<qint64>(done / 1000, INT_MAX));
        if (thousands == m_lastShown)
            return;
        m_lastShown = thousands;
        line = QStringLiteral("\r%1 ezer").arg(thousands);
    }
    m_err << line;
    m_err.flush();
    m_drawn = true;
}

void TerminalProgress::finish()
{
    if (!m_drawn)
        return;
    m_err << u'\r' << QString(kBarWidth + 8, u' ') << u'\r';
    m_err.flush();
    m_drawn = false;
    m_lastShown = -1;
}

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

} // namespace cli

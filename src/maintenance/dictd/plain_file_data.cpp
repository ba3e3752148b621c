#include "maintenance/dictd/plain_file_data.h"

#include <algorithm>

namespace dictd {

Result<QByteArray> PlainFileData::readRange(std::int64_t offset, std::int64_t length)
{
    const bool inWindow =
        offset >= m_windowStart && offset + length <= m_windowStart + std::int64_t(m_window.size());
    if (!inWindow) {
        m_window.clear();
        m_windowStart = offset;
        if (m_file->seek(offset))
            m_window = m_file->read(std::max(length, kWindow));
        countWork(m_window.size());
        if (std::int64_t(m_window.size()) < length)
            return Failure{QStringLiteral("olvasási hiba a(z) %1. bájtnál (%2)")
                               .arg(offset)
                               .arg(m_file->errorString())};
    }
    return m_window.mid(offset - m_windowStart, length);
}

} // namespace dictd

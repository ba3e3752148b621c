#include "maintenance/import/text_line_reader.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace dictimport {

namespace {

constexpr char kCtrlZ = 26;

} // namespace

bool TextLineReader::fill()
{
    if (m_atEnd || m_failed)
        return false;
    m_piece.resize(kPieceBytes);
    const qint64 got = m_device.read(m_piece.data(), kPieceBytes);
    m_pos = 0;
    if (got < 0) {
        m_piece.clear();
        m_failed = true;
        m_error = m_device.errorString();
        return false;
    }
    m_piece.resize(got);
    m_bytesRead += got;
    if (got == 0) {
        m_atEnd = true;
        return false;
    }
    return true;
}

const QByteArray &TextLineReader::peek()
{
    if (m_pos >= m_piece.size())
        fill();
    return m_piece;
}

TextLineReader::Next TextLineReader::next(QByteArray &line)
{
    line.clear();
    m_lastCut = false;
    bool any = false;       // bytes of this line seen
    bool textEnded = false; // a CR ended the text; the rest up to LF is dropped
    for (;;) {
        if (m_pos >= m_piece.size() && !fill()) {
            if (m_failed)
                return Next::Failed;
            return any ? Next::Line : Next::End;
        }
        const char *begin = m_piece.constData() + m_pos;
        const qsizetype available = m_piece.size() - m_pos;
        const auto *lf = static_cast<const char *>(std::memchr(begin, '\n', size_t(available)));
        const qsizetype segment = lf ? lf - begin : available;
        const auto *ctrlZ = static_cast<const char *>(std::memchr(begin, kCtrlZ, size_t(segment)));
        const qsizetype upTo = ctrlZ ? ctrlZ - begin : segment;
        if (!textEnded) {
            const auto *cr = static_cast<const char *>(std::memchr(begin, '\r', size_t(upTo)));
            const qsizetype text = cr ? cr - begin : upTo;
            const qsizetype room = kMaxLineBytes - line.size();
            if (text > room && !m_lastCut) {
                m_lastCut = true;
                ++m_linesCut;
            }
            line.append(begin, std::min(text, room));
            textEnded = cr != nullptr;
        }
        any = any || upTo > 0;
        if (ctrlZ) {
            m_atEnd = true;
            m_piece.clear();
            m_pos = 0;
            return any ? Next::Line : Next::End;
        }
        m_pos += segment + (lf ? 1 : 0);
        if (lf)
            return Next::Line;
    }
}

} // namespace dictimport

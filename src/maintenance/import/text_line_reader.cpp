#include "maintenance/import/text_line_reader.h"

#include "platform/textencoding.h"

#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace dictimport {

namespace {

constexpr char kCtrlZ = 26;

const char *find(const char *begin, qsizetype size, char byte)
{
    return static_cast<const char *>(std::memchr(begin, byte, size_t(size)));
}

} // namespace

qint64 TextLineReader::readMore(qsizetype at)
{
    const qint64 got = m_device.read(m_piece.data() + at, kPieceBytes - at);
    if (got < 0) {
        m_piece.clear();
        m_failed = true;
        m_error = m_device.errorString();
        return got;
    }
    m_bytesRead += got;
    return got;
}

bool TextLineReader::fill()
{
    if (m_atEnd || m_failed)
        return false;
    m_piece.resize(kPieceBytes);
    m_pos = 0;
    qint64 got = readMore(0);
    if (got < 0)
        return false;
    if (!m_started) {
        // Reads may come back short: the mark is looked for in whole.
        while (got > 0 && got < platform::kUtf8Bom.size()) {
            const qint64 more = readMore(got);
            if (more < 0)
                return false;
            if (more == 0)
                break;
            got += more;
        }
        m_started = true;
        if (QByteArrayView(m_piece.constData(), got).startsWith(platform::kUtf8Bom))
            m_pos = platform::kUtf8Bom.size();
    }
    m_piece.resize(got);
    if (m_pos >= got) {
        if (got == 0)
            m_atEnd = true;
        return got > 0 && fill();
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
    const char lineEnd = m_breaks == LineBreaks::Lf ? '\n' : '\r';
    bool any = false;       // bytes of this line seen
    bool textEnded = false; // a CR ended the text; the rest up to LF is dropped
    bool lost = false;      // the dropped rest held more than CRs
    const auto endLine = [&] {
        if (lost)
            ++m_linesCutAtCr;
    };
    for (;;) {
        if (m_pos >= m_piece.size() && !fill()) {
            if (m_failed)
                return Next::Failed;
            endLine();
            return any ? Next::Line : Next::End;
        }
        const char *begin = m_piece.constData() + m_pos;
        const qsizetype available = m_piece.size() - m_pos;
        const char *end = find(begin, available, lineEnd);
        const qsizetype segment = end ? end - begin : available;
        const char *ctrlZ = find(begin, segment, kCtrlZ);
        const qsizetype upTo = ctrlZ ? ctrlZ - begin : segment;
        const char *dropped = begin; // the part of the segment after the text
        if (!textEnded) {
            const char *cr = m_breaks == LineBreaks::Lf ? find(begin, upTo, '\r') : nullptr;
            const qsizetype text = cr ? cr - begin : upTo;
            const qsizetype room = kMaxLineBytes - line.size();
            if (text > room && !m_lastCut) {
                m_lastCut = true;
                ++m_linesCut;
            }
            line.append(begin, std::min(text, room));
            textEnded = cr != nullptr;
            dropped = cr ? cr + 1 : begin + upTo;
        }
        if (textEnded && !lost)
            lost = std::any_of(dropped, begin + upTo, [](char c) { return c != '\r'; });
        any = any || upTo > 0;
        if (ctrlZ) {
            m_atEnd = true;
            m_piece.clear();
            m_pos = 0;
            endLine();
            return any ? Next::Line : Next::End;
        }
        m_pos += segment + (end ? 1 : 0);
        if (end) {
            endLine();
            return Next::Line;
        }
    }
}

} // namespace dictimport

#include "platform/textencoding.h"

#include "platform/codepage.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

void Utf8Scanner::feed(QByteArrayView bytes)
{
    if (!m_valid)
        return;
    const char *const data = bytes.data();
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        // Runs of ASCII, most of a text in a Latin script, go 8 bytes a step.
        if (m_pending == 0) {
            while (i + 8 <= n) {
                std::uint64_t word;
                std::memcpy(&word, data + i, sizeof word);
                if (word & 0x8080808080808080u)
                    break;
                i += 8;
            }
            if (i == n)
                break;
        }
        const auto byte = static_cast<unsigned char>(data[i]);
        if (m_pending > 0) {
            if ((byte & 0xC0) != 0x80) {
                m_valid = false;
                return;
            }
            m_codePoint = (m_codePoint << 6) | (byte & 0x3F);
            if (--m_pending == 0) {
                const bool surrogate = m_codePoint >= 0xD800 && m_codePoint <= 0xDFFF;
                if (m_codePoint < m_minimum || m_codePoint > 0x10FFFF || surrogate) {
                    m_valid = false;
                    return;
                }
            }
            continue;
        }
        if (byte < 0x80)
            continue;
        m_nonAscii = true;
        if ((byte & 0xE0) == 0xC0) {
            m_pending = 1;
            m_codePoint = byte & 0x1F;
            m_minimum = 0x80;
        } else if ((byte & 0xF0) == 0xE0) {
            m_pending = 2;
            m_codePoint = byte & 0x0F;
            m_minimum = 0x800;
        } else if ((byte & 0xF8) == 0xF0) {
            m_pending = 3;
            m_codePoint = byte & 0x07;
            m_minimum = 0x10000;
        } else {
            m_valid = false;
            return;
        }
    }
}

void EncodingDetector::feed(QByteArrayView bytes)
{
    if (m_head.size() < kUtf8Bom.size())
        m_head.append(bytes.first(std::min(bytes.size(), kUtf8Bom.size() - m_head.size())));
    m_scanner.feed(bytes);
}

// A byte-order mark counts only before valid UTF-8: after it, bytes that are
// no UTF-8 read as Windows-1250, which keeps every byte, mark included.
TextEncoding EncodingDetector::verdict() const
{
    if (!m_scanner.valid())
        return TextEncoding::Windows1250;
    if (m_head.startsWith(kUtf8Bom))
        return TextEncoding::Utf8WithBom;
    return m_scanner.sawNonAscii() ? TextEncoding::Utf8 : TextEncoding::Windows1250;
}

TextEncoding DetectTextEncoding(QByteArrayView bytes)
{
    EncodingDetector detector;
    detector.feed(bytes);
    return detector.verdict();
}

TextEncoding DetectTextEncoding(QIODevice &device)
{
    const qint64 start = device.pos();
    constexpr qint64 kPiece = 1 << 20;
    QByteArray piece(kPiece, Qt::Uninitialized);
    EncodingDetector detector;
    // A read may return fewer bytes than asked for, and a letter may lie
    // across two pieces: neither changes the verdict.
    while (!detector.settled()) {
        const qint64 got = device.read(piece.data(), kPiece);
        if (got <= 0)
            break;
        detector.feed(QByteArrayView(piece.constData(), got));
    }
    device.seek(start);
    return detector.verdict();
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Windows1250)
        return cp1250::decode(bytes);
    if (bytes.startsWith(kUtf8Bom))
        bytes = bytes.sliced(kUtf8Bom.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    return utf8(bytes);
}

QByteArray EncodeText(QStringView text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Windows1250:
        return cp1250::encode(text);
    case TextEncoding::Utf8:
        return text.toUtf8();
    case TextEncoding::Utf8WithBom:
        return kUtf8Bom.toByteArray() + text.toUtf8();
    }
    return {};
}

TextEncoding EncodingForNewText(QStringView text)
{
    return cp1250::canEncode(text) ? TextEncoding::Windows1250 : TextEncoding::Utf8;
}

} // namespace platform

#include "platform/rtf/rtfoutput.h"

#include "platform/codepage.h"

namespace rtf {

void RtfOutput::word(const char *name)
{
    m_bytes.append('\\').append(name);
    m_needSpace = true;
}

void RtfOutput::word(const char *name, int parameter)
{
    m_bytes.append('\\').append(name).append(QByteArray::number(parameter));
    m_needSpace = true;
}

void RtfOutput::raw(const char *bytes)
{
    m_bytes.append(bytes);
    m_needSpace = false;
}

void RtfOutput::delimit()
{
    if (m_needSpace) {
        m_bytes.append(' ');
        m_needSpace = false;
    }
}

void RtfOutput::unicode(char16_t unit)
{
    // RTF wants the code unit as a signed 16-bit number.
    const int value = unit > 0x7fff ? int(unit) - 0x10000 : int(unit);
    m_bytes.append("\\u").append(QByteArray::number(value)).append('?');
    m_needSpace = false;
}

void RtfOutput::text(QStringView text)
{
    static constexpr char kHex[] = "0123456789abcdef";
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            if (c == u'\\' || c == u'{' || c == u'}') {
                m_bytes.append('\\').append(static_cast<char>(c));
                m_needSpace = false;
            } else if (c == u'\t') {
                word("tab");
            } else if (c >= 0x20) {
                delimit();
                m_bytes.append(static_cast<char>(c));
            }
            continue;
        }
        if (c == 0x2028) { // line break inside a paragraph
            word("line");
            continue;
        }
        if (c == 0x2029 || c == 0xfffc || c == 0xfdd0 || c == 0xfdd1)
            continue; // block, object and frame markers of QTextDocument
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            unicode(c);
            unicode(text[++i].unicode());
            continue;
        }
        if (QChar::isSurrogate(c)) {
            unicode(QChar::ReplacementCharacter);
            continue;
        }
        const int b = cp1250::byteFor(c);
        if (b >= 0x80) {
            m_bytes.append("\\'").append(kHex[b >> 4]).append(kHex[b & 15]);
            m_needSpace = false;
        } else {
            unicode(c);
        }
    }
}

} // namespace rtf

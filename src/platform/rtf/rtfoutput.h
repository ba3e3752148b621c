#pragma once

#include <QByteArray>
#include <QStringView>

namespace rtf {

// RTF bytes being written: control words, and text escaped for Windows-1250.
class RtfOutput final {
public:
    QByteArray &bytes() { return m_bytes; }

    // \name or \nameN. The delimiter a following text needs is added then.
    void word(const char *name);
    void word(const char *name, int parameter);

    // Bytes written as they are: braces, line breaks, \'hh sequences.
    void raw(const char *bytes);

    // Text with \ { } escaped, tab and line breaks as control words,
    // Windows-1250 bytes above 127 as \'hh, everything else as \uN?.
    // Characters that stand for no text (object markers, C0 controls) are dropped.
    void text(QStringView text);

private:
    void delimit();
    void unicode(char16_t unit);

    QByteArray m_bytes;
    bool m_needSpace = false;
};

} // namespace rtf

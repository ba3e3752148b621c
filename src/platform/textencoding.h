#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QIODevice;

// The encodings of plain-text files. Text files of this program are
// Windows-1250; files made on Linux are mostly UTF-8. A file is taken as
// UTF-8 when it starts with a UTF-8 byte-order mark, or when it is valid
// UTF-8 and holds at least one byte above 127 (pure ASCII reads the same
// either way, so it stays Windows-1250). A mark followed by bytes that are
// no UTF-8 reads as Windows-1250, which keeps every byte.
namespace platform {

enum class TextEncoding {
    Windows1250,
    Utf8,
    Utf8WithBom,
};

// Checks UTF-8 fed in pieces of any size: a sequence may be split between
// two pieces. Overlong forms, surrogates and code points above U+10FFFF
// are invalid, as is a sequence left open at the end.
class Utf8Scanner {
public:
    void feed(QByteArrayView bytes);
    // The verdict on everything fed so far, as a complete text.
    bool valid() const { return m_valid && m_pending == 0; }
    // True once an invalid sequence was met: no later byte can mend it. A
    // sequence left open by the piece fed last is not a failure yet.
    bool failed() const { return !m_valid; }
    bool sawNonAscii() const { return m_nonAscii; }

private:
    int m_pending = 0; // continuation bytes still expected
    char32_t m_codePoint = 0;
    char32_t m_minimum = 0; // smallest code point the sequence may encode
    bool m_valid = true;
    bool m_nonAscii = false;
};

inline constexpr QByteArrayView kUtf8Bom{"\xEF\xBB\xBF", 3};

// Decides the encoding of a text fed in pieces of any size, byte-order mark
// included: the verdict is the same however the text is cut.
class EncodingDetector {
public:
    void feed(QByteArrayView bytes);
    // True when no further byte can change the verdict.
    bool settled() const { return m_scanner.failed(); }
    TextEncoding verdict() const;

private:
    QByteArray m_head; // the first bytes, up to a mark's length
    Utf8Scanner m_scanner;
};

// The encoding of a whole text held in memory.
TextEncoding DetectTextEncoding(QByteArrayView bytes);

// The encoding of a file's whole content, read in bounded pieces so that a
// file of any size costs little memory. The device is left at the position
// it had. Returns Windows1250 for a device that cannot be read.
TextEncoding DetectTextEncoding(QIODevice &device);

// The text of bytes in the given encoding, without the byte-order mark.
// Invalid UTF-8 sequences become U+FFFD.
QString DecodeText(QByteArrayView bytes, TextEncoding encoding);

// The bytes of text in the given encoding; Utf8WithBom writes the mark.
// Windows-1250 writes "?" for characters it has no byte for: callers that
// must not lose text choose the encoding with EncodingForNewText.
QByteArray EncodeText(QStringView text, TextEncoding encoding);

// The encoding to write a text in that was not read from a file:
// Windows-1250 when it can hold every character, UTF-8 otherwise.
TextEncoding EncodingForNewText(QStringView text);

} // namespace platform

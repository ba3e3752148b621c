#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace dictimport {

// Reads the lines of a dictionary text file from a device in bounded pieces.
// A line ends at LF (so CR LF too); its text ends at its first CR, so what
// follows a lone CR up to the next LF is dropped. A Ctrl+Z byte ends the
// file. A line longer than kMaxLineBytes keeps only its first kMaxLineBytes
// bytes and is counted as cut, so that a file without line breaks costs no
// more memory than one piece and one line.
class TextLineReader final {
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    static constexpr qsizetype kPieceBytes = 256 * 1024;

    enum class Next { Line, End, Failed };

    explicit TextLineReader(QIODevice &device) : m_device(device) {}
    TextLineReader(const TextLineReader &) = delete;
    TextLineReader &operator=(const TextLineReader &) = delete;

    // The next line's text without its line end. Failed when the device
    // could not be read (errorString says why); the lines before it stay
    // valid.
    Next next(QByteArray &line);

    // The first piece of the file, read ahead without consuming a line, for
    // a look at the content before anything is done with it.
    const QByteArray &peek();

    bool lastLineCut() const { return m_lastCut; }
    qint64 linesCut() const { return m_linesCut; }
    // Bytes taken from the device so far.
    qint64 bytesRead() const { return m_bytesRead; }
    QString errorString() const { return m_error; }

private:
    bool fill(); // false at the end of the device or on a failure

    QIODevice &m_device;
    QByteArray m_piece;
    qsizetype m_pos = 0;
    qint64 m_bytesRead = 0;
    qint64 m_linesCut = 0;
    bool m_lastCut = false;
    bool m_atEnd = false; // end of the device or a Ctrl+Z
    bool m_failed = false;
    QString m_error;
};

} // namespace dictimport

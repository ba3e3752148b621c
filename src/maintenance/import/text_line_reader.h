#pragma once

#include <QByteArray>
#include <QString>

class QIODevice;

namespace dictimport {

// How the lines of a text file end. Lf: a line ends at LF (so CR LF too)
// and its text at its first CR, so what follows a lone CR up to the next LF
// is dropped. CrOnly, for a file with CRs and no LF at all: every CR ends a
// line.
enum class LineBreaks { Lf, CrOnly };

// Reads the lines of a dictionary text file from a device in bounded pieces.
// A UTF-8 byte-order mark at the start is dropped, whatever the encoding the
// lines are read in. A Ctrl+Z byte ends the file. A line longer than
// kMaxLineBytes keeps only its first kMaxLineBytes bytes and is counted as
// cut, so that a file without line breaks costs no more memory than one
// piece and one line.
class TextLineReader final {
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    static constexpr qsizetype kPieceBytes = 256 * 1024;

    enum class Next { Line, End, Failed };

    explicit TextLineReader(QIODevice &device, LineBreaks breaks = LineBreaks::Lf)
        : m_device(device), m_breaks(breaks)
    {}
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
    // Lines that lost text after a lone CR (only with LineBreaks::Lf; CRs
    // right before the LF lose nothing).
    qint64 linesCutAtCr() const { return m_linesCutAtCr; }
    // Bytes taken from the device so far.
    qint64 bytesRead() const { return m_bytesRead; }
    QString errorString() const { return m_error; }

private:
    bool fill(); // false at the end of the device or on a failure
    qint64 readMore(qsizetype at);

    QIODevice &m_device;
    LineBreaks m_breaks;
    QByteArray m_piece;
    qsizetype m_pos = 0;
    qint64 m_bytesRead = 0;
    qint64 m_linesCut = 0;
    qint64 m_linesCutAtCr = 0;
    bool m_lastCut = false;
    bool m_started = false; // the mark at the start has been looked for
    bool m_atEnd = false;   // end of the device or a Ctrl+Z
    bool m_failed = false;
    QString m_error;
};

} // namespace dictimport

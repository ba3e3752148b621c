#include "maintenance/import/text_file_scan.h"

#include <QIODevice>

namespace dictimport {

std::optional<TextFileFacts> ScanTextFile(QIODevice &device, QString *error)
{
    const qint64 start = device.pos();
    QByteArray piece(TextLineReader::kPieceBytes, Qt::Uninitialized);
    platform::EncodingDetector encoding;
    bool ended = false; // a Ctrl+Z was met
    bool sawCr = false;
    bool sawLf = false;
    TextFileFacts facts;
    for (;;) {
        const qint64 got = device.read(piece.data(), piece.size());
        if (got < 0) {
            if (error)
                *error = device.errorString();
            device.seek(start);
            return std::nullopt;
        }
        if (got == 0)
            break;
        QByteArrayView bytes(piece.constData(), got);
        facts.binary = facts.binary || bytes.contains('\0');
        if (!ended) {
            if (const qsizetype ctrlZ = bytes.indexOf('\x1a'); ctrlZ >= 0) {
                bytes = bytes.first(ctrlZ);
                ended = true;
            }
            encoding.feed(bytes);
            sawCr = sawCr || bytes.contains('\r');
            sawLf = sawLf || bytes.contains('\n');
        }
    }
    device.seek(start);
    facts.encoding = encoding.verdict();
    facts.breaks = sawCr && !sawLf ? LineBreaks::CrOnly : LineBreaks::Lf;
    return facts;
}

} // namespace dictimport

#include "maintenance/dictd/gzip_header.h"

namespace dictd {
namespace {

constexpr unsigned char kFlagHeaderCrc = 0x02;
constexpr unsigned char kFlagExtra = 0x04;
constexpr unsigned char kFlagName = 0x08;
constexpr unsigned char kFlagComment = 0x10;
constexpr unsigned char kFlagReserved = 0xe0;
constexpr int kFixedHeader = 10;

int byteAt(QByteArrayView bytes, qsizetype pos)
{
    return static_cast<unsigned char>(bytes[pos]);
}

int le16(QByteArrayView bytes, qsizetype pos)
{
    return byteAt(bytes, pos) | (byteAt(bytes, pos + 1) << 8);
}

Failure truncatedHeader()
{
    return Failure{QStringLiteral("csonka gzip-fejléc")};
}

// Reads the RA subfield: version, chunk length, chunk count, then one
// 16-bit compressed size per chunk.
Status readRandomAccess(QByteArrayView field, GzipHeader &header)
{
    if (header.randomAccess)
        return Failure{QStringLiteral("több RA mező a fejlécben")};
    if (field.size() < 6)
        return Failure{QStringLiteral("hibás RA mező: túl rövid")};
    const int version = le16(field, 0);
    const int chunkLength = le16(field, 2);
    const int chunkCount = le16(field, 4);
    if (version != 1)
        return Failure{QStringLiteral("ismeretlen RA-változat: %1").arg(version)};
    if (chunkLength == 0)
        return Failure{QStringLiteral("hibás RA mező: nulla darabhossz")};
    if (field.size() < 6 + 2 * qsizetype(chunkCount))
        return Failure{QStringLiteral("hibás RA mező: a darabtábla csonka")};
    header.randomAccess = true;
    header.chunkLength = chunkLength;
    header.chunkSizes.reserve(chunkCount);
    for (int i = 0; i < chunkCount; ++i)
        header.chunkSizes.push_back(static_cast<std::uint16_t>(le16(field, 6 + 2 * i)));
    return Done{};
}

} // namespace

bool hasGzipSignature(QByteArrayView bytes)
{
    return bytes.size() >= 2 && byteAt(bytes, 0) == 0x1f && byteAt(bytes, 1) == 0x8b;
}

Result<GzipHeader> parseGzipHeader(QByteArrayView bytes)
{
    if (bytes.size() < kFixedHeader)
        return truncatedHeader();
    if (!hasGzipSignature(bytes))
        return Failure{QStringLiteral("nem gzip-állomány")};
    if (byteAt(bytes, 2) != 8)
        return Failure{QStringLiteral("ismeretlen tömörítési mód: %1").arg(byteAt(bytes, 2))};
    const int flags = byteAt(bytes, 3);
    if (flags & kFlagReserved)
        return Failure{QStringLiteral("ismeretlen jelzőbitek a gzip-fejlécben")};

    GzipHeader header;
    qsizetype pos = kFixedHeader;
    if (flags & kFlagExtra) {
        if (bytes.size() < pos + 2)
            return truncatedHeader();
        const int extraLength = le16(bytes, pos);
        pos += 2;
        if (bytes.size() < pos + extraLength)
            return truncatedHeader();
        const QByteArrayView extra = bytes.sliced(pos, extraLength);
        pos += extraLength;
        qsizetype sub = 0;
        while (sub < extra.size()) {
            if (extra.size() - sub < 4)
                return Failure{QStringLiteral("hibás kiegészítő mező a gzip-fejlécben")};
            const int fieldLength = le16(extra, sub + 2);
            if (extra.size() - sub - 4 < fieldLength)
                return Failure{QStringLiteral("hibás kiegészítő mező a gzip-fejlécben")};
            if (extra[sub] == 'R' && extra[sub + 1] == 'A') {
                const Status ra = readRandomAccess(extra.sliced(sub + 4, fieldLength), header);
                if (!ra)
                    return ra.failure();
            }
            sub += 4 + fieldLength;
        }
    }
    for (const int flag : {kFlagName, kFlagComment}) {
        if (flags & flag) {
            const qsizetype zero = bytes.indexOf('\0', pos);
            if (zero < 0)
                return truncatedHeader();
            pos = zero + 1;
        }
    }
    if (flags & kFlagHeaderCrc)
        pos += 2;
    if (pos > bytes.size())
        return truncatedHeader();
    header.dataStart = pos;
    return header;
}

} // namespace dictd

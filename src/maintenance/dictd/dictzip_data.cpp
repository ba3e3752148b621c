#include "maintenance/dictd/dictzip_data.h"

#include <algorithm>

namespace dictd {
namespace {

constexpr int kTrailerBytes = 8; // CRC-32 and the uncompressed size mod 2^32

quint32 le32(const QByteArray &bytes, qsizetype pos)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[pos + i]);
    return value;
}

} // namespace

DictzipData::DictzipData(const QString &path, GzipHeader header)
    : m_file(path), m_header(std::move(header))
{}

Result<std::unique_ptr<DictzipData>> DictzipData::open(const QString &path, GzipHeader header)
{
    std::unique_ptr<DictzipData> data(new DictzipData(path, std::move(header)));
    QFile &file = data->m_file;
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};

    const GzipHeader &h = data->m_header;
    auto &starts = data->m_chunkStart;
    starts.reserve(h.chunkSizes.size() + 1);
    std::int64_t pos = h.dataStart;
    for (const std::uint16_t size : h.chunkSizes) {
        starts.push_back(pos);
        pos += size;
    }
    starts.push_back(pos);
    if (pos + kTrailerBytes > file.size())
        return Failure{QStringLiteral("csonka állomány: a darabtábla szerint legalább %1 bájtos, "
                                      "de csak %2 bájt van meg")
                           .arg(pos + kTrailerBytes)
                           .arg(file.size())};

    const int count = int(h.chunkSizes.size());
    std::int64_t total = 0;
    if (count > 0) {
        auto last = data->inflateChunk(count - 1);
        if (!last)
            return last.failure();
        total = std::int64_t(count - 1) * h.chunkLength + last->size();
    }
    if (!file.seek(file.size() - kTrailerBytes))
        return Failure{file.errorString()};
    const QByteArray trailer = file.read(kTrailerBytes);
    if (trailer.size() != kTrailerBytes)
        return Failure{file.errorString()};
    const quint32 storedSize = le32(trailer, 4);
    if (storedSize != static_cast<quint32>(total))
        return Failure{QStringLiteral("a darabok kibontva %1 bájtot adnak, a gzip-zárás szerint "
                                      "%2 bájt (mod 2^32) a helyes méret")
                           .arg(total)
                           .arg(storedSize)};
    data->m_size = total;
    return data;
}

QString DictzipData::description() const
{
    return QStringLiteral("dictzip, %1 darab × %2 bájt")
        .arg(m_header.chunkSizes.size())
        .arg(m_header.chunkLength);
}

Result<QByteArray> DictzipData::inflateChunk(int index)
{
    const std::int64_t start = m_chunkStart[index];
    const std::int64_t compressedSize = m_chunkStart[index + 1] - start;
    if (!m_file.seek(start))
        return Failure{m_file.errorString()};
    const QByteArray compressed = m_file.read(compressedSize);
    if (compressed.size() != compressedSize)
        return Failure{QStringLiteral("a(z) %1. darab nem olvasható").arg(index + 1)};
    auto bytes = m_inflater.inflateChunk(compressed, m_header.chunkLength);
    if (bytes)
        countWork(bytes->size());
    if (!bytes)
        return Failure{
            QStringLiteral("a(z) %1. darab hibás: %2").arg(index + 1).arg(bytes.error())};
    const bool last = index + 1 == int(m_header.chunkSizes.size());
    if (!last && bytes->size() != m_header.chunkLength)
        return Failure{QStringLiteral("a(z) %1. darab kibontva %2 bájt, nem %3")
                           .arg(index + 1)
                           .arg(bytes->size())
                           .arg(m_header.chunkLength)};
    return bytes;
}

Result<const QByteArray *> DictzipData::chunk(int index)
{
    ++m_useCounter;
    for (CachedChunk &cached : m_cache) {
        if (cached.index == index) {
            cached.lastUse = m_useCounter;
            return &cached.bytes;
        }
    }
    auto bytes = inflateChunk(index);
    if (!bytes)
        return bytes.failure();
    CachedChunk &victim = *std::min_element(
        m_cache.begin(), m_cache.end(),
        [](const CachedChunk &a, const CachedChunk &b) { return a.lastUse < b.lastUse; });
    victim = CachedChunk{index, std::move(bytes.value()), m_useCounter};
    return &victim.bytes;
}

Result<QByteArray> DictzipData::readRange(std::int64_t offset, std::int64_t length)
{
    QByteArray out;
    out.reserve(length);
    const std::int64_t chunkLength = m_header.chunkLength;
    std::int64_t pos = offset;
    const std::int64_t end = offset + length;
    while (pos < end) {
        const int index = int(pos / chunkLength);
        auto bytes = chunk(index);
        if (!bytes)
            return bytes.failure();
        const std::int64_t inChunk = pos - std::int64_t(index) * chunkLength;
        const std::int64_t take = std::min(end - pos, chunkLength - inChunk);
        out.append((*bytes)->constData() + inChunk, take);
        pos += take;
    }
    return out;
}

} // namespace dictd

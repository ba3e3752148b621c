#include "maintenance/dictd/dict_data.h"

#include "maintenance/dictd/dictzip_data.h"
#include "maintenance/dictd/gzip_header.h"
#include "maintenance/dictd/gzip_stream.h"
#include "maintenance/dictd/plain_dict_data.h"
#include "maintenance/dictd/plain_file_data.h"

#include <QFile>

#include <algorithm>

namespace dictd {
namespace {

// Data files stay below this (a gzip file without a chunk table is held whole
// in memory); dictionaries are far smaller.
constexpr std::int64_t kMaxInMemory = std::int64_t(1) << 30;
// A gzip file without a chunk table is inflated whole. Text shrinks to a
// third or so; far more than this ratio is a bomb, not a dictionary.
constexpr std::int64_t kMaxGzipRatio = 64;
constexpr std::int64_t kGzipFloor = std::int64_t(64) << 20;
// Enough for every gzip header but one with an absurd name or comment.
constexpr qint64 kHeaderProbe = 1 << 20;

Failure damaged(const QString &path, const QString &what)
{
    return Failure{QStringLiteral("Sérült adatállomány: %1: %2").arg(path, what)};
}

} // namespace

Result<QByteArray> DictData::read(std::int64_t offset, std::int64_t length)
{
    if (offset < 0 || length < 0 || offset > size() || length > size() - offset)
        return Failure{QStringLiteral("a kért rész (%1. bájttól %2 bájt) túlnyúlik az adat "
                                      "végén (%3 bájt)")
                           .arg(offset)
                           .arg(length)
                           .arg(size())};
    auto bytes = readRange(offset, length);
    if (bytes)
        m_bytesProcessed += length;
    return bytes;
}

Result<std::unique_ptr<DictData>> openDictData(const QString &path)
{
    auto opened = std::make_unique<QFile>(path);
    QFile &file = *opened;
    if (!file.open(QIODevice::ReadOnly))
        return Failure{QStringLiteral("Az adatállomány nem nyitható meg: %1 (%2)")
                           .arg(path, file.errorString())};
    const QByteArray head = file.read(kHeaderProbe);
    if (file.error() != QFileDevice::NoError)
        return Failure{
            QStringLiteral("Az adatállomány nem olvasható: %1 (%2)").arg(path, file.errorString())};

    if (!hasGzipSignature(head)) {
        if (file.size() > kMaxInMemory)
            return Failure{QStringLiteral("Az adatállomány túl nagy: %1").arg(path)};
        return std::unique_ptr<DictData>(std::make_unique<PlainFileData>(std::move(opened)));
    }

    auto header = parseGzipHeader(head);
    if (!header)
        return damaged(path, header.error());
    if (header->randomAccess) {
        file.close();
        auto data = DictzipData::open(path, std::move(header.value()));
        if (!data)
            return damaged(path, data.error());
        return std::unique_ptr<DictData>(std::move(data.value()));
    }

    if (file.size() > kMaxInMemory)
        return Failure{QStringLiteral("Az adatállomány túl nagy: %1").arg(path)};
    const QByteArray compressed = head + file.readAll();
    const std::int64_t limit = std::min(
        kMaxInMemory, std::max<std::int64_t>(kGzipFloor, kMaxGzipRatio * compressed.size()));
    auto bytes = inflateGzip(compressed, limit);
    if (!bytes)
        return damaged(path, bytes.error());
    return std::unique_ptr<DictData>(std::make_unique<PlainDictData>(
        std::move(bytes.value()), QStringLiteral("gzip, darabolás nélkül")));
}

} // namespace dictd

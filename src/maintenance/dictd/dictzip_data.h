#pragma once

#include "maintenance/dictd/dict_data.h"
#include "maintenance/dictd/gzip_header.h"
#include "maintenance/dictd/raw_inflater.h"

#include <QFile>

#include <array>
#include <vector>

namespace dictd {

// A dictzip file: gzip whose deflate data is cut into chunks of a fixed
// uncompressed length, listed with their compressed sizes in the header's
// RA field. A read inflates only the chunks it touches; the last two
// inflated chunks are kept, since entries are read in data order.
class DictzipData final : public DictData {
public:
    // Checks the chunk table against the file's length, inflates the last
    // chunk to learn the exact size and compares it with the gzip trailer.
    // Failures describe the fault without naming the file.
    static Result<std::unique_ptr<DictzipData>> open(const QString &path, GzipHeader header);

    std::int64_t size() const override { return m_size; }
    QString description() const override;

protected:
    Result<QByteArray> readRange(std::int64_t offset, std::int64_t length) override;

private:
    struct CachedChunk {
        int index = -1;
        QByteArray bytes;
        quint64 lastUse = 0;
    };

    DictzipData(const QString &path, GzipHeader header);
    Result<const QByteArray *> chunk(int index);
    Result<QByteArray> inflateChunk(int index);

    QFile m_file;
    GzipHeader m_header;
    std::vector<std::int64_t> m_chunkStart; // file offset of each chunk, plus the end
    std::int64_t m_size = 0;
    RawInflater m_inflater;
    std::array<CachedChunk, 2> m_cache;
    quint64 m_useCounter = 0;
};

} // namespace dictd

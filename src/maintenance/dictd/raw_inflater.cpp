#include "maintenance/dictd/raw_inflater.h"

#include <zlib.h>

namespace dictd {

struct RawInflater::Stream {
    z_stream z{};
    bool ready = false;
};

RawInflater::RawInflater() : m_stream(std::make_unique<Stream>())
{
    // Negative window bits: raw deflate, no zlib or gzip wrapper.
    m_stream->ready = inflateInit2(&m_stream->z, -MAX_WBITS) == Z_OK;
}

RawInflater::~RawInflater()
{
    if (m_stream->ready)
        inflateEnd(&m_stream->z);
}

Result<QByteArray> RawInflater::inflateChunk(QByteArrayView compressed, int capacity)
{
    if (!m_stream->ready)
        return Failure{QStringLiteral("a zlib kibontó nem indítható")};
    z_stream &z = m_stream->z;
    inflateReset(&z);
    QByteArray out(capacity, Qt::Uninitialized);
    // zlib's interface takes non-const pointers but never writes the input.
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = static_cast<uInt>(capacity);

    int rc = inflate(&z, Z_SYNC_FLUSH);
    if (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR)
        return Failure{QStringLiteral("hibás tömörített adat (%1)")
                           .arg(QString::fromLatin1(z.msg ? z.msg : "zlib"))};
    const int produced = capacity - static_cast<int>(z.avail_out);
    if (rc != Z_STREAM_END && z.avail_out == 0) {
        // Full output: make sure nothing more would come out of this chunk.
        char extra = 0;
        z.next_out = reinterpret_cast<Bytef *>(&extra);
        z.avail_out = 1;
        rc = inflate(&z, Z_SYNC_FLUSH);
        if (z.avail_out == 0 || (rc != Z_OK && rc != Z_STREAM_END && rc != Z_BUF_ERROR))
            return Failure{QStringLiteral("a darab hosszabb a megadott darabhossznál")};
    }
    if (z.avail_in != 0 && rc != Z_STREAM_END)
        return Failure{QStringLiteral("a darab tömörített adata nem fogy el")};
    out.resize(produced);
    return out;
}

} // namespace dictd

#include "maintenance/dictd/gzip_stream.h"

#include <zlib.h>

#include <algorithm>

namespace dictd {
namespace {

// Frees the zlib stream on every way out.
struct InflateGuard {
    z_stream &z;
    ~InflateGuard() { inflateEnd(&z); }
};

} // namespace

Result<QByteArray> inflateGzip(QByteArrayView compressed, std::int64_t maxOutput)
{
    if (compressed.size() > std::int64_t(UINT32_MAX))
        return Failure{QStringLiteral("a tömörített állomány túl nagy")};
    z_stream z{};
    // 16 + window bits: expect the gzip wrapper and check its trailer.
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK)
        return Failure{QStringLiteral("a zlib kibontó nem indítható")};
    InflateGuard guard{z};

    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    QByteArray out;
    constexpr qsizetype kStep = 256 * 1024;
    for (;;) {
        if (out.size() >= maxOutput)
            return Failure{QStringLiteral("a kibontott adat túl nagy")};
        const qsizetype room = std::min<std::int64_t>(kStep, maxOutput - out.size());
        const qsizetype before = out.size();
        out.resize(before + room);
        z.next_out = reinterpret_cast<Bytef *>(out.data() + before);
        z.avail_out = static_cast<uInt>(room);
        const int rc = inflate(&z, Z_NO_FLUSH);
        out.resize(before + room - qsizetype(z.avail_out));
        if (rc == Z_STREAM_END) {
            if (z.avail_in == 0)
                return out;
            // Another member follows.
            inflateReset(&z);
            continue;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0)
            return Failure{QStringLiteral("csonka gzip-adatfolyam")};
        if (rc != Z_OK && rc != Z_BUF_ERROR)
            return Failure{QStringLiteral("hibás tömörített adat (%1)")
                               .arg(QString::fromLatin1(z.msg ? z.msg : "zlib"))};
        if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0)
            return Failure{QStringLiteral("csonka gzip-adatfolyam")};
    }
}

} // namespace dictd

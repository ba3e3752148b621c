#include "dictd_fixture.h"

#include <QFile>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>

namespace dictd_fixture {
namespace {

void appendLe16(QByteArray &out, unsigned value)
{
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

void appendLe32(QByteArray &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

// Runs deflate over input with flush, appending what comes out.
void deflateInto(z_stream &z, QByteArrayView input, int flush, QByteArray &out)
{
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.data()));
    z.avail_in = uInt(input.size());
    char buffer[4096];
    do {
        z.next_out = reinterpret_cast<Bytef *>(buffer);
        z.avail_out = sizeof buffer;
        deflate(&z, flush);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
    } while (z.avail_out == 0 || z.avail_in != 0);
}

std::uint32_t crcOf(QByteArrayView bytes)
{
    return std::uint32_t(
        crc32(0, reinterpret_cast<const Bytef *>(bytes.data()), uInt(bytes.size())));
}

} // namespace

QByteArray indexNumber(std::int64_t value)
{
    static const char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    QByteArray out;
    do {
        out.prepend(kDigits[value % 64]);
        value /= 64;
    } while (value > 0);
    return out;
}

Dictionary build(const std::vector<Entry> &entries, IndexOrder order)
{
    Dictionary dictionary;
    std::vector<std::pair<QByteArray, QByteArray>> lines; // headword, index line
    for (const Entry &entry : entries) {
        const QByteArray text = entry.text.toUtf8();
        const QByteArray headword = entry.indexHeadword.toUtf8();
        lines.emplace_back(headword, headword + '\t' + indexNumber(dictionary.data.size()) + '\t' +
                                         indexNumber(text.size()) + '\n');
        dictionary.data += text;
    }
    if (order == IndexOrder::Headwords)
        std::stable_sort(lines.begin(), lines.end(),
                         [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &line : lines)
        dictionary.index += line.second;
    return dictionary;
}

QByteArray dictzip(QByteArrayView data, const DictzipOptions &options)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<QByteArray> chunks;
    for (qsizetype pos = 0; pos < data.size(); pos += options.chunkLength) {
        const QByteArrayView piece =
            data.sliced(pos, std::min<qsizetype>(options.chunkLength, data.size() - pos));
        const bool last = pos + options.chunkLength >= data.size();
        QByteArray compressed;
        deflateInto(z, piece, last && options.finishInLastChunk ? Z_FINISH : Z_FULL_FLUSH,
                    compressed);
        chunks.push_back(compressed);
    }
    QByteArray tail;
    if (!options.finishInLastChunk || chunks.empty())
        deflateInto(z, {}, Z_FINISH, tail);
    deflateEnd(&z);

    QByteArray ra("RA");
    appendLe16(ra, unsigned(6 + 2 * chunks.size()));
    appendLe16(ra, 1);
    appendLe16(ra, unsigned(options.chunkLength));
    appendLe16(ra, unsigned(chunks.size()));
    for (const QByteArray &chunk : chunks)
        appendLe16(ra, unsigned(chunk.size()));

    int flags = 0x04;
    if (options.withName)
        flags |= 0x08;
    if (options.withComment)
        flags |= 0x10;
    if (options.withHeaderCrc)
        flags |= 0x02;
    QByteArray out;
    out.append(char(0x1f)).append(char(0x8b)).append(char(8)).append(char(flags));
    appendLe32(out, 0);
    out.append(char(2)).append(char(3));
    appendLe16(out, unsigned(ra.size()));
    out += ra;
    if (options.withName)
        out += QByteArray("szotar.dict") + '\0';
    if (options.withComment)
        out += QByteArray("proba") + '\0';
    if (options.withHeaderCrc)
        appendLe16(out, crcOf(out) & 0xffff);
    for (const QByteArray &chunk : chunks)
        out += chunk;
    out += tail;
    appendLe32(out, crcOf(data));
    appendLe32(out, std::uint32_t(data.size()));
    return out;
}

QByteArray gzip(QByteArrayView data)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, 16 + MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    QByteArray out;
    deflateInto(z, data, Z_FINISH, out);
    deflateEnd(&z);
    return out;
}

void writeFile(const QString &path, QByteArrayView bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes.data(), bytes.size()), bytes.size());
}

} // namespace dictd_fixture

#include "generated_dictd.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include <algorithm>
#include <map>
#include <vector>

namespace bench {
namespace {

class Random {
public:
    explicit Random(std::uint64_t seed) : m_x(seed * 0x9E3779B97F4A7C15ull + 1) {}
    std::uint64_t next()
    {
        m_x ^= m_x >> 12;
        m_x ^= m_x << 25;
        m_x ^= m_x >> 27;
        return m_x * 2685821657736338717ull;
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }

private:
    std::uint64_t m_x;
};

QByteArray word(Random &random, const char16_t *letters, int letterCount)
{
    QString text;
    const int length = 3 + random.below(9);
    for (int i = 0; i < length; ++i)
        text.append(QChar(letters[random.below(letterCount)]));
    return text.toUtf8();
}

QByteArray englishWord(Random &random)
{
    static constexpr char16_t kLetters[] = u"abcdefghijklmnopqrstuvwxyzeeaaiioo";
    return word(random, kLetters, 34);
}

QByteArray hungarianWord(Random &random)
{
    static constexpr char16_t kLetters[] = u"aábcdeéfghiíjklmnoóöőprstuúüűvz";
    QByteArray text = word(random, kLetters, 31);
    // Some translations are phrases of two words.
    if (random.below(4) == 0)
        text += ' ' + word(random, kLetters, 31);
    return text;
}

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

QString folder()
{
    static QTemporaryDir dir;
    return dir.path();
}

struct Paths {
    QString index;
    QString sortedIndex;
    QString dict;
    QString dictzip;
    QString pairs;
};

void openForWriting(QFile &file)
{
    if (!file.open(QIODevice::WriteOnly))
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

void writeAll(QFile &file, QByteArrayView bytes)
{
    if (file.write(bytes.data(), bytes.size()) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
}

// The index lines sorted by headword, ties in data order: the order dictfmt
// gives the index of a word list that was not sorted.
QByteArray sortedIndex(const QByteArray &index)
{
    std::vector<std::pair<qsizetype, qsizetype>> lines; // start, length with the LF
    for (qsizetype start = 0; start < index.size();) {
        const qsizetype end = index.indexOf('\n', start) + 1;
        lines.emplace_back(start, end - start);
        start = end;
    }
    const auto headword = [&](const std::pair<qsizetype, qsizetype> &line) {
        const QByteArrayView text(index.constData() + line.first, line.second);
        return text.first(text.indexOf('\t'));
    };
    std::stable_sort(lines.begin(), lines.end(),
                     [&](const auto &a, const auto &b) { return headword(a) < headword(b); });
    QByteArray sorted;
    sorted.reserve(index.size());
    for (const auto &[start, length] : lines)
        sorted.append(index.constData() + start, length);
    return sorted;
}

void appendLe16(QByteArray &out, unsigned value)
{
    out.append(char(value & 0xff)).append(char((value >> 8) & 0xff));
}

void appendLe32(QByteArray &out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.append(char((value >> (8 * i)) & 0xff));
}

void deflateInto(z_stream &z, QByteArrayView input, int flush, QByteArray &out)
{
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(input.data()));
    z.avail_in = uInt(input.size());
    char buffer[65536];
    do {
        z.next_out = reinterpret_cast<Bytef *>(buffer);
        z.avail_out = sizeof buffer;
        deflate(&z, flush);
        out.append(buffer, qsizetype(sizeof buffer - z.avail_out));
    } while (z.avail_out == 0 || z.avail_in != 0);
}

// The data file as dictzip writes it: chunks of a fixed uncompressed length,
// each deflated and fully flushed, listed in the header's RA field.
void writeDictzip(const QString &dictPath, const QString &dictzipPath)
{
    constexpr qint64 kChunkLength = 58315;
    QFile dict(dictPath);
    if (!dict.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(dictPath));
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::vector<unsigned> chunkSizes;
    QByteArray compressed;
    uLong crc = crc32(0, nullptr, 0);
    std::uint32_t size = 0;
    for (QByteArray piece = dict.read(kChunkLength); !piece.isEmpty();
         piece = dict.read(kChunkLength)) {
        const qsizetype before = compressed.size();
        deflateInto(z, piece, Z_FULL_FLUSH, compressed);
        chunkSizes.push_back(unsigned(compressed.size() - before));
        crc = crc32(crc, reinterpret_cast<const Bytef *>(piece.constData()), uInt(piece.size()));
        size += std::uint32_t(piece.size());
    }
    deflateInto(z, {}, Z_FINISH, compressed);
    deflateEnd(&z);

    QByteArray ra("RA");
    appendLe16(ra, unsigned(6 + 2 * chunkSizes.size()));
    appendLe16(ra, 1);
    appendLe16(ra, unsigned(kChunkLength));
    appendLe16(ra, unsigned(chunkSizes.size()));
    for (const unsigned chunk : chunkSizes)
        appendLe16(ra, chunk);
    QByteArray header;
    header.append(char(0x1f)).append(char(0x8b)).append(char(8)).append(char(0x04));
    appendLe32(header, 0);
    header.append(char(2)).append(char(3));
    appendLe16(header, unsigned(ra.size()));
    header += ra;
    QByteArray trailer;
    appendLe32(trailer, std::uint32_t(crc));
    appendLe32(trailer, size);
    QFile out(dictzipPath);
    openForWriting(out);
    writeAll(out, header);
    writeAll(out, compressed);
    writeAll(out, trailer);
}

void write(const Paths &paths, std::int64_t pairCount)
{
    QFile dict(paths.dict);
    QFile pairs(paths.pairs);
    openForWriting(dict);
    openForWriting(pairs);
    QByteArray index;
    Random random(20261210);
    std::int64_t offset = 0;
    std::int64_t written = 0;
    QByteArray headword;
    while (written < pairCount) {
        // Every twentieth entry is a second one of the headword before.
        if (headword.isEmpty() || random.below(20) != 0)
            headword = englishWord(random);
        const int count = 1 + random.below(6);
        QList<QByteArray> translations;
        for (int i = 0; i < count && written < pairCount; ++i, ++written) {
            const int kind = random.below(50);
            if (kind == 0 && !translations.isEmpty())
                translations.append(translations.front()); // given twice
            else if (kind == 1 && !translations.isEmpty())
                translations.append(translations.back().toUpper()); // in capitals
            else
                translations.append(hungarianWord(random));
        }
        QByteArray entry = headword + " /ˈ" + headword + "/\n";
        if (translations.size() == 1) {
            entry += translations.front() + '\n';
        } else {
            for (int i = 0; i < translations.size(); ++i)
                entry += QByteArray::number(i + 1) + ". " + translations[i] + '\n';
        }
        for (const QByteArray &translation : translations)
            writeAll(pairs, headword + '\t' + translation + '\n');
        index += headword + '\t' + indexNumber(offset) + '\t' + indexNumber(entry.size()) + '\n';
        writeAll(dict, entry);
        offset += entry.size();
    }
    dict.close();
    QFile inOrder(paths.index);
    openForWriting(inOrder);
    writeAll(inOrder, index);
    QFile sorted(paths.sortedIndex);
    openForWriting(sorted);
    writeAll(sorted, sortedIndex(index));
    writeDictzip(paths.dict, paths.dictzip);
}

} // namespace

const char *layoutName(DictdLayout layout)
{
    switch (layout) {
    case DictdLayout::InOrder:
        return "plain in order";
    case DictdLayout::Unsorted:
        return "plain unsorted";
    case DictdLayout::DictzipInOrder:
        return "dictzip in order";
    case DictdLayout::DictzipUnsorted:
        return "dictzip unsorted";
    }
    return "";
}

GeneratedDictd generatedDictd(std::int64_t pairs, DictdLayout layout)
{
    static std::map<std::int64_t, Paths> made;
    auto it = made.find(pairs);
    if (it == made.end()) {
        const QString base = QDir(folder()).filePath(QStringLiteral("gen%1").arg(pairs));
        const Paths paths{base + QStringLiteral(".index"), base + QStringLiteral(".sorted.index"),
                          base + QStringLiteral(".dict"), base + QStringLiteral(".dict.dz"),
                          base + QStringLiteral(".tsv")};
        write(paths, pairs);
        it = made.emplace(pairs, paths).first;
    }
    const Paths &paths = it->second;
    const bool unsorted = layout == DictdLayout::Unsorted || layout == DictdLayout::DictzipUnsorted;
    const bool dictzip =
        layout == DictdLayout::DictzipInOrder || layout == DictdLayout::DictzipUnsorted;
    return GeneratedDictd{unsorted ? paths.sortedIndex : paths.index,
                          dictzip ? paths.dictzip : paths.dict, paths.pairs, pairs};
}

} // namespace bench

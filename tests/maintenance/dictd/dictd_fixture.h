#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <vector>

// Writes small dictd dictionaries for the tests, the way dictfmt and
// dictzip lay them out.
namespace dictd_fixture {

struct Entry {
    QString indexHeadword; // the index's spelling
    QString text;          // the entry text, UTF-8 in the data
};

struct Dictionary {
    QByteArray index;
    QByteArray data; // uncompressed
};

// A number in dictd's base64 digits.
QByteArray indexNumber(std::int64_t value);

enum class IndexOrder {
    AsData,    // index lines in the order of the entries in the data
    Headwords, // sorted by headword, ties in data order, as dictfmt indexes an unsorted list
};

// The index and the uncompressed data of entries laid one after the other.
Dictionary build(const std::vector<Entry> &entries, IndexOrder order = IndexOrder::AsData);

struct DictzipOptions {
    int chunkLength = 64;
    bool withName = false;    // FNAME in the header
    bool withComment = false; // FCOMMENT
    bool withHeaderCrc = false;
    // dictzip proper counts the closing deflate block in no chunk; some
    // writers finish the stream inside the last chunk instead.
    bool finishInLastChunk = false;
};

// gzip with the RA table: each chunk of the data deflated and fully flushed.
QByteArray dictzip(QByteArrayView data, const DictzipOptions &options = {});

// Plain gzip, one member, no RA field.
QByteArray gzip(QByteArrayView data);

// Writes bytes to path; fails the calling test on error.
void writeFile(const QString &path, QByteArrayView bytes);

} // namespace dictd_fixture

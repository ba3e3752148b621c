#pragma once

#include "maintenance/dictd/result.h"

#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

namespace dictd {

// One line of a dictd index: where the entry of a headword lies in the
// uncompressed data.
struct IndexEntry {
    QString headword; // as the index spells it (dictd strips punctuation here)
    std::int64_t offset = 0;
    std::int64_t length = 0;
    int line = 0; // 1-based line of the index file, for messages
};

// Parses an index: one entry a line, "headword TAB offset TAB length" (a
// fourth field, the original headword some indexes keep, is ignored), the
// numbers in dictd's base64 digits. Line ends are LF or CR LF; blank lines
// are skipped. Any other malformed line fails the whole index, naming the
// line. sourceName names the file in messages.
Result<std::vector<IndexEntry>> parseIndex(QByteArrayView bytes, const QString &sourceName);
// The same, handing each entry to take as it is parsed; take may have been
// called for the lines before a malformed one.
Status forEachIndexEntry(QByteArrayView bytes, const QString &sourceName,
                         const std::function<void(IndexEntry &&)> &take);

// Reads and parses the index file at path; a missing, unreadable, empty or
// oversized file fails.
Result<std::vector<IndexEntry>> readIndexFile(const QString &path);
Status readIndexFile(const QString &path, const std::function<void(IndexEntry &&)> &take);

} // namespace dictd

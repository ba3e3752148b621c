#pragma once

#include "maintenance/dictd/compact_index.h"
#include "maintenance/dictd/dict_data.h"
#include "maintenance/dictd/entry_parser.h"
#include "maintenance/dictd/index_reader.h"
#include "maintenance/dictd/result.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace dictd {

// A dictd dictionary, index and data, walked entry by entry in the order of
// the data file, which is index order when the index follows the data.
class DictdReader final {
public:
    // Reads the index and opens the data file; fails with the message of
    // whichever is missing, no regular file, or damaged.
    static Result<DictdReader> open(const QString &indexPath, const QString &dictPath);

    DictdReader(const std::vector<IndexEntry> &index, std::unique_ptr<DictData> data,
                QString dictPath);
    DictdReader(CompactIndex index, std::unique_ptr<DictData> data, QString dictPath);

    // Calls visit for every entry except dictd's information entries, with
    // the headword of the entry text (the index's own when that line is
    // blank), by the entries' offsets in the data, entries of one offset by
    // length and then in index order. A range the index repeats is visited
    // once, unless its entry takes the index's headword. Stops at the first
    // entry in that order whose range
    // passes the end of the data or is absurdly long, whose data is damaged,
    // whose text is not UTF-8 or holds absurdly many translations, and when
    // the index has made the reader inflate several times the whole data;
    // fails naming the entry.
    Status forEachEntry(const std::function<void(const DictdEntry &)> &visit);

    std::int64_t indexSize() const { return std::int64_t(m_index.size()); }
    std::int64_t infoEntries() const { return m_infoEntries; }
    QString dataDescription() const { return m_data->description(); }

private:
    CompactIndex m_index;
    std::unique_ptr<DictData> m_data;
    QString m_dictPath;
    std::int64_t m_infoEntries = 0;
};

} // namespace dictd

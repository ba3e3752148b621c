#pragma once

#include "store/engine/sqlite_handle.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace store {

struct SortKey;

// Walks the rows of an order of at most one text column in one direction,
// from a given row on or from the very start (end), as a few index ranges
// stepped in turn: the rest of the row's group of equal texts, the texts
// equal to it but for letter case beyond it, then every text beyond. Each
// range is one open statement with no filter of its own, so a step is one
// sqlite3_step. While a walk is open its connection reads one snapshot of
// the file: stop() it before anything is written.
class OrderWalk final {
public:
    struct Sql {
        std::string table;         // quoted
        std::string keyColumn;     // quoted
        std::string orderColumn;   // quoted; empty for key order
        std::string collationName; // of the folded comparison
        int keyIndex = 0;          // the key's place among the table's columns
    };

    // wholeRows: each step reads every column (SELECT *); otherwise the key only.
    OrderWalk(sqlite3 *db, const Sql &sql, bool forward, bool wholeRows);
    OrderWalk(const OrderWalk &) = delete;
    OrderWalk &operator=(const OrderWalk &) = delete;

    // Starts after (forward) or before (backward) the row of from; nullptr
    // starts at the first (last) row.
    void start(const SortKey *from);
    // The next row's key; nullopt once past the end, where the walk stops
    // itself.
    std::optional<std::int64_t> step();
    // The columns of the row the last step gave, while the walk runs and
    // reads whole rows.
    void readRow(std::vector<QString> &row) const;
    void stop();
    bool running() const { return m_phase >= 0; }
    bool forward() const { return m_forward; }

private:
    std::vector<Statement> m_ranges; // stepped in this order after a start
    Statement m_whole;               // every row, for a start at the very beginning
    Statement *m_current = nullptr;
    int m_phase = -1; // index into m_ranges, or m_ranges.size() for m_whole; -1: stopped
    bool m_forward;
    bool m_wholeRows;
    int m_keyColumnAt = 0; // where the key is among the columns read
};

} // namespace store

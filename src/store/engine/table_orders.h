#pragma once

#include "store/engine/key_loader.h"
#include "store/engine/order_walk.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace store {

class Table;
class TableFile;

// A row's place in an order: the UTF-8 texts of the order's columns and the
// key. Rows sort by each column case-insensitively, then by its exact text,
// then by key.
struct SortKey {
    std::vector<QByteArray> texts;
    std::int32_t azon = 0;
};

// Columns of an order (indexes into the file's columns); empty: "Azon" order.
using OrderColumns = std::vector<int>;

// The orders of one table file: walking rows in an order, the rows'
// positions in it, and for each order in use the list of keys in that order
// (built in the background for a large table), kept in step with the rows
// the file writes. Reads through the file's connection and statements;
// every method throws EngineError, naming the file.
class TableOrders final {
public:
    TableOrders(TableFile &file, int backgroundKeysFrom);
    ~TableOrders();
    TableOrders(const TableOrders &) = delete;
    TableOrders &operator=(const TableOrders &) = delete;

    // --- Navigation. nullopt where there is no such row.
    std::optional<std::int32_t> firstKey(const OrderColumns &order);
    std::optional<std::int32_t> lastKey(const OrderColumns &order);
    // row, when given, receives the row found by an index seek (it stays
    // empty when the key came from a key list).
    std::optional<std::int32_t> keyAfter(const OrderColumns &order, const SortKey &key,
                                         std::vector<QString> *row = nullptr);
    std::optional<std::int32_t> keyBefore(const OrderColumns &order, const SortKey &key,
                                          std::vector<QString> *row = nullptr);
    std::string orderBy(const OrderColumns &order, bool descending = false) const;

    // The key list of an order, loaded when not valid (waiting for a load
    // running in the background).
    const std::vector<std::int32_t> &keys(const OrderColumns &order);
    bool hasValidKeys(const OrderColumns &order) const;
    // Position of the row with key in order; -1 when it is not there.
    int positionOf(const OrderColumns &order, const SortKey &key);

    // --- Positions without the key list. A large table's key list is built
    // in the background (it costs a moment per hundred thousand rows); until
    // it is there, positions are counted and rows found by walking the
    // index from a known place.
    //
    // True when the key list of order is there or cheap enough to build
    // now; otherwise starts building it in the background and returns false.
    bool keysAtHand(const OrderColumns &order);
    // The number of rows before key in order, counted through the index.
    int countBefore(const OrderColumns &order, const SortKey &key);
    // The key at pos (0-based, inside the table), walking from the start,
    // the end or anchor (a row at anchorPos), whichever is nearest.
    std::optional<std::int32_t> keyAt(const OrderColumns &order, int pos, const SortKey *anchor,
                                      int anchorPos);

    // --- Stepping. One walk is kept open between the steps of one owner, so
    // that a step from the row the previous step gave is a single
    // sqlite3_step, and the row's columns are read only when asked for.
    // Only for orders of at most one column. The open walk reads one
    // snapshot of the file: every write, commit, rollback and reposition
    // ends it (endStepping), and so does a pause between steps, so that an
    // idle cursor holds no snapshot. Ending it hands the owner the columns
    // of its row if it has not read them yet.
    //
    // The key of the row after (before) owner's current row, whose key is
    // currentKey; nullopt at the end of the order. At the end and on
    // failure the walk has left the current row without handing its
    // columns over.
    std::optional<std::int32_t> stepRow(const Table *owner, const OrderColumns &order, bool forward,
                                        std::int32_t currentKey);
    // Reads the columns of the row the owner's last step gave into row.
    void readSteppedRow(std::vector<QString> &row) const;
    void endStepping() noexcept;
    // Ends the walk when its last step is a pause ago; true while a walk
    // stays open. The owner's idle timer calls it, so that a cursor left
    // standing lets go of its snapshot without waiting for its next call.
    bool endPausedStepping() noexcept;
    static constexpr int kSteppingPauseMs = 100;

    // --- Keeping the key lists in step with the file's writes. Inside a
    // batch (inBatch) a changed list is dropped instead of mended.
    void rowInserted(const std::vector<QString> &row, std::int32_t azon, bool inBatch);
    // Before an update: takes the row out of each list whose order it
    // leaves; rowUpdated() puts it back at its new place.
    void rowUpdating(const std::vector<QString> &oldRow, const std::vector<QString> &newRow,
                     std::int32_t azon, bool inBatch);
    void rowUpdated(const std::vector<QString> &newRow, std::int32_t azon);
    void rowDeleted(const std::vector<QString> &row, std::int32_t azon);
    // A write is coming: a background load may miss it and is dropped.
    void cancelKeyLoad();
    // Drops every key list and the walk; what failed to load may load now.
    void clear();
    // Ends the walk and finalizes the walks' statements, before the schema
    // changes.
    void dropWalks() noexcept;
    // Ends the walk and the load and finalizes the walks' statements, before
    // the file's connection closes.
    void release() noexcept;

private:
    struct SeekSql {
        std::string after[2];
        std::string before[2];
        std::string afterWithRow[2];
        std::string beforeWithRow[2];
    };
    struct KeyList {
        OrderColumns order;
        std::vector<std::int32_t> keys;
        bool valid = false;
    };
    static std::string orderName(const OrderColumns &order);
    int compareWithRow(const OrderColumns &order, std::int32_t rowKey, const SortKey &key);
    int lowerBound(const OrderColumns &order, const std::vector<std::int32_t> &keys,
                   const SortKey &key);
    std::optional<std::int32_t> singleKey(const std::string &sql, const SortKey *key, int textParam,
                                          int azonParam, std::vector<QString> *row = nullptr);
    const SeekSql &seekSql(const OrderColumns &order);
    OrderWalk &walk(const OrderColumns &order, bool forward, bool wholeRows);
    // Takes the keys of a finished background load, when still true.
    void adoptLoadedKeys(bool wait);

    TableFile &m_file;
    std::map<std::string, SeekSql> m_seekSql;
    std::map<std::string, KeyList> m_keyLists;
    std::vector<std::pair<KeyList *, OrderColumns>> m_moved;   // by the update under way
    std::map<std::string, std::unique_ptr<OrderWalk>> m_walks; // by order, direction and kind
    int m_backgroundKeysFrom;
    std::unique_ptr<KeyLoader> m_loader;
    OrderColumns m_loaderOrder;
    std::uint64_t m_loaderGeneration = 0;
    bool m_loaderFailed = false;
    std::uint64_t m_generation = 0; // counts the changes of rows seen here
    struct Stepper {
        const Table *owner = nullptr;
        OrderWalk *walk = nullptr;
        OrderColumns order;
        std::int32_t at = 0;  // the key the last step gave
        bool reading = false; // the walk's read transaction is ours to end
        std::chrono::steady_clock::time_point when;
    } m_stepper;
};

} // namespace store

#pragma once

#include "store/engine/key_loader.h"
#include "store/engine/order_walk.h"
#include "store/engine/sqlite_handle.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <chrono>
#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace store {

class Table;

// A row's place in an order: the UTF-8 texts of the order's columns and the
// key. Rows sort by each column case-insensitively, then by its exact text,
// then by key.
struct SortKey {
    std::vector<QByteArray> texts;
    std::int32_t azon = 0;
};

// Columns of an order (indexes into the file's columns); empty: "Azon" order.
using OrderColumns = std::vector<int>;

// One open dictionary file, shared by every table component of a session
// bound to it: the connection, the schema, and for each order in use the
// list of keys in that order, kept in step with the changes made through
// the engine. Every method throws EngineError, naming the file.
class TableFile final {
public:
    // The key of the first row appended to an empty table.
    static constexpr std::int32_t kFirstKey = 1000000;

    struct OpenOptions {
        bool readOnly = false;
        // Read without locks, shared memory or journal: nothing is created
        // beside the file. Only for a read-only file with no journal beside it.
        bool immutable = false;
        std::string vfs; // empty: SQLite's default
        // Tables of this many rows or more build key lists in the background.
        int backgroundKeysFrom = 100000;
    };

    struct Column {
        QString name;
        bool isKey = false;
        int size = 0; // characters; 0 for the key
    };

    // Opens path, which must already be checked to look like an SQLite file.
    // Refuses a file with a key outside 32 bits.
    TableFile(const QString &path, const OpenOptions &options);
    ~TableFile();
    TableFile(const TableFile &) = delete;
    TableFile &operator=(const TableFile &) = delete;

    // Creates path as a new, empty dictionary table file. Journal files left
    // beside path by an earlier file of that name are removed first.
    static void create(const QString &path, const QString &tableName,
                       const std::vector<Column> &columns);

    const QString &path() const { return m_path; }
    bool readOnly() const { return m_readOnly; }
    sqlite3 *db() const { return m_db; }
    const std::vector<Column> &columns() const { return m_columns; }
    int columnIndex(const QString &name) const; // case-insensitive; -1 when none
    int keyColumn() const { return m_keyColumn; }
    std::string quotedTable() const { return quoteIdentifier(m_tableName); }
    std::string quotedColumn(int column) const { return quoteIdentifier(m_columns[column].name); }

    Statement &statement(const std::string &sql);

    // Secondary indexes: name and column indexes, in creation order.
    struct IndexInfo {
        QString name;
        std::vector<int> columns;
    };
    std::vector<IndexInfo> indexes();
    void addIndex(const QString &name, const std::vector<int> &columns, bool caseInsensitive);
    // The statement addIndex runs, for a writer that builds indexes itself.
    static std::string createIndexSql(const QString &name, const std::string &quotedTable,
                                      const std::vector<std::string> &quotedColumns,
                                      bool caseInsensitive);
    void dropIndex(const QString &name);
    void emptyTable();

    // --- Rows.
    std::optional<std::vector<QString>> readRow(std::int32_t azon);
    SortKey sortKeyOf(const OrderColumns &order, const std::vector<QString> &row,
                      std::int32_t azon) const;
    int rowCount();
    // What a walk over every row has just counted, as rowCount would.
    void noteRowCount(int rows) { m_rowCount = rows; }
    // Inserts row under a new key, chosen while this connection holds the
    // write lock (inside the batch's transaction or one of its own), so that
    // another connection's rows cannot take it meanwhile. Sets the key in
    // row and returns it.
    std::int32_t appendRow(std::vector<QString> &row);
    void insertRow(const std::vector<QString> &row, std::int32_t azon);
    // False, changing nothing, when no row has the key any more.
    bool updateRow(const std::vector<QString> &oldRow, const std::vector<QString> &newRow,
                   std::int32_t azon);
    void deleteRow(const std::vector<QString> &row, std::int32_t azon);

    // --- Order navigation. nullopt where there is no such row.
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

    // --- Change tracking.
    // Notices changes written by other connections; returns true when the
    // caches had to be dropped.
    bool sync();
    void attach(Table *table);
    void detach(Table *table);
    // Tells every attached table but origin that rows changed.
    void notifyChanged(const Table *origin);

    // --- Batches: writes inside are grouped into transactions.
    void beginBatch();
    // Leaves a batch; leaving the outermost commits. A failed commit rolls
    // the open transaction back, drops the caches and throws.
    void endBatch();
    // Leaves a batch; leaving the outermost rolls back what is not
    // committed yet. Never throws.
    void abandonBatch() noexcept;
    // Commits the open transaction, if any; on failure as endBatch().
    void commitPending();

    // A read transaction around a burst of reads (ReadScope). beginRead()
    // opens one only outside every batch and transaction and returns whether
    // it did; endRead() ends it. Neither throws.
    bool beginRead() noexcept;
    void endRead() noexcept;

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
    void loadSchema();
    void ensureJournalMode();
    void beforeWrite();
    void afterWrite();
    void dropCaches();
    void rollbackPending() noexcept;
    void transactionLost() noexcept;
    void runWrite(Statement &statement);
    // The largest key plus one (the first free key when the top is taken);
    // only meaningful while the write lock is held.
    std::int32_t newKey();
    // A key read from the file; throws for one outside 32 bits.
    std::int32_t keyFrom(std::int64_t value) const
    {
        if (value < INT32_MIN || value > INT32_MAX) [[unlikely]]
            throwKeyOutOfRange(value);
        return std::int32_t(value);
    }
    [[noreturn]] void throwKeyOutOfRange(std::int64_t value) const;
    void checkKeyRange();
    int compareWithRow(const OrderColumns &order, std::int32_t rowKey, const SortKey &key);
    int lowerBound(const OrderColumns &order, const std::vector<std::int32_t> &keys,
                   const SortKey &key);
    std::optional<std::int32_t> singleKey(const std::string &sql, const SortKey *key, int textParam,
                                          int azonParam, std::vector<QString> *row = nullptr);
    const SeekSql &seekSql(const OrderColumns &order);
    OrderWalk &walk(const OrderColumns &order, bool forward, bool wholeRows);
    // Takes the keys of a finished background load, when still true.
    void adoptLoadedKeys(bool wait);
    void cancelKeyLoad();

    QString m_path;
    bool m_readOnly;
    bool m_immutable;
    sqlite3 *m_db = nullptr;
    QString m_tableName;
    std::vector<Column> m_columns;
    int m_keyColumn = -1;
    std::map<std::string, Statement> m_statements;
    std::string m_insertSql;
    std::map<std::string, SeekSql> m_seekSql;
    std::string m_readRowSql;
    std::map<std::string, KeyList> m_keyLists;
    std::map<std::string, std::unique_ptr<OrderWalk>> m_walks; // by order, direction and kind
    std::string m_vfs;
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
    std::optional<int> m_rowCount;
    std::optional<std::int32_t> m_maxKey;
    std::int64_t m_dataVersion = -1;
    std::vector<Table *> m_tables;
    int m_batchDepth = 0;
    bool m_inTransaction = false;
    bool m_walChecked = false;
    int m_writesInTransaction = 0;
};

} // namespace store

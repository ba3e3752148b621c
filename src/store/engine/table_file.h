#pragma once

#include "store/engine/sqlite_handle.h"
#include "store/engine/table_orders.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

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

// One open table file, shared by every table component of a session bound
// to it: the connection, the schema, the rows, and its orders (walks, row
// positions and key lists, table_orders.h), kept in step with the changes
// made through the engine. Every method throws EngineError, naming the file.
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

    // --- Walks, positions and key lists of the orders in use.
    TableOrders &orders() { return m_orders; }
    const TableOrders &orders() const { return m_orders; }
    static constexpr int kSteppingPauseMs = TableOrders::kSteppingPauseMs;

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
    friend class TableOrders;

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

    QString m_path;
    bool m_readOnly;
    bool m_immutable;
    sqlite3 *m_db = nullptr;
    QString m_tableName;
    std::vector<Column> m_columns;
    int m_keyColumn = -1;
    std::map<std::string, Statement> m_statements;
    std::string m_insertSql;
    std::string m_readRowSql;
    std::string m_vfs;
    std::optional<int> m_rowCount;
    std::optional<std::int32_t> m_maxKey;
    std::int64_t m_dataVersion = -1;
    std::vector<Table *> m_tables;
    TableOrders m_orders;
    int m_batchDepth = 0;
    bool m_inTransaction = false;
    bool m_walChecked = false;
    int m_writesInTransaction = 0;
};

} // namespace store

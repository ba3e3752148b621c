#include "store/engine/table_file.h"

#include "store/engine/collation.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/engine/table_install.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <climits>

namespace store {
namespace {

// Posts per transaction inside a batch: large enough to make bulk loads fast,
// small enough that a killed process loses little.
constexpr int kWritesPerTransaction = 16384;
constexpr int kBusyTimeoutMs = 1500;
// How long a writer waits for another program's write transaction to end:
// a bulk writer holds the lock for one transaction of kWritesPerTransaction
// rows at a time, which on a slow machine takes longer than a reader waits.
constexpr int kBatchWriteLockWaitMs = 30000;
constexpr int kRowWriteLockWaitMs = 5000;

// Takes the write lock, waiting up to waitMs for another writer.
void beginWriting(sqlite3 *db, int waitMs)
{
    sqlite3_busy_timeout(db, waitMs);
    try {
        execSql(db, "BEGIN IMMEDIATE");
    } catch (...) {
        sqlite3_busy_timeout(db, kBusyTimeoutMs);
        throw;
    }
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
}

int columnSize(const QString &declaredType)
{
    static const QRegularExpression sized(QStringLiteral("\\((\\d+)\\)"));
    const auto match = sized.match(declaredType);
    return match.hasMatch() ? match.captured(1).toInt() : 255;
}

bool isTextType(const QString &declaredType)
{
    const QString t = declaredType.toUpper();
    return t.isEmpty() || t.contains(QStringLiteral("CHAR")) ||
           t.contains(QStringLiteral("TEXT")) || t.contains(QStringLiteral("CLOB"));
}

// path as an SQLite URI, so that query parameters can be given whatever
// characters the path holds.
} // namespace

TableFile::TableFile(const QString &path, const OpenOptions &options)
    : m_path(path), m_readOnly(options.readOnly || options.immutable),
      m_immutable(options.immutable), m_vfs(options.vfs),
      m_orders(*this, options.backgroundKeysFrom)
{
    const QByteArray name = sqliteUri(path, options.immutable);
    const int flags = (m_readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) |
                      SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE | SQLITE_OPEN_URI;
    int rc = sqlite3_open_v2(name.constData(), &m_db, flags,
                             options.vfs.empty() ? nullptr : options.vfs.c_str());
    if (rc != SQLITE_OK) {
        const EngineError error = messages::fromSqlite(
            path, rc, QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc)));
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw error;
    }
    try {
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
        collation::registerWith(m_db);
        loadSchema();
        checkKeyRange();
        if (!m_readOnly)
            execSql(m_db, "PRAGMA synchronous=NORMAL");
        // A million-row dictionary's indexes stay in memory.
        execSql(m_db, "PRAGMA cache_size=-32768");
        sync();
    } catch (...) {
        m_statements.clear();
        sqlite3_close_v2(m_db);
        m_db = nullptr;
        throw;
    }
}

TableFile::~TableFile()
{
    // Whoever grouped writes into a batch commits it; a batch still open
    // here was abandoned.
    rollbackPending();
    m_orders.release();
    m_statements.clear();
    sqlite3_close_v2(m_db);
}

void TableFile::create(const QString &path, const QString &tableName,
                       const std::vector<Column> &columns)
{
    // A journal left by an earlier file of this name would be replayed into
    // the new one.
    clearStaleSideFiles(path);
    sqlite3 *db = nullptr;
    const QByteArray name = sqliteUri(path);
    int rc = sqlite3_open_v2(name.constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXRESCODE |
                                 SQLITE_OPEN_URI,
                             nullptr);
    auto closer = std::unique_ptr<sqlite3, int (*)(sqlite3 *)>(db, &sqlite3_close_v2);
    if (rc != SQLITE_OK)
        throwSqlite(path, db, rc);
    collation::registerWith(db);
    execSql(db, "PRAGMA journal_mode=WAL");
    std::string sql = "CREATE TABLE " + quoteIdentifier(tableName) + " (";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += quoteIdentifier(columns[i].name);
        sql += columns[i].isKey ? " INTEGER PRIMARY KEY NOT NULL"
                                : " VARCHAR(" + std::to_string(columns[i].size) + ")";
    }
    sql += ")";
    execSql(db, sql);
}

void TableFile::loadSchema()
{
    Statement tables(m_db, "SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE "
                           "'sqlite\\_%' ESCAPE '\\'");
    QStringList names;
    while (tables.step())
        names << tables.text(0);
    if (names.size() != 1)
        throw messages::notDictionary(m_path, names.isEmpty()
                                                  ? QStringLiteral("nincs benne tábla")
                                                  : QStringLiteral("több táblát tartalmaz"));
    m_tableName = names.front();

    Statement info(m_db, "PRAGMA table_info(" + quoteIdentifier(m_tableName) + ")");
    while (info.step()) {
        Column column;
        column.name = info.text(1);
        const QString type = info.text(2);
        const bool primary = info.integer(5) != 0;
        if (column.name.compare(QStringLiteral("Azon"), Qt::CaseInsensitive) == 0) {
            if (!primary || type.compare(QStringLiteral("INTEGER"), Qt::CaseInsensitive) != 0)
                throw messages::notDictionary(m_path,
                                              QStringLiteral("az Azon mező nem egész kulcs"));
            column.isKey = true;
            m_keyColumn = int(m_columns.size());
        } else {
            if (primary || !isTextType(type))
                throw messages::notDictionary(
                    m_path, QStringLiteral("a(z) %1 mező nem szöveges").arg(column.name));
            column.size = columnSize(type);
        }
        m_columns.push_back(column);
    }
    if (m_keyColumn < 0)
        throw messages::notDictionary(m_path, QStringLiteral("nincs Azon kulcsmezője"));
}

int TableFile::columnIndex(const QString &name) const
{
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

Statement &TableFile::statement(const std::string &sql)
{
    auto it = m_statements.find(sql);
    if (it == m_statements.end())
        it = m_statements.emplace(sql, Statement(m_db, sql)).first;
    return it->second.reset();
}

std::vector<TableFile::IndexInfo> TableFile::indexes()
{
    std::vector<IndexInfo> result;
    Statement list(m_db, "PRAGMA index_list(" + quotedTable() + ")");
    while (list.step()) {
        if (list.text(3) != QStringLiteral("c"))
            continue;
        IndexInfo index;
        index.name = list.text(1);
        Statement info(m_db, "PRAGMA index_info(" + quoteIdentifier(index.name) + ")");
        while (info.step()) {
            const int column = columnIndex(info.text(2));
            if (column >= 0 && (index.columns.empty() || index.columns.back() != column))
                index.columns.push_back(column);
        }
        result.push_back(index);
    }
    // index_list gives the newest first.
    std::reverse(result.begin(), result.end());
    return result;
}

void TableFile::addIndex(const QString &name, const std::vector<int> &columns, bool caseInsensitive)
{
    commitPending();
    ensureJournalMode();
    std::vector<std::string> quoted;
    for (const int column : columns)
        quoted.push_back(quotedColumn(column));
    m_orders.dropWalks();
    m_statements.clear();
    execSql(m_db, createIndexSql(name, quotedTable(), quoted, caseInsensitive));
}

std::string TableFile::createIndexSql(const QString &name, const std::string &quotedTable,
                                      const std::vector<std::string> &quotedColumns,
                                      bool caseInsensitive)
{
    std::string sql = "CREATE INDEX " + quoteIdentifier(name) + " ON " + quotedTable + " (";
    for (std::size_t i = 0; i < quotedColumns.size(); ++i) {
        if (i > 0)
            sql += ", ";
        const std::string &column = quotedColumns[i];
        // The exact text after the folded one keeps rows with equal text adjacent.
        sql +=
            caseInsensitive ? column + " COLLATE " + collation::kSqlName + ", " + column : column;
    }
    sql += ")";
    return sql;
}

void TableFile::dropIndex(const QString &name)
{
    commitPending();
    ensureJournalMode();
    m_orders.dropWalks();
    m_statements.clear();
    execSql(m_db, "DROP INDEX " + quoteIdentifier(name));
}

void TableFile::emptyTable()
{
    beforeWrite();
    runWrite(statement("DELETE FROM " + quotedTable()));
    afterWrite();
    dropCaches();
    m_rowCount = 0;
}

std::optional<std::vector<QString>> TableFile::readRow(std::int32_t azon)
{
    if (m_readRowSql.empty())
        m_readRowSql =
            "SELECT * FROM " + quotedTable() + " WHERE " + quotedColumn(m_keyColumn) + "=?";
    Statement &select = statement(m_readRowSql);
    select.bind(1, std::int64_t(azon));
    if (!select.step())
        return std::nullopt;
    std::vector<QString> row(m_columns.size());
    for (std::size_t i = 0; i < m_columns.size(); ++i)
        row[i] = select.text(int(i));
    select.reset();
    return row;
}

SortKey TableFile::sortKeyOf(const OrderColumns &order, const std::vector<QString> &row,
                             std::int32_t azon) const
{
    SortKey key;
    key.azon = azon;
    for (const int column : order)
        key.texts.push_back(row[std::size_t(column)].toUtf8());
    return key;
}

int TableFile::rowCount()
{
    if (!m_rowCount) {
        Statement &count = statement("SELECT count(*) FROM " + quotedTable());
        count.step();
        m_rowCount = int(count.integer(0));
        count.reset();
    }
    return *m_rowCount;
}

std::int32_t TableFile::newKey()
{
    if (!m_maxKey) {
        Statement &max =
            statement("SELECT max(" + quotedColumn(m_keyColumn) + ") FROM " + quotedTable());
        max.step();
        m_maxKey = max.isNull(0) ? kFirstKey - 1 : keyFrom(max.integer(0));
        max.reset();
    }
    if (*m_maxKey < INT32_MAX)
        return *m_maxKey + 1;
    // The top of the range is taken: the first free key above the smallest one.
    Statement &gap =
        statement("SELECT a." + quotedColumn(m_keyColumn) + "+1 FROM " + quotedTable() +
                  " a WHERE a." + quotedColumn(m_keyColumn) +
                  "<2147483647 AND NOT EXISTS (SELECT 1 FROM " + quotedTable() + " b WHERE b." +
                  quotedColumn(m_keyColumn) + "=a." + quotedColumn(m_keyColumn) + "+1) LIMIT 1");
    const bool found = gap.step();
    const std::int64_t key = found ? gap.integer(0) : INT32_MIN;
    gap.reset();
    return std::int32_t(key);
}

std::int32_t TableFile::appendRow(std::vector<QString> &row)
{
    beforeWrite();
    // Outside a batch the insert gets a transaction of its own, so that the
    // key is read under the same write lock as the row is written with.
    const bool own = !m_inTransaction;
    if (own) {
        beginWriting(m_db, kRowWriteLockWaitMs);
        m_maxKey.reset();
    }
    try {
        const std::int32_t azon = newKey();
        if (azon == INT32_MIN && readRow(azon))
            throw messages::keyOutOfRange(m_path, qint64(INT32_MAX) + 1);
        row[std::size_t(m_keyColumn)] = QString::number(azon);
        insertRow(row, azon);
        if (own)
            execSql(m_db, "COMMIT");
        return azon;
    } catch (...) {
        if (own) {
            if (!sqlite3_get_autocommit(m_db))
                sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            dropCaches();
        }
        throw;
    }
}

void TableFile::insertRow(const std::vector<QString> &row, std::int32_t azon)
{
    if (m_insertSql.empty()) {
        m_insertSql = "INSERT INTO " + quotedTable() + " VALUES (";
        for (std::size_t i = 0; i < m_columns.size(); ++i)
            m_insertSql += i == 0 ? "?" : ",?";
        m_insertSql += ")";
    }
    beforeWrite();
    Statement &insert = statement(m_insertSql);
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (int(i) == m_keyColumn)
            insert.bind(int(i) + 1, std::int64_t(azon));
        else
            insert.bind(int(i) + 1, row[i]);
    }
    runWrite(insert);
    afterWrite();
    if (m_rowCount)
        ++*m_rowCount;
    if (m_maxKey && azon > *m_maxKey)
        m_maxKey = azon;

    m_orders.rowInserted(row, azon, m_batchDepth > 0);
}

bool TableFile::updateRow(const std::vector<QString> &oldRow, const std::vector<QString> &newRow,
                          std::int32_t azon)
{
    std::string sql = "UPDATE " + quotedTable() + " SET ";
    bool firstColumn = true;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (int(i) == m_keyColumn)
            continue;
        sql += (firstColumn ? "" : ",") + quotedColumn(int(i)) + "=?" + std::to_string(i + 1);
        firstColumn = false;
    }
    sql += " WHERE " + quotedColumn(m_keyColumn) + "=?" + std::to_string(m_keyColumn + 1);

    m_orders.rowUpdating(oldRow, newRow, azon, m_batchDepth > 0);

    beforeWrite();
    Statement &update = statement(sql);
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        if (int(i) == m_keyColumn)
            update.bind(int(i) + 1, std::int64_t(azon));
        else
            update.bind(int(i) + 1, newRow[i]);
    }
    runWrite(update);
    if (sqlite3_changes(m_db) == 0) {
        // Deleted meanwhile by another connection: the key lists lost a row
        // that is not there either.
        afterWrite();
        dropCaches();
        return false;
    }
    afterWrite();

    m_orders.rowUpdated(newRow, azon);
    return true;
}

void TableFile::deleteRow(const std::vector<QString> &row, std::int32_t azon)
{
    beforeWrite();
    Statement &remove =
        statement("DELETE FROM " + quotedTable() + " WHERE " + quotedColumn(m_keyColumn) + "=?");
    remove.bind(1, std::int64_t(azon));
    runWrite(remove);
    afterWrite();
    if (m_rowCount && *m_rowCount > 0)
        --*m_rowCount;
    m_maxKey.reset();
    m_orders.rowDeleted(row, azon);
}

bool TableFile::sync()
{
    // Inside our own write transaction nobody else can have written.
    if (m_inTransaction)
        return false;
    // A walk paused between steps lets go of its snapshot, so that what
    // other programs wrote is seen.
    m_orders.endPausedStepping();
    Statement &version = statement("PRAGMA data_version");
    version.step();
    const std::int64_t now = version.integer(0);
    version.reset();
    const bool changed = m_dataVersion >= 0 && now != m_dataVersion;
    if (changed) {
        dropCaches();
        // Another program may have written a key this engine cannot hold;
        // until that is mended every positioning call fails here.
        checkKeyRange();
        m_dataVersion = now;
        notifyChanged(nullptr);
    }
    m_dataVersion = now;
    return changed;
}

void TableFile::throwKeyOutOfRange(std::int64_t value) const
{
    throw messages::keyOutOfRange(m_path, value);
}

void TableFile::checkKeyRange()
{
    // Both ends of the rowid order: two seeks, not a scan (a single SELECT
    // with both min() and max() would scan the table).
    const std::string key = quotedColumn(m_keyColumn);
    Statement &range = statement("SELECT (SELECT min(" + key + ") FROM " + quotedTable() +
                                 "), (SELECT max(" + key + ") FROM " + quotedTable() + ")");
    range.step();
    const std::int64_t low = range.integer(0);
    const std::int64_t high = range.integer(1);
    range.reset();
    keyFrom(low);
    keyFrom(high);
}

void TableFile::dropCaches()
{
    m_orders.clear();
    m_rowCount.reset();
    m_maxKey.reset();
}

void TableFile::attach(Table *table)
{
    m_tables.push_back(table);
}

void TableFile::detach(Table *table)
{
    m_tables.erase(std::remove(m_tables.begin(), m_tables.end(), table), m_tables.end());
}

void TableFile::notifyChanged(const Table *origin)
{
    const std::vector<Table *> tables = m_tables;
    for (Table *table : tables) {
        if (table != origin)
            table->fileChanged();
    }
}

void TableFile::beginBatch()
{
    ++m_batchDepth;
}

void TableFile::endBatch()
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        commitPending();
}

void TableFile::abandonBatch() noexcept
{
    if (m_batchDepth > 0 && --m_batchDepth == 0)
        rollbackPending();
}

void TableFile::commitPending()
{
    m_orders.endStepping();
    if (!m_inTransaction)
        return;
    try {
        execSql(m_db, "COMMIT");
    } catch (...) {
        rollbackPending();
        throw;
    }
    m_inTransaction = false;
    m_writesInTransaction = 0;
}

void TableFile::rollbackPending() noexcept
{
    m_orders.endStepping();
    if (!m_inTransaction)
        return;
    // A failed COMMIT may have rolled back already (disk full, I/O error).
    if (!sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    transactionLost();
}

void TableFile::transactionLost() noexcept
{
    m_inTransaction = false;
    m_writesInTransaction = 0;
    dropCaches();
    try {
        notifyChanged(nullptr);
    } catch (...) {
        // A table that cannot re-read its row now does so on its next move.
    }
}

void TableFile::runWrite(Statement &statement)
{
    try {
        statement.run();
    } catch (...) {
        // Some failures (disk full, I/O error) roll back the whole
        // transaction, not just the statement: the caches must follow.
        if (m_inTransaction && sqlite3_get_autocommit(m_db))
            transactionLost();
        throw;
    }
}

void TableFile::ensureJournalMode()
{
    // The journal mode changes only when the file is first written, so that a
    // file that is merely opened (and perhaps refused) stays as it was.
    if (!m_walChecked) {
        QString mode;
        {
            Statement query(m_db, "PRAGMA journal_mode");
            if (query.step())
                mode = query.text(0);
        }
        if (mode.compare(QStringLiteral("wal"), Qt::CaseInsensitive) != 0 && !m_inTransaction) {
            Statement wal(m_db, "PRAGMA journal_mode=WAL");
            wal.run();
        }
        m_walChecked = true;
    }
}

void TableFile::beforeWrite()
{
    m_orders.endStepping();
    m_orders.cancelKeyLoad();
    ensureJournalMode();
    if (m_batchDepth > 0 && !m_inTransaction) {
        beginWriting(m_db, kBatchWriteLockWaitMs);
        m_inTransaction = true;
        m_writesInTransaction = 0;
        // Another connection may have added rows since the last transaction.
        m_maxKey.reset();
    }
}

void TableFile::afterWrite()
{
    if (m_inTransaction && ++m_writesInTransaction >= kWritesPerTransaction)
        commitPending();
}

} // namespace store

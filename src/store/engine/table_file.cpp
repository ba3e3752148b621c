#include "store/engine/table_file.h"

#include "store/engine/collation.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/engine/table_install.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

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
// A cursor left this long between two steps lets go of its snapshot.
constexpr auto kSteppingPause = std::chrono::milliseconds(TableFile::kSteppingPauseMs);

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

int compareBytes(const QByteArray &a, const char *b, int bLen)
{
    const int common = std::min(int(a.size()), bLen);
    const int c = common > 0 ? std::memcmp(a.constData(), b, std::size_t(common)) : 0;
    if (c != 0)
        return c;
    return int(a.size()) - bLen;
}

// path as an SQLite URI, so that query parameters can be given whatever
// characters the path holds.
} // namespace

TableFile::TableFile(const QString &path, const OpenOptions &options)
    : m_path(path), m_readOnly(options.readOnly || options.immutable),
      m_immutable(options.immutable), m_vfs(options.vfs),
      m_backgroundKeysFrom(options.backgroundKeysFrom)
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
    endStepping();
    m_loader.reset();
    m_walks.clear();
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
    endStepping();
    m_walks.clear();
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
    endStepping();
    m_walks.clear();
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

    for (auto &entry : m_keyLists) {
        KeyList &list = entry.second;
        if (!list.valid)
            continue;
        if (m_batchDepth > 0) {
            list.valid = false;
            list.keys.clear();
            continue;
        }
        const OrderColumns &order = list.order;
        const SortKey key = sortKeyOf(order, row, azon);
        const int at = lowerBound(order, list.keys, key);
        list.keys.insert(list.keys.begin() + at, azon);
    }
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

    // Key lists whose order columns change lose the row at its old place first.
    std::vector<std::pair<KeyList *, OrderColumns>> moved;
    for (auto &entry : m_keyLists) {
        KeyList &list = entry.second;
        if (!list.valid)
            continue;
        const OrderColumns &order = list.order;
        bool changes = false;
        for (const int column : order)
            changes = changes || oldRow[std::size_t(column)] != newRow[std::size_t(column)];
        if (!changes)
            continue;
        if (m_batchDepth > 0) {
            list.valid = false;
            list.keys.clear();
            continue;
        }
        const int at = lowerBound(order, list.keys, sortKeyOf(order, oldRow, azon));
        if (at < int(list.keys.size()) && list.keys[std::size_t(at)] == azon)
            list.keys.erase(list.keys.begin() + at);
        else
            list.valid = false;
        moved.emplace_back(&list, list.order);
    }

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

    for (auto &[list, order] : moved) {
        if (!list->valid) {
            list->keys.clear();
            continue;
        }
        const int at = lowerBound(order, list->keys, sortKeyOf(order, newRow, azon));
        list->keys.insert(list->keys.begin() + at, azon);
    }
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

    for (auto &entry : m_keyLists) {
        KeyList &list = entry.second;
        if (!list.valid)
            continue;
        const OrderColumns &order = list.order;
        const int at = lowerBound(order, list.keys, sortKeyOf(order, row, azon));
        if (at < int(list.keys.size()) && list.keys[std::size_t(at)] == azon) {
            list.keys.erase(list.keys.begin() + at);
        } else {
            list.valid = false;
            list.keys.clear();
        }
    }
}

std::string TableFile::orderName(const OrderColumns &order)
{
    std::string name;
    for (const int column : order) {
        if (!name.empty())
            name += ',';
        name += std::to_string(column);
    }
    return name;
}

std::string TableFile::orderBy(const OrderColumns &order, bool descending) const
{
    const std::string direction = descending ? " DESC" : "";
    std::string sql;
    for (const int column : order) {
        const std::string name = quotedColumn(column);
        sql +=
            name + " COLLATE " + collation::kSqlName + direction + ", " + name + direction + ", ";
    }
    return sql + quotedColumn(m_keyColumn) + direction;
}

std::optional<std::int32_t> TableFile::singleKey(const std::string &sql, const SortKey *key,
                                                 int textParam, int azonParam,
                                                 std::vector<QString> *row)
{
    Statement &select = statement(sql);
    if (key && textParam > 0)
        select.bind(textParam, QString::fromUtf8(key->texts.front()));
    if (key && azonParam > 0)
        select.bind(azonParam, std::int64_t(key->azon));
    std::optional<std::int32_t> result;
    if (select.step()) {
        if (row) {
            // The row's columns come first, the key last.
            const int columns = int(m_columns.size());
            row->resize(m_columns.size());
            for (int i = 0; i < columns; ++i)
                (*row)[std::size_t(i)] = select.text(i);
            result = keyFrom(select.integer(columns));
        } else {
            result = keyFrom(select.integer(0));
        }
    }
    select.reset();
    return result;
}

std::optional<std::int32_t> TableFile::firstKey(const OrderColumns &order)
{
    const auto it = m_keyLists.find(orderName(order));
    if (it != m_keyLists.end() && it->second.valid)
        return it->second.keys.empty() ? std::nullopt
                                       : std::optional<std::int32_t>(it->second.keys.front());
    return singleKey("SELECT " + quotedColumn(m_keyColumn) + " FROM " + quotedTable() +
                         " ORDER BY " + orderBy(order) + " LIMIT 1",
                     nullptr, 0, 0);
}

std::optional<std::int32_t> TableFile::lastKey(const OrderColumns &order)
{
    const auto it = m_keyLists.find(orderName(order));
    if (it != m_keyLists.end() && it->second.valid)
        return it->second.keys.empty() ? std::nullopt
                                       : std::optional<std::int32_t>(it->second.keys.back());
    return singleKey("SELECT " + quotedColumn(m_keyColumn) + " FROM " + quotedTable() +
                         " ORDER BY " + orderBy(order, true) + " LIMIT 1",
                     nullptr, 0, 0);
}

std::optional<std::int32_t> TableFile::keyAfter(const OrderColumns &order, const SortKey &key,
                                                std::vector<QString> *row)
{
    if (order.size() > 1 || hasValidKeys(order)) {
        const auto &list = keys(order);
        std::size_t at = std::size_t(lowerBound(order, list, key));
        if (at < list.size() && list[at] == key.azon)
            ++at;
        return at < list.size() ? std::optional<std::int32_t>(list[at]) : std::nullopt;
    }
    const SeekSql &sql = seekSql(order);
    const auto &after = row ? sql.afterWithRow : sql.after;
    if (order.empty())
        return singleKey(after[0], &key, 0, 2, row);
    // First the rest of a group of equal texts, by a direct index seek; past
    // its end, one range from the folded text on, which passes over the
    // group's own rows once.
    if (auto next = singleKey(after[0], &key, 1, 2, row))
        return next;
    return singleKey(after[1], &key, 1, 0, row);
}

std::optional<std::int32_t> TableFile::keyBefore(const OrderColumns &order, const SortKey &key,
                                                 std::vector<QString> *row)
{
    if (order.size() > 1 || hasValidKeys(order)) {
        const auto &list = keys(order);
        const int at = lowerBound(order, list, key);
        return at > 0 ? std::optional<std::int32_t>(list[std::size_t(at - 1)]) : std::nullopt;
    }
    const SeekSql &sql = seekSql(order);
    const auto &before = row ? sql.beforeWithRow : sql.before;
    if (order.empty())
        return singleKey(before[0], &key, 0, 2, row);
    if (auto prev = singleKey(before[0], &key, 1, 2, row))
        return prev;
    return singleKey(before[1], &key, 1, 0, row);
}

const TableFile::SeekSql &TableFile::seekSql(const OrderColumns &order)
{
    auto it = m_seekSql.find(orderName(order));
    if (it != m_seekSql.end())
        return it->second;
    const std::string select = "SELECT " + quotedColumn(m_keyColumn) + " FROM " + quotedTable();
    const std::string azon = quotedColumn(m_keyColumn);
    SeekSql sql;
    if (order.empty()) {
        sql.after[0] = select + " WHERE " + azon + ">?2 ORDER BY " + azon + " LIMIT 1";
        sql.before[0] = select + " WHERE " + azon + "<?2 ORDER BY " + azon + " DESC LIMIT 1";
    } else {
        const std::string column = quotedColumn(order.front());
        const std::string folded = column + " COLLATE " + collation::kSqlName;
        const std::string same = " WHERE " + folded + "=?1 AND " + column;
        sql.after[0] = select + same + "=?1 AND " + azon + ">?2 ORDER BY " + azon + " LIMIT 1";
        sql.after[1] = select + " WHERE " + folded + ">=?1 AND (" + folded + ">?1 OR " + column +
                       ">?1) ORDER BY " + orderBy(order) + " LIMIT 1";
        sql.before[0] =
            select + same + "=?1 AND " + azon + "<?2 ORDER BY " + azon + " DESC LIMIT 1";
        sql.before[1] = select + " WHERE " + folded + "<=?1 AND (" + folded + "<?1 OR " + column +
                        "<?1) ORDER BY " + orderBy(order, true) + " LIMIT 1";
    }
    // The same seeks returning the whole row (its columns, then the key).
    for (int i = 0; i < 2; ++i) {
        if (!sql.after[i].empty())
            sql.afterWithRow[i] = "SELECT *," + sql.after[i].substr(7);
        if (!sql.before[i].empty())
            sql.beforeWithRow[i] = "SELECT *," + sql.before[i].substr(7);
    }
    return m_seekSql.emplace(orderName(order), sql).first->second;
}

bool TableFile::hasValidKeys(const OrderColumns &order) const
{
    const auto it = m_keyLists.find(orderName(order));
    return it != m_keyLists.end() && it->second.valid;
}

void TableFile::cancelKeyLoad()
{
    // Whatever a running load reads may miss this change: it is dropped.
    ++m_generation;
    m_loader.reset();
}

void TableFile::adoptLoadedKeys(bool wait)
{
    if (!m_loader || (!wait && !m_loader->finished()))
        return;
    auto loaded = m_loader->take();
    m_loader.reset();
    // A load that failed on its own connection is not tried again: the
    // list is then built here, where a failure is reported.
    m_loaderFailed = m_loaderFailed || !loaded;
    if (!loaded || m_loaderGeneration != m_generation)
        return;
    KeyList &list = m_keyLists[orderName(m_loaderOrder)];
    list.order = m_loaderOrder;
    list.keys = std::move(*loaded);
    list.valid = true;
    m_rowCount = int(list.keys.size());
}

bool TableFile::keysAtHand(const OrderColumns &order)
{
    adoptLoadedKeys(false);
    if (hasValidKeys(order) || order.size() > 1 || m_loaderFailed ||
        rowCount() < m_backgroundKeysFrom)
        return true;
    if (m_loader && m_loaderOrder == order)
        return false;
    // Rows written but not committed are not seen by another connection.
    if (m_inTransaction)
        return false;
    KeyLoader::Source source;
    source.path = m_path;
    source.immutable = m_immutable;
    source.vfs = m_vfs;
    source.sql = "SELECT " + quotedColumn(m_keyColumn) + " FROM " + quotedTable() + " ORDER BY " +
                 orderBy(order);
    m_loader.reset();
    m_loaderOrder = order;
    m_loaderGeneration = m_generation;
    m_loader = std::make_unique<KeyLoader>(source, std::size_t(rowCount()));
    return false;
}

int TableFile::countBefore(const OrderColumns &order, const SortKey &key)
{
    if (order.size() > 1)
        return positionOf(order, key);
    const std::string from = " FROM " + quotedTable() + " WHERE ";
    const std::string azon = quotedColumn(m_keyColumn);
    std::string sql;
    if (order.empty()) {
        sql = "SELECT count(*)" + from + azon + "<?2";
    } else {
        // Three index ranges: lower folded texts, lower exact texts of the
        // same folded one, lower keys of the same text.
        const std::string column = quotedColumn(order.front());
        const std::string folded = column + " COLLATE " + collation::kSqlName;
        sql = "SELECT (SELECT count(*)" + from + folded + "<?1)+(SELECT count(*)" + from + folded +
              "=?1 AND " + column + "<?1)+(SELECT count(*)" + from + folded + "=?1 AND " + column +
              "=?1 AND " + azon + "<?2)";
    }
    Statement &count = statement(sql);
    if (!order.empty())
        count.bind(1, QString::fromUtf8(key.texts.front()));
    count.bind(2, std::int64_t(key.azon));
    count.step();
    const auto before = count.integer(0);
    count.reset();
    return int(before);
}

std::optional<std::int32_t> TableFile::keyAt(const OrderColumns &order, int pos,
                                             const SortKey *anchor, int anchorPos)
{
    const int rows = rowCount();
    if (pos < 0 || pos >= rows)
        return std::nullopt;
    if (order.size() > 1 || hasValidKeys(order))
        return keys(order)[std::size_t(pos)];
    if (anchor && pos == anchorPos)
        return anchor->azon;
    // Steps needed from each place: the first row is one step from the
    // start, the row after the anchor one step from the anchor.
    int steps = pos + 1;
    bool forward = true;
    const SortKey *from = nullptr;
    if (rows - pos < steps) {
        steps = rows - pos;
        forward = false;
    }
    if (anchor && anchorPos >= 0 && std::abs(pos - anchorPos) < steps) {
        steps = std::abs(pos - anchorPos);
        forward = pos > anchorPos;
        from = anchor;
    }
    OrderWalk &keysWalk = walk(order, forward, false);
    keysWalk.start(from);
    std::optional<std::int64_t> key;
    try {
        for (int i = 0; i < steps; ++i) {
            key = keysWalk.step();
            if (!key)
                break;
        }
    } catch (...) {
        keysWalk.stop();
        throw;
    }
    keysWalk.stop();
    if (!key)
        return std::nullopt;
    return keyFrom(*key);
}

const std::vector<std::int32_t> &TableFile::keys(const OrderColumns &order)
{
    adoptLoadedKeys(m_loader && m_loaderOrder == order);
    KeyList &list = m_keyLists[orderName(order)];
    list.order = order;
    if (!list.valid) {
        list.keys.clear();
        list.keys.reserve(std::size_t(rowCount()));
        Statement &select = statement("SELECT " + quotedColumn(m_keyColumn) + " FROM " +
                                      quotedTable() + " ORDER BY " + orderBy(order));
        while (select.step())
            list.keys.push_back(keyFrom(select.integer(0)));
        select.reset();
        list.valid = true;
        m_rowCount = int(list.keys.size());
    }
    return list.keys;
}

int TableFile::compareWithRow(const OrderColumns &order, std::int32_t rowKey, const SortKey &key)
{
    if (rowKey == key.azon)
        return 0;
    if (order.empty())
        return rowKey < key.azon ? -1 : 1;
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < order.size(); ++i)
        sql += (i ? "," : "") + quotedColumn(order[i]);
    sql += " FROM " + quotedTable() + " WHERE " + quotedColumn(m_keyColumn) + "=?";
    Statement &select = statement(sql);
    select.bind(1, std::int64_t(rowKey));
    if (!select.step())
        return rowKey < key.azon ? -1 : 1; // vanished meanwhile; any consistent answer
    int result = 0;
    for (std::size_t i = 0; i < order.size() && result == 0; ++i) {
        int length = 0;
        const char *text = select.utf8(int(i), length);
        const QByteArray &mine = key.texts[i];
        result = collation::compareUtf8(text, length, mine.constData(), int(mine.size()));
        if (result == 0)
            result = -compareBytes(mine, text, length);
    }
    select.reset();
    if (result == 0)
        result = rowKey < key.azon ? -1 : 1;
    return result;
}

int TableFile::lowerBound(const OrderColumns &order, const std::vector<std::int32_t> &list,
                          const SortKey &key)
{
    int low = 0;
    int high = int(list.size());
    while (low < high) {
        const int mid = low + (high - low) / 2;
        if (compareWithRow(order, list[std::size_t(mid)], key) < 0)
            low = mid + 1;
        else
            high = mid;
    }
    return low;
}

int TableFile::positionOf(const OrderColumns &order, const SortKey &key)
{
    const auto &list = keys(order);
    const int at = lowerBound(order, list, key);
    return at < int(list.size()) && list[std::size_t(at)] == key.azon ? at : -1;
}

bool TableFile::sync()
{
    // Inside our own write transaction nobody else can have written.
    if (m_inTransaction)
        return false;
    // A walk paused between steps lets go of its snapshot, so that what
    // other programs wrote is seen.
    endPausedStepping();
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
    endStepping();
    cancelKeyLoad();
    m_keyLists.clear();
    m_rowCount.reset();
    m_maxKey.reset();
    // What failed to load may load now (another program's lock is gone).
    m_loaderFailed = false;
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
    endStepping();
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
    endStepping();
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

OrderWalk &TableFile::walk(const OrderColumns &order, bool forward, bool wholeRows)
{
    const std::string name = orderName(order) + (forward ? "+" : "-") + (wholeRows ? "row" : "key");
    auto &slot = m_walks[name];
    if (!slot) {
        OrderWalk::Sql sql;
        sql.table = quotedTable();
        sql.keyColumn = quotedColumn(m_keyColumn);
        sql.orderColumn = order.empty() ? std::string() : quotedColumn(order.front());
        sql.collationName = collation::kSqlName;
        sql.keyIndex = m_keyColumn;
        slot = std::make_unique<OrderWalk>(m_db, sql, forward, wholeRows);
    }
    return *slot;
}

std::optional<std::int32_t> TableFile::stepRow(const Table *owner, const OrderColumns &order,
                                               bool forward, std::int32_t currentKey)
{
    const auto now = std::chrono::steady_clock::now();
    const bool goesOn = m_stepper.walk && m_stepper.walk->running() && m_stepper.owner == owner &&
                        m_stepper.order == order && m_stepper.walk->forward() == forward &&
                        m_stepper.at == currentKey && now - m_stepper.when < kSteppingPause;
    if (!goesOn) {
        // The owner's row, read from the walk if it still stands on it.
        const SortKey from = sortKeyOf(order, owner->currentRow(), currentKey);
        endStepping();
        OrderWalk &stepping = walk(order, forward, true);
        // One read transaction over the walk's ranges: each would otherwise
        // begin and end its own, which costs more than many steps.
        if (sqlite3_get_autocommit(m_db)) {
            execSql(m_db, "BEGIN");
            m_stepper.reading = true;
        }
        stepping.start(&from);
        m_stepper.owner = owner;
        m_stepper.walk = &stepping;
        m_stepper.order = order;
    }
    std::optional<std::int64_t> key;
    try {
        key = m_stepper.walk->step();
        if (key)
            m_stepper.at = keyFrom(*key);
    } catch (...) {
        // The walk has left the owner's row: it reads it again itself.
        m_stepper.owner = nullptr;
        endStepping();
        throw;
    }
    if (!key) {
        m_stepper.owner = nullptr;
        endStepping();
        return std::nullopt;
    }
    m_stepper.when = now;
    return m_stepper.at;
}

void TableFile::readSteppedRow(std::vector<QString> &row) const
{
    row.resize(m_columns.size());
    if (m_stepper.walk)
        m_stepper.walk->readRow(row);
}

bool TableFile::endPausedStepping() noexcept
{
    if (m_stepper.walk && std::chrono::steady_clock::now() - m_stepper.when >= kSteppingPause)
        endStepping();
    return m_stepper.walk || m_stepper.reading;
}

void TableFile::endStepping() noexcept
{
    if (!m_stepper.walk && !m_stepper.reading)
        return;
    // The owner has not read its row yet: the walk still stands on it.
    if (m_stepper.owner && m_stepper.walk)
        m_stepper.owner->takeSteppedRow(*this, m_stepper.at);
    if (m_stepper.walk)
        m_stepper.walk->stop();
    // Ending a transaction that only read cannot lose anything.
    if (m_stepper.reading && !sqlite3_get_autocommit(m_db))
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
    m_stepper = Stepper();
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
    endStepping();
    cancelKeyLoad();
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

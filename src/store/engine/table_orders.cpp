#include "store/engine/table_orders.h"

#include "store/engine/collation.h"
#include "store/engine/sqlite_handle.h"
#include "store/engine/table.h"
#include "store/engine/table_file.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace store {
namespace {

// A cursor left this long between two steps lets go of its snapshot.
constexpr auto kSteppingPause = std::chrono::milliseconds(TableOrders::kSteppingPauseMs);

int compareBytes(const QByteArray &a, const char *b, int bLen)
{
    const int common = std::min(int(a.size()), bLen);
    const int c = common > 0 ? std::memcmp(a.constData(), b, std::size_t(common)) : 0;
    if (c != 0)
        return c;
    return int(a.size()) - bLen;
}

} // namespace

TableOrders::TableOrders(TableFile &file, int backgroundKeysFrom)
    : m_file(file), m_backgroundKeysFrom(backgroundKeysFrom)
{}

TableOrders::~TableOrders()
{
    release();
}

void TableOrders::dropWalks() noexcept
{
    endStepping();
    m_walks.clear();
}

void TableOrders::release() noexcept
{
    endStepping();
    m_loader.reset();
    m_walks.clear();
}

void TableOrders::clear()
{
    endStepping();
    cancelKeyLoad();
    m_keyLists.clear();
    m_moved.clear();
    // What failed to load may load now (another program's lock is gone).
    m_loaderFailed = false;
}

void TableOrders::rowInserted(const std::vector<QString> &row, std::int32_t azon, bool inBatch)
{
    for (auto &entry : m_keyLists) {
        KeyList &list = entry.second;
        if (!list.valid)
            continue;
        if (inBatch) {
            list.valid = false;
            list.keys.clear();
            continue;
        }
        const OrderColumns &order = list.order;
        const SortKey key = m_file.sortKeyOf(order, row, azon);
        const int at = lowerBound(order, list.keys, key);
        list.keys.insert(list.keys.begin() + at, azon);
    }
}

void TableOrders::rowUpdating(const std::vector<QString> &oldRow,
                              const std::vector<QString> &newRow, std::int32_t azon, bool inBatch)
{
    // Key lists whose order columns change lose the row at its old place first.
    m_moved.clear();
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
        if (inBatch) {
            list.valid = false;
            list.keys.clear();
            continue;
        }
        const int at = lowerBound(order, list.keys, m_file.sortKeyOf(order, oldRow, azon));
        if (at < int(list.keys.size()) && list.keys[std::size_t(at)] == azon)
            list.keys.erase(list.keys.begin() + at);
        else
            list.valid = false;
        m_moved.emplace_back(&list, list.order);
    }
}

void TableOrders::rowUpdated(const std::vector<QString> &newRow, std::int32_t azon)
{
    for (auto &[list, order] : m_moved) {
        if (!list->valid) {
            list->keys.clear();
            continue;
        }
        const int at = lowerBound(order, list->keys, m_file.sortKeyOf(order, newRow, azon));
        list->keys.insert(list->keys.begin() + at, azon);
    }
    m_moved.clear();
}

void TableOrders::rowDeleted(const std::vector<QString> &row, std::int32_t azon)
{
    for (auto &entry : m_keyLists) {
        KeyList &list = entry.second;
        if (!list.valid)
            continue;
        const OrderColumns &order = list.order;
        const int at = lowerBound(order, list.keys, m_file.sortKeyOf(order, row, azon));
        if (at < int(list.keys.size()) && list.keys[std::size_t(at)] == azon) {
            list.keys.erase(list.keys.begin() + at);
        } else {
            list.valid = false;
            list.keys.clear();
        }
    }
}

std::string TableOrders::orderName(const OrderColumns &order)
{
    std::string name;
    for (const int column : order) {
        if (!name.empty())
            name += ',';
        name += std::to_string(column);
    }
    return name;
}

std::string TableOrders::orderBy(const OrderColumns &order, bool descending) const
{
    const std::string direction = descending ? " DESC" : "";
    std::string sql;
    for (const int column : order) {
        const std::string name = m_file.quotedColumn(column);
        sql +=
            name + " COLLATE " + collation::kSqlName + direction + ", " + name + direction + ", ";
    }
    return sql + m_file.quotedColumn(m_file.keyColumn()) + direction;
}

std::optional<std::int32_t> TableOrders::singleKey(const std::string &sql, const SortKey *key,
                                                   int textParam, int azonParam,
                                                   std::vector<QString> *row)
{
    Statement &select = m_file.statement(sql);
    if (key && textParam > 0)
        select.bind(textParam, QString::fromUtf8(key->texts.front()));
    if (key && azonParam > 0)
        select.bind(azonParam, std::int64_t(key->azon));
    std::optional<std::int32_t> result;
    if (select.step()) {
        if (row) {
            // The row's columns come first, the key last.
            const int columns = int(m_file.columns().size());
            row->resize(m_file.columns().size());
            for (int i = 0; i < columns; ++i)
                (*row)[std::size_t(i)] = select.text(i);
            result = m_file.keyFrom(select.integer(columns));
        } else {
            result = m_file.keyFrom(select.integer(0));
        }
    }
    select.reset();
    return result;
}

std::optional<std::int32_t> TableOrders::firstKey(const OrderColumns &order)
{
    const auto it = m_keyLists.find(orderName(order));
    if (it != m_keyLists.end() && it->second.valid)
        return it->second.keys.empty() ? std::nullopt
                                       : std::optional<std::int32_t>(it->second.keys.front());
    return singleKey("SELECT " + m_file.quotedColumn(m_file.keyColumn()) + " FROM " +
                         m_file.quotedTable() + " ORDER BY " + orderBy(order) + " LIMIT 1",
                     nullptr, 0, 0);
}

std::optional<std::int32_t> TableOrders::lastKey(const OrderColumns &order)
{
    const auto it = m_keyLists.find(orderName(order));
    if (it != m_keyLists.end() && it->second.valid)
        return it->second.keys.empty() ? std::nullopt
                                       : std::optional<std::int32_t>(it->second.keys.back());
    return singleKey("SELECT " + m_file.quotedColumn(m_file.keyColumn()) + " FROM " +
                         m_file.quotedTable() + " ORDER BY " + orderBy(order, true) + " LIMIT 1",
                     nullptr, 0, 0);
}

std::optional<std::int32_t> TableOrders::keyAfter(const OrderColumns &order, const SortKey &key,
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

std::optional<std::int32_t> TableOrders::keyBefore(const OrderColumns &order, const SortKey &key,
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

const TableOrders::SeekSql &TableOrders::seekSql(const OrderColumns &order)
{
    auto it = m_seekSql.find(orderName(order));
    if (it != m_seekSql.end())
        return it->second;
    const std::string select =
        "SELECT " + m_file.quotedColumn(m_file.keyColumn()) + " FROM " + m_file.quotedTable();
    const std::string azon = m_file.quotedColumn(m_file.keyColumn());
    SeekSql sql;
    if (order.empty()) {
        sql.after[0] = select + " WHERE " + azon + ">?2 ORDER BY " + azon + " LIMIT 1";
        sql.before[0] = select + " WHERE " + azon + "<?2 ORDER BY " + azon + " DESC LIMIT 1";
    } else {
        const std::string column = m_file.quotedColumn(order.front());
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

bool TableOrders::hasValidKeys(const OrderColumns &order) const
{
    const auto it = m_keyLists.find(orderName(order));
    return it != m_keyLists.end() && it->second.valid;
}

void TableOrders::cancelKeyLoad()
{
    // Whatever a running load reads may miss this change: it is dropped.
    ++m_generation;
    m_loader.reset();
}

void TableOrders::adoptLoadedKeys(bool wait)
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
    m_file.m_rowCount = int(list.keys.size());
}

bool TableOrders::keysAtHand(const OrderColumns &order)
{
    adoptLoadedKeys(false);
    if (hasValidKeys(order) || order.size() > 1 || m_loaderFailed ||
        m_file.rowCount() < m_backgroundKeysFrom)
        return true;
    if (m_loader && m_loaderOrder == order)
        return false;
    // Rows written but not committed are not seen by another connection.
    if (m_file.m_inTransaction)
        return false;
    KeyLoader::Source source;
    source.path = m_file.path();
    source.immutable = m_file.m_immutable;
    source.vfs = m_file.m_vfs;
    source.sql = "SELECT " + m_file.quotedColumn(m_file.keyColumn()) + " FROM " +
                 m_file.quotedTable() + " ORDER BY " + orderBy(order);
    m_loader.reset();
    m_loaderOrder = order;
    m_loaderGeneration = m_generation;
    m_loader = std::make_unique<KeyLoader>(source, std::size_t(m_file.rowCount()));
    return false;
}

int TableOrders::countBefore(const OrderColumns &order, const SortKey &key)
{
    if (order.size() > 1)
        return positionOf(order, key);
    const std::string from = " FROM " + m_file.quotedTable() + " WHERE ";
    const std::string azon = m_file.quotedColumn(m_file.keyColumn());
    std::string sql;
    if (order.empty()) {
        sql = "SELECT count(*)" + from + azon + "<?2";
    } else {
        // Three index ranges: lower folded texts, lower exact texts of the
        // same folded one, lower keys of the same text.
        const std::string column = m_file.quotedColumn(order.front());
        const std::string folded = column + " COLLATE " + collation::kSqlName;
        sql = "SELECT (SELECT count(*)" + from + folded + "<?1)+(SELECT count(*)" + from + folded +
              "=?1 AND " + column + "<?1)+(SELECT count(*)" + from + folded + "=?1 AND " + column +
              "=?1 AND " + azon + "<?2)";
    }
    Statement &count = m_file.statement(sql);
    if (!order.empty())
        count.bind(1, QString::fromUtf8(key.texts.front()));
    count.bind(2, std::int64_t(key.azon));
    count.step();
    const auto before = count.integer(0);
    count.reset();
    return int(before);
}

std::optional<std::int32_t> TableOrders::keyAt(const OrderColumns &order, int pos,
                                               const SortKey *anchor, int anchorPos)
{
    const int rows = m_file.rowCount();
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
    return m_file.keyFrom(*key);
}

const std::vector<std::int32_t> &TableOrders::keys(const OrderColumns &order)
{
    adoptLoadedKeys(m_loader && m_loaderOrder == order);
    KeyList &list = m_keyLists[orderName(order)];
    list.order = order;
    if (!list.valid) {
        list.keys.clear();
        list.keys.reserve(std::size_t(m_file.rowCount()));
        Statement &select =
            m_file.statement("SELECT " + m_file.quotedColumn(m_file.keyColumn()) + " FROM " +
                             m_file.quotedTable() + " ORDER BY " + orderBy(order));
        while (select.step())
            list.keys.push_back(m_file.keyFrom(select.integer(0)));
        select.reset();
        list.valid = true;
        m_file.m_rowCount = int(list.keys.size());
    }
    return list.keys;
}

int TableOrders::compareWithRow(const OrderColumns &order, std::int32_t rowKey, const SortKey &key)
{
    if (rowKey == key.azon)
        return 0;
    if (order.empty())
        return rowKey < key.azon ? -1 : 1;
    std::string sql = "SELECT ";
    for (std::size_t i = 0; i < order.size(); ++i)
        sql += (i ? "," : "") + m_file.quotedColumn(order[i]);
    sql += " FROM " + m_file.quotedTable() + " WHERE " + m_file.quotedColumn(m_file.keyColumn()) +
           "=?";
    Statement &select = m_file.statement(sql);
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

int TableOrders::lowerBound(const OrderColumns &order, const std::vector<std::int32_t> &list,
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

int TableOrders::positionOf(const OrderColumns &order, const SortKey &key)
{
    const auto &list = keys(order);
    const int at = lowerBound(order, list, key);
    return at < int(list.size()) && list[std::size_t(at)] == key.azon ? at : -1;
}

OrderWalk &TableOrders::walk(const OrderColumns &order, bool forward, bool wholeRows)
{
    const std::string name = orderName(order) + (forward ? "+" : "-") + (wholeRows ? "row" : "key");
    auto &slot = m_walks[name];
    if (!slot) {
        OrderWalk::Sql sql;
        sql.table = m_file.quotedTable();
        sql.keyColumn = m_file.quotedColumn(m_file.keyColumn());
        sql.orderColumn = order.empty() ? std::string() : m_file.quotedColumn(order.front());
        sql.collationName = collation::kSqlName;
        sql.keyIndex = m_file.keyColumn();
        slot = std::make_unique<OrderWalk>(m_file.db(), sql, forward, wholeRows);
    }
    return *slot;
}

std::optional<std::int32_t> TableOrders::stepRow(const Table *owner, const OrderColumns &order,
                                                 bool forward, std::int32_t currentKey)
{
    const auto now = std::chrono::steady_clock::now();
    const bool goesOn = m_stepper.walk && m_stepper.walk->running() && m_stepper.owner == owner &&
                        m_stepper.order == order && m_stepper.walk->forward() == forward &&
                        m_stepper.at == currentKey && now - m_stepper.when < kSteppingPause;
    if (!goesOn) {
        // The owner's row, read from the walk if it still stands on it.
        const SortKey from = m_file.sortKeyOf(order, owner->currentRow(), currentKey);
        endStepping();
        OrderWalk &stepping = walk(order, forward, true);
        // One read transaction over the walk's ranges: each would otherwise
        // begin and end its own, which costs more than many steps.
        if (sqlite3_get_autocommit(m_file.db())) {
            execSql(m_file.db(), "BEGIN");
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
            m_stepper.at = m_file.keyFrom(*key);
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

void TableOrders::readSteppedRow(std::vector<QString> &row) const
{
    row.resize(m_file.columns().size());
    if (m_stepper.walk)
        m_stepper.walk->readRow(row);
}

bool TableOrders::endPausedStepping() noexcept
{
    if (m_stepper.walk && std::chrono::steady_clock::now() - m_stepper.when >= kSteppingPause)
        endStepping();
    return m_stepper.walk || m_stepper.reading;
}

void TableOrders::endStepping() noexcept
{
    if (!m_stepper.walk && !m_stepper.reading)
        return;
    // The owner has not read its row yet: the walk still stands on it.
    if (m_stepper.owner && m_stepper.walk)
        m_stepper.owner->takeSteppedRow(m_file, m_stepper.at);
    if (m_stepper.walk)
        m_stepper.walk->stop();
    // Ending a transaction that only read cannot lose anything.
    if (m_stepper.reading && !sqlite3_get_autocommit(m_file.db()))
        sqlite3_exec(m_file.db(), "COMMIT", nullptr, nullptr, nullptr);
    m_stepper = Stepper();
}

} // namespace store

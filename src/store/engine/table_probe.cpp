// The read-only probes of a table and the read transaction that groups them.
#include "store/engine/collation.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/engine/table_file.h"

#include <sqlite3.h>

#include <cstdint>

namespace store {

Table::NeighbourMatch Table::probeNeighbour(const QString &fieldName, const QString &value,
                                            Neighbour side)
{
    requireOpen();
    m_file->sync();
    const int column = m_file->columnIndex(fieldName);
    if (column < 0 || column == m_file->keyColumn())
        throw messages::missingField(filePath(), fieldName);
    const std::string c = m_file->quotedColumn(column);
    const std::string folded = c + " COLLATE " + collation::kSqlName;
    const bool before = side == Neighbour::AtOrBefore;
    // Only the indexed column is read: the seek needs no table row.
    Statement &select =
        m_file->statement("SELECT " + c + " FROM " + m_file->quotedTable() + " WHERE " + folded +
                          (before ? "<=?1 ORDER BY " : ">=?1 ORDER BY ") + folded +
                          (before ? " DESC" : "") + " LIMIT 1");
    select.bind(1, value);
    NeighbourMatch match;
    if (select.step()) {
        int length = 0;
        const char *text = select.utf8(0, length);
        match.found = true;
        match.common = collation::commonPrefix(value, text, length, &match.whole);
    }
    select.reset();
    return match;
}

int Table::readRun(const QString &groupField, const QString &valueField, std::span<QString> out)
{
    requireOpen();
    const int group = m_file->columnIndex(groupField);
    const int value = m_file->columnIndex(valueField);
    if (group < 0 || group == m_file->keyColumn())
        throw messages::missingField(filePath(), groupField);
    if (value < 0)
        throw messages::missingField(filePath(), valueField);
    // While editing, the texts come from the edit buffer, and the first move
    // posts it.
    const auto text = [this](int column) {
        return m_state == TableState::Browse ? currentRow()[std::size_t(column)]
                                             : m_buffer[std::size_t(column)];
    };
    const QString key = text(group);
    std::size_t count = 0;
    while (count < out.size()) {
        // Most runs are one row long: only a longer one is worth a query.
        if (count > 0 && m_state == TableState::Browse && m_order == std::vector<int>{group})
            return int(count + readRestOfRun(group, value, key, out.subspan(count)));
        out[count++] = text(value);
        next();
        if (m_eof || text(group) != key)
            break;
    }
    return int(count);
}

std::size_t Table::readRestOfRun(int group, int value, const QString &key, std::span<QString> out)
{
    // In the field's order a run of identical texts lies together, by key.
    const std::string c = m_file->quotedColumn(group);
    const std::string azon = m_file->quotedColumn(m_file->keyColumn());
    Statement &select = m_file->statement(
        "SELECT " + azon + "," + m_file->quotedColumn(value) + " FROM " + m_file->quotedTable() +
        " WHERE " + c + " COLLATE " + collation::kSqlName + "=?1 AND " + c + "=?1 AND " + azon +
        ">=?2 ORDER BY " + azon + " LIMIT ?3");
    select.bind(1, key);
    select.bind(2, std::int64_t(*m_currentKey));
    select.bind(3, std::int64_t(out.size()));
    // With the order's key list at hand the run's rows follow the current
    // one there too, so the last row's position is known.
    const int first =
        m_currentPos >= 0 && m_file->orders().hasValidKeys(m_order) ? m_currentPos : -1;
    std::size_t count = 0;
    std::int64_t last = *m_currentKey;
    while (select.step()) {
        last = select.integer(0);
        out[count++] = select.text(1);
    }
    select.reset();
    if (last < INT32_MIN || last > INT32_MAX)
        throw messages::keyOutOfRange(filePath(), last);
    if (last != *m_currentKey) {
        int pos = first < 0 ? -1 : first + int(count) - 1;
        if (pos >= 0) {
            const auto &keys = m_file->orders().keys(m_order);
            if (pos >= int(keys.size()) || keys[std::size_t(pos)] != last)
                pos = -1;
        }
        setCurrent(std::int32_t(last), pos);
    }
    next();
    return count;
}

bool TableFile::beginRead() noexcept
{
    if (m_batchDepth > 0 || m_inTransaction || !sqlite3_get_autocommit(m_db))
        return false;
    return sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
}

void TableFile::endRead() noexcept
{
    // A failed read may have ended the transaction already.
    if (sqlite3_get_autocommit(m_db))
        return;
    if (sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

ReadScope::ReadScope(Table &table) noexcept
{
    if (table.m_file && table.state() == TableState::Browse && table.m_file->beginRead())
        m_file = table.m_file;
}

ReadScope::~ReadScope()
{
    if (m_file)
        m_file->endRead();
}

} // namespace store

// The read-only probes of a table and the read transaction that groups them.
#include "store/engine/collation.h"
#include "store/engine/messages.h"
#include "store/engine/table.h"
#include "store/engine/table_file.h"

#include <sqlite3.h>

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

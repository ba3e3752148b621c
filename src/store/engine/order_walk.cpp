#include "store/engine/order_walk.h"

#include "store/engine/table_file.h"

namespace store {

OrderWalk::OrderWalk(sqlite3 *db, const Sql &sql, bool forward, bool wholeRows)
    : m_forward(forward), m_wholeRows(wholeRows), m_keyColumnAt(wholeRows ? sql.keyIndex : 0)
{
    const std::string select =
        (wholeRows ? std::string("SELECT *") : "SELECT " + sql.keyColumn) + " FROM " + sql.table;
    const std::string dir = forward ? "" : " DESC";
    const std::string beyond = forward ? ">" : "<";
    const std::string &key = sql.keyColumn;
    auto add = [&](const std::string &text) { m_ranges.emplace_back(db, text); };
    if (sql.orderColumn.empty()) {
        add(select + " WHERE " + key + beyond + "?2 ORDER BY " + key + dir);
        m_whole = Statement(db, select + " ORDER BY " + key + dir);
        return;
    }
    const std::string &column = sql.orderColumn;
    const std::string folded = column + " COLLATE " + sql.collationName;
    const std::string rest = " ORDER BY " + folded + dir + ", " + column + dir + ", " + key + dir;
    // The same text, the keys beyond; the same folded text, exact texts
    // beyond; the folded texts beyond. Each is one index range.
    add(select + " WHERE " + folded + "=?1 AND " + column + "=?1 AND " + key + beyond +
        "?2 ORDER BY " + key + dir);
    add(select + " WHERE " + folded + "=?1 AND " + column + beyond + "?1 ORDER BY " + column + dir +
        ", " + key + dir);
    add(select + " WHERE " + folded + beyond + "?1" + rest);
    m_whole = Statement(db, select + rest);
}

void OrderWalk::start(const SortKey *from)
{
    stop();
    if (!from) {
        m_phase = int(m_ranges.size());
        m_current = &m_whole;
        return;
    }
    const bool keyOrder = m_ranges.size() == 1;
    const QString text = keyOrder ? QString() : QString::fromUtf8(from->texts.front());
    // Only the first range, the rest of the row's own group, goes by key.
    m_ranges.front().bind(2, std::int64_t(from->azon));
    if (!keyOrder) {
        for (Statement &range : m_ranges)
            range.bind(1, text);
    }
    m_phase = 0;
    m_current = &m_ranges.front();
}

std::optional<std::int64_t> OrderWalk::step()
{
    while (m_phase >= 0) {
        if (m_current->step())
            return m_current->integer(m_keyColumnAt);
        // Statement::step() has reset the finished range.
        if (m_phase + 1 >= int(m_ranges.size())) {
            stop();
            return std::nullopt;
        }
        ++m_phase;
        m_current = &m_ranges[std::size_t(m_phase)];
    }
    return std::nullopt;
}

void OrderWalk::readRow(std::vector<QString> &row) const
{
    if (!m_current || !m_wholeRows)
        return;
    for (std::size_t i = 0; i < row.size(); ++i)
        row[i] = m_current->text(int(i));
}

void OrderWalk::stop()
{
    if (m_phase < 0)
        return;
    // Resetting every range ends the read snapshot.
    for (Statement &range : m_ranges)
        range.reset();
    m_whole.reset();
    m_current = nullptr;
    m_phase = -1;
}

} // namespace store

#include "browser/dictionarygridmodel.h"

#include "store/engine/field.h"
#include "store/engine/table.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Rows read from the engine at a time: a few screens of the grid.
constexpr int kCacheRows = 128;

const QString kKeyField = QStringLiteral("Azon");

bool isEditing(const store::Table &table)
{
    return table.state() == store::TableState::Edit || table.state() == store::TableState::Insert;
}

} // namespace

DictionaryGridModel::DictionaryGridModel(store::Table &table, QObject *parent)
    : QAbstractTableModel(parent), m_table(table)
{
    connect(&m_table, &store::Table::dataChanged, this, &DictionaryGridModel::tableDataChanged);
    connect(&m_table, &store::Table::currentChanged, this,
            &DictionaryGridModel::tableCurrentChanged);
    try {
        m_appending = m_table.state() == store::TableState::Insert;
        m_rowCount = m_table.isOpen() ? m_table.recordCount() + (m_appending ? 1 : 0) : 0;
        syncCurrent();
    } catch (const store::EngineError &) {
        m_rowCount = 0;
        m_appending = false;
    }
}

int DictionaryGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rowCount;
}

int DictionaryGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DictionaryGridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    const int column = index.column();
    try {
        if (index.row() == m_currentRow && m_editing) {
            if (const store::Field *field = m_table.findField(m_fields[std::size_t(column)]))
                return field->asString();
        }
        if (isAppendRow(index.row()))
            return QString();
        if (const QStringList *row = cachedRow(index.row()))
            return row->value(column);
    } catch (const store::EngineError &) {
        // A row that cannot be read shows empty; the next operation reports the fault.
    }
    return QString();
}

QVariant DictionaryGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= ColumnCount)
            return QVariant();
        return m_titles[std::size_t(section)];
    }
    if (section < 0 || section >= m_rowCount)
        return QVariant();
    if (section != m_currentRow)
        return QString();
    // The row indicator: an arrow on the current row, a caret mark while it
    // is edited, a star on a row being appended.
    if (isAppendRow(section))
        return QStringLiteral("*");
    return m_editing ? QStringLiteral("I") : QStringLiteral("\u25B6");
}

Qt::ItemFlags DictionaryGridModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && m_table.isOpen() && !m_table.isReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool DictionaryGridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::EditRole)
        return false;
    // Only the current row is edited; an editor left on a row the table has
    // moved away from must not write into another row.
    if (index.row() != m_currentRow)
        return false;
    try {
        store::Field *field = m_table.findField(m_fields[std::size_t(index.column())]);
        if (!field)
            return false;
        const QString text = value.toString();
        // An unchanged cell leaves the row unmodified, so that an untouched
        // new row can still be dropped when the grid is left.
        if (field->asString() == text)
            return true;
        if (!isEditing(m_table))
            m_table.edit();
        field->setAsString(text);
        Q_EMIT dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        return true;
    } catch (const store::EngineError &error) {
        Q_EMIT engineError(error.message());
        return false;
    }
}

void DictionaryGridModel::revert()
{
    m_table.cancel();
}

void DictionaryGridModel::setColumnField(int column, const QString &fieldName)
{
    if (column < 0 || column >= ColumnCount || m_fields[std::size_t(column)] == fieldName)
        return;
    m_fields[std::size_t(column)] = fieldName;
    m_cache.clear();
    if (m_rowCount > 0)
        Q_EMIT dataChanged(index(0, column), index(m_rowCount - 1, column));
}

QString DictionaryGridModel::columnField(int column) const
{
    return column >= 0 && column < ColumnCount ? m_fields[std::size_t(column)] : QString();
}

void DictionaryGridModel::setColumnTitle(int column, const QString &title)
{
    if (column < 0 || column >= ColumnCount || m_titles[std::size_t(column)] == title)
        return;
    m_titles[std::size_t(column)] = title;
    Q_EMIT headerDataChanged(Qt::Horizontal, column, column);
}

QString DictionaryGridModel::columnTitle(int column) const
{
    return column >= 0 && column < ColumnCount ? m_titles[std::size_t(column)] : QString();
}

void DictionaryGridModel::swapColumns()
{
    std::swap(m_fields[0], m_fields[1]);
    std::swap(m_titles[0], m_titles[1]);
    m_cache.clear();
    Q_EMIT headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (m_rowCount > 0)
        Q_EMIT dataChanged(index(0, 0), index(m_rowCount - 1, ColumnCount - 1));
}

void DictionaryGridModel::moveToRow(int row)
{
    if (row < 0 || row >= m_rowCount || row == m_currentRow || isAppendRow(row))
        return;
    try {
        if (isEditing(m_table)) {
            // Storing the edited row may shift the positions: go by key.
            const std::int32_t key = m_table.rowAt(row, {m_fields[0]}).azon;
            m_table.locate(kKeyField, QString::number(key), {});
        } else {
            m_table.moveTo(row);
        }
    } catch (const store::EngineError &error) {
        Q_EMIT engineError(error.message());
    }
}

void DictionaryGridModel::tableDataChanged()
{
    m_syncing = true;
    m_cache.clear();
    try {
        const bool reset = syncRowCount();
        if (!reset && m_rowCount > 0)
            Q_EMIT dataChanged(index(0, 0), index(m_rowCount - 1, ColumnCount - 1));
        syncCurrent();
    } catch (const store::EngineError &error) {
        m_syncing = false;
        Q_EMIT engineError(error.message());
        return;
    }
    m_syncing = false;
    Q_EMIT rowsReloaded();
    Q_EMIT currentRowChanged(m_currentRow);
}

void DictionaryGridModel::tableCurrentChanged()
{
    m_syncing = true;
    try {
        syncRowCount();
        syncCurrent();
    } catch (const store::EngineError &error) {
        m_syncing = false;
        Q_EMIT engineError(error.message());
        return;
    }
    m_syncing = false;
    Q_EMIT currentRowChanged(m_currentRow);
}

bool DictionaryGridModel::syncRowCount()
{
    const bool appending = m_table.state() == store::TableState::Insert;
    const int wanted = m_table.isOpen() ? m_table.recordCount() + (appending ? 1 : 0) : 0;
    if (wanted == m_rowCount) {
        m_appending = appending;
        return false;
    }
    if (std::abs(wanted - m_rowCount) == 1) {
        // One row more or less: the rows are positions, so changing the last
        // one and repainting the rest is enough, and cheap on a long table.
        if (wanted > m_rowCount) {
            beginInsertRows(QModelIndex(), m_rowCount, m_rowCount);
            m_rowCount = wanted;
            m_appending = appending;
            endInsertRows();
        } else {
            beginRemoveRows(QModelIndex(), wanted, wanted);
            m_rowCount = wanted;
            m_appending = appending;
            endRemoveRows();
        }
        m_cache.clear();
        return false;
    }
    beginResetModel();
    m_rowCount = wanted;
    m_appending = appending;
    m_cache.clear();
    m_currentRow = -1;
    endResetModel();
    return true;
}

void DictionaryGridModel::syncCurrent()
{
    int row = -1;
    bool editing = false;
    if (m_table.isOpen()) {
        if (m_appending) {
            row = m_rowCount - 1;
            editing = true;
        } else {
            row = m_table.recNo();
            editing = m_table.state() == store::TableState::Edit;
        }
    }
    if (row >= m_rowCount)
        row = -1;
    if (row == m_currentRow && editing == m_editing)
        return;
    const int old = m_currentRow;
    m_currentRow = row;
    m_editing = editing;
    for (const int changed : {old, row}) {
        if (changed < 0 || changed >= m_rowCount)
            continue;
        Q_EMIT dataChanged(index(changed, 0), index(changed, ColumnCount - 1));
        Q_EMIT headerDataChanged(Qt::Vertical, changed, changed);
    }
}

const QStringList *DictionaryGridModel::cachedRow(int row) const
{
    const int stored = m_rowCount - (m_appending ? 1 : 0);
    if (row < 0 || row >= stored)
        return nullptr;
    if (row < m_cacheFirst || row >= m_cacheFirst + int(m_cache.size())) {
        m_cache.clear();
        // Start a little above the row: scrolling up finds its rows too.
        m_cacheFirst = std::max(0, row - kCacheRows / 4);
        const int last = std::min(stored, m_cacheFirst + kCacheRows);
        const QStringList names = fieldNames();
        m_cache.reserve(std::size_t(last - m_cacheFirst));
        for (int pos = m_cacheFirst; pos < last; ++pos) {
            QStringList values = m_table.rowAt(pos, names).values;
            while (values.size() < ColumnCount)
                values << QString();
            m_cache.push_back(std::move(values));
        }
    }
    return &m_cache[std::size_t(row - m_cacheFirst)];
}

QStringList DictionaryGridModel::fieldNames() const
{
    return {m_fields[0], m_fields[1]};
}

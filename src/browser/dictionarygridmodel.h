#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace store {
class Table;
}

// The rows of a dictionary table by position in its current order, for the
// two-column grid. Each column shows one field, named by field name, under
// a title. Rows are read from the engine a small window at a time.
//
// While a row is being edited its cells show the edit buffer; a row being
// appended is shown as an extra last row until it is posted or cancelled.
// The model follows the table through its dataChanged and currentChanged
// signals and reports the row to show as current with currentRowChanged.
class DictionaryGridModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { LeftColumn = 0, RightColumn = 1, ColumnCount = 2 };

    explicit DictionaryGridModel(store::Table &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // Writes the field of the column into the current row, which enters edit
    // state; the row is stored when the table moves to another row. Refused
    // for any other row.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    // Esc in a cell editor: the edited row is given up, a new row dropped.
    void revert() override;

    void setColumnField(int column, const QString &fieldName);
    QString columnField(int column) const;
    void setColumnTitle(int column, const QString &title);
    QString columnTitle(int column) const;
    // The two columns change places with their fields and titles.
    void swapColumns();

    // The row shown as current: the table's current row, the extra row of
    // an append, or -1 for an empty or closed table.
    int currentRow() const { return m_currentRow; }
    bool isAppendRow(int row) const { return m_appending && row == m_rowCount - 1; }
    // Makes the row at that position current in the table; a pending edit is
    // stored (an unchanged append dropped) and the same row stays current
    // even when storing moves rows.
    void moveToRow(int row);
    // True while the model is bringing its rows in step with the table; the
    // view's own current-row changes then are not the user's.
    bool isSyncing() const { return m_syncing; }

    store::Table &table() const { return m_table; }

Q_SIGNALS:
    void currentRowChanged(int row);
    // The rows were read again (stored, deleted, reordered): what an open
    // cell editor holds may belong to another row now.
    void rowsReloaded();
    // An engine operation failed; the message is for the user.
    void engineError(const QString &message);

private:
    void tableDataChanged();
    void tableCurrentChanged();
    // Brings the row count in step with the table: rows added or removed at
    // the end for a change of one row, a reset for anything larger.
    bool syncRowCount();
    void syncCurrent();
    const QStringList *cachedRow(int row) const;
    QStringList fieldNames() const;

    store::Table &m_table;
    std::array<QString, ColumnCount> m_fields;
    std::array<QString, ColumnCount> m_titles;
    int m_rowCount = 0;
    bool m_appending = false;
    int m_currentRow = -1;
    bool m_editing = false; // the current row shows the edit buffer
    bool m_syncing = false;

    mutable int m_cacheFirst = 0;
    mutable std::vector<QStringList> m_cache;
};

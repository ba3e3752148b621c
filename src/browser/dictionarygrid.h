#pragma once

#include <QTableView>

class DictionaryGridModel;
class GridCellDelegate;

// The two-column dictionary grid. It shows the model's rows, follows the
// table's current row and moves the table when the user moves in it. Two
// modes: browse mode (whole rows selected, no cell editor) and edit mode
// (single cells, the cell editor always shown).
//
// Built in: one row per mouse-wheel message, Ctrl+Delete deletes the
// current row after "Delete record?", and leaving the grid drops a new row
// that was not changed at all. The rest is reported by signals for the
// page's handlers.
class DictionaryGrid final : public QTableView {
    Q_OBJECT
public:
    DictionaryGrid(DictionaryGridModel &model, QWidget *parent);

    bool isEditMode() const { return m_editMode; }
    // Leaving edit mode first writes what the open cell editor holds.
    void setEditMode(bool editMode);
    // Makes that column of the current row the current cell.
    void selectCell(int column);
    void setColumnWidths(int width);
    // Writes what the open cell editor holds into the row's edit buffer; the
    // editor stays open.
    void commitOpenEditor();

Q_SIGNALS:
    void titleClicked(int column);
    // The user dragged one column over the other; the columns have changed
    // places in the model (column numbers keep counting from the left).
    void columnMoved();
    void gridDoubleClicked();
    // The focus moved from the grid to another control of its window.
    void gridExited();
    // A character typed in browse mode.
    void characterTyped(const QString &text);
    void engineError(const QString &message);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followCurrentRow();
    void sectionMoved(int logical, int oldVisual, int newVisual);
    void focusChanged(QWidget *old, QWidget *now);
    bool contains(const QWidget *widget) const;
    void closeOpenEditor(bool commit);
    void reopenEditor();
    void rowsReloaded();
    void deleteCurrentRecord();
    bool isCtrlDelete(const QKeyEvent &event) const;

    DictionaryGridModel &m_model;
    GridCellDelegate *m_delegate;
    bool m_editMode = false;
    bool m_following = false;
    bool m_inCurrentChanged = false;
    bool m_followPending = false;
    bool m_restoringColumns = false;
};

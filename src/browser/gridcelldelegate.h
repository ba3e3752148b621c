#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

// The grid's cell editor: a line edit that takes no more characters than a
// dictionary field holds. Keys typed into it are shown first to keyWatcher,
// so that the grid's own keys work while a cell is being edited.
class GridCellDelegate final : public QStyledItemDelegate {
    Q_OBJECT
public:
    GridCellDelegate(QObject *keyWatcher, QObject *parent);

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void destroyEditor(QWidget *editor, const QModelIndex &index) const override;

    // The editor open now, or nullptr. (The view's state cannot tell: it
    // leaves the editing state when rows are removed, editor or not.) An
    // editor the view is letting go of is hidden first.
    QLineEdit *openEditor() const
    {
        return m_editor && !m_editor->isHidden() ? m_editor.data() : nullptr;
    }

private:
    QObject *m_keyWatcher;
    mutable QPointer<QLineEdit> m_editor;
};

#include "browser/gridcelldelegate.h"

#include "store/dictionaryformat.h"

#include <QLineEdit>

GridCellDelegate::GridCellDelegate(QObject *keyWatcher, QObject *parent)
    : QStyledItemDelegate(parent), m_keyWatcher(keyWatcher)
{}

QWidget *GridCellDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &,
                                        const QModelIndex &) const
{
    auto *editor = new QLineEdit(parent);
    editor->setObjectName(QStringLiteral("dbgrSzotarEditor"));
    editor->setFrame(false);
    editor->setMaxLength(store::kTextFieldSize);
    // Keys reach the watcher before the line edit handles them.
    editor->installEventFilter(m_keyWatcher);
    m_editor = editor;
    return editor;
}

void GridCellDelegate::destroyEditor(QWidget *editor, const QModelIndex &index) const
{
    if (editor == m_editor)
        m_editor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

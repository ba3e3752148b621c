#include "browser/dictionarygrid.h"

#include "browser/dictionarygridmodel.h"
#include "browser/gridcelldelegate.h"
#include "store/engine/table.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QWheelEvent>

#include <algorithm>

namespace {

constexpr int kDesignWidths[] = {185, 176};
constexpr int kIndicatorWidth = 14;

const QString kGridStyle = QStringLiteral(
    "QHeaderView::section { background-color: #000080; color: #FFFFFF;"
    " border: 0px; border-right: 1px solid #5050A0; border-bottom: 1px solid #5050A0;"
    " padding: 1px 3px; }"
    "QTableCornerButton::section { background-color: #000080; border: 0px; }");

} // namespace

DictionaryGrid::DictionaryGrid(DictionaryGridModel &model, QWidget *parent)
    : QTableView(parent), m_model(model), m_delegate(new GridCellDelegate(this, this))
{
    setObjectName(QStringLiteral("dbgrSzotar"));
    QFont gridFont(QStringLiteral("MS Sans Serif"));
    gridFont.setPixelSize(13);
    setFont(gridFont);
    setModel(&m_model);
    setItemDelegate(m_delegate);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    setShowGrid(true);
    setStyleSheet(kGridStyle);

    // The selection stays visible while another control has the focus.
    QPalette colours = palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    setPalette(colours);

    QHeaderView *titles = horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < DictionaryGridModel::ColumnCount; ++column)
        titles->resizeSection(column, kDesignWidths[column]);

    // Fixed row heights keep positioning on a million rows cheap.
    QHeaderView *indicator = verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setDefaultSectionSize(fontMetrics().height() + 4);
    indicator->setFixedWidth(kIndicatorWidth);
    indicator->setHighlightSections(false);
    indicator->setSectionsClickable(false);
    indicator->setDefaultAlignment(Qt::AlignCenter);

    connect(&m_model, &DictionaryGridModel::currentRowChanged, this,
            &DictionaryGrid::followCurrentRow);
    connect(&m_model, &DictionaryGridModel::rowsReloaded, this, &DictionaryGrid::rowsReloaded);
    connect(&m_model, &DictionaryGridModel::engineError, this, &DictionaryGrid::engineError);
    connect(titles, &QHeaderView::sectionClicked, this, &DictionaryGrid::titleClicked);
    connect(titles, &QHeaderView::sectionMoved, this, &DictionaryGrid::sectionMoved);
    connect(qApp, &QApplication::focusChanged, this, &DictionaryGrid::focusChanged);

    setEditMode(false);
}

void DictionaryGrid::setEditMode(bool editMode)
{
    if (!editMode && m_editMode)
        closeOpenEditor(true);
    m_editMode = editMode;
    setSelectionBehavior(editMode ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setEditTriggers(editMode ? QAbstractItemView::AllEditTriggers
                             : QAbstractItemView::NoEditTriggers);
    followCurrentRow();
}

void DictionaryGrid::selectCell(int column)
{
    const int row = m_model.currentRow();
    if (row < 0)
        return;
    const QModelIndex target = m_model.index(row, column);
    m_following = true;
    selectionModel()->setCurrentIndex(
        target, QItemSelectionModel::ClearAndSelect |
                    (m_editMode ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
    m_following = false;
    scrollTo(target);
    reopenEditor();
}

void DictionaryGrid::setColumnWidths(int width)
{
    for (int column = 0; column < DictionaryGridModel::ColumnCount; ++column)
        horizontalHeader()->resizeSection(column, std::max(width, 0));
}

void DictionaryGrid::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The base class writes the cell editor of the previous cell first.
    m_inCurrentChanged = true;
    QTableView::currentChanged(current, previous);
    if (!m_following && !m_model.isSyncing() && current.isValid() &&
        current.row() != m_model.currentRow())
        m_model.moveToRow(current.row());
    m_inCurrentChanged = false;
    if (m_followPending) {
        m_followPending = false;
        followCurrentRow();
    }
}

void DictionaryGrid::followCurrentRow()
{
    // Moving the table from inside a current-row change: follow it after.
    if (m_inCurrentChanged) {
        m_followPending = true;
        return;
    }
    const int row = m_model.currentRow();
    // The table moved by itself: an editor still open belongs to the row it left.
    if (row != currentIndex().row())
        closeOpenEditor(false);
    m_following = true;
    if (row < 0) {
        selectionModel()->clear();
    } else {
        const int column = currentIndex().isValid() ? currentIndex().column() : 0;
        const QModelIndex target = m_model.index(row, column);
        selectionModel()->setCurrentIndex(
            target, QItemSelectionModel::ClearAndSelect |
                        (m_editMode ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
        scrollTo(target);
    }
    m_following = false;
    reopenEditor();
}

void DictionaryGrid::keyPressEvent(QKeyEvent *event)
{
    if (isCtrlDelete(*event)) {
        event->accept();
        deleteCurrentRecord();
        return;
    }
    if (!m_editMode) {
        const QString text = event->text();
        const bool printable = !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                                              [](QChar c) { return c.isPrint(); });
        // Ctrl+Alt together is AltGr on some keyboards, which types characters.
        const auto modifiers = event->modifiers();
        const bool altGr =
            modifiers.testFlag(Qt::ControlModifier) && modifiers.testFlag(Qt::AltModifier);
        const auto commandKeys = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
        if (printable && (altGr || !(modifiers & commandKeys))) {
            event->accept();
            Q_EMIT characterTyped(text);
            return;
        }
    }
    QTableView::keyPressEvent(event);
}

void DictionaryGrid::wheelEvent(QWheelEvent *event)
{
    // One row per wheel message, however far the wheel turned.
    QKeyEvent key(QEvent::KeyPress, event->angleDelta().y() > 0 ? Qt::Key_Up : Qt::Key_Down,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(this, &key);
    event->accept();
}

void DictionaryGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT gridDoubleClicked();
}

bool DictionaryGrid::eventFilter(QObject *watched, QEvent *event)
{
    // The cell editor's events: the grid's own keys and the double click.
    if (watched != viewport() && qobject_cast<QLineEdit *>(watched)) {
        if (event->type() == QEvent::KeyPress && isCtrlDelete(*static_cast<QKeyEvent *>(event))) {
            deleteCurrentRecord();
            return true;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            Q_EMIT gridDoubleClicked();
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

void DictionaryGrid::sectionMoved(int, int oldVisual, int newVisual)
{
    if (m_restoringColumns)
        return;
    // Column numbers keep counting from the left: put the sections back and
    // let the two columns change their fields, titles and widths instead.
    m_restoringColumns = true;
    closeOpenEditor(true);
    QHeaderView *titles = horizontalHeader();
    titles->moveSection(newVisual, oldVisual);
    const int leftWidth = titles->sectionSize(0);
    titles->resizeSection(0, titles->sectionSize(1));
    titles->resizeSection(1, leftWidth);
    m_model.swapColumns();
    if (currentIndex().isValid()) {
        m_following = true;
        selectionModel()->setCurrentIndex(
            m_model.index(currentIndex().row(), 1 - currentIndex().column()),
            QItemSelectionModel::ClearAndSelect |
                (m_editMode ? QItemSelectionModel::NoUpdate : QItemSelectionModel::Rows));
        m_following = false;
    }
    m_restoringColumns = false;
    Q_EMIT columnMoved();
}

void DictionaryGrid::focusChanged(QWidget *old, QWidget *now)
{
    // Only a move to another control of the same window leaves the grid; a
    // dialog or another application taking the focus does not.
    if (!old || !now || !contains(old) || contains(now) || now->window() != window())
        return;
    store::Table &table = m_model.table();
    if (table.state() == store::TableState::Insert && !table.modified())
        table.cancel();
    Q_EMIT gridExited();
}

bool DictionaryGrid::contains(const QWidget *widget) const
{
    return widget == this || isAncestorOf(widget);
}

void DictionaryGrid::closeOpenEditor(bool commit)
{
    QLineEdit *editor = m_delegate->openEditor();
    if (!editor)
        return;
    if (commit)
        commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void DictionaryGrid::commitOpenEditor()
{
    if (QLineEdit *editor = m_delegate->openEditor())
        commitData(editor);
}

void DictionaryGrid::reopenEditor()
{
    if (m_editMode && !m_delegate->openEditor() && currentIndex().isValid())
        edit(currentIndex());
}

void DictionaryGrid::rowsReloaded()
{
    // The rows moved under the editor: what it holds is not its cell's now.
    closeOpenEditor(false);
}

void DictionaryGrid::deleteCurrentRecord()
{
    store::Table &table = m_model.table();
    if (!table.isOpen() || m_model.currentRow() < 0)
        return;
    QMessageBox question(QMessageBox::Question, QGuiApplication::applicationDisplayName(),
                         QStringLiteral("Delete record?"), QMessageBox::Ok | QMessageBox::Cancel,
                         this);
    question.setObjectName(QStringLiteral("dbgrSzotarDeleteQuestion"));
    if (question.exec() != QMessageBox::Ok)
        return;
    closeOpenEditor(false);
    try {
        table.remove();
    } catch (const store::EngineError &error) {
        Q_EMIT engineError(error.message());
    }
}

bool DictionaryGrid::isCtrlDelete(const QKeyEvent &event) const
{
    return event.key() == Qt::Key_Delete &&
           (event.modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

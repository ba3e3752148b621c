#include "browser/dictionarypage.h"

#include "browser/dictionarygrid.h"
#include "browser/dictionarygridmodel.h"
#include "browser/gridsearch.h"
#include "dialogs/questions.h"
#include "store/appstate.h"
#include "store/dictionaryformat.h"
#include "store/dm1.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The title mark of the column the grid is ordered by.
const QString kSortMarker = QStringLiteral("               A");

// Characters of one text field of a dictionary table.

const QColor kNavy(0x00, 0x00, 0x80);
const QColor kWhite(0xFF, 0xFF, 0xFF); // 16777215
const QColor kFound(0x7D, 0xFF, 0x7D); // 8257405: the row holds the whole text

constexpr int kBarHeight = 41;
constexpr int kButtonPanelWidth = 316;

void paintNavy(QWidget &panel)
{
    QPalette colours = panel.palette();
    colours.setColor(QPalette::Window, kNavy);
    panel.setPalette(colours);
    panel.setAutoFillBackground(true);
}

void whiteText(QWidget &widget)
{
    QPalette colours = widget.palette();
    colours.setColor(QPalette::WindowText, kWhite);
    widget.setPalette(colours);
}

} // namespace

DictionaryPage::DictionaryPage(TDM1 &dm, AppState &state, QWidget *parent)
    : QWidget(parent), m_dm(dm), m_state(state),
      m_model(new DictionaryGridModel(dm.tblSzotarP, this)),
      dbgrSzotar(new DictionaryGrid(*m_model, this))
{
    setObjectName(QStringLiteral("tsSzotar"));
    buildBottomBar();

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(dbgrSzotar, 1);
    layout->addWidget(pnlSzotar);

    connect(dbgrSzotar, &DictionaryGrid::titleClicked, this, &DictionaryPage::dbgrSzotarTitleClick);
    connect(dbgrSzotar, &DictionaryGrid::columnMoved, this, &DictionaryPage::dbgrSzotarColumnMoved);
    connect(dbgrSzotar, &DictionaryGrid::gridDoubleClicked, this,
            &DictionaryPage::dbgrSzotarDblClick);
    connect(dbgrSzotar, &DictionaryGrid::gridExited, this, &DictionaryPage::dbgrSzotarExit);
    connect(dbgrSzotar, &DictionaryGrid::characterTyped, this, &DictionaryPage::dbgrSzotarKeyPress);
    connect(dbgrSzotar, &DictionaryGrid::engineError, this,
            [](const QString &message) { ShowInfo(message); });
    connect(bbtnKeres, &QPushButton::clicked, this, &DictionaryPage::bbtnKeresClick);
    connect(edtKeres, &QLineEdit::textChanged, this, &DictionaryPage::bbtnKeresClick);
    connect(bbtnUjSzo, &QPushButton::clicked, this, &DictionaryPage::bbtnUjSzoClick);
    connect(bbtnSzoTorl, &QPushButton::clicked, this, &DictionaryPage::bbtnSzoTorlClick);
    connect(rbAngol, &QRadioButton::clicked, this, &DictionaryPage::rbAngolClick);
    connect(rbMagyar, &QRadioButton::clicked, this, &DictionaryPage::rbMagyarClick);
    connect(&m_dm, &TDM1::directionApplied, this, [this] {
        assignGridColumns();
        SetOrderCaptions();
    });
    // Every open, append, delete and emptying changes the rows.
    connect(&m_dm.tblSzotarP, &store::Table::dataChanged, this,
            &DictionaryPage::UpdateDeleteButton);

    assignGridColumns();
    UpdateDeleteButton();
}

void DictionaryPage::buildBottomBar()
{
    pnlSzotar = new QWidget(this);
    pnlSzotar->setObjectName(QStringLiteral("pnlSzotar"));
    pnlSzotar->setFixedHeight(kBarHeight);
    paintNavy(*pnlSzotar);
    pnlSzotar->installEventFilter(this);

    bbtnKeres = new QPushButton(QStringLiteral("Keresés"), pnlSzotar);
    bbtnKeres->setObjectName(QStringLiteral("bbtnKeres"));
    bbtnKeres->setGeometry(8, 8, 75, 25);

    edtKeres = new QLineEdit(pnlSzotar);
    edtKeres->setObjectName(QStringLiteral("edtKeres"));
    edtKeres->setGeometry(88, 10, 100, 21);
    edtKeres->installEventFilter(this);
    setSearchColour(false);

    pnlGombok1 = new QWidget(pnlSzotar);
    pnlGombok1->setObjectName(QStringLiteral("pnlGombok1"));
    pnlGombok1->resize(kButtonPanelWidth, kBarHeight);
    paintNavy(*pnlGombok1);

    bbtnUjSzo = new QPushButton(QStringLiteral("Új szó"), pnlGombok1);
    bbtnUjSzo->setObjectName(QStringLiteral("bbtnUjSzo"));
    bbtnUjSzo->setGeometry(4, 8, 75, 25);

    bbtnSzoTorl = new QPushButton(QStringLiteral("Szó törlése"), pnlGombok1);
    bbtnSzoTorl->setObjectName(QStringLiteral("bbtnSzoTorl"));
    bbtnSzoTorl->setGeometry(83, 8, 89, 25);

    Label1 = new QLabel(QStringLiteral("Sorrend:"), pnlGombok1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    whiteText(*Label1);
    Label1->setGeometry(180, 12, 58, 17);

    rbAngol = new QRadioButton(QStringLiteral("Angol"), pnlGombok1);
    rbAngol->setObjectName(QStringLiteral("rbAngol"));
    rbAngol->setGeometry(240, 3, 74, 17);
    whiteText(*rbAngol);
    rbAngol->setChecked(true);

    rbMagyar = new QRadioButton(QStringLiteral("Magyar"), pnlGombok1);
    rbMagyar->setObjectName(QStringLiteral("rbMagyar"));
    rbMagyar->setGeometry(240, 21, 74, 17);
    whiteText(*rbMagyar);

    // At design the box ends one pixel before the right-hand panel.
    m_searchRightMargin = kButtonPanelWidth + 1;
}

void DictionaryPage::layOutBottomBar()
{
    const int width = pnlSzotar->width();
    pnlGombok1->setGeometry(width - pnlGombok1->width(), 0, pnlGombok1->width(), kBarHeight);
    edtKeres->resize(std::max(0, width - edtKeres->x() - m_searchRightMargin), edtKeres->height());
}

bool DictionaryPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlSzotar && event->type() == QEvent::Resize) {
        layOutBottomBar();
    } else if (watched == edtKeres && event->type() == QEvent::KeyRelease) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // A held key repeats its press; its one release is what counts.
        if (!key->isAutoRepeat())
            edtKeresKeyUp(key->key());
    }
    return QWidget::eventFilter(watched, event);
}

void DictionaryPage::FitGridColumns(int outerWidth)
{
    dbgrSzotar->setColumnWidths(outerWidth / 2 - 30);
}

void DictionaryPage::FitSearchBoxWidth()
{
    const int width =
        pnlSzotar->width() - bbtnKeres->x() - bbtnKeres->width() - pnlGombok1->width() - 6;
    edtKeres->resize(std::max(0, width), edtKeres->height());
    // From here on the box keeps its distance from the bar's right edge.
    m_searchRightMargin = pnlSzotar->width() - edtKeres->x() - edtKeres->width();
}

void DictionaryPage::SetOrderCaptions()
{
    rbAngol->setText(m_state.FromColumn);
    rbMagyar->setText(m_state.ToColumn);
}

void DictionaryPage::EmptySearchBox()
{
    edtKeres->clear();
}

int DictionaryPage::sourceColumn() const
{
    return (m_state.ToColumnIndex + 1) % 2;
}

int DictionaryPage::targetColumn() const
{
    return m_state.ToColumnIndex % 2;
}

void DictionaryPage::assignGridColumns()
{
    if (m_state.FromColumn.isEmpty() && m_state.ToColumn.isEmpty()) {
        // No dictionary yet: the titles of the design.
        m_model->setColumnTitle(0, QStringLiteral("Magyar"));
        m_model->setColumnTitle(1, QStringLiteral("Angol"));
        return;
    }
    // Column ToColumnIndex shows the target field, the other the source.
    m_model->setColumnField(targetColumn(), m_state.ToColumn);
    m_model->setColumnField(sourceColumn(), m_state.FromColumn);
    m_model->setColumnTitle(targetColumn(), m_state.ToColumn);
    m_model->setColumnTitle(sourceColumn(), m_state.FromColumn);
}

void DictionaryPage::setSearchColour(bool exact)
{
    QPalette colours = edtKeres->palette();
    colours.setColor(QPalette::Base, exact ? kFound : kWhite);
    edtKeres->setPalette(colours);
}

void DictionaryPage::bbtnKeresClick()
{
    store::Table &table = m_dm.tblSzotarP;
    if (!table.isOpen()) {
        setSearchColour(false);
        return;
    }
    try {
        const QString field =
            SearchFieldFor(table.indexFieldNames(), m_state.FromColumn, m_state.ToColumn);
        setSearchColour(SearchDictionary(table, field, edtKeres->text()) == SearchOutcome::Exact);
    } catch (const store::EngineError &error) {
        setSearchColour(false);
        ShowInfo(error.message());
    }
}

std::optional<QString> DictionaryPage::PostPendingRow()
{
    store::Table &table = m_dm.tblSzotarP;
    if (!table.isOpen())
        return std::nullopt;
    dbgrSzotar->commitOpenEditor();
    const store::TableState state = table.state();
    if (state != store::TableState::Edit && state != store::TableState::Insert)
        return std::nullopt;
    try {
        if (table.modified())
            table.post();
        else
            table.cancel();
    } catch (const store::EngineError &error) {
        return error.message();
    }
    return std::nullopt;
}

void DictionaryPage::OrderBySource()
{
    dbgrSzotar->setEditMode(false);
    m_model->setColumnTitle(sourceColumn(), m_state.FromColumn + kSortMarker);
    m_model->setColumnTitle(targetColumn(), m_state.ToColumn);
    try {
        m_dm.tblSzotarP.setIndexFieldNames(m_state.FromColumn);
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
        return;
    }
    rbAngol->setChecked(true);
    bbtnKeresClick();
}

void DictionaryPage::OrderByTarget()
{
    dbgrSzotar->setEditMode(false);
    m_model->setColumnTitle(targetColumn(), m_state.ToColumn + kSortMarker);
    m_model->setColumnTitle(sourceColumn(), m_state.FromColumn);
    try {
        m_dm.tblSzotarP.setIndexFieldNames(m_state.ToColumn);
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
        return;
    }
    rbMagyar->setChecked(true);
    bbtnKeresClick();
}

void DictionaryPage::UpdateDeleteButton()
{
    const store::Table &table = m_dm.tblSzotarP;
    bbtnSzoTorl->setEnabled(table.isOpen() && table.recordCount() > 0);
}

void DictionaryPage::tsSzotarEnter(bool popupVisible, const QString &popupWord)
{
    edtKeres->setFocus();
    if (popupVisible)
        edtKeres->setText(popupWord);
}

void DictionaryPage::dbgrSzotarTitleClick(int column)
{
    dbgrSzotar->setEditMode(false);
    const QString title = m_model->columnTitle(column);
    if (title == m_state.FromColumn)
        OrderBySource();
    else if (title == m_state.ToColumn)
        OrderByTarget();
}

void DictionaryPage::dbgrSzotarColumnMoved()
{
    m_state.ToColumnIndex = (m_state.ToColumnIndex + 1) % 2;
}

void DictionaryPage::dbgrSzotarDblClick()
{
    dbgrSzotar->setEditMode(!dbgrSzotar->isEditMode());
}

void DictionaryPage::dbgrSzotarExit()
{
    dbgrSzotar->setEditMode(false);
}

void DictionaryPage::dbgrSzotarKeyPress(const QString &text)
{
    if (dbgrSzotar->isEditMode())
        return;
    edtKeres->setFocus();
    const QString old = edtKeres->text();
    const int caret = std::clamp(m_searchCaretPos, 0, int(old.size()));
    edtKeres->setText(old.left(caret) + text + old.mid(caret));
    edtKeres->setCursorPosition(caret + int(text.size()));
}

void DictionaryPage::edtKeresKeyUp(int key)
{
    store::Table &table = m_dm.tblSzotarP;
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        dbgrSzotar->setFocus();
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        try {
            if (table.isOpen())
                key == Qt::Key_Up ? table.prior() : table.next();
        } catch (const store::EngineError &error) {
            ShowInfo(error.message());
        }
        edtKeres->setCursorPosition(m_searchCaretPos);
        break;
    default:
        m_searchCaretPos = edtKeres->cursorPosition();
        break;
    }
}

void DictionaryPage::rbAngolClick()
{
    OrderBySource();
}

void DictionaryPage::rbMagyarClick()
{
    OrderByTarget();
}

void DictionaryPage::bbtnUjSzoClick()
{
    store::Table &table = m_dm.tblSzotarP;
    try {
        table.append();
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
        return;
    }
    dbgrSzotar->setFocus();
    dbgrSzotar->setEditMode(true);
    // The searched word goes into the column the grid is ordered by.
    const bool byTarget = table.indexFieldNames() == m_state.ToColumn;
    const int column = byTarget ? targetColumn() : sourceColumn();
    m_model->setData(m_model->index(m_model->currentRow(), column),
                     store::cutToSize(edtKeres->text()));
    dbgrSzotar->selectCell(column);
}

void DictionaryPage::bbtnSzoTorlClick()
{
    const QString message = m_dm.tblSzotarPAngol->asString() + QStringLiteral(" <=> ") +
                            m_dm.tblSzotarPMagyar->asString() + QStringLiteral("\n") +
                            QStringLiteral("Törlöd a szót?");
    if (AskYesCancel(message) != u'I')
        return;
    try {
        m_dm.tblSzotarP.remove();
    } catch (const store::EngineError &error) {
        ShowInfo(error.message());
    }
    UpdateDeleteButton();
}

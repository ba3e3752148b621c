#pragma once

#include <QString>
#include <QWidget>

#include <optional>

class DictionaryGrid;
class DictionaryGridModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TDM1;
struct AppState;

// The dictionary tab "Szótár" (tsSzotar): the open dictionary in the grid
// dbgrSzotar, and the bottom bar with the incremental search box, the
// buttons that add and delete words and the choice of order.
class DictionaryPage final : public QWidget {
    Q_OBJECT
public:
    DictionaryPage(TDM1 &dm, AppState &state, QWidget *parent);

    // The search: moves the grid to the best row for the search box's text
    // in the column the grid is ordered by, and colours the box green when
    // that row holds the whole text. Runs on every change of the text.
    void bbtnKeresClick();
    // Order by the source or the target column, marking its title, then
    // search again. Both end in browse mode.
    void OrderBySource();
    void OrderByTarget();
    // The delete button is enabled while the table has rows.
    void UpdateDeleteButton();
    // Entering the tab: the focus goes to the search box; when the
    // translation popup is visible its word is searched.
    void tsSzotarEnter(bool popupVisible, const QString &popupWord);
    // A new row starting with the search box's text, in edit mode.
    void bbtnUjSzoClick();
    // Deletes the current row after "Törlöd a szót?".
    void bbtnSzoTorlClick();

    // For the main window's resize: both columns get (outerWidth div 2) - 30.
    void FitGridColumns(int outerWidth);
    // For the main window's first show: the search box fills the bar
    // between the search button and the right-hand panel.
    void FitSearchBoxWidth();
    // The order choice shows the open dictionary's two field names.
    void SetOrderCaptions();
    // Esc in the main window: empties the search box.
    void EmptySearchBox();
    // Before the dictionary is closed: stores a row still being edited,
    // with what an open cell editor holds; an untouched new row is dropped.
    // Returns the engine's message when storing fails; the row then stays
    // in the edit buffer, unchanged.
    std::optional<QString> PostPendingRow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBottomBar();
    void layOutBottomBar();
    void assignGridColumns();
    void dbgrSzotarTitleClick(int column);
    void dbgrSzotarColumnMoved();
    void dbgrSzotarDblClick();
    void dbgrSzotarExit();
    void dbgrSzotarKeyPress(const QString &text);
    void edtKeresKeyUp(int key);
    void rbAngolClick();
    void rbMagyarClick();
    void setSearchColour(bool exact);
    int sourceColumn() const;
    int targetColumn() const;

    TDM1 &m_dm;
    AppState &m_state;
    DictionaryGridModel *m_model;
    DictionaryGrid *dbgrSzotar;
    QWidget *pnlSzotar = nullptr;
    QPushButton *bbtnKeres = nullptr;
    QLineEdit *edtKeres = nullptr;
    QWidget *pnlGombok1 = nullptr;
    QPushButton *bbtnUjSzo = nullptr;
    QPushButton *bbtnSzoTorl = nullptr;
    QLabel *Label1 = nullptr;
    QRadioButton *rbAngol = nullptr;
    QRadioButton *rbMagyar = nullptr;

    int m_searchCaretPos = 0; // SearchCaretPos: the caret as the box's key-up saw it
    int m_searchRightMargin = 0;
};

#pragma once

#include "editor/hideselection.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringView>
#include <QTextEdit>

#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;
class QWidget;

// The modeless find and replace dialog, one instance for the run
// (`frmSzoKeres`), created at start-up and reused for every opening. It
// stays on top and keeps its check boxes, its direction and both histories.
//
// Directions: "Lefelé" searches forward to the end, "Felfelé" backward to
// the start, "Mindenütt" forward and once around from the start back to
// where the round began. In replace mode a press replaces only the match
// the dialog itself selected last; after a failed search, an interruption
// or "Mindet" the next press searches first.
class TfrmSzoKeres final : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSzoKeres(QWidget *parent = nullptr);
    ~TfrmSzoKeres() override;

    // The instance created at start-up; nullptr before and after it.
    static TfrmSzoKeres *instance();

    // Open the dialog on control in find or replace mode, seeding the search
    // text from its selection or the word at its caret. An open dialog stays
    // open and comes to the front.
    void ShowFindDialog(QTextEdit &control);
    void ShowReplaceDialog(QTextEdit &control);

    void bbtnKovKerClick();
    void bbtnKihagyClick();
    // Replaces every match in the chosen direction, or in the whole text, as
    // one undo step and reports the count.
    void bbtnMindClick();
    void ToggleReplaceMode();

    QTextEdit *SearchEditor() const { return m_searchEditor; }
    bool ReplaceMode() const { return m_replaceMode; }
    bool SearchFresh() const { return m_searchFresh; }
    bool SearchInterrupted() const { return m_searchInterrupted; }
    const QString &NotFoundPrefix() const { return m_notFoundPrefix; }
    int SearchStartPos() const { return m_searchStartPos; }

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Direction { Down, Up, Everywhere };

    void buildControls();
    void SeedSearchText();
    // Forward from start, or for "Felfelé" backward over the text before it.
    void SearchNext(int start);
    void cobMitChange();
    void FormDeactivate();
    void MarkSearchInterrupted();
    void AddToSearchHistory(const QString &text);
    // Watches control and keeps its selection visible until detachEditor,
    // which gives it back its own hide-selection setting.
    void attachEditor(QTextEdit &control);
    void detachEditor();
    bool matchStillSelected() const;
    // Replaces the selected match, unless the control is read-only; returns
    // where the text in its place begins and ends.
    std::pair<int, int> replaceSelection();
    // Where a search that keeps the current selection out of it starts.
    int startBehindSelection() const;
    // Where a search that takes the current selection in starts.
    int startAtSelection() const;
    int startOfFreshSearch() const;
    void showSearchingState();
    void showReplaceControls(bool visible);
    Direction direction() const;
    int findAround(QStringView text, QStringView pattern, int start);

    QLabel *Label1 = nullptr;
    QComboBox *cobMit = nullptr;
    QLabel *lblMire = nullptr;
    QComboBox *cobMire = nullptr;
    QToolButton *spbCsere = nullptr;
    QCheckBox *chbKisNagyKul = nullptr;
    QCheckBox *chbTeljSzo = nullptr;
    QGroupBox *GroupBox1 = nullptr;
    QRadioButton *rbLe = nullptr;
    QRadioButton *rbFel = nullptr;
    QRadioButton *rbMindenutt = nullptr;
    QFrame *Panel1 = nullptr;
    QPushButton *bbtnKovKer = nullptr;
    QPushButton *bbtnKihagy = nullptr;
    QPushButton *bbtnMind = nullptr;
    QPushButton *bbtnMegsem = nullptr;

    QPointer<QTextEdit> m_searchEditor;
    bool m_replaceMode = false;
    bool m_searchFresh = true;
    bool m_searchInterrupted = false;
    // The selection is the match the last search found, untouched since.
    bool m_matchSelected = false;
    int m_matchStart = 0;
    int m_matchLength = 0;
    SavedHideSelection m_savedHideSelection;
    bool m_hideSelectionSaved = false;
    QString m_notFoundPrefix;
    int m_searchStartPos = 0;
    // "Mindenütt": where the current round began and whether it has wrapped.
    std::optional<int> m_roundStart;
    bool m_roundWrapped = false;
};

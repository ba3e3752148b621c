#pragma once

#include "translator/colours.h"
#include "translator/ttalalat.h"
#include "translator/wordforms.h"
#include "translator/wordlookup.h"

#include <QImage>
#include <QWidget>

#include <memory>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QMouseEvent;
class TDM1;

namespace store {
class Field;
class Table;
} // namespace store

namespace translator {

class TImage;
class TextMeasurer;

// The translation popup pnlUzen: a word bar (the editable word box and the
// sort, restore-order and close icons) over a result area on which the two
// result lists are drawn. It floats over the text pane inside the pane's
// panel, is hidden at start, and is shown by every lookup. Every key released
// in the word box looks the edited word up again.
//
// Qt paints every widget through its backing store, so the popup and its
// panels are double-buffered without further ado.
class TranslationPopup final : public QWidget {
    Q_OBJECT
public:
    // table, source and target: the dictionary table ordered by its source
    // field and its field components of the source and target text.
    // textPane: the pane that bounds the placement and takes the focus back
    // when the popup closes; nullptr stands for the parent. parent: the
    // pane's panel, in which the popup floats.
    TranslationPopup(store::Table &table, store::Field &source, store::Field &target,
                     QWidget *textPane, QWidget *parent);
    ~TranslationPopup() override;
    // The same on the data module's dictionary table tblSzotarP.
    TranslationPopup(TDM1 &dataModule, QWidget *textPane, QWidget *parent);

    // Looks word up, draws the result, shows and places the popup near the
    // anchor and gives the focus to the word box. Table errors pass through
    // as store::EngineError.
    void LookUpWord(const QString &word);
    // LookUpWord for event handlers: a table error is reported through
    // lookupFailed instead of passing through.
    void lookUpGuarded(const QString &word);
    // Draws the result lists on the canvas and sets the popup's size and place.
    void DrawResultPopup();

    // Turns the lookup's word-form stage on or off (on at start).
    void setStemming(bool on) { m_lookup.setStemming(on); }
    bool stemming() const { return m_lookup.stemming(); }
    // The popup's own analysers, to start loading one before the first lookup.
    WordForms &wordForms() { return *m_forms; }

    TResultLists &ResultLists() { return m_lookup.ResultLists(); }
    const QString &LastLookupWord() const { return m_lookup.LastLookupWord(); }

    // False: the next lookup writes its lower-cased word into the word box.
    // Every lookup sets it back to true; clear it before a lookup that starts
    // from a click in the text.
    bool KeepWordBoxText() const { return m_keepWordBoxText; }
    void setKeepWordBoxText(bool keep) { m_keepWordBoxText = keep; }

    // The point, in text pane coordinates, near which the popup is placed.
    void setPopupAnchor(int x, int y);
    int PopupAnchorX() const { return m_anchorX; }
    int PopupAnchorY() const { return m_anchorY; }
    bool PopupDragging() const { return m_dragging; }

    // The word in the word box, and whether the popup is shown (its own
    // visibility flag, whatever the tab shows).
    QString popupWord() const;
    bool isPopupShown() const { return !isHidden(); }
    QLineEdit *wordBox() const { return m_edtSzo; }
    Colour wordBoxColour() const { return m_wordBoxColour; }

    const QImage &PopupCanvas() const;
    int PopupLineHeight() const { return m_lineHeight; }
    // Gives the canvas the font of the sample label and measures the line
    // height; done at construction, again after the label's font changed.
    void PrepareCanvas();

    void setTextPane(QWidget *textPane) { m_textPane = textPane; }
    // Hides the popup and gives the focus to the text pane (the close icon).
    void closePopup();

Q_SIGNALS:
    // A guarded lookup (a click in the text, a key in the word box, the
    // restore-order icon) failed on the table; message is the engine's.
    void lookupFailed(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    QWidget *textPane() const;
    void setWordBoxColour(Colour colour);

    void imgBezarClick();
    void imgRendezMouseDown();
    void imgCikCakkMouseDown();
    void imgFordMouseDown(QMouseEvent *event);
    void imgFordMouseMove(QMouseEvent *event);
    void imgFordMouseUp(QMouseEvent *event);
    bool edtSzoKeyDown(QKeyEvent *event);
    void edtSzoKeyUp();

    std::unique_ptr<WordForms> m_forms; // before the lookup that uses it
    WordLookup m_lookup;
    QWidget *m_textPane;
    QWidget *m_pnlSzo = nullptr;
    QWidget *m_pnlSarok = nullptr;
    TImage *m_imgBezar = nullptr;
    TImage *m_imgRendez = nullptr;
    TImage *m_imgCikCakk = nullptr;
    QLineEdit *m_edtSzo = nullptr;
    QWidget *m_pnlFord = nullptr;
    TImage *m_imgFord = nullptr;
    QLabel *m_lblMinta = nullptr;

    std::unique_ptr<TextMeasurer> m_measurer; // in the canvas font
    int m_lineHeight = 13;
    bool m_keepWordBoxText = true;
    Colour m_wordBoxColour = kAqua;
    int m_anchorX = 0;
    int m_anchorY = 0;
    bool m_dragging = false;
    int m_dragStartX = 0;
    int m_dragStartY = 0;
};

} // namespace translator

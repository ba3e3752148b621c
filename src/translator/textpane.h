#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

#include "editor/fraREEszkTar.h"

struct AppState;
struct EditorHosts;
class QCheckBox;
class QEvent;
class QPoint;
class QTextEdit;
class TDM1;

namespace translator {

class TranslationPopup;

// The text pane's handlers: a mouse release on a word looks it up in the
// open dictionary and shows the translation popup near the click; the
// binding of the editor frames to the pane. Watches the pane it is given;
// the pane, the frame and the check boxes outlive it (they share a parent).
class TextPane final : public QObject {
    Q_OBJECT
public:
    TextPane(AppState &state, EditorHosts &hosts, TfraREEszkTar &frame, QTextEdit &reSzov,
             QCheckBox &chbFord, QCheckBox &chbJobb, QObject *parent = nullptr);
    ~TextPane() override;

    // The dictionary and the popup join when the data module arrives.
    void setDataModule(TDM1 *dm, TranslationPopup *popup);
    // Called after New and Open, and after a successful Save as.
    void setDocumentCallbacks(std::function<void()> loaded, std::function<void()> savedAs);

    // The frames act on the text pane.
    void BindTextPane();
    void reSzovMouseDown();
    // point: in the pane's coordinates.
    void reSzovMouseUp(Qt::MouseButton button, const QPoint &point);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    AppState &m_state;
    EditorHosts &m_hosts;
    // Checked: the frame may go before the pane while the window is destroyed.
    QPointer<TfraREEszkTar> m_frame;
    QTextEdit &reSzov;
    QCheckBox &chbFord;
    QCheckBox &chbJobb;
    TDM1 *DM1 = nullptr;
    TranslationPopup *m_popup = nullptr;
    std::function<void()> m_loaded;
    std::function<void()> m_savedAs;
};

} // namespace translator

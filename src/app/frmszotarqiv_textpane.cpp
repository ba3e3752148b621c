// The text pane: a mouse release on a word looks it up in the open
// dictionary and shows the translation popup near the click.
#include "app/frmszotarqiv.h"

#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "platform/text/textfunctions.h"
#include "store/dm1.h"
#include "translator/panewordpick.h"
#include "translator/translationpopup.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>

void TfrmSzotarQIV::reSzovMouseDown()
{
    if (m_popup)
        m_popup->hide();
}

void TfrmSzotarQIV::reSzovMouseUp(Qt::MouseButton button, const QPoint &point)
{
    if (FormatPainter().FormatPainterArmed) {
        ApplyPickedFormat(*fraREEszkTarSzov, *reSzov);
        return;
    }
    const bool right = button == Qt::RightButton;
    if (chbJobb->isChecked() != right)
        return;
    if (!DM1 || !DM1->tblSzotarP.isOpen()) {
        QApplication::beep();
        return;
    }
    if (!chbFord->isChecked() || reSzov->document()->isEmpty() || !m_popup)
        return;
    m_popup->setKeepWordBoxText(false);
    m_popup->setPopupAnchor(point.x(), point.y());
    if (reSzov->textCursor().hasSelection()) {
        m_popup->lookUpGuarded(TrimBlanks(reSzov->textCursor().selectedText()));
        return;
    }
    const QString word = WordAtCaret(*reSzov);
    if (!word.isEmpty())
        m_popup->lookUpGuarded(word);
}

bool TfrmSzotarQIV::textPaneMouse(QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        reSzovMouseDown();
        // As in word processors, a right press outside the selection puts the
        // caret where it points, so that the word under the mouse is looked up.
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QTextCursor at = reSzov->cursorForPosition(mouse->position().toPoint());
            const QTextCursor current = reSzov->textCursor();
            if (!current.hasSelection() || at.position() < current.selectionStart() ||
                at.position() > current.selectionEnd())
                reSzov->setTextCursor(at);
        }
    } else if (event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint point = reSzov->viewport()->mapTo(reSzov, mouse->position().toPoint());
        // The press has already put the caret (or the drag the selection)
        // where the user pointed.
        reSzovMouseUp(mouse->button(), point);
    }
    return false;
}

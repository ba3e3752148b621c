#include "translator/textpane.h"

#include "editor/formatpainter.h"
#include "editor/fraREEszkTar.h"
#include "editor/hostbinding.h"
#include "platform/text/textfunctions.h"
#include "store/appstate.h"
#include "store/dm1.h"
#include "translator/panewordpick.h"
#include "translator/translationpopup.h"

#include <QApplication>
#include <QCheckBox>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextEdit>

namespace translator {

TextPane::TextPane(AppState &state, EditorHosts &hosts, TfraREEszkTar &frame, QTextEdit &reSzov,
                   QCheckBox &chbFord, QCheckBox &chbJobb, QObject *parent)
    : QObject(parent), m_state(state), m_hosts(hosts), m_frame(&frame), reSzov(reSzov),
      chbFord(chbFord), chbJobb(chbJobb)
{
    reSzov.installEventFilter(this);
    reSzov.viewport()->installEventFilter(this);
    connect(&reSzov, &QTextEdit::textChanged, this, [this] {
        if (m_frame)
            NoteTextChanged(*m_frame);
    });
    connect(&reSzov, &QTextEdit::cursorPositionChanged, this, [this] {
        if (m_frame)
            SyncToolbarWithSelection(*m_frame, this->reSzov);
    });
    connect(&reSzov, &QTextEdit::selectionChanged, this, [this] {
        if (m_frame)
            SyncToolbarWithSelection(*m_frame, this->reSzov);
    });
}

TextPane::~TextPane() = default;

void TextPane::setDataModule(TDM1 *dm, TranslationPopup *popup)
{
    DM1 = dm;
    m_popup = popup;
}

void TextPane::setDocumentCallbacks(std::function<void()> loaded, std::function<void()> savedAs)
{
    m_loaded = std::move(loaded);
    m_savedAs = std::move(savedAs);
}

void TextPane::BindTextPane()
{
    HostBinding &binding = m_hosts.binding;
    binding.ActiveDocName = &m_state.TextDocName;
    binding.ActiveDocHasFile = &m_state.TextDocHasFile;
    binding.ActiveHostIndex = 1;
    binding.ActiveEditor = &reSzov;
    binding.OnDocumentLoaded = [this](QObject *) {
        if (m_loaded)
            m_loaded();
    };
    binding.OnDocumentSavedAs = [this](QObject *) {
        if (m_savedAs)
            m_savedAs();
    };
}

void TextPane::reSzovMouseDown()
{
    if (m_popup)
        m_popup->hide();
}

void TextPane::reSzovMouseUp(Qt::MouseButton button, const QPoint &point)
{
    if (m_hosts.painter.FormatPainterArmed) {
        if (m_frame)
            ApplyPickedFormat(*m_frame, reSzov);
        return;
    }
    const bool right = button == Qt::RightButton;
    if (chbJobb.isChecked() != right)
        return;
    if (!DM1 || !DM1->tblSzotarP.isOpen()) {
        QApplication::beep();
        return;
    }
    if (!chbFord.isChecked() || reSzov.document()->isEmpty() || !m_popup)
        return;
    m_popup->setKeepWordBoxText(false);
    m_popup->setPopupAnchor(point.x(), point.y());
    if (reSzov.textCursor().hasSelection()) {
        m_popup->lookUpGuarded(TrimBlanks(reSzov.textCursor().selectedText()));
        return;
    }
    const QString word = WordAtCaret(reSzov);
    if (!word.isEmpty())
        m_popup->lookUpGuarded(word);
}

bool TextPane::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &reSzov && event->type() == QEvent::FocusOut) {
        if (m_frame)
            DisarmFormatPainter(*m_frame); // reSzovExit
    } else if (watched == reSzov.viewport() && (event->type() == QEvent::MouseButtonPress ||
                                                event->type() == QEvent::MouseButtonDblClick)) {
        // The second press of a double click arrives as a double click.
        reSzovMouseDown();
        // As in word processors, a right press outside the selection puts the
        // caret where it points, so that the word under the mouse is looked up.
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            const QTextCursor at = reSzov.cursorForPosition(mouse->position().toPoint());
            const QTextCursor current = reSzov.textCursor();
            if (!current.hasSelection() || at.position() < current.selectionStart() ||
                at.position() > current.selectionEnd())
                reSzov.setTextCursor(at);
        }
    } else if (watched == reSzov.viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        const QPoint point = reSzov.viewport()->mapTo(&reSzov, mouse->position().toPoint());
        // The press has already put the caret (or the drag the selection)
        // where the user pointed; the pane handles the release afterwards.
        reSzovMouseUp(mouse->button(), point);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace translator

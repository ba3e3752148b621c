#include "editor/formatpainter.h"

#include "editor/charformatting.h"
#include "editor/fraREEszkTar.h"
#include "editor/paragraphformatting.h"
#include "platform/text/word_span.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

namespace {

void setDown(TfraREEszkTar &frame, const char *name, bool down)
{
    if (QToolButton *button = frame.button(name)) {
        const QSignalBlocker quiet(button);
        button->setChecked(down);
    }
}

} // namespace

void ApplyPickedFormat(TfraREEszkTar &frame, QTextEdit &editor)
{
    EditorHosts *hosts = frame.hosts();
    if (!hosts)
        return;
    if (!hosts->painter.pickedUp) {
        frame.notePainterEvent(PainterEvent::Applied);
        return;
    }
    QTextDocument &doc = *editor.document();
    const QTextCursor cursor = editor.textCursor();
    int start = cursor.selectionStart();
    int length = cursor.selectionEnd() - start;
    if (length == 0) {
        // The word around the caret; the editor's own caret stays put.
        const QTextBlock block = doc.findBlock(start);
        const WordSpan word = WordSpanAt(block.text(), start - block.position());
        start = block.position() + word.start;
        length = word.length;
    }
    ApplyFormat(doc, start, length, hosts->painter.picked);
    frame.notePainterEvent(PainterEvent::Applied);
    SyncToolbarWithSelection(frame, editor);
}

void DisarmFormatPainter(TfraREEszkTar &frame)
{
    if (EditorHosts *hosts = frame.hosts()) {
        hosts->painter.FormatPainterArmed = false;
        hosts->painter.FormatPainterSticky = false;
    }
    setDown(frame, "spbFormFest", false);
}

void SyncToolbarWithSelection(TfraREEszkTar &frame, QTextEdit &editor)
{
    const QTextDocument &doc = *editor.document();
    const QTextCursor cursor = editor.textCursor();
    const int start = cursor.selectionStart();
    const Qt::Alignment alignment =
        paragraphformat::HorizontalAlignment(doc.findBlock(start).blockFormat().alignment());
    // Leading and trailing are the same flags as left and right.
    setDown(frame, "spbIgazitBal", alignment == Qt::AlignLeft);
    setDown(frame, "spbIgazitJobb", alignment == Qt::AlignRight);
    setDown(frame, "spbIgazitKozep", alignment == Qt::AlignHCenter);
    setDown(frame, "spbIgazitSorkiz", alignment == Qt::AlignJustify);

    // A selection shows its first character, a caret the one before it.
    const int position = cursor.hasSelection() ? start : std::max(0, start - 1);
    const QTextCharFormat character = charformat::FormatAt(doc, position);
    if (QComboBox *name = frame.cobBetuTipNev()) {
        const QSignalBlocker quiet(name);
        name->setCurrentIndex(
            name->findText(charformat::FamilyAt(doc, position), Qt::MatchFixedString));
    }
    if (QComboBox *size = frame.cobBetuMeret()) {
        const QSignalBlocker quiet(size);
        size->setEditText(QString::number(charformat::PointSizeAt(doc, position)));
    }
    setDown(frame, "spbFelkov", charformat::HasStyle(character, charformat::Style::Bold));
    setDown(frame, "spbDolt", charformat::HasStyle(character, charformat::Style::Italic));
    setDown(frame, "spbAlahuzott", charformat::HasStyle(character, charformat::Style::Underline));
}

#include "translator/panewordpick.h"

#include "platform/text/word_span.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

QString WordAtCaret(QTextEdit &pane)
{
    const QTextDocument &document = *pane.document();
    // The document's last position is its closing paragraph mark.
    const int length = std::max(0, document.characterCount() - 1);
    const int caret = pane.textCursor().position();
    const WordSpan span =
        WordSpanAt(length, caret, [&document](int pos) { return document.characterAt(pos); });
    QTextCursor cursor(pane.document());
    cursor.setPosition(span.start);
    cursor.setPosition(span.start + span.length, QTextCursor::KeepAnchor);
    pane.setTextCursor(cursor);
    return cursor.selectedText();
}

#include "editor/documentreplace.h"

#include <QTextCursor>
#include <QTextDocument>

QString SearchableText(const QTextDocument &document)
{
    return document.toRawText();
}

void ReplaceRange(QTextCursor &cursor, int start, int length, const QString &text)
{
    // The format of a position is that of the character before it.
    cursor.setPosition(start + (length > 0 ? 1 : 0));
    const QTextCharFormat format = cursor.charFormat();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    cursor.insertText(text, format);
}

int ReplaceAll(QTextDocument &document, const QString &pattern, const QString &replacement,
               int from, int to, const SearchOptions &options)
{
    const QString text = SearchableText(document);
    const std::vector<int> matches = FindAll(text, pattern, from, to, options);
    if (matches.empty())
        return 0;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // From the back, so that the positions still ahead stay valid.
    for (auto at = matches.rbegin(); at != matches.rend(); ++at)
        ReplaceRange(cursor, *at, int(pattern.size()), replacement);
    cursor.endEditBlock();
    return int(matches.size());
}

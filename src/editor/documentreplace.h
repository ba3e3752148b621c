#pragma once

#include "editor/textsearch.h"

#include <QString>

class QTextCursor;
class QTextDocument;

// The document's characters, indexed as cursor positions count them
// (paragraph ends are U+2029, no-break spaces stay what they are).
QString SearchableText(const QTextDocument &document);

// Replaces the characters [start, start + length) through cursor by text, in
// the format of the first replaced character. The cursor then stands behind
// the inserted text with nothing selected.
void ReplaceRange(QTextCursor &cursor, int start, int length, const QString &text);

// Replaces every match lying wholly in [from, to) by replacement as one undo
// step and returns how many were replaced. An empty pattern replaces nothing;
// when nothing is replaced the undo history stays as it was.
int ReplaceAll(QTextDocument &document, const QString &pattern, const QString &replacement,
               int from, int to, const SearchOptions &options);

#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// RTF, the program's document format, to and from QTextDocument.
//
// Units in the document: font sizes in points; paragraph margins, the first
// line indent (QTextBlockFormat::textIndent, relative to the left margin) and
// tab positions in points. Bullets and numbers are QTextLists.
namespace rtf {

// True when bytes start with "{\rtf", possibly after a UTF-8 byte-order mark
// and white space.
bool looksLikeRtf(QByteArrayView bytes);

// Replaces the content of doc with the RTF in bytes and returns true, or
// returns false and leaves doc untouched when bytes are not RTF
// (looksLikeRtf). Broken RTF gives as much of the document as can be read;
// time and memory grow linearly with the input. Nothing in the file makes the
// document load a resource. Afterwards the undo history is empty and the
// document is not modified.
bool read(QByteArrayView bytes, QTextDocument &doc);

// The document as RTF with Windows-1250 text: characters the code page holds
// as \'hh, every other one as \uN with a "?" for readers without Unicode.
// Fonts, sizes, bold, italic, underline, strike-out, text colours,
// alignment, margins, first line indent, tab stops, bullets and numbers are
// kept; anything else (images, tables, links) is written as its text.
QByteArray write(const QTextDocument &doc);

} // namespace rtf

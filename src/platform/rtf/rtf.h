#pragma once

#include <QByteArray>
#include <QByteArrayView>

class QTextDocument;

// RTF, the program's document format, to and from QTextDocument.
//
// Units in the document: font sizes in points; paragraph margins, the first
// line indent (QTextBlockFormat::textIndent, relative to the left margin) and
// tab positions in pixels, as Qt lays them out, at 96 to the inch
// (lengths.h). Bullets and numbers are QTextLists.
namespace rtf {

// True when bytes start with "{\rtf", possibly after a UTF-8 byte-order mark
// and white space.
bool looksLikeRtf(QByteArrayView bytes);

// Replaces the content of doc with the RTF in bytes and returns true, or
// returns false and leaves doc untouched when bytes are not RTF
// (looksLikeRtf). A table row becomes one paragraph with its cells separated
// by tabs; a footnote keeps its reference mark, its body is left out.
// Broken RTF gives as much of the document as can be read;
// time and memory grow linearly with the input. Nothing in the file makes the
// document load a resource. Afterwards the undo history is empty and the
// document is not modified.
bool read(QByteArrayView bytes, QTextDocument &doc);

// The document as RTF with Windows-1250 text: characters the code page holds
// as \'hh, every other one as \uN with a "?" for readers without Unicode.
// Fonts, sizes, bold, italic, underline, strike-out, super- and subscript,
// text colours, alignment, margins, first line indent, spacing before and
// after paragraphs, tab stops, bullets and numbers are kept. Lists go into a
// list table, one \lsN per list with its levels as \ilvl, and as \pn groups
// for older readers. Anything else (images, tables, links) is written as its
// text. The same document always gives the same bytes.
QByteArray write(const QTextDocument &doc);

} // namespace rtf

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QTextDocument;

// Plain-text documents: Windows-1250 with CR LF line ends.
namespace plaintext {

// The text of a plain-text file: UTF-8 when the file starts with a UTF-8
// byte-order mark and the rest is valid UTF-8, otherwise Windows-1250. Line
// ends (CR LF, LF or CR) become "\n", except the one that ends the last line;
// characters QTextDocument reserves for
// its own structure become U+FFFD.
QString decode(QByteArrayView bytes);

// The document's text in Windows-1250, every line followed by CR LF; line
// breaks inside a paragraph end a line too. Characters the code page cannot
// hold become "?". No formatting is written. An empty document gives no bytes.
QByteArray encode(const QTextDocument &doc);

// Replaces the content of doc with the text of a plain-text file (decode),
// in the document's default format. The undo history is empty afterwards and
// the document not modified.
void read(QByteArrayView bytes, QTextDocument &doc);

} // namespace plaintext

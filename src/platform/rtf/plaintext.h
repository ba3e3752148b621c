#pragma once

#include "platform/textencoding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

class QTextDocument;

// Plain-text documents: Windows-1250 or UTF-8, with CR LF line ends.
namespace plaintext {

// The encoding a plain-text file is read in: UTF-8 when it starts with a
// UTF-8 byte-order mark and the rest is valid UTF-8, or when it is valid
// UTF-8 with at least one byte above 127; Windows-1250 otherwise. A mark
// followed by bytes that are not UTF-8 reads as Windows-1250, which keeps
// every byte.
platform::TextEncoding detect(QByteArrayView bytes);

// The text of a plain-text file in the encoding detect gives (or in the one
// given). Line ends (CR LF, LF or CR) become "\n", except the one that ends
// the last line; characters QTextDocument reserves for its own structure
// become U+FFFD.
QString decode(QByteArrayView bytes);
QString decode(QByteArrayView bytes, platform::TextEncoding encoding);

// The document's text in the given encoding, every line followed by CR LF;
// line breaks inside a paragraph end a line too. Characters Windows-1250
// cannot hold become "?". No formatting is written. An empty document gives
// no bytes (not even a byte-order mark).
QByteArray encode(const QTextDocument &doc,
                  platform::TextEncoding encoding = platform::TextEncoding::Windows1250);

// Replaces the content of doc with the text of a plain-text file (decode),
// in the document's default format, and remembers the encoding it was read
// in (readEncoding). The undo history is empty afterwards and the document
// not modified.
void read(QByteArrayView bytes, QTextDocument &doc);
// The same for text already decoded in the given encoding.
void setText(QTextDocument &doc, const QString &text, platform::TextEncoding encoding);

// The encoding doc's text was read in by read, or nothing when it did not
// come from a plain-text file (or forgetEncoding was called since).
std::optional<platform::TextEncoding> readEncoding(const QTextDocument &doc);
void forgetEncoding(QTextDocument &doc);

// The bytes to save doc as (encode), in the encoding it was read in when
// that was UTF-8; otherwise in Windows-1250 when that holds every
// character, in UTF-8 when it does not, so that no character is ever
// written as "?".
QByteArray encodeToSave(const QTextDocument &doc);

} // namespace plaintext

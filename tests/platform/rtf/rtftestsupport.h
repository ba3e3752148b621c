#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextDocument;
class QTextCharFormat;

namespace rtftest {

// The bytes of a fixture file of this folder's fixtures/.
QByteArray fixture(const char *name);

// The text of each paragraph.
QStringList paragraphs(const QTextDocument &doc);

// A line per paragraph with its format, followed by a line per run of equal
// character format. Absent fonts and sizes are resolved through the
// document's default font, so that two documents compare by what they show.
QString describe(const QTextDocument &doc);

// The character format of the first character of needle in paragraph block;
// fails the test when the text is not there.
QTextCharFormat formatOf(const QTextDocument &doc, int block, const QString &needle);

// The family the character shows in: its own or the document's default.
QString familyOf(const QTextDocument &doc, const QTextCharFormat &f);

// The point size the character shows in: its own or the document's default.
double pointSizeOf(const QTextDocument &doc, const QTextCharFormat &f);

} // namespace rtftest

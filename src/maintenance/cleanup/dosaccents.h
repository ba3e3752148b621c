#pragma once

#include <QByteArray>
#include <QString>

namespace cleanup {

// Replaces the DOS (code page 437 style) bytes of the Hungarian and German
// accented letters by their Windows-1250 bytes: 81 ü, 82 é, 84 ä, 8E Ä,
// 8F Á, 90 É, 93 ő, 94 ö, 96 ű, 99 Ö, A0 á, A1 í, A2 ó, A3 ú, E1 ß. Every
// other byte stays; the length does not change. Not idempotent: E1 is both
// the result for A0 and a DOS code, so a second run turns á into ß.
QByteArray DosToWindowsAccents(const QByteArray &bytes);

// The same on a text as the program holds it: each character is taken as
// its Windows-1250 byte; characters without one stay as they are.
QString DosToWindowsAccents(const QString &text);

} // namespace cleanup

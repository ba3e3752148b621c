#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows-1250 (Central European) code page: the one codec between the
// program's QStrings and the bytes of every file it reads or writes.
namespace cp1250 {

// Every byte decodes to one character. The five bytes the code page leaves
// unassigned (0x81 0x83 0x88 0x90 0x98) decode to the C1 control of the same
// value, so decode followed by encode gives back the original bytes.
QString decode(QByteArrayView bytes);

// One byte per character; a character the code page cannot hold becomes "?"
// (a surrogate pair counts as one character).
QByteArray encode(QStringView text);

// The byte for one character, or -1 when the code page has none.
int byteFor(char32_t codePoint);

// True when every character of text has a Windows-1250 byte.
bool canEncode(QStringView text);

} // namespace cp1250
